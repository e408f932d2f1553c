#pragma once
// Value types shared by the mesh kernel: a double-precision 3-vector, a read-only view of a
// contiguous range (the kernel's arrays are flat, so most answers are views, not copies) and an
// axis-aligned box.

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace mayasim::mesh {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vec3() = default;
    constexpr Vec3(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    double operator[](int axis) const { return axis == 0 ? x : (axis == 1 ? y : z); }
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(const Vec3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(double s, const Vec3& a) {
    return a * s;
}
inline Vec3 operator/(const Vec3& a, double s) {
    return {a.x / s, a.y / s, a.z / s};
}
inline Vec3& operator+=(Vec3& a, const Vec3& b) {
    return a = a + b;
}
inline bool operator==(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const Vec3& a, const Vec3& b) {
    return !(a == b);
}

inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double lengthSquared(const Vec3& a) {
    return dot(a, a);
}
inline double length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
inline bool isFinite(const Vec3& a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}
// The unit vector along `a`, or the zero vector when `a` has no direction.
inline Vec3 normalized(const Vec3& a) {
    const double len = length(a);
    return len > 0.0 && std::isfinite(len) ? a / len : Vec3();
}

//! A read-only view of `size` contiguous elements (std::span is C++20).
template <typename T>
class Span {
public:
    constexpr Span() = default;
    constexpr Span(const T* data, std::size_t size) : data_(data), size_(size) {}
    Span(const std::vector<T>& values) : data_(values.data()), size_(values.size()) {}

    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    int count() const { return static_cast<int>(size_); }
    bool empty() const { return size_ == 0; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    std::vector<T> toVector() const { return std::vector<T>(begin(), end()); }

private:
    const T* data_ = nullptr;
    std::size_t size_ = 0;
};

//! Axis-aligned bounds; empty until a point is added.
struct Bounds {
    Vec3 min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::infinity()};
    Vec3 max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity()};

    bool isEmpty() const { return min.x > max.x; }
    void expand(const Vec3& p) {
        min = {std::fmin(min.x, p.x), std::fmin(min.y, p.y), std::fmin(min.z, p.z)};
        max = {std::fmax(max.x, p.x), std::fmax(max.y, p.y), std::fmax(max.z, p.z)};
    }
    Vec3 center() const { return (min + max) * 0.5; }
    Vec3 size() const { return isEmpty() ? Vec3() : max - min; }
};

}  // namespace mayasim::mesh
