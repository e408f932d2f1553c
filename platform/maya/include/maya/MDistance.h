#pragma once
// A length with its unit. Internally Maya works in centimetres; the UI unit (centimetres
// unless changed) is process-wide.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MDistance {
public:
    enum Unit {
        kInvalid,
        kInches,
        kFeet,
        kYards,
        kMiles,
        kMillimeters,
        kCentimeters,
        kKilometers,
        kMeters,
        kLast
    };

    MDistance() = default;
    MDistance(double value, Unit unitSystem = kCentimeters) : val(value), valUnit(unitSystem) {}
    MDistance(const MDistance&) = default;
    ~MDistance() = default;
    MDistance& operator=(const MDistance&) = default;

    Unit unit() const { return valUnit; }
    double value() const { return val; }
    MStatus setUnit(Unit newUnit);
    MStatus setValue(double newValue);
    double as(Unit newUnit, MStatus* ReturnStatus = NULL) const;
    double asUnits(Unit newUnit, MStatus* ReturnStatus = NULL) const;
    double asInches() const;
    double asFeet() const;
    double asYards() const;
    double asMiles() const;
    double asMillimeters() const;
    double asCentimeters() const;
    double asKilometers() const;
    double asMeters() const;

    static Unit uiUnit();
    static MStatus setUIUnit(Unit newUnit);
    static Unit internalUnit();
    static double internalToUI(double internalValue);
    static double uiToInternal(double uiValue);

protected:
    double val = 0.0;
    Unit valUnit = kCentimeters;
};
