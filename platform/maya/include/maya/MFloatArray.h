#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>

class MDoubleArray;

class MFloatArray {
public:
    MFloatArray() = default;
    MFloatArray(const MFloatArray&) = default;
    MFloatArray(const float src[], unsigned int count);
    MFloatArray(unsigned int initialSize, float initialValue = 0);
    MFloatArray(const double src[], unsigned int count);
    MFloatArray(const MDoubleArray& other);
    ~MFloatArray() = default;

    MFloatArray& operator=(const MFloatArray&) = default;
    float operator[](unsigned int index) const { return items_[index]; }
    float& operator[](unsigned int index) { return items_[index]; }

    MStatus set(float element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(float element, unsigned int index);
    MStatus append(float element);
    MStatus clear();
    MStatus copy(const MFloatArray& source);
    MStatus get(float array[]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MFloatArray& array);

private:
    std::vector<float> items_;
};
