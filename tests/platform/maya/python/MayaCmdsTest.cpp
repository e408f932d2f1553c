// maya.cmds: keywords to flags through a command's syntax, results back as Python values.
#include "PythonTestHost.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDoubleArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <mayasim/CommandEngine.h>

using mayasim::Value;
using pytest::py;
using pytest::pyError;

namespace {

// Reports what its parser saw as "flag=value" words; in query mode answers the queried flag
// with a result of that flag's type.
class ProbeCommand : public MPxCommand {
public:
    static void* creator() { return new ProbeCommand; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.addFlag("-c", "-count", MSyntax::kLong);
        syntax.addFlag("-s", "-scale", MSyntax::kDouble);
        syntax.addFlag("-v", "-verbose");
        syntax.addFlag("-p", "-position", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        syntax.addFlag("-t", "-tag", MSyntax::kString);
        syntax.makeFlagMultiUse("-t");
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.enableQuery(true);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        if (db.isQuery())
            return answerQuery(db);
        MStringArray seen;
        if (db.isFlagSet("-n"))
            seen.append("name=" + db.flagArgumentString("-n", 0));
        if (db.isFlagSet("-c"))
            seen.append("count=" + MString() + db.flagArgumentInt("-c", 0));
        if (db.isFlagSet("-s"))
            seen.append("scale=" + MString() + db.flagArgumentDouble("-s", 0));
        if (db.isFlagSet("-v"))
            seen.append("verbose");
        if (db.isFlagSet("-p")) {
            seen.append("position=" + MString() + db.flagArgumentDouble("-p", 0) + "," +
                        db.flagArgumentDouble("-p", 1) + "," + db.flagArgumentDouble("-p", 2));
        }
        for (unsigned int use = 0; use < db.numberOfFlagUses("-t"); ++use) {
            MArgList tag;
            db.getFlagArgumentList("-t", use, tag);
            seen.append("tag=" + tag.asString(0));
        }
        MStringArray objects;
        db.getObjects(objects);
        for (unsigned int i = 0; i < objects.length(); ++i)
            seen.append("object=" + objects[i]);
        setResult(seen);
        return MS::kSuccess;
    }

private:
    MStatus answerQuery(const MArgDatabase& db) {
        if (db.isFlagSet("-c"))
            setResult(7);
        if (db.isFlagSet("-s"))
            setResult(2.5);
        if (db.isFlagSet("-n"))
            setResult(MString("probe"));
        if (db.isFlagSet("-p")) {
            const double position[] = {1.0, 2.0, 3.5};
            setResult(MDoubleArray(position, 3));
        }
        if (db.isFlagSet("-t")) {
            const char* tags[] = {"a", "b"};
            setResult(MStringArray(tags, 2));
        }
        return MS::kSuccess;
    }
};

// No syntax: reports the kinds of the arguments it got, then fails the way commands do.
class FailCommand : public MPxCommand {
public:
    static void* creator() { return new FailCommand; }
    MStatus doIt(const MArgList& args) override {
        MString kinds;
        for (unsigned int i = 0; i < args.length(); ++i)
            kinds += " " + args.asString(i);
        displayError("pyFail got" + kinds);
        return MS::kFailure;
    }
};

class MayaCmdsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto& engine = mayasim::CommandEngine::instance();
        engine.registerCommand("pyProbe", ProbeCommand::creator, ProbeCommand::newSyntax, "");
        engine.registerCommand("pyFail", FailCommand::creator, nullptr, "");
    }
    static void TearDownTestSuite() {
        auto& engine = mayasim::CommandEngine::instance();
        engine.deregisterCommand("pyProbe");
        engine.deregisterCommand("pyFail");
    }
};

TEST_F(MayaCmdsTest, KeywordsBecomeFlagsByLongOrShortName) {
    EXPECT_EQ(py("cmds.pyProbe('obj1', ['obj2', 'obj3'], name='n1', c=3, scale=2,"
                 " verbose=True, position=(1, 2, 3.5), tag=['x', 'y'])"),
              Value(std::vector<std::string>{"name=n1", "count=3", "scale=2", "verbose",
                                             "position=1,2,3.5", "tag=x", "tag=y", "object=obj1",
                                             "object=obj2", "object=obj3"}));
    // False leaves a no-argument flag out; a lone value of a multi-use flag is one use.
    EXPECT_EQ(py("cmds.pyProbe(verbose=False, t='only')"),
              Value(std::vector<std::string>{"tag=only"}));
    // Loose numbers are made to fit the flag's type.
    EXPECT_EQ(py("cmds.pyProbe(name=5, count=4.0)"),
              Value(std::vector<std::string>{"name=5", "count=4"}));
}

TEST_F(MayaCmdsTest, QueryResultsComeBackAsPythonTypes) {
    EXPECT_EQ(py("cmds.pyProbe(q=True, count=True)"), Value(7));
    EXPECT_EQ(py("type(cmds.pyProbe(query=True, count=True)).__name__"), Value("int"));
    EXPECT_EQ(py("cmds.pyProbe(q=True, scale=True)"), Value(2.5));
    EXPECT_EQ(py("cmds.pyProbe(q=True, name=True)"), Value("probe"));
    EXPECT_EQ(py("cmds.pyProbe(q=True, position=True)"), Value(std::vector<double>{1.0, 2.0, 3.5}));
    EXPECT_EQ(py("cmds.pyProbe(q=True, tag=True)"), Value(std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(py("type(cmds.pyProbe(q=True, tag=True)).__name__"), Value("list"));
}

TEST_F(MayaCmdsTest, BadArgumentsRaise) {
    EXPECT_NE(pyError("cmds.pyProbe(bogus=1)")
                  .find("TypeError: file <maya console> line 1: "
                        "Invalid flag 'bogus'"),
              std::string::npos);
    EXPECT_NE(pyError("cmds.pyProbe(position=(1, 2))").find("TypeError"), std::string::npos);
    // The command's parser rejects what no conversion fits, and its message is the exception's.
    std::string wrongType = pyError("cmds.pyProbe(count='many')");
    EXPECT_NE(wrongType.find("RuntimeError"), std::string::npos) << wrongType;
    EXPECT_NE(wrongType.find("-count"), std::string::npos) << wrongType;
    EXPECT_NE(pyError("cmds.pyProbe(name=object())").find("TypeError"), std::string::npos);
}

TEST_F(MayaCmdsTest, CommandsWithoutSyntaxGetArgumentsAsGivenAndFailWithTheirMessage) {
    std::string error = pyError("cmds.pyFail('a', 2, 1.5, key='v')");
    EXPECT_NE(error.find("RuntimeError: file <maya console> line 1: pyFail got -key v a 2 1.5"),
              std::string::npos)
        << error;
}

TEST_F(MayaCmdsTest, CommandsAppearAndDisappearWithTheirRegistration) {
    auto& engine = mayasim::CommandEngine::instance();
    EXPECT_EQ(py("'pyLate' in dir(cmds)"), Value(false));
    EXPECT_NE(pyError("cmds.pyLate").find("AttributeError"), std::string::npos);
    engine.registerCommand("pyLate", ProbeCommand::creator, ProbeCommand::newSyntax, "late");
    EXPECT_EQ(py("'pyLate' in dir(cmds)"), Value(true));
    EXPECT_EQ(py("cmds.pyLate(q=True, count=True)"), Value(7));
    py("late = cmds.pyLate");
    engine.deregisterCommand("pyLate");
    EXPECT_NE(pyError("cmds.pyLate()").find("AttributeError"), std::string::npos);
    EXPECT_NE(pyError("late(q=True, count=True)").find("RuntimeError"), std::string::npos)
        << "a function kept from before runs nothing once its command is gone";
}

}  // namespace
