#pragma once
// A 4x4 float matrix, same conventions as MMatrix (row vectors, translation in row 3).

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#define MFloatMatrix_kTol 1.0e-5F

class MFloatMatrix {
public:
    MFloatMatrix();
    MFloatMatrix(const MFloatMatrix&) = default;
    MFloatMatrix(const float m[4][4]);
    MFloatMatrix(const double m[4][4]);
    ~MFloatMatrix() = default;

    MFloatMatrix& operator=(const MFloatMatrix&) = default;
    float operator()(unsigned int row, unsigned int col) const { return matrix[row][col]; }
    const float* operator[](unsigned int row) const { return matrix[row]; }
    float& operator()(unsigned int row, unsigned int col) { return matrix[row][col]; }
    float* operator[](unsigned int row) { return matrix[row]; }
    MStatus get(float dest[4][4]) const;
    MStatus get(double dest[4][4]) const;

    MFloatMatrix transpose() const;
    MFloatMatrix& setToIdentity();
    MFloatMatrix& setToProduct(const MFloatMatrix& left, const MFloatMatrix& right);
    MFloatMatrix& operator+=(const MFloatMatrix& right);
    MFloatMatrix operator+(const MFloatMatrix& right) const;
    MFloatMatrix& operator-=(const MFloatMatrix& right);
    MFloatMatrix operator-(const MFloatMatrix& right) const;
    MFloatMatrix& operator*=(const MFloatMatrix& right);
    MFloatMatrix operator*(const MFloatMatrix& right) const;
    MFloatMatrix& operator*=(float scale);
    MFloatMatrix operator*(float scale) const;
    bool operator==(const MFloatMatrix& other) const;
    bool operator!=(const MFloatMatrix& other) const { return !(*this == other); }

    MFloatMatrix inverse() const;
    MFloatMatrix adjoint() const;
    MFloatMatrix homogenize() const;
    float det4x4() const;
    float det3x3() const;
    bool isEquivalent(const MFloatMatrix& other, float tolerance = MFloatMatrix_kTol) const;

    friend MFloatMatrix operator*(float scale, const MFloatMatrix& right);
    friend std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m);

    float matrix[4][4];
};
