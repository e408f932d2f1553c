#include "Skeleton.h"

#include <algorithm>
#include <cmath>

namespace mayasim {
namespace skeleton {

namespace {

constexpr double kParallelTolerance = 1.0e-6;

MMatrix scaleMatrix(double x, double y, double z) {
    MMatrix m;
    m(0, 0) = x;
    m(1, 1) = y;
    m(2, 2) = z;
    return m;
}

MMatrix translationMatrix(const MVector& t) {
    MMatrix m;
    m(3, 0) = t.x;
    m(3, 1) = t.y;
    m(3, 2) = t.z;
    return m;
}

double safeInverse(double s) {
    return s != 0.0 ? 1.0 / s : 1.0;
}

MVector row(const MMatrix& m, int r) {
    return MVector(m(r, 0), m(r, 1), m(r, 2));
}

MMatrix fromRows(const MVector rows[3]) {
    MMatrix m;
    for (int r = 0; r < 3; ++r) {
        m(r, 0) = rows[r].x;
        m(r, 1) = rows[r].y;
        m(r, 2) = rows[r].z;
    }
    return m;
}

// Any unit vector perpendicular to v.
MVector perpendicular(const MVector& v) {
    const MVector trial = std::fabs(v.x) < 0.9 ? MVector(1.0, 0.0, 0.0) : MVector(0.0, 1.0, 0.0);
    return (v ^ trial).normal();
}

// The rotation of a matrix's upper 3x3, rows made orthonormal (Gram-Schmidt) and right-handed:
// what is left of a transform once its scale is taken out.
MMatrix rotationOf(const MMatrix& m) {
    MVector rows[3] = {row(m, 0), row(m, 1), row(m, 2)};
    rows[0].normalize();
    rows[1] = rows[1] - rows[0] * (rows[0] * rows[1]);
    if (rows[1].length() < kParallelTolerance)
        rows[1] = perpendicular(rows[0]);
    rows[1].normalize();
    rows[2] = rows[0] ^ rows[1];
    return fromRows(rows);
}

int axisIndex(char c) {
    return c == 'x' ? 0 : (c == 'y' ? 1 : (c == 'z' ? 2 : -1));
}

// -oj: primary, secondary and third axis indices; false for an unknown value.
bool parseAxisOrder(const std::string& order, int axes[3]) {
    if (order.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i)
        axes[i] = axisIndex(order[i]);
    return axes[0] >= 0 && axes[1] >= 0 && axes[2] >= 0 && axes[0] != axes[1] &&
           axes[1] != axes[2] && axes[0] != axes[2];
}

// -sao: the world direction, or the zero vector for "none"; false for an unknown value.
bool parseSecondaryAxis(const std::string& value, MVector& direction) {
    if (value == "none") {
        direction = MVector(0.0, 0.0, 0.0);
        return true;
    }
    if (value.size() < 3 || axisIndex(value[0]) < 0)
        return false;
    const std::string sense = value.substr(1);
    if (sense != "up" && sense != "down")
        return false;
    double components[3] = {0.0, 0.0, 0.0};
    components[axisIndex(value[0])] = sense == "up" ? 1.0 : -1.0;
    direction = MVector(components[0], components[1], components[2]);
    return true;
}

}  // namespace

MMatrix jointLocalMatrix(const JointTransform& t) {
    const MMatrix s = scaleMatrix(t.scale.x, t.scale.y, t.scale.z);
    const MMatrix is = scaleMatrix(safeInverse(t.inverseScale.x), safeInverse(t.inverseScale.y),
                                   safeInverse(t.inverseScale.z));
    return s * t.rotateAxis.asMatrix() * t.rotate.asMatrix() * t.jointOrient.asMatrix() * is *
           translationMatrix(t.translate);
}

int Skeleton::addJoint(const JointTransform& transform, int parent) {
    joints_.push_back(Joint{transform, parent < size() ? parent : -1});
    return size() - 1;
}

std::vector<int> Skeleton::children(int index) const {
    std::vector<int> result;
    for (int i = index + 1; i < size(); ++i) {
        if (joints_[i].parent == index)
            result.push_back(i);
    }
    return result;
}

std::vector<MMatrix> Skeleton::worldMatrices(const MMatrix& rootParent) const {
    std::vector<MMatrix> world(joints_.size());
    for (int i = 0; i < size(); ++i) {
        const int parent = joints_[i].parent;
        world[i] =
            jointLocalMatrix(joints_[i].transform) * (parent >= 0 ? world[parent] : rootParent);
    }
    return world;
}

MPoint Skeleton::worldPosition(int index, const MMatrix& rootParent) const {
    MMatrix world = jointLocalMatrix(joints_[index].transform);
    for (int p = joints_[index].parent; p >= 0; p = joints_[p].parent)
        world = world * jointLocalMatrix(joints_[p].transform);
    world = world * rootParent;
    return MPoint(world(3, 0), world(3, 1), world(3, 2));
}

MVector Skeleton::translateForWorldPosition(int parent, const MPoint& world,
                                            const MMatrix& rootParent) const {
    MMatrix parentWorld = rootParent;
    if (parent >= 0) {
        parentWorld = jointLocalMatrix(joints_[parent].transform);
        for (int p = joints_[parent].parent; p >= 0; p = joints_[p].parent)
            parentWorld = parentWorld * jointLocalMatrix(joints_[p].transform);
        parentWorld = parentWorld * rootParent;
    }
    return MVector(world * parentWorld.inverse());
}

MMatrix Skeleton::parentFrameRotation(int index, const std::vector<MMatrix>& world,
                                      const MMatrix& rootParent) const {
    const JointTransform& t = joints_[index].transform;
    const int parent = joints_[index].parent;
    const MMatrix is = scaleMatrix(safeInverse(t.inverseScale.x), safeInverse(t.inverseScale.y),
                                   safeInverse(t.inverseScale.z));
    return rotationOf(is * (parent >= 0 ? world[parent] : rootParent));
}

void Skeleton::keepWorldMatrix(int index, const MMatrix& keep, const std::vector<MMatrix>& world,
                               const MMatrix& rootParent) {
    JointTransform& t = joints_[index].transform;
    const int parent = joints_[index].parent;
    const MMatrix parentWorld = parent >= 0 ? world[parent] : rootParent;
    t.translate = MVector(MPoint(keep(3, 0), keep(3, 1), keep(3, 2)) * parentWorld.inverse());
    // Orientation: rotateAxis * rotate * jointOrient * frame == the kept rotation.
    const MMatrix before = t.rotateAxis.asMatrix() * t.rotate.asMatrix();
    const MMatrix orient = before.transpose() * rotationOf(keep) *
                           parentFrameRotation(index, world, rootParent).transpose();
    t.jointOrient = MEulerRotation::decompose(orient, MEulerRotation::kXYZ);
}

std::string Skeleton::orientJoints(const std::vector<int>& selection, const OrientOptions& options,
                                   const MMatrix& rootParent) {
    const bool none = options.orientJoint == "none";
    int axes[3] = {0, 1, 2};
    if (!none && !parseAxisOrder(options.orientJoint, axes))
        return "Invalid -orientJoint value \"" + options.orientJoint +
               "\": use xyz, yzx, zxy, zyx, yxz, xzy or none.";
    MVector secondaryDirection;
    if (!parseSecondaryAxis(options.secondaryAxisOrient, secondaryDirection))
        return "Invalid -secondaryAxisOrient value \"" + options.secondaryAxisOrient +
               "\": use xup, xdown, yup, ydown, zup, zdown or none.";

    std::vector<char> oriented(joints_.size(), 0);
    for (int index : selection) {
        if (index >= 0 && index < size())
            oriented[index] = 1;
    }
    if (options.children) {
        for (int i = 0; i < size(); ++i) {
            if (joints_[i].parent >= 0 && oriented[joints_[i].parent])
                oriented[i] = 1;
        }
    }
    // A right-handed frame: the third axis is primary x secondary when they come in x, y, z
    // order (cyclically), secondary x primary otherwise.
    const bool cyclic = (axes[1] - axes[0] + 3) % 3 == 1;

    const std::vector<MMatrix> original = worldMatrices(rootParent);
    std::vector<MMatrix> world = original;
    // Children as linked lists (first child, next sibling), in the order they were added.
    std::vector<int> firstChild(joints_.size(), -1);
    std::vector<int> nextSibling(joints_.size(), -1);
    for (int i = size() - 1; i >= 0; --i) {
        const int parent = joints_[i].parent;
        if (parent >= 0) {
            nextSibling[i] = firstChild[parent];
            firstChild[parent] = i;
        }
    }

    for (int i = 0; i < size(); ++i) {
        const int parent = joints_[i].parent;
        const MMatrix parentWorld = parent >= 0 ? world[parent] : rootParent;
        if (oriented[i]) {
            JointTransform& t = joints_[i].transform;
            const MMatrix frame = parentFrameRotation(i, world, rootParent);
            MMatrix desired = frame;  // no child to aim at: the parent's orientation
            const int child = firstChild[i];
            const MVector aim =
                child >= 0 ? row(original[child], 3) - row(original[i], 3) : MVector(0.0, 0.0, 0.0);
            if (!none && aim.length() > kParallelTolerance) {
                const MVector primary = aim.normal();
                const MMatrix current = rotationOf(original[i]);
                MVector up =
                    secondaryDirection.length() > 0.0 ? secondaryDirection : row(current, axes[1]);
                MVector secondary = up - primary * (primary * up);
                if (secondary.length() < kParallelTolerance) {
                    // Aiming along the secondary direction: keep the current secondary axis.
                    up = row(current, axes[1]);
                    secondary = up - primary * (primary * up);
                    if (secondary.length() < kParallelTolerance)
                        secondary = perpendicular(primary);
                }
                secondary.normalize();
                MVector rows[3];
                rows[axes[0]] = primary;
                rows[axes[1]] = secondary;
                rows[axes[2]] = cyclic ? primary ^ secondary : secondary ^ primary;
                desired = fromRows(rows);
            }
            t.rotate = MEulerRotation(0.0, 0.0, 0.0, t.rotate.order);
            if (options.zeroScaleOrient)
                t.rotateAxis = MEulerRotation(0.0, 0.0, 0.0);
            const MMatrix orient =
                t.rotateAxis.asMatrix().transpose() * desired * frame.transpose();
            t.jointOrient = MEulerRotation::decompose(orient, MEulerRotation::kXYZ);
            world[i] = jointLocalMatrix(t) * parentWorld;
            for (int c = firstChild[i]; c >= 0; c = nextSibling[c])
                keepWorldMatrix(c, original[c], world, rootParent);
            continue;
        }
        world[i] = jointLocalMatrix(joints_[i].transform) * parentWorld;
    }
    return {};
}

void Skeleton::zeroScaleOrient(int index) {
    JointTransform& t = joints_[index].transform;
    const MMatrix r = t.rotate.asMatrix();
    const MMatrix orient = r.transpose() * t.rotateAxis.asMatrix() * r * t.jointOrient.asMatrix();
    t.jointOrient = MEulerRotation::decompose(orient, MEulerRotation::kXYZ);
    t.rotateAxis = MEulerRotation(0.0, 0.0, 0.0);
}

std::string Skeleton::ikChain(int startJoint, int endJoint, IkChain& chain,
                              const MMatrix& rootParent) const {
    if (startJoint < 0 || startJoint >= size() || endJoint < 0 || endJoint >= size())
        return "The start and end of an IK chain must be joints.";
    if (startJoint == endJoint)
        return "An IK chain needs an end joint below its start joint.";
    std::vector<int> joints;
    int j = endJoint;
    for (; j >= 0 && j != startJoint; j = joints_[j].parent)
        joints.push_back(j);
    if (j != startJoint)
        return "The end joint is not below the start joint.";
    joints.push_back(startJoint);
    std::reverse(joints.begin(), joints.end());
    chain.joints = std::move(joints);
    chain.effectorTranslate = joints_[endJoint].transform.translate;
    chain.handlePosition = worldPosition(endJoint, rootParent);
    return {};
}

}  // namespace skeleton
}  // namespace mayasim
