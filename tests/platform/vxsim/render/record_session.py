"""vxsim.record and --record from a session: one frame per tick of the clock, relative paths
under --out, and mistakes that raise at the call while the session goes on."""

import os
import struct

import vxsim
from maya import cmds


def gif_frames(path):
    """(frame count, delays in hundredths) of a GIF file."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:6] == b"GIF89a", path
    pos = 13
    if data[10] & 0x80:
        pos += 3 * (2 << (data[10] & 7))
    frames, delays = 0, []

    def skip_sub_blocks(pos):
        while data[pos]:
            pos += data[pos] + 1
        return pos + 1

    while data[pos] != 0x3B:
        block = data[pos]
        if block == 0x21:
            if data[pos + 1] == 0xF9:
                delays.append(struct.unpack("<H", data[pos + 4 : pos + 6])[0])
            pos = skip_sub_blocks(pos + 2)
        elif block == 0x2C:
            frames += 1
            flags = data[pos + 9]
            pos += 10 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
            pos = skip_sub_blocks(pos + 1)
        else:
            raise AssertionError("unexpected block %r in %s" % (block, path))
    return frames, delays


# --record began with the session: its first frame and one per 17 ms tick since.
vxsim.step(34)
started = vxsim.stop_recording()
assert started == os.path.join(vxsim.out_dir(), "startup.gif"), started
assert gif_frames(started)[0] == 3, gif_frames(started)
assert vxsim.stop_recording() is None

cmds.polyCube()
recorded = vxsim.record("clips/anaglyph.gif", eye="anaglyph")
assert recorded == os.path.join(vxsim.out_dir(), "clips/anaglyph.gif"), recorded
try:
    vxsim.record("second.gif")
    raise AssertionError("a second recording started")
except RuntimeError as error:
    assert "already recording" in str(error), error
vxsim.step(50)
assert vxsim.stop_recording() == recorded
frames, delays = gif_frames(recorded)
assert frames == 4 and delays == [2, 2, 2, 2], (frames, delays)

try:
    vxsim.record("eye.gif", eye="both")
    raise AssertionError("an unknown eye was accepted")
except ValueError as error:
    assert "'left', 'right', 'center' or 'anaglyph'" in str(error), error

blocker = os.path.join(vxsim.out_dir(), "a_file")
with open(blocker, "w") as f:
    f.write("not a folder")
try:
    vxsim.record(os.path.join(blocker, "clip.gif"))
    raise AssertionError("recorded into a file")
except RuntimeError as error:
    assert "cannot write" in str(error) and "clip.gif" in str(error), error
vxsim.step()
assert vxsim.stop_recording() is None
print("record session: done")
