#pragma once
// A component: elements of a shape picked by index (vertices, edges, faces, curve CVs) or by
// (u, v) (surface CVs). Each element is held once, in the order it was added; a complete
// component stands for every element of a shape of the given size without listing them.

#include <cstdint>
#include <memory>
#include <vector>

#include <maya/MFn.h>

#include "mayasim/DgObject.h"

namespace mayasim {

class Component : public Object {
public:
    explicit Component(MFn::Type type, bool doubleIndexed = false)
        : componentType(type), doubleIndexed(doubleIndexed) {}

    MFn::Type apiType() const override { return componentType; }
    bool hasFn(MFn::Type type) const override;

    // Adds an element unless it is there already; false for a repeat or a negative index.
    bool add(int u, int v = 0);
    bool contains(int u, int v = 0) const;
    // The number of elements, a complete component's included.
    size_t size() const;
    // Element i (O(1)): its index, or its (u, v).
    int index(size_t i) const;
    void uv(size_t i, int& u, int& v) const;
    // Every element: indices, or u, v pairs one after the other.
    std::vector<int> resolved() const;
    // Every element once, ascending: the index, or u in the high and v in the low half.
    std::vector<int64_t> sortedKeys() const;
    static int64_t doubleKey(int u, int v) {
        return (static_cast<int64_t>(u) << 32) | static_cast<uint32_t>(v);
    }
    static int keyU(int64_t key) { return static_cast<int>(key >> 32); }
    static int keyV(int64_t key) { return static_cast<int>(key & 0xffffffff); }
    // A component of `type` with the elements of ascending unique `keys`.
    static std::shared_ptr<Component> fromSortedKeys(MFn::Type type, bool doubleIndexed,
                                                     const std::vector<int64_t>& keys);
    std::shared_ptr<Component> copy() const;

    MFn::Type componentType;
    bool doubleIndexed;
    // Indices, or u, v pairs. Add through add() so that each element stays once.
    std::vector<int> elements;
    bool complete = false;
    int completeCount = 0;   // complete: the element count, or the count along u
    int completeCountV = 0;  // complete double-indexed: the count along v

private:
    // Membership, one bit per (u, v) (one row for single-indexed components); rebuilt when
    // `elements` was filled without add().
    void syncMembers() const;
    bool member(int u, int v) const;
    void mark(int u, int v) const;

    mutable std::vector<std::vector<uint64_t>> members_;
    mutable size_t membersCounted_ = 0;
};

}  // namespace mayasim
