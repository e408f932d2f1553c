# Every command string the plug-in sends its companion scripts runs as sent: the UI (loading
# the plug-in runs its creation string), the rig type, and each tool switch, which makes the
# stylus tool current or, where the tool is not registered, warns and changes nothing.
import maya.cmds as cmds
import vxsim

# The session loads the plug-in, then the probe (-c), which stands in for missing tools.
assert cmds.menu("vexelMenu", exists=True), "the UI creation string ran at load"
vxsim.messages()

TOOLS = ["vexelSelectToolContext", "vexelMoveToolContext", "vexelRotateToolContext",
         "vexelScaleToolContext", "vexelJointToolContext", "vexelTransformToolContext"]
outcomes = cmds.companionProbe()
assert outcomes == ["ok"] * (2 + len(TOOLS)), outcomes

assert not cmds.menu("vexelMenu", exists=True), "the UI deletion string ran"
assert cmds.stereoRigManager(rigDefinition="vexelCamera") == ["Python",
                                                             "vexelCameraRig.createRig"]
available = [tool for tool in TOOLS if cmds.exists(tool)]
assert "vexelSelectToolContext" in available and "vexelMoveToolContext" in available
for tool in available:
    assert cmds.contextInfo(tool + "1", exists=True), tool
assert cmds.currentCtx() == available[-1] + "1", cmds.currentCtx()
expected = [("warning", "The %s tool is not available." % tool)
            for tool in TOOLS if tool not in available]
messages = vxsim.messages()
assert messages == expected, messages
print("companion scripts: done")
