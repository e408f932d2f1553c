# Tool contexts, views, manipulators, events, images.
foreach(source MEvent MCursor MToolsInfo MPxContext MPxContextCommand MPxToolCommand Contexts
        MPxManipContainer MFnManip3D Views M3dView DrawPass ViewGL BitmapFont MImage)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
# The user-interface state the tools' menus toggle.
list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/UiStateCommands.cpp")
# The view registry creates its windows on the host's virtual desktop; the views draw with
# Mesa's offscreen OpenGL; MImage reads PNG files.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VX_VIEW_GL REQUIRED IMPORTED_TARGET osmesa)
find_package(PNG REQUIRED)
list(APPEND VX_MAYA_OPENMAYA_LIBS win32_host PkgConfig::VX_VIEW_GL PNG::PNG)
