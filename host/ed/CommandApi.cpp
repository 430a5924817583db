// acedCommand, acedCmd and acdbEntLast: host commands run with items given by the caller.
#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CommandProcessor.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/InputParser.h"

#include <cstdarg>
#include <optional>

using veld::ed::CommandItem;
using veld::ed::InputParser;

namespace {

CommandItem textItem(const char* text) {
    CommandItem item;
    item.text = text != nullptr ? text : "";
    return item;
}

CommandItem numberItem(double value) {
    CommandItem item;
    item.type = CommandItem::Type::Number;
    item.number = value;
    item.text = InputParser::formatNumber(value);
    return item;
}

CommandItem pointItem(const double* p, bool threeD) {
    CommandItem item;
    item.type = CommandItem::Type::Point;
    item.point = AcGePoint3d(p[0], p[1], threeD ? p[2] : 0.0);
    item.text = InputParser::formatNumber(item.point.x) + "," +
                InputParser::formatNumber(item.point.y) +
                (threeD ? "," + InputParser::formatNumber(item.point.z) : "");
    return item;
}

bool endsList(int type) {
    return type == 0 || type == RTNONE;
}

// One item from the variable arguments; nullopt for a type acedCommand does not take.
std::optional<CommandItem> nextItem(int type, va_list& args) {
    switch (type) {
    case RTSTR:
        return textItem(va_arg(args, const char*));
    case RTREAL:
    case RTANG:
    case RTORINT:
        return numberItem(va_arg(args, double));
    case RTSHORT:
    case RTLONG:
        return numberItem(static_cast<double>(va_arg(args, int)));
    case RTPOINT:
    case RT3DPOINT: {
        const double* p = va_arg(args, const double*);
        if (p == nullptr) {
            return std::nullopt;
        }
        return pointItem(p, type == RT3DPOINT);
    }
    default:
        return std::nullopt;
    }
}

std::optional<CommandItem> itemOf(const resbuf* rb) {
    switch (rb->restype) {
    case RTSTR:
        return textItem(rb->resval.rstring);
    case RTREAL:
    case RTANG:
    case RTORINT:
        return numberItem(rb->resval.rreal);
    case RTSHORT:
        return numberItem(rb->resval.rint);
    case RTLONG:
        return numberItem(rb->resval.rlong);
    case RTPOINT:
    case RT3DPOINT:
        return pointItem(rb->resval.rpoint, rb->restype == RT3DPOINT);
    default:
        return std::nullopt;
    }
}

} // namespace

int acedCommand(int rtype, ...) {
    std::deque<CommandItem> items;
    va_list args;
    va_start(args, rtype);
    for (int type = rtype; !endsList(type); type = va_arg(args, int)) {
        std::optional<CommandItem> item = nextItem(type, args);
        if (!item) {
            va_end(args);
            return RTERROR;
        }
        items.push_back(std::move(*item));
    }
    va_end(args);
    return veld::ed::CommandProcessor::runItems(std::move(items));
}

int acedCmd(const resbuf* rb) {
    std::deque<CommandItem> items;
    for (; rb != nullptr && !endsList(rb->restype); rb = rb->rbnext) {
        std::optional<CommandItem> item = itemOf(rb);
        if (!item) {
            return RTERROR;
        }
        items.push_back(std::move(*item));
    }
    return veld::ed::CommandProcessor::runItems(std::move(items));
}

int acdbEntLast(ads_name result) {
    AcDbDatabase* db = veld::ed::CurrentDrawing::database();
    AcDbBlockTableRecord* space = nullptr;
    if (result == nullptr || db == nullptr ||
        acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead) != Acad::eOk) {
        return RTERROR;
    }
    AcDbObjectIdArray ids = space->entityIds();
    space->close();
    if (ids.isEmpty()) {
        return RTERROR;
    }
    return acdbGetAdsName(result, ids.last()) == Acad::eOk ? RTNORM : RTERROR;
}
