# Curves, surfaces, a joint chain with an IK handle and an emitter built as sessions and the
# curve and joint tools build them (maya.cmds and the tools' MEL strings); what they leave,
# selections of their CVs, undo, a frame with them drawn, and a new scene that clears them.
import maya.cmds as cmds
import maya.mel as mel
import vxsim

assert cmds.curve(d=3, p=[(0, 0, 0), (1, 2, 0), (3, 2, 0), (4, 0, 0)]) == "curve1"
mel.eval('setAttr ".dispCV" 1; setAttr ".dispEP" 1; setAttr ".dispHull" 1;')
assert cmds.getAttr("curveShape1.dispHull") == 1
# The curve tool's drag: the newest point follows the stylus.
mel.eval('move -a -os 4 1 0 "curve1.cv[3]"')
assert cmds.pointPosition("curve1.cv[3]") == [4.0, 1.0, 0.0]
mel.eval("curve -d 3 -ep 0 0 2 -ep 2 0 2 -ep 4 1 2")
mel.eval('move -a -os 5 1 2 "curve2.ep[2]"')
assert [round(v, 9) for v in cmds.pointPosition("curve2.ep[2]")] == [5.0, 1.0, 2.0]
cmds.select("curve1")
mel.eval("nurbsCurveToBezier;")
assert cmds.getAttr("curveShape1.spans") == 1

assert cmds.circle(r=2) == ["nurbsCircle1", "makeNurbCircle1"]
assert cmds.nurbsPlane(w=3, ax=(0, 0, 1)) == ["nurbsPlane1", "makeNurbPlane1"]
assert cmds.nurbsSphere(r=1.5, p=(5, 0, 0)) == ["nurbsSphere1", "makeNurbSphere1"]
cmds.select("nurbsSphere1.cv[1][0:2]", "nurbsCircle1.cv[3]")
assert cmds.ls(sl=True) == ["nurbsSphere1.cv[1][0:2]", "nurbsCircle1.cv[3]"]

# The joint tool's strings, then its IK handle.
cmds.select(clear=True)
for x, y in [(0, 0), (0, 4), (3, 4)]:
    mel.eval("joint -p %d %d 0; " % (x, y))
mel.eval("joint -e -zso -oj xyz -sao yup joint2;")
mel.eval("joint -e -rad 0.75 joint2;")
handle = mel.eval("ikHandle -sj joint1 -ee joint3 -sol ikSCsolver  -p 35 -w 19.2308 -pw 0.5462 ")
assert list(handle) == ["ikHandle1", "effector1"], handle
assert cmds.listRelatives("effector1", parent=True) == ["joint2"]
assert cmds.emitter(pos=(6, 3, 0)) == ["emitter1"]
assert cmds.objectType("emitter1") == "pointEmitter"

cmds.undo()
assert not cmds.objExists("emitter1")
cmds.redo()
assert cmds.objExists("emitter1")
cmds.select("nurbsSphere1")
vxsim.render("nurbs_skeleton.png")

try:
    cmds.curve(d=3, p=[(0, 0, 0)])
    raise AssertionError("a one-point cubic curve was made")
except RuntimeError:
    pass
assert not cmds.objExists("curve3")

cmds.file(new=True, force=True)
assert cmds.ls(type="nurbsCurve") == [] and cmds.ls(type="joint") == []
messages = [m for m in vxsim.messages() if m[0] == "error"]
assert len(messages) == 1, messages
print("nurbs skeleton: done")
