// Shared checks of the objects' setters: write access (journaling the state before the first
// change) and finite numbers.
#pragma once
#include "acge.h"

#include <cmath>

#define VELD_WRITE_OR_RETURN()                                                                     \
    do {                                                                                           \
        const Acad::ErrorStatus veldWriteStatus = assertWriteEnabled();                            \
        if (veldWriteStatus != Acad::eOk) {                                                        \
            return veldWriteStatus;                                                                \
        }                                                                                          \
    } while (false)

// Sets a member after the write check; a NaN or infinite value is refused with eInvalidInput.
#define VELD_SET_FINITE(member, value)                                                             \
    do {                                                                                           \
        if (!veld::db::isFinite(value)) {                                                          \
            return Acad::eInvalidInput;                                                            \
        }                                                                                          \
        VELD_WRITE_OR_RETURN();                                                                    \
        member = value;                                                                            \
        return Acad::eOk;                                                                          \
    } while (false)

namespace veld::db {

inline bool isFinite(double v) {
    return std::isfinite(v);
}
inline bool isFinite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
inline bool isFinite(const AcGePoint2d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

inline bool isFinite(const AcGeVector3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace veld::db

// Sets a plane normal after the write check, as a unit vector; a zero or non-finite vector is
// refused with eInvalidInput.
#define VELD_SET_NORMAL(member, value)                                                             \
    do {                                                                                           \
        if (!veld::db::isFinite(value) || (value).length() == 0.0) {                               \
            return Acad::eInvalidInput;                                                            \
        }                                                                                          \
        VELD_WRITE_OR_RETURN();                                                                    \
        member = (value).normal();                                                                 \
        return Acad::eOk;                                                                          \
    } while (false)
