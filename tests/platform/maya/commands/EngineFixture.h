#pragma once
// Routes the engine's echo, messages and printed text into the test, and restores the
// engine's sinks afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <maya/MString.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/UndoQueue.h>

class EngineFixture : public testing::Test {
protected:
    void SetUp() override {
        auto& engine = mayasim::CommandEngine::instance();
        engine.setEchoSink([this](const std::string& line) { echoed.push_back(line); });
        engine.setMessageSink([this](const std::string& kind, const std::string& text) {
            if (kind != "info")
                messages.push_back(kind + ": " + text);
        });
        engine.setOutputSink([this](const std::string& text) { printed += text; });
        engine.undoQueue().flush();
        engine.undoQueue().setEnabled(true);
    }
    void TearDown() override {
        auto& engine = mayasim::CommandEngine::instance();
        engine.setEchoSink(nullptr);
        engine.setMessageSink(nullptr);
        engine.setOutputSink(nullptr);
        engine.setPythonRunner(nullptr);
        engine.undoQueue().flush();
    }

    MStatus mel(const std::string& source, mayasim::Value* result = nullptr, bool display = false,
                bool undo = false) {
        return mayasim::CommandEngine::instance().executeMel(MString(source.c_str()), result,
                                                             display, undo);
    }
    mayasim::Value value(const std::string& source) {
        mayasim::Value result;
        EXPECT_TRUE(mel(source, &result)) << source << "\n" << lastMessage();
        return result;
    }
    std::string lastMessage() const { return messages.empty() ? "" : messages.back(); }

    std::vector<std::string> echoed;
    std::vector<std::string> messages;
    std::string printed;
};
