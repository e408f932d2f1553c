#pragma once
// A handle to anything the scene owns: a node, an attribute, a data block, a component.
// Copies refer to the same object; two handles are equal when they refer to the same one.

#include <memory>

#include <maya/MFn.h>

namespace mayasim {
class Object;
struct ObjectAccess;
}  // namespace mayasim

class MObject {
public:
    MObject() = default;
    MObject(const MObject&) = default;
    ~MObject() = default;
    MObject& operator=(const MObject&) = default;

    bool hasFn(MFn::Type type) const;
    bool isNull() const;
    MFn::Type apiType() const;
    const char* apiTypeStr() const;

    bool operator==(const MObject& other) const { return object_ == other.object_; }
    bool operator!=(const MObject& other) const { return object_ != other.object_; }

    static MObject kNullObj;

private:
    friend struct mayasim::ObjectAccess;
    std::shared_ptr<mayasim::Object> object_;
};
