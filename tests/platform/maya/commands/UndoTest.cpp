#include <gtest/gtest.h>

#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>

#include "EngineFixture.h"

namespace {

int counter = 0;

// Adds its argument to the counter; undoable.
class AddCmd : public MPxCommand {
public:
    static void* creator() { return new AddCmd; }
    bool isUndoable() const override { return true; }
    MStatus doIt(const MArgList& args) override {
        amount_ = args.asInt(0);
        return redoIt();
    }
    MStatus redoIt() override {
        counter += amount_;
        setResult(counter);
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        counter -= amount_;
        return MS::kSuccess;
    }

private:
    int amount_ = 0;
};

class UndoTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        counter = 0;
        mayasim::CommandEngine::instance().registerCommand("add", AddCmd::creator, nullptr, "");
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().deregisterCommand("add");
        EngineFixture::TearDown();
    }
};

TEST_F(UndoTest, UndoAndRedoWalkTheQueue) {
    ASSERT_TRUE(mel("add 1; add 10", nullptr, false, true));
    ASSERT_TRUE(mel("add 100", nullptr, false, false));  // undo off: not queued
    EXPECT_EQ(counter, 111);
    EXPECT_EQ(value("undoInfo -q -undoName").asString(), "add 10;");

    ASSERT_TRUE(mel("undo; undo; undo"));
    EXPECT_EQ(counter, 100);
    EXPECT_EQ(lastMessage(), "warning: There are no more commands to undo.");
    ASSERT_TRUE(mel("redo"));
    EXPECT_EQ(counter, 101);
    ASSERT_TRUE(mel("add 1000", nullptr, false, true));  // a new command drops the redo
    ASSERT_TRUE(mel("redo"));
    EXPECT_EQ(counter, 1101);
}

TEST_F(UndoTest, TurningUndoOffFlushes) {
    ASSERT_TRUE(mel("add 1", nullptr, false, true));
    ASSERT_TRUE(mel("undoInfo -state off; add 2", nullptr, false, true));
    EXPECT_EQ(value("undoInfo -q -state").asInt(), 0);
    ASSERT_TRUE(mel("undoInfo -state on; undo"));
    EXPECT_EQ(counter, 3);
}

TEST_F(UndoTest, IdleRunsDeferredCommandsOnce) {
    ASSERT_TRUE(MGlobal::executeCommandOnIdle("add 5"));
    ASSERT_TRUE(mel("evalDeferred \"add 7\""));
    EXPECT_EQ(counter, 0);
    mayasim::CommandEngine::instance().runIdle();
    EXPECT_EQ(counter, 12);
    mayasim::CommandEngine::instance().runIdle();
    EXPECT_EQ(counter, 12);
}

}  // namespace

namespace {

// Undoable, but refuses to run.
class FailCmd : public MPxCommand {
public:
    static void* creator() { return new FailCmd; }
    bool isUndoable() const override { return true; }
    MStatus doIt(const MArgList&) override {
        counter += 1000;
        return MS::kFailure;
    }
    MStatus undoIt() override {
        counter -= 1000;
        return MS::kSuccess;
    }
};

class UndoQueueTest : public UndoTest {
protected:
    void SetUp() override {
        UndoTest::SetUp();
        mayasim::CommandEngine::instance().registerCommand("fail", FailCmd::creator, nullptr, "");
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().deregisterCommand("fail");
        UndoTest::TearDown();
    }
};

TEST_F(UndoQueueTest, SeveralCommandsUndoAndRedoOneAtATime) {
    ASSERT_TRUE(mel("add 1; add 2; add 4", nullptr, false, true));
    ASSERT_TRUE(mel("undo; undo"));
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(value("undoInfo -q -redoName").asString(), "add 2;");
    ASSERT_TRUE(mel("redo"));
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(value("undoInfo -q -undoName").asString(), "add 2;");
    EXPECT_EQ(value("undoInfo -q -redoName").asString(), "add 4;")
        << "queries between undo and redo keep the redo";
    ASSERT_TRUE(mel("redo; redo"));
    EXPECT_EQ(counter, 7);
    EXPECT_EQ(lastMessage(), "warning: There are no more commands to redo.");
}

TEST_F(UndoQueueTest, AFailedCommandIsNotQueued) {
    ASSERT_TRUE(mel("add 1; add 2", nullptr, false, true));
    EXPECT_FALSE(mel("fail", nullptr, false, true));
    counter -= 1000;  // what the failed doIt left behind
    EXPECT_EQ(value("undoInfo -q -undoName").asString(), "add 2;");
    ASSERT_TRUE(mel("undo"));
    EXPECT_EQ(counter, 1) << "undo skips the failure and reverts the last command that ran";
}

}  // namespace
