#pragma once
// The shared behaviour of Maya's plain arrays, kept in one place so the array classes stay
// thin wrappers around a std::vector.

#include <ostream>
#include <vector>

#include <maya/MStatus.h>

namespace mayasim::arrays {

template <typename T, typename U>
std::vector<T> fromRange(const U* src, unsigned int count) {
    std::vector<T> items;
    if (src) {
        items.reserve(count);
        for (unsigned int i = 0; i < count; ++i)
            items.push_back(static_cast<T>(src[i]));
    }
    return items;
}

template <typename T>
MStatus set(std::vector<T>& items, const T& element, unsigned int index) {
    if (index >= items.size())
        return MStatus::kInvalidParameter;
    items[index] = element;
    return MStatus::kSuccess;
}

template <typename T>
MStatus remove(std::vector<T>& items, unsigned int index) {
    if (index >= items.size())
        return MStatus::kInvalidParameter;
    items.erase(items.begin() + index);
    return MStatus::kSuccess;
}

template <typename T>
MStatus insert(std::vector<T>& items, const T& element, unsigned int index) {
    if (index > items.size())
        return MStatus::kInvalidParameter;
    items.insert(items.begin() + index, element);
    return MStatus::kSuccess;
}

template <typename T>
MStatus get(const std::vector<T>& items, T* dest) {
    if (!dest)
        return MStatus::kInvalidParameter;
    for (size_t i = 0; i < items.size(); ++i)
        dest[i] = items[i];
    return MStatus::kSuccess;
}

template <typename T>
std::ostream& print(std::ostream& out, const std::vector<T>& items) {
    out << "[";
    for (size_t i = 0; i < items.size(); ++i)
        out << (i ? ", " : "") << items[i];
    return out << "]";
}

}  // namespace mayasim::arrays
