#pragma once
// A rotation as a quaternion (x, y, z, w). Quaternions multiply like Maya's matrices:
// a * b rotates by a, then by b, and equals a.asMatrix() * b.asMatrix().

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MVector;
class MEulerRotation;

#define kQuaternionEpsilon 1.0e-10

class MQuaternion {
public:
    MQuaternion() = default;
    MQuaternion(const MQuaternion&) = default;
    MQuaternion(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
    MQuaternion(const double q[4]) : x(q[0]), y(q[1]), z(q[2]), w(q[3]) {}
    // The rotation turning a into b about their common perpendicular, optionally scaled.
    MQuaternion(const MVector& a, const MVector& b);
    MQuaternion(const MVector& a, const MVector& b, double angleFactor);
    // Angle (radians) first; an axis of (near) zero length gives the identity.
    MQuaternion(double angle, const MVector& axis);
    ~MQuaternion() = default;

    MQuaternion& operator=(const MQuaternion&) = default;
    MQuaternion& operator=(const MMatrix& matrix);
    MQuaternion& operator=(const MEulerRotation& rotation);
    MMatrix asMatrix() const;
    MEulerRotation asEulerRotation() const;
    operator MMatrix() const;

    MQuaternion& setAxisAngle(const MVector& axis, double theta);
    bool getAxisAngle(MVector& axis, double& theta) const;
    MQuaternion& setToXAxis(double theta);
    MQuaternion& setToYAxis(double theta);
    MQuaternion& setToZAxis(double theta);

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    MStatus get(double dest[4]) const;

    MQuaternion operator*(const MQuaternion& other) const;
    MQuaternion& operator*=(const MQuaternion& other);
    MQuaternion operator+(const MQuaternion& other) const;
    MQuaternion operator-(const MQuaternion& other) const;
    MQuaternion operator-() const { return MQuaternion(-x, -y, -z, -w); }
    MQuaternion& negateIt();
    MQuaternion& scaleIt(double scale);
    bool operator==(const MQuaternion& other) const {
        return x == other.x && y == other.y && z == other.z && w == other.w;
    }
    bool operator!=(const MQuaternion& other) const { return !(*this == other); }
    bool isEquivalent(const MQuaternion& other, double tolerance = kQuaternionEpsilon) const;

    MQuaternion normal() const;
    MQuaternion& normalizeIt();
    MQuaternion conjugate() const { return MQuaternion(-x, -y, -z, w); }
    MQuaternion& conjugateIt();
    MQuaternion inverse() const;
    MQuaternion& invertIt();

    friend MQuaternion operator*(double scale, const MQuaternion& other);
    // Interpolates along the shorter arc; spin adds that many extra full turns.
    friend MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t);
    friend MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t, short spin);
    friend std::ostream& operator<<(std::ostream& os, const MQuaternion& q);

    static const MQuaternion identity;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};

MQuaternion operator*(double scale, const MQuaternion& other);
MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t);
MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t, short spin);
