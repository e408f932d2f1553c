#include <maya/MMatrix.h>

#include <cmath>
#include <ostream>

#include "MatrixOps.h"

namespace ops = mayasim::matrixops;

const MMatrix MMatrix::identity;

MMatrix::MMatrix() {
    ops::setIdentity(matrix);
}

MMatrix::MMatrix(const double m[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = m[r][c];
}

MMatrix::MMatrix(const float m[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = m[r][c];
}

MStatus MMatrix::get(double dest[4][4]) const {
    if (!dest)
        return MStatus::kFailure;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dest[r][c] = matrix[r][c];
    return MStatus::kSuccess;
}

MStatus MMatrix::get(float dest[4][4]) const {
    if (!dest)
        return MStatus::kFailure;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            dest[r][c] = static_cast<float>(matrix[r][c]);
    return MStatus::kSuccess;
}

MMatrix MMatrix::transpose() const {
    MMatrix result;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            result.matrix[c][r] = matrix[r][c];
    return result;
}

MMatrix& MMatrix::setToIdentity() {
    ops::setIdentity(matrix);
    return *this;
}

MMatrix& MMatrix::setToProduct(const MMatrix& left, const MMatrix& right) {
    ops::multiply(left.matrix, right.matrix, matrix);
    return *this;
}

MMatrix& MMatrix::operator+=(const MMatrix& right) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] += right.matrix[r][c];
    return *this;
}

MMatrix MMatrix::operator+(const MMatrix& right) const {
    MMatrix result(*this);
    return result += right;
}

MMatrix& MMatrix::operator-=(const MMatrix& right) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] -= right.matrix[r][c];
    return *this;
}

MMatrix MMatrix::operator-(const MMatrix& right) const {
    MMatrix result(*this);
    return result -= right;
}

MMatrix& MMatrix::operator*=(const MMatrix& right) {
    ops::multiply(matrix, right.matrix, matrix);
    return *this;
}

MMatrix MMatrix::operator*(const MMatrix& right) const {
    MMatrix result;
    ops::multiply(matrix, right.matrix, result.matrix);
    return result;
}

MMatrix& MMatrix::operator*=(double scale) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] *= scale;
    return *this;
}

MMatrix MMatrix::operator*(double scale) const {
    MMatrix result(*this);
    return result *= scale;
}

MMatrix operator*(double scale, const MMatrix& right) {
    return right * scale;
}

bool MMatrix::operator==(const MMatrix& other) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (matrix[r][c] != other.matrix[r][c])
                return false;
    return true;
}

MMatrix MMatrix::inverse() const {
    MMatrix result;
    if (!ops::invert(matrix, result.matrix))
        return *this;
    return result;
}

MMatrix MMatrix::adjoint() const {
    MMatrix result;
    ops::adjugate(matrix, result.matrix);
    return result;
}

// Divides through by the homogeneous element so that matrix[3][3] becomes 1.
MMatrix MMatrix::homogenize() const {
    const double w = matrix[3][3];
    if (w == 0.0)
        return *this;
    return *this * (1.0 / w);
}

double MMatrix::det4x4() const {
    return ops::det4x4(matrix);
}

double MMatrix::det3x3() const {
    return ops::det3x3(matrix);
}

bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(matrix[r][c] - other.matrix[r][c]) > tolerance)
                return false;
    return true;
}

bool MMatrix::isSingular() const {
    return ops::isSingular(matrix);
}

std::ostream& operator<<(std::ostream& os, const MMatrix& m) {
    os << "[";
    for (int r = 0; r < 4; ++r) {
        os << (r ? ", [" : "[");
        for (int c = 0; c < 4; ++c)
            os << (c ? ", " : "") << m.matrix[r][c];
        os << "]";
    }
    return os << "]";
}
