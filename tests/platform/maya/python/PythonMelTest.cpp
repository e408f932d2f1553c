// Python and MEL calling each other, script files, and the stereo rig helper.
#include "PythonTestHost.h"

#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <mayasim/CommandEngine.h>

#include <cstdio>
#include <fstream>

using mayasim::Value;
using pytest::py;
using pytest::pyError;

namespace {

Value mel(const std::string& source, MStatus* status = nullptr) {
    Value result;
    MStatus ran = mayasim::CommandEngine::instance().executeMel(MString(source.c_str()), &result,
                                                                false, false);
    if (status)
        *status = ran;
    return result;
}

TEST(PythonMelTest, MelPythonRunsInMainAndReturnsExpressionValues) {
    EXPECT_EQ(mel("python \"6 * 7\""), Value(42));
    EXPECT_EQ(mel("python \"sharedWithMel = [1.5, 2]\""), Value());
    EXPECT_EQ(py("sharedWithMel"), Value(std::vector<double>{1.5, 2.0}));
    EXPECT_EQ(mel("python \"'a b'.split()\""), Value(std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(py("maya.mel.eval('python \"40 + 2\"')"), Value(42));
}

TEST(PythonMelTest, ExecutePythonCommandConvertsResults) {
    double number = 0.0;
    ASSERT_TRUE(MGlobal::executePythonCommand("0.25 * 2", number));
    EXPECT_DOUBLE_EQ(number, 0.5);
    MStringArray words;
    ASSERT_TRUE(MGlobal::executePythonCommand("['x', 'y']", words));
    ASSERT_EQ(words.length(), 2u);
    EXPECT_EQ(words[1], MString("y"));
    MString text;
    ASSERT_TRUE(MGlobal::executePythonCommand("'%d' % 12", text));
    EXPECT_EQ(text, MString("12"));
}

TEST(PythonMelTest, PythonErrorsFailTheCallerWithPythonsMessage) {
    {
        mayasim::ErrorCapture errors;
        EXPECT_FALSE(MGlobal::executePythonCommand("1 / 0"));
        ASSERT_FALSE(errors.errors().empty());
        EXPECT_EQ(errors.errors().front(),
                  "ZeroDivisionError: file <maya console> line 1: division by zero");
    }
    MStatus status;
    mel("python \"x = 1\\nraise ValueError('second line')\"", &status);
    EXPECT_FALSE(status);
    std::string nested = pyError("maya.mel.eval('python \"undefinedName\"')");
    EXPECT_NE(nested.find("RuntimeError"), std::string::npos) << nested;
    EXPECT_NE(nested.find("NameError"), std::string::npos) << nested;
    EXPECT_EQ(py("1 + 1"), Value(2)) << "the interpreter carries on after errors";
}

class ScriptFileTest : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        std::ofstream(path_) << text;
        return path_;
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string path_ = ::testing::TempDir() + "vx_script_file_test.py";
};

TEST_F(ScriptFileTest, FailuresNameTheScriptAndItsLine) {
    std::string error;
    EXPECT_TRUE(pytest::host().runFile(write("scriptRan = __file__\n"), &error)) << error;
    EXPECT_EQ(py("scriptRan"), Value(path_));
    EXPECT_EQ(py("'__file__' in globals()"), Value(false));

    EXPECT_FALSE(
        pytest::host().runFile(write("def f():\n    raise ValueError('boom')\n\n\nf()\n"), &error));
    EXPECT_EQ(error, path_ + ":2: ValueError: boom");
    EXPECT_FALSE(pytest::host().runFile(write("x = 1\nif x\n"), &error));
    EXPECT_EQ(error.rfind(path_ + ":2: SyntaxError", 0), 0u) << error;
    EXPECT_FALSE(pytest::host().runFile(write("import sys\nsys.exit(3)\n"), &error));
    EXPECT_TRUE(pytest::host().runFile(write("import sys\nsys.exit(0)\n"), &error));
    EXPECT_FALSE(pytest::host().runFile(path_ + ".missing", &error));
}

TEST(StereoRigTest, CreateRunsTheRegisteredPythonBuilder) {
    MStatus status;
    mel("loadPlugin -quiet \"stereoCamera\"", &status);
    ASSERT_TRUE(status);
    py("import sys, types\n"
       "rigs = types.ModuleType('probeRigs')\n"
       "rigs.build = lambda: ['root', 'left', 'right']\n"
       "sys.modules['probeRigs'] = rigs\n"
       "from maya.app.stereo import stereoCameraRig");
    mel("stereoRigManager -add \"probeRig\" \"Python\" \"probeRigs.build\"", &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(py("stereoCameraRig.createStereoCameraRig('probeRig')"),
              Value(std::vector<std::string>{"root", "left", "right"}));
    EXPECT_NE(pyError("stereoCameraRig.createStereoCameraRig('noSuchRig')").find("RuntimeError"),
              std::string::npos);
    mel("stereoRigManager -delete \"probeRig\"");
}

}  // namespace
