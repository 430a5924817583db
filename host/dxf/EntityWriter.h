// Writes one entity of the database in DXF R2013 form: the common part (handle, group reactors,
// owner, layer, linetype, colour), the entity's own codes with their subclass markers, then its
// extended data. Entities the database does not model are written back as they were read.
#pragma once
#include "host/dxf/SavePlan.h"
#include "host/dxf/TagWriter.h"

#include <acge.h>

class AcDbEntity;
class AcDbBlockReference;

namespace veld::dxf {

class EntityWriter {
public:
    EntityWriter(TagWriter& out, const SavePlan& plan) : out_(out), plan_(plan) {}

    // `owner` is the block the entity lies in (or the block reference of an attribute).
    void write(const AcDbEntity& entity, std::uint64_t owner);
    // The block-geometry entities computed for a dimension (they exist only in the file).
    void writeGeometry(const DimensionBlock& block);

private:
    void modelled(const AcDbEntity& e, std::uint64_t owner);
    void attributes(const AcDbBlockReference& r);
    void common(const AcDbEntity& e, const char* type, std::uint64_t owner);
    void commonProps(const AcDbEntity& e);
    void xdata(const AcDbObject& o);
    void normal(const AcGeVector3d& n);
    void line(const AcDbEntity& e);
    void point(const AcDbEntity& e);
    void circle(const AcDbEntity& e);
    void arc(const AcDbEntity& e);
    void polyline(const AcDbEntity& e);
    void text(const AcDbEntity& e, std::uint64_t owner);
    void textBody(const AcDbEntity& e);
    void insert(const AcDbEntity& e, std::uint64_t owner);
    void dimension(const AcDbEntity& e);

    TagWriter& out_;
    const SavePlan& plan_;
};

} // namespace veld::dxf
