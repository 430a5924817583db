// AcDbPolyline: lightweight polyline with bulges and widths.
#include "SetterSupport.h"
#include "dbents.h"

ACRX_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve)

unsigned int AcDbPolyline::numVerts() const {
    return static_cast<unsigned int>(vertices_.size());
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth) {
    if (index > vertices_.size()) {
        return Acad::eInvalidIndex;
    }
    if (!veld::db::isFinite(pt) || !std::isfinite(bulge) || !std::isfinite(startWidth) ||
        !std::isfinite(endWidth)) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    Vertex v;
    v.point = pt;
    v.bulge = bulge;
    // A negative width asks for the polyline's constant width.
    v.startWidth = startWidth < 0.0 ? constantWidth_ : startWidth;
    v.endWidth = endWidth < 0.0 ? constantWidth_ : endWidth;
    vertices_.insert(vertices_.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const {
    if (index >= vertices_.size()) {
        return Acad::eInvalidIndex;
    }
    pt = vertices_[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const {
    AcGePoint2d p;
    const Acad::ErrorStatus es = getPointAt(index, p);
    if (es == Acad::eOk) {
        pt.set(p.x, p.y, elevation_);
        if (normal_ != AcGeVector3d::kZAxis) {
            pt.transformBy(AcGeMatrix3d::planeToWorld(normal_));
        }
    }
    return es;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    if (index >= vertices_.size()) {
        return Acad::eInvalidIndex;
    }
    bulge = vertices_[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth,
                                            double& endWidth) const {
    if (index >= vertices_.size()) {
        return Acad::eInvalidIndex;
    }
    startWidth = vertices_[index].startWidth;
    endWidth = vertices_[index].endWidth;
    return Acad::eOk;
}

bool AcDbPolyline::isClosed() const {
    return closed_;
}

void AcDbPolyline::setClosed(bool closed) {
    if (assertWriteEnabled() == Acad::eOk) {
        closed_ = closed;
    }
}

bool AcDbPolyline::hasPlinegen() const {
    return plinegen_;
}

void AcDbPolyline::setPlinegen(bool on) {
    if (assertWriteEnabled() == Acad::eOk) {
        plinegen_ = on;
    }
}

double AcDbPolyline::elevation() const {
    return elevation_;
}

void AcDbPolyline::setElevation(double e) {
    if (std::isfinite(e) && assertWriteEnabled() == Acad::eOk) {
        elevation_ = e;
    }
}

double AcDbPolyline::constantWidth() const {
    return constantWidth_;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double w) {
    if (!(w >= 0.0) || !std::isfinite(w)) {
        return Acad::eInvalidInput;
    }
    VELD_WRITE_OR_RETURN();
    constantWidth_ = w;
    for (Vertex& v : vertices_) {
        v.startWidth = v.endWidth = w;
    }
    return Acad::eOk;
}

AcGeVector3d AcDbPolyline::normal() const {
    return normal_;
}
Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& n) {
    VELD_SET_NORMAL(normal_, n);
}

AcDbObject* AcDbPolyline::cloneState() const {
    auto* copy = new AcDbPolyline;
    copy->restoreState(*this);
    return copy;
}

void AcDbPolyline::restoreState(const AcDbObject& saved) {
    const auto& from = static_cast<const AcDbPolyline&>(saved);
    copyEntityState(from);
    vertices_ = from.vertices_;
    closed_ = from.closed_;
    plinegen_ = from.plinegen_;
    elevation_ = from.elevation_;
    constantWidth_ = from.constantWidth_;
    normal_ = from.normal_;
}
