#include <maya/MItDag.h>

#include <deque>

#include <maya/MDagPathArray.h>
#include <maya/MItDependencyNodes.h>

#include "dg/Node.h"
#include "dg/SceneState.h"

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

MItDag::MItDag(TraversalType type, MFn::Type filter, MStatus* ReturnStatus)
    : type_(type), filter_(filter) {
    build();
    report(ReturnStatus, MStatus::kSuccess);
}

void MItDag::build() {
    order_.clear();
    depths_.clear();
    position_ = 0;
    if (type_ == kBreadthFirst) {
        std::deque<std::pair<MDagPath, unsigned int>> pending{{root_, 0u}};
        while (!pending.empty()) {
            auto [path, depth] = pending.front();
            pending.pop_front();
            order_.push_back(path);
            depths_.push_back(depth);
            for (unsigned int i = 0; i < path.childCount(); ++i) {
                MDagPath child = path;
                child.push(path.child(i));
                pending.push_back({child, depth + 1});
            }
        }
    } else {
        std::vector<std::pair<MDagPath, unsigned int>> pending{{root_, 0u}};
        while (!pending.empty()) {
            auto [path, depth] = pending.back();
            pending.pop_back();
            order_.push_back(path);
            depths_.push_back(depth);
            for (unsigned int i = path.childCount(); i-- > 0;) {
                MDagPath child = path;
                child.push(path.child(i));
                pending.push_back({child, depth + 1});
            }
        }
    }
    skipFiltered();
}

void MItDag::skipFiltered() {
    while (position_ < order_.size() && filter_ != MFn::kInvalid &&
           !order_[position_].node().hasFn(filter_)) {
        ++position_;
    }
}

MStatus MItDag::reset() {
    build();
    return MStatus::kSuccess;
}

MStatus MItDag::reset(const MObject& object, TraversalType type, MFn::Type filter) {
    MDagPath path;
    if (!object.isNull() && !MDagPath::getAPathTo(object, path))
        return MStatus::kInvalidParameter;
    return reset(path, type, filter);
}

MStatus MItDag::reset(const MDagPath& path, TraversalType type, MFn::Type filter) {
    root_ = path;
    type_ = type;
    filter_ = filter;
    build();
    return MStatus::kSuccess;
}

MObject MItDag::item(MStatus* ReturnStatus) {
    if (isDone()) {
        report(ReturnStatus, MStatus::kFailure);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return order_[position_].node();
}

MStatus MItDag::next() {
    if (isDone())
        return MStatus::kFailure;
    ++position_;
    skipFiltered();
    return MStatus::kSuccess;
}

MStatus MItDag::prune() {
    if (isDone())
        return MStatus::kFailure;
    // Skips everything below the current node: the entries that extend its path.
    const MDagPath current = order_[position_];
    const std::string prefix = std::string(current.fullPathName().asChar()) + "|";
    std::vector<MDagPath> kept;
    std::vector<unsigned int> keptDepths;
    for (size_t i = 0; i < order_.size(); ++i) {
        const std::string name = order_[i].fullPathName().asChar();
        if (i > position_ && name.compare(0, prefix.size(), prefix) == 0)
            continue;
        kept.push_back(order_[i]);
        keptDepths.push_back(depths_[i]);
    }
    order_ = kept;
    depths_ = keptDepths;
    return MStatus::kSuccess;
}

bool MItDag::isDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return position_ >= order_.size();
}

MObject MItDag::root(MStatus* ReturnStatus) {
    report(ReturnStatus, MStatus::kSuccess);
    return root_.node();
}

unsigned int MItDag::depth(MStatus* ReturnStatus) const {
    report(ReturnStatus, isDone() ? MStatus::kFailure : MStatus::kSuccess);
    return isDone() ? 0u : depths_[position_];
}

MItDag::TraversalType MItDag::getType(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return type_;
}

MStatus MItDag::getPath(MDagPath& path) const {
    if (isDone())
        return MStatus::kFailure;
    path = order_[position_];
    return MStatus::kSuccess;
}

MStatus MItDag::getAllPaths(MDagPathArray& paths) const {
    paths.clear();
    MDagPath path;
    const MStatus status = getPath(path);
    if (status)
        paths.append(path);
    return status;
}

MString MItDag::fullPathName(MStatus* ReturnStatus) const {
    MDagPath path;
    report(ReturnStatus, getPath(path));
    return path.fullPathName();
}

MString MItDag::partialPathName(MStatus* ReturnStatus) const {
    MDagPath path;
    report(ReturnStatus, getPath(path));
    return path.partialPathName();
}

bool MItDag::isInstanced(bool, MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return false;
}

MStatus MItDag::traverseUnderWorld(bool) {
    return MStatus::kSuccess;
}

bool MItDag::willTraverseUnderWorld(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return false;
}

// ---- MItDependencyNodes ----

MItDependencyNodes::MItDependencyNodes(MFn::Type filter, MStatus* ReturnStatus) {
    report(ReturnStatus, reset(filter));
}

MStatus MItDependencyNodes::reset(MFn::Type filter) {
    nodes_.clear();
    position_ = 0;
    for (const auto& node : mayasim::scene().nodes) {
        if (filter == MFn::kInvalid || node->hasFn(filter))
            nodes_.push_back(node->handle());
    }
    return MStatus::kSuccess;
}

MObject MItDependencyNodes::thisNode(MStatus* ReturnStatus) const {
    if (isDone()) {
        report(ReturnStatus, MStatus::kFailure);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return nodes_[position_];
}

MStatus MItDependencyNodes::next() {
    if (isDone())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

bool MItDependencyNodes::isDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return position_ >= nodes_.size();
}
