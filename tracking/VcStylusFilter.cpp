#include "VcStylusFilter.h"

#include "DebugPrint.h"

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
    const double x = x_.step(static_cast<double>(source[3]));
    const double y = y_.step(static_cast<double>(source[7]));
    const double z = z_.step(static_cast<double>(source[11]));
    out = in;
    const bool enabled = isEnabled();
    if (enabled) {
        float* target = out.ptr();
        target[3] = static_cast<float>(x);
        target[7] = static_cast<float>(y);
        target[11] = static_cast<float>(z);
    }
    return enabled;
}

void VcStylusFilter::setCutoff(double cutoff, double sampleRate) {
    x_.setCutoff(cutoff, sampleRate);
    y_.setCutoff(cutoff, sampleRate);
    z_.setCutoff(cutoff, sampleRate);
}
