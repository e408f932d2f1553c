// One axis of the stylus smoothing: a first-order low-pass filter.
#pragma once

//! First-order low-pass (bilinear form) with unit gain at rest. The history
//! survives a change of cut-off, so re-tuning never makes the output jump.
class VcLowPass {
public:
    VcLowPass() = default;
    virtual ~VcLowPass() = default;

    //! Sets the gains for a cut-off frequency and a sample rate, both in Hz.
    void setCutoff(double cutoff, double sampleRate);

    //! Feeds one sample and returns the filtered value.
    double step(double input);

private:
    double previousInput_ = 0.0;
    double previousOutput_ = 0.0;
    double inputGain_ = 0.0;
    double feedbackGain_ = 0.0;
};
