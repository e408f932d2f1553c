#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MPoint.h>
#include <maya/MStatus.h>

class MPointArray {
public:
    MPointArray() = default;
    MPointArray(const MPointArray&) = default;
    MPointArray(const MPoint src[], unsigned int count);
    MPointArray(const double src[][4], unsigned int count);
    MPointArray(const float src[][4], unsigned int count);
    MPointArray(unsigned int initialSize, const MPoint& initialValue = MPoint::origin);
    ~MPointArray() = default;

    MPointArray& operator=(const MPointArray&) = default;
    const MPoint& operator[](unsigned int index) const { return items_[index]; }
    MPoint& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MPoint& element, unsigned int index);
    MStatus set(double element[4], unsigned int index);
    MStatus set(float element[4], unsigned int index);
    MStatus set(unsigned int index, double x, double y, double z = 0, double w = 1);
    MStatus append(double x, double y, double z = 0, double w = 1);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MPoint& element, unsigned int index);
    MStatus append(const MPoint& element);
    MStatus copy(const MPointArray& source);
    MStatus clear();
    MStatus get(double dest[][4]) const;
    MStatus get(float dest[][4]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MPointArray& array);

private:
    std::vector<MPoint> items_;
};
