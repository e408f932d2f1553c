#pragma once
// Base of the function sets: a function set is attached to an object whose type it
// supports. Function sets are not copyable.

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

class MFnBase {
public:
    MFnBase() = default;
    MFnBase(const MFnBase&) = delete;
    MFnBase& operator=(const MFnBase&) = delete;
    virtual ~MFnBase() = default;

    virtual MFn::Type type() const { return MFn::kBase; }
    bool hasObj(MFn::Type type) const { return object_.hasFn(type); }
    bool hasObj(const MObject& object) const { return object.hasFn(type()); }
    MObject object(MStatus* ReturnStatus = NULL) const;
    virtual MStatus setObject(MObject& object);
    virtual MStatus setObject(const MObject& object);

protected:
    // Attaches `object` if this function set supports it; reports through `status`.
    void attach(const MObject& object, MStatus* status);

    MObject object_;
};

// Maya's function set constructors, for sets whose objects are plain MObjects.
#define declareMFnConstructors(MFnClass)                            \
    MFnClass() = default;                                           \
    MFnClass(MObject& object, MStatus* ReturnStatus = NULL) {       \
        attach(object, ReturnStatus);                               \
    }                                                               \
    MFnClass(const MObject& object, MStatus* ReturnStatus = NULL) { \
        attach(object, ReturnStatus);                               \
    }
