#include "dg/Component.h"

#include <algorithm>
#include <functional>

namespace mayasim {

bool Component::hasFn(MFn::Type type) const {
    const bool mesh = componentType == MFn::kMeshVertComponent ||
                      componentType == MFn::kMeshEdgeComponent ||
                      componentType == MFn::kMeshPolygonComponent;
    return type == MFn::kComponent || (mesh && type == MFn::kMeshComponent) ||
           type == (doubleIndexed ? MFn::kDoubleIndexedComponent : MFn::kSingleIndexedComponent) ||
           Object::hasFn(type);
}

bool Component::member(int u, int v) const {
    const size_t row = static_cast<size_t>(u);
    const size_t word = static_cast<size_t>(v) / 64;
    return row < members_.size() && word < members_[row].size() &&
           (members_[row][word] >> (static_cast<size_t>(v) % 64) & 1) != 0;
}

void Component::mark(int u, int v) const {
    const size_t row = static_cast<size_t>(u);
    const size_t word = static_cast<size_t>(v) / 64;
    if (row >= members_.size())
        members_.resize(row + 1);
    if (word >= members_[row].size())
        members_[row].resize(word + 1, 0);
    members_[row][word] |= uint64_t{1} << (static_cast<size_t>(v) % 64);
}

void Component::syncMembers() const {
    if (membersCounted_ == elements.size())
        return;
    members_.clear();
    const size_t step = doubleIndexed ? 2 : 1;
    for (size_t i = 0; i + step <= elements.size(); i += step) {
        if (doubleIndexed) {
            mark(elements[i], elements[i + 1]);
        } else {
            mark(0, elements[i]);
        }
    }
    membersCounted_ = elements.size();
}

bool Component::add(int u, int v) {
    if (u < 0 || v < 0 || complete)
        return false;
    const int row = doubleIndexed ? u : 0;
    const int bit = doubleIndexed ? v : u;
    syncMembers();
    if (member(row, bit))
        return false;
    mark(row, bit);
    elements.push_back(u);
    if (doubleIndexed)
        elements.push_back(v);
    membersCounted_ = elements.size();
    return true;
}

bool Component::contains(int u, int v) const {
    if (u < 0 || v < 0)
        return false;
    if (complete) {
        return doubleIndexed ? u < completeCount && v < completeCountV : u < completeCount;
    }
    syncMembers();
    return doubleIndexed ? member(u, v) : member(0, u);
}

size_t Component::size() const {
    if (complete) {
        return doubleIndexed ? static_cast<size_t>(completeCount) * completeCountV
                             : static_cast<size_t>(completeCount);
    }
    return doubleIndexed ? elements.size() / 2 : elements.size();
}

int Component::index(size_t i) const {
    return complete ? static_cast<int>(i) : elements[i];
}

void Component::uv(size_t i, int& u, int& v) const {
    if (complete) {
        u = static_cast<int>(i / static_cast<size_t>(completeCountV));
        v = static_cast<int>(i % static_cast<size_t>(completeCountV));
    } else {
        u = elements[2 * i];
        v = elements[2 * i + 1];
    }
}

std::vector<int> Component::resolved() const {
    if (!complete)
        return elements;
    std::vector<int> all;
    all.reserve(doubleIndexed ? 2 * size() : size());
    for (size_t i = 0; i < size(); ++i) {
        if (doubleIndexed) {
            int u = 0, v = 0;
            uv(i, u, v);
            all.push_back(u);
            all.push_back(v);
        } else {
            all.push_back(static_cast<int>(i));
        }
    }
    return all;
}

std::vector<int64_t> Component::sortedKeys() const {
    std::vector<int64_t> keys;
    keys.reserve(size());
    for (size_t i = 0; i < size(); ++i) {
        if (doubleIndexed) {
            int u = 0, v = 0;
            uv(i, u, v);
            keys.push_back(doubleKey(u, v));
        } else {
            keys.push_back(index(i));
        }
    }
    // Components are mostly built in ascending order: sorting is the exception.
    const bool ascending =
        std::adjacent_find(keys.begin(), keys.end(), std::greater_equal<int64_t>()) == keys.end();
    if (!ascending) {
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    }
    return keys;
}

std::shared_ptr<Component> Component::fromSortedKeys(MFn::Type type, bool doubleIndexed,
                                                     const std::vector<int64_t>& keys) {
    auto component = std::make_shared<Component>(type, doubleIndexed);
    component->elements.reserve(doubleIndexed ? 2 * keys.size() : keys.size());
    for (int64_t key : keys) {
        if (doubleIndexed) {
            component->elements.push_back(keyU(key));
            component->elements.push_back(keyV(key));
        } else {
            component->elements.push_back(static_cast<int>(key));
        }
    }
    return component;
}

std::shared_ptr<Component> Component::copy() const {
    auto twin = std::make_shared<Component>(componentType, doubleIndexed);
    twin->elements = elements;
    twin->complete = complete;
    twin->completeCount = completeCount;
    twin->completeCountV = completeCountV;
    return twin;
}

}  // namespace mayasim
