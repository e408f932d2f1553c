#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MFloatPoint.h>
#include <maya/MStatus.h>

class MFloatPointArray {
public:
    MFloatPointArray() = default;
    MFloatPointArray(const MFloatPointArray&) = default;
    MFloatPointArray(const MFloatPoint src[], unsigned int count);
    MFloatPointArray(const double src[][4], unsigned int count);
    MFloatPointArray(const float src[][4], unsigned int count);
    MFloatPointArray(unsigned int initialSize,
                     const MFloatPoint& initialValue = MFloatPoint::origin);
    ~MFloatPointArray() = default;

    MFloatPointArray& operator=(const MFloatPointArray&) = default;
    const MFloatPoint& operator[](unsigned int index) const { return items_[index]; }
    MFloatPoint& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MFloatPoint& element, unsigned int index);
    MStatus set(double element[4], unsigned int index);
    MStatus set(float element[4], unsigned int index);
    MStatus set(unsigned int index, float x, float y, float z = 0, float w = 1);
    MStatus append(float x, float y, float z = 0, float w = 1);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MFloatPoint& element, unsigned int index);
    MStatus append(const MFloatPoint& element);
    MStatus copy(const MFloatPointArray& source);
    MStatus clear();
    MStatus get(double dest[][4]) const;
    MStatus get(float dest[][4]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MFloatPointArray& array);

private:
    std::vector<MFloatPoint> items_;
};
