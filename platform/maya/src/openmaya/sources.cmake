# Commands, MEL, MGlobal, plug-in loading, messages.
foreach(source
        Value CommandEngine CommandTable UndoQueue MelParser MelInterpreter BuiltinCommands Plugins
        MSyntax MArgList MArgParser MArgDatabase MPxCommand MGlobal MSelectionMask SelectionModes
        MFnPlugin MMessage MCallbackIdArray FileCommand MessageCommands UndoCommands
        PreferenceCommands)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
