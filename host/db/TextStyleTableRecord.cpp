// AcDbTextStyleTableRecord: fixed height, width factor and font files.
#include "SetterSupport.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord)

double AcDbTextStyleTableRecord::textSize() const {
    return size_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
    if (size < 0.0) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(size_, size);
}

double AcDbTextStyleTableRecord::xScale() const {
    return xScale_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double scale) {
    if (!(scale > 0.0)) {
        return Acad::eInvalidInput;
    }
    VELD_SET_FINITE(xScale_, scale);
}

std::string AcDbTextStyleTableRecord::fileName() const {
    return file_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const char* file) {
    VELD_WRITE_OR_RETURN();
    file_ = file != nullptr ? file : "";
    return Acad::eOk;
}

std::string AcDbTextStyleTableRecord::bigFontFileName() const {
    return bigFont_;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const char* file) {
    VELD_WRITE_OR_RETURN();
    bigFont_ = file != nullptr ? file : "";
    return Acad::eOk;
}

AcDbObject* AcDbTextStyleTableRecord::cloneState() const {
    auto* copy = new AcDbTextStyleTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbTextStyleTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbTextStyleTableRecord&>(saved);
    copyRecordState(from);
    size_ = from.size_;
    xScale_ = from.xScale_;
    file_ = from.file_;
    bigFont_ = from.bigFont_;
}
