// Current text and dimension styles and the dimension variables of a style.
#include "host/ed/StyleVariables.h"

#include "host/db/DatabaseImpl.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/OpenedObject.h"

#include <cstdio>

namespace veld::ed {

namespace {

using Record = AcDbDimStyleTableRecord;
using RealGetter = double (Record::*)() const;
using RealSetter = Acad::ErrorStatus (Record::*)(double);

struct RealAccess {
    const char* name;
    RealGetter get;
    RealSetter set;
};

const RealAccess kReals[] = {
    {"DIMASZ", &Record::dimasz, &Record::setDimasz},
    {"DIMEXE", &Record::dimexe, &Record::setDimexe},
    {"DIMEXO", &Record::dimexo, &Record::setDimexo},
    {"DIMGAP", &Record::dimgap, &Record::setDimgap},
    {"DIMSCALE", &Record::dimscale, &Record::setDimscale},
    {"DIMTSZ", &Record::dimtsz, &Record::setDimtsz},
    {"DIMTXT", &Record::dimtxt, &Record::setDimtxt},
};

const RealAccess* realAccess(const std::string& name) {
    for (const RealAccess& r : kReals) {
        if (name == r.name) {
            return &r;
        }
    }
    return nullptr;
}

std::optional<double> valueOf(const Record& r, const std::string& name) {
    if (const RealAccess* access = realAccess(name)) {
        return (r.*(access->get))();
    }
    if (name == "DIMDEC") {
        return r.dimdec();
    }
    if (name == "DIMTAD") {
        return r.dimtad() ? 1.0 : 0.0;
    }
    return std::nullopt;
}

bool store(Record& r, const std::string& name, double value) {
    if (const RealAccess* access = realAccess(name)) {
        return (r.*(access->set))(value) == Acad::eOk;
    }
    if (name == "DIMDEC") {
        return value == static_cast<int>(value) &&
               r.setDimdec(static_cast<int>(value)) == Acad::eOk;
    }
    if (name == "DIMTAD") {
        return (value == 0.0 || value == 1.0) && r.setDimtad(value == 1.0) == Acad::eOk;
    }
    return false;
}

template <class Table> AcDbObjectId findRecord(const std::string& name) {
    AcDbDatabase* db = CurrentDrawing::database();
    Table* table = nullptr;
    if (db == nullptr || name.empty() || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) {
        return AcDbObjectId::kNull;
    }
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) {
        id = AcDbObjectId::kNull;
    }
    table->close();
    return id;
}

} // namespace

const std::vector<StyleVariables::DimVariable>& StyleVariables::dimensionVariables() {
    static const std::vector<DimVariable> variables{
        {"DIMASZ", "Arrow size", false},
        {"DIMDEC", "Decimal places", true},
        {"DIMEXE", "Extension above dimension line", false},
        {"DIMEXO", "Extension line origin offset", false},
        {"DIMGAP", "Gap from dimension line to text", false},
        {"DIMSCALE", "Overall scale factor", false},
        {"DIMTAD", "Place text above the dimension line", true},
        {"DIMTSZ", "Tick size", false},
        {"DIMTXT", "Text height", false},
    };
    return variables;
}

AcDbObjectId StyleVariables::dimStyle(const std::string& name) {
    return findRecord<AcDbDimStyleTable>(name);
}

AcDbObjectId StyleVariables::textStyle(const std::string& name) {
    return findRecord<AcDbTextStyleTable>(name);
}

std::string StyleVariables::recordName(AcDbObjectId record) {
    Opened<AcDbSymbolTableRecord> r;
    return r.open(record, AcDb::kForRead) == Acad::eOk ? r->name() : std::string();
}

std::string StyleVariables::currentDimStyle() {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? recordName(db->dimstyle()) : std::string();
}

std::string StyleVariables::currentTextStyle() {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? recordName(db->textstyle()) : std::string();
}

std::string StyleVariables::setCurrentDimStyle(const std::string& name) {
    const AcDbObjectId id = dimStyle(name);
    if (id.isNull()) {
        return "Cannot find dimension style \"" + name + "\".";
    }
    CurrentDrawing::database()->impl().ids().dimstyle = id;
    return "";
}

std::string StyleVariables::setCurrentTextStyle(const std::string& name) {
    const AcDbObjectId id = textStyle(name);
    if (id.isNull()) {
        return "Cannot find text style \"" + name + "\".";
    }
    CurrentDrawing::database()->impl().ids().textstyle = id;
    return "";
}

std::optional<double> StyleVariables::dimValue(AcDbObjectId style, const std::string& variable) {
    Opened<Record> r;
    if (r.open(style, AcDb::kForRead) != Acad::eOk) {
        return std::nullopt;
    }
    return valueOf(*r.get(), variable);
}

bool StyleVariables::setDimValue(AcDbObjectId style, const std::string& variable, double value) {
    Opened<Record> r;
    return r.open(style, AcDb::kForWrite) == Acad::eOk && store(*r.get(), variable, value);
}

void StyleVariables::copyDimVariables(const Record& from, Record& to) {
    for (const DimVariable& v : dimensionVariables()) {
        store(to, v.name, valueOf(from, v.name).value_or(0.0));
    }
    to.setDimtxsty(from.dimtxsty());
}

std::string StyleVariables::listDimVariables(AcDbObjectId style) {
    std::string text;
    for (const DimVariable& v : dimensionVariables()) {
        const double value = dimValue(style, v.name).value_or(0.0);
        char line[160];
        if (v.integer) {
            std::snprintf(line, sizeof line, "\n%-9s %-14d %s", v.name, static_cast<int>(value),
                          v.meaning);
        } else {
            std::snprintf(line, sizeof line, "\n%-9s %-14.4f %s", v.name, value, v.meaning);
        }
        text += line;
    }
    std::string styleName = recordName([&] {
        Opened<Record> r;
        return r.open(style, AcDb::kForRead) == Acad::eOk ? r->dimtxsty() : AcDbObjectId::kNull;
    }());
    char line[160];
    std::snprintf(line, sizeof line, "\n%-9s %-14s %s", "DIMTXSTY", styleName.c_str(),
                  "Text style");
    return text + line;
}

} // namespace veld::ed
