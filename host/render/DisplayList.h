// The display description of model space: what a CAD program draws, already resolved (layers
// off or frozen left out, ByLayer and ByBlock colours settled) and flattened to segments,
// triangles and texts. The SVG export and the browser view both draw from it.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;

namespace veld::render {

// An ACI index (1..255) or, with kTrueColor set, 0xRRGGBB. Themes turn it into pixels.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kTrueColor = 0x1000000;

// Single-line text: the anchor point and how the text sits on it.
struct TextItem {
    double x = 0, y = 0;
    double height = 0, rotation = 0, widthFactor = 1; // rotation in radians
    std::uint8_t anchor = 0;                          // 0 start, 1 middle, 2 end
    std::uint8_t baseline = 0;                        // 0 baseline, 1 bottom, 2 middle, 3 top
    bool underline = false, overline = false;
    std::string text; // UTF-8, control codes already decoded
};

// Plain geometry: segments as x0 y0 x1 y1, triangles as three x y pairs, points as x y.
struct Geometry {
    std::vector<double> lines, triangles, points;
    std::vector<TextItem> texts;
    bool empty() const {
        return lines.empty() && triangles.empty() && points.empty() && texts.empty();
    }
};

// Where a part of a shared shape takes its colour from when it is placed.
enum class Inherit : std::uint8_t { None, ByBlock, Layer0 };

struct ShapePart {
    ColorRef color = 7; // with Inherit::None
    Inherit inherit = Inherit::None;
    Geometry geometry; // shape coordinates
};

// Geometry drawn many times (block contents, dimension pictures), in its own coordinates.
struct Shape {
    std::vector<ShapePart> parts;
    double bbox[4] = {0, 0, 0, 0}; // min x, min y, max x, max y
};

// One placement of a shape: x' = m0 x + m2 y + m4, y' = m1 x + m3 y + m5.
struct Placement {
    double m[6] = {1, 0, 0, 1, 0, 0};
};

// The placements of one shape with the same inherited colours.
struct InstanceGroup {
    std::string shape;
    ColorRef byBlock = 7, layer0 = 7;
    std::vector<Placement> placements;
};

// A slice of the drawing that changes as a unit: the entities of one layer whose handles fall
// in one range. Geometry is batched per colour.
struct Chunk {
    std::string layer;
    std::map<ColorRef, Geometry> batches;
    std::vector<InstanceGroup> instances;
    std::uint64_t hash = 0;        // of everything above
    double bbox[4] = {0, 0, 0, 0}; // min x, min y, max x, max y of what it draws
};

// Chunks and shapes are immutable once built, so that the lists of successive revisions share
// everything that did not change.
using ChunkMap = std::map<std::string, std::shared_ptr<const Chunk>>; // by id "bucket/layer"
using ShapeMap = std::map<std::string, std::shared_ptr<const Shape>>; // by content key

class DisplayList {
public:
    static DisplayList build(const AcDbDatabase& db); // model space as a CAD program shows it
    std::string serialize() const;                    // the full scene body
    std::string serializeDelta(const DisplayList& before) const; // what changed since `before`
    static const char* contentType() { return "application/octet-stream"; }

    const ChunkMap& chunks() const { return chunks_; }
    const ShapeMap& shapes() const { return shapes_; }
    // Equal for lists that draw the same (compares the chunks' content hashes).
    std::uint64_t fingerprint() const;
    // min x, min y, max x, max y of everything drawn; false when nothing is.
    bool extents(double out[4]) const;

private:
    friend class DisplayListBuilder;
    // Sets the chunk's hash and bounds once it is complete.
    static void seal(Chunk& chunk, const ShapeMap& shapes);
    std::string write(const std::vector<const Chunk*>& chunks, const std::vector<std::string>& ids,
                      const std::vector<std::string>& removed, bool full,
                      const ShapeMap* known = nullptr) const;
    ChunkMap chunks_;
    ShapeMap shapes_; // those the chunks place
};

// Where a shape point lands under a placement.
inline void place(const Placement& p, double x, double y, double& outX, double& outY) {
    outX = p.m[0] * x + p.m[2] * y + p.m[4];
    outY = p.m[1] * x + p.m[3] * y + p.m[5];
}

} // namespace veld::render
