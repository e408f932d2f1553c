#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MMessage.h>
#include <maya/MStatus.h>

class MCallbackIdArray {
public:
    MCallbackIdArray() = default;
    MCallbackIdArray(const MCallbackIdArray&) = default;
    MCallbackIdArray(const MCallbackId src[], unsigned int count);
    MCallbackIdArray(unsigned int initialSize, MCallbackId initialValue = 0);
    ~MCallbackIdArray() = default;

    MCallbackIdArray& operator=(const MCallbackIdArray&) = default;
    MCallbackId operator[](unsigned int index) const { return items_[index]; }
    MCallbackId& operator[](unsigned int index) { return items_[index]; }

    MStatus set(MCallbackId element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(MCallbackId element, unsigned int index);
    MStatus append(MCallbackId element);
    MStatus clear();
    MStatus copy(const MCallbackIdArray& source);

private:
    std::vector<MCallbackId> items_;
};
