# Bad input gets a clear error and loses nothing: the host's own calls, malformed MEL, and the
# plug-in asked to unload while its nodes are alive.
import maya.cmds as cmds
import maya.mel as mel
import vxsim


def raises(kind, text, call, *args, **kwargs):
    try:
        call(*args, **kwargs)
    except kind as error:
        assert text in str(error), "%r not in %r" % (text, str(error))
        return
    raise AssertionError("%s%r did not raise %s" % (call.__name__, args, kind.__name__))


# vxsim's own calls name what is wrong and change nothing.
views_before = vxsim.views()
raises(IndexError, "no view 5", vxsim.set_view, 5, active=True)
raises(ValueError, "positive", vxsim.set_view, 0, width=0)
raises(ValueError, "positive", vxsim.add_view, 0, 0, -10, 10)
assert vxsim.views() == views_before
raises(ValueError, "scene message 99", vxsim.scene_message, 99)
raises(ValueError, "eye must be", vxsim.render, "x.png", "top")
raises(TypeError, "unknown field", vxsim.set_display, 0, bogus=1)
assert len(vxsim.displays()) == 1
stylus = vxsim.device("stylus")
raises(ValueError, "device rate", vxsim.device, "stylus", rate=0)
raises(ValueError, "noise", vxsim.device, "stylus", noise=-0.001)
raises(ValueError, "'head' or 'stylus'", vxsim.device, "glove", rate=120)
assert vxsim.device("stylus") == stylus
assert vxsim.device("head", rate=90, seed=3) == {"rate": 90.0, "noise": 0.0, "seed": 3}

# A malformed MEL statement runs nothing of itself.
cmds.createNode("transform", name="keep")
raises(RuntimeError, "", mel.eval, 'delete "keep"; setAttr "keep.tx" 1 (;')
assert cmds.objExists("keep")
assert cmds.getAttr("keep.tx") == 0.0

# A plug-in that is not there is reported; nothing else is loaded.
raises(RuntimeError, "", cmds.loadPlugin, "noSuchPlugin")
assert not cmds.pluginInfo("noSuchPlugin", query=True, loaded=True)

# An unknown flag of the plug-in's command leaves mouse emulation as it was.
cmds.loadPlugin("VXMayaPlugin")
raises(TypeError, "Invalid flag", cmds.vexelConfigurationCmd, bogus=True)

# Unloading while a device node is alive is refused, and the node and plug-in stay.
device = cmds.createNode("vexelDevice")
raises(RuntimeError, "", cmds.unloadPlugin, "VXMayaPlugin")
assert cmds.pluginInfo("VXMayaPlugin", query=True, loaded=True)
assert cmds.objExists(device) and vxsim.threads() == 1
cmds.delete(device)
cmds.unloadPlugin("VXMayaPlugin")
assert vxsim.threads() == 0
print("bad input: done")
