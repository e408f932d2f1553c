#pragma once
// A homogeneous position (x, y, z, w) in double precision; transformed as a row vector (p * M).

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MVector;
class MFloatPoint;
class MFloatVector;

#define MPoint_kTol 1.0e-10

class MPoint {
public:
    MPoint() = default;
    MPoint(const MPoint&) = default;
    MPoint(const MFloatPoint& src);
    MPoint(const MVector& src);
    MPoint(const MFloatVector& src);
    MPoint(double xx, double yy, double zz = 0.0, double ww = 1.0) : x(xx), y(yy), z(zz), w(ww) {}
    MPoint(const double d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
    MPoint(const float d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
    ~MPoint() = default;

    MStatus get(double dest[4]) const;
    MStatus get(float dest[4]) const;
    double operator[](unsigned int i) const { return (*this)(i); }
    double operator()(unsigned int i) const;
    double& operator[](unsigned int i) { return (*this)(i); }
    double& operator()(unsigned int i);

    MPoint& operator=(const MPoint&) = default;
    // Differences and offsets work on the cartesian position whatever w is.
    MVector operator-(const MPoint& other) const;
    MPoint operator+(const MVector& other) const;
    MPoint operator-(const MVector& other) const;
    MPoint& operator+=(const MVector& vector);
    MPoint& operator-=(const MVector& vector);
    MPoint operator*(const double scale) const {
        return MPoint(x * scale, y * scale, z * scale, w);
    }
    MPoint operator/(const double scale) const {
        return MPoint(x / scale, y / scale, z / scale, w);
    }
    MPoint operator*(const MMatrix& matrix) const;
    MPoint& operator*=(const MMatrix& matrix);
    bool operator==(const MPoint& other) const {
        return x == other.x && y == other.y && z == other.z && w == other.w;
    }
    bool operator!=(const MPoint& other) const { return !(*this == other); }

    // (x/w, y/w, z/w, 1), (x/w, y/w, z/w, w) and (x*w, y*w, z*w, w) respectively.
    MPoint& cartesianize();
    MPoint& rationalize();
    MPoint& homogenize();
    double distanceTo(const MPoint& other) const;
    bool isEquivalent(const MPoint& other, double tolerance = MPoint_kTol) const;

    friend MPoint operator*(double scale, const MPoint& point);
    friend MPoint operator*(const MMatrix& matrix, const MPoint& point);
    friend std::ostream& operator<<(std::ostream& os, const MPoint& p);

    static const MPoint origin;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};
