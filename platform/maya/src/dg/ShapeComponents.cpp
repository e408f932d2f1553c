#include "dg/ShapeComponents.h"

#include <algorithm>
#include <utility>

#include "dg/MeshComponents.h"
#include "dg/Node.h"
#include "dg/NodeClass.h"

namespace mayasim {

namespace {

using Registry = std::vector<std::pair<MFn::Type, std::shared_ptr<const ShapeComponents>>>;

Registry& registry() {
    static Registry shapes = {{MFn::kMesh, std::make_shared<MeshComponents>()}};
    return shapes;
}

}  // namespace

const ComponentKind* ShapeComponents::kindNamed(const std::string& name) const {
    const auto& all = kinds();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const ComponentKind& kind) { return kind.name == name; });
    return it == all.end() ? nullptr : &*it;
}

const ComponentKind* ShapeComponents::kindOf(MFn::Type type) const {
    const auto& all = kinds();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const ComponentKind& kind) { return kind.type == type; });
    return it == all.end() ? nullptr : &*it;
}

std::shared_ptr<const ShapeComponents> registerShapeComponents(
    MFn::Type shapeType, std::shared_ptr<const ShapeComponents> components) {
    for (auto& [type, entry] : registry()) {
        if (type == shapeType) {
            std::swap(entry, components);
            return components;
        }
    }
    registry().emplace_back(shapeType, std::move(components));
    return nullptr;
}

const ShapeComponents* shapeComponents(const Node& shape) {
    for (const auto& [type, entry] : registry()) {
        if (shape.type->apiType == type)
            return entry.get();
    }
    return nullptr;
}

}  // namespace mayasim
