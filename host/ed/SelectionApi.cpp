// The SDK's selection functions: acedSSGet and the selection sets it makes.
#include "aced.h"
#include "host/ed/CommandLine.h"
#include "host/ed/InputParser.h"
#include "host/ed/SelectionFilter.h"
#include "host/ed/Selector.h"

#include <algorithm>

using veld::ed::commandLine;
using veld::ed::InputParser;
using veld::ed::Rectangle;
using veld::ed::Selector;

namespace {

constexpr short kErrnoPickFailed = 7;

AcGePoint2d point2d(const void* p) {
    const double* d = static_cast<const double*>(p);
    return AcGePoint2d(d[0], d[1]);
}

// Runs the selection a mode asks for. RTNORM, RTERROR (bad arguments), RTCAN.
int selectByMode(const std::string& mode, const void* point1, const void* point2,
                 std::vector<AcDbObjectId>& ids) {
    Selector selector;
    if (mode.empty() && point1 != nullptr) {
        AcDbObjectId id = selector.pick(point2d(point1));
        if (!id.isNull()) {
            ids.push_back(id);
        }
        return RTNORM;
    }
    if (mode.empty() || mode.find(":S") != std::string::npos) {
        int status = selector.ask(mode.find(":S") != std::string::npos, ids);
        return status == RTCAN ? RTCAN : RTNORM;
    }
    if ((mode == "W" || mode == "C") && point1 != nullptr && point2 != nullptr) {
        Rectangle box(point2d(point1), point2d(point2));
        ids = mode == "W" ? selector.window(box) : selector.crossing(box);
        return RTNORM;
    }
    if (mode == "X") {
        ids = selector.all();
        return RTNORM;
    }
    if (mode == "L") {
        std::vector<AcDbObjectId> all = selector.all();
        if (!all.empty()) {
            ids.push_back(all.back());
        }
        return RTNORM;
    }
    return RTERROR;
}

} // namespace

int acedSSGet(const char* mode, const void* point1, const void* point2, const resbuf* filter,
              ads_name ss) {
    if (ss == nullptr) {
        return RTERROR;
    }
    veld::ed::SelectionFilter selectionFilter;
    if (!selectionFilter.parse(filter)) {
        return RTERROR;
    }
    std::string m = InputParser::upper(InputParser::trim(mode != nullptr ? mode : ""));
    if (!m.empty() && m.front() == '_') {
        m.erase(0, 1);
    }
    std::vector<AcDbObjectId> ids;
    int status = selectByMode(m, point1, point2, ids);
    if (status != RTNORM) {
        return status;
    }
    std::erase_if(ids, [&](const AcDbObjectId& id) { return !selectionFilter.accepts(id); });
    auto& vars = commandLine().variables();
    std::string why;
    if (ids.empty()) {
        vars.set("ERRNO", veld::ed::SystemVariables::Value(kErrnoPickFailed), why);
        return RTERROR;
    }
    return commandLine().selectionSets().create(std::move(ids), ss) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name ss, Adesk::Int32* length) {
    const std::vector<AcDbObjectId>* set = commandLine().selectionSets().find(ss);
    if (set == nullptr || length == nullptr) {
        return RTERROR;
    }
    *length = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity) {
    const std::vector<AcDbObjectId>* set = commandLine().selectionSets().find(ss);
    if (set == nullptr || entity == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= set->size()) {
        return RTERROR;
    }
    return acdbGetAdsName(entity, (*set)[static_cast<std::size_t>(index)]) == Acad::eOk ? RTNORM
                                                                                        : RTERROR;
}

int acedSSFree(const ads_name ss) {
    return commandLine().selectionSets().free(ss) ? RTNORM : RTERROR;
}
