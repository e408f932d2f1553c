#include "VcLowPass.h"

#include <vexel/common/Math.h>

#include <cmath>

void VcLowPass::setCutoff(double cutoff, double sampleRate) {
    const double w = static_cast<double>(vexel::common::Math::TWO_PI) * cutoff / sampleRate;
    feedbackGain_ = std::cos(w) / (std::sin(w) + 1.0);
    inputGain_ = (1.0 - feedbackGain_) * 0.5;
}

double VcLowPass::step(double input) {
    const double output = (input + previousInput_) * inputGain_ + feedbackGain_ * previousOutput_;
    previousInput_ = input;
    previousOutput_ = output;
    return output;
}
