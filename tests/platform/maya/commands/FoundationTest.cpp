#include <gtest/gtest.h>

#include <cstdlib>

#include <maya/MDoubleArray.h>
#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

TEST(MStringTest, SubstringIsInclusiveAndClamped) {
    MString path("C:/maya/plug-ins/VXMayaPlugin.mll");
    EXPECT_EQ(path.substring(0, 1), "C:");
    EXPECT_EQ(path.substring(path.rindex('/') + 1, 1000), "VXMayaPlugin.mll");
    EXPECT_EQ(path.substring(5, 4), "");
    EXPECT_EQ(path.substring(-3, 0), "C");
    EXPECT_EQ(path.index('/'), 2);
    EXPECT_EQ(path.index('#'), -1);
}

TEST(MStringTest, SplitDropsEmptyPieces) {
    MStringArray parts;
    MString("a,,b,c,").split(',', parts);
    ASSERT_EQ(parts.length(), 3u);
    EXPECT_EQ(parts[0], "a");
    EXPECT_EQ(parts[2], "c");
    MString("").split(',', parts);
    EXPECT_EQ(parts.length(), 0u);
}

TEST(MStringTest, NumbersBothWays) {
    EXPECT_TRUE(MString(" 42 ").isInt());
    EXPECT_EQ(MString("42").asInt(), 42);
    EXPECT_FALSE(MString("4.5").isInt());
    EXPECT_FALSE(MString("12abc").isDouble());
    EXPECT_TRUE(MString("-1e3").isDouble());
    EXPECT_DOUBLE_EQ(MString("-1e3").asDouble(), -1000.0);
    EXPECT_FALSE(MString("").isInt());

    MString text("v=");
    text += 3;
    text += 0.1;
    EXPECT_EQ(text, "v=30.1");
    MString fixed;
    fixed.set(2.0 / 3.0, 3);
    EXPECT_EQ(fixed, "0.667");
}

TEST(MStringTest, ExpandFilePathTurnsBackslashesAndVariables) {
    setenv("VX_TEST_ROOT", "/opt/vx", 1);
    EXPECT_EQ(MString("$VX_TEST_ROOT\\plug-ins\\a.mll").expandFilePath(), "/opt/vx/plug-ins/a.mll");
    EXPECT_EQ(MString("${VX_TEST_ROOT}/b").expandFilePath(), "/opt/vx/b");
    EXPECT_EQ(MString("$VX_UNSET_VARIABLE_X/c").expandFilePath(), "$VX_UNSET_VARIABLE_X/c");
}

TEST(MStatusTest, CodesCompareAndPerrorFormats) {
    MStatus status(MS::kInvalidParameter);
    EXPECT_FALSE(status);
    EXPECT_TRUE(status.error());
    EXPECT_TRUE(MS::kInvalidParameter == status);
    EXPECT_EQ(MStatus().errorString(), "");
    testing::internal::CaptureStderr();
    status.perror("registerNode");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "registerNode: (kInvalidParameter): Object is incompatible with this method\n");
}

TEST(ArrayTest, EditingOutOfRangeFailsAndKeepsContents) {
    MIntArray ints(3, 7);
    EXPECT_EQ(ints.insert(1, 0), MS::kSuccess);
    EXPECT_EQ(ints.remove(9), MS::kInvalidParameter);
    EXPECT_EQ(ints.set(5, 4), MS::kInvalidParameter);
    ASSERT_EQ(ints.length(), 4u);
    EXPECT_EQ(ints[0], 1);
    EXPECT_EQ(ints[3], 7);

    const float floats[] = {1.5f, 2.5f};
    MDoubleArray doubles(MFloatArray(floats, 2));
    EXPECT_DOUBLE_EQ(doubles[1], 2.5);
}
