"""Builder of the "vexelCamera" stereo rig.

Layout (all under the top-level group "vexelRootGroup"):

    vexelRootGroup
      vexelRigRoot                  the user's navigation camera: its transform is
        vexelRigRootCenterCamShape  what the user tumbles and dollies, and what stereo
                                    focus and fix zoom move; it is also the rig root,
                                    with the message attributes centerCam/leftCam/rightCam
        vexelRigRootLeftCam         eye cameras: their translation follows the head,
        vexelRigRootRightCam        their film back makes the off-axis frustum

The rig root stands at the nominal viewing position and looks along the display's
normal; its local space is the display's camera space in centimetres. A "vexelDevice"
node computes the eye cameras' translation, rotation and film back and the centre
camera's film back from the tracked head, so each eye's frustum passes through the
view's rectangle on the screen, which stays put in the world while the head moves.
The device's "cameraScale" scales the whole rig about the world origin (it drives
"vexelRootGroup"), so the rig root's translation is in scaled units: stereo focus and
fix zoom place the camera by (translation + view direction * distance) * scale. The device is reachable from the centre camera through its
"triggerUpdate" and "filmOffset" connections.
"""

import math

import maya.cmds as cmds

ROOT_GROUP = "vexelRootGroup"
RIG_ROOT = "vexelRigRoot"
CENTER_SHAPE = "vexelRigRootCenterCamShape"
DEVICE = "vexelDevice"

# The display's centre seen from the nominal viewing position, in metres, for when
# the device has not seen a display yet.
_DEFAULT_DISPLAY_VECTOR = (0.0, -0.3, -0.3)
_METRES_TO_CENTIMETRES = 100.0


def _camera(name, parent, shapeName=None):
    transform, shape = cmds.camera()
    transform = cmds.rename(transform, name)
    shape = cmds.listRelatives(transform, shapes=True)[0]
    if shapeName:
        shape = cmds.rename(shape, shapeName)
    if parent:
        transform = cmds.parent(transform, parent, relative=True)[0]
    return transform, shape


def _connectFilmBack(device, prefix, shape):
    cmds.connectAttr("%s.%sFilmAperture" % (device, prefix), shape + ".cameraAperture",
                     force=True)
    cmds.connectAttr("%s.%sFilmOffset" % (device, prefix), shape + ".filmOffset", force=True)
    cmds.connectAttr("%s.%sFocalLength" % (device, prefix), shape + ".focalLength", force=True)


def _connectEye(device, prefix, transform, shape):
    cmds.connectAttr("%s.%sTranslate" % (device, prefix), transform + ".translate", force=True)
    cmds.connectAttr("%s.%sRotate" % (device, prefix), transform + ".rotate", force=True)
    cmds.connectAttr("%s.%sRotateOrder" % (device, prefix), transform + ".rotateOrder",
                     force=True)
    _connectFilmBack(device, prefix, shape)


def _deviceNodeAvailable():
    return bool(cmds.nodeType(DEVICE, isTypeName=True))


def _addRigAttributes(rigRoot):
    for attribute in ("centerCam", "leftCam", "rightCam"):
        cmds.addAttr(rigRoot, longName=attribute, attributeType="message")


def _compound(value):
    """Maya gives a compound attribute's value as [(x, y, z)]; hosts may give it flat."""
    return tuple(value[0]) if value and isinstance(value[0], (list, tuple)) else tuple(value)


def _displayVector(device):
    """The display's centre as the device last saw it (its screen offset)."""
    if device:
        offset = _compound(cmds.getAttr(device + ".screenOffset"))
        # Until the device has seen a display the offset is a placeholder: the
        # attribute's default of 1.0, or zero, which would put the screen at the eyes.
        if offset not in ((1.0, 1.0, 1.0), (0.0, 0.0, 0.0)):
            return offset
    return _DEFAULT_DISPLAY_VECTOR


def _placeAtHome(rigRoot, centerShape, device):
    """Puts the rig in front of the display, looking at the origin, at scale 1."""
    home = [-_METRES_TO_CENTIMETRES * value for value in _displayVector(device)]
    cmds.setAttr(rigRoot + ".translate", *home)
    cmds.setAttr(rigRoot + ".rotate", math.degrees(-math.atan2(home[1], home[2])),
                 math.degrees(-math.atan2(home[0], home[2])), 0.0)
    distance = math.sqrt(sum(value * value for value in home))
    cmds.setAttr(centerShape + ".centerOfInterest", distance)
    if device:
        # Equal centres of interest: nothing for fix zoom to correct.
        cmds.setAttr(device + ".cameraCenterOfInterest", distance)
        cmds.setAttr(device + ".cameraScale", 1.0)


def createRig(basename=RIG_ROOT):
    """Builds the rig and returns [rig root, left camera, right camera]."""
    group = cmds.group(empty=True, name=ROOT_GROUP)
    rigRoot, centerShape = _camera(basename, group, CENTER_SHAPE)
    left, leftShape = _camera(basename + "LeftCam", rigRoot)
    right, rightShape = _camera(basename + "RightCam", rigRoot)

    _addRigAttributes(rigRoot)
    cmds.connectAttr(rigRoot + ".message", rigRoot + ".centerCam", force=True)
    cmds.connectAttr(left + ".message", rigRoot + ".leftCam", force=True)
    cmds.connectAttr(right + ".message", rigRoot + ".rightCam", force=True)

    device = None
    if _deviceNodeAvailable():
        device = cmds.createNode(DEVICE, name=DEVICE + "1")
        cmds.connectAttr("time1.outTime", device + ".currentTime", force=True)
        _connectEye(device, "left", left, leftShape)
        _connectEye(device, "right", right, rightShape)
        _connectFilmBack(device, "center", centerShape)
        cmds.addAttr(centerShape, longName="triggerUpdate", attributeType="double")
        cmds.connectAttr(device + ".triggerUpdate", centerShape + ".triggerUpdate", force=True)
        for axis in "XYZ":
            cmds.connectAttr(device + ".cameraScale", "%s.scale%s" % (group, axis), force=True)
    _placeAtHome(rigRoot, centerShape, device)
    return [rigRoot, left, right]
