#pragma once
// Three rotations about x, y and z (radians) applied in a given order: kXYZ rotates about X
// first, so its matrix is Rx * Ry * Rz in Maya's row-vector convention.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MQuaternion;
class MVector;

#define kEulerRotationEpsilon 1.0e-10

class MEulerRotation {
public:
    enum RotationOrder { kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX };

    MEulerRotation() = default;
    MEulerRotation(const MEulerRotation&) = default;
    MEulerRotation(const MVector& v, RotationOrder ord = kXYZ);
    MEulerRotation(double xx, double yy, double zz, RotationOrder ord = kXYZ)
        : x(xx), y(yy), z(zz), order(ord) {}
    ~MEulerRotation() = default;

    MEulerRotation& operator=(const MEulerRotation&) = default;
    // Conversions keep this rotation's order.
    MEulerRotation& operator=(const MQuaternion& q);
    MEulerRotation& operator=(const MMatrix& m);
    MEulerRotation& operator=(const MVector& v);
    MEulerRotation& setValue(const MVector& v, RotationOrder ord = kXYZ);
    MEulerRotation& setValue(double xx, double yy, double zz, RotationOrder ord = kXYZ);

    MQuaternion asQuaternion() const;
    MMatrix asMatrix() const;
    MVector asVector() const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

    // Sums and differences are per component; the right side is reordered to match first.
    MEulerRotation operator+(const MEulerRotation& other) const;
    MEulerRotation& operator+=(const MEulerRotation& other);
    MEulerRotation operator-(const MEulerRotation& other) const;
    MEulerRotation& operator-=(const MEulerRotation& other);
    MEulerRotation operator-() const { return MEulerRotation(-x, -y, -z, order); }
    // Products compose rotations: this one first, then the other.
    MEulerRotation operator*(const MEulerRotation& other) const;
    MEulerRotation operator*(const MQuaternion& other) const;
    MEulerRotation operator*(double scale) const;
    MEulerRotation& operator*=(const MEulerRotation& other);
    MEulerRotation& operator*=(const MQuaternion& other);
    MEulerRotation& operator*=(double scale);
    bool operator==(const MEulerRotation& other) const;
    bool operator!=(const MEulerRotation& other) const { return !(*this == other); }
    bool isEquivalent(const MEulerRotation& other, double tolerance = kEulerRotationEpsilon) const;
    bool isZero(double tolerance = kEulerRotationEpsilon) const;

    MEulerRotation& incrementalRotateBy(const MVector& axis, double angle);
    // Negated angles in the reversed order, which undoes this rotation.
    MEulerRotation inverse() const;
    MEulerRotation& invertIt();
    MEulerRotation reorder(RotationOrder ord) const;
    MEulerRotation& reorderIt(RotationOrder ord);
    // Each angle wrapped into [-pi, pi].
    MEulerRotation bound() const;
    MEulerRotation& boundIt();
    MEulerRotation& boundIt(const MEulerRotation& src);
    // The other triple of angles describing the same rotation.
    MEulerRotation alternateSolution() const;
    MEulerRotation& setToAlternateSolution();
    MEulerRotation& setToAlternateSolution(const MEulerRotation& src);
    // The same rotation with the angles nearest to dst (whole turns and the alternate triple).
    MEulerRotation closestSolution(const MEulerRotation& dst) const;
    MEulerRotation& setToClosestSolution(const MEulerRotation& dst);
    MEulerRotation& setToClosestSolution(const MEulerRotation& src, const MEulerRotation& dst);
    // Each angle shifted by whole turns to be nearest to dst's.
    MEulerRotation closestCut(const MEulerRotation& dst) const;
    MEulerRotation& setToClosestCut(const MEulerRotation& dst);
    MEulerRotation& setToClosestCut(const MEulerRotation& src, const MEulerRotation& dst);

    static MEulerRotation decompose(const MMatrix& matrix, RotationOrder ord);
    static MEulerRotation bound(const MEulerRotation& src);
    static MEulerRotation alternateSolution(const MEulerRotation& src);
    static MEulerRotation closestSolution(const MEulerRotation& src, const MEulerRotation& dst);
    static MEulerRotation closestCut(const MEulerRotation& src, const MEulerRotation& dst);

    friend MEulerRotation operator*(double scale, const MEulerRotation& other);
    friend std::ostream& operator<<(std::ostream& os, const MEulerRotation& rotation);

    static const MEulerRotation identity;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    RotationOrder order = kXYZ;
};

MEulerRotation operator*(double scale, const MEulerRotation& other);
