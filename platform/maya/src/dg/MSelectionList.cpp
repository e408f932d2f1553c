#include <maya/MSelectionList.h>

#include <algorithm>
#include <set>

#include <maya/MItSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/ComponentNames.h"
#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/SceneState.h"

using mayasim::Component;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

std::set<int> elementsOf(const MObject& component) {
    auto* parts = mayasim::ObjectAccess::as<Component>(component);
    if (!parts)
        return {};
    const std::vector<int> all = parts->resolved();
    return std::set<int>(all.begin(), all.end());
}

MObject componentWith(MFn::Type type, const std::set<int>& elements) {
    auto parts = std::make_shared<Component>(type);
    parts->elements.assign(elements.begin(), elements.end());
    return mayasim::ObjectAccess::wrap(parts);
}

MFn::Type componentTypeOf(const MObject& component) {
    auto* parts = mayasim::ObjectAccess::as<Component>(component);
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

}  // namespace

MSelectionList::Item MSelectionList::dagItem(const MDagPath& path, const MObject& component) {
    Item item;
    item.isDag = true;
    item.path = path;
    item.component = component;
    item.node = path.node();
    return item;
}

int MSelectionList::find(const Item& item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        const Item& other = items_[i];
        if (other.isDag != item.isDag || other.isPlug != item.isPlug)
            continue;
        if (item.isPlug  ? other.plug == item.plug
            : item.isDag ? other.path == item.path &&
                               componentTypeOf(other.component) == componentTypeOf(item.component)
                         : other.node == item.node) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MSelectionList::mergeItem(const Item& item, MergeStrategy strategy) {
    const int at = find(item);
    if (at < 0) {
        if (strategy != kRemoveFromList)
            items_.push_back(item);
        return;
    }
    Item& existing = items_[static_cast<size_t>(at)];
    if (item.component.isNull()) {
        if (strategy != kMergeNormal)
            items_.erase(items_.begin() + at);
        return;
    }
    // Components merge element by element.
    std::set<int> mine = elementsOf(existing.component);
    const std::set<int> theirs = elementsOf(item.component);
    for (int element : theirs) {
        const bool present = mine.count(element) > 0;
        if (strategy == kMergeNormal) {
            mine.insert(element);
        } else if (strategy == kRemoveFromList || present) {
            mine.erase(element);
        } else {
            mine.insert(element);
        }
    }
    if (mine.empty()) {
        items_.erase(items_.begin() + at);
    } else {
        existing.component = componentWith(componentTypeOf(item.component), mine);
    }
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
    if (mergeWithExisting) {
        mergeItem(item, kMergeNormal);
    } else {
        items_.push_back(item);
    }
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& object, const MObject& component,
                            const bool mergeWithExisting) {
    if (!object.isValid() || object.length() == 0)
        return MStatus::kInvalidParameter;
    const Item item = dagItem(object, component);
    if (mergeWithExisting) {
        mergeItem(item, kMergeNormal);
    } else {
        items_.push_back(item);
    }
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MPlug& plug, const bool mergeWithExisting) {
    if (plug.isNull())
        return MStatus::kInvalidParameter;
    Item item;
    item.isPlug = true;
    item.plug = plug;
    item.node = plug.node();
    if (mergeWithExisting) {
        mergeItem(item, kMergeNormal);
    } else {
        items_.push_back(item);
    }
    return MStatus::kSuccess;
}

MStatus MSelectionList::add(const MString& matchString, const bool) {
    const std::string text = matchString.asChar();
    const size_t dot = text.find('.');
    const std::string nodePart = text.substr(0, dot);
    if (dot != std::string::npos) {
        mayasim::Node* node = mayasim::resolveNode(nodePart);
        if (!node)
            return MStatus::kInvalidParameter;
        const std::string rest = text.substr(dot + 1);
        MDagPath path;
        MObject component;
        if (node->isDag() && mayasim::parseComponent(*node, rest, path, component)) {
            return add(path, component, true);
        }
        MPlug plug;
        if (!mayasim::parsePlug(*node, rest, plug))
            return MStatus::kInvalidParameter;
        return add(plug, true);
    }
    bool found = false;
    const bool wildcard = text.find_first_of("*?") != std::string::npos;
    if (!wildcard) {
        mayasim::Node* node = mayasim::resolveNode(text);
        if (!node)
            return MStatus::kInvalidParameter;
        return add(node->handle(), true);
    }
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
    items_[index] = dagItem(item, component);
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

bool MSelectionList::hasItem(const MDagPath& item, const MObject& component,
                             MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    const int at = find(dagItem(item, component));
    if (at < 0)
        return false;
    if (component.isNull())
        return true;
    const std::set<int> mine = elementsOf(items_[static_cast<size_t>(at)].component);
    const std::set<int> wanted = elementsOf(component);
    return std::includes(mine.begin(), mine.end(), wanted.begin(), wanted.end());
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
    if (component.isNull())
        return true;
    const std::set<int> mine = elementsOf(items_[static_cast<size_t>(at)].component);
    for (int element : elementsOf(component)) {
        if (mine.count(element))
            return true;
    }
    return false;
}

MStatus MSelectionList::toggle(const MDagPath& item, const MObject& component) {
    if (!item.isValid())
        return MStatus::kInvalidParameter;
    mergeItem(dagItem(item, component), kXORWithList);
    return MStatus::kSuccess;
}

MStatus MSelectionList::merge(const MSelectionList& other, const MergeStrategy strategy) {
    const std::vector<Item> incoming = other.items_;
    for (const Item& item : incoming)
        mergeItem(item, strategy);
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
        for (const std::string& text : mayasim::componentStrings(item.path, item.component)) {
            array.append(MString(text.c_str()));
        }
    } else if (item.isDag) {
        array.append(item.path.partialPathName());
    } else if (mayasim::Node* node = mayasim::nodeOf(item.node)) {
        array.append(MString(node->name.c_str()));
    }
    return MStatus::kSuccess;
}

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
