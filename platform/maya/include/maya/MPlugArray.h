#pragma once

#include <vector>

#include <maya/MPlug.h>
#include <maya/MStatus.h>

class MPlugArray {
public:
    MPlugArray() = default;
    MPlugArray(const MPlugArray&) = default;
    MPlugArray(unsigned int initializeSize, const MPlug& initialValue);
    MPlugArray(const MPlug src[], unsigned int count);
    ~MPlugArray() = default;

    MPlugArray& operator=(const MPlugArray&) = default;
    const MPlug& operator[](unsigned int index) const { return items_[index]; }
    MPlug& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MPlug& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MPlug& element, unsigned int index);
    MStatus append(const MPlug& element);
    MStatus clear();
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

private:
    std::vector<MPlug> items_;
};
