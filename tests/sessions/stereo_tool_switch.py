# Entering the stereo view with Maya's select or move tool active makes the matching stylus
# tool current; leaving the stereo view brings Maya's tool back.
import maya.cmds as cmds
import vxsim
from maya.app.stereo import stereoCameraRig

# The session loads the plug-in, then the probe (-c), which stands in for missing tools.
rig = stereoCameraRig.createStereoCameraRig("vexelCamera")[0]


def look_through(camera):
    cmds.lookThru(camera)
    vxsim.step()


for maya_tool, stylus_tool in (("selectSuperContext", "vexelSelectToolContext1"),
                               ("moveSuperContext", "vexelMoveToolContext1")):
    cmds.setToolTo(maya_tool)
    look_through(rig)
    assert cmds.currentCtx() == stylus_tool, (maya_tool, cmds.currentCtx())
    look_through("persp")
    assert cmds.currentCtx() == maya_tool, (maya_tool, cmds.currentCtx())
assert vxsim.messages() == [], vxsim.messages()
print("stereo tool switch: done")
