#pragma once
// Tells the tool settings window that the current tool's properties changed.

class MPxContext;

class MToolsInfo {
public:
    static void setDirtyFlag(const MPxContext& context);
    static void resetDirtyFlag();
    static bool isDirty();
};
