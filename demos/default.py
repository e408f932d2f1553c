"""The default vxsim session: loads the plug-in, shows what it registered, lets time run, and
unloads it again."""

import maya.cmds as cmds
import vxsim

PLUGIN = "VXMayaPlugin"


def section(title):
    print("--- " + title)


section("Loading " + PLUGIN)
cmds.loadPlugin(PLUGIN)
print("%s %s by %s" % (PLUGIN, cmds.pluginInfo(PLUGIN, query=True, version=True),
                       cmds.pluginInfo(PLUGIN, query=True, vendor=True)))

section("Commands the plug-in registered")
for name in sorted(cmds.pluginInfo(PLUGIN, query=True, command=True) or []):
    print("  " + name)

section("Menus of the main window")
for label, items in sorted(vxsim.menus().items()):
    print("  %s: %s" % (label, ", ".join(items)))

section("Stepping one second of virtual time")
for _ in range(59):
    vxsim.step()
print("virtual time: %.3f s, %d view redraws" % (vxsim.time(), vxsim.redraws()))
for line in vxsim.debug_output():
    print("debug: " + line)

section("Unloading " + PLUGIN)
cmds.unloadPlugin(PLUGIN)
print("unloaded; still loaded: %s" % (cmds.pluginInfo(PLUGIN, query=True, loaded=True) == 1))
