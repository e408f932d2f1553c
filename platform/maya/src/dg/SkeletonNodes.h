#pragma once
// Joints, IK handles, end effectors and point emitters: transforms with attributes of their
// own. A joint's matrix composes as MFnIkJoint documents it (see skeleton::jointLocalMatrix).

#include <maya/MMatrix.h>

#include "dg/EditLog.h"
#include "geometry/Skeleton.h"

namespace mayasim {

class Node;

void addSkeletonTypes();

//! The joint's transform attributes (inverse scale only while segment scale compensation
//! is on).
skeleton::JointTransform jointTransform(Node& joint);
//! Writes translate, rotate, rotateAxis, jointOrient and scale, recorded in `log` when given.
void setJointTransform(Node& joint, const skeleton::JointTransform& transform, EditLog* log);
//! The joint's matrix relative to its parent.
MMatrix jointMatrix(Node& joint);

//! The node feeding a message input ("startJoint", "endEffector"), or null.
Node* messageSource(Node& node, const char* attribute);

}  // namespace mayasim
