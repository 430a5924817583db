// What a save writes beyond the database's own objects, decided before the first byte is written:
// the geometry block of every aligned dimension (computed from its style) and the handles of
// the parts of the file the database keeps no object for (block begin and end markers, the end
// markers of attribute lists, geometry entities). Such handles are the ones the file had when
// it was read; new ones are taken above the database's handle seed in a fixed order, so that
// saving the same drawing twice writes the same file. Layout blocks without a LAYOUT get one.
#pragma once
#include "host/dxf/LayoutPlan.h"
#include "host/geom/DimensionGeometry.h"

#include <dbmain.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

class AcDbAlignedDimension;

namespace veld::dxf {

struct DimensionBlock {
    std::string name; // "*D3"
    std::uint64_t record = 0, begin = 0, end = 0;
    AcDbObjectId recordId;                    // null when the block is new in this file
    std::vector<std::uint64_t> entityHandles; // lines, then solids, then the text
    geom::DimensionGeometry geometry;
    std::string textStyle;
};

class SavePlan {
public:
    explicit SavePlan(const AcDbDatabase& db);

    std::uint64_t handseed() const { return next_; }
    std::uint64_t blockBegin(AcDbObjectId record) const;
    std::uint64_t blockEnd(AcDbObjectId record) const;
    std::uint64_t sequenceEnd(AcDbObjectId insert) const;
    // A handle for an object the file needs and the database lacks ("VPORT" table, ...).
    std::uint64_t extraHandle(const std::string& key) const;
    const DimensionBlock* dimensionOf(AcDbObjectId dimension) const;
    const DimensionBlock* blockOfRecord(AcDbObjectId record) const;
    // The block records the file gets: all but the geometry blocks of dimensions erased since
    // they were read, which nothing draws any more.
    const std::vector<AcDbObjectId>& blockRecordsWritten() const { return written_; }
    // Geometry blocks that have no record in the database yet, in handle order.
    const std::vector<DimensionBlock>& newBlocks() const { return newBlocks_; }
    std::uint64_t paperSpace() const { return paperSpace_; }
    // A drawing without VPORT records gets an "*Active" one (programs need it); its handle, or 0
    // when the drawing has its own. The view shows `extentsMin`..`extentsMax` of model space.
    std::uint64_t activeViewport() const { return activeViewport_; }
    AcGePoint3d extentsMin, extentsMax;
    const LayoutPlan& layouts() const { return *layouts_; }

private:
    std::uint64_t take();
    void planBlocks(const AcDbDatabase& db);
    void dropBlocksOfErasedDimensions(const AcDbDatabase& db);
    void planDimension(const AcDbDatabase& db, const AcDbAlignedDimension& dim);
    static AcDbObjectIdArray blockRecords(const AcDbDatabase& db);

    const AcDbDatabase& db_;
    std::uint64_t next_ = 1, paperSpace_ = 0, activeViewport_ = 0;
    void planViewport(const AcDbDatabase& db);
    int nextDimNumber_ = 1;
    std::map<AcDbObjectId, std::pair<std::uint64_t, std::uint64_t>> beginEnd_;
    std::map<AcDbObjectId, std::uint64_t> sequenceEnds_;
    std::map<std::string, std::uint64_t> extras_;
    std::map<AcDbObjectId, std::size_t> dimToExisting_, dimToNew_;
    std::map<AcDbObjectId, std::size_t> recordToExisting_;
    std::vector<DimensionBlock> existingBlocks_, newBlocks_;
    std::unique_ptr<LayoutPlan> layouts_;
    std::vector<AcDbObjectId> written_;
};

// The table kept as read with that name (VPORT, VIEW, UCS), or null.
AcDbObjectId rawTableNamed(const AcDbDatabase& db, const std::string& name);

// The style values a dimension's geometry depends on.
geom::DimStyleValues styleValuesOf(AcDbObjectId dimStyle);

} // namespace veld::dxf
