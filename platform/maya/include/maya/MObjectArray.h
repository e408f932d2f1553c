#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MObject.h>
#include <maya/MStatus.h>

class MObjectArray {
public:
    MObjectArray() = default;
    MObjectArray(const MObjectArray&) = default;
    MObjectArray(unsigned int initialSize, const MObject& initialValue = MObject::kNullObj);
    MObjectArray(const MObject src[], unsigned int count);
    ~MObjectArray() = default;

    MObjectArray& operator=(const MObjectArray&) = default;
    const MObject& operator[](unsigned int index) const { return items_[index]; }
    MObject& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MObject& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MObject& element, unsigned int index);
    MStatus append(const MObject& element);
    MStatus copy(const MObjectArray& source);
    MStatus clear();
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

private:
    std::vector<MObject> items_;
};
