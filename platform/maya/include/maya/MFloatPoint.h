#pragma once
// A homogeneous position in single precision.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MFloatMatrix;
class MFloatVector;
class MPoint;
class MVector;

#define MFloatPoint_kTol 1.0e-10

class MFloatPoint {
public:
    MFloatPoint() = default;
    MFloatPoint(const MFloatPoint&) = default;
    MFloatPoint(const MPoint& src);
    MFloatPoint(const MVector& src);
    MFloatPoint(const MFloatVector& src);
    MFloatPoint(float xx, float yy, float zz = 0.0, float ww = 1.0) : x(xx), y(yy), z(zz), w(ww) {}
    MFloatPoint(const float d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
    MFloatPoint(const double d[4]);
    ~MFloatPoint() = default;

    MStatus get(float dest[4]) const;
    MStatus get(double dest[4]) const;
    MStatus setCast(const MPoint& src);
    MStatus setCast(const MVector& src);
    float operator[](unsigned int i) const { return (*this)(i); }
    float operator()(unsigned int i) const;
    float& operator[](unsigned int i) { return (*this)(i); }
    float& operator()(unsigned int i);

    MFloatPoint& operator=(const MFloatPoint&) = default;
    MFloatVector operator-(const MFloatPoint& other) const;
    MFloatPoint operator+(const MFloatVector& other) const;
    MFloatPoint operator-(const MFloatVector& other) const;
    MFloatPoint& operator+=(const MFloatVector& vector);
    MFloatPoint& operator-=(const MFloatVector& vector);
    MFloatPoint operator*(const float scale) const {
        return MFloatPoint(x * scale, y * scale, z * scale, w);
    }
    MFloatPoint operator/(const float scale) const {
        return MFloatPoint(x / scale, y / scale, z / scale, w);
    }
    MFloatPoint operator*(const MFloatMatrix& matrix) const;
    MFloatPoint& operator*=(const MFloatMatrix& matrix);
    bool operator==(const MFloatPoint& other) const {
        return x == other.x && y == other.y && z == other.z && w == other.w;
    }
    bool operator!=(const MFloatPoint& other) const { return !(*this == other); }

    MFloatPoint& cartesianize();
    MFloatPoint& rationalize();
    MFloatPoint& homogenize();
    float distanceTo(const MFloatPoint& other) const;
    bool isEquivalent(const MFloatPoint& other, float tolerance = MFloatPoint_kTol) const;

    friend MFloatPoint operator*(float scale, const MFloatPoint& point);
    friend MFloatPoint operator*(const MFloatMatrix& matrix, const MFloatPoint& point);
    friend std::ostream& operator<<(std::ostream& os, const MFloatPoint& p);

    static const MFloatPoint origin;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};
