#pragma once
// A 4x4 double matrix in Maya's row-vector convention: points transform as p * M and the
// translation lives in row 3.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#define MMatrix_kTol 1.0e-10

class MMatrix {
public:
    MMatrix();
    MMatrix(const MMatrix&) = default;
    MMatrix(const double m[4][4]);
    MMatrix(const float m[4][4]);
    ~MMatrix() = default;

    MMatrix& operator=(const MMatrix&) = default;
    double operator()(unsigned int row, unsigned int col) const { return matrix[row][col]; }
    const double* operator[](unsigned int row) const { return matrix[row]; }
    double& operator()(unsigned int row, unsigned int col) { return matrix[row][col]; }
    double* operator[](unsigned int row) { return matrix[row]; }
    MStatus get(double dest[4][4]) const;
    MStatus get(float dest[4][4]) const;

    MMatrix transpose() const;
    MMatrix& setToIdentity();
    MMatrix& setToProduct(const MMatrix& left, const MMatrix& right);
    MMatrix& operator+=(const MMatrix& right);
    MMatrix operator+(const MMatrix& right) const;
    MMatrix& operator-=(const MMatrix& right);
    MMatrix operator-(const MMatrix& right) const;
    MMatrix& operator*=(const MMatrix& right);
    MMatrix operator*(const MMatrix& right) const;
    MMatrix& operator*=(double scale);
    MMatrix operator*(double scale) const;
    bool operator==(const MMatrix& other) const;
    bool operator!=(const MMatrix& other) const { return !(*this == other); }

    // A singular matrix has no inverse; it comes back unchanged.
    MMatrix inverse() const;
    MMatrix adjoint() const;
    MMatrix homogenize() const;
    double det4x4() const;
    double det3x3() const;
    bool isEquivalent(const MMatrix& other, double tolerance = MMatrix_kTol) const;
    bool isSingular() const;

    friend MMatrix operator*(double scale, const MMatrix& right);
    friend std::ostream& operator<<(std::ostream& os, const MMatrix& m);

    double matrix[4][4];

    static const MMatrix identity;
};
