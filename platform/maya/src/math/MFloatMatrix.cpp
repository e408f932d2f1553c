#include <maya/MFloatMatrix.h>

#include <cmath>
#include <ostream>

#include "MatrixOps.h"

namespace ops = mayasim::matrixops;

MFloatMatrix::MFloatMatrix() {
    ops::setIdentity(matrix);
}

MFloatMatrix::MFloatMatrix(const double m[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = static_cast<float>(m[r][c]);
}

MFloatMatrix::MFloatMatrix(const float m[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = m[r][c];
}

MStatus MFloatMatrix::get(double dest[4][4]) const {
    if (!dest)
        return MStatus::kFailure;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dest[r][c] = matrix[r][c];
    return MStatus::kSuccess;
}

MStatus MFloatMatrix::get(float dest[4][4]) const {
    if (!dest)
        return MStatus::kFailure;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dest[r][c] = matrix[r][c];
    return MStatus::kSuccess;
}

MFloatMatrix MFloatMatrix::transpose() const {
    MFloatMatrix result;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            result.matrix[c][r] = matrix[r][c];
    return result;
}

MFloatMatrix& MFloatMatrix::setToIdentity() {
    ops::setIdentity(matrix);
    return *this;
}

MFloatMatrix& MFloatMatrix::setToProduct(const MFloatMatrix& left, const MFloatMatrix& right) {
    ops::multiply(left.matrix, right.matrix, matrix);
    return *this;
}

MFloatMatrix& MFloatMatrix::operator+=(const MFloatMatrix& right) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] += right.matrix[r][c];
    return *this;
}

MFloatMatrix MFloatMatrix::operator+(const MFloatMatrix& right) const {
    MFloatMatrix result(*this);
    return result += right;
}

MFloatMatrix& MFloatMatrix::operator-=(const MFloatMatrix& right) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] -= right.matrix[r][c];
    return *this;
}

MFloatMatrix MFloatMatrix::operator-(const MFloatMatrix& right) const {
    MFloatMatrix result(*this);
    return result -= right;
}

MFloatMatrix& MFloatMatrix::operator*=(const MFloatMatrix& right) {
    ops::multiply(matrix, right.matrix, matrix);
    return *this;
}

MFloatMatrix MFloatMatrix::operator*(const MFloatMatrix& right) const {
    MFloatMatrix result;
    ops::multiply(matrix, right.matrix, result.matrix);
    return result;
}

MFloatMatrix& MFloatMatrix::operator*=(float scale) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] *= scale;
    return *this;
}

MFloatMatrix MFloatMatrix::operator*(float scale) const {
    MFloatMatrix result(*this);
    return result *= scale;
}

MFloatMatrix operator*(float scale, const MFloatMatrix& right) {
    return right * scale;
}

bool MFloatMatrix::operator==(const MFloatMatrix& other) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (matrix[r][c] != other.matrix[r][c])
                return false;
    return true;
}

MFloatMatrix MFloatMatrix::inverse() const {
    ops::Mat4 wide, inverted;
    ops::widen(matrix, wide);
    if (!ops::invert(wide, inverted))
        return *this;
    MFloatMatrix result;
    ops::narrow(inverted, result.matrix);
    return result;
}

MFloatMatrix MFloatMatrix::adjoint() const {
    ops::Mat4 wide, adjugate;
    ops::widen(matrix, wide);
    ops::adjugate(wide, adjugate);
    MFloatMatrix result;
    ops::narrow(adjugate, result.matrix);
    return result;
}

// Divides through by the homogeneous element so that matrix[3][3] becomes 1.
MFloatMatrix MFloatMatrix::homogenize() const {
    const float w = matrix[3][3];
    if (w == 0.0f)
        return *this;
    return *this * (1.0f / w);
}

float MFloatMatrix::det4x4() const {
    ops::Mat4 wide;
    ops::widen(matrix, wide);
    return static_cast<float>(ops::det4x4(wide));
}

float MFloatMatrix::det3x3() const {
    ops::Mat4 wide;
    ops::widen(matrix, wide);
    return static_cast<float>(ops::det3x3(wide));
}

bool MFloatMatrix::isEquivalent(const MFloatMatrix& other, float tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(matrix[r][c] - other.matrix[r][c]) > tolerance)
                return false;
    return true;
}

std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m) {
    os << "[";
    for (int r = 0; r < 4; ++r) {
        os << (r ? ", [" : "[");
        for (int c = 0; c < 4; ++c)
            os << (c ? ", " : "") << m.matrix[r][c];
        os << "]";
    }
    return os << "]";
}
