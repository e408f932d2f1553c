#include "mayasim/Scene.h"

#include <algorithm>
#include <cctype>

#include <maya/MGlobal.h>
#include <maya/MModelMessage.h>
#include <maya/MPxNode.h>

#include "dg/BuiltinTypes.h"
#include "dg/Graph.h"
#include "dg/NodeAccess.h"
#include "dg/NodeClass.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/ActiveSelection.h"
#include "mayasim/Messages.h"
#include "mayasim/SelectionAccess.h"

namespace mayasim {

namespace {

struct Placement {
    Node* parent = nullptr;
    size_t order = 0;
    size_t childIndex = 0;
};

void attach(const std::shared_ptr<Node>& node, const Placement& at) {
    auto& nodes = scene().nodes;
    nodes.insert(nodes.begin() + static_cast<long>(std::min(at.order, nodes.size())), node);
    node->inScene = true;
    ++node->type->liveNodes;
    if (node->isDag() && at.parent) {
        auto& siblings = at.parent->children;
        siblings.insert(
            siblings.begin() + static_cast<long>(std::min(at.childIndex, siblings.size())),
            node.get());
        node->parent = at.parent;
    }
}

Placement detach(Node& node) {
    Placement at;
    auto& nodes = scene().nodes;
    auto it = std::find_if(nodes.begin(), nodes.end(),
                           [&](const auto& candidate) { return candidate.get() == &node; });
    at.order = static_cast<size_t>(it - nodes.begin());
    if (node.parent) {
        auto& siblings = node.parent->children;
        auto child = std::find(siblings.begin(), siblings.end(), &node);
        at.childIndex = static_cast<size_t>(child - siblings.begin());
        siblings.erase(child);
        at.parent = node.parent;
        node.parent = nullptr;
    }
    node.inScene = false;
    --node.type->liveNodes;
    if (it != nodes.end())
        nodes.erase(it);
    return at;
}

bool refersTo(const MSelectionList& list, unsigned int index, const Node& node) {
    MDagPath path;
    MObject object;
    if (list.getDagPath(index, path)) {
        for (MDagPath walk = path; walk.length() > 0; walk.pop()) {
            if (nodeOf(walk.node()) == &node)
                return true;
        }
        return false;
    }
    if (list.getDependNode(index, object))
        return nodeOf(object) == &node;
    return false;
}

SceneState makeScene() {
    SceneState state;
    NodeClass* worldType = findNodeClass("world");
    state.world = std::make_shared<Node>(*worldType, "world");
    state.world->inScene = true;
    return state;
}

void addTimeNode(SceneState& state) {
    auto time = std::make_shared<Node>(*findNodeClass("time"), "time1");
    state.nodes.push_back(time);
    time->inScene = true;
    ++time->type->liveNodes;
    state.time = time.get();
}

MStatus getActive(MSelectionList& dest) {
    dest = scene().selection;
    return MStatus::kSuccess;
}

MStatus setActive(const MSelectionList& src, int adjustment) {
    return Scene::instance().setActiveSelection(src, adjustment);
}

MStatus getHilite(MSelectionList& dest) {
    dest = scene().hilite;
    return MStatus::kSuccess;
}

MStatus setHiliteList(const MSelectionList& src) {
    setHilite(src, nullptr);
    return MStatus::kSuccess;
}

// MGlobal reaches the active selection through these from the moment the library loads.
const bool kHooksInstalled = [] {
    setActiveSelectionHooks({getActive, setActive, selectAsCommand, getHilite, setHiliteList});
    return true;
}();

// `list` without the items about `node` or anything below it.
MSelectionList without(const MSelectionList& list, const Node& node, bool& removedAny) {
    MSelectionList remaining;
    for (unsigned int i = 0; i < list.length(); ++i) {
        if (refersTo(list, i, node)) {
            removedAny = true;
            continue;
        }
        MDagPath path;
        MObject component;
        MObject object;
        MPlug plug;
        if (list.getDagPath(i, path, component)) {
            remaining.add(path, component);
        } else if (list.getPlug(i, plug)) {
            remaining.add(plug);
        } else if (list.getDependNode(i, object)) {
            remaining.add(object);
        }
    }
    return remaining;
}

}  // namespace

SceneState& scene() {
    // Never destroyed: plug-in nodes must not outlive their module at exit.
    static SceneState& state = *[] {
        auto* s = new SceneState(makeScene());
        addTimeNode(*s);
        return s;
    }();
    return state;
}

Node* findNodeByName(const std::string& name) {
    for (const auto& node : scene().nodes) {
        if (node->name == name)
            return node.get();
    }
    return nullptr;
}

Node* resolveNode(const std::string& nameOrPath) {
    if (nameOrPath.find('|') == std::string::npos)
        return findNodeByName(nameOrPath);
    const bool full = nameOrPath.front() == '|';
    std::vector<std::string> parts;
    size_t start = full ? 1 : 0;
    while (start <= nameOrPath.size()) {
        const size_t bar = nameOrPath.find('|', start);
        parts.push_back(nameOrPath.substr(start, bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    Node* node = findNodeByName(parts.back());
    if (!node || !node->isDag())
        return nullptr;
    const Node* walk = node;
    for (auto it = parts.rbegin() + 1; it != parts.rend(); ++it) {
        walk = walk->parent;
        if (!walk || walk->name != *it)
            return nullptr;
    }
    if (full && walk->parent != scene().world.get())
        return nullptr;
    return node;
}

std::string uniqueName(const std::string& base, const Node* except) {
    auto taken = [&](const std::string& name) {
        const Node* owner = findNodeByName(name);
        return owner && owner != except;
    };
    if (!taken(base))
        return base;
    size_t digits = base.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(base[digits - 1])))
        --digits;
    const std::string stem = base.substr(0, digits);
    long number = digits < base.size() ? std::stol(base.substr(digits)) + 1 : 1;
    while (taken(stem + std::to_string(number)))
        ++number;
    return stem + std::to_string(number);
}

std::shared_ptr<Node> instantiate(NodeClass& type, const std::string& name, MStatus* status) {
    auto node = std::make_shared<Node>(type, uniqueName(name));
    if (type.creator) {
        auto* user = static_cast<MPxNode*>(type.creator());
        if (!user) {
            if (status)
                *status = MStatus::kFailure;
            return nullptr;
        }
        NodeAccess::attach(*user, node.get());
        node->user.reset(user);
        user->postConstructor();
    }
    if (status)
        *status = MStatus::kSuccess;
    return node;
}

void insertNode(const std::shared_ptr<Node>& node, Node* parent, EditLog* log) {
    Placement at;
    at.order = scene().nodes.size();
    if (node->isDag()) {
        at.parent = parent ? parent : scene().world.get();
        at.childIndex = at.parent->children.size();
    }
    attach(node, at);
    if (log)
        log->add([node] { detach(*node); }, [node, at] { attach(node, at); });
}

void removeNode(Node& node, EditLog* log) {
    if (!node.inScene || &node == scene().world.get())
        return;
    std::shared_ptr<Node> keep = node.shared();
    for (Node* child : std::vector<Node*>(node.children))
        removeNode(*child, log);
    bool selected = false;
    const MSelectionList remaining = without(scene().selection, node, selected);
    if (selected)
        setSelection(remaining, log);
    bool hilited = false;
    const MSelectionList stillHilited = without(scene().hilite, node, hilited);
    if (hilited)
        setHilite(stillHilited, log);
    disconnectAll(node, log);
    const Placement at = detach(node);
    if (log)
        log->add([keep, at] { attach(keep, at); }, [keep] { detach(*keep); });
}

MStatus renameNode(Node& node, const std::string& name, EditLog* log) {
    if (name.empty() || &node == scene().world.get())
        return MStatus::kInvalidParameter;
    const std::string oldName = node.name;
    node.name = uniqueName(name, &node);
    const std::string newName = node.name;
    if (log) {
        std::shared_ptr<Node> keep = node.shared();
        log->add([keep, oldName] { keep->name = oldName; },
                 [keep, newName] { keep->name = newName; });
    }
    return MStatus::kSuccess;
}

bool isAncestor(const Node& ancestor, const Node& node) {
    for (const Node* walk = node.parent; walk; walk = walk->parent) {
        if (walk == &ancestor)
            return true;
    }
    return false;
}

MStatus reparentNode(Node& node, Node* newParent, EditLog* log) {
    if (!node.isDag() || !node.inScene)
        return MStatus::kInvalidParameter;
    Node* target = newParent ? newParent : scene().world.get();
    if (target == &node || isAncestor(node, *target) || !target->isDag()) {
        return MStatus::kInvalidParameter;
    }
    if (node.parent == target)
        return MStatus::kSuccess;
    std::shared_ptr<Node> keep = node.shared();
    const Placement from = detach(node);
    Placement to{target, from.order, target->children.size()};
    attach(keep, to);
    if (log) {
        log->add(
            [keep, from] {
                detach(*keep);
                attach(keep, from);
            },
            [keep, to] {
                detach(*keep);
                attach(keep, to);
            });
    }
    return MStatus::kSuccess;
}

MStatus createNodeOfType(const std::string& typeName, const std::string& name, Node* parent,
                         EditLog* log, std::shared_ptr<Node>& created) {
    NodeClass* type = findNodeClass(typeName);
    if (!type || !type->creatable)
        return MStatus::kInvalidParameter;
    if (parent && (!type->dag || !parent->isDag()))
        return MStatus::kInvalidParameter;
    if (type->shape && !parent) {
        std::shared_ptr<Node> transform;
        MStatus status = createNodeOfType("transform", "", nullptr, log, transform);
        if (!status)
            return status;
        parent = transform.get();
    }
    const std::string defaultName = typeName == "mesh" ? "polySurfaceShape1" : typeName + "1";
    MStatus status;
    created = instantiate(*type, name.empty() ? defaultName : name, &status);
    if (!status)
        return status;
    insertNode(created, parent, log);
    return MStatus::kSuccess;
}

void setSelection(const MSelectionList& list, EditLog* log) {
    const MSelectionList previous = scene().selection;
    auto apply = [](const MSelectionList& value) {
        if (SelectionListAccess::same(scene().selection, value))
            return;
        scene().selection = value;
        if (scene().selectionChanged)
            scene().selectionChanged();
        // Tools listen for selection changes through the model message and the event.
        messages::fireModelMessage(MModelMessage::kActiveListModified);
        messages::fireEvent("SelectionChanged");
    };
    apply(list);
    if (log)
        log->add([=] { apply(previous); }, [=] { apply(list); });
}

void setHilite(const MSelectionList& list, EditLog* log) {
    const MSelectionList previous = scene().hilite;
    scene().hilite = list;
    if (log)
        log->add([=] { scene().hilite = previous; }, [=] { scene().hilite = list; });
}

MStatus adjustedList(const MSelectionList& current, const MSelectionList& items, int listAdjustment,
                     MSelectionList& result) {
    result = current;
    switch (listAdjustment) {
        case MGlobal::kReplaceList:
            result = items;
            return MStatus::kSuccess;
        case MGlobal::kXORWithList:
            return result.merge(items, MSelectionList::kXORWithList);
        case MGlobal::kAddToList:
            return result.merge(items, MSelectionList::kMergeNormal);
        case MGlobal::kRemoveFromList:
            return result.merge(items, MSelectionList::kRemoveFromList);
        case MGlobal::kAddToHeadOfList:
            result = items;
            return result.merge(current, MSelectionList::kMergeNormal);
        default:
            return MStatus::kInvalidParameter;
    }
}

void setValue(Node& node, PlugKey key, const std::function<void(Slot&)>& write, EditLog* log) {
    key = normalized(key);
    std::vector<std::pair<PlugKey, Slot>> before;
    before.push_back({key, pull(node, key)});
    for (PlugKey child : childKeys(key))
        before.push_back({child, pull(node, child)});
    assign(node, key, write);
    if (!log)
        return;
    std::vector<std::pair<PlugKey, Slot>> after;
    for (const auto& [k, slot] : before) {
        (void)slot;
        after.push_back({k, storage(node, k)});
    }
    std::shared_ptr<Node> keep = node.shared();
    auto restore = [keep](const std::vector<std::pair<PlugKey, Slot>>& values) {
        for (const auto& [k, slot] : values) {
            assign(*keep, k, [&](Slot& s) { s = slot; });
        }
    };
    log->add([=] { restore(before); }, [=] { restore(after); });
}

MDagPath pathOf(Node& node) {
    return MDagPath::getAPathTo(node.handle());
}

// ---- Scene ----

Scene& Scene::instance() {
    static Scene facade;
    scene();
    return facade;
}

void Scene::reset() {
    SceneState& state = scene();
    for (const auto& node : std::vector<std::shared_ptr<Node>>(state.nodes)) {
        if (node.get() != state.time && node->inScene)
            removeNode(*node, nullptr);
    }
    if (state.selection.length() > 0)
        setSelection(MSelectionList(), nullptr);
    setCurrentTime(MTime(0.0, MTime::uiUnit()));
}

MObject Scene::world() const {
    return scene().world->handle();
}

MObject Scene::timeNode() const {
    return scene().time->handle();
}

MObject Scene::findNode(const MString& name) const {
    Node* node = resolveNode(name.asChar());
    return node ? node->handle() : MObject();
}

MStatus Scene::findPath(const MString& name, MDagPath& path) const {
    Node* node = resolveNode(name.asChar());
    if (!node || !node->isDag())
        return MStatus::kNotFound;
    path = pathOf(*node);
    return MStatus::kSuccess;
}

std::vector<MObject> Scene::nodes() const {
    std::vector<MObject> handles;
    for (const auto& node : scene().nodes)
        handles.push_back(node->handle());
    return handles;
}

MStatus Scene::createNode(const MString& typeName, const MString& name, const MObject& parent,
                          MObject& result) {
    std::shared_ptr<Node> created;
    const MStatus status =
        createNodeOfType(typeName.asChar(), name.asChar(), nodeOf(parent), nullptr, created);
    if (status)
        result = created->handle();
    return status;
}

MStatus Scene::deleteNode(const MObject& node) {
    Node* target = nodeOf(node);
    if (!target || !target->inScene || target == scene().time)
        return MStatus::kInvalidParameter;
    removeNode(*target, nullptr);
    return MStatus::kSuccess;
}

MSelectionList Scene::activeSelection() const {
    return scene().selection;
}

MStatus Scene::setActiveSelection(const MSelectionList& list, int listAdjustment) {
    MSelectionList result;
    const MStatus status = adjustedList(scene().selection, list, listAdjustment, result);
    if (status)
        setSelection(result, nullptr);
    return status;
}

void Scene::setSelectionChangedCallback(std::function<void()> callback) {
    scene().selectionChanged = std::move(callback);
}

MTime Scene::currentTime() const {
    const Slot& slot = pull(*scene().time, {scene().time->findAttribute("outTime"), -1});
    MTime time(slot.get(), MTime::kSeconds);
    time.setUnit(MTime::uiUnit());
    return time;
}

void Scene::setCurrentTime(const MTime& time) {
    Node& node = *scene().time;
    const double seconds = time.as(MTime::kSeconds);
    assign(node, {node.findAttribute("outTime"), -1}, [&](Slot& slot) { slot.set(seconds); });
    if (scene().timeChanged)
        scene().timeChanged();
}

void Scene::setTimeChangedCallback(std::function<void()> callback) {
    scene().timeChanged = std::move(callback);
}

}  // namespace mayasim
