#pragma once

#include <maya/MPxNode.h>

namespace mayasim {

class Node;

struct NodeAccess {
    static void attach(MPxNode& user, Node* node) { user.node_ = node; }
    static Node* node(const MPxNode& user) { return user.node_; }
};

}  // namespace mayasim
