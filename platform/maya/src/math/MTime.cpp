#include <maya/MTime.h>

#include <atomic>
#include <cmath>
#include <ostream>

namespace {

std::atomic<MTime::Unit> uiTimeUnit{MTime::kFilm};

// Moments closer than this are the same time; well below Maya's 1/6000 s tick.
constexpr double kSameMoment = 1e-9;

bool isValid(MTime::Unit unit) {
    return unit > MTime::kInvalid && unit < MTime::kUserDef;
}

double framesPerSecond(MTime::Unit unit) {
    static const double kRates[] = {2,   3,   4,   5,   6,    8,    10,   12,   16,  20,  40,
                                    75,  80,  100, 120, 125,  150,  200,  240,  250, 300, 375,
                                    400, 500, 600, 750, 1200, 1500, 2000, 3000, 6000};
    switch (unit) {
        case MTime::kHours:
            return 1.0 / 3600.0;
        case MTime::kMinutes:
            return 1.0 / 60.0;
        case MTime::kSeconds:
            return 1.0;
        case MTime::kMilliseconds:
            return 1000.0;
        case MTime::kGames:
            return 15.0;
        case MTime::kFilm:
            return 24.0;
        case MTime::kPALFrame:
            return 25.0;
        case MTime::kNTSCFrame:
            return 30.0;
        case MTime::kShowScan:
            return 48.0;
        case MTime::kPALField:
            return 50.0;
        case MTime::kNTSCField:
            return 60.0;
        default:
            if (unit >= MTime::k2FPS && unit <= MTime::k6000FPS)
                return kRates[unit - MTime::k2FPS];
            return 1.0;
    }
}

double seconds(double value, MTime::Unit unit) {
    return value / framesPerSecond(unit);
}

}  // namespace

MTime::MTime() : unit_(uiUnit()) {}

MStatus MTime::setUnit(Unit new_unit) {
    if (!isValid(new_unit))
        return MStatus::kInvalidParameter;
    val_ = as(new_unit);
    unit_ = new_unit;
    return MStatus::kSuccess;
}

MStatus MTime::setValue(double new_value) {
    val_ = new_value;
    return MStatus::kSuccess;
}

double MTime::as(Unit other_unit) const {
    if (!isValid(other_unit))
        return 0.0;
    if (other_unit == unit_)
        return val_;
    return seconds(val_, unit_) * framesPerSecond(other_unit);
}

MTime::Unit MTime::uiUnit() {
    return uiTimeUnit.load();
}

MStatus MTime::setUIUnit(Unit new_unit) {
    if (!isValid(new_unit))
        return MStatus::kInvalidParameter;
    uiTimeUnit.store(new_unit);
    return MStatus::kSuccess;
}

bool MTime::operator==(const MTime& rhs) const {
    return std::fabs(seconds(val_, unit_) - seconds(rhs.val_, rhs.unit_)) <= kSameMoment;
}

bool MTime::operator<(const MTime& rhs) const {
    return seconds(val_, unit_) < seconds(rhs.val_, rhs.unit_) - kSameMoment;
}

MTime MTime::operator+(const MTime& rhs) const {
    return MTime(val_ + rhs.as(unit_), unit_);
}

MTime& MTime::operator+=(const MTime& rhs) {
    return *this = *this + rhs;
}

MTime MTime::operator+(double rhs) const {
    return MTime(val_ + rhs, unit_);
}

MTime& MTime::operator+=(double rhs) {
    val_ += rhs;
    return *this;
}

MTime MTime::operator-(const MTime& rhs) const {
    return MTime(val_ - rhs.as(unit_), unit_);
}

MTime& MTime::operator-=(const MTime& rhs) {
    return *this = *this - rhs;
}

MTime MTime::operator-(double rhs) const {
    return MTime(val_ - rhs, unit_);
}

MTime& MTime::operator-=(double rhs) {
    val_ -= rhs;
    return *this;
}

MTime MTime::operator*(double rhs) const {
    return MTime(val_ * rhs, unit_);
}

MTime& MTime::operator*=(double rhs) {
    val_ *= rhs;
    return *this;
}

MTime MTime::operator/(double rhs) const {
    return MTime(val_ / rhs, unit_);
}

MTime& MTime::operator/=(double rhs) {
    val_ /= rhs;
    return *this;
}

MTime& MTime::operator++() {
    val_ += 1.0;
    return *this;
}

MTime& MTime::operator++(int) {
    return ++*this;
}

MTime& MTime::operator--() {
    val_ -= 1.0;
    return *this;
}

MTime& MTime::operator--(int) {
    return --*this;
}

std::ostream& operator<<(std::ostream& os, const MTime& t) {
    return os << t.value();
}
