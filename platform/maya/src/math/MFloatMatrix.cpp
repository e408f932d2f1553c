#include <maya/MFloatMatrix.h>

#include <ostream>

#include "MatrixOps.h"

namespace ops = mayasim::matrixops;

MFloatMatrix::MFloatMatrix() {
    ops::setIdentity(matrix);
}

MFloatMatrix::MFloatMatrix(const double m[4][4]) {
    ops::copyCells(matrix, m);
}

MFloatMatrix::MFloatMatrix(const float m[4][4]) {
    ops::copyCells(matrix, m);
}

MStatus MFloatMatrix::get(double dest[4][4]) const {
    return ops::getCells(dest, matrix);
}

MStatus MFloatMatrix::get(float dest[4][4]) const {
    return ops::getCells(dest, matrix);
}

MFloatMatrix MFloatMatrix::transpose() const {
    MFloatMatrix result;
    ops::transposeInto(matrix, result.matrix);
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
    ops::addCells(matrix, right.matrix);
    return *this;
}

MFloatMatrix MFloatMatrix::operator+(const MFloatMatrix& right) const {
    MFloatMatrix result(*this);
    return result += right;
}

MFloatMatrix& MFloatMatrix::operator-=(const MFloatMatrix& right) {
    ops::subtractCells(matrix, right.matrix);
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
    ops::scaleCells(matrix, scale);
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
    return ops::equalCells(matrix, other.matrix);
}

MFloatMatrix MFloatMatrix::inverse() const {
    MFloatMatrix result;
    if (!ops::invertCells(matrix, result.matrix))
        return *this;
    return result;
}

MFloatMatrix MFloatMatrix::adjoint() const {
    MFloatMatrix result;
    ops::adjugateCells(matrix, result.matrix);
    return result;
}

MFloatMatrix MFloatMatrix::homogenize() const {
    return ops::homogenized(*this);
}

float MFloatMatrix::det4x4() const {
    return ops::det4x4Of(matrix);
}

float MFloatMatrix::det3x3() const {
    return ops::det3x3Of(matrix);
}

bool MFloatMatrix::isEquivalent(const MFloatMatrix& other, float tolerance) const {
    return ops::equivalentCells(matrix, other.matrix, tolerance);
}

std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m) {
    return ops::printCells(os, m.matrix);
}
