#include "dg/Graph.h"

#include <algorithm>
#include <set>

#include <maya/MDataBlock.h>
#include <maya/MPxNode.h>

#include "dg/DataAccess.h"
#include "dg/NodeClass.h"

namespace mayasim {

MPlug PlugAccess::make(Node& node, PlugKey key) {
    MPlug plug;
    plug.node_ = node.handle();
    plug.attribute_ = ObjectAccess::wrap(const_cast<Attribute*>(key.attr)->shared_from_this());
    plug.index_ = key.index;
    return plug;
}

Node* PlugAccess::node(const MPlug& plug) {
    return nodeOf(plug.node_);
}

PlugKey PlugAccess::key(const MPlug& plug) {
    return {attributeOf(plug.attribute_), plug.index_};
}

PlugKey normalized(PlugKey key) {
    if (key.index < 0 && key.attr && key.attr->isArrayOrInArray())
        key.index = 0;
    return key;
}

std::vector<PlugKey> childKeys(PlugKey key) {
    std::vector<PlugKey> keys;
    for (const auto& child : key.attr->children)
        keys.push_back({child.get(), key.index});
    return keys;
}

Slot& storage(Node& node, PlugKey key) {
    key = normalized(key);
    auto it = node.values.find(key);
    if (it == node.values.end())
        it = node.values.emplace(key, defaultSlot(*key.attr)).first;
    return it->second;
}

namespace {

bool isVolatile(const Node& node, const Attribute* attr) {
    const auto& list = node.type->volatileOutputs;
    return std::find(list.begin(), list.end(), attr) != list.end();
}

// Guards against cycles: a plug being evaluated reads its stored value.
std::set<std::pair<const Node*, PlugKey>>& evaluating() {
    static std::set<std::pair<const Node*, PlugKey>> active;
    return active;
}

MStatus callCompute(Node& node, PlugKey key) {
    MPlug plug = PlugAccess::make(node, key);
    MDataBlock block = DataAccess::block(&node);
    // A plug-in node computes its own plugs; what it leaves to Maya (a DAG node's
    // matrices) the built-in behaviour of its kind computes.
    MStatus status = MStatus::kUnknownParameter;
    if (node.user)
        status = node.user->compute(plug, block);
    if (status == MStatus::kUnknownParameter && node.type->compute) {
        status = node.type->compute(node, plug, block);
    }
    return status;
}

void copyFrom(Node& node, PlugKey key, const Endpoint& source) {
    const Slot& value = pull(*source.node, source.key);
    Slot& slot = storage(node, key);
    const Slot::Num kind = slot.num;
    slot = value;
    slot.retype(kind);
}

void ensureLeafClean(Node& node, PlugKey key, bool tryParent) {
    if (!isDirty(node, key))
        return;
    if (auto source = sourceOf(node, key)) {
        copyFrom(node, key, *source);
        markClean(node, key);
        return;
    }
    MStatus status = callCompute(node, key);
    if (status == MStatus::kUnknownParameter && tryParent && key.attr->parent) {
        status = callCompute(node, {key.attr->parent, key.index});
    }
    // Plugs the node does not compute keep the value last stored.
    if (status == MStatus::kUnknownParameter)
        markClean(node, key);
}

void ensureClean(Node& node, PlugKey key) {
    key = normalized(key);
    const auto guardKey = std::make_pair(static_cast<const Node*>(&node), key);
    if (!evaluating().insert(guardKey).second)
        return;
    if (!key.attr->isCompound()) {
        ensureLeafClean(node, key, true);
    } else if (isDirty(node, key)) {
        if (auto source = sourceOf(node, key); source && source->key.attr->isCompound()) {
            for (PlugKey child : childKeys(key)) {
                if (auto childSource = sourceOf(node, child))
                    copyFrom(node, child, *childSource);
            }
            markClean(node, key);
        } else {
            MStatus status = MStatus::kUnknownParameter;
            const bool anyUnsourced = std::any_of(
                key.attr->children.begin(), key.attr->children.end(), [&](const auto& child) {
                    return !sourceOf(node, {child.get(), key.index});
                });
            if (anyUnsourced)
                status = callCompute(node, key);
            for (PlugKey child : childKeys(key)) {
                ensureLeafClean(node, child, status != MStatus::kUnknownParameter);
            }
            if (status == MStatus::kUnknownParameter)
                markClean(node, key);
        }
    }
    evaluating().erase(guardKey);
}

std::vector<PlugKey> arrayElements(const Node& node, const Attribute* attr) {
    std::vector<PlugKey> keys;
    for (const auto& [key, slot] : node.values) {
        (void)slot;
        if (key.attr == attr)
            keys.push_back(key);
    }
    if (keys.empty())
        keys.push_back({attr, 0});
    return keys;
}

void propagateFrom(Node& node, PlugKey key) {
    std::vector<const Attribute*> sources{key.attr};
    if (key.attr->parent)
        sources.push_back(key.attr->parent);
    for (const auto& child : key.attr->children)
        sources.push_back(child.get());
    for (const Attribute* source : sources) {
        auto it = node.type->affects.find(source);
        if (it == node.type->affects.end())
            continue;
        for (const Attribute* affected : it->second) {
            if (affected->isArrayOrInArray()) {
                for (PlugKey element : arrayElements(node, affected))
                    markDirty(node, element);
            } else {
                markDirty(node, {affected, -1});
            }
        }
    }
    for (const Endpoint& dst : destinationsOf(node, key))
        markDirty(*dst.node, dst.key);
}

}  // namespace

Slot& pull(Node& node, PlugKey key) {
    key = normalized(key);
    ensureClean(node, key);
    if (key.attr->isCompound()) {
        for (PlugKey child : childKeys(key))
            ensureClean(node, child);
    }
    return storage(node, key);
}

void assign(Node& node, PlugKey key, const std::function<void(Slot&)>& write) {
    key = normalized(key);
    write(storage(node, key));
    markClean(node, key);
    propagateFrom(node, key);
}

bool isDirty(const Node& node, PlugKey key) {
    key = normalized(key);
    if (isVolatile(node, key.attr))
        return true;
    if (node.dirty.count(key))
        return true;
    for (PlugKey child : childKeys(key)) {
        if (isDirty(node, child))
            return true;
    }
    return false;
}

void markDirty(Node& node, PlugKey key) {
    key = normalized(key);
    // A compound stays listed dirty while its children are read and cleaned one by one;
    // it is already dirty only when every child is too.
    bool changed = node.dirty.insert(key).second;
    for (PlugKey child : childKeys(key))
        changed = node.dirty.insert(child).second || changed;
    if (changed)
        propagateFrom(node, key);
}

void markClean(Node& node, PlugKey key) {
    key = normalized(key);
    node.dirty.erase(key);
    for (PlugKey child : childKeys(key))
        node.dirty.erase(child);
}

std::optional<Endpoint> sourceOf(Node& node, PlugKey key) {
    key = normalized(key);
    if (auto it = node.incoming.find(key); it != node.incoming.end())
        return it->second;
    if (const Attribute* parent = key.attr->parent) {
        auto it = node.incoming.find(normalized({parent, key.index}));
        if (it != node.incoming.end() && it->second.key.attr->isCompound()) {
            const int childIndex = parent->childIndex(key.attr);
            const auto& srcChildren = it->second.key.attr->children;
            if (childIndex >= 0 && childIndex < static_cast<int>(srcChildren.size())) {
                return Endpoint{it->second.node,
                                {srcChildren[childIndex].get(), it->second.key.index}};
            }
        }
    }
    return std::nullopt;
}

std::vector<Endpoint> directDestinations(Node& node, PlugKey key) {
    key = normalized(key);
    std::vector<Endpoint> out;
    auto range = node.outgoing.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        out.push_back(it->second);
    return out;
}

std::vector<Endpoint> destinationsOf(Node& node, PlugKey key) {
    key = normalized(key);
    std::vector<Endpoint> out = directDestinations(node, key);
    if (const Attribute* parent = key.attr->parent) {
        const int childIndex = parent->childIndex(key.attr);
        for (const Endpoint& dst : directDestinations(node, {parent, key.index})) {
            const auto& dstChildren = dst.key.attr->children;
            if (childIndex >= 0 && childIndex < static_cast<int>(dstChildren.size())) {
                out.push_back({dst.node, {dstChildren[childIndex].get(), dst.key.index}});
            }
        }
    }
    for (PlugKey child : childKeys(key)) {
        for (const Endpoint& dst : directDestinations(node, child))
            out.push_back(dst);
    }
    return out;
}

namespace {

void link(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey) {
    dst.incoming[dstKey] = {&src, srcKey};
    src.outgoing.emplace(srcKey, Endpoint{&dst, dstKey});
    markDirty(dst, dstKey);
}

void unlink(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey) {
    // The destination keeps the value it last had through the connection.
    pull(dst, dstKey);
    dst.incoming.erase(dstKey);
    auto range = src.outgoing.equal_range(srcKey);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second.node == &dst && it->second.key == dstKey) {
            src.outgoing.erase(it);
            break;
        }
    }
}

bool compatible(const Attribute& a, const Attribute& b) {
    if ((a.kind == AttrKind::kMessage) != (b.kind == AttrKind::kMessage))
        return false;
    if (a.isCompound() != b.isCompound())
        return false;
    return a.children.size() == b.children.size();
}

}  // namespace

MStatus connectPlugs(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey, bool force, EditLog* log,
                     std::string* error) {
    srcKey = normalized(srcKey);
    dstKey = normalized(dstKey);
    auto fail = [&](const std::string& message) {
        if (error)
            *error = message;
        return MStatus(MStatus::kFailure);
    };
    if (!srcKey.attr->flags.connectable || !dstKey.attr->flags.connectable) {
        return fail("is not connectable");
    }
    if (!dstKey.attr->flags.writable)
        return fail("is not writable");
    if (!compatible(*srcKey.attr, *dstKey.attr))
        return fail("types are not compatible");
    if (&src == &dst && srcKey == dstKey)
        return fail("cannot connect a plug to itself");

    std::optional<Endpoint> previous;
    if (auto it = dst.incoming.find(dstKey); it != dst.incoming.end()) {
        if (it->second.node == &src && it->second.key == srcKey) {
            return fail("is already connected");
        }
        if (!force)
            return fail("already has an incoming connection");
        previous = it->second;
        unlink(*previous->node, previous->key, dst, dstKey);
    }
    link(src, srcKey, dst, dstKey);
    if (log) {
        Node* s = &src;
        Node* d = &dst;
        log->add(
            [=] {
                unlink(*s, srcKey, *d, dstKey);
                if (previous)
                    link(*previous->node, previous->key, *d, dstKey);
            },
            [=] {
                if (previous)
                    unlink(*previous->node, previous->key, *d, dstKey);
                link(*s, srcKey, *d, dstKey);
            });
    }
    return MStatus::kSuccess;
}

MStatus disconnectPlugs(Node& src, PlugKey srcKey, Node& dst, PlugKey dstKey, EditLog* log) {
    srcKey = normalized(srcKey);
    dstKey = normalized(dstKey);
    auto it = dst.incoming.find(dstKey);
    if (it == dst.incoming.end() || it->second.node != &src || !(it->second.key == srcKey)) {
        return MStatus::kNotFound;
    }
    unlink(src, srcKey, dst, dstKey);
    if (log) {
        Node* s = &src;
        Node* d = &dst;
        log->add([=] { link(*s, srcKey, *d, dstKey); }, [=] { unlink(*s, srcKey, *d, dstKey); });
    }
    return MStatus::kSuccess;
}

void disconnectAll(Node& node, EditLog* log) {
    std::vector<std::pair<Endpoint, Endpoint>> connections;  // source, destination
    for (const auto& [key, source] : node.incoming)
        connections.push_back({source, {&node, key}});
    for (const auto& [key, dst] : node.outgoing) {
        if (dst.node != &node)
            connections.push_back({{&node, key}, dst});
    }
    for (const auto& [source, dst] : connections) {
        disconnectPlugs(*source.node, source.key, *dst.node, dst.key, log);
    }
}

}  // namespace mayasim
