// Smoothing of the stylus position before the tracker hands out its poses.
#pragma once

#include "VcLowPass.h"

#include <vexel/tracker/TrackerFilter.h>

//! Low-passes the stylus translation, one VcLowPass per axis; the orientation
//! passes unchanged. The history follows the raw stylus even while the filter
//! is disabled, so enabling it never starts from a stale position.
//!
//! Reference counted: create() hands out one reference.
class VcStylusFilter : public vexel::tracker::TrackerFilter {
public:
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
    void setCutoff(double cutoff, double sampleRate) override;

protected:
    VcStylusFilter() = default;
    ~VcStylusFilter() override = default;

private:
    VcLowPass x_;
    VcLowPass y_;
    VcLowPass z_;
};
