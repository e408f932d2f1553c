# The simulated world through the vxsim module: time, input, displays, messages.
import maya.cmds as cmds
import maya.mel as mel
import vxsim

start = vxsim.time()
redraws = vxsim.redraws()
vxsim.step(100)
assert abs(vxsim.time() - start - 0.1) < 1e-9, vxsim.time()
assert vxsim.redraws() - redraws == 6, "100 ms run as six slices of at most 17 ms"
vxsim.step(0)
assert abs(vxsim.time() - start - 0.1) < 1e-9

vxsim.mouse(500, 400)
vxsim.step()
assert vxsim.cursor() == (500, 400), vxsim.cursor()
try:
    vxsim.mouse(1, 1, buttons=("thumb",))
    raise AssertionError("unknown mouse button taken")
except ValueError:
    pass

displays = vxsim.displays()
assert len(displays) == 1 and displays[0]["width"] == 1920 and displays[0]["tilt"] == 45.0
second = vxsim.set_display(1, x=1920, width=1280, height=1024)
assert second["x"] == 1920 and len(vxsim.displays()) == 2
try:
    vxsim.set_display(0, width=-5)
    raise AssertionError("a display of negative width taken")
except ValueError:
    pass
assert vxsim.displays()[0]["width"] == 1920, "a refused change leaves the displays alone"
vxsim.mouse(2000, 10)
assert vxsim.cursor() == (2000, 10), "the pointer reaches the added display"

pose = vxsim.stylus_at(960, 540)
assert len(pose) == 16
vxsim.stylus((0.0, 0.1, -0.2), (10.0, 0.0, 0.0))
vxsim.head([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0.1, 0, 0, 0, 1])
assert vxsim.buttons(True)[:2] == (True, False)
assert vxsim.buttons(False)[0] is False

vxsim.key("shift", True)
vxsim.key("shift", False)
try:
    vxsim.key("hyper", True)
    raise AssertionError("unknown key taken")
except ValueError:
    pass

vxsim.messages()
try:
    cmds.loadPlugin("noSuchPlugin")
except RuntimeError:
    pass
assert [kind for kind, _ in vxsim.messages()] == ["error"]
assert vxsim.messages() == [], "messages are taken once"

# A script's own warning carries on; its error stops it (in Python, raises).
cmds.warning("careful", noContext=True)
try:
    mel.eval('error "stop here"; createNode transform -n afterError;')
    raise AssertionError("error did not stop the script")
except RuntimeError as raised:
    assert "stop here" in str(raised), str(raised)
assert not cmds.objExists("afterError")
assert vxsim.messages() == [("warning", "careful"), ("error", "stop here")], vxsim.messages()
assert isinstance(vxsim.debug_output(), list)
print("world: done")
