#include <maya/MAngle.h>

#include <atomic>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::atomic<MAngle::Unit> uiAngleUnit{MAngle::kDegrees};

bool isValid(MAngle::Unit unit) {
    return unit > MAngle::kInvalid && unit < MAngle::kLast;
}

double radiansPer(MAngle::Unit unit) {
    switch (unit) {
        case MAngle::kDegrees:
            return kPi / 180.0;
        case MAngle::kAngMinutes:
            return kPi / (180.0 * 60.0);
        case MAngle::kAngSeconds:
            return kPi / (180.0 * 3600.0);
        default:
            return 1.0;
    }
}

double convert(double value, MAngle::Unit from, MAngle::Unit to) {
    return from == to ? value : value * radiansPer(from) / radiansPer(to);
}

}  // namespace

MStatus MAngle::setUnit(Unit newUnit) {
    if (!isValid(newUnit))
        return MStatus::kInvalidParameter;
    valUnit = newUnit;
    return MStatus::kSuccess;
}

MStatus MAngle::setValue(double newValue) {
    val = newValue;
    return MStatus::kSuccess;
}

double MAngle::as(Unit otherUnit, MStatus* ReturnStatus) const {
    const bool valid = isValid(otherUnit) && isValid(valUnit);
    if (ReturnStatus)
        *ReturnStatus = valid ? MStatus::kSuccess : MStatus::kInvalidParameter;
    return valid ? convert(val, valUnit, otherUnit) : 0.0;
}

double MAngle::asUnits(Unit otherUnit, MStatus* ReturnStatus) const {
    return as(otherUnit, ReturnStatus);
}

double MAngle::asRadians() const {
    return as(kRadians);
}

double MAngle::asDegrees() const {
    return as(kDegrees);
}

double MAngle::asAngMinutes() const {
    return as(kAngMinutes);
}

double MAngle::asAngSeconds() const {
    return as(kAngSeconds);
}

MAngle::Unit MAngle::uiUnit() {
    return uiAngleUnit.load();
}

MStatus MAngle::setUIUnit(Unit newUnit) {
    if (!isValid(newUnit))
        return MStatus::kInvalidParameter;
    uiAngleUnit.store(newUnit);
    return MStatus::kSuccess;
}

MAngle::Unit MAngle::internalUnit() {
    return kRadians;
}

double MAngle::internalToUI(double internalValue) {
    return convert(internalValue, internalUnit(), uiUnit());
}

double MAngle::uiToInternal(double uiValue) {
    return convert(uiValue, uiUnit(), internalUnit());
}
