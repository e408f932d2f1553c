#include "VcStylusFilter.h"

#include "DebugPrint.h"

#include <algorithm>
#include <cmath>

using vexel::common::Matrix4;

VcStylusFilter* VcStylusFilter::create() {
    return new VcStylusFilter();
}

void VcStylusFilter::setThreshold(float threshold) {
    debugPrint("VcStylusFilter::setThreshold::stubbed: %g\n", threshold);
}

float VcStylusFilter::getThreshold() const {
    return 0.0f;
}

void VcStylusFilter::setLevel(float level) {
    debugPrint("VcStylusFilter::setLevel::stubbed: %g\n", level);
}

float VcStylusFilter::getLevel() const {
    return 0.0f;
}

void VcStylusFilter::setStartRate(float rate) {
    debugPrint("VcStylusFilter::setStartRate::stubbed: %g\n", rate);
}

float VcStylusFilter::getStartRate() const {
    return 0.0f;
}

void VcStylusFilter::setStopRate(float rate) {
    debugPrint("VcStylusFilter::setStopRate::stubbed: %g\n", rate);
}

float VcStylusFilter::getStopRate() const {
    return 0.0f;
}

bool VcStylusFilter::filter(const Matrix4& in, Matrix4& out) {
    const float* source = in.ptr();
    const double raw[3] = {static_cast<double>(source[3]), static_cast<double>(source[7]),
                           static_cast<double>(source[11])};
    const double lowPassed[3] = {x_.step(raw[0]), y_.step(raw[1]), z_.step(raw[2])};
    double adaptive[3];
    oneEuro_.step(raw, adaptive);
    out = in;
    const bool enabled = isEnabled();
    if (enabled) {
        const double* filtered = mode_ == kOneEuro ? adaptive : lowPassed;
        float* target = out.ptr();
        target[3] = static_cast<float>(filtered[0]);
        target[7] = static_cast<float>(filtered[1]);
        target[11] = static_cast<float>(filtered[2]);
    }
    return enabled;
}

void VcStylusFilter::setCutoff(double cutoff, double sampleRate) {
    if (!(sampleRate > 0.0 && std::isfinite(sampleRate))) {
        debugPrint(
            "VcStylusFilter::setCutoff: sample rate %g Hz refused, keeping the last set-up\n",
            sampleRate);
        return;
    }
    const double highest = sampleRate * 0.25;
    const double usable = std::isnan(cutoff) ? 0.0 : std::clamp(cutoff, 0.0, highest);
    if (usable != cutoff) {
        debugPrint("VcStylusFilter::setCutoff: cut-off %g Hz out of range 0 to %g Hz, using %g\n",
                   cutoff, highest, usable);
    }
    x_.setCutoff(usable, sampleRate);
    y_.setCutoff(usable, sampleRate);
    z_.setCutoff(usable, sampleRate);
}

void VcStylusFilter::setMode(short mode) {
    mode_ = mode == kOneEuro ? kOneEuro : kLowPass;
}

void VcStylusFilter::setOneEuroParameters(const VcOneEuroFilter::Parameters& parameters) {
    if (!oneEuro_.setParameters(parameters)) {
        const VcOneEuroFilter::Parameters& used = oneEuro_.parameters();
        debugPrint(
            "VcStylusFilter: negative 1 euro filter parameters taken as 0: minimum cut-off %g, "
            "speed coefficient %g, derivative cut-off %g\n",
            used.minCutoff, used.speedCoefficient, used.derivativeCutoff);
    }
}

void VcStylusFilter::setOneEuroSampleRate(double sampleRate) {
    if (!oneEuro_.setSampleRate(sampleRate)) {
        debugPrint("VcStylusFilter: sample rate %g Hz refused, keeping %g Hz\n", sampleRate,
                   oneEuro_.sampleRate());
    }
}
