# The editors and the shading the tool menu toggles, run as the menu runs them (MEL
# statements), seen through vxsim.ui_state(); and the snapping preferences the tools read.
import maya.cmds as cmds
import maya.mel as mel
import vxsim

state = vxsim.ui_state()
assert state == {"attributeEditor": False, "channelBoxLayerEditor": True, "toolSettings": False,
                 "displayAppearance": "wireframe"}, state
for statement in ("ToggleAttributeEditor;", "ToggleChannelsLayers;", "ToggleToolSettings;",
                  "DisplayShaded;"):
    mel.eval(statement)
state = vxsim.ui_state()
assert state == {"attributeEditor": True, "channelBoxLayerEditor": False, "toolSettings": True,
                 "displayAppearance": "smoothShaded"}, state
mel.eval("ToggleAttributeEditor; ToggleAttributeEditor; DisplayShaded;")
assert vxsim.ui_state() == state, "toggles flip back; DisplayShaded sets, it does not toggle"
mel.eval("DisplayWireframe")
assert vxsim.ui_state()["displayAppearance"] == "wireframe"
# The other view keeps its own appearance: the command acts on the active one.
second = vxsim.add_view(1000, 200, 400, 300)
vxsim.set_view(second, active=True)
mel.eval("DisplayShaded")
vxsim.set_view(0, active=True)
assert vxsim.ui_state()["displayAppearance"] == "wireframe"
print("ui toggles: done")

# Snapping: off by default; the grid's defaults and its option variables move together.
assert (cmds.snapMode(q=True, grid=True), cmds.snapMode(q=True, point=True)) == (0, 0)
assert (cmds.grid(q=True, spacing=True), cmds.grid(q=True, divisions=True)) == (5.0, 5)
cmds.snapMode(grid=True)
cmds.grid(spacing=2, divisions=4)
assert cmds.snapMode(q=True, grid=True) == 1
assert (cmds.optionVar(q="gridSpacing"), cmds.optionVar(q="gridDivisions")) == (2.0, 4)
cmds.undo()
assert cmds.optionVar(q="gridSpacing") == 5.0
try:
    cmds.grid(divisions=0)
except RuntimeError:
    pass
else:
    raise AssertionError("zero divisions accepted")
assert cmds.grid(q=True, divisions=True) == 5
print("snapping preferences: done")
