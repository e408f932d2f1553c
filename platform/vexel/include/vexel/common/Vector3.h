// Three-component single-precision vector.
#pragma once

#include <vexel/common/Export.h>

#include <cstddef>

namespace vexel {
namespace common {

//! A point or direction in 3D, single precision. Units are whatever the
//! producer states; everything the libraries hand out is in metres.
class VXCOMMON_API Vector3 {
public:
    static const Vector3 ZERO;
    static const Vector3 UNIT_X;
    static const Vector3 UNIT_Y;
    static const Vector3 UNIT_Z;
    static const Vector3 NEGATIVE_UNIT_X;
    static const Vector3 NEGATIVE_UNIT_Y;
    static const Vector3 NEGATIVE_UNIT_Z;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    //! The zero vector.
    Vector3() = default;
    Vector3(float fx, float fy, float fz) : x(fx), y(fy), z(fz) {}

    //! Component access, 0 = x, 1 = y, 2 = z.
    float operator[](std::size_t i) const { return i == 0 ? x : (i == 1 ? y : z); }
    float& operator[](std::size_t i) { return i == 0 ? x : (i == 1 ? y : z); }

    Vector3 operator+(const Vector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    Vector3 operator-(const Vector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    //! Component-wise product.
    Vector3 operator*(const Vector3& v) const { return {x * v.x, y * v.y, z * v.z}; }
    Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Vector3& operator+=(const Vector3& v);
    Vector3& operator-=(const Vector3& v);
    Vector3& operator*=(float s);

    //! Exact component comparison.
    bool operator==(const Vector3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const Vector3& v) const { return !(*this == v); }

    float length() const;
    float squaredLength() const { return x * x + y * y + z * z; }
    float distance(const Vector3& v) const { return (*this - v).length(); }
    float dotProduct(const Vector3& v) const { return x * v.x + y * v.y + z * v.z; }
    //! Right-handed cross product: UNIT_X.crossProduct(UNIT_Y) == UNIT_Z.
    Vector3 crossProduct(const Vector3& v) const;

    //! Scales the vector to unit length in place and returns its previous
    //! length. A zero vector is left unchanged (and 0 returned).
    float normalise();
    //! A unit-length copy (zero stays zero).
    Vector3 normalisedCopy() const;
};

inline Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}

}  // namespace common
}  // namespace vexel
