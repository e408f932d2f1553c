// Smoothing of the stylus position before the tracker hands out its poses.
#pragma once

#include "VcLowPass.h"
#include "VcOneEuroFilter.h"

#include <vexel/tracker/TrackerFilter.h>

//! Low-passes the stylus translation, one VcLowPass per axis, or in the
//! adaptive mode through a VcOneEuroFilter; the orientation passes unchanged.
//! Both histories follow the raw stylus whatever the mode and even while the
//! filter is disabled, so switching never starts from a stale position.
//!
//! Reference counted: create() hands out one reference.
class VcStylusFilter : public vexel::tracker::TrackerFilter {
public:
    //! The values of the device node's "stylusFilterMode".
    enum Mode : short { kLowPass = 0, kOneEuro = 1 };

    static VcStylusFilter* create();

    // The tracker's adaptive-filter parameters mean nothing to a plain low-pass.
    void setThreshold(float threshold) override;
    float getThreshold() const override;
    void setLevel(float level) override;
    float getLevel() const override;
    void setStartRate(float rate) override;
    float getStartRate() const override;
    void setStopRate(float rate) override;
    float getStopRate() const override;

    bool filter(const vexel::common::Matrix4& in, vexel::common::Matrix4& out) override;
    //! A cut-off outside 0 to a quarter of the sample rate is clamped into it (the
    //! low-pass would run away below and ring above); a sample rate that is not
    //! positive is refused, keeping the previous set-up. Both are reported.
    void setCutoff(double cutoff, double sampleRate) override;

    //! Any other value is taken as kLowPass.
    void setMode(short mode);
    Mode getMode() const { return mode_; }
    //! Out-of-range values are clamped or refused, and reported, as VcOneEuroFilter does.
    void setOneEuroParameters(const VcOneEuroFilter::Parameters& parameters);
    void setOneEuroSampleRate(double sampleRate);

protected:
    VcStylusFilter() = default;
    ~VcStylusFilter() override = default;

private:
    VcLowPass x_;
    VcLowPass y_;
    VcLowPass z_;
    VcOneEuroFilter oneEuro_;
    Mode mode_ = kLowPass;
};
