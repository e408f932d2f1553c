"""vxsim.render from a session: where files land, eye names, and that the scene shows."""

import os
import struct

import vxsim
from maya import cmds


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    assert header[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", header[16:24])


empty = vxsim.render("renders/empty.png")
assert empty == os.path.join(vxsim.out_dir(), "renders/empty.png"), empty
width, height = png_size(empty)
assert width > 100 and height > 100, (width, height)

try:
    vxsim.render("bad.png", eye="top")
    raise AssertionError("an unknown eye was accepted")
except ValueError as error:
    assert "'left', 'right', 'center' or 'anaglyph'" in str(error), error
assert not os.path.exists(os.path.join(vxsim.out_dir(), "bad.png"))

cmds.polyCube()
with_cube = vxsim.render(os.path.join(vxsim.out_dir(), "cube.png"), eye="center")
assert png_size(with_cube) == (width, height)
with open(empty, "rb") as a, open(with_cube, "rb") as b:
    assert a.read() != b.read(), "the cube does not show"

# The default camera is in no stereo rig, so every eye sees what the centre sees.
anaglyph = vxsim.render("anaglyph.png", eye="anaglyph")
with open(anaglyph, "rb") as a, open(with_cube, "rb") as b:
    assert a.read() == b.read(), "a camera outside a rig gave different eyes"
print("render session: done")
