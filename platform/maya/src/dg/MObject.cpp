#include <maya/MObject.h>
#include <maya/MObjectArray.h>

#include "dg/TypeNames.h"
#include "mayasim/DgObject.h"

MObject MObject::kNullObj;

bool MObject::hasFn(MFn::Type type) const {
    return object_ && object_->hasFn(type);
}

bool MObject::isNull() const {
    return !object_;
}

MFn::Type MObject::apiType() const {
    return object_ ? object_->apiType() : MFn::kInvalid;
}

const char* MObject::apiTypeStr() const {
    return mayasim::apiTypeName(apiType());
}

MObjectArray::MObjectArray(unsigned int initialSize, const MObject& initialValue)
    : items_(initialSize, initialValue) {}

MObjectArray::MObjectArray(const MObject src[], unsigned int count) : items_(src, src + count) {}

MStatus MObjectArray::set(const MObject& element, unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_[index] = element;
    return MStatus::kSuccess;
}

MStatus MObjectArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MObjectArray::remove(unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_.erase(items_.begin() + index);
    return MStatus::kSuccess;
}

MStatus MObjectArray::insert(const MObject& element, unsigned int index) {
    if (index > items_.size())
        return MStatus::kInvalidParameter;
    items_.insert(items_.begin() + index, element);
    return MStatus::kSuccess;
}

MStatus MObjectArray::append(const MObject& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MObjectArray::copy(const MObjectArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MObjectArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}
