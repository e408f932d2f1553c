# A session that fails inside a function of its own: the error names this file and the
# line that failed (7), not the line that called the function.
import maya.cmds as cmds


def helper():
    cmds.noSuchCommandAnywhere()


helper()
