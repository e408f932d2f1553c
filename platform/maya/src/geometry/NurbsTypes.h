// Shared vocabulary of the NURBS kernel: forms, limits and the result of a validated build.
#pragma once

#include <string>
#include <utility>

namespace mayasim {
namespace nurbs {

//! The highest degree Maya's curves and surfaces take.
constexpr int kMaxDegree = 7;

//! Maya's default tolerance for point-on-curve and point-on-surface queries (kMFnNurbsEpsilon).
constexpr double kNurbsEpsilon = 1.0e-3;

//! A curve's (or one surface direction's) form; the numbers are MFnNurbsCurve::Form's and
//! MFnNurbsSurface::Form's.
//! - kOpen: the ends are free.
//! - kClosed: the first and last points coincide, with a possible tangent break there.
//! - kPeriodic: the last `degree` CVs repeat the first ones, so the seam is as smooth as the rest.
enum class NurbsForm { kInvalid = 0, kOpen = 1, kClosed = 2, kPeriodic = 3 };

//! How interpolation assigns parameters to the points it passes through.
enum class Parameterization { kUniform, kChordLength };

//! A value built from user input, or the reason it could not be built. Kernel functions that
//! validate input return one of these; the message is written to be shown to the user as is.
template <class T>
class NurbsResult {
public:
    static NurbsResult success(T value) { return NurbsResult(true, std::move(value), {}); }
    static NurbsResult failure(std::string message) {
        return NurbsResult(false, T(), std::move(message));
    }

    bool ok() const { return ok_; }
    const T& value() const { return value_; }
    T& value() { return value_; }
    const std::string& error() const { return error_; }

private:
    NurbsResult(bool ok, T value, std::string error)
        : ok_(ok), value_(std::move(value)), error_(std::move(error)) {}

    bool ok_;
    T value_;
    std::string error_;
};

//! printf-style formatting of the kernel's user-facing messages.
std::string formatMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace nurbs
}  // namespace mayasim
