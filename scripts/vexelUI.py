"""The plug-in's menu in Maya's main window.

addUI builds a "Vexel" menu listing the stylus tools and the plug-in's
commands that are registered, and makes vexelUtils known to the command strings
the plug-in sends; removeUI deletes the menu. Both are safe to call more than
once.
"""

import __main__

import maya.cmds as cmds
import vexelUtils

MENU_NAME = "vexelMenu"

# (label, python command, command or context that must exist for the item)
_TOOLS = [
    ("Select Tool", "vexelUtils.setToolToSelectToolContext()", "vexelSelectToolContext"),
    ("Move Tool", "vexelUtils.setToolToMoveToolContext()", "vexelMoveToolContext"),
    ("Rotate Tool", "vexelUtils.setToolToRotateToolContext()", "vexelRotateToolContext"),
    ("Scale Tool", "vexelUtils.setToolToScaleToolContext()", "vexelScaleToolContext"),
    ("Transform Tool", "vexelUtils.setToolToTransformToolContext()", "vexelTransformToolContext"),
    ("Extrude Tool", "vexelUtils.setToolToExtrudeToolContext()", "vexelExtrudeToolContext"),
    ("Create Polygon Tool", "vexelUtils.setToolToPolyFacetContext()", "vexelPolyFacetContext"),
    ("Split Polygon Tool", "vexelUtils.setToolToPolySplitContext()", "vexelPolySplitContext"),
    ("Edge Loop Tool", "vexelUtils.setToolToPolyEdgeContext()", "vexelPolyEdgeContext"),
    ("Curve Tool", "vexelUtils.setToolToCurveToolContext()", "vexelCurveToolContext"),
    ("Joint Tool", "vexelUtils.setToolToJointToolContext()", "vexelJointToolContext"),
]

_COMMANDS = [
    ("Create Stereo Camera", "import vexelCameraRig; vexelCameraRig.createRig()", "vexelDevice"),
    ("Stereo Focus", "maya.cmds.vexelStereoFocus()", "vexelStereoFocus"),
    ("Reset Stereo View", "maya.cmds.vexelStereoFocus(reset=True)", "vexelStereoFocus"),
    ("Fix Zoom", "maya.cmds.vexelStereoFixZoom()", "vexelStereoFixZoom"),
    ("Toggle Mouse Emulation", "maya.cmds.vexelConfigurationCmd(toggleMouseEmulation=True)",
     "vexelConfigurationCmd"),
]


def _available(name):
    return hasattr(cmds, name) or bool(cmds.nodeType(name, isTypeName=True))


def _addItems(items):
    added = 0
    for label, command, requirement in items:
        if _available(requirement):
            cmds.menuItem(label=label, command="import vexelUtils; import maya.cmds; " + command,
                          parent=MENU_NAME)
            added += 1
    return added


def addUI():
    # The plug-in switches tools with `python "vexelUtils.setTo...()"`, which Maya runs in
    # __main__, where only what was imported there is known.
    __main__.vexelUtils = vexelUtils
    removeUI()
    cmds.menu(MENU_NAME, label="Vexel", parent="MayaWindow", tearOff=True)
    _addItems(_TOOLS)
    cmds.menuItem(divider=True, parent=MENU_NAME)
    _addItems(_COMMANDS)
    return MENU_NAME


def removeUI():
    if cmds.menu(MENU_NAME, exists=True):
        cmds.deleteUI(MENU_NAME, menu=True)
