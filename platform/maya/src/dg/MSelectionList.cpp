#include <maya/MSelectionList.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <unordered_map>

#include <maya/MItSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/ComponentNames.h"
#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/SceneState.h"
#include "mayasim/SelectionAccess.h"

using mayasim::Component;
using mayasim::ObjectAccess;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

const Component* componentOf(const MObject& component) {
    return ObjectAccess::as<Component>(component);
}

MFn::Type componentTypeOf(const MObject& component) {
    const Component* parts = componentOf(component);
    return parts ? parts->componentType : MFn::kInvalid;
}

bool wildcardMatch(const char* pattern, const char* text) {
    if (*pattern == '\0')
        return *text == '\0';
    if (*pattern == '*') {
        return wildcardMatch(pattern + 1, text) || (*text && wildcardMatch(pattern, text + 1));
    }
    if (*text && (*pattern == '?' || *pattern == *text))
        return wildcardMatch(pattern + 1, text + 1);
    return false;
}

// `merge` of ascending unique ranges per the strategy.
template <typename In, typename Out>
void combine(const In& mine, const In& theirs, MSelectionList::MergeStrategy strategy, Out to) {
    switch (strategy) {
        case MSelectionList::kMergeNormal:
            std::set_union(mine.begin(), mine.end(), theirs.begin(), theirs.end(), to);
            break;
        case MSelectionList::kXORWithList:
            std::set_symmetric_difference(mine.begin(), mine.end(), theirs.begin(), theirs.end(),
                                          to);
            break;
        case MSelectionList::kRemoveFromList:
            std::set_difference(mine.begin(), mine.end(), theirs.begin(), theirs.end(), to);
            break;
    }
}

bool ascendingIndices(const Component& component) {
    const auto& e = component.elements;
    return !component.doubleIndexed && !component.complete &&
           std::adjacent_find(e.begin(), e.end(), std::greater_equal<int>()) == e.end();
}

// The elements of `mine` after merging `theirs` into them, as a new component.
std::shared_ptr<Component> combined(const Component& mine, const Component& theirs,
                                    MSelectionList::MergeStrategy strategy) {
    // The usual case, ascending indices on both sides, merges without building keys.
    if (ascendingIndices(mine) && ascendingIndices(theirs)) {
        auto out = std::make_shared<Component>(mine.componentType);
        out->elements.reserve(mine.elements.size() + theirs.elements.size());
        combine(mine.elements, theirs.elements, strategy, std::back_inserter(out->elements));
        return out;
    }
    std::vector<int64_t> kept;
    combine(mine.sortedKeys(), theirs.sortedKeys(), strategy, std::back_inserter(kept));
    return Component::fromSortedKeys(mine.componentType, mine.doubleIndexed, kept);
}

// The list keeps components of its own, so that later edits of the caller's leave it alone.
MObject ownCopy(const MObject& component) {
    const Component* parts = componentOf(component);
    return parts ? ObjectAccess::wrap(parts->copy()) : component;
}

const void* identityOf(const MObject& object) {
    return ObjectAccess::get(object);
}

}  // namespace

// Items by the node they are about, so that merging long lists stays linear.
class MSelectionList::Index {
public:
    explicit Index(const std::vector<Item>& items) {
        positions_.reserve(items.size());
        for (size_t i = 0; i < items.size(); ++i)
            add(items[i], i);
    }
    void add(const Item& item, size_t position) { positions_.emplace(keyOf(item), position); }
    int find(const std::vector<Item>& items, const std::vector<bool>& gone,
             const Item& item) const {
        auto [first, last] = positions_.equal_range(keyOf(item));
        for (auto it = first; it != last; ++it) {
            if (!gone[it->second] && items[it->second].sameTarget(item))
                return static_cast<int>(it->second);
        }
        return -1;
    }

private:
    static const void* keyOf(const Item& item) {
        return identityOf(item.isPlug ? item.plug.node() : item.node);
    }
    std::unordered_multimap<const void*, size_t> positions_;
};

bool MSelectionList::Item::sameTarget(const Item& other) const {
    if (isDag != other.isDag || isPlug != other.isPlug)
        return false;
    if (isPlug)
        return plug == other.plug;
    if (isDag) {
        return path == other.path && componentTypeOf(component) == componentTypeOf(other.component);
    }
    return node == other.node;
}

MSelectionList::Item MSelectionList::dagItem(const MDagPath& path, const MObject& component) {
    Item item;
    item.isDag = true;
    item.path = path;
    // Components belong to the shape: one given with its transform's path is listed (and
    // merged, and named) with the shape's, whichever path the caller had at hand.
    if (!component.isNull() && !path.node().hasFn(MFn::kShape))
        item.path.extendToShape();
    item.component = component;
    item.node = path.node();
    return item;
}

int MSelectionList::find(const Item& item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].sameTarget(item))
            return static_cast<int>(i);
    }
    return -1;
}

bool MSelectionList::mergeInto(int at, const Item& item, MergeStrategy strategy) {
    Item& existing = items_[static_cast<size_t>(at)];
    const Component* theirs = componentOf(item.component);
    if (!theirs)
        return strategy == kMergeNormal;
    std::shared_ptr<Component> kept = combined(*componentOf(existing.component), *theirs, strategy);
    if (kept->size() == 0)
        return false;
    existing.component = ObjectAccess::wrap(kept);
    return true;
}

void MSelectionList::mergeItem(const Item& item, MergeStrategy strategy) {
    const int at = find(item);
    if (at < 0) {
        if (strategy != kRemoveFromList)
            append(item, false);
    } else if (!mergeInto(at, item, strategy)) {
        items_.erase(items_.begin() + at);
    }
}

void MSelectionList::append(const Item& item, bool mergeWithExisting) {
    if (mergeWithExisting) {
        mergeItem(item, kMergeNormal);
        return;
    }
    items_.push_back(item);
    items_.back().component = ownCopy(item.component);
}

MStatus MSelectionList::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

bool MSelectionList::isEmpty(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return items_.empty();
}

unsigned int MSelectionList::length(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return static_cast<unsigned int>(items_.size());
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& depNode) const {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    const Item& item = items_[index];
    depNode = item.isPlug ? item.plug.node() : item.node;
    return MStatus::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& dagPath,
                                   MObject& component) const {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    const Item& item = items_[index];
    if (!item.isDag)
        return MStatus::kFailure;
    dagPath = item.path;
    if (&component != &MObject::kNullObj)
        component = item.component;
    return MStatus::kSuccess;
}

MStatus MSelectionList::getPlug(unsigned int index, MPlug& plug) const {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    if (!items_[index].isPlug)
        return MStatus::kFailure;
    plug = items_[index].plug;
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MObject& object, const bool mergeWithExisting) {
    mayasim::Node* node = mayasim::nodeOf(object);
    if (!node || !node->inScene)
        return MStatus::kInvalidParameter;
    if (node->isDag())
        return add(MDagPath::getAPathTo(object), MObject::kNullObj, mergeWithExisting);
    Item item;
    item.node = object;
    append(item, mergeWithExisting);
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& object, const MObject& component,
                            const bool mergeWithExisting) {
    if (!object.isValid() || object.length() == 0)
        return MStatus::kInvalidParameter;
    if (!component.isNull() && !componentOf(component))
        return MStatus::kInvalidParameter;
    append(dagItem(object, component), mergeWithExisting);
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MPlug& plug, const bool mergeWithExisting) {
    if (plug.isNull())
        return MStatus::kInvalidParameter;
    Item item;
    item.isPlug = true;
    item.plug = plug;
    item.node = plug.node();
    append(item, mergeWithExisting);
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MString& matchString, const bool) {
    const std::string text = matchString.asChar();
    const size_t dot = text.find('.');
    if (dot != std::string::npos) {
        mayasim::Node* node = mayasim::resolveNode(text.substr(0, dot));
        if (!node)
            return MStatus::kInvalidParameter;
        const std::string rest = text.substr(dot + 1);
        MDagPath path;
        MObject component;
        if (node->isDag() && mayasim::parseComponent(*node, rest, path, component))
            return add(path, component, true);
        MPlug plug;
        if (!mayasim::parsePlug(*node, rest, plug))
            return MStatus::kInvalidParameter;
        return add(plug, true);
    }
    if (text.find_first_of("*?") == std::string::npos) {
        mayasim::Node* node = mayasim::resolveNode(text);
        return node ? add(node->handle(), true) : MStatus(MStatus::kInvalidParameter);
    }
    bool found = false;
    for (const auto& node : mayasim::scene().nodes) {
        if (wildcardMatch(text.c_str(), node->name.c_str())) {
            add(node->handle(), true);
            found = true;
        }
    }
    return found ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MSelectionList::remove(unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_.erase(items_.begin() + index);
    return MStatus::kSuccess;
}

MStatus MSelectionList::replace(unsigned int index, const MObject& item) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    MSelectionList single;
    const MStatus status = single.add(item);
    if (status)
        items_[index] = single.items_.front();
    return status;
}

MStatus MSelectionList::replace(unsigned int index, const MDagPath& item,
                                const MObject& component) {
    if (index >= items_.size() || !item.isValid())
        return MStatus::kInvalidParameter;
    items_[index] = dagItem(item, ownCopy(component));
    return MStatus::kSuccess;
}

MStatus MSelectionList::replace(unsigned int index, const MPlug& plug) {
    if (index >= items_.size() || plug.isNull())
        return MStatus::kInvalidParameter;
    Item item;
    item.isPlug = true;
    item.plug = plug;
    item.node = plug.node();
    items_[index] = item;
    return MStatus::kSuccess;
}

bool MSelectionList::hasItem(const MObject& item, MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    mayasim::Node* node = mayasim::nodeOf(item);
    if (node && node->isDag())
        return hasItem(MDagPath::getAPathTo(item));
    Item probe;
    probe.node = item;
    return find(probe) >= 0;
}

namespace {

// How many of `component`'s elements `within` holds.
size_t sharedElements(const Component& within, const Component& component, bool stopAtFirst) {
    size_t shared = 0;
    for (size_t i = 0; i < component.size(); ++i) {
        int u = 0, v = 0;
        if (component.doubleIndexed) {
            component.uv(i, u, v);
        } else {
            u = component.index(i);
        }
        if (within.contains(u, v) && ++shared && stopAtFirst)
            break;
    }
    return shared;
}

}  // namespace

bool MSelectionList::hasItem(const MDagPath& item, const MObject& component,
                             MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    const int at = find(dagItem(item, component));
    if (at < 0)
        return false;
    const Component* wanted = componentOf(component);
    if (!wanted)
        return true;
    const Component& mine = *componentOf(items_[static_cast<size_t>(at)].component);
    return sharedElements(mine, *wanted, false) == wanted->size();
}

bool MSelectionList::hasItem(const MPlug& plug, MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    Item probe;
    probe.isPlug = true;
    probe.plug = plug;
    return find(probe) >= 0;
}

bool MSelectionList::hasItemPartly(const MDagPath& item, const MObject& component,
                                   MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    const int at = find(dagItem(item, component));
    if (at < 0)
        return false;
    const Component* wanted = componentOf(component);
    if (!wanted)
        return true;
    const Component& mine = *componentOf(items_[static_cast<size_t>(at)].component);
    return sharedElements(mine, *wanted, true) > 0;
}

MStatus MSelectionList::toggle(const MDagPath& item, const MObject& component) {
    if (!item.isValid())
        return MStatus::kInvalidParameter;
    mergeItem(dagItem(item, component), kXORWithList);
    return MStatus::kSuccess;
}

MStatus MSelectionList::merge(const MSelectionList& other, const MergeStrategy strategy) {
    const std::vector<Item> incoming = other.items_;
    Index index(items_);
    std::vector<bool> gone(items_.size(), false);
    for (const Item& item : incoming) {
        const int at = index.find(items_, gone, item);
        if (at >= 0) {
            if (!mergeInto(at, item, strategy))
                gone[static_cast<size_t>(at)] = true;
        } else if (strategy != kRemoveFromList) {
            index.add(item, items_.size());
            items_.push_back(item);
            gone.push_back(false);
        }
    }
    size_t kept = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (!gone[i])
            items_[kept++] = std::move(items_[i]);
    }
    items_.resize(kept);
    return MStatus::kSuccess;
}

MStatus MSelectionList::merge(const MDagPath& object, const MObject& component,
                              const MergeStrategy strategy) {
    if (!object.isValid())
        return MStatus::kInvalidParameter;
    mergeItem(dagItem(object, component), strategy);
    return MStatus::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& array) const {
    array.clear();
    for (unsigned int i = 0; i < items_.size(); ++i) {
        MStringArray strings;
        getSelectionStrings(i, strings);
        for (unsigned int j = 0; j < strings.length(); ++j)
            array.append(strings[j]);
    }
    return MStatus::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(unsigned int index, MStringArray& array) const {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    array.clear();
    const Item& item = items_[index];
    if (item.isPlug) {
        array.append(item.plug.name());
    } else if (item.isDag && !item.component.isNull()) {
        for (const std::string& text : mayasim::componentStrings(item.path, item.component))
            array.append(MString(text.c_str()));
    } else if (item.isDag) {
        array.append(item.path.partialPathName());
    } else if (mayasim::Node* node = mayasim::nodeOf(item.node)) {
        array.append(MString(node->name.c_str()));
    }
    return MStatus::kSuccess;
}

namespace mayasim {

bool SelectionListAccess::same(const MSelectionList& a, const MSelectionList& b) {
    if (a.items_.size() != b.items_.size())
        return false;
    for (size_t i = 0; i < a.items_.size(); ++i) {
        const auto& mine = a.items_[i];
        const auto& theirs = b.items_[i];
        if (!mine.sameTarget(theirs))
            return false;
        const Component* x = componentOf(mine.component);
        const Component* y = componentOf(theirs.component);
        if (x != y && (!x || !y || x->sortedKeys() != y->sortedKeys()))
            return false;
    }
    return true;
}

}  // namespace mayasim

// ---- MItSelectionList ----

MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter,
                                   MStatus* ReturnStatus)
    : list_(list), filter_(filter) {
    skipFiltered();
    report(ReturnStatus, MStatus::kSuccess);
}

bool MItSelectionList::passes(unsigned int index) const {
    if (filter_ == MFn::kInvalid)
        return true;
    const MSelectionList::Item& item = list_.items_[index];
    if (item.isDag)
        return item.path.hasFn(filter_);
    return item.node.hasFn(filter_);
}

void MItSelectionList::skipFiltered() {
    while (index_ < list_.items_.size() && !passes(index_))
        ++index_;
}

bool MItSelectionList::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, MStatus::kSuccess);
    return index_ >= list_.items_.size();
}

MStatus MItSelectionList::next() {
    if (index_ >= list_.items_.size())
        return MStatus::kFailure;
    ++index_;
    skipFiltered();
    return MStatus::kSuccess;
}

MStatus MItSelectionList::reset() {
    index_ = 0;
    skipFiltered();
    return MStatus::kSuccess;
}

MStatus MItSelectionList::getDependNode(MObject& depNode) {
    return list_.getDependNode(index_, depNode);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath, MObject& component) {
    return list_.getDagPath(index_, dagPath, component);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath) {
    return list_.getDagPath(index_, dagPath);
}

MStatus MItSelectionList::getPlug(MPlug& plug) {
    return list_.getPlug(index_, plug);
}

MStatus MItSelectionList::getStrings(MStringArray& array) {
    return list_.getSelectionStrings(index_, array);
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* ReturnStatus) {
    if (index_ >= list_.items_.size()) {
        report(ReturnStatus, MStatus::kFailure);
        return kDNselectionItem;
    }
    report(ReturnStatus, MStatus::kSuccess);
    const MSelectionList::Item& item = list_.items_[index_];
    return item.isDag ? kDagSelectionItem : item.isPlug ? kPlugSelectionItem : kDNselectionItem;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
    filter_ = filter;
    return reset();
}

bool MItSelectionList::hasComponents(MStatus* ReturnStatus) const {
    const bool valid = index_ < list_.items_.size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kFailure);
    return valid && !list_.items_[index_].component.isNull();
}
