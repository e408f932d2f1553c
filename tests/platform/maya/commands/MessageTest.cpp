#include <gtest/gtest.h>

#include <maya/MCallbackIdArray.h>
#include <maya/MDoubleArray.h>
#include <maya/MEventMessage.h>
#include <maya/MGlobal.h>
#include <maya/MModelMessage.h>
#include <maya/MSceneMessage.h>
#include <maya/MStringArray.h>

#include <mayasim/Messages.h>

#include "EngineFixture.h"

namespace {

struct Recorder {
    std::vector<std::string> calls;
    MCallbackId removeOnCall = 0;
};

void first(void* data) {
    auto* recorder = static_cast<Recorder*>(data);
    recorder->calls.push_back("first");
    if (recorder->removeOnCall)
        MMessage::removeCallback(recorder->removeOnCall);
}

void second(void* data) {
    static_cast<Recorder*>(data)->calls.push_back("second");
}

using MessageTest = EngineFixture;

TEST_F(MessageTest, CallbacksRunInOrderAndMayRemoveOthers) {
    Recorder recorder;
    MStatus status;
    MCallbackIdArray ids;
    ids.append(MEventMessage::addEventCallback("idle", first, &recorder, &status));
    ASSERT_TRUE(status);
    ids.append(MEventMessage::addEventCallback("idle", second, &recorder));
    ids.append(MSceneMessage::addCallback(MSceneMessage::kMayaExiting, second, &recorder));
    ids.append(MModelMessage::addCallback(MModelMessage::kActiveListModified, second, &recorder));
    EXPECT_EQ(MSceneMessage::kMayaExiting, 27);

    mayasim::CommandEngine::instance().runIdle();
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"first", "second"}));

    // The first callback removes the second while the event is being fired.
    recorder.calls.clear();
    recorder.removeOnCall = ids[1];
    mayasim::messages::fireEvent("idle");
    mayasim::messages::fireEvent("timeChanged");
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"first"});

    recorder.calls.clear();
    recorder.removeOnCall = 0;
    mayasim::messages::fireSceneMessage(27);
    mayasim::messages::fireModelMessage(0);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"second", "second"}));

    EXPECT_FALSE(MMessage::removeCallback(ids[1]));
    ids.remove(1);
    EXPECT_TRUE(MMessage::removeCallbacks(ids));
    mayasim::messages::fireSceneMessage(27);
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST_F(MessageTest, ResultsComeBackInTheAskedShape) {
    MStringArray strings;
    ASSERT_TRUE(MGlobal::executeCommand("`about -os`", strings));
    ASSERT_EQ(strings.length(), 1u);
    EXPECT_EQ(strings[0], "linux64");
    MDoubleArray doubles;
    ASSERT_TRUE(MGlobal::executeCommand("float $f[] = {1, 2.5}; $f;", doubles));
    ASSERT_EQ(doubles.length(), 2u);
    EXPECT_DOUBLE_EQ(doubles[1], 2.5);
    MStatus status;
    EXPECT_EQ(MGlobal::executeCommandStringResult("string $s[] = {\"a\", \"b\"}; $s;", false, false,
                                                  &status),
              "a b");
    EXPECT_TRUE(status);
    int number = 0;
    EXPECT_FALSE(MGlobal::executeCommand("noSuchCommand", number));
    EXPECT_EQ(MGlobal::mayaState(), MGlobal::kInteractive);
}

}  // namespace
