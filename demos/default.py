"""The default vxsim session: loads the plug-in, shows what it registered, lets time run, and
unloads it again."""

import maya.cmds as cmds
import vxsim

PLUGIN = "VXMayaPlugin"


def section(title):
    print("--- " + title)


section("Loading " + PLUGIN)
try:
    cmds.loadPlugin(PLUGIN)
    loaded = True
except RuntimeError as error:
    # The plug-in is not staged in every build yet; the host itself still gets exercised.
    print("note: %s could not be loaded (%s); going on without it" % (PLUGIN, error))
    loaded = False

if loaded:
    section("Commands the plug-in registered")
    for name in ("vexelStereoFocus", "vexelHitTestCmd", "vexelStereoFixZoom",
                 "vexelConfigurationCmd"):
        print("%-24s %s" % (name, "registered" if name in dir(cmds) else "MISSING"))

section("Stepping one second of virtual time")
for _ in range(60):
    vxsim.step()
print("virtual time: %.3f s" % vxsim.time())

if loaded:
    section("Unloading " + PLUGIN)
    cmds.unloadPlugin(PLUGIN)
    print("unloaded")
