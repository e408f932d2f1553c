#pragma once
// A pointer event given to a tool context: position in view coordinates (origin at the
// lower left), the button and the modifier keys.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace mayasim {
struct EventAccess;
}

class MEvent {
public:
    enum MouseButtonType { kLeftMouse = (1 << 6), kMiddleMouse = (1 << 7) };
    enum ModifierType { shiftKey = (1 << 0), controlKey = (1 << 2) };

    MEvent();
    virtual ~MEvent();

    MStatus getPosition(short& x_pos, short& y_pos) const;
    MStatus setPosition(short x_pos, short y_pos);
    MStatus getWindowPosition(short& x_pos, short& y_pos) const;
    MouseButtonType mouseButton(MStatus* ReturnStatus = NULL) const;
    bool isModifierNone(MStatus* ReturnStatus = NULL) const;
    bool isModifierShift(MStatus* ReturnStatus = NULL) const;
    bool isModifierControl(MStatus* ReturnStatus = NULL) const;
    bool isModifierKeyRelease(MStatus* ReturnStatus = NULL) const;
    bool isModifierMiddleMouseButton(MStatus* ReturnStatus = NULL) const;
    bool isModifierLeftMouseButton(MStatus* ReturnStatus = NULL) const;
    ModifierType modifiers(MStatus* ReturnStatus = NULL) const;
    MStatus setModifiers(const ModifierType& modType);

private:
    friend struct mayasim::EventAccess;
    short x_ = 0;
    short y_ = 0;
    short windowX_ = 0;
    short windowY_ = 0;
    MouseButtonType button_ = kLeftMouse;
    int modifiers_ = 0;
    bool keyRelease_ = false;
};
