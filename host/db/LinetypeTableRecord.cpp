// AcDbLinetypeTableRecord: description and dash pattern.
#include "SetterSupport.h"
#include "dbsymtb.h"

#include <numeric>

ACRX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord)

std::string AcDbLinetypeTableRecord::comments() const {
    return comments_;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const char* text) {
    VELD_WRITE_OR_RETURN();
    comments_ = text != nullptr ? text : "";
    return Acad::eOk;
}

std::vector<double> AcDbLinetypeTableRecord::dashes() const {
    return dashes_;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setDashes(const std::vector<double>& dashes) {
    for (double d : dashes) {
        if (!std::isfinite(d)) {
            return Acad::eInvalidInput;
        }
    }
    VELD_WRITE_OR_RETURN();
    dashes_ = dashes;
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::patternLength() const {
    return std::accumulate(dashes_.begin(), dashes_.end(), 0.0,
                           [](double sum, double d) { return sum + std::fabs(d); });
}

AcDbObject* AcDbLinetypeTableRecord::cloneState() const {
    auto* copy = new AcDbLinetypeTableRecord;
    copy->restoreState(*this);
    return copy;
}

void AcDbLinetypeTableRecord::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbLinetypeTableRecord&>(saved);
    copyRecordState(from);
    comments_ = from.comments_;
    dashes_ = from.dashes_;
}
