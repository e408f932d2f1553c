#pragma once
// Builds the data block and handles compute works with.

#include <maya/MArrayDataHandle.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>

#include "dg/Node.h"

namespace mayasim {

struct DataAccess {
    static MDataBlock block(Node* node) { return MDataBlock(node); }
    static MDataHandle handle(Node* node, PlugKey key) {
        MDataHandle h;
        h.node_ = node;
        h.attr_ = key.attr;
        h.index_ = key.index;
        return h;
    }
    static MArrayDataHandle arrayHandle(Node* node, const Attribute* attr);
};

}  // namespace mayasim
