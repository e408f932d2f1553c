#pragma once
// Host-side questions about selection lists that Maya's API does not ask.

class MSelectionList;

namespace mayasim {

struct SelectionListAccess {
    // Whether the two lists hold the same items, elements included, in the same order.
    static bool same(const MSelectionList& a, const MSelectionList& b);
};

}  // namespace mayasim
