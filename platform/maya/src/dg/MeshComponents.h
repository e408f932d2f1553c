#pragma once
// A mesh's components: vertices ("vtx"), edges ("e") and faces ("f"); the points they move
// are the mesh's vertices.

#include "dg/ShapeComponents.h"

namespace mayasim {

class MeshComponents : public ShapeComponents {
public:
    const std::vector<ComponentKind>& kinds() const override;
    ComponentExtent extent(Node& shape, MFn::Type type) const override;
    std::vector<int> pointsOf(Node& shape, const Component& component) const override;
    void getPoints(Node& shape, const std::vector<int>& indices,
                   std::vector<MPoint>& positions) const override;
    void setPoints(Node& shape, const std::vector<int>& indices,
                   const std::vector<MPoint>& positions) const override;
};

}  // namespace mayasim
