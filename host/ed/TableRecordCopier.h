// Named records of one drawing brought into another by name: a record the target has is used
// as it is, a missing one is added with the source's values (and the records it names).
#pragma once
#include "dbsymtb.h"

#include <map>
#include <string>
#include <vector>

namespace veld::ed {

class TableRecordCopier {
public:
    explicit TableRecordCopier(AcDbDatabase& target) : target_(target) {}

    // Each returns the target's record of the source record's name, added when missing; the
    // null id when it cannot be added. Every source record is looked at once.
    AcDbObjectId layer(AcDbObjectId sourceId);
    AcDbObjectId linetype(AcDbObjectId sourceId);
    AcDbObjectId textStyle(AcDbObjectId sourceId);
    AcDbObjectId dimStyle(AcDbObjectId sourceId);
    AcDbObjectId regApp(AcDbObjectId sourceId);

    // Added dimension styles get this DIMSCALE instead of the source's (when > 0).
    void setDimensionScale(double scale) { dimensionScale_ = scale; }
    // The names of the records added, per table ("LAYER", "LTYPE", "STYLE", "DIMSTYLE", "APPID"),
    // in the order they were added.
    const std::map<std::string, std::vector<std::string>>& added() const { return added_; }

private:
    template <class Table, class Record, class Fill>
    AcDbObjectId copy(AcDbObjectId sourceId, AcDbObjectId tableId, const char* table, Fill fill);
    void copyXData(const AcDbObject& from, AcDbObject& to);

    AcDbDatabase& target_;
    double dimensionScale_ = 0.0;
    std::map<AcDbObjectId, AcDbObjectId> copied_;
    std::map<std::string, std::vector<std::string>> added_;
};

} // namespace veld::ed
