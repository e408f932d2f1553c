"""Builder of the "vexelCamera" stereo rig.

Layout (all under the top-level group "vexelRootGroup"):

    vexelRootGroup
      vexelRigRoot                  the user's navigation camera: its transform is
        vexelRigRootCenterCamShape  what the user tumbles and dollies, and what stereo
                                    focus and fix zoom move; it is also the rig root,
                                    with the message attributes centerCam/leftCam/rightCam
        vexelRigRootLeftCam         eye cameras: their translation follows the head,
        vexelRigRootRightCam        their film back makes the off-axis frustum

A "vexelDevice" node computes the eye cameras' translation, rotation and film
back and the centre camera's film back from the tracked head. The rig root is
scaled by the device's "cameraScale", so the stereo view keeps its apparent size.
The device is reachable from the centre camera through its "triggerUpdate" and
"filmOffset" connections.
"""

import maya.cmds as cmds

ROOT_GROUP = "vexelRootGroup"
RIG_ROOT = "vexelRigRoot"
CENTER_SHAPE = "vexelRigRootCenterCamShape"
DEVICE = "vexelDevice"

_EYE_OUTPUTS = ("Translate", "Rotate", "RotateOrder", "FilmAperture", "FilmOffset", "FocalLength")


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
    cmds.connectAttr("%s.%sFilmAperture" % (device, prefix), shape + ".filmAperture", force=True)
    cmds.connectAttr("%s.%sFilmOffset" % (device, prefix), shape + ".filmOffset", force=True)
    cmds.connectAttr("%s.%sFocalLength" % (device, prefix), shape + ".focalLength", force=True)


def _connectEye(device, prefix, transform, shape):
    cmds.connectAttr("%s.%sTranslate" % (device, prefix), transform + ".translate", force=True)
    cmds.connectAttr("%s.%sRotate" % (device, prefix), transform + ".rotate", force=True)
    cmds.connectAttr("%s.%sRotateOrder" % (device, prefix), transform + ".rotateOrder",
                     force=True)
    _connectFilmBack(device, prefix, shape)


def _deviceNodeAvailable():
    try:
        return DEVICE in (cmds.pluginInfo("VXMayaPlugin", query=True, dependNode=True) or [])
    except RuntimeError:
        return False


def _addRigAttributes(rigRoot):
    for attribute in ("centerCam", "leftCam", "rightCam"):
        cmds.addAttr(rigRoot, longName=attribute, attributeType="message")


def createRig(basename="vexelRigRoot"):
    """Builds the rig and returns [rig root, left camera, right camera]."""
    group = cmds.group(empty=True, name=ROOT_GROUP)
    rigRoot, centerShape = _camera(basename, group, CENTER_SHAPE)
    left, leftShape = _camera(basename + "LeftCam", rigRoot)
    right, rightShape = _camera(basename + "RightCam", rigRoot)

    _addRigAttributes(rigRoot)
    cmds.connectAttr(rigRoot + ".message", rigRoot + ".centerCam", force=True)
    cmds.connectAttr(left + ".message", rigRoot + ".leftCam", force=True)
    cmds.connectAttr(right + ".message", rigRoot + ".rightCam", force=True)

    if _deviceNodeAvailable():
        device = cmds.createNode(DEVICE, name=DEVICE + "1")
        cmds.connectAttr("time1.outTime", device + ".currentTime", force=True)
        _connectEye(device, "left", left, leftShape)
        _connectEye(device, "right", right, rightShape)
        _connectFilmBack(device, "center", centerShape)
        cmds.addAttr(centerShape, longName="triggerUpdate", attributeType="double")
        cmds.connectAttr(device + ".triggerUpdate", centerShape + ".triggerUpdate", force=True)
        for axis in "XYZ":
            cmds.connectAttr(device + ".cameraScale", "%s.scale%s" % (rigRoot, axis), force=True)
    return [rigRoot, left, right]
