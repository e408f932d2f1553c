#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>

class MUintArray {
public:
    MUintArray() = default;
    MUintArray(const MUintArray&) = default;
    MUintArray(const unsigned int src[], unsigned int count);
    MUintArray(unsigned int initialSize, unsigned int initialValue = 0);
    ~MUintArray() = default;

    MUintArray& operator=(const MUintArray&) = default;
    unsigned int operator[](unsigned int index) const { return items_[index]; }
    unsigned int& operator[](unsigned int index) { return items_[index]; }

    MStatus set(unsigned int element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(unsigned int element, unsigned int index);
    MStatus append(unsigned int element);
    MStatus clear();
    MStatus copy(const MUintArray& source);
    MStatus get(unsigned int array[]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MUintArray& array);

private:
    std::vector<unsigned int> items_;
};
