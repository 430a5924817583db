// The scene body: "VDL1", the length of a JSON index (little-endian 32 bits), the index, padding
// to four bytes, then one Float32 array that the index points into by [offset, count] in floats.
// Chunk coordinates are stored relative to the chunk's origin so that float precision holds far
// from the drawing's origin; the view adds the origin back in double precision.
#include "host/render/DisplayList.h"

#include "host/render/DisplayListBuilder.h"
#include "host/render/GeometryOps.h"

#include <functional>
#include <nlohmann/json.hpp>
#include <set>

namespace veld::render {

namespace {

using nlohmann::json;

class SceneWriter {
public:
    json geometry(const Geometry& g, double ox, double oy) {
        json out = json::object();
        out["l"] = floats(g.lines, ox, oy);
        out["t"] = floats(g.triangles, ox, oy);
        out["p"] = floats(g.points, ox, oy);
        json texts = json::array();
        for (const TextItem& t : g.texts) {
            texts.push_back({t.x, t.y, t.height, t.rotation, t.widthFactor, t.anchor, t.baseline,
                             (t.underline ? 1 : 0) | (t.overline ? 2 : 0), t.text});
        }
        out["x"] = std::move(texts);
        return out;
    }

    json placements(const std::vector<Placement>& list, double ox, double oy) {
        const std::size_t start = blob_.size();
        for (const Placement& p : list) {
            for (int k = 0; k < 4; ++k) {
                blob_.push_back(static_cast<float>(p.m[k]));
            }
            blob_.push_back(static_cast<float>(p.m[4] - ox));
            blob_.push_back(static_cast<float>(p.m[5] - oy));
        }
        return {start, blob_.size() - start};
    }

    std::string finish(const json& index) const {
        const std::string text = index.dump(-1, ' ', false, json::error_handler_t::replace);
        std::string out = "VDL1";
        const std::uint32_t n = static_cast<std::uint32_t>(text.size());
        for (int k = 0; k < 4; ++k) {
            out += static_cast<char>((n >> (8 * k)) & 0xFF);
        }
        out += text;
        out.append((4 - out.size() % 4) % 4, ' ');
        out.append(reinterpret_cast<const char*>(blob_.data()), blob_.size() * sizeof(float));
        return out;
    }

private:
    json floats(const std::vector<double>& v, double ox, double oy) {
        const std::size_t start = blob_.size();
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            blob_.push_back(static_cast<float>(v[i] - ox));
            blob_.push_back(static_cast<float>(v[i + 1] - oy));
        }
        return {start, blob_.size() - start};
    }

    std::vector<float> blob_;
};

void chunkBounds(const Chunk& chunk, const ShapeMap& shapes, double box[4], bool& empty) {
    for (const auto& [color, g] : chunk.batches) {
        growBounds(box, empty, g);
    }
    for (const InstanceGroup& group : chunk.instances) {
        const auto found = shapes.find(group.shape);
        if (found == shapes.end()) {
            continue;
        }
        const double* b = found->second->bbox;
        Geometry corners;
        for (const Placement& p : group.placements) {
            for (int k = 0; k < 4; ++k) {
                double x = 0, y = 0;
                place(p, b[k & 1 ? 2 : 0], b[k & 2 ? 3 : 1], x, y);
                corners.points.push_back(x);
                corners.points.push_back(y);
            }
        }
        growBounds(box, empty, corners);
    }
}

} // namespace

DisplayList DisplayList::build(const AcDbDatabase& db) {
    return DisplayListBuilder(db).run();
}

void DisplayList::seal(Chunk& chunk, const ShapeMap& shapes) {
    chunk.hash = hashChunk(chunk);
    bool empty = true;
    chunkBounds(chunk, shapes, chunk.bbox, empty);
}

bool DisplayList::extents(double out[4]) const {
    bool empty = true;
    for (const auto& [id, chunk] : chunks_) {
        Geometry corners;
        corners.points = {chunk->bbox[0], chunk->bbox[1], chunk->bbox[2], chunk->bbox[3]};
        growBounds(out, empty, corners);
    }
    return !empty;
}

std::uint64_t DisplayList::fingerprint() const {
    std::uint64_t h = 1469598103934665603ull;
    for (const auto& [id, chunk] : chunks_) {
        h = (h ^ std::hash<std::string>{}(id)) * 1099511628211ull;
        h = (h ^ chunk->hash) * 1099511628211ull;
    }
    return h;
}

std::string DisplayList::serialize() const {
    std::vector<const Chunk*> chunks;
    std::vector<std::string> ids;
    for (const auto& [id, chunk] : chunks_) {
        chunks.push_back(chunk.get());
        ids.push_back(id);
    }
    return write(chunks, ids, {}, true);
}

std::string DisplayList::serializeDelta(const DisplayList& before) const {
    std::vector<const Chunk*> chunks;
    std::vector<std::string> ids, removed;
    for (const auto& [id, chunk] : chunks_) {
        const auto old = before.chunks_.find(id);
        if (old == before.chunks_.end() ||
            (old->second != chunk && old->second->hash != chunk->hash)) {
            chunks.push_back(chunk.get());
            ids.push_back(id);
        }
    }
    for (const auto& [id, chunk] : before.chunks_) {
        if (chunks_.count(id) == 0) {
            removed.push_back(id);
        }
    }
    // Shapes the view already has (it keeps every shape it was sent) are not sent again.
    return write(chunks, ids, removed, false, &before.shapes_);
}

std::string DisplayList::write(const std::vector<const Chunk*>& chunks,
                               const std::vector<std::string>& ids,
                               const std::vector<std::string>& removed, bool full,
                               const ShapeMap* known) const {
    SceneWriter w;
    json index = {{"version", 1}, {"full", full}, {"removed", removed}};
    double box[4] = {0, 0, 0, 0};
    if (extents(box)) {
        index["extents"] = {box[0], box[1], box[2], box[3]};
    }
    std::set<std::string> shapesNeeded;
    json chunkList = json::array();
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const Chunk& chunk = *chunks[i];
        const double* b = chunk.bbox;
        const double ox = b[0], oy = b[1];
        json c = {{"id", ids[i]},
                  {"layer", chunk.layer},
                  {"origin", {ox, oy}},
                  {"bbox", {b[0], b[1], b[2], b[3]}}};
        json batches = json::array();
        for (const auto& [color, g] : chunk.batches) {
            json batch = w.geometry(g, ox, oy);
            batch["c"] = color;
            batches.push_back(std::move(batch));
        }
        c["batches"] = std::move(batches);
        json groups = json::array();
        for (const InstanceGroup& group : chunk.instances) {
            groups.push_back({{"s", group.shape},
                              {"b", group.byBlock},
                              {"z", group.layer0},
                              {"m", w.placements(group.placements, ox, oy)}});
            if (known == nullptr || known->count(group.shape) == 0) {
                shapesNeeded.insert(group.shape);
            }
        }
        c["inst"] = std::move(groups);
        chunkList.push_back(std::move(c));
    }
    index["chunks"] = std::move(chunkList);
    json shapes = json::object();
    for (const std::string& key : shapesNeeded) {
        const Shape& shape = *shapes_.at(key);
        json parts = json::array();
        for (const ShapePart& part : shape.parts) {
            json p = w.geometry(part.geometry, 0, 0);
            p["c"] = part.color;
            p["i"] = static_cast<int>(part.inherit);
            parts.push_back(std::move(p));
        }
        shapes[key] = {{"bbox", {shape.bbox[0], shape.bbox[1], shape.bbox[2], shape.bbox[3]}},
                       {"parts", std::move(parts)}};
    }
    index["shapes"] = std::move(shapes);
    return w.finish(index);
}

} // namespace veld::render
