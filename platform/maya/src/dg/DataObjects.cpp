#include "dg/DataObjects.h"

#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/Node.h"

namespace mayasim {

MeshGeometry& meshGeometry(Node& shape) {
    if (!shape.mesh)
        shape.mesh = std::make_shared<MeshGeometry>();
    const Attribute* inMesh = shape.findAttribute("inMesh");
    if (inMesh && isDirty(shape, {inMesh, -1}) && sourceOf(shape, {inMesh, -1})) {
        const Slot& value = pull(shape, {inMesh, -1});
        if (auto* data = ObjectAccess::as<MeshData>(value.data); data && data->geometry) {
            shape.mesh = std::make_shared<MeshGeometry>(*data->geometry);
        }
    }
    return *shape.mesh;
}

}  // namespace mayasim
