// The entity kinds the database models. Each setter needs the entity open for write (or not yet
// in a database); each getter needs it open (or not yet in a database).
#pragma once
#include "dbmain.h"

#include <vector>

#define VELD_DECLARE_STATE_COPY                                                                    \
    AcDbObject* cloneState() const override;                                                       \
    void restoreState(const AcDbObject& saved) override;

class AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve)
};

class AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine)
    AcDbLine() = default;
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : start_(start), end_(end) {}
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
    VELD_DECLARE_STATE_COPY

private:
    AcGePoint3d start_, end_;
};

class AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint)
    AcDbPoint() = default;
    explicit AcDbPoint(const AcGePoint3d& position) : position_(position) {}
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    VELD_DECLARE_STATE_COPY

private:
    AcGePoint3d position_;
};

class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText)
    AcDbText() = default;
    AcDbText(const AcGePoint3d& position, const char* text,
             AcDbObjectId style = AcDbObjectId::kNull, double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    double rotation() const; // radians, in the text's plane
    Acad::ErrorStatus setRotation(double r);
    double oblique() const; // radians
    Acad::ErrorStatus setOblique(double o);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double w);
    std::string textString() const;
    Acad::ErrorStatus setTextString(const char* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    // The normal of the entity's plane (+Z unless read so or set); its own coordinates in the
    // drawing file are taken in that plane's object coordinate system.
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal); // eInvalidInput for a zero vector
    VELD_DECLARE_STATE_COPY

protected:
    void copyTextState(const AcDbText& from);

private:
    AcGePoint3d position_, alignment_;
    double height_ = 0.0, rotation_ = 0.0, oblique_ = 0.0, widthFactor_ = 1.0;
    std::string text_;
    AcDbObjectId style_;
    AcDb::TextHorzMode horz_ = AcDb::kTextLeft;
    AcDb::TextVertMode vert_ = AcDb::kTextBase;
    AcGeVector3d normal_ = AcGeVector3d::kZAxis;
};

class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition)
    AcDbAttributeDefinition() = default;
    std::string tag() const;
    Acad::ErrorStatus setTag(const char* tag);
    std::string prompt() const;
    Acad::ErrorStatus setPrompt(const char* prompt);
    bool isConstant() const;
    Acad::ErrorStatus setConstant(bool on);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool on);
    bool isPreset() const;
    Acad::ErrorStatus setPreset(bool on);
    bool isVerifiable() const;
    Acad::ErrorStatus setVerifiable(bool on);
    VELD_DECLARE_STATE_COPY

private:
    std::string tag_, prompt_;
    bool constant_ = false, invisible_ = false, preset_ = false, verifiable_ = false;
};

class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute)
    AcDbAttribute() = default;
    std::string tag() const;
    Acad::ErrorStatus setTag(const char* tag);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool on);
    // Copies position, style, height, alignment and tag from the definition placed by `blockXform`.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* def,
                                            const AcGeMatrix3d& blockXform);
    VELD_DECLARE_STATE_COPY

private:
    std::string tag_;
    bool invisible_ = false;
};

// Walks the ids of a block reference's attributes (or other owned lists).
class AcDbObjectIterator {
public:
    explicit AcDbObjectIterator(AcDbObjectIdArray ids) : ids_(std::move(ids)) {}
    bool done() const { return index_ >= ids_.length(); }
    void step() { ++index_; }
    void start() { index_ = 0; }
    AcDbObjectId objectId() const { return ids_[index_]; }
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode) const {
        return acdbOpenAcDbEntity(entity, objectId(), mode);
    }

private:
    AcDbObjectIdArray ids_;
    int index_ = 0;
};

class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference)
    AcDbBlockReference() = default;
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
        : position_(position), block_(blockTableRecord) {}
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
    AcGeScale3d scaleFactors() const;
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const; // radians
    Acad::ErrorStatus setRotation(double r);
    // The normal of the entity's plane (+Z unless read so or set); its own coordinates in the
    // drawing file are taken in that plane's object coordinate system.
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal); // eInvalidInput for a zero vector
    // Block coordinates to world: scale, rotate in the plane of the normal, move to the
    // position (less the block's base).
    AcGeMatrix3d blockTransform() const;
    // Takes ownership of the attribute and appends it to the database (owner: this reference);
    // the reference must be in a database and open for write.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute);
    AcDbObjectIterator* attributeIterator() const; // the caller deletes it
    AcDbObjectIdArray attributeIds() const;
    VELD_DECLARE_STATE_COPY

private:
    friend struct veld::db::ObjectAccess;
    AcGePoint3d position_;
    AcDbObjectId block_;
    AcGeScale3d scale_;
    double rotation_ = 0.0;
    AcGeVector3d normal_ = AcGeVector3d::kZAxis;
    AcDbObjectIdArray attributes_;
};

class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle)
    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, double radius) : center_(center), radius_(radius) {}
    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& c);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
    // The normal of the entity's plane (+Z unless read so or set); its own coordinates in the
    // drawing file are taken in that plane's object coordinate system.
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal); // eInvalidInput for a zero vector
    VELD_DECLARE_STATE_COPY

private:
    AcGePoint3d center_;
    double radius_ = 0.0;
    AcGeVector3d normal_ = AcGeVector3d::kZAxis;
};

class AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc)
    AcDbArc() = default;
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
        : center_(center), radius_(radius), start_(startAngle), end_(endAngle) {}
    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& c);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
    // Radians, counter-clockwise about the normal from the x axis of the arc's plane.
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double a);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double a);
    // The normal of the entity's plane (+Z unless read so or set); its own coordinates in the
    // drawing file are taken in that plane's object coordinate system.
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal); // eInvalidInput for a zero vector
    VELD_DECLARE_STATE_COPY

private:
    AcGePoint3d center_;
    double radius_ = 0.0, start_ = 0.0, end_ = 0.0;
    AcGeVector3d normal_ = AcGeVector3d::kZAxis;
};

// Lightweight polyline: 2D vertices with bulges at an elevation, in the coordinates of its plane
// (the 2D getPointAt and addVertexAt); the 3D getPointAt gives world points.
class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline)
    AcDbPolyline() = default;
    unsigned int numVerts() const;
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    bool isClosed() const;
    void setClosed(bool closed);
    // Linetype generation: the pattern runs on across the vertices instead of starting afresh
    // at each one.
    bool hasPlinegen() const;
    void setPlinegen(bool on);
    double elevation() const;
    void setElevation(double e);
    double constantWidth() const;
    Acad::ErrorStatus setConstantWidth(double w);
    // The normal of the entity's plane (+Z unless read so or set); its own coordinates in the
    // drawing file are taken in that plane's object coordinate system.
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal); // eInvalidInput for a zero vector
    VELD_DECLARE_STATE_COPY

private:
    struct Vertex {
        AcGePoint2d point;
        double bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
        bool operator==(const Vertex&) const = default;
    };
    std::vector<Vertex> vertices_;
    bool closed_ = false, plinegen_ = false;
    double elevation_ = 0.0, constantWidth_ = 0.0;
    AcGeVector3d normal_ = AcGeVector3d::kZAxis;
};
