# Meshes as a user works with them from maya.cmds: every primitive, its history, component
# edits seen by the queries and the view, polySelect's loops, and errors that change nothing.
import os

import maya.cmds as cmds
import vxsim

cmds.file(new=True, force=True)
expected = {
    "polyCube": (8, 12, 6),
    "polySphere": (382, 780, 400),
    "polyPlane": (121, 220, 100),
    "polyCylinder": (42, 100, 60),
    "polyTorus": (400, 800, 400),
}
for command, counts in expected.items():
    made = getattr(cmds, command)()
    assert len(made) == 2 and cmds.objectType(made[1]) == command, made
    got = tuple(cmds.polyEvaluate(made[0], **{flag: True}) for flag in ("v", "e", "f"))
    assert got == counts, (command, got)

# History: a creator's attribute re-evaluates its mesh; undo brings the old one back.
cmds.setAttr("polySphere1.subdivisionsAxis", 8)
assert cmds.polyEvaluate("pSphere1", v=True) == 8 * 19 + 2
cmds.undo()
assert cmds.polyEvaluate("pSphere1", v=True) == 382

# A moved vertex is where every reader looks: pointPosition, bounds, the picture.
cmds.move(0, 3, 0, "pCube1.vtx[2]", relative=True)
top = cmds.pointPosition("pCube1.vtx[2]", world=True)
assert abs(top[1] - 3.5) < 1e-9, top
assert abs(cmds.polyEvaluate("pCube1", b=True)[3] - 3.5) < 1e-9

# The sphere's bottom ring is a closed loop: the first edge comes again at the end.
selected = cmds.ls(selection=True)
loop = cmds.polySelect("pSphere1", noSelection=True, edgeLoopOrBorder=0)
assert loop == list(range(20)) + [0], loop
assert cmds.ls(selection=True) == selected, "-ns leaves the selection alone"
cmds.polySelect("pSphere1", edgeLoopOrBorder=0)
assert cmds.ls(selection=True) == ["pSphere1.e[0:19]"], cmds.ls(selection=True)
assert cmds.polyEvaluate("pSphere1", edgeComponent=True) == 20

vxsim.messages()
before = sorted(cmds.ls())
for bad in (lambda: cmds.polySelect("pSphere1", noSelection=True, edgeRing=100000),
            lambda: cmds.polySelect("persp", noSelection=True, edgeLoop=1),
            lambda: cmds.polyTorus(axis=(0, 0, 0)),
            lambda: cmds.polyPlane(width=-1)):
    try:
        bad()
        raise AssertionError("bad input taken")
    except RuntimeError:
        pass
assert sorted(cmds.ls()) == before, "nothing made or removed"
errors = [text for kind, text in vxsim.messages() if kind == "error"]
assert len(errors) == 4 and "out of range" in errors[0] and "not a polygonal" in errors[1], errors

cmds.select(clear=True)
path = vxsim.render("meshes.png")
assert os.path.getsize(path) > 0
print("meshes ok")
