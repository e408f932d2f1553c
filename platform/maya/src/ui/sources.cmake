# Tool contexts, views, manipulators, events.
foreach(source MEvent MCursor MToolsInfo MPxContext MPxContextCommand MPxToolCommand Contexts
        MPxManipContainer Views M3dView)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
# The user-interface state the tools' menus toggle.
list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/UiStateCommands.cpp")
# The view registry creates its windows on the host's virtual desktop.
list(APPEND VX_MAYA_OPENMAYA_LIBS win32_host)
