# Tool contexts, views, manipulators, events.
foreach(source MEvent MCursor MToolsInfo MPxContext MPxContextCommand MPxToolCommand Contexts)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
