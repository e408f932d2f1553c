#include "KeyFrame.h"

template class KeyFrame<float>;
template class KeyFrame<vexel::common::Vector3>;
template class KeyFrame<vexel::common::Quaternion>;
