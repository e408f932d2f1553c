// The stylus smoothing in both modes: unit gain at rest, a frozen output at
// cut-off 0, histories that follow the raw stylus while the filter is off or in
// the other mode, the adaptive filter's response to speed, and settings out of
// range.
#include "VcStylusFilter.h"

#include <gtest/gtest.h>

#include <vexel/common/Matrix4.h>
#include <vxhost/DebugOutput.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using vexel::common::Matrix4;

namespace {

constexpr double kSampleRate = 1000.0;

// A pose turned about z by `angle`, at (x, y, z).
Matrix4 pose(float x, float y, float z, float angle = 0.3f) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Matrix4(c, -s, 0, x, s, c, 0, y, 0, 0, 1, z, 0, 0, 0, 1);
}

constexpr double kDeviceRate = 120.0;

struct FilterHandle {
    explicit FilterHandle(VcStylusFilter::Mode mode = VcStylusFilter::kLowPass)
        : filter(VcStylusFilter::create()) {
        filter->setCutoff(33.0, kSampleRate);
        filter->setMode(mode);
        filter->setOneEuroSampleRate(kDeviceRate);
    }
    ~FilterHandle() { filter->removeReference(); }
    Matrix4 step(const Matrix4& in) {
        Matrix4 out;
        filter->filter(in, out);
        return out;
    }
    VcStylusFilter* filter;
};

}  // namespace

TEST(StylusFilter, ConstantInputConvergesToItselfAndKeepsOrientation) {
    for (const auto mode : {VcStylusFilter::kLowPass, VcStylusFilter::kOneEuro}) {
        FilterHandle f(mode);
        f.step(pose(0.0f, 0.0f, 0.0f));
        const Matrix4 input = pose(0.1f, -0.2f, 0.3f);
        Matrix4 out;
        for (int i = 0; i < 2000; ++i) {
            out = f.step(input);
        }
        for (int row = 0; row < 3; ++row) {
            EXPECT_NEAR(out[row][3], input[row][3], 1e-6) << mode;
            for (int column = 0; column < 3; ++column) {
                EXPECT_EQ(out[row][column], input[row][column]) << mode;
            }
        }
    }
}

TEST(StylusFilter, CutoffZeroHoldsTheLastValue) {
    FilterHandle f;
    Matrix4 held;
    for (int i = 0; i < 50; ++i) {
        held = f.step(pose(0.05f * static_cast<float>(i), 0.01f, -0.2f));
    }
    f.filter->setCutoff(0.0, kSampleRate);
    for (int i = 0; i < 10; ++i) {
        const Matrix4 out = f.step(pose(1.0f, 2.0f, 3.0f));
        EXPECT_EQ(out[0][3], held[0][3]);
        EXPECT_EQ(out[1][3], held[1][3]);
        EXPECT_EQ(out[2][3], held[2][3]);
    }
}

TEST(StylusFilter, DisablingPassesRawPosesAndReenablingResumesFromTheRawHistory) {
    FilterHandle toggled;
    FilterHandle alwaysOn;
    auto input = [](int i) {
        return pose(0.01f * static_cast<float>(i * i % 37), 0.002f * i, 0.0f);
    };
    int i = 0;
    for (; i < 30; ++i) {
        toggled.step(input(i));
        alwaysOn.step(input(i));
    }
    toggled.filter->setEnabled(false);
    for (; i < 60; ++i) {
        Matrix4 out;
        EXPECT_FALSE(toggled.filter->filter(input(i), out));
        EXPECT_EQ(out, input(i));
        alwaysOn.step(input(i));
    }
    toggled.filter->setEnabled(true);
    for (; i < 70; ++i) {
        Matrix4 out;
        EXPECT_TRUE(toggled.filter->filter(input(i), out));
        EXPECT_EQ(out, alwaysOn.step(input(i)));
    }
}

TEST(StylusFilter, FirstStepsFollowTheCutoffInHertz) {
    // From rest at the origin a unit step comes through as a, then 2a + c a, with
    // w = 2 pi f / s, c = cos w / (sin w + 1), a = (1 - c) / 2.
    struct Expected {
        double cutoff;
        double first;
        double second;
    };
    for (const Expected& expected :
         {Expected{33.0, 0.0942403, 0.2649584}, Expected{67.0, 0.1760401, 0.4661401}}) {
        FilterHandle f;
        f.filter->setCutoff(expected.cutoff, kSampleRate);
        EXPECT_NEAR(f.step(pose(1.0f, 0.0f, 0.0f))[0][3], expected.first, 1e-6) << expected.cutoff;
        EXPECT_NEAR(f.step(pose(1.0f, 0.0f, 0.0f))[0][3], expected.second, 1e-6) << expected.cutoff;
    }
}

TEST(StylusFilter, OneEuroAtRestSmoothsAtTheMinimumCutoffAndSpeedRaisesIt) {
    // Without the speed term the filter is an exponential low-pass with
    // alpha = 1 / (1 + rate / (2 pi fmin)); the first position passes unchanged.
    FilterHandle still(VcStylusFilter::kOneEuro);
    still.filter->setOneEuroParameters({5.0, 0.0, 1.0});
    const double alpha = 1.0 / (1.0 + kDeviceRate / (2.0 * M_PI * 5.0));
    EXPECT_EQ(still.step(pose(0.0f, 0.0f, 0.0f))[0][3], 0.0f);
    EXPECT_NEAR(still.step(pose(0.05f, 0.0f, 0.0f))[0][3], 0.05 * alpha, 1e-7);
    EXPECT_NEAR(still.step(pose(0.05f, 0.0f, 0.0f))[0][3], 0.05 * (1 - (1 - alpha) * (1 - alpha)),
                1e-7);

    // A jump makes the adaptive filter follow faster, equally fast whichever way
    // it points: the three axes share one cut-off.
    FilterHandle slow(VcStylusFilter::kOneEuro);
    FilterHandle alongX(VcStylusFilter::kOneEuro);
    FilterHandle diagonal(VcStylusFilter::kOneEuro);
    slow.filter->setOneEuroParameters({5.0, 0.0, 1.0});
    const float side = 0.05f / std::sqrt(3.0f);
    for (FilterHandle* f : {&slow, &alongX, &diagonal}) {
        f->step(pose(0.0f, 0.0f, 0.0f));
    }
    for (int i = 0; i < 3; ++i) {
        const double stillCovered = slow.step(pose(0.05f, 0.0f, 0.0f))[0][3] / 0.05;
        const double covered = alongX.step(pose(0.05f, 0.0f, 0.0f))[0][3] / 0.05;
        const Matrix4 out = diagonal.step(pose(side, side, side));
        EXPECT_GT(covered, stillCovered + 0.2) << i;
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(out[axis][3] / side, covered, 1e-5) << i;
        }
    }
}

TEST(StylusFilter, SwitchingModesContinuesFromAHistoryThatFollowedTheRawStylus) {
    FilterHandle switched;
    FilterHandle alwaysAdaptive(VcStylusFilter::kOneEuro);
    auto input = [](int i) { return pose(0.01f * static_cast<float>(i % 17), 0.002f * i, 0.0f); };
    int i = 0;
    for (; i < 40; ++i) {
        switched.step(input(i));
        alwaysAdaptive.step(input(i));
    }
    switched.filter->setMode(VcStylusFilter::kOneEuro);
    for (; i < 50; ++i) {
        EXPECT_EQ(switched.step(input(i)), alwaysAdaptive.step(input(i))) << i;
    }
    switched.filter->setMode(7);  // unknown: the low-pass
    EXPECT_EQ(switched.filter->getMode(), VcStylusFilter::kLowPass);
}

TEST(StylusFilter, SettingsOutOfRangeAreClampedOrRefusedAndReported) {
    vxhost::DebugOutput::instance().take();
    auto reported = [](const char* text) {
        const std::vector<std::string> lines = vxhost::DebugOutput::instance().takeLines();
        return lines.size() == 1 && lines[0].find(text) != std::string::npos;
    };
    auto settlesAt = [](FilterHandle& f, float x) {
        Matrix4 out;
        for (int i = 0; i < 400; ++i) {
            out = f.step(pose(x, 0.0f, 0.0f));
        }
        return std::isfinite(out[0][3]) && std::fabs(out[0][3] - x) < 1e-4f;
    };

    // A negative cut-off (a damping factor above 1) would make the low-pass run
    // away; it holds like cut-off 0 instead.
    FilterHandle lowPass;
    ASSERT_TRUE(settlesAt(lowPass, 0.1f));
    lowPass.filter->setCutoff(-50.0, kSampleRate);
    EXPECT_TRUE(reported("cut-off -50 Hz out of range"));
    const float held = lowPass.step(pose(0.1f, 0.0f, 0.0f))[0][3];
    EXPECT_EQ(lowPass.step(pose(0.5f, 0.0f, 0.0f))[0][3], held);
    // Above a quarter of the sample rate it would ring; a zero rate is refused.
    lowPass.filter->setCutoff(1e6, kSampleRate);
    EXPECT_TRUE(reported("using 250"));
    EXPECT_TRUE(settlesAt(lowPass, 0.2f));
    lowPass.filter->setCutoff(67.0, 0.0);
    EXPECT_TRUE(reported("sample rate 0 Hz refused"));
    EXPECT_TRUE(settlesAt(lowPass, 0.3f));

    FilterHandle adaptive(VcStylusFilter::kOneEuro);
    adaptive.filter->setOneEuroParameters({-1.0, -300.0, std::nan("")});
    EXPECT_TRUE(reported("taken as 0"));
    adaptive.filter->setOneEuroParameters({2.0, 100.0, 1.0});
    adaptive.filter->setOneEuroSampleRate(0.0);
    EXPECT_TRUE(reported("sample rate 0 Hz refused, keeping 120 Hz"));
    adaptive.filter->setOneEuroSampleRate(-std::numeric_limits<double>::infinity());
    EXPECT_TRUE(reported("refused"));
    EXPECT_TRUE(settlesAt(adaptive, 0.1f));
}
