// The preferences the transform tools read (option variables, snapping, the grid, the angle
// unit), through MEL as scripts set them and through MGlobal and MAngle as the plug-in reads
// them; and the undo queue's settings and echo.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MAngle.h>
#include <maya/MGlobal.h>
#include <maya/MModelMessage.h>

#include <mayasim/Preferences.h>

#include "EngineFixture.h"

namespace {

class PreferenceTest : public EngineFixture {
protected:
    void TearDown() override {
        mayasim::preferences::reset();
        MAngle::setUIUnit(MAngle::kDegrees);
        EngineFixture::TearDown();
    }
};

TEST_F(PreferenceTest, OptionVariablesReadTheSameFromMelAndTheApi) {
    bool exists = true;
    EXPECT_EQ(MGlobal::optionVarIntValue("unsetVar", &exists), 0);
    EXPECT_FALSE(exists);
    EXPECT_EQ(value("optionVar -q unsetVar").asInt(), 0) << "Maya answers 0 for an unset one";

    ASSERT_TRUE(mel("optionVar -iv count 3 -fv ratio 0.25 -sv label \"a b\""));
    EXPECT_EQ(MGlobal::optionVarIntValue("count", &exists), 3);
    EXPECT_TRUE(exists);
    EXPECT_DOUBLE_EQ(MGlobal::optionVarDoubleValue("ratio"), 0.25);
    EXPECT_EQ(MGlobal::optionVarStringValue("label"), MString("a b"));
    EXPECT_DOUBLE_EQ(MGlobal::optionVarDoubleValue("count"), 3.0) << "numbers convert";

    ASSERT_TRUE(MGlobal::setOptionVarValue("fromApi", 2.5));
    EXPECT_DOUBLE_EQ(value("optionVar -q fromApi").asDouble(), 2.5);
    ASSERT_TRUE(mel("optionVar -iva list 1 -iva list 2; optionVar -iva list 3"));
    EXPECT_EQ(value("optionVar -q list").asIntArray(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(value("optionVar -q -arraySize list").asInt(), 3);
    ASSERT_TRUE(mel("optionVar -clearArray list -remove count"));
    EXPECT_EQ(value("optionVar -q -arraySize list").asInt(), 0);
    EXPECT_EQ(value("optionVar -exists count").asInt(), 0);
    EXPECT_EQ(value("optionVar -exists list").asInt(), 1);
}

TEST_F(PreferenceTest, GridAndSnappingKeepMayasDefaultsAndUndo) {
    EXPECT_DOUBLE_EQ(value("grid -q -spacing").asDouble(), 5.0);
    EXPECT_EQ(value("grid -q -divisions").asInt(), 5);
    EXPECT_DOUBLE_EQ(value("grid -q -size").asDouble(), 12.0);
    EXPECT_DOUBLE_EQ(MGlobal::optionVarDoubleValue("gridSpacing"), 5.0);
    EXPECT_EQ(value("snapMode -q -grid").asInt(), 0);
    EXPECT_EQ(value("snapMode -q -point").asInt(), 0);

    ASSERT_TRUE(mel("grid -spacing 2 -divisions 4; snapMode -point on", nullptr, false, true));
    EXPECT_EQ(MGlobal::optionVarIntValue("gridDivisions"), 4);
    EXPECT_EQ(value("snapMode -q -point").asInt(), 1);
    EXPECT_DOUBLE_EQ(value("grid -q -default -spacing").asDouble(), 5.0);
    ASSERT_TRUE(mel("undo; undo"));
    EXPECT_EQ(value("snapMode -q -point").asInt(), 0);
    EXPECT_DOUBLE_EQ(MGlobal::optionVarDoubleValue("gridSpacing"), 5.0);

    // A bad value changes nothing, the valid flags given with it included.
    EXPECT_FALSE(mel("grid -spacing 3 -divisions 0", nullptr, false, true));
    EXPECT_FALSE(mel("grid -spacing -1"));
    EXPECT_DOUBLE_EQ(value("grid -q -spacing").asDouble(), 5.0);
    EXPECT_EQ(value("undoInfo -q").asInt(), 0) << "a failed command leaves nothing to undo";
}

TEST_F(PreferenceTest, AngleUnitDrivesTheApisUiConversions) {
    EXPECT_EQ(value("currentUnit -q -angle").asString(), "deg");
    EXPECT_EQ(value("currentUnit -q -angle -fullName").asString(), "degree");
    EXPECT_NEAR(MAngle::uiToInternal(90.0), M_PI / 2, 1e-12);
    ASSERT_TRUE(mel("currentUnit -angle rad", nullptr, false, true));
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kRadians);
    EXPECT_DOUBLE_EQ(MAngle::uiToInternal(1.5), 1.5);
    EXPECT_DOUBLE_EQ(MAngle::internalToUI(1.5), 1.5);
    ASSERT_TRUE(mel("undo"));
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kDegrees);

    EXPECT_FALSE(mel("currentUnit -angle rad -linear parsec"));
    EXPECT_EQ(lastMessage(), "error: currentUnit: invalid linear unit \"parsec\".");
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kDegrees) << "nothing changes when one name is bad";
}

TEST_F(PreferenceTest, UndoQueueHonoursItsLengthAndEchoesWhatItUndoes) {
    EXPECT_EQ(value("undoInfo -q -length").asInt(), 50);
    EXPECT_EQ(value("undoInfo -q -infinity").asInt(), 0);
    EXPECT_EQ(value("undoInfo -q -undoQueueEmpty").asInt(), 1);
    ASSERT_TRUE(mel("undoInfo -length 2"));
    ASSERT_TRUE(
        mel("snapMode -grid on; snapMode -point on; snapMode -curve on", nullptr, false, true));
    EXPECT_EQ(value("undoInfo -q").asInt(), 2) << "the oldest entry fell off";
    ASSERT_TRUE(mel("undo; undo; undo"));
    EXPECT_EQ(value("snapMode -q -grid").asInt(), 1) << "the first command is beyond undo";
    EXPECT_EQ(echoed, (std::vector<std::string>{"// Undo: snapMode -curve 1 //",
                                                "// Undo: snapMode -point 1 //"}));
    EXPECT_EQ(lastMessage(), "warning: There are no more commands to undo.");
    ASSERT_TRUE(mel("redo"));
    EXPECT_EQ(echoed.back(), "// Redo: snapMode -point 1 //");
    EXPECT_EQ(value("undoInfo -q -redoQueueEmpty").asInt(), 0);

    ASSERT_TRUE(mel("undoInfo -infinity on"));
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(mel("snapMode -grid on", nullptr, false, true));
    EXPECT_EQ(value("undoInfo -q").asInt(), 61);
    ASSERT_TRUE(mel("undoInfo -infinity off -length 50"));
    EXPECT_EQ(value("undoInfo -q").asInt(), 50);
}

}  // namespace
