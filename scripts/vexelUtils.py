"""Tool switching for the stylus tools.

Each setToolTo... function makes its stylus tool current, creating the tool's
context the first time ("<contextCommand>1") and reusing it afterwards, so the
plug-in can switch back to the same named context when the user leaves the
stereo view.
"""

import maya.cmds as cmds


def _setToolToContext(contextCommand):
    name = contextCommand + "1"
    if not cmds.contextInfo(name, exists=True):
        if not hasattr(cmds, contextCommand):
            cmds.warning("The %s tool is not available." % contextCommand)
            return None
        created = getattr(cmds, contextCommand)(name)
        if created != name:
            cmds.warning("Expected context %s, got %s." % (name, created))
            name = created
    cmds.setToolTo(name)
    return name


def setToolToSelectToolContext():
    return _setToolToContext("vexelSelectToolContext")


def setToolToMoveToolContext():
    return _setToolToContext("vexelMoveToolContext")


def setToolToRotateToolContext():
    return _setToolToContext("vexelRotateToolContext")


def setToolToScaleToolContext():
    return _setToolToContext("vexelScaleToolContext")


def setToolToJointToolContext():
    return _setToolToContext("vexelJointToolContext")


def setToolToTransformToolContext():
    return _setToolToContext("vexelTransformToolContext")


def setToolToExtrudeToolContext():
    return _setToolToContext("vexelExtrudeToolContext")


def setToolToCurveToolContext():
    return _setToolToContext("vexelCurveToolContext")


def setToolToPolyFacetContext():
    return _setToolToContext("vexelPolyFacetContext")


def setToolToPolySplitContext():
    return _setToolToContext("vexelPolySplitContext")


def setToolToPolyEdgeContext():
    return _setToolToContext("vexelPolyEdgeContext")
