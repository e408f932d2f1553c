# The desktop mouse and keyboard driving a tool context as Maya's view drives it: set-up and
# clean-up, press/drag/release with buttons and modifiers, double clicks both ways, the tool
# keys, one undo entry and one journal line per gesture, and a tool switched mid-drag.
import maya.cmds as cmds
import maya.mel as mel
import vxsim

# The view spans desktop pixels (40, 100)-(1560, 1000); view y counts up from its bottom.
def view_point(x, y):
    return x - 40, 899 - (y - 100)


def translate(node):
    return tuple(cmds.getAttr(node + "." + axis) for axis in ("tx", "ty", "tz"))


def events():
    return list(cmds.probeEvents())


def click(x, y, buttons=("left",), wait=17):
    vxsim.mouse(x, y)
    vxsim.mouse(x, y, buttons)
    vxsim.mouse(x, y)
    vxsim.step(wait)


probe = cmds.probeContext()
assert cmds.probeContext(probe, exists=True) and not cmds.probeContext("nope", exists=True)
cmds.setToolTo(probe)
assert cmds.currentCtx() == probe
assert events() == ["setup"]
tool = vxsim.tool()
assert tool["title"] == "Probe Tool" and tool["help"] == "Drag to move the selection.", tool
assert tool["class"] == "probeTool" and tool["images"][0] == "probeTool.png", tool
assert tool["cursor"] == {"shape": "bitmap", "size": (16, 16), "hot_spot": (1, 16),
                          "blank": True}, tool["cursor"]
assert len(tool["manipulators"]) == 1 and cmds.objExists(tool["manipulators"][0]), tool
assert cmds.contextInfo(probe, image1=True) == "probeTool.png"
print("set-up: done")

# Press, drag and release with the modifiers held on the keyboard; the middle button too.
vxsim.key("shift", True)
vxsim.mouse(500, 400)
vxsim.mouse(500, 400, ["left"])
vxsim.mouse(520, 380, ["left"])
vxsim.key("ctrl", True)
vxsim.mouse(540, 360, ["left"])
vxsim.key("shift", False)
vxsim.mouse(540, 360)
vxsim.key("ctrl", False)
vxsim.mouse(700, 600, ["middle"])
vxsim.mouse(700, 600)
vxsim.step(1000)
x0, y0 = view_point(500, 400)
x1, y1 = view_point(520, 380)
x2, y2 = view_point(540, 360)
xm, ym = view_point(700, 600)
assert events() == [
    "press %d %d left shift" % (x0, y0), "drag %d %d left shift" % (x1, y1),
    "drag %d %d left shift ctrl" % (x2, y2), "release %d %d left ctrl" % (x2, y2),
    "press %d %d middle" % (xm, ym), "release %d %d middle" % (xm, ym)]
# Alt with a button is Maya's camera navigation: the tool sees nothing of it.
vxsim.key("alt", True)
click(600, 500)
vxsim.key("alt", False)
assert events() == []
print("buttons and modifiers: done")

# Two clicks within the double-click time: the view window gets WM_LBUTTONDBLCLK and the tool
# still gets both presses, the second one within the double-click time of the first.
click(800, 500, wait=200)
click(801, 501, wait=1000)
got = events()
first = "%d %d left" % view_point(800, 500)
second = "%d %d left" % view_point(801, 501)
assert got == ["press " + first, "release " + first, "dblclk", "press " + second + " double",
               "release " + second], got
click(800, 500, wait=600)
click(800, 500, wait=1000)
got = events()
assert got.count("dblclk") == 0 and not any("double" in e for e in got), got
print("double clicks: done")

# The tool keys: Enter completes, Backspace and Delete delete, Esc aborts.
for key in ("enter", "backspace", "delete", "esc"):
    vxsim.key(key, True)
    vxsim.key(key, False)
vxsim.step()
assert events() == ["complete", "delete", "delete", "abort"]
print("tool keys: done")

# A drag is one undoable command whatever the number of motion events, journalled with its
# flags; the journalled line replays to the same place.
cube = cmds.createNode("transform", name="cube")
cmds.select(cube)
cmds.flushUndo()
vxsim.mouse(400, 500, ["left"])
for step in range(1, 6):
    vxsim.mouse(400 + 10 * step, 500, ["left"])
    vxsim.step()
vxsim.mouse(450, 500)
vxsim.step()
moved = translate(cube)
assert abs(moved[0] - 5.0) < 1e-9 and moved[1] == 0.0, moved
assert cmds.undoInfo(q=True) == 1, cmds.undoInfo(q=True)
line = cmds.undoInfo(q=True, undoName=True)
assert line == "probeMoveCmd -t 5 0 0;", line
cmds.undo()
assert translate(cube) == (0.0, 0.0, 0.0)
cmds.redo()
assert translate(cube) == moved
cmds.undo()
mel.eval(line)
assert translate(cube) == moved
assert cmds.undoInfo(q=True) == 1
print("gesture: done")

# A locked channel refuses the whole move; the gesture leaves nothing on the queue.
cmds.setAttr(cube + ".tx", lock=True)
cmds.flushUndo()
vxsim.mouse(400, 500, ["left"])
vxsim.mouse(430, 500, ["left"])
vxsim.mouse(430, 500)
vxsim.step()
assert translate(cube) == moved
assert cmds.undoInfo(q=True) == 0
cmds.setAttr(cube + ".tx", lock=False)
cmds.flushUndo()
events()
print("locked: done")

# The tool changes mid-drag: the old tool cleans up (its gesture ends as one command and its
# manipulator goes), the new tool gets no stray release.
other = cmds.probeContext()
vxsim.mouse(400, 500, ["left"])
vxsim.mouse(420, 500, ["left"])
vxsim.step()
cmds.setToolTo(other)
assert len(cmds.ls(type="probeManip")) == 1, cmds.ls(type="probeManip")
vxsim.mouse(440, 500, ["left"])
vxsim.mouse(440, 500)
vxsim.step()
got = events()
assert got[-2:] == ["cleanup", "setup"], got
assert not any(e.startswith("release") for e in got), got
assert cmds.undoInfo(q=True) == 1
assert abs(cmds.getAttr(cube + ".tx") - (moved[0] + 2.0)) < 1e-9
print("tool switch mid-drag: done")

# Flags: edited, queried, an unknown value reported and ignored; an unknown context. Only an
# edit of the current tool tells the tool settings to refresh.
assert not vxsim.tool()["settings_dirty"]
cmds.probeContext(probe, edit=True, mode="Marquee")
assert not vxsim.tool()["settings_dirty"]
cmds.probeContext(other, edit=True, mode="Marquee")
assert vxsim.tool()["settings_dirty"]
assert cmds.probeContext(other, query=True, mode=True) == "Marquee"
vxsim.messages()
cmds.probeContext(other, edit=True, mode="drag")
assert vxsim.messages() == [("error", 'Unexpected -mode value "drag". Ignoring.')]
assert cmds.probeContext(other, query=True, mode=True) == "Marquee"
for call in (lambda: cmds.setToolTo("noSuchContext"),
             lambda: cmds.probeContext("probeContext9", edit=True, mode="Drag")):
    try:
        call()
    except RuntimeError:
        pass
    else:
        raise AssertionError("no error")
assert cmds.currentCtx() == other

# The tool command runs from Python with the same flags; wrong arguments change nothing.
cmds.flushUndo()
before = translate(cube)
cmds.probeMoveCmd(t=(1, 2, 3))
assert translate(cube) == (before[0] + 1, before[1] + 2, before[2] + 3), translate(cube)
assert cmds.undoInfo(q=True, undoName=True) == "probeMoveCmd -translate 1 2 3;"
cmds.undo()
assert translate(cube) == before
for bad in ({"t": ("a", 0, 0)}, {"t": (1, 2)}, {"bogus": 1}):
    try:
        cmds.probeMoveCmd(**bad)
    except (RuntimeError, TypeError):
        pass
    else:
        raise AssertionError("accepted %r" % bad)
assert translate(cube) == before and cmds.undoInfo(q=True, undoQueueEmpty=True)

# Unloading the plug-in takes its tool down: clean-up first, back to Maya's select tool.
cmds.unloadPlugin("contextProbePlugin")
assert cmds.currentCtx() == "selectSuperContext" and vxsim.tool()["manipulators"] == []
print("tool context: done")
