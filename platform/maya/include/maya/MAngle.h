#pragma once
// An angle with its unit. Internally Maya works in radians; the UI unit (degrees unless
// changed) is process-wide.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MAngle {
public:
    enum Unit { kInvalid, kRadians, kDegrees, kAngMinutes, kAngSeconds, kLast };

    MAngle() = default;
    MAngle(const MAngle&) = default;
    MAngle(double value, Unit u = kRadians) : val(value), valUnit(u) {}
    ~MAngle() = default;
    MAngle& operator=(const MAngle&) = default;

    Unit unit() const { return valUnit; }
    double value() const { return val; }
    MStatus setUnit(Unit newUnit);
    MStatus setValue(double newValue);
    double as(Unit otherUnit, MStatus* ReturnStatus = NULL) const;
    double asUnits(Unit otherUnit, MStatus* ReturnStatus = NULL) const;
    double asRadians() const;
    double asDegrees() const;
    double asAngMinutes() const;
    double asAngSeconds() const;

    static Unit uiUnit();
    static MStatus setUIUnit(Unit newUnit);
    static Unit internalUnit();
    static double internalToUI(double internalValue);
    static double uiToInternal(double uiValue);

protected:
    double val = 0.0;
    Unit valUnit = kRadians;
};
