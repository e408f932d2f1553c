#pragma once
// What the 3D view shows of the active selection: which objects draw as selected (the last
// selected one as the lead), and which mesh components are picked.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>

namespace vxsim::render {

//! Picked components of one mesh, as element indices, and whether its vertices show (a
//! hilited mesh while vertices are being picked).
struct MeshComponents {
    std::vector<int> vertices;
    std::vector<int> edges;
    std::vector<int> faces;
    bool showVertices = false;
};

class SelectionDisplay {
public:
    //! Reads Maya's active selection.
    static SelectionDisplay ofActiveSelection();

    //! kLead for a shape under the last selected object, kActive under any other selected
    //! object, kHilite for a shape with picked components or hilited (it or its transform),
    //! else kDormant.
    M3dView::DisplayStatus statusOf(const MDagPath& shape) const;
    //! The picked components of a mesh shape, or null.
    const MeshComponents* componentsOf(const MDagPath& shape) const;
    //! The picked CVs of a curve or surface shape (surface CVs as u * numCVsInV + v), or null.
    const std::vector<int>* cvsOf(const MDagPath& shape) const;

private:
    std::unordered_map<std::string, bool> objects_;  // full path name -> is the lead
    std::unordered_map<std::string, MeshComponents> components_;
    std::unordered_map<std::string, std::vector<int>> cvs_;
    std::unordered_set<std::string> hilited_;  // full path names of the hilite list
};

}  // namespace vxsim::render
