#pragma once
// Function set for manipulators; its static members are the user's manipulator size
// preferences, which custom manipulators scale their handles by.

#include <maya/MFnTransform.h>

class MFnManip3D : public MFnTransform {
public:
    declareDagMFnConstructors(MFnManip3D)

        MFn::Type type() const override {
        return MFn::kManipulator3D;
    }

    //! The global manipulator scale (Maya's default 1.0).
    static float globalSize();
    static void setGlobalSize(float size);
    //! The handle size in pixels (Maya's default 30.0).
    static float handleSize();
    static void setHandleSize(float size);
};
