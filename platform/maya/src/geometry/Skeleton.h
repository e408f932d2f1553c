// Joint chains as Maya's joint and ikHandle nodes compose them (what MFnIkJoint, `joint` and
// `ikHandle` need), in plain data: no DG, no MObject.
#pragma once

#include <string>
#include <vector>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

namespace mayasim {
namespace skeleton {

//! A joint's transform attributes. Angles are radians; `rotate` carries the joint's rotate
//! order, the two orientations are always XYZ.
struct JointTransform {
    MVector translate{0.0, 0.0, 0.0};  //!< "translate"
    MEulerRotation rotate;             //!< "rotate" (order: "rotateOrder")
    MEulerRotation rotateAxis;         //!< "rotateAxis", the scale orientation
    MEulerRotation jointOrient;        //!< "jointOrient"
    MVector scale{1.0, 1.0, 1.0};      //!< "scale"
    //! "inverseScale": the parent joint's scale, which Maya connects to this attribute (and
    //! compensates) while "segmentScaleCompensate" is on; 1 1 1 otherwise.
    MVector inverseScale{1.0, 1.0, 1.0};
};

//! The joint's matrix as MFnIkJoint documents it, for row vectors (p * M):
//! [S] * [RA] * [R] * [JO] * [IS] * [T]: scale, rotate axis, rotate, joint orient, inverse parent
//! scale, translate.
MMatrix jointLocalMatrix(const JointTransform& transform);

//! One joint of a skeleton: its transform and its parent's index (-1 for a root).
struct Joint {
    JointTransform transform;
    int parent = -1;
};

//! `joint -e -oj ... -sao ... [-zso] [-ch]`.
struct OrientOptions {
    //! -oj: the first axis aims at the first child, the second follows the secondary direction,
    //! the third completes a right-handed frame: xyz, yzx, zxy, zyx, yxz, xzy; or "none", which
    //! zeroes the joint orientation (the joint takes its parent's orientation).
    std::string orientJoint = "xyz";
    //! -sao: the world direction the secondary axis points towards: xup, xdown, yup, ydown, zup,
    //! zdown; or "none", which keeps the secondary axis as near its current direction as possible.
    std::string secondaryAxisOrient = "yup";
    //! -zso: zero the rotate axis (scale orientation) too.
    bool zeroScaleOrient = false;
    //! -ch: orient the given joints' descendants as well.
    bool children = false;
};

//! The joints an IK handle drives, and where its parts go.
struct IkChain {
    std::vector<int> joints;  //!< start joint ... end joint, each the parent of the next
    //! The end effector's translate: Maya parents the effector under the end joint's parent at
    //! the end joint's position, so this is the end joint's translate.
    MVector effectorTranslate{0.0, 0.0, 0.0};
    MPoint handlePosition;  //!< the handle's world position: the end joint's
};

//! Joints in an array, each after its parent (parent index < own index), so one forward pass
//! computes every world matrix.
class Skeleton {
public:
    //! Adds a joint under `parent` (-1: a root; otherwise an existing joint) and returns its index.
    int addJoint(const JointTransform& transform, int parent = -1);

    int size() const { return static_cast<int>(joints_.size()); }
    const Joint& joint(int index) const { return joints_[index]; }
    JointTransform& transform(int index) { return joints_[index].transform; }
    //! The joint's children, in the order they were added.
    std::vector<int> children(int index) const;

    //! Every joint's world matrix (local matrix times the parent's world matrix); roots sit
    //! under `rootParent`, the world matrix of their DAG parent.
    std::vector<MMatrix> worldMatrices(const MMatrix& rootParent = MMatrix()) const;
    MPoint worldPosition(int index, const MMatrix& rootParent = MMatrix()) const;

    //! The translate that puts a new child of `parent` (-1: a root) at `world` with no rotation,
    //! as `joint -p x y z` places a joint given in world space.
    MVector translateForWorldPosition(int parent, const MPoint& world,
                                      const MMatrix& rootParent = MMatrix()) const;

    //! Orients `joints` as `joint -e -oj` does: each joint's world frame is rebuilt from the
    //! direction to its first child and the secondary direction; a joint without children
    //! takes its parent's orientation. The result goes into jointOrient with rotate zeroed
    //! (and rotateAxis, with zeroScaleOrient); every direct child is re-expressed so that it
    //! keeps its world position and orientation. Returns "" or the message for a bad -oj or -sao
    //! value, changing nothing then. Exact for uniform scales.
    std::string orientJoints(const std::vector<int>& joints, const OrientOptions& options,
                             const MMatrix& rootParent = MMatrix());

    //! `joint -e -zso`: zeroes rotateAxis, folding it into jointOrient so the joint keeps its
    //! world orientation (exact for uniform scale).
    void zeroScaleOrient(int index);

    //! The chain of an IK handle from `startJoint` to `endJoint`, which must lie below it;
    //! returns "" or the reason it cannot be built.
    std::string ikChain(int startJoint, int endJoint, IkChain& chain,
                        const MMatrix& rootParent = MMatrix()) const;

private:
    //! The rotation (rows orthonormalised) of the frame a joint's orientation acts in: its
    //! inverse scale followed by its parent's world matrix.
    MMatrix parentFrameRotation(int index, const std::vector<MMatrix>& world,
                                const MMatrix& rootParent) const;
    //! Re-expresses joint `index` under its parent's new world matrix so that its world matrix
    //! stays `keep` (translate and jointOrient change, rotate and rotateAxis stay).
    void keepWorldMatrix(int index, const MMatrix& keep, const std::vector<MMatrix>& world,
                         const MMatrix& rootParent);

    std::vector<Joint> joints_;
};

}  // namespace skeleton
}  // namespace mayasim
