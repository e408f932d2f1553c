#pragma once
// The cell arithmetic shared by MMatrix and MFloatMatrix. Determinants, adjugate and inverse
// are computed in double and narrowed on the way out, so the float matrix loses nothing extra.

#include <cmath>
#include <ostream>
#include <type_traits>

#include <maya/MStatus.h>

namespace mayasim::matrixops {

using Mat4 = double[4][4];

template <typename T>
void widen(const T (&src)[4][4], Mat4& dst) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dst[r][c] = static_cast<double>(src[r][c]);
}

template <typename T>
void narrow(const Mat4& src, T (&dst)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dst[r][c] = static_cast<T>(src[r][c]);
}

template <typename T>
void setIdentity(T (&m)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] = r == c ? T(1) : T(0);
}

template <typename T>
void multiply(const T (&left)[4][4], const T (&right)[4][4], T (&out)[4][4]) {
    T result[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += double(left[r][k]) * double(right[k][c]);
            result[r][c] = static_cast<T>(sum);
        }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r][c] = result[r][c];
}

// Copies cell by cell, converting to the destination's scalar type.
template <typename Dst, typename Src>
void copyCells(Dst dst, Src src) {
    using T = std::remove_reference_t<decltype(dst[0][0])>;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dst[r][c] = static_cast<T>(src[r][c]);
}

template <typename Dst, typename Src>
MStatus getCells(Dst dest, Src src) {
    if (!dest)
        return MStatus::kFailure;
    copyCells(dest, src);
    return MStatus::kSuccess;
}

template <typename T>
void transposeInto(const T (&m)[4][4], T (&out)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[c][r] = m[r][c];
}

template <typename T>
void addCells(T (&m)[4][4], const T (&other)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] += other[r][c];
}

template <typename T>
void subtractCells(T (&m)[4][4], const T (&other)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] -= other[r][c];
}

template <typename T>
void scaleCells(T (&m)[4][4], T scale) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m[r][c] *= scale;
}

template <typename T>
bool equalCells(const T (&a)[4][4], const T (&b)[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (a[r][c] != b[r][c])
                return false;
    return true;
}

template <typename T>
bool equivalentCells(const T (&a)[4][4], const T (&b)[4][4], T tolerance) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(a[r][c] - b[r][c]) > tolerance)
                return false;
    return true;
}

template <typename T>
std::ostream& printCells(std::ostream& os, const T (&m)[4][4]) {
    os << "[";
    for (int r = 0; r < 4; ++r) {
        os << (r ? ", [" : "[");
        for (int c = 0; c < 4; ++c)
            os << (c ? ", " : "") << m[r][c];
        os << "]";
    }
    return os << "]";
}

// Divides through by the homogeneous element so that matrix[3][3] becomes 1.
template <typename M>
M homogenized(const M& m) {
    using T = std::remove_cv_t<std::remove_reference_t<decltype(m.matrix[3][3])>>;
    const T w = m.matrix[3][3];
    if (w == T(0))
        return m;
    return m * (T(1) / w);
}

// Determinant of the 3x3 matrix left after removing row `skipRow` and column `skipCol`.
inline double minor3(const Mat4& m, int skipRow, int skipCol) {
    int rows[3], cols[3];
    for (int i = 0, r = 0; i < 4; ++i)
        if (i != skipRow)
            rows[r++] = i;
    for (int i = 0, c = 0; i < 4; ++i)
        if (i != skipCol)
            cols[c++] = i;
    auto at = [&](int r, int c) { return m[rows[r]][cols[c]]; };
    return at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1)) -
           at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0)) +
           at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
}

inline double det3x3(const Mat4& m) {
    return minor3(m, 3, 3);
}

inline double det4x4(const Mat4& m) {
    double det = 0.0;
    for (int c = 0; c < 4; ++c)
        det += (c % 2 ? -1.0 : 1.0) * m[0][c] * minor3(m, 0, c);
    return det;
}

inline void adjugate(const Mat4& m, Mat4& out) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[c][r] = ((r + c) % 2 ? -1.0 : 1.0) * minor3(m, r, c);
}

// Singular relative to the matrix's own magnitude, so tiny but well-formed scales still invert.
inline bool isSingular(const Mat4& m) {
    double largest = 0.0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            largest = std::fmax(largest, std::fabs(m[r][c]));
    if (largest == 0.0)
        return true;
    const double scale = largest * largest * largest * largest;
    return std::fabs(det4x4(m)) <= 1.0e-14 * scale;
}

inline bool invert(const Mat4& m, Mat4& out) {
    if (isSingular(m))
        return false;
    const double det = det4x4(m);
    adjugate(m, out);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r][c] /= det;
    return true;
}

template <typename T>
bool invertCells(const T (&m)[4][4], T (&out)[4][4]) {
    Mat4 wide, inverted;
    widen(m, wide);
    if (!invert(wide, inverted))
        return false;
    narrow(inverted, out);
    return true;
}

template <typename T>
void adjugateCells(const T (&m)[4][4], T (&out)[4][4]) {
    Mat4 wide, adjugated;
    widen(m, wide);
    adjugate(wide, adjugated);
    narrow(adjugated, out);
}

template <typename T>
T det4x4Of(const T (&m)[4][4]) {
    Mat4 wide;
    widen(m, wide);
    return static_cast<T>(det4x4(wide));
}

template <typename T>
T det3x3Of(const T (&m)[4][4]) {
    Mat4 wide;
    widen(m, wide);
    return static_cast<T>(det3x3(wide));
}

}  // namespace mayasim::matrixops
