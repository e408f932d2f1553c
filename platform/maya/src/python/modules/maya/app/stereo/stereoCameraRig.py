"""Builds stereo camera rigs of the types registered with stereoRigManager.

Part of Maya's stereo camera plug-in: stereoRigManager exists once that plug-in ("stereoCamera")
is loaded; before that maya.cmds has no stereoRigManager and createStereoCameraRig raises
AttributeError.
"""

import importlib

from maya import cmds, mel


def createStereoCameraRig(rigName="StereoCamera"):
    """Runs the builder registered for rig type `rigName` and returns what it returns."""
    definition = cmds.stereoRigManager(rigDefinition=rigName)
    if not definition or len(definition) < 2:
        raise RuntimeError(f"Stereo rig type '{rigName}' is not registered")
    language, procedure = definition[0], definition[1]
    if language == "Python":
        return _call_python(procedure)
    if language == "MEL":
        return mel.eval(procedure)
    raise RuntimeError(f"Stereo rig type '{rigName}' has an unknown language '{language}'")


def _call_python(procedure):
    module_name, _, function_name = procedure.rpartition(".")
    module = importlib.import_module(module_name or "__main__")
    return getattr(module, function_name)()
