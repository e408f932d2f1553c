# A stylus click over the 3D view reaches the current tool as one press and one release at
# the same point, through the tracker thread's mouse emulation and the desktop.
import maya.cmds as cmds
import vxsim

cmds.loadPlugin("VXMayaPlugin")
# The session loads the probe plug-in (-c) whose context records what reaches it.
cmds.setToolTo(cmds.probeContext())

# The view spans desktop pixels (40, 100)-(1560, 1000); aim at a point inside it.
# The stylus damping smooths the motion, so give the pointer time to settle there.
vxsim.stylus_at(700, 500, distance=0.1)
vxsim.step(1000)
x, y = vxsim.cursor()
assert abs(x - 700) <= 1 and abs(y - 500) <= 1, (x, y)

vxsim.buttons(True)
vxsim.step(34)
# The stylus wanders while the button is down; a short click still lands where it began.
vxsim.stylus_at(760, 540, distance=0.1)
vxsim.step(34)
vxsim.buttons(False)
vxsim.step(34)

events = cmds.probeEvents()
print("events:", events)
presses = [e for e in events if e.startswith("press")]
releases = [e for e in events if e.startswith("release")]
assert len(presses) == 1 and len(releases) == 1, events
assert presses[0].split()[1:] == releases[0].split()[1:], events
print("stylus click: done")

# The stylus's third button is the middle mouse button; the keyboard's Shift rides along.
vxsim.key("shift", True)
vxsim.buttons(False, False, True)
vxsim.step(34)
vxsim.buttons(False, False, False)
vxsim.step(34)
vxsim.key("shift", False)
events = [e.split(" ", 3)[3] for e in cmds.probeEvents() if not e.startswith("drag")]
assert events == ["middle shift", "middle shift"], events

# Two quick stylus clicks are a double click both ways: by the presses' timing and as the
# view window's WM_LBUTTONDBLCLK. The pointer first settles where the stylus points.
vxsim.step(1000)
cmds.probeEvents()
for _ in range(2):
    vxsim.buttons(True)
    vxsim.step(34)
    vxsim.buttons(False)
    vxsim.step(68)
events = [e for e in cmds.probeEvents() if not e.startswith("drag")]
assert len(events) == 5 and events[2] == "dblclk", events
assert events[3].startswith("press") and events[3].endswith("left double"), events
print("stylus double click: done")

# A second view, made active and moved: the tracker thread follows it, and a click over it
# reaches the tool at the view's own coordinates (y measured from the view's bottom).
second = vxsim.add_view(1000, 200, 400, 300)
view = vxsim.set_view(second, x=1100, y=300, active=True)
assert view["active"] and (view["x"], view["y"], view["width"]) == (1100, 300, 400), view
assert [v["active"] for v in vxsim.views()].count(True) == 1
vxsim.stylus_at(1300, 400, distance=0.1)
vxsim.step(1000)
vxsim.buttons(True)
vxsim.step(34)
vxsim.buttons(False)
vxsim.step(34)
events = [e for e in cmds.probeEvents() if not e.startswith("drag")]
assert len(events) == 2, events
x, y = events[0].split()[1:3]
assert abs(int(x) - 200) <= 1 and abs(int(y) - 200) <= 1, events
print("second view: done")
