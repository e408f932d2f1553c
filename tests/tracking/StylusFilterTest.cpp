// The stylus smoothing: unit gain at rest, a frozen output at cut-off 0, and a
// history that follows the raw stylus while the filter is off.
#include "VcStylusFilter.h"

#include <gtest/gtest.h>

#include <vexel/common/Matrix4.h>

#include <cmath>

using vexel::common::Matrix4;

namespace {

constexpr double kSampleRate = 1000.0;

// A pose turned about z by `angle`, at (x, y, z).
Matrix4 pose(float x, float y, float z, float angle = 0.3f) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Matrix4(c, -s, 0, x, s, c, 0, y, 0, 0, 1, z, 0, 0, 0, 1);
}

struct FilterHandle {
    FilterHandle() : filter(VcStylusFilter::create()) { filter->setCutoff(33.0, kSampleRate); }
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
    FilterHandle f;
    const Matrix4 input = pose(0.1f, -0.2f, 0.3f);
    Matrix4 out;
    for (int i = 0; i < 2000; ++i) {
        out = f.step(input);
    }
    for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(out[row][3], input[row][3], 1e-6);
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(out[row][column], input[row][column]);
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
