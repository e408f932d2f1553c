#pragma once
// A scene test through MEL: the host's commands registered, messages collected, and the
// scene emptied after every test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace scenetest {

class SceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
    }
    void SetUp() override {
        mayasim::CommandEngine::instance().setMessageSink(
            [this](const std::string&, const std::string& text) { messages_ += text + "\n"; });
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().executeMel("flushUndo", nullptr, false, false);
        mayasim::CommandEngine::instance().setMessageSink(nullptr);
        mayasim::Scene::instance().reset();
    }

    static mayasim::Value run(const std::string& mel) {
        mayasim::Value result;
        const MStatus status =
            mayasim::CommandEngine::instance().executeMel(mel.c_str(), &result, false, true);
        EXPECT_TRUE(status) << mel;
        return result;
    }

    // Runs a command that must fail; returns the messages it showed.
    std::string fails(const std::string& mel) {
        messages_.clear();
        mayasim::Value ignored;
        EXPECT_FALSE(
            mayasim::CommandEngine::instance().executeMel(mel.c_str(), &ignored, false, true))
            << mel;
        EXPECT_FALSE(messages_.empty()) << mel << " gave no message";
        return messages_;
    }

    // The scene's nodes (by name) and the selection: what a failed command must not change.
    static std::string sceneState() {
        std::string state;
        for (const MObject& node : mayasim::Scene::instance().nodes())
            state += std::string(MFnDependencyNode(node).name().asChar()) + " ";
        MStringArray selected;
        mayasim::Scene::instance().activeSelection().getSelectionStrings(selected);
        for (unsigned int i = 0; i < selected.length(); ++i)
            state += std::string("sel:") + selected[i].asChar() + " ";
        return state;
    }

    static MDagPath pathTo(const char* name) {
        MDagPath path;
        mayasim::Scene::instance().findPath(name, path);
        return path;
    }

    std::string messages_;
};

}  // namespace scenetest
