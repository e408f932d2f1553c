"""The plug-in's load and unload steps, observed from outside through vxsim sessions.

Each case runs its own vxsim process: a refused registration leaves the plug-in half
registered, and the process environment is part of what is checked.
"""

import os
import shutil
import subprocess
import textwrap

import pytest

VXSIM = os.environ["VXSIM"]
STAGE = os.environ["VX_STAGE"]
PLUGIN = os.path.join(STAGE, "maya", "plug-ins", "VXMayaPlugin.so")

# What initializePlugin registers, in order, with the message a refusal prints; the UI
# comes after the tracker thread has started.
REGISTRATIONS = [
    ("node", "vexelDevice", "registerNode vexelDevice failed"),
    ("command", "vexelStereoFocus", "vexelStereoFocus"),
    ("command", "vexelStereoFixZoom", "vexelStereoFixZoom"),
    ("command", "vexelConfigurationCmd", "Failed to register command vexelConfigurationCmd."),
    ("ui", "vexelMenu", "registerUIScripts"),
]


def run_session(tmp_path, script, args=(), env=None):
    path = tmp_path / "session.py"
    path.write_text(textwrap.dedent(script))
    journal = tmp_path / "journal.mel"
    result = subprocess.run([VXSIM, "--journal", str(journal), *args, str(path)],
                            capture_output=True, text=True, env=env, timeout=120)
    result.journal = journal.read_text() if journal.exists() else ""
    return result


def registered(kind, name):
    if kind == "node":
        return "bool(cmds.nodeType(%r, isTypeName=True))" % name
    if kind == "command":
        return "hasattr(cmds, %r)" % name
    return "bool(cmds.menu(%r, exists=True))" % name


def test_load_and_unload_twice_in_one_process(tmp_path):
    result = run_session(tmp_path, """
        import maya.cmds as cmds, vxsim
        for round in range(2):
            cmds.loadPlugin("VXMayaPlugin")
            vxsim.step(100)
            assert vxsim.threads() == 1, "tracker thread running"
            cmds.unloadPlugin("VXMayaPlugin")
            assert vxsim.threads() == 0, "tracker thread stopped"
            assert not hasattr(cmds, "vexelConfigurationCmd")
        assert vxsim.messages() == [], vxsim.messages()
        print("twice: done")
    """)
    assert result.returncode == 0, result.stderr
    assert "twice: done" in result.stdout


PATH_SCRIPT = """
    import ctypes, maya.cmds as cmds
    getenv = ctypes.CDLL(None).getenv
    getenv.restype = ctypes.c_char_p
    cmds.loadPlugin(%r)
    print("PATH=" + getenv(b"PATH").decode())
""" % PLUGIN


@pytest.mark.parametrize("current", [None, "", "/usr/local/bin:/usr/bin"])
def test_maker_libraries_go_first_on_path(tmp_path, current):
    env = dict(os.environ)
    env.pop("PATH", None)
    if current is not None:
        env["PATH"] = current
    result = run_session(tmp_path, PATH_SCRIPT, env=env)
    assert result.returncode == 0, result.stderr
    expected = "PATH=" + PLUGIN + "/../../../Bin;" + (current or "")
    assert expected + "\n" in result.stdout


def staged_copy(tmp_path, with_stereo_camera):
    """A copy of the install tree, optionally with Maya's stereo camera plug-in beside ours."""
    stage = tmp_path / "stage"
    shutil.copytree(STAGE, stage)
    plugins = stage / "maya" / "plug-ins"
    if with_stereo_camera:
        (plugins / "stereoCamera.mll").write_bytes(b"")
    return plugins


@pytest.mark.parametrize("beside", [False, True])
def test_stereo_camera_plugin_beside_ours_wins(tmp_path, beside):
    plugins = staged_copy(tmp_path, beside)
    result = run_session(tmp_path, """
        import maya.cmds as cmds
        cmds.loadPlugin(%r)
    """ % str(plugins / "VXMayaPlugin.so"))
    # Loading goes on whichever stereo camera plug-in loads; the journal shows the choice.
    assert result.returncode == 0, result.stderr
    chosen = ('loadPlugin -quiet "%s/stereoCamera";' % plugins) if beside else \
        'loadPlugin -quiet "stereoCamera";'
    lines = result.journal.splitlines()
    assert any(line.startswith("if (`file -q -ex \"%s/stereoCamera.mll\"`)" % plugins)
               for line in lines), result.journal
    assert chosen in result.journal


@pytest.mark.parametrize("refused", range(1, len(REGISTRATIONS) + 1))
def test_refused_registration_stops_loading_there(tmp_path, refused):
    checks = ", ".join(registered(kind, name) for kind, name, _ in REGISTRATIONS)
    result = run_session(tmp_path, """
        import maya.cmds as cmds, vxsim
        try:
            cmds.loadPlugin("VXMayaPlugin")
        except RuntimeError as error:
            print("load failed: %%s" %% error)
        print("registered:", [%s])
        print("threads:", vxsim.threads())
    """ % checks, args=["--refuse-registration", str(refused)])
    assert "load failed" in result.stdout, result.stdout + result.stderr
    expected = [i < refused - 1 for i in range(len(REGISTRATIONS))]
    assert "registered: %s" % expected in result.stdout, result.stdout
    # The tracker thread starts after every node and command is registered, before the UI.
    started = refused > len(REGISTRATIONS) - 1
    assert "threads: %d" % int(started) in result.stdout, result.stdout
    assert REGISTRATIONS[refused - 1][2] + ":" in result.stderr, result.stderr


def test_exit_hook_removes_the_menu(tmp_path):
    result = run_session(tmp_path, """
        import maya.cmds as cmds, vxsim
        cmds.loadPlugin("VXMayaPlugin")
        assert cmds.menu("vexelMenu", exists=True)
        vxsim.scene_message(27)  # Maya is exiting
        assert not cmds.menu("vexelMenu", exists=True)
        assert cmds.pluginInfo("VXMayaPlugin", query=True, loaded=True)
        print("exit hook: done")
    """)
    assert result.returncode == 0, result.stderr
    assert "exit hook: done" in result.stdout
