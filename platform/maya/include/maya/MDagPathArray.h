#pragma once

#include <vector>

#include <maya/MDagPath.h>
#include <maya/MStatus.h>

class MDagPathArray {
public:
    MDagPathArray() = default;
    MDagPathArray(const MDagPathArray&) = default;
    MDagPathArray(unsigned int initializeSize, const MDagPath& initialValue = MDagPath());
    ~MDagPathArray() = default;

    MDagPathArray& operator=(const MDagPathArray&) = default;
    const MDagPath& operator[](unsigned int index) const { return items_[index]; }
    MDagPath& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MDagPath& element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MDagPath& element, unsigned int index);
    MStatus append(const MDagPath& element);
    MStatus clear();
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

private:
    std::vector<MDagPath> items_;
};
