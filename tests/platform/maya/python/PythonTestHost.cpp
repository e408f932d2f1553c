#include "PythonTestHost.h"

namespace pytest {
namespace {

class PythonEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(host().start({}));
        py("import maya.cmds as cmds\nimport maya.mel");
    }
    void TearDown() override { host().stop(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PythonEnvironment);

}  // namespace

mayasim::PythonHost& host() {
    static mayasim::PythonHost python;
    return python;
}

mayasim::Value py(const std::string& code) {
    mayasim::Value result;
    std::string error;
    EXPECT_TRUE(host().runCode(code, &result, &error)) << code << "\n" << error;
    return result;
}

std::string pyError(const std::string& code) {
    std::string error;
    EXPECT_FALSE(host().runCode(code, nullptr, &error)) << code << " did not raise";
    return error;
}

}  // namespace pytest
