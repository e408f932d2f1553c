#include <maya/MTypeId.h>

unsigned int MTypeId::id(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return id_;
}
