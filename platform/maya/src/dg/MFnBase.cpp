#include <maya/MFnBase.h>

MObject MFnBase::object(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = object_.isNull() ? MStatus::kFailure : MStatus::kSuccess;
    return object_;
}

MStatus MFnBase::setObject(MObject& object) {
    return setObject(static_cast<const MObject&>(object));
}

MStatus MFnBase::setObject(const MObject& object) {
    MStatus status;
    attach(object, &status);
    return status;
}

void MFnBase::attach(const MObject& object, MStatus* status) {
    const bool fits = !object.isNull() && object.hasFn(type());
    object_ = fits ? object : MObject();
    if (status)
        *status = fits ? MStatus::kSuccess : MStatus::kInvalidParameter;
}
