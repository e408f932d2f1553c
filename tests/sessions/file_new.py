# "file -new -force" empties the scene, the selection and the undo queue, between the
# new-scene messages, and the views look through a new startup camera; the plug-in's stereo
# rig goes with the scene and the host carries on without it.
import maya.cmds as cmds
import vxsim
from maya.app.stereo import stereoCameraRig

# The session loads the exit order plug-in (-c), which prints the new-scene messages.
cmds.loadPlugin("VXMayaPlugin")
rig = stereoCameraRig.createStereoCameraRig("vexelCamera")[0]
cmds.lookThru(rig)
cmds.polyCube(name="cube")
cmds.select("cube")
vxsim.step()
vxsim.messages()  # entering the stereo view warns of the stylus tools not yet there
assert cmds.undoInfo(query=True, undoName=True) != ""

print("file new: before")
assert cmds.file(new=True, force=True) == "untitled"
print("file new: after")
assert cmds.ls(type="vexelDevice") == [] and not cmds.objExists("cube")
assert not cmds.objExists(rig) and cmds.ls(selection=True) == []
assert cmds.undoInfo(query=True, undoName=True) == ""
assert [view["camera"] for view in vxsim.views()] == ["perspShape"]
vxsim.step()
vxsim.render("after_new.png")
messages = vxsim.messages()
assert messages == [], messages
print("file new: done")
