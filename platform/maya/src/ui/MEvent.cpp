#include <maya/MEvent.h>

namespace {

void ok(MStatus* status) {
    if (status)
        *status = MS::kSuccess;
}

}  // namespace

MEvent::MEvent() = default;
MEvent::~MEvent() = default;

MStatus MEvent::getPosition(short& x_pos, short& y_pos) const {
    x_pos = x_;
    y_pos = y_;
    return MS::kSuccess;
}

MStatus MEvent::setPosition(short x_pos, short y_pos) {
    x_ = x_pos;
    y_ = y_pos;
    return MS::kSuccess;
}

MStatus MEvent::getWindowPosition(short& x_pos, short& y_pos) const {
    x_pos = windowX_;
    y_pos = windowY_;
    return MS::kSuccess;
}

MEvent::MouseButtonType MEvent::mouseButton(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return button_;
}

bool MEvent::isModifierNone(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return modifiers_ == 0;
}

bool MEvent::isModifierShift(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return (modifiers_ & shiftKey) != 0;
}

bool MEvent::isModifierControl(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return (modifiers_ & controlKey) != 0;
}

bool MEvent::isModifierKeyRelease(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return keyRelease_;
}

bool MEvent::isModifierMiddleMouseButton(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return button_ == kMiddleMouse;
}

bool MEvent::isModifierLeftMouseButton(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return button_ == kLeftMouse;
}

MEvent::ModifierType MEvent::modifiers(MStatus* ReturnStatus) const {
    ok(ReturnStatus);
    return static_cast<ModifierType>(modifiers_);
}

MStatus MEvent::setModifiers(const ModifierType& modType) {
    modifiers_ = modType;
    return MS::kSuccess;
}
