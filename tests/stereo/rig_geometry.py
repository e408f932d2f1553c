# The "vexelCamera" rig end to end: built through Maya's stereo rig manager, driven by
# the tracked head, each eye's frustum passes through the 3D view's rectangle on the
# physical screen, and the stylus lands where it touches the screen.
import math

import maya.cmds as cmds
import vxsim
from maya.app.stereo import stereoCameraRig

# vxsim lays its 3D view out inside the first display like Maya's main window does.
VIEW = (40, 100, 1560, 1000)  # left, top, right, bottom desktop pixels
TOLERANCE = 1e-3


def compound(value):
    """getAttr of a compound: [(x, y, z)] in Maya, flat in some hosts."""
    return tuple(value[0]) if value and isinstance(value[0], (list, tuple)) else tuple(value)


def close(a, b, tolerance=TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def display_axes(display):
    t = math.radians(display["tilt"])
    return (1.0, 0.0, 0.0), (0.0, math.cos(t), -math.sin(t)), (0.0, math.sin(t), math.cos(t))


def screen_point(display, px, py):
    """The physical point (tracker space, metres) of desktop pixel corner (px, py)."""
    right, up, _ = display_axes(display)
    fx = (px - display["x"]) / display["width"] - 0.5
    fy = 0.5 - (py - display["y"]) / display["height"]
    return [c + r * fx * display["width_m"] + u * fy * display["height_m"]
            for c, r, u in zip(display["center"], right, up)]


def world_matrix(node):
    m = cmds.xform(node, query=True, worldSpace=True, matrix=True)
    return [m[0:4], m[4:8], m[8:12], m[12:16]]


def transform(point, m):
    return [sum(point[i] * m[i][j] for i in range(3)) + m[3][j] for j in range(3)]


def to_local(point, m):
    """`point` in the space of row-vector matrix `m` (rows 0-2 may carry a uniform scale)."""
    d = [point[j] - m[3][j] for j in range(3)]
    squared = sum(v * v for v in m[0][:3])
    return [sum(d[j] * m[i][j] for j in range(3)) / squared for i in range(3)]


def view_offset(display):
    """The view's centre on the screen relative to the screen's centre (tracker space)."""
    centre = screen_point(display, (VIEW[0] + VIEW[2]) / 2.0, (VIEW[1] + VIEW[3]) / 2.0)
    return [c - d for c, d in zip(centre, display["center"])]


def tracker_to_world(display, root, point):
    """The rig root is the nominal viewing position in the display's camera space (cm),
    with the view's rectangle straight ahead of it."""
    relative = [p - o for p, o in zip(point, view_offset(display))]
    camera_space = [100.0 * sum(a * p for a, p in zip(axis, relative))
                    for axis in display_axes(display)]
    return transform(camera_space, world_matrix(root))


def film_point(camera, world):
    shape = cmds.listRelatives(camera, shapes=True)[0]
    local = to_local(world, world_matrix(camera))
    inches = cmds.getAttr(shape + ".focalLength") / 25.4 / -local[2]
    return local[0] * inches, local[1] * inches


def film_corners(camera):
    shape = cmds.listRelatives(camera, shapes=True)[0]
    hfa, vfa = compound(cmds.getAttr(shape + ".cameraAperture"))
    hfo, vfo = compound(cmds.getAttr(shape + ".filmOffset"))
    return [(hfo + sx * hfa / 2, vfo + sy * vfa / 2) for sx, sy in ((-1, 1), (1, 1), (1, -1),
                                                                    (-1, -1))]


def check_frustum(camera, display, root, what):
    left, top, right, bottom = VIEW
    corners = [screen_point(display, x, y) for x, y in ((left, top), (right, top),
                                                        (right, bottom), (left, bottom))]
    for corner, expected in zip(corners, film_corners(camera)):
        seen = film_point(camera, tracker_to_world(display, root, corner))
        assert close(seen, expected), "%s %s: corner at %s, film corner %s" % (
            what, camera, seen, expected)


def head(translation, yaw=0.0):
    vxsim.head(translation, (0.0, yaw, 0.0))
    vxsim.step(34)


def outputs(device, prefix):
    return [cmds.getAttr("%s.%s%s" % (device, prefix, name))
            for name in ("Translate", "Rotate", "RotateOrder", "FilmAperture", "FilmOffset",
                         "FocalLength")]


cmds.loadPlugin("VXMayaPlugin")
root, left, right = stereoCameraRig.createStereoCameraRig("vexelCamera")
device = cmds.ls(type="vexelDevice")[0]
cmds.lookThru(root)
vxsim.step()
display = vxsim.displays()[0]

# Home position in front of the default display, and equal centres of interest.
assert close(compound(cmds.getAttr(root + ".translate")), (0.0, 30.0, 30.0)), "rig placed at home"
assert abs(cmds.getAttr(device + ".cameraCenterOfInterest") - math.sqrt(1800.0)) < TOLERANCE

# At the nominal head position both eye frusta share the view's rectangle. (The centre
# camera is the navigation transform itself, so it stands at the nominal position rather
# than at the head; its film back is exact for a view centred on the display.)
head((0.0, 0.0, 0.0))
for camera in (left, right):
    check_frustum(camera, display, root, "nominal head")

# A moving head moves the eyes inside the rig; the rectangle stays in the world.
root_before = world_matrix(root)
head((0.06, -0.04, 0.08), yaw=12.0)
assert world_matrix(root) == root_before
for camera in (left, right):
    check_frustum(camera, display, root, "moved head")
eye_gap = [a - b for a, b in zip(world_matrix(right)[3], world_matrix(left)[3])]
assert abs(math.sqrt(sum(v * v for v in eye_gap[:3])) - 6.0) < TOLERANCE, eye_gap
for prefix in ("left", "right", "center"):
    rotate = compound(cmds.getAttr("%s.%sRotate" % (device, prefix)))
    order = cmds.getAttr("%s.%sRotateOrder" % (device, prefix))
    assert rotate[2] == 0.0 and order == 5, (prefix, rotate, order)

# Swapping the eyes exchanges the two outputs.
moved_left, moved_right = outputs(device, "left"), outputs(device, "right")
cmds.setAttr(device + ".eyesSwapped", True)
assert outputs(device, "left") == moved_right and outputs(device, "right") == moved_left
cmds.setAttr(device + ".eyesSwapped", False)

# Without head tracking the cameras are those of the nominal head.
cmds.setAttr(device + ".headTrackingEnabled", False)
untracked = [outputs(device, prefix) for prefix in ("left", "right", "center")]
head((0.0, 0.0, 0.0))
cmds.setAttr(device + ".headTrackingEnabled", True)
assert untracked == [outputs(device, prefix) for prefix in ("left", "right", "center")]

# Stereo level 0 brings both eyes to the centre camera.
head((0.06, -0.04, 0.08), yaw=12.0)
cmds.setAttr(device + ".stereoLevel", 0.0)
assert outputs(device, "left") == outputs(device, "right") == outputs(device, "center")

# An eye half a metre in front of the screen sees it through a 500 mm lens.
_, _, normal = display_axes(display)
centre = screen_point(display, (VIEW[0] + VIEW[2]) / 2.0, (VIEW[1] + VIEW[3]) / 2.0)
head([c + 0.5 * n for c, n in zip(centre, normal)])
assert abs(cmds.getAttr(device + ".centerFocalLength") - 500.0) < 0.01
cmds.setAttr(device + ".stereoLevel", 1.0)

# The stylus moves physically: along the screen and out of it, at the rig's scale.
right_axis, up_axis, normal = display_axes(display)


def stylus_world(offset):
    at = [c + o for c, o in zip(centre, offset)]
    vxsim.stylus([right_axis[0], up_axis[0], normal[0], at[0], right_axis[1], up_axis[1],
                  normal[1], at[1], right_axis[2], up_axis[2], normal[2], at[2], 0, 0, 0, 1])
    vxsim.step(51)
    return compound(cmds.getAttr(device + ".stylusWorldTranslate"))


# The raw stylus is measured: not the desktop pointer it would drive, nor a damped lag.
cmds.vexelConfigurationCmd(toggleMouseEmulation=True)
cmds.setAttr(device + ".stylusDampingEnabled", False)
vxsim.step()
cmds.getAttr(device + ".centerFocalLength")  # the view's redraw takes the setting in
stylus_world((0.0, 0.0, 0.0))  # the filter lets go of the stylus's earlier poses

# The drawn stylus sits where the physical one is: touching the middle of the view, it
# is at the middle of the view's rectangle as the eye cameras see it in the world.
touching = stylus_world((0.0, 0.0, 0.0))
assert close(touching, tracker_to_world(display, root, centre)), (
    "stylus at %s, view centre at %s" % (touching, tracker_to_world(display, root, centre)))

cmds.setAttr(device + ".cameraScale", 2.0)
stylus_world((0.0, 0.0, 0.0))
start = stylus_world((0.0, 0.0, 0.0))
rig = world_matrix(root)
for axis, row in ((right_axis, 0), (up_axis, 1), (normal, 2)):
    moved = stylus_world([0.05 * a for a in axis])
    expected = [s + 5.0 * r for s, r in zip(start, rig[row][:3])]
    assert close(moved, expected), "stylus moved to %s, expected %s" % (moved, expected)
print("rig geometry: done")
