// The selection state as Python expressions read it, the way a tool asks whether clicks
// pick vertices, edges or faces (in component mode, or on hilited objects in object mode).
#include "PythonTestHost.h"

#include <maya/MGlobal.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/DgCommands.h>

namespace {

int picks(const char* type) {
    const std::string code =
        std::string("( (maya.cmds.selectMode(q=True, co=True) and maya.cmds.selectType(q=True, ") +
        type + "=True) )   or maya.cmds.selectType(q=True, ocm=True, " + type + "=True) )";
    int result = -1;
    EXPECT_TRUE(MGlobal::executePythonCommand(code.c_str(), result)) << code;
    return result;
}

TEST(SelectionQueryTest, ExpressionsSeeComponentAndHiliteMasks) {
    mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
    MGlobal::executeCommand("selectMode -o; selectType -ocm -alc false");
    EXPECT_EQ(picks("vertex") + picks("edge") + picks("facet"), 0);
    MGlobal::executeCommand("selectType -objectComponent -polymeshEdge true");
    EXPECT_EQ(picks("vertex") * 100 + picks("edge") * 10 + picks("facet"), 10);
    MGlobal::executeCommand("selectMode -co; selectType -alc false -facet true");
    EXPECT_EQ(picks("vertex") * 100 + picks("edge") * 10 + picks("facet"), 11)
        << "component mode's faces, and the hilite mask's edges";
    int mode = -1;
    MGlobal::executeCommand("selectType -q -objectComponent -allComponents", mode);
    EXPECT_EQ(mode, 1);
    MGlobal::executeCommand("selectType -ocm -alc false; selectMode -o; selectType -alc true");
}

}  // namespace
