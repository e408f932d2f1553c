#pragma once
// A 3D direction or offset in double precision; Maya's vectors are row vectors (v * M).

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MTypes.h>

class MMatrix;
class MPoint;
class MFloatPoint;
class MFloatVector;
class MQuaternion;
class MEulerRotation;

#define MVector_kTol 1.0e-10

class MVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    MVector() = default;
    MVector(const MVector&) = default;
    MVector(const MFloatVector& src);
    MVector(const MPoint& src);
    MVector(const MFloatPoint& src);
    MVector(double xx, double yy, double zz = 0.0) : x(xx), y(yy), z(zz) {}
    MVector(const double d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
    MVector(const float f[3]) : x(f[0]), y(f[1]), z(f[2]) {}
    ~MVector() = default;

    MVector& operator=(const MVector&) = default;
    double operator()(unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double operator[](unsigned int i) const { return (*this)(i); }
    double& operator()(unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return (*this)(i); }

    // Cross and dot products, spelled as Maya spells them.
    MVector operator^(const MVector& right) const {
        return MVector(y * right.z - z * right.y, z * right.x - x * right.z,
                       x * right.y - y * right.x);
    }
    double operator*(const MVector& right) const { return x * right.x + y * right.y + z * right.z; }

    MVector& operator/=(double scalar);
    MVector operator/(double scalar) const { return MVector(x / scalar, y / scalar, z / scalar); }
    MVector& operator*=(double scalar);
    MVector operator*(double scalar) const { return MVector(x * scalar, y * scalar, z * scalar); }
    MVector operator+(const MVector& other) const {
        return MVector(x + other.x, y + other.y, z + other.z);
    }
    MVector& operator+=(const MVector& other);
    MVector operator-() const { return MVector(-x, -y, -z); }
    MVector& operator-=(const MVector& other);
    MVector operator-(const MVector& other) const {
        return MVector(x - other.x, y - other.y, z - other.z);
    }
    // Direction transform: the upper 3x3 only, translation does not apply.
    MVector operator*(const MMatrix& matrix) const;
    MVector& operator*=(const MMatrix& matrix);
    bool operator!=(const MVector& other) const { return !(*this == other); }
    bool operator==(const MVector& other) const {
        return x == other.x && y == other.y && z == other.z;
    }

    MVector rotateBy(double x, double y, double z, double w) const;
    MVector rotateBy(const double rotXYZ[3], MTransformationMatrix::RotationOrder order) const;
    MVector rotateBy(MVector::Axis axis, const double angle) const;
    MVector rotateBy(const MQuaternion& rotation) const;
    MVector rotateBy(const MEulerRotation& rotation) const;
    MQuaternion rotateTo(const MVector& target) const;

    MStatus get(double dest[3]) const;
    double length() const;
    MVector normal() const;
    MStatus normalize();
    double angle(const MVector& other) const;
    bool isEquivalent(const MVector& other, double tolerance = MVector_kTol) const;
    bool isParallel(const MVector& other, double tolerance = MVector_kTol) const;
    MVector transformAsNormal(const MMatrix& matrix) const;

    friend MVector operator*(const MMatrix& matrix, const MVector& vector);
    friend MVector operator*(int scalar, const MVector& vector);
    friend MVector operator*(short scalar, const MVector& vector);
    friend MVector operator*(unsigned int scalar, const MVector& vector);
    friend MVector operator*(unsigned short scalar, const MVector& vector);
    friend MVector operator*(float scalar, const MVector& vector);
    friend MVector operator*(double scalar, const MVector& vector);
    friend std::ostream& operator<<(std::ostream& os, const MVector& v);

    static const MVector zero;
    static const MVector one;
    static const MVector xAxis;
    static const MVector yAxis;
    static const MVector zAxis;
    static const MVector xNegAxis;
    static const MVector yNegAxis;
    static const MVector zNegAxis;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
