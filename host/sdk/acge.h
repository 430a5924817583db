// Plane and space geometry value types of the SDK: points, vectors, transformation matrices.
// Plain value types; everything is inline.
#pragma once
#include "acarray.h"

#include <cmath>

class AcGeMatrix3d;

class AcGeVector2d {
public:
    double x = 0.0, y = 0.0;
    AcGeVector2d() = default;
    AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
    double length() const { return std::hypot(x, y); }
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    double angle() const {
        double a = std::atan2(y, x);
        return a < 0.0 ? a + 2.0 * M_PI : a;
    }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-() const { return {-x, -y}; }
    bool operator==(const AcGeVector2d&) const = default;
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;
};
inline const AcGeVector2d AcGeVector2d::kXAxis{1.0, 0.0};
inline const AcGeVector2d AcGeVector2d::kYAxis{0.0, 1.0};

class AcGePoint2d {
public:
    double x = 0.0, y = 0.0;
    AcGePoint2d() = default;
    AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
    double distanceTo(const AcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    AcGePoint2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }
    bool operator==(const AcGePoint2d&) const = default;
    static const AcGePoint2d kOrigin;
};
inline const AcGePoint2d AcGePoint2d::kOrigin{0.0, 0.0};

class AcGeVector3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;
    AcGeVector3d() = default;
    AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    AcGeVector3d normal() const {
        double l = length();
        return l > 0.0 ? AcGeVector3d{x / l, y / l, z / l} : *this;
    }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d& transformBy(const AcGeMatrix3d& m);
    bool operator==(const AcGeVector3d&) const = default;
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;
    static const AcGeVector3d kIdentity;
};
inline const AcGeVector3d AcGeVector3d::kXAxis{1.0, 0.0, 0.0};
inline const AcGeVector3d AcGeVector3d::kYAxis{0.0, 1.0, 0.0};
inline const AcGeVector3d AcGeVector3d::kZAxis{0.0, 0.0, 1.0};
inline const AcGeVector3d AcGeVector3d::kIdentity{0.0, 0.0, 0.0};

class AcGePoint3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;
    AcGePoint3d() = default;
    AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    double distanceTo(const AcGePoint3d& p) const {
        return std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) + (z - p.z) * (z - p.z));
    }
    AcGePoint2d convert2d() const { return {x, y}; }
    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGeVector3d asVector() const { return {x, y, z}; }
    AcGePoint3d& set(double xx, double yy, double zz) {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGePoint3d& transformBy(const AcGeMatrix3d& m);
    double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    bool isEqualTo(const AcGePoint3d& p, double tol = 1e-10) const { return distanceTo(p) <= tol; }
    bool operator==(const AcGePoint3d&) const = default;
    static const AcGePoint3d kOrigin;
};
inline const AcGePoint3d AcGePoint3d::kOrigin{0.0, 0.0, 0.0};

struct AcGeScale3d {
    double sx = 1.0, sy = 1.0, sz = 1.0;
    AcGeScale3d() = default;
    explicit AcGeScale3d(double s) : sx(s), sy(s), sz(s) {}
    AcGeScale3d(double a, double b, double c) : sx(a), sy(b), sz(c) {}
    bool operator==(const AcGeScale3d&) const = default;
};

// A 4x4 affine transformation, row-major; points are column vectors (p' = M p).
class AcGeMatrix3d {
public:
    double entry[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    AcGeMatrix3d() = default;
    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d operator*(const AcGeMatrix3d& o) const {
        AcGeMatrix3d r;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                double s = 0.0;
                for (int k = 0; k < 4; ++k) {
                    s += entry[i][k] * o.entry[k][j];
                }
                r.entry[i][j] = s;
            }
        }
        return r;
    }
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left) { return *this = left * *this; }
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right) { return *this = *this * right; }

    // Maps the world frame onto the frame at `origin` with the given axes.
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                 const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
        *this = AcGeMatrix3d();
        const AcGeVector3d axes[3] = {xAxis, yAxis, zAxis};
        for (int c = 0; c < 3; ++c) {
            entry[0][c] = axes[c].x;
            entry[1][c] = axes[c].y;
            entry[2][c] = axes[c].z;
        }
        entry[0][3] = origin.x;
        entry[1][3] = origin.y;
        entry[2][3] = origin.z;
        return *this;
    }
    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v) {
        *this = AcGeMatrix3d();
        entry[0][3] = v.x;
        entry[1][3] = v.y;
        entry[2][3] = v.z;
        return *this;
    }
    // Rotation by `angle` (radians, counter-clockwise looking down `axis`) about `center`.
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        const AcGeVector3d u = axis.normal();
        const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
        *this = AcGeMatrix3d();
        entry[0][0] = t * u.x * u.x + c;
        entry[0][1] = t * u.x * u.y - s * u.z;
        entry[0][2] = t * u.x * u.z + s * u.y;
        entry[1][0] = t * u.x * u.y + s * u.z;
        entry[1][1] = t * u.y * u.y + c;
        entry[1][2] = t * u.y * u.z - s * u.x;
        entry[2][0] = t * u.x * u.z - s * u.y;
        entry[2][1] = t * u.y * u.z + s * u.x;
        entry[2][2] = t * u.z * u.z + c;
        for (int i = 0; i < 3; ++i) {
            entry[i][3] = center[i] - (entry[i][0] * center.x + entry[i][1] * center.y +
                                       entry[i][2] * center.z);
        }
        return *this;
    }
    AcGeMatrix3d& setToScaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        *this = AcGeMatrix3d();
        for (int i = 0; i < 3; ++i) {
            entry[i][i] = scale;
            entry[i][3] = center[i] * (1.0 - scale);
        }
        return *this;
    }
    static AcGeMatrix3d translation(const AcGeVector3d& v) {
        return AcGeMatrix3d().setToTranslation(v);
    }
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToRotation(angle, axis, center);
    }
    static AcGeMatrix3d scaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToScaling(scale, center);
    }
    // The object coordinate system of a plane with this normal (the arbitrary axis rule of
    // drawing files): its x axis is world Y x normal, or world Z x normal when the normal is
    // near the world Z axis; its y axis is normal x x axis.
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromX,
                                      const AcGeVector3d& fromY, const AcGeVector3d& fromZ,
                                      const AcGePoint3d& toOrigin, const AcGeVector3d& toX,
                                      const AcGeVector3d& toY, const AcGeVector3d& toZ);
    bool operator==(const AcGeMatrix3d&) const = default;
};
inline const AcGeMatrix3d AcGeMatrix3d::kIdentity{};

inline AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    const double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z + m.entry[0][3];
    const double ny = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z + m.entry[1][3];
    const double nz = m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z + m.entry[2][3];
    x = nx;
    y = ny;
    z = nz;
    return *this;
}
inline AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    const double nx = m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z;
    const double ny = m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z;
    const double nz = m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z;
    x = nx;
    y = ny;
    z = nz;
    return *this;
}
inline AcGeMatrix3d
AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromX,
                            const AcGeVector3d& fromY, const AcGeVector3d& fromZ,
                            const AcGePoint3d& toOrigin, const AcGeVector3d& toX,
                            const AcGeVector3d& toY, const AcGeVector3d& toZ) {
    // from-frame to world is orthonormal, so its inverse is the transpose.
    AcGeMatrix3d fromInv;
    const AcGeVector3d f[3] = {fromX, fromY, fromZ};
    for (int r = 0; r < 3; ++r) {
        fromInv.entry[r][0] = f[r].x;
        fromInv.entry[r][1] = f[r].y;
        fromInv.entry[r][2] = f[r].z;
        fromInv.entry[r][3] =
            -(f[r].x * fromOrigin.x + f[r].y * fromOrigin.y + f[r].z * fromOrigin.z);
    }
    AcGeMatrix3d to;
    to.setCoordSystem(toOrigin, toX, toY, toZ);
    return to * fromInv;
}

inline AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
    const AcGeVector3d n = normal.normal();
    constexpr double kNearZ = 1.0 / 64.0;
    const AcGeVector3d reference = std::fabs(n.x) < kNearZ && std::fabs(n.y) < kNearZ
                                       ? AcGeVector3d::kYAxis
                                       : AcGeVector3d::kZAxis;
    const AcGeVector3d xAxis = reference.crossProduct(n).normal();
    const AcGeVector3d yAxis = n.crossProduct(xAxis).normal();
    return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, xAxis, yAxis, n);
}
inline AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) {
    // The plane's axes are orthonormal: the inverse is the transpose.
    const AcGeMatrix3d toWorld = planeToWorld(normal);
    AcGeMatrix3d inverse;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            inverse.entry[r][c] = toWorld.entry[c][r];
        }
    }
    return inverse;
}

using AcGePoint2dArray = AcArray<AcGePoint2d>;
using AcGePoint3dArray = AcArray<AcGePoint3d>;
using AcGeDoubleArray = AcArray<double>;
