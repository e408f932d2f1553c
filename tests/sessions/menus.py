# The main window's menus: built with menu/menuItem, chosen through vxsim, deleted with deleteUI.
import maya.cmds as cmds
import vxsim

assert cmds.menu("testMenu", label="Test", parent="MayaWindow") == "MayaWindow|testMenu"
assert cmds.menu("testMenu", exists=True)
cmds.menuItem(label="Set flag", command="chosen = 'python'")
cmds.menuItem(divider=True)
cmds.menuItem("melItem", label="MEL item", command='python "chosenByMel = 1"', sourceType="mel")
assert cmds.menu("testMenu", query=True, numberOfItems=True) == 3
assert cmds.menuItem("melItem", query=True, sourceType=True) == "mel"
assert vxsim.menus() == {"Test": ["Set flag", "MEL item"]}, vxsim.menus()

vxsim.choose_menu_item("Test", "Set flag")
assert chosen == "python"
vxsim.choose_menu_item("testMenu", "melItem")
assert chosenByMel == 1

for attempt in (lambda: cmds.menu("testMenu"), lambda: cmds.menu("x", parent="noWindow"),
                lambda: vxsim.choose_menu_item("Test", "No such item")):
    try:
        attempt()
        raise AssertionError("taken")
    except RuntimeError:
        pass

cmds.deleteUI("testMenu", menu=True)
assert not cmds.menu("testMenu", exists=True) and not cmds.menuItem("melItem", exists=True)
try:
    cmds.deleteUI("testMenu")
    raise AssertionError("deleted twice")
except RuntimeError as error:
    assert "Object 'testMenu' not found." in str(error)
