#include "VcOneEuroFilter.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

//! `value` when it is a usable non-negative number, else 0.
double nonNegative(double value, bool& clamped) {
    if (value >= 0.0 && std::isfinite(value)) {
        return value;
    }
    clamped = true;
    return 0.0;
}

}  // namespace

bool VcOneEuroFilter::setParameters(const Parameters& parameters) {
    bool clamped = false;
    parameters_.minCutoff = nonNegative(parameters.minCutoff, clamped);
    parameters_.speedCoefficient = nonNegative(parameters.speedCoefficient, clamped);
    parameters_.derivativeCutoff = nonNegative(parameters.derivativeCutoff, clamped);
    return !clamped;
}

bool VcOneEuroFilter::setSampleRate(double sampleRate) {
    if (!(sampleRate > 0.0 && std::isfinite(sampleRate))) {
        return false;
    }
    sampleRate_ = sampleRate;
    return true;
}

double VcOneEuroFilter::smoothing(double cutoff) const {
    if (!(cutoff > 0.0)) {
        return 0.0;
    }
    return 1.0 / (1.0 + sampleRate_ / (kTwoPi * cutoff));
}

void VcOneEuroFilter::step(const double in[3], double out[3]) {
    if (!primed_) {
        primed_ = true;
        for (int i = 0; i < 3; ++i) {
            position_[i] = out[i] = in[i];
            velocity_[i] = 0.0;
        }
        return;
    }
    // The velocity is taken against the filtered position, so it stays high
    // until the output has caught up with a jump.
    const double velocitySmoothing = smoothing(parameters_.derivativeCutoff);
    double speedSquared = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double velocity = (in[i] - position_[i]) * sampleRate_;
        velocity_[i] += velocitySmoothing * (velocity - velocity_[i]);
        speedSquared += velocity_[i] * velocity_[i];
    }
    const double cutoff =
        parameters_.minCutoff + parameters_.speedCoefficient * std::sqrt(speedSquared);
    const double positionSmoothing = smoothing(cutoff);
    for (int i = 0; i < 3; ++i) {
        position_[i] += positionSmoothing * (in[i] - position_[i]);
        out[i] = position_[i];
    }
}
