#pragma once
// The base of every object an MObject can refer to, and the bridge between handles and
// objects. Other areas of the stand-in derive from Object for objects of their own (a
// plug-in's MObject, for instance).

#include <memory>

#include <maya/MFn.h>
#include <maya/MObject.h>

namespace mayasim {

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual MFn::Type apiType() const = 0;
    // Whether a function set for `type` works on this object: the object's own type,
    // the types it derives from, and kBase.
    virtual bool hasFn(MFn::Type type) const { return type == MFn::kBase || type == apiType(); }
};

struct ObjectAccess {
    static MObject wrap(std::shared_ptr<Object> object) {
        MObject handle;
        handle.object_ = std::move(object);
        return handle;
    }
    static Object* get(const MObject& handle) { return handle.object_.get(); }
    static std::shared_ptr<Object> share(const MObject& handle) { return handle.object_; }

    // The object as T, or null when it is something else.
    template <typename T>
    static T* as(const MObject& handle) {
        return dynamic_cast<T*>(handle.object_.get());
    }
};

}  // namespace mayasim
