# Unloading a context command with its tool command named removes both, so the plug-in loads
# again; unloading one without naming it leaves the tool command registered, as Maya does,
# and the next load fails on it.
import maya.cmds as cmds

# The session loads the plug-in (-c).
PLUGIN = "toolRowsPlugin"
path = cmds.pluginInfo(PLUGIN, query=True, path=True)
assert all(cmds.exists(name) for name in
           ("rowsContext", "rowsToolCommand", "carelessContext", "carelessToolCommand"))

cmds.unloadPlugin(PLUGIN)
assert not cmds.exists("rowsContext") and not cmds.exists("rowsToolCommand")
assert not cmds.exists("carelessContext") and cmds.exists("carelessToolCommand")

try:
    cmds.loadPlugin(path)
    raise AssertionError("the careless tool command should have stopped the load")
except RuntimeError:
    pass
assert cmds.exists("rowsContext") and cmds.exists("rowsToolCommand"), "named pair came back"
assert not cmds.exists("carelessContext")
print("tool rows: done")
