#include <gtest/gtest.h>

#include <maya/MEvent.h>
#include <maya/MPxContext.h>

#include <mayasim/Contexts.h>
#include <mayasim/Messages.h>
#include <mayasim/Plugins.h>

#include "EngineFixture.h"

namespace {

class PluginTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        mayasim::Plugins::instance().setSearchPath({TEST_PLUGIN_DIR});
        mayasim::CommandEngine::instance().setPythonRunner(
            [this](const std::string& code, mayasim::Value*) {
                python.push_back(code);
                return MStatus(MS::kSuccess);
            });
        mel("global string $testLog; $testLog = \"\";");
    }
    void TearDown() override {
        mayasim::Plugins::instance().setRefusedRegistration(0);
        EngineFixture::TearDown();
    }
    std::string log() { return value("global string $testLog; $testLog").asString(); }

    std::vector<std::string> python;
};

TEST_F(PluginTest, LoadRegisterUseAndUnload) {
    EXPECT_EQ(value("loadPlugin cmdTestPlugin").toMel(), "cmdTestPlugin");
    EXPECT_EQ(python, std::vector<std::string>{"created()"});
    EXPECT_EQ(value("pluginInfo -q -vendor cmdTestPlugin").asString(), "Tests");
    EXPECT_EQ(value("loadPlugin -quiet cmdTestPlugin").size(), 0u);
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(mel("loadPlugin cmdTestPlugin"));
    EXPECT_EQ(lastMessage(), "warning: Plug-in \"cmdTestPlugin\" is already loaded.");

    EXPECT_EQ(value("testContext").asString(), "testContext1");
    EXPECT_EQ(value("testContext -limit 2").asString(), "testContext2");
    ASSERT_TRUE(mel("testContext -e -lim 4 testContext1"));
    EXPECT_EQ(value("testContext -q -lim testContext1").asInt(), 4);
    EXPECT_EQ(value("testContext -q -lim testContext2").asInt(), 2);
    EXPECT_FALSE(mel("testContext -e -lim 4 nowhere"));

    ASSERT_TRUE(mel("setToolTo testContext1; setToolTo testContext1"));
    EXPECT_EQ(value("currentCtx").asString(), "testContext1");
    MEvent press;
    ASSERT_TRUE(mayasim::contexts::current()->doPress(press));
    EXPECT_EQ(echoed.back(), "testToolCmd -v 4;");
    EXPECT_EQ(value("testCount").asInt(), 4);
    ASSERT_TRUE(mel("undo"));
    EXPECT_EQ(value("testCount").asInt(), 0);

    // Unloading takes the current context down: it is cleaned up and Maya's select tool returns.
    ASSERT_TRUE(mel("unloadPlugin cmdTestPlugin")) << lastMessage();
    EXPECT_EQ(log(), "setup;cleanup;");
    EXPECT_EQ(python.back(), "deleted()");
    EXPECT_EQ(value("currentCtx").asString(), "selectSuperContext");
    EXPECT_FALSE(mayasim::CommandEngine::instance().hasCommand("testToolCmd"));
    EXPECT_EQ(mayasim::contexts::find("testContext1"), nullptr);
    EXPECT_EQ(value("pluginInfo -q -loaded cmdTestPlugin").asInt(), 0);
}

TEST_F(PluginTest, NodesOfThePluginHoldItUnlessForced) {
    ASSERT_TRUE(mel("loadPlugin cmdTestPlugin"));
    const std::string node = value("createNode testNode").asString();
    EXPECT_FALSE(mel("unloadPlugin cmdTestPlugin"));
    EXPECT_EQ(lastMessage(),
              "error: Cannot unload plug-in \"cmdTestPlugin\": 1 node(s) of its "
              "types are in the scene (use -force to unload anyway).");
    EXPECT_EQ(value("pluginInfo -q -loaded cmdTestPlugin").asInt(), 1);
    ASSERT_TRUE(mel("delete " + node + "; unloadPlugin cmdTestPlugin")) << lastMessage();
}

TEST_F(PluginTest, ExitMessageReachesThePlugin) {
    ASSERT_TRUE(mel("loadPlugin cmdTestPlugin"));
    mayasim::messages::fireSceneMessage(27);
    mayasim::Plugins::instance().unloadAll();
    EXPECT_EQ(log(), "exit;");
    mayasim::messages::fireSceneMessage(27);
    EXPECT_EQ(log(), "exit;");
}

TEST_F(PluginTest, RefusedRegistrationStopsTheLoadAndKeepsEarlierOnes) {
    mayasim::Plugins::instance().setRefusedRegistration(2);
    EXPECT_FALSE(mel("loadPlugin cmdTestPlugin"));
    EXPECT_EQ(lastMessage(), "error: initializePlugin function failed (cmdTestPlugin)");
    auto& engine = mayasim::CommandEngine::instance();
    EXPECT_TRUE(engine.hasCommand("testCount"));
    EXPECT_FALSE(engine.hasCommand("testContext"));
    EXPECT_TRUE(python.empty());

    // The refusal counts per load: the third call is refused on the next attempt.
    engine.deregisterCommand("testCount");
    mayasim::Plugins::instance().setRefusedRegistration(3);
    EXPECT_FALSE(mel("loadPlugin cmdTestPlugin"));
    EXPECT_TRUE(engine.hasCommand("testContext"));
    EXPECT_TRUE(python.empty());

    engine.deregisterCommand("testCount");
    mayasim::contexts::deregisterContextCommand("testContext", "testToolCmd");
    mayasim::Plugins::instance().setRefusedRegistration(0);
    ASSERT_TRUE(mel("loadPlugin cmdTestPlugin")) << lastMessage();
    ASSERT_TRUE(mel("unloadPlugin cmdTestPlugin"));
}

TEST_F(PluginTest, MissingPluginNamesThePath) {
    EXPECT_FALSE(mel("loadPlugin noSuchPlugin"));
    EXPECT_EQ(lastMessage(),
              "error: Plug-in, \"noSuchPlugin\", was not found on MAYA_PLUG_IN_PATH.");
    EXPECT_FALSE(mel("unloadPlugin noSuchPlugin"));
}

}  // namespace
