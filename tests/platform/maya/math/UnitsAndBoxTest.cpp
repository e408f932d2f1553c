#include <gtest/gtest.h>

#include <cmath>

#include <sstream>

#include <maya/MAngle.h>
#include <maya/MBoundingBox.h>
#include <maya/MColor.h>
#include <maya/MDistance.h>
#include <maya/MMatrix.h>
#include <maya/MPointArray.h>
#include <maya/MQuaternion.h>
#include <maya/MTime.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>
#include <maya/MVectorArray.h>

TEST(MBoundingBox, EmptyBoxGrowsAndTransformsByItsCorners) {
    MBoundingBox box;
    EXPECT_FALSE(box.contains(MPoint::origin));
    EXPECT_EQ(box.width(), 0.0);
    box.transformUsing(MMatrix::identity);
    EXPECT_FALSE(box.contains(MPoint::origin));

    box.expand(MPoint(1, 1, 1));
    box.expand(MPoint(-1, -1, -1));
    EXPECT_TRUE(box.contains(MPoint(1, 0, -1)));
    EXPECT_FALSE(box.contains(MPoint(1.01, 0, 0)));

    // A cube turned 45 degrees about z needs a wider box; moving it shifts the centre.
    MMatrix turn = MQuaternion(M_PI / 4, MVector::zAxis).asMatrix();
    turn[3][0] = 5.0;
    box.transformUsing(turn);
    EXPECT_NEAR(box.width(), 2.0 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(box.height(), 2.0 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(box.depth(), 2.0, 1e-12);
    EXPECT_TRUE(box.center().isEquivalent(MPoint(5, 0, 0), 1e-12));

    const MBoundingBox apart(MPoint(0, 0, 0), MPoint(1, 1, 1));
    const MBoundingBox nearby(MPoint(1.5, 0, 0), MPoint(2, 1, 1));
    EXPECT_FALSE(apart.intersects(nearby));
    EXPECT_TRUE(apart.intersects(nearby, 0.6));
    EXPECT_FALSE(apart.intersects(MBoundingBox()));
    // Corners given in any order make the same box.
    EXPECT_TRUE(MBoundingBox(MPoint(1, 0, 1), MPoint(0, 1, 0)).max().isEquivalent(MPoint(1, 1, 1)));
}

TEST(MAngle, InternalRadiansAndProcessWideUiUnit) {
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kDegrees);
    EXPECT_NEAR(MAngle::internalToUI(M_PI), 180.0, 1e-12);
    EXPECT_NEAR(MAngle::uiToInternal(90.0), M_PI / 2, 1e-12);
    EXPECT_NEAR(MAngle(1.0, MAngle::kDegrees).asAngSeconds(), 3600.0, 1e-9);

    EXPECT_EQ(MAngle::setUIUnit(MAngle::kRadians), MStatus::kSuccess);
    EXPECT_DOUBLE_EQ(MAngle::internalToUI(1.25), 1.25);
    EXPECT_EQ(MAngle::setUIUnit(MAngle::kInvalid), MStatus::kInvalidParameter);
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kRadians);
    MAngle::setUIUnit(MAngle::kDegrees);

    MStatus status;
    MAngle(1.0).as(MAngle::kLast, &status);
    EXPECT_EQ(status, MStatus::kInvalidParameter);
}

TEST(MDistance, InternalCentimetres) {
    EXPECT_EQ(MDistance::internalUnit(), MDistance::kCentimeters);
    EXPECT_DOUBLE_EQ(MDistance(1.0, MDistance::kMeters).asCentimeters(), 100.0);
    EXPECT_DOUBLE_EQ(MDistance(1.0, MDistance::kFeet).asInches(), 12.0);
    MDistance::setUIUnit(MDistance::kMillimeters);
    EXPECT_DOUBLE_EQ(MDistance::internalToUI(2.5), 25.0);
    MDistance::setUIUnit(MDistance::kCentimeters);
}

TEST(MTime, UnitsCompareAsMomentsAndFilmIsTheDefault) {
    EXPECT_EQ(MTime::uiUnit(), MTime::kFilm);
    EXPECT_EQ(MTime().unit(), MTime::kFilm);
    EXPECT_EQ(MTime::k6000FPS, 42);
    EXPECT_DOUBLE_EQ(MTime(48.0).as(MTime::kSeconds), 2.0);
    EXPECT_DOUBLE_EQ(MTime(1.0, MTime::kSeconds).as(MTime::kNTSCFrame), 30.0);
    EXPECT_DOUBLE_EQ(MTime(1.0, MTime::kSeconds).as(MTime::k375FPS), 375.0);
    EXPECT_TRUE(MTime(24.0, MTime::kFilm) == MTime(1.0, MTime::kSeconds));
    EXPECT_TRUE(MTime(24.0, MTime::kFilm) < MTime(26.0, MTime::kPALFrame));

    // Sums count in the left operand's unit; changing the unit keeps the moment.
    MTime t(12.0, MTime::kFilm);
    t += MTime(0.5, MTime::kSeconds);
    EXPECT_DOUBLE_EQ(t.value(), 24.0);
    t.setUnit(MTime::kSeconds);
    EXPECT_DOUBLE_EQ(t.value(), 1.0);
    EXPECT_EQ(t.setUnit(MTime::kUserDef), MStatus::kInvalidParameter);

    MTime::setUIUnit(MTime::kNTSCFrame);
    EXPECT_EQ(MTime().unit(), MTime::kNTSCFrame);
    MTime::setUIUnit(MTime::kFilm);
}

TEST(MColor, ColourModelsRoundTrip) {
    const MColor orange(MColor::kHSV, 30.0f, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(orange.r, 1.0f);
    EXPECT_FLOAT_EQ(orange.g, 0.5f);
    EXPECT_FLOAT_EQ(orange.b, 0.0f);
    float h, s, v;
    EXPECT_TRUE(MColor(0.2f, 0.4f, 0.8f).get(MColor::kHSV, h, s, v));
    EXPECT_NEAR(h, 220.0f, 1e-4);
    EXPECT_NEAR(s, 0.75f, 1e-6);
    EXPECT_NEAR(v, 0.8f, 1e-6);
    EXPECT_EQ(MColor(MColor::kCMY, 1.0f, 0.0f, 1.0f), MColor(0.0f, 1.0f, 0.0f));
    MColor kept(0.1f, 0.2f, 0.3f);
    EXPECT_FALSE(kept.set(MColor::kCMYK, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(kept, MColor(0.1f, 0.2f, 0.3f));
}

TEST(MathValues, TypeIdArraysAndPrinting) {
    EXPECT_EQ(MTypeId(0x1178, 0x17).id(), 0x117817u);
    EXPECT_EQ(MTypeId(0x117817), MTypeId(0x1178, 0x17));
    EXPECT_EQ(MAYA_API_VERSION, 201203);

    MPointArray points(2);
    EXPECT_EQ(points[1], MPoint::origin);
    points.append(1.0, 2.0);
    EXPECT_EQ(points.set(MPoint(), 3), MStatus::kInvalidParameter);
    EXPECT_EQ(points.insert(MPoint(9, 9, 9), 4), MStatus::kInvalidParameter);
    EXPECT_EQ(points.length(), 3u);
    double raw[3][4];
    points.get(raw);
    EXPECT_EQ(raw[2][1], 2.0);
    EXPECT_EQ(raw[2][3], 1.0);

    const double rows[2][3] = {{1, 2, 3}, {4, 5, 6}};
    MVectorArray vectors(rows, 2);
    EXPECT_EQ(vectors.remove(0), MStatus::kSuccess);
    EXPECT_EQ(vectors[0], MVector(4, 5, 6));

    std::ostringstream out;
    out << MVector(1, 2, 3) << " " << MPoint(1, 2, 3) << " " << vectors;
    EXPECT_EQ(out.str(), "[1, 2, 3] [1, 2, 3, 1] [[4, 5, 6]]");
}
