# MayaPython: the embedded interpreter, maya.cmds and the command engine's Python runner.
list(APPEND VX_MAYA_PYTHON_SOURCES
     "${CMAKE_CURRENT_LIST_DIR}/PythonHost.cpp"
     "${CMAKE_CURRENT_LIST_DIR}/PythonValue.cpp"
     "${CMAKE_CURRENT_LIST_DIR}/MayaSimModule.cpp")

# The Python modules under modules/ are compiled into the library, so the host needs no
# files beside it. Each entry: module name | is a package | file.
set(_vx_py_dir "${CMAKE_CURRENT_LIST_DIR}/modules")
set(_vx_py_modules
    "maya|true|maya/__init__.py"
    "maya.cmds|false|maya/cmds.py"
    "maya.mel|false|maya/mel.py"
    "maya.app|true|maya/app/__init__.py"
    "maya.app.stereo|true|maya/app/stereo/__init__.py"
    "maya.app.stereo.stereoCameraRig|false|maya/app/stereo/stereoCameraRig.py")
set(VX_PY_MODULE_TABLE "")
foreach(_vx_entry IN LISTS _vx_py_modules)
    string(REPLACE "|" ";" _vx_fields "${_vx_entry}")
    list(GET _vx_fields 0 _vx_name)
    list(GET _vx_fields 1 _vx_package)
    list(GET _vx_fields 2 _vx_file)
    file(READ "${_vx_py_dir}/${_vx_file}" _vx_text)
    string(APPEND VX_PY_MODULE_TABLE
           "        {\"${_vx_name}\", ${_vx_package}, R\"vxpy(${_vx_text})vxpy\"},\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_vx_py_dir}/${_vx_file}")
endforeach()
file(READ "${_vx_py_dir}/bootstrap.py" VX_PY_BOOTSTRAP)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_vx_py_dir}/bootstrap.py")
configure_file("${CMAKE_CURRENT_LIST_DIR}/EmbeddedModules.cpp.in"
               "${CMAKE_CURRENT_BINARY_DIR}/python/EmbeddedModules.cpp" @ONLY)
list(APPEND VX_MAYA_PYTHON_SOURCES "${CMAKE_CURRENT_BINARY_DIR}/python/EmbeddedModules.cpp")
