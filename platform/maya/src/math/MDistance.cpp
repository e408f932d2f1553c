#include <maya/MDistance.h>

#include <atomic>

namespace {

std::atomic<MDistance::Unit> uiDistanceUnit{MDistance::kCentimeters};

bool isValid(MDistance::Unit unit) {
    return unit > MDistance::kInvalid && unit < MDistance::kLast;
}

double centimetresPer(MDistance::Unit unit) {
    switch (unit) {
        case MDistance::kInches:
            return 2.54;
        case MDistance::kFeet:
            return 30.48;
        case MDistance::kYards:
            return 91.44;
        case MDistance::kMiles:
            return 160934.4;
        case MDistance::kMillimeters:
            return 0.1;
        case MDistance::kKilometers:
            return 100000.0;
        case MDistance::kMeters:
            return 100.0;
        default:
            return 1.0;
    }
}

double convert(double value, MDistance::Unit from, MDistance::Unit to) {
    return from == to ? value : value * centimetresPer(from) / centimetresPer(to);
}

}  // namespace

MStatus MDistance::setUnit(Unit newUnit) {
    if (!isValid(newUnit))
        return MStatus::kInvalidParameter;
    valUnit = newUnit;
    return MStatus::kSuccess;
}

MStatus MDistance::setValue(double newValue) {
    val = newValue;
    return MStatus::kSuccess;
}

double MDistance::as(Unit newUnit, MStatus* ReturnStatus) const {
    const bool valid = isValid(newUnit) && isValid(valUnit);
    if (ReturnStatus)
        *ReturnStatus = valid ? MStatus::kSuccess : MStatus::kInvalidParameter;
    return valid ? convert(val, valUnit, newUnit) : 0.0;
}

double MDistance::asUnits(Unit newUnit, MStatus* ReturnStatus) const {
    return as(newUnit, ReturnStatus);
}

double MDistance::asInches() const {
    return as(kInches);
}
double MDistance::asFeet() const {
    return as(kFeet);
}
double MDistance::asYards() const {
    return as(kYards);
}
double MDistance::asMiles() const {
    return as(kMiles);
}
double MDistance::asMillimeters() const {
    return as(kMillimeters);
}
double MDistance::asCentimeters() const {
    return as(kCentimeters);
}
double MDistance::asKilometers() const {
    return as(kKilometers);
}
double MDistance::asMeters() const {
    return as(kMeters);
}

MDistance::Unit MDistance::uiUnit() {
    return uiDistanceUnit.load();
}

MStatus MDistance::setUIUnit(Unit newUnit) {
    if (!isValid(newUnit))
        return MStatus::kInvalidParameter;
    uiDistanceUnit.store(newUnit);
    return MStatus::kSuccess;
}

MDistance::Unit MDistance::internalUnit() {
    return kCentimeters;
}

double MDistance::internalToUI(double internalValue) {
    return convert(internalValue, internalUnit(), uiUnit());
}

double MDistance::uiToInternal(double uiValue) {
    return convert(uiValue, uiUnit(), internalUnit());
}
