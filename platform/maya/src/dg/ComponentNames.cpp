#include "dg/ComponentNames.h"

#include <algorithm>
#include <cstdlib>

#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/Node.h"
#include "dg/ShapeComponents.h"

namespace mayasim {

namespace {

// "name[3]" -> name, 3; "name" -> name, -1. False on a malformed index.
bool splitIndex(const std::string& text, std::string& name, int& index) {
    const size_t open = text.find('[');
    index = -1;
    name = text.substr(0, open);
    if (open == std::string::npos)
        return true;
    if (text.back() != ']')
        return false;
    const std::string digits = text.substr(open + 1, text.size() - open - 2);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), ::isdigit))
        return false;
    index = std::atoi(digits.c_str());
    return true;
}

// "*", "3" or "1:4" within [0, count): the first and last index.
bool parseRange(const std::string& text, int count, int& first, int& last) {
    if (text == "*") {
        first = 0;
        last = count - 1;
        return count > 0;
    }
    const size_t colon = text.find(':');
    const std::string from = text.substr(0, colon);
    const std::string to = colon == std::string::npos ? from : text.substr(colon + 1);
    auto digits = [](const std::string& part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), ::isdigit);
    };
    if (!digits(from) || !digits(to))
        return false;
    first = std::atoi(from.c_str());
    last = std::atoi(to.c_str());
    return first <= last && last < count;
}

// "name[a][b]" -> name and the bracketed ranges; false when malformed.
bool splitComponent(const std::string& text, std::string& name, std::vector<std::string>& ranges) {
    const size_t open = text.find('[');
    if (open == std::string::npos || text.back() != ']')
        return false;
    name = text.substr(0, open);
    for (size_t at = open; at < text.size();) {
        const size_t close = text.find(']', at);
        if (text[at] != '[' || close == std::string::npos)
            return false;
        ranges.push_back(text.substr(at + 1, close - at - 1));
        at = close + 1;
    }
    return true;
}

// The shape a component string is about: the node itself or the shape below a transform.
const ShapeComponents* componentShape(Node& node, MDagPath& path, Node*& shape) {
    path = MDagPath::getAPathTo(node.handle());
    shape = &node;
    if (!shapeComponents(node)) {
        if (!path.extendToShape())
            return nullptr;
        shape = nodeOf(path.node());
    }
    return shape ? shapeComponents(*shape) : nullptr;
}

std::string rangeText(int first, int last) {
    return first == last ? std::to_string(first)
                         : std::to_string(first) + ":" + std::to_string(last);
}

// Runs of consecutive values in ascending `values`, as (first, last) pairs.
std::vector<std::pair<int, int>> runsOf(const std::vector<int>& values) {
    std::vector<std::pair<int, int>> runs;
    for (int value : values) {
        if (!runs.empty() && runs.back().second + 1 == value) {
            runs.back().second = value;
        } else {
            runs.emplace_back(value, value);
        }
    }
    return runs;
}

// Runs in v for each u, and rows with the same runs in consecutive u merged: Maya's
// "cv[0:2][1:3]" blocks.
std::vector<std::string> doubleIndexedRanges(const std::vector<int64_t>& keys) {
    struct Row {
        int u;
        std::vector<std::pair<int, int>> runs;
    };
    std::vector<Row> rows;
    std::vector<int> vs;
    for (size_t i = 0; i < keys.size();) {
        const int u = Component::keyU(keys[i]);
        vs.clear();
        for (; i < keys.size() && Component::keyU(keys[i]) == u; ++i)
            vs.push_back(Component::keyV(keys[i]));
        rows.push_back({u, runsOf(vs)});
    }
    std::vector<std::string> out;
    for (size_t r = 0; r < rows.size();) {
        size_t end = r + 1;
        while (end < rows.size() && rows[end].u == rows[end - 1].u + 1 &&
               rows[end].runs == rows[r].runs)
            ++end;
        const std::string us = "[" + rangeText(rows[r].u, rows[end - 1].u) + "]";
        for (const auto& [first, last] : rows[r].runs)
            out.push_back(us + "[" + rangeText(first, last) + "]");
        r = end;
    }
    return out;
}

}  // namespace

bool parsePlug(Node& node, const std::string& attrPath, MPlug& plug) {
    const Attribute* attr = nullptr;
    int index = -1;
    size_t start = 0;
    while (start <= attrPath.size()) {
        const size_t dot = attrPath.find('.', start);
        std::string name;
        int partIndex = -1;
        if (!splitIndex(attrPath.substr(start, dot - start), name, partIndex))
            return false;
        const Attribute* next = node.findAttribute(name);
        if (!next || (attr && next->parent != attr))
            return false;
        if (partIndex >= 0) {
            if (!next->flags.array)
                return false;
            index = partIndex;
        }
        attr = next;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (!attr)
        return false;
    plug = PlugAccess::make(node, {attr, index});
    return true;
}

bool parseComponent(Node& node, const std::string& text, MDagPath& path, MObject& component) {
    std::string name;
    std::vector<std::string> ranges;
    Node* shape = nullptr;
    const ShapeComponents* offers = nullptr;
    if (!splitComponent(text, name, ranges) || !(offers = componentShape(node, path, shape)))
        return false;
    const ComponentKind* kind = offers->kindNamed(name);
    if (!kind || ranges.size() != (kind->doubleIndexed ? 2u : 1u))
        return false;
    const ComponentExtent extent = offers->extent(*shape, kind->type);
    int firstU = 0, lastU = 0, firstV = 0, lastV = 0;
    if (!parseRange(ranges[0], extent.countU, firstU, lastU) ||
        (kind->doubleIndexed && !parseRange(ranges[1], extent.countV, firstV, lastV))) {
        return false;
    }
    auto parts = std::make_shared<Component>(kind->type, kind->doubleIndexed);
    for (int u = firstU; u <= lastU; ++u) {
        for (int v = firstV; v <= lastV; ++v)
            parts->add(u, v);
    }
    component = ObjectAccess::wrap(parts);
    return true;
}

std::vector<std::string> componentStrings(const MDagPath& path, const MObject& component,
                                          bool flatten) {
    auto* parts = ObjectAccess::as<Component>(component);
    Node* shape = nodeOf(path.node());
    const ShapeComponents* offers = shape ? shapeComponents(*shape) : nullptr;
    const ComponentKind* kind = offers && parts ? offers->kindOf(parts->componentType) : nullptr;
    if (!kind)
        return {};
    MDagPath owner = path;
    if (owner.node().hasFn(MFn::kShape))
        owner.pop();
    const std::string base = std::string(owner.partialPathName().asChar()) + "." + kind->name;
    const std::vector<int64_t> keys = parts->sortedKeys();
    std::vector<std::string> out;
    if (flatten) {
        for (int64_t key : keys) {
            out.push_back(base + (parts->doubleIndexed
                                      ? "[" + std::to_string(Component::keyU(key)) + "][" +
                                            std::to_string(Component::keyV(key)) + "]"
                                      : "[" + std::to_string(key) + "]"));
        }
        return out;
    }
    if (parts->doubleIndexed) {
        for (const std::string& ranges : doubleIndexedRanges(keys))
            out.push_back(base + ranges);
        return out;
    }
    std::vector<int> indices(keys.begin(), keys.end());
    for (const auto& [first, last] : runsOf(indices))
        out.push_back(base + "[" + rangeText(first, last) + "]");
    return out;
}

}  // namespace mayasim
