// The adaptive stylus smoothing: the 1 euro filter (Casiez, Roussel and Vogel,
// CHI 2012), a low-pass whose cut-off rises with speed.
#pragma once

//! Smooths a 3D position. At rest it low-passes at the minimum cut-off, which
//! removes jitter; in motion the cut-off grows by the speed coefficient times
//! the speed, so the output keeps up with the hand. The three axes share one
//! cut-off taken from the length of the smoothed velocity, so a diagonal move
//! is treated like one along an axis.
class VcOneEuroFilter {
public:
    struct Parameters {
        double minCutoff = 5.0;           // Hz
        double speedCoefficient = 300.0;  // Hz per metre per second
        double derivativeCutoff = 1.0;    // Hz, smoothing of the speed estimate
    };

    //! Negative or undefined values are taken as 0 (a zero minimum cut-off
    //! holds the output while the stylus rests). Returns false when it had to.
    bool setParameters(const Parameters& parameters);
    const Parameters& parameters() const { return parameters_; }

    //! Samples per second the positions arrive at. A rate that is not positive
    //! and finite is refused (false) and the previous rate kept.
    bool setSampleRate(double sampleRate);
    double sampleRate() const { return sampleRate_; }

    //! Feeds one position and writes the filtered one. The first position
    //! passes unchanged and starts the history.
    void step(const double in[3], double out[3]);

private:
    //! Smoothing factor of an exponential low-pass at `cutoff` Hz.
    double smoothing(double cutoff) const;

    Parameters parameters_;
    double sampleRate_ = 1000.0;
    bool primed_ = false;
    double position_[3] = {0.0, 0.0, 0.0};
    double velocity_[3] = {0.0, 0.0, 0.0};
};
