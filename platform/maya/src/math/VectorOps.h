#pragma once
// Behaviour shared by the float and double twins of Maya's points and vectors, written once
// over their public x, y, z (and w) members. Each twin calls these with its own types, so the
// arithmetic runs in that twin's precision exactly as a hand-written copy would.

#include <cmath>
#include <cstddef>
#include <ostream>
#include <type_traits>

#include <maya/MStatus.h>

namespace mayasim::vectorops {

template <typename V, typename S>
V& scaleBy(V& v, S scalar) {
    v.x *= scalar;
    v.y *= scalar;
    v.z *= scalar;
    return v;
}

template <typename V, typename S>
V& divideBy(V& v, S scalar) {
    v.x /= scalar;
    v.y /= scalar;
    v.z /= scalar;
    return v;
}

// Adds or subtracts only x, y and z, so a point keeps its w.
template <typename V, typename U>
V& addTo(V& v, const U& other) {
    v.x += other.x;
    v.y += other.y;
    v.z += other.z;
    return v;
}

template <typename V, typename U>
V& subtractFrom(V& v, const U& other) {
    v.x -= other.x;
    v.y -= other.y;
    v.z -= other.z;
    return v;
}

// Row vector times the upper 3x3 of m, as Maya transforms directions.
template <typename V, typename M>
V rowTimes3x3(const V& v, const M& m) {
    return V(v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0),
             v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1),
             v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2));
}

template <typename V, typename M>
V times3x3Column(const M& m, const V& v) {
    return V(m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z,
             m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
             m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z);
}

template <typename P, typename M>
P rowTimes4x4(const P& p, const M& m) {
    return P(p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + p.w * m(3, 0),
             p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + p.w * m(3, 1),
             p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + p.w * m(3, 2),
             p.x * m(0, 3) + p.y * m(1, 3) + p.z * m(2, 3) + p.w * m(3, 3));
}

template <typename P, typename M>
P times4x4Column(const M& m, const P& p) {
    return P(m(0, 0) * p.x + m(0, 1) * p.y + m(0, 2) * p.z + m(0, 3) * p.w,
             m(1, 0) * p.x + m(1, 1) * p.y + m(1, 2) * p.z + m(1, 3) * p.w,
             m(2, 0) * p.x + m(2, 1) * p.y + m(2, 2) * p.z + m(2, 3) * p.w,
             m(3, 0) * p.x + m(3, 1) * p.y + m(3, 2) * p.z + m(3, 3) * p.w);
}

template <typename V>
auto lengthOf(const V& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// A (near) zero vector has no direction and is left as it is.
template <typename V>
MStatus normalizeInPlace(V& v) {
    using Scalar = decltype(v.x + v.x);
    const Scalar lengthSquared = v.x * v.x + v.y * v.y + v.z * v.z;
    if (lengthSquared > Scalar(1e-20))
        divideBy(v, std::sqrt(lengthSquared));
    return MStatus::kSuccess;
}

template <typename V>
V normalOf(const V& v) {
    V result(v);
    normalizeInPlace(result);
    return result;
}

// Compares squared lengths so no square root is taken.
template <typename V, typename S>
bool shorterThan(const V& v, S tolerance) {
    return v * v < tolerance * tolerance;
}

template <typename Scalar, typename V>
MStatus copyXyz(const V& v, Scalar* dest) {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = static_cast<Scalar>(v.x);
    dest[1] = static_cast<Scalar>(v.y);
    dest[2] = static_cast<Scalar>(v.z);
    return MStatus::kSuccess;
}

template <typename Scalar, typename P>
MStatus copyXyzw(const P& p, Scalar* dest) {
    if (!dest)
        return MStatus::kFailure;
    copyXyz(p, dest);
    dest[3] = static_cast<Scalar>(p.w);
    return MStatus::kSuccess;
}

// Copies the first `width` components of each element into one row of dest each.
template <unsigned int width, typename Items, typename Dest>
MStatus copyRows(const Items& items, Dest dest) {
    using Scalar = std::remove_reference_t<decltype(dest[0][0])>;
    if (!dest)
        return MStatus::kInvalidParameter;
    for (std::size_t i = 0; i < items.size(); ++i)
        for (unsigned int c = 0; c < width; ++c)
            dest[i][c] = static_cast<Scalar>(items[i][c]);
    return MStatus::kSuccess;
}

// Any index past z reads w, and past w reads x, as Maya's points do.
template <typename P>
auto& componentOf(P& p, unsigned int i) {
    switch (i) {
        case 1:
            return p.y;
        case 2:
            return p.z;
        case 3:
            return p.w;
        default:
            return p.x;
    }
}

// A point at infinity (w == 0) has no cartesian form and is left unchanged.
template <typename P>
P& cartesianizeInPlace(P& p) {
    using Scalar = decltype(p.w + p.w);
    if (p.w != Scalar(0) && p.w != Scalar(1)) {
        divideBy(p, p.w);
        p.w = Scalar(1);
    }
    return p;
}

template <typename P>
P& rationalizeInPlace(P& p) {
    using Scalar = decltype(p.w + p.w);
    if (p.w != Scalar(0) && p.w != Scalar(1))
        divideBy(p, p.w);
    return p;
}

template <typename P>
P& homogenizeInPlace(P& p) {
    return scaleBy(p, p.w);
}

template <typename P>
P cartesian(const P& p) {
    P result(p);
    return cartesianizeInPlace(result);
}

// Points are compared and offset through their cartesian forms so differing w's agree.
template <typename V, typename P>
V pointDifference(const P& a, const P& b) {
    const P ca = cartesian(a);
    const P cb = cartesian(b);
    return V(ca.x - cb.x, ca.y - cb.y, ca.z - cb.z);
}

template <typename P, typename V>
P pointPlus(const P& p, const V& offset) {
    const P c = cartesian(p);
    return P(c.x + offset.x, c.y + offset.y, c.z + offset.z);
}

template <typename P, typename V>
P pointMinus(const P& p, const V& offset) {
    const P c = cartesian(p);
    return P(c.x - offset.x, c.y - offset.y, c.z - offset.z);
}

template <typename V>
std::ostream& printXyz(std::ostream& os, const V& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}

template <typename P>
std::ostream& printXyzw(std::ostream& os, const P& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}

}  // namespace mayasim::vectorops
