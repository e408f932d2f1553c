#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>

class MFloatArray;

class MDoubleArray {
public:
    MDoubleArray() = default;
    MDoubleArray(const MDoubleArray&) = default;
    MDoubleArray(const double src[], unsigned int count);
    MDoubleArray(unsigned int initialSize, double initialValue = 0);
    MDoubleArray(const float src[], unsigned int count);
    MDoubleArray(const MFloatArray& other);
    ~MDoubleArray() = default;

    MDoubleArray& operator=(const MDoubleArray&) = default;
    double operator[](unsigned int index) const { return items_[index]; }
    double& operator[](unsigned int index) { return items_[index]; }

    MStatus set(double element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(double element, unsigned int index);
    MStatus append(double element);
    MStatus clear();
    MStatus copy(const MDoubleArray& source);
    MStatus get(double array[]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MDoubleArray& array);

private:
    std::vector<double> items_;
};
