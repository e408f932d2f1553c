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

namespace {

TEST_F(MelTest, ProceduresTakeAndGiveTypedValues) {
    ASSERT_TRUE(mel("global proc float h11Square(float $x) { return $x * $x; }"));
    EXPECT_DOUBLE_EQ(value("h11Square(5.0);").asDouble(), 25.0);
    EXPECT_DOUBLE_EQ(value("h11Square 3;").asDouble(), 9.0) << "called as a command";
    ASSERT_TRUE(
        mel("global proc string h11Join(string $parts[], string $sep) {\n"
            "  string $out = \"\"; int $i;\n"
            "  for ($i = 0; $i < size($parts); $i++) { if ($i) $out += $sep; $out += "
            "$parts[$i]; }\n"
            "  return $out;\n"
            "}\n"
            "global proc int[] h11Evens(int $n) {\n"
            "  int $out[]; int $i;\n"
            "  for ($i = 0; $i < $n; $i += 2) $out[size($out)] = $i;\n"
            "  return $out;\n"
            "}\n"
            "global proc vector h11Middle(vector $a, vector $b) { return ($a + $b) / 2; }\n"
            "global proc float h11Trace(matrix $m) { return $m[0][0] + $m[1][1]; }\n"
            "global proc int h11Truncated(float $f) { return $f; }\n"
            "global proc h11Say(string $what) { print $what; }"));
    EXPECT_EQ(value("h11Join({\"a\", \"b\", \"c\"}, \"-\");").asString(), "a-b-c");
    EXPECT_EQ(value("h11Evens(7);").asIntArray(), (std::vector<int>{0, 2, 4, 6}));
    EXPECT_EQ(value("h11Middle(<<0, 2, 4>>, <<2, 2, 2>>);").asDoubleArray(),
              (std::vector<double>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(value("matrix $m[2][2] = <<1, 2; 3, 4>>; h11Trace($m);").asDouble(), 5.0);
    EXPECT_EQ(value("h11Truncated(2.7);").asInt(), 2) << "returned as the procedure's type";
    EXPECT_TRUE(value("h11Say \"hi\";").isNone());
    EXPECT_EQ(printed, "hi");

    EXPECT_DOUBLE_EQ(value("<<1, 2, 3>> * <<4, 5, 6>>;").asDouble(), 32.0) << "dot product";
    EXPECT_EQ(value("<<1, 0, 0>> ^ <<0, 1, 0>>;").asDoubleArray(), (std::vector<double>{0, 0, 1}));
    EXPECT_DOUBLE_EQ(value("vector $v = <<4, 5, 6>>; $v.y;").asDouble(), 5.0);
    EXPECT_EQ(value("vector $w = 2; $w;").asDoubleArray(), (std::vector<double>{2, 2, 2}));
    EXPECT_EQ(value("\"at \" + <<1, 2.5, 3>>;").asString(), "at 1 2.5 3");
}

TEST_F(MelTest, ReturnBreakContinueSwitchAndLoops) {
    ASSERT_TRUE(
        mel("global proc string h11Kind(int $n) {\n"
            "  switch ($n) {\n"
            "    case 0: return \"zero\";\n"
            "    case 1:\n"
            "    case 2: return \"small\";\n"
            "    default: return \"big\";\n"
            "  }\n"
            "}"));
    EXPECT_EQ(value("h11Kind(0) + h11Kind(1) + h11Kind(2) + h11Kind(9);").asString(),
              "zerosmallsmallbig");
    EXPECT_EQ(value("string $log = \"\";\n"
                    "switch (\"b\") { case \"a\": $log += \"a\"; case \"b\": $log += \"b\";\n"
                    "  case \"c\": $log += \"c\"; break; default: $log += \"d\"; }\n"
                    "$log;")
                  .asString(),
              "bc")
        << "from the matching case on, through the next, to the break";
    EXPECT_EQ(value("int $sum = 0; int $i;\n"
                    "for ($i = 0; $i < 10; $i++) { if ($i % 2) continue; if ($i > 6) break; $sum "
                    "+= $i; }\n"
                    "$sum;")
                  .asInt(),
              12);
    EXPECT_EQ(value("int $n = 5; do { $n++; } while ($n < 0); $n;").asInt(), 6)
        << "a do loop runs its body once before testing";
    EXPECT_EQ(value("string $all = \"\";\n"
                    "for ($name in {\"a\", \"b\", \"c\"}) { if ($name == \"b\") continue; $all "
                    "+= $name; }\n"
                    "$all;")
                  .asString(),
              "ac");
}

TEST_F(MelTest, RecursionAndScopes) {
    ASSERT_TRUE(
        mel("global proc int h11Factorial(int $n) {\n"
            "  if ($n <= 1) return 1;\n"
            "  return $n * h11Factorial($n - 1);\n"
            "}"));
    EXPECT_EQ(value("h11Factorial(10);").asInt(), 3628800);
    ASSERT_TRUE(mel("global int $h11Shared = 3; int $h11Outer = 5;"));
    ASSERT_TRUE(
        mel("global proc int h11Shared() { global int $h11Shared; int $inside = 1; return "
            "$h11Shared; }\n"
            "global proc int h11Outer() { return $h11Outer; }"));
    EXPECT_EQ(value("h11Shared();").asInt(), 3) << "globals are seen once declared";
    EXPECT_FALSE(mel("h11Outer();"));
    EXPECT_EQ(lastMessage(), "error: line 2: \"$h11Outer\" is an undeclared variable.")
        << "a procedure sees none of its caller's variables";
    EXPECT_FALSE(mel("h11Shared(); $inside;")) << "nor do its variables outlive it";

    ASSERT_TRUE(
        mel("proc string h11Helper() { return \"helped\"; }\n"
            "global proc string h11Api() { return h11Helper(); }"));
    EXPECT_EQ(value("h11Api();").asString(), "helped")
        << "a local procedure serves the source that defined it";
    EXPECT_FALSE(mel("h11Helper();"));
    EXPECT_EQ(lastMessage(), "error: line 1: Cannot find procedure \"h11Helper\".");
    ASSERT_TRUE(mel("global proc h11Forever() { h11Forever(); }"));
    EXPECT_FALSE(mel("h11Forever;"));
    EXPECT_NE(lastMessage().find("Stack overflow"), std::string::npos);
}

TEST_F(MelTest, BadCallsAndMisplacedControlSayWhatIsWrong) {
    ASSERT_TRUE(
        mel("global proc float h11Half(float $x) { return $x / 2; }\n"
            "global proc h11Quiet() { return 1; }\n"
            "global proc h11Both(vector $v, string $s[]) { }"));
    const std::pair<const char*, const char*> cases[] = {
        {"h11Half();", "error: line 1: Wrong number of arguments on call to h11Half."},
        {"h11Half(1, 2);", "error: line 1: Wrong number of arguments on call to h11Half."},
        {"h11Half({1, 2});", "error: line 1: Cannot convert data of type int[] to type float."},
        {"h11Both({1.5, 2, 3}, {\"a\"});",
         "error: line 1: Cannot convert data of type float[] to type vector."},
        {"h11Both(<<1, 2, 3>>, \"a\");",
         "error: line 1: Cannot convert data of type string to type string[]."},
        {"h11Quiet();", "error: line 2: This procedure has no return value."},
        {"return 1;", "error: line 1: return is only allowed inside a procedure."},
        {"break;", "error: break is only allowed inside a loop or a switch."},
    };
    for (const auto& [source, message] : cases) {
        EXPECT_FALSE(mel(source)) << source;
        EXPECT_EQ(lastMessage(), message) << source;
    }
    EXPECT_FALSE(mel("global proc h11Broken( { }"));
    EXPECT_NE(lastMessage().find("expected a parameter type"), std::string::npos) << lastMessage();
}

}  // namespace
