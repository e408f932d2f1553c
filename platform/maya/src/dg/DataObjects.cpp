#include "dg/DataObjects.h"

#include "dg/Graph.h"
#include "dg/Node.h"

namespace mayasim {

std::vector<int> Component::resolved() const {
    if (!complete)
        return elements;
    std::vector<int> all;
    for (int i = 0; i < completeCount; ++i)
        all.push_back(i);
    return all;
}

}  // namespace mayasim
