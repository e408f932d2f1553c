"""The default vxsim session: loads the plug-in, lets the stylus drive the desktop pointer
outside the stereo view, builds the head-tracked stereo rig, renders what each eye sees as the
head moves, and unloads the plug-in again. Frames go to vxsim's --out folder."""

import os

import maya.cmds as cmds
import vxsim
from maya.app.stereo import stereoCameraRig

PLUGIN = "VXMayaPlugin"


def section(title):
    print("--- " + title)


def frame(name, eye):
    path = os.path.join(vxsim.out_dir(), name)
    vxsim.render(path, eye)
    print("  wrote %s (%s)" % (path, eye))


def compound(value):
    return tuple(value[0]) if value and isinstance(value[0], (list, tuple)) else tuple(value)


def show_eyes(device):
    for eye in ("left", "right"):
        translate = compound(cmds.getAttr("%s.%sTranslate" % (device, eye)))
        offset = compound(cmds.getAttr("%s.%sFilmOffset" % (device, eye)))
        print("  %s eye at (%.2f, %.2f, %.2f) cm, film offset (%.3f, %.3f) in, focal %.1f mm" % (
            eye, translate[0], translate[1], translate[2], offset[0], offset[1],
            cmds.getAttr("%s.%sFocalLength" % (device, eye))))


section("Loading " + PLUGIN)
cmds.loadPlugin(PLUGIN)
print("%s %s by %s" % (PLUGIN, cmds.pluginInfo(PLUGIN, query=True, version=True),
                       cmds.pluginInfo(PLUGIN, query=True, vendor=True)))
print("commands: " + ", ".join(sorted(cmds.pluginInfo(PLUGIN, query=True, command=True) or [])))
print("nodes: " + ", ".join(cmds.pluginInfo(PLUGIN, query=True, dependNode=True) or []))
print("tracker threads running: %d" % vxsim.threads())
for label, items in sorted(vxsim.menus().items()):
    print("menu %s: %s" % (label, ", ".join(items)))

section("The stylus as the mouse (outside the stereo view)")
vxsim.stylus_at(700, 500, distance=0.1)
vxsim.step(500)
print("  stylus aimed at (700, 500): pointer at %s" % (vxsim.cursor(),))
vxsim.desktop_events()
vxsim.buttons(True)
vxsim.step(51)
vxsim.stylus_at(730, 520, distance=0.1)  # the hand moves a little during the click
vxsim.step(51)
vxsim.buttons(False)
vxsim.step(51)
print("  a short click, as the emulation delivered it:")
for event in vxsim.desktop_events():
    if "mouse move" not in event:
        print("    " + event)
cmds.vexelConfigurationCmd(toggleMouseEmulation=True)
vxsim.stylus_at(300, 300, distance=0.1)
vxsim.step(500)
print("  emulation off: the stylus no longer moves the pointer, still at %s" % (vxsim.cursor(),))
cmds.vexelConfigurationCmd(toggleMouseEmulation=True)

section("A scene and the head-tracked stereo rig")
for name, position in (("near", (-3.0, 1.0, 4.0)), ("middle", (0.0, 1.0, 0.0)),
                       ("far", (4.0, 1.0, -6.0))):
    cube = cmds.polyCube(width=2, height=2, depth=2, name=name)[0]
    cmds.xform(cube, translation=position)
root, left, right = stereoCameraRig.createStereoCameraRig("vexelCamera")
device = cmds.ls(type="vexelDevice")[0]
cmds.lookThru(root)
vxsim.step(34)
print("rig %s with eyes %s and %s, driven by %s" % (root, left, right, device))
print("stereo focus on everything visible:")
cmds.select(clear=True)
cmds.vexelStereoFocus()
vxsim.step(34)
print("  camera at (%.1f, %.1f, %.1f), scale %.3f" % (
    cmds.getAttr(root + ".translateX"), cmds.getAttr(root + ".translateY"),
    cmds.getAttr(root + ".translateZ"), cmds.getAttr(device + ".cameraScale")))

section("Head at the nominal viewing position")
vxsim.head((0.0, 0.0, 0.0))
vxsim.step(34)
show_eyes(device)
frame("stereo_left.png", "left")
frame("stereo_right.png", "right")
frame("stereo_anaglyph.png", "anaglyph")

section("Head moved 12 cm to the right and 5 cm closer")
vxsim.head((0.12, 0.0, -0.05))
vxsim.step(34)
show_eyes(device)
frame("stereo_head_moved_left.png", "left")
frame("stereo_head_moved_anaglyph.png", "anaglyph")

section("Unloading " + PLUGIN)
cmds.delete(device)
cmds.unloadPlugin(PLUGIN)
print("unloaded; still loaded: %s; tracker threads running: %d" % (
    cmds.pluginInfo(PLUGIN, query=True, loaded=True) == 1, vxsim.threads()))
for line in vxsim.debug_output():
    print("debug: " + line)
