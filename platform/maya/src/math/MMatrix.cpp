#include <maya/MMatrix.h>

#include <ostream>

#include "MatrixOps.h"

namespace ops = mayasim::matrixops;

const MMatrix MMatrix::identity;

MMatrix::MMatrix() {
    ops::setIdentity(matrix);
}

MMatrix::MMatrix(const double m[4][4]) {
    ops::copyCells(matrix, m);
}

MMatrix::MMatrix(const float m[4][4]) {
    ops::copyCells(matrix, m);
}

MStatus MMatrix::get(double dest[4][4]) const {
    return ops::getCells(dest, matrix);
}

MStatus MMatrix::get(float dest[4][4]) const {
    return ops::getCells(dest, matrix);
}

MMatrix MMatrix::transpose() const {
    MMatrix result;
    ops::transposeInto(matrix, result.matrix);
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
    ops::addCells(matrix, right.matrix);
    return *this;
}

MMatrix MMatrix::operator+(const MMatrix& right) const {
    MMatrix result(*this);
    return result += right;
}

MMatrix& MMatrix::operator-=(const MMatrix& right) {
    ops::subtractCells(matrix, right.matrix);
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
    ops::scaleCells(matrix, scale);
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
    return ops::equalCells(matrix, other.matrix);
}

MMatrix MMatrix::inverse() const {
    MMatrix result;
    if (!ops::invertCells(matrix, result.matrix))
        return *this;
    return result;
}

MMatrix MMatrix::adjoint() const {
    MMatrix result;
    ops::adjugateCells(matrix, result.matrix);
    return result;
}

MMatrix MMatrix::homogenize() const {
    return ops::homogenized(*this);
}

double MMatrix::det4x4() const {
    return ops::det4x4Of(matrix);
}

double MMatrix::det3x3() const {
    return ops::det3x3Of(matrix);
}

bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
    return ops::equivalentCells(matrix, other.matrix, tolerance);
}

bool MMatrix::isSingular() const {
    return ops::isSingular(matrix);
}

std::ostream& operator<<(std::ostream& os, const MMatrix& m) {
    return ops::printCells(os, m.matrix);
}
