# The stylus stops reporting in the middle of a click: the tool still gets its release (no
# button stays stuck), and once the stylus reports again the pointer follows it.
import maya.cmds as cmds
import vxsim

cmds.loadPlugin("VXMayaPlugin")
cmds.setToolTo(cmds.probeContext())
vxsim.stylus_at(700, 500, distance=0.1)
vxsim.step(1000)

vxsim.buttons(True)
vxsim.step(34)
vxsim.stylus((0.0, 0.0, 0.0), valid=False)
vxsim.step(200)
vxsim.buttons(False)
vxsim.step(200)
events = [e.split()[0] for e in cmds.probeEvents() if e != "setup"]
assert events[0] == "press" and events[-1] == "release", events
assert events.count("press") == 1 and events.count("release") == 1, events
assert vxsim.cursor() == (700, 500), vxsim.cursor()

vxsim.stylus_at(900, 600, distance=0.1)
vxsim.step(1000)
x, y = vxsim.cursor()
assert abs(x - 900) <= 1 and abs(y - 600) <= 1, (x, y)
print("stylus vanishes: done")
