# Stereo focus, fix zoom and the zoom watch on the "vexelCamera" rig.
import math

import maya.cmds as cmds
import vxsim
from maya.app.stereo import stereoCameraRig

TOLERANCE = 1e-5  # the display's geometry is single precision
HOME_DISTANCE = math.sqrt(1800.0)


def compound(value):
    """getAttr of a compound: [(x, y, z)] in Maya, flat in some hosts."""
    return tuple(value[0]) if value and isinstance(value[0], (list, tuple)) else tuple(value)


def close(a, b, tolerance=TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def view_direction(node):
    m = cmds.xform(node, query=True, matrix=True)
    length = math.sqrt(sum(v * v for v in m[8:11]))  # the rig's scale is in the matrix
    return [-v / length for v in m[8:11]]


def state():
    return (compound(cmds.getAttr(root + ".translate")), cmds.getAttr(device + ".cameraScale"),
            cmds.getAttr(shape + ".centerOfInterest"))


def dolly(distance):
    """Maya's dolly: along the view, the centre of interest shrinking by as much."""
    direction = view_direction(root)
    translate = compound(cmds.getAttr(root + ".translate"))
    cmds.setAttr(root + ".translate", *[t + distance * d for t, d in zip(translate, direction)])
    cmds.setAttr(shape + ".centerOfInterest", cmds.getAttr(shape + ".centerOfInterest") - distance)


def cube(name, position, size=2.0):
    cmds.polyCube(name=name, width=size, height=size, depth=size)
    cmds.setAttr(name + ".translate", *position)


cmds.loadPlugin("VXMayaPlugin")
root, _, _ = stereoCameraRig.createStereoCameraRig("vexelCamera")
shape = cmds.listRelatives(root, shapes=True)[0]
device = cmds.ls(type="vexelDevice")[0]
cmds.lookThru(root)
vxsim.step()

# Reset: in front of the display looking back at the origin, at scale 1.
cmds.setAttr(root + ".translate", 5.0, 6.0, 7.0)
cmds.setAttr(device + ".cameraScale", 2.0)
cmds.vexelStereoFocus(reset=True)
translate, scale, interest = state()
assert close(translate, (0.0, 30.0, 30.0)) and scale == 1.0, (translate, scale)
assert abs(cmds.getAttr(root + ".rotateX") + 45.0) < TOLERANCE
assert abs(interest - HOME_DISTANCE) < TOLERANCE
assert cmds.getAttr(device + ".cameraCenterOfInterest") == interest

# Nothing selected: the visible top-level nodes are framed, not the rig or hidden ones.
cube("near", (0.0, 0.0, 0.0))
cube("far", (10.0, 0.0, 0.0))
cube("hidden", (100.0, 0.0, 0.0))
cmds.setAttr("hidden.visibility", False)
cmds.setAttr("persp.visibility", False)  # as Maya's startup cameras are
group = cmds.group("far", name="farGroup")
cmds.setAttr(group + ".translate", 0.0, 4.0, 0.0)
cmds.select(clear=True)
cmds.vexelStereoFocus()
translate, scale, interest = state()
aperture = min(compound(cmds.getAttr(shape + ".cameraAperture")))
# The box: x from -1 to 11, y from -1 to 5, z from -1 to 1.
assert abs(scale - 12.0 / aperture * 0.6) < TOLERANCE, (scale, aperture)
point_of_interest = [(t + d * interest) * scale
                     for t, d in zip(translate, view_direction(root))]
assert close(point_of_interest, (5.0, 2.0, 0.0)), point_of_interest

# One selected point has no extent: the view resets.
cmds.select("near.vtx[0]")
cmds.vexelStereoFocus()
assert close(state()[0], (0.0, 30.0, 30.0)) and state()[1] == 1.0

# Fix zoom leaves an undollied camera alone, and turns a dolly into a rig scale.
cmds.vexelStereoFixZoom()
assert close(state()[0], (0.0, 30.0, 30.0)) and state()[1] == 1.0
dolly(HOME_DISTANCE / 2.0)
cmds.vexelStereoFixZoom()
translate, scale, interest = state()
assert close(translate, (0.0, 30.0, 30.0)) and abs(scale - 0.5) < TOLERANCE, (translate, scale)
assert abs(interest - HOME_DISTANCE) < TOLERANCE

# The zoom watch fixes the zoom once the dolly has settled, not while it goes on.
cmds.vexelStereoFocus(reset=True)
vxsim.step()
vxsim.step()
for _ in range(5):
    dolly(HOME_DISTANCE / 10.0)
    vxsim.step()
    assert state()[1] == 1.0, "fixed while still dollying"
vxsim.step()
assert abs(state()[1] - 0.5) < TOLERANCE and close(state()[0], (0.0, 30.0, 30.0)), state()
for _ in range(5):
    vxsim.step()
assert abs(state()[1] - 0.5) < TOLERANCE, "fixed again without a new dolly"

# Without stereo correction the dolly stays a dolly.
cmds.setAttr(device + ".stereoCorrectionEnabled", False)
vxsim.step()
cmds.getAttr(shape + ".focalLength")  # the view's redraw takes the setting in
dolly(1.0)
for _ in range(3):
    vxsim.step()
assert abs(state()[1] - 0.5) < TOLERANCE


def reported(message):
    return any(line.startswith("ERROR: " + message) for line in vxsim.debug_output())


# A selected dependency node has no place to frame: focus stops there and the view stays.
cmds.vexelStereoFocus(reset=True)
before = state()
vxsim.debug_output()
cmds.select("far", "time1")
cmds.vexelStereoFocus()
assert state() == before, (state(), before)
assert reported("Failed to query selection list."), "the selection's failure is reported"

# A camera without "triggerUpdate" is not one a device drives, though a device feeds its
# film offset: fix zoom stops before it moves anything.
bare_root = cmds.createNode("transform", name="bareRigRoot")
cmds.addAttr(bare_root, longName="centerCam", attributeType="message")
bare, bare_shape = cmds.camera()
cmds.connectAttr(bare + ".message", bare_root + ".centerCam")
cmds.connectAttr(device + ".centerFilmOffset", bare_shape + ".filmOffset")
cmds.setAttr(bare_shape + ".centerOfInterest", 10.0)
cmds.lookThru(bare)
bare_before = (compound(cmds.getAttr(bare + ".translate")), cmds.getAttr(device + ".cameraScale"))
vxsim.debug_output()
try:
    cmds.vexelStereoFixZoom()
    raise AssertionError("fix zoom succeeded on a camera no device drives")
except RuntimeError:
    pass
assert (compound(cmds.getAttr(bare + ".translate")),
        cmds.getAttr(device + ".cameraScale")) == bare_before
assert reported("Failed to find the vexelDeviceNode."), "the device look-up fails"
cmds.lookThru(root)
print("stereo commands: done")
