#pragma once
// A 3D direction in single precision, as Maya's float attributes and drawing code use.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MFloatMatrix;
class MFloatPoint;
class MPoint;
class MVector;

#define MFloatVector_kTol 1.0e-5F

class MFloatVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    MFloatVector() = default;
    MFloatVector(const MFloatVector&) = default;
    MFloatVector(const MVector& src);
    MFloatVector(const MFloatPoint& src);
    MFloatVector(const MPoint& src);
    MFloatVector(float xx, float yy, float zz = 0.0) : x(xx), y(yy), z(zz) {}
    MFloatVector(const float d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
    MFloatVector(const double d[3])
        : x(static_cast<float>(d[0])), y(static_cast<float>(d[1])), z(static_cast<float>(d[2])) {}
    ~MFloatVector() = default;

    MFloatVector& operator=(const MFloatVector&) = default;
    float operator()(unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](unsigned int i) const { return (*this)(i); }
    float& operator()(unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float& operator[](unsigned int i) { return (*this)(i); }

    MFloatVector operator^(const MFloatVector& right) const {
        return MFloatVector(y * right.z - z * right.y, z * right.x - x * right.z,
                            x * right.y - y * right.x);
    }
    float operator*(const MFloatVector& right) const {
        return x * right.x + y * right.y + z * right.z;
    }
    MFloatVector& operator/=(float scalar);
    MFloatVector operator/(float scalar) const {
        return MFloatVector(x / scalar, y / scalar, z / scalar);
    }
    MFloatVector& operator*=(float scalar);
    MFloatVector operator*(float scalar) const {
        return MFloatVector(x * scalar, y * scalar, z * scalar);
    }
    MFloatVector operator+(const MFloatVector& other) const {
        return MFloatVector(x + other.x, y + other.y, z + other.z);
    }
    MFloatVector& operator+=(const MFloatVector& other);
    MFloatVector operator-() const { return MFloatVector(-x, -y, -z); }
    MFloatVector& operator-=(const MFloatVector& other);
    MFloatVector operator-(const MFloatVector& other) const {
        return MFloatVector(x - other.x, y - other.y, z - other.z);
    }
    MFloatVector operator*(const MFloatMatrix& matrix) const;
    MFloatVector& operator*=(const MFloatMatrix& matrix);
    bool operator!=(const MFloatVector& other) const { return !(*this == other); }
    bool operator==(const MFloatVector& other) const {
        return x == other.x && y == other.y && z == other.z;
    }

    MStatus get(float dest[3]) const;
    float length() const;
    MFloatVector normal() const;
    MStatus normalize();
    float angle(const MFloatVector& other) const;
    bool isEquivalent(const MFloatVector& other, float tolerance = MFloatVector_kTol) const;
    bool isParallel(const MFloatVector& other, float tolerance = MFloatVector_kTol) const;
    MFloatVector transformAsNormal(const MFloatMatrix& matrix) const;

    friend MFloatVector operator*(const MFloatMatrix& matrix, const MFloatVector& vector);
    friend MFloatVector operator*(int scalar, const MFloatVector& vector);
    friend MFloatVector operator*(short scalar, const MFloatVector& vector);
    friend MFloatVector operator*(unsigned int scalar, const MFloatVector& vector);
    friend MFloatVector operator*(unsigned short scalar, const MFloatVector& vector);
    friend MFloatVector operator*(float scalar, const MFloatVector& vector);
    friend MFloatVector operator*(double scalar, const MFloatVector& vector);
    friend std::ostream& operator<<(std::ostream& os, const MFloatVector& v);

    static const MFloatVector zero;
    static const MFloatVector one;
    static const MFloatVector xAxis;
    static const MFloatVector yAxis;
    static const MFloatVector zAxis;
    static const MFloatVector xNegAxis;
    static const MFloatVector yNegAxis;
    static const MFloatVector zNegAxis;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
