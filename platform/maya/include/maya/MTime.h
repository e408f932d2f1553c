#pragma once
// A time value with its unit. The UI unit (film, 24 fps, unless changed) is process-wide and
// is what a default-constructed time counts in.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MTime {
public:
    enum Unit {
        kInvalid,
        kHours,
        kMinutes,
        kSeconds,
        kMilliseconds,
        kGames,
        kFilm,
        kPALFrame,
        kNTSCFrame,
        kShowScan,
        kPALField,
        kNTSCField,
        k2FPS,
        k3FPS,
        k4FPS,
        k5FPS,
        k6FPS,
        k8FPS,
        k10FPS,
        k12FPS,
        k16FPS,
        k20FPS,
        k40FPS,
        k75FPS,
        k80FPS,
        k100FPS,
        k120FPS,
        k125FPS,
        k150FPS,
        k200FPS,
        k240FPS,
        k250FPS,
        k300FPS,
        k375FPS,
        k400FPS,
        k500FPS,
        k600FPS,
        k750FPS,
        k1200FPS,
        k1500FPS,
        k2000FPS,
        k3000FPS,
        k6000FPS,
        kUserDef,
        kLast
    };

    MTime();
    MTime(const MTime&) = default;
    MTime(double time_val, Unit unit = kFilm) : val_(time_val), unit_(unit) {}
    ~MTime() = default;

    Unit unit() const { return unit_; }
    double value() const { return val_; }
    // Changing the unit keeps the same moment in time.
    MStatus setUnit(Unit new_unit);
    MStatus setValue(double new_value);
    double as(Unit other_unit) const;
    double asUnits(Unit other_unit) const { return as(other_unit); }

    static Unit uiUnit();
    static MStatus setUIUnit(Unit new_unit);

    MTime& operator=(const MTime&) = default;
    bool operator==(const MTime& rhs) const;
    bool operator!=(const MTime& rhs) const { return !(*this == rhs); }
    bool operator<=(const MTime& rhs) const { return !(rhs < *this); }
    bool operator>=(const MTime& rhs) const { return !(*this < rhs); }
    bool operator<(const MTime& rhs) const;
    bool operator>(const MTime& rhs) const { return rhs < *this; }
    // Results are in this time's unit; plain numbers count in that unit.
    MTime operator+(const MTime& rhs) const;
    MTime& operator+=(const MTime& rhs);
    MTime operator+(double rhs) const;
    MTime& operator+=(double rhs);
    MTime operator-(const MTime& rhs) const;
    MTime& operator-=(const MTime& rhs);
    MTime operator-(double rhs) const;
    MTime& operator-=(double rhs);
    MTime operator*(double rhs) const;
    MTime& operator*=(double rhs);
    MTime operator/(double rhs) const;
    MTime& operator/=(double rhs);
    MTime& operator++();
    MTime& operator++(int);
    MTime& operator--();
    MTime& operator--(int);

    friend std::ostream& operator<<(std::ostream& os, const MTime& t);

private:
    double val_ = 0.0;
    Unit unit_ = kFilm;
};
