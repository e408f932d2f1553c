#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>

#include "EngineFixture.h"

namespace {

// Records the arguments of every call, as MEL passed them.
std::vector<std::string> calls;

class RecordCmd : public MPxCommand {
public:
    static void* creator() { return new RecordCmd; }
    MStatus doIt(const MArgList& args) override {
        std::string line;
        for (unsigned int i = 0; i < args.length(); ++i) {
            MStatus isInt;
            args.asInt(i, &isInt);
            const bool integral = isInt && args.asString(i) == MString() + args.asInt(i);
            line +=
                (i ? " " : "") + std::string(integral ? "i:" : "s:") + args.asString(i).asChar();
        }
        calls.push_back(line);
        setResult(static_cast<int>(calls.size()));
        return MS::kSuccess;
    }
};

class MelTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        calls.clear();
        mayasim::CommandEngine::instance().registerCommand("record", RecordCmd::creator, nullptr,
                                                           "");
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().deregisterCommand("record");
        EngineFixture::TearDown();
    }
};

TEST_F(MelTest, CommandArgumentsKeepTheirTypes) {
    ASSERT_TRUE(mel("record -q -n \"a \\\"b\\\"\\\\c\" 3 -0.5 on pCube1.vtx[2] /a/b.so;"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "s:-q s:-n s:a \"b\"\\c i:3 s:-0.5 i:1 s:pCube1.vtx[2] s:/a/b.so");
    EXPECT_EQ(value("record `record x` ($undeclared_is_fine_here = 2);").asInt(), 3);
    EXPECT_EQ(calls[2], "i:2 i:2");
}

TEST_F(MelTest, VariablesArraysAndConditions) {
    mayasim::Value result = value(
        "global string $g = \"x\";\n"
        "string $list[] = {\"a\", \"b\"};\n"
        "$list[3] = \"d\";\n"
        "int $n = size($list);\n"
        "float $f = 7 / 2;\n"
        "string $out = \"\";\n"
        "if ($n == 4 && !($f > 3.5) || 0) { $out = $g + $n + $list[1]; }\n"
        "else if ($n > 1) { $out = \"wrong\"; } else { $out = \"worse\"; }\n"
        "$out;");
    EXPECT_EQ(result.asString(), "x4b");
    EXPECT_EQ(value("global string $g; $g;").asString(), "x");
    EXPECT_EQ(value("int $i; int $s = 0; for ($i = 0; $i < 4; $i++) $s += $i; $s;").asInt(), 6);
}

TEST_F(MelTest, StereoCameraLoadLineChoosesTheInstalledPlugin) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "h4_stereo_line";
    fs::create_directories(dir);
    char line[1024];
    std::snprintf(line, sizeof(line),
                  "if (`file -q -ex \"%s/stereoCamera.mll\"`) { loadPlugin -quiet "
                  "\"%s/stereoCamera\"; } else { loadPlugin -quiet \"stereoCamera\"; }",
                  dir.c_str(), dir.c_str());
    ASSERT_TRUE(MGlobal::executeCommand(line, true, false)) << lastMessage();
    EXPECT_EQ(echoed.front(), line);
    EXPECT_EQ(value("pluginInfo -q -loaded stereoCamera").asInt(), 1);
    ASSERT_TRUE(MGlobal::executeCommand(
        "stereoRigManager -add \"vexelCamera\" \"Python\" \"vexelCameraRig.createRig\";"));
    EXPECT_EQ(value("stereoRigManager -rigDefinition vexelCamera").toMel(),
              "Python vexelCameraRig.createRig");

    // A copy beside the plug-in wins: this one is not a loadable library, which shows.
    std::ofstream(dir / "stereoCamera.mll") << "not a library";
    EXPECT_EQ(value("unloadPlugin stereoCamera").toMel(), "stereoCamera");
    EXPECT_FALSE(MGlobal::executeCommand(line));
    EXPECT_NE(lastMessage().find((dir / "stereoCamera.mll").string()), std::string::npos);
    fs::remove_all(dir);
}

TEST_F(MelTest, PythonGoesToTheRunner) {
    EXPECT_FALSE(MGlobal::executeCommand("python \"vexelUI.removeUI()\""));
    EXPECT_EQ(lastMessage(), "error: python: no Python interpreter is available");
    std::string ran;
    mayasim::CommandEngine::instance().setPythonRunner(
        [&](const std::string& code, mayasim::Value* result) {
            ran = code;
            *result = mayasim::Value(5);
            return MStatus(MS::kSuccess);
        });
    int result = 0;
    ASSERT_TRUE(MGlobal::executeCommand("python \"vexelUI.removeUI()\"", result));
    EXPECT_EQ(ran, "vexelUI.removeUI()");
    EXPECT_EQ(result, 5);
}

TEST_F(MelTest, MalformedSourceRunsNothingAndSaysWhere) {
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"record 1; record (;", "error: line 1: Syntax error near ';' (expected an expression)"},
        {"record 1;\nif (1) { record 2;",
         "error: line 2: Syntax error near the end of the input "
         "(expected '}')"},
        {"record \"open",
         "error: line 1: Syntax error near '\"' (expected the closing quote of "
         "the string)"},
        {"else { record 1; }",
         "error: line 1: Syntax error near 'else' (expected a statement "
         "('else' without 'if'))"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(mel(c.source)) << c.source;
        EXPECT_EQ(lastMessage(), c.message);
    }
    EXPECT_TRUE(calls.empty());

    EXPECT_FALSE(mel("record 1; nosuchcommand 2; record 3;"));
    EXPECT_EQ(lastMessage(), "error: line 1: Cannot find procedure \"nosuchcommand\".");
    EXPECT_FALSE(mel("print $nothing;"));
    EXPECT_EQ(lastMessage(), "error: line 1: \"$nothing\" is an undeclared variable.");
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(MelTest, EchoShowsCommandsAndResults) {
    ASSERT_TRUE(mel("  record 7  ", nullptr, true));
    ASSERT_TRUE(mel("print \"hi\\n\"", nullptr, false));
    EXPECT_EQ(echoed, (std::vector<std::string>{"record 7;", "// Result: 1 //"}));
    EXPECT_EQ(printed, "hi\n");
}

}  // namespace

namespace {

TEST_F(MelTest, JournalledLinesReadBackAsTheSameArguments) {
    MArgList args;
    args.addArg(MString("-n"));
    args.addArg(MString("say \"hi\"\\\n"));
    args.addArg(-3);
    args.addArg(0.1);
    args.addArg(MString("-0.5"));
    const std::string line = mayasim::melCommandLine("record", args);
    ASSERT_TRUE(mel(line)) << line;
    EXPECT_EQ(calls.back(), "s:-n s:say \"hi\"\\\n i:-3 s:0.1 s:-0.5");
}

TEST_F(MelTest, ScopesLoopsAndOperators) {
    EXPECT_EQ(value("int $n = 0; while ($n < 5) { $n++; } $n;").asInt(), 5);
    EXPECT_EQ(value("string $s = \"b\"; ($s == \"b\" ? \"yes\" : \"no\");").asString(), "yes");
    EXPECT_EQ(value("\"abc\" < \"abd\";").asInt(), 1);
    EXPECT_EQ(value("string $t = \"x\"; $t += 1; $t;").asString(), "x1");
    EXPECT_DOUBLE_EQ(value("7 / 2.0;").asDouble(), 3.5);
    EXPECT_FALSE(mel("{ int $inner = 1; } $inner;"));
    EXPECT_EQ(lastMessage(), "error: line 1: \"$inner\" is an undeclared variable.");
    EXPECT_FALSE(mel("int $z = 1 / 0;"));
    EXPECT_EQ(lastMessage(), "error: line 1: Division by zero.");
}

}  // namespace

namespace {

TEST_F(MelTest, StringEscapesAndMixedTypes) {
    EXPECT_EQ(value("\"a\\tb\\\\n\\\"\";").asString(), "a\tb\\n\"");
    EXPECT_EQ(value("size(\"a\\nb\");").asInt(), 3) << "an escape is one character";
    EXPECT_EQ(value("\"2\" + 3;").asString(), "23");
    EXPECT_EQ(value("1 + 2 + \"x\";").asString(), "3x") << "left to right: the sum comes first";
    EXPECT_EQ(value("\"x\" + 1 + 2;").asString(), "x12");
    EXPECT_EQ(value("\"x\" + 2.5;").asString(), "x2.5");
    EXPECT_EQ(value("int $i = 3.9; $i;").asInt(), 3) << "a float stored as int truncates";
    EXPECT_EQ(value("string $s = 4; $s + 1;").asString(), "41");
    EXPECT_EQ(value("\"10\" < \"9\";").asInt(), 1) << "two strings compare as text";
    EXPECT_EQ(value("10 < 9;").asInt(), 0);
    EXPECT_EQ(value("\"abc\" != \"abc\";").asInt(), 0);
    EXPECT_FALSE(mel("\"a\" - 1;"));
    EXPECT_TRUE(calls.empty());
}

TEST_F(MelTest, BackticksRunInsideConditions) {
    ASSERT_TRUE(mel("if (`record a` == 1) record taken; else record skipped;")) << lastMessage();
    EXPECT_EQ(calls, (std::vector<std::string>{"s:a", "s:taken"}));
    ASSERT_TRUE(
        mel("string $s = \"n\" + `record b`;\n"
            "if (`record c` > 5 || $s == \"n3\") { record ok; } else { record bad; }"))
        << lastMessage();
    EXPECT_EQ(calls.back(), "s:ok");
    EXPECT_EQ(value("int $k = 0; while (`record w` < 9) $k++; $k;").asInt(), 3)
        << "the condition's command runs on every test";
}

TEST_F(MelTest, GlobalsOutliveTheSourceThatDeclaredThem) {
    ASSERT_TRUE(mel("global int $h11Count = 2;"));
    EXPECT_EQ(value("global int $h11Count; $h11Count += 3;").asInt(), 5);
    ASSERT_TRUE(mel("{ global int $h11Count; $h11Count++; }"));
    EXPECT_EQ(value("global int $h11Count; $h11Count;").asInt(), 6)
        << "a global declared inside a block is the same variable";
    ASSERT_TRUE(mel("global string $h11Names[]; $h11Names[2] = \"c\";"));
    EXPECT_EQ(value("global string $h11Names[]; size($h11Names);").asInt(), 3);
}

TEST_F(MelTest, ASyntaxErrorLateInTheSourceRunsNoneOfIt) {
    EXPECT_FALSE(mel("global int $h11Never = 1;\nrecord 1;\nif (1 { record 2; }\nrecord 3;"));
    EXPECT_NE(lastMessage().find("line 3"), std::string::npos) << lastMessage();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(value("global int $h11Never; $h11Never;").asInt(), 0)
        << "declarations before the error did not run either";

    EXPECT_FALSE(
        mel("int $i;\nfor ($i = 0; $i < 5; $i++) {\n  record $i;\n  if ($i == 1) "
            "nothing $i;\n}\nrecord after;"));
    EXPECT_EQ(calls, (std::vector<std::string>{"i:0", "i:1"}))
        << "a failing command stops the rest at run time";
}

}  // namespace
