#include "dg/DataObjects.h"

#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/Node.h"

namespace mayasim {

MeshGeometry& meshGeometry(Node& shape) {
    if (!shape.mesh)
        shape.mesh = std::make_shared<MeshGeometry>();
    // A connected shape copies what comes in each time that changes; reading inMesh through
    // a plug cleans it, so what was copied is told apart by identity, not by dirtiness.
    const Attribute* inMesh = shape.findAttribute("inMesh");
    if (inMesh && sourceOf(shape, {inMesh, -1})) {
        const Slot& value = pull(shape, {inMesh, -1});
        auto* data = ObjectAccess::as<MeshData>(value.data);
        if (data && data->geometry && data->geometry != shape.meshSource) {
            shape.mesh = std::make_shared<MeshGeometry>(*data->geometry);
            shape.meshSource = data->geometry;
        }
    }
    return *shape.mesh;
}

}  // namespace mayasim
