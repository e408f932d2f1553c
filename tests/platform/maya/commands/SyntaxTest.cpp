#include <gtest/gtest.h>

#include <cmath>

#include <maya/MAngle.h>
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDistance.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MVector.h>

#include "EngineFixture.h"

namespace {

// What the last run of "probe" parsed.
struct Parsed {
    bool query = false;
    bool on = false;
    double scale = 0;
    MString name;
    unsigned int tags = 0;
    MString secondTag;
    MStringArray objects;
} parsed;

class ProbeCmd : public MPxCommand {
public:
    static void* creator() { return new ProbeCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery();
        syntax.addFlag("-on", "-enabled", MSyntax::kBoolean);
        syntax.addFlag("-s", "-scale", MSyntax::kDouble);
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.addFlag("-t", "-tag", MSyntax::kString, MSyntax::kLong);
        syntax.makeFlagMultiUse("-t");
        syntax.setObjectType(MSyntax::kStringObjects, 0, 2);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        parsed = Parsed();
        parsed.query = db.isQuery();
        if (db.isFlagSet("-enabled"))
            db.getFlagArgument("-on", 0, parsed.on);
        if (db.isFlagSet("s"))
            db.getFlagArgument("-scale", 0, parsed.scale);
        if (db.isFlagSet("-n"))
            db.getFlagArgument("-n", 0, parsed.name);
        parsed.tags = db.numberOfFlagUses("-t");
        MArgList second;
        if (db.getFlagArgumentList("-t", 1, second))
            parsed.secondTag = second.asString(0);
        db.getObjects(parsed.objects);
        return MS::kSuccess;
    }
};

// Takes scene objects, the active selection when none are named.
class PickCmd : public MPxCommand {
public:
    static void* creator() { return new PickCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.useSelectionAsDefault(true);
        syntax.setObjectType(MSyntax::kSelectionList, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        MSelectionList picked;
        if (status)
            status = db.getObjects(picked);
        MStringArray names;
        picked.getSelectionStrings(names);
        setResult(names);
        return status;
    }
};

class SyntaxTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        mayasim::CommandEngine::instance().registerCommand("probe", ProbeCmd::creator,
                                                           ProbeCmd::newSyntax, "");
        mayasim::CommandEngine::instance().registerCommand("pick", PickCmd::creator,
                                                           PickCmd::newSyntax, "");
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().deregisterCommand("probe");
        mayasim::CommandEngine::instance().deregisterCommand("pick");
        EngineFixture::TearDown();
    }
};

TEST_F(SyntaxTest, ShortAndLongFlagsWithTypedArguments) {
    ASSERT_TRUE(mel("probe -enabled off -s 2 -name 5 -t a 1 -tag b 2 objA objB")) << lastMessage();
    EXPECT_FALSE(parsed.on);
    EXPECT_DOUBLE_EQ(parsed.scale, 2.0);
    EXPECT_EQ(parsed.name, "5");
    EXPECT_EQ(parsed.tags, 2u);
    EXPECT_EQ(parsed.secondTag, "b");
    ASSERT_EQ(parsed.objects.length(), 2u);
    EXPECT_EQ(parsed.objects[1], "objB");

    ASSERT_TRUE(mel("probe -q -on"));
    EXPECT_TRUE(parsed.query);
}

TEST_F(SyntaxTest, BadArgumentsFailBeforeDoItWithMayaMessages) {
    parsed.name = "untouched";
    const std::pair<const char*, const char*> cases[] = {
        {"probe -x", "error: Invalid flag '-x'"},
        {"probe -on maybe", "error: Flag '-on' must be passed a boolean argument"},
        {"probe -s big", "error: Flag '-s' must be passed a float argument"},
        {"probe -t a", "error: Flag '-t' must be passed 2 arguments"},
        {"probe -n a -n b", "error: Flag '-n' can only be used once"},
        {"probe a b c", "error: Too many objects: at most 2 objects may be given"},
    };
    for (const auto& [source, message] : cases) {
        EXPECT_FALSE(mel(source)) << source;
        EXPECT_EQ(lastMessage(), message);
    }
    EXPECT_EQ(parsed.name, "untouched");
}

TEST_F(SyntaxTest, SelectionObjectsDefaultToTheActiveSelection) {
    ASSERT_TRUE(mel("createNode transform -n pickA; createNode transform -n pickB; select pickB"))
        << lastMessage();
    EXPECT_EQ(value("pick").toMel(), "pickB");
    EXPECT_EQ(value("pick pickA").toMel(), "pickA");
    EXPECT_FALSE(mel("pick nowhere"));
    EXPECT_EQ(lastMessage(), "error: No object matches name: nowhere");
    ASSERT_TRUE(mel("select -cl"));
    EXPECT_FALSE(mel("pick"));
    EXPECT_EQ(lastMessage(), "error: Not enough objects: at least 1 object must be given");
    mel("delete pickA pickB");
}

TEST_F(SyntaxTest, ArgListReadsAndFindsFlags) {
    MArgList args;
    args.addArg(MString("-t"));
    args.addArg(1);
    args.addArg(2.5);
    args.addArg(true);
    EXPECT_EQ(args.flagIndex("t", "translate"), 0u);
    EXPECT_EQ(args.flagIndex("-r"), MArgList::kInvalidArgIndex);
    unsigned int index = 1;
    MStatus status;
    MVector v = args.asVector(index, 3, &status);
    EXPECT_TRUE(status);
    EXPECT_EQ(index, 4u);
    EXPECT_DOUBLE_EQ(v.y, 2.5);
    args.asInt(0, &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(mayasim::melCommandLine("move", args), "move -t 1 2.5 1;");
}

}  // namespace

namespace {

// What the last run of "place" parsed.
struct Placed {
    bool query = false;
    bool edit = false;
    std::vector<MVector> points;
    double radians = 0;
    double centimetres = 0;
    bool countSet = false;
    MString object;
    bool ran = false;
} placed;

class PlaceCmd : public MPxCommand {
public:
    static void* creator() { return new PlaceCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery();
        syntax.enableEdit();
        syntax.addFlag("-p", "-point", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        syntax.makeFlagMultiUse("-p");
        syntax.addFlag("-a", "-angle", MSyntax::kAngle);
        syntax.addFlag("-d", "-distance", MSyntax::kDistance);
        syntax.addFlag("-c", "-count", MSyntax::kUnsigned);
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        placed = Placed();
        placed.ran = true;
        placed.query = db.isQuery();
        placed.edit = db.isEdit();
        for (unsigned int use = 0; use < db.numberOfFlagUses("-point"); ++use) {
            MArgList point;
            db.getFlagArgumentList("-p", use, point);
            unsigned int index = 0;
            placed.points.push_back(point.asVector(index));
        }
        MAngle angle;
        if (db.getFlagArgument("-a", 0, angle))
            placed.radians = angle.asRadians();
        MDistance distance;
        if (db.getFlagArgument("-distance", 0, distance))
            placed.centimetres = distance.asCentimeters();
        placed.countSet = db.isFlagSet("-c");
        MStringArray objects;
        db.getObjects(objects);
        placed.object = objects[0];
        return MS::kSuccess;
    }
};

class ArgDatabaseTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        mayasim::CommandEngine::instance().registerCommand("place", PlaceCmd::creator,
                                                           PlaceCmd::newSyntax, "");
        placed = Placed();
    }
    void TearDown() override {
        mayasim::CommandEngine::instance().deregisterCommand("place");
        EngineFixture::TearDown();
    }
};

TEST_F(ArgDatabaseTest, MultiUseFlagsKeepEveryUseInOrder) {
    ASSERT_TRUE(mel("place -e -p 1 2 3 -point -4 5.5 -6 -p 0 0 1 thing")) << lastMessage();
    EXPECT_TRUE(placed.edit);
    EXPECT_FALSE(placed.query);
    ASSERT_EQ(placed.points.size(), 3u);
    EXPECT_EQ(placed.points[1], MVector(-4, 5.5, -6)) << "negative numbers are not flags";
    EXPECT_EQ(placed.points[2], MVector(0, 0, 1));
    EXPECT_EQ(placed.object, "thing");
}

TEST_F(ArgDatabaseTest, UnitArgumentsAreReadInUiUnits) {
    ASSERT_TRUE(mel("place -a 90 -d 2.5 thing")) << lastMessage();
    EXPECT_NEAR(placed.radians, M_PI / 2, 1e-12);
    EXPECT_DOUBLE_EQ(placed.centimetres, 2.5);
}

TEST_F(ArgDatabaseTest, QueryFlagsTakeNoArguments) {
    ASSERT_TRUE(mel("place -q -p -c thing")) << lastMessage();
    EXPECT_TRUE(placed.query);
    EXPECT_TRUE(placed.countSet);
    EXPECT_EQ(placed.points.size(), 1u) << "the flag counts as used";
}

TEST_F(ArgDatabaseTest, WrongArgumentsAndObjectCountsFailBeforeDoIt) {
    for (const char* source : {"place -c -1 thing", "place -p 1 2 thing", "place", "place one two",
                               "place -a x thing", "place -p 1 2 3 -c 2 -c 3 thing"}) {
        EXPECT_FALSE(mel(source)) << source;
        EXPECT_FALSE(lastMessage().empty()) << source;
        EXPECT_FALSE(placed.ran) << source;
    }
}

}  // namespace
