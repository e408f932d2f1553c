#include "RegistrationTable.h"

#include <maya/MPxManipContainer.h>

namespace {
using Kind = Registration::Kind;
}  // namespace

MStatus initializeManipContainer() { return MPxManipContainer::initialize(); }

const std::vector<Registration>& registrationTable() {
    static const std::vector<Registration> rows = {};
    return rows;
}

const std::vector<Deregistration>& deviceNodeDeregistration() {
    static const std::vector<Deregistration> rows = {};
    return rows;
}

const std::vector<Deregistration>& toolDeregistration() {
    static const std::vector<Deregistration> rows = {};
    return rows;
}

const std::vector<Deregistration>& commandDeregistration() {
    static const std::vector<Deregistration> rows = {};
    return rows;
}
