#pragma once
// An ordered list of selected items: dependency nodes, DAG paths with optional components,
// and plugs. Adding an item already present merges per the strategy, components element by
// element; new items go at the end.

#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MStringArray;

namespace mayasim {
struct SelectionListAccess;
}

class MSelectionList {
public:
    enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

    MSelectionList() = default;
    MSelectionList(const MSelectionList&) = default;
    virtual ~MSelectionList() = default;
    MSelectionList& operator=(const MSelectionList&) = default;

    MStatus clear();
    bool isEmpty(MStatus* ReturnStatus = NULL) const;
    unsigned int length(MStatus* ReturnStatus = NULL) const;

    MStatus getDependNode(unsigned int index, MObject& depNode) const;
    MStatus getDagPath(unsigned int index, MDagPath& dagPath,
                       MObject& component = MObject::kNullObj) const;
    MStatus getPlug(unsigned int index, MPlug& plug) const;

    MStatus add(const MObject& object, const bool mergeWithExisting = false);
    MStatus add(const MDagPath& object, const MObject& component = MObject::kNullObj,
                const bool mergeWithExisting = false);
    // A node name, DAG path or "node.attr"; '*' and '?' match any names.
    MStatus add(const MString& matchString, const bool searchChildNamespacesToo = false);
    MStatus add(const MPlug& plug, const bool mergeWithExisting = false);
    MStatus remove(unsigned int index);
    MStatus replace(unsigned int index, const MObject& item);
    MStatus replace(unsigned int index, const MDagPath& item,
                    const MObject& component = MObject::kNullObj);
    MStatus replace(unsigned int index, const MPlug& plug);

    bool hasItem(const MObject& item, MStatus* ReturnStatus = NULL) const;
    bool hasItem(const MDagPath& item, const MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = NULL) const;
    bool hasItem(const MPlug& plug, MStatus* ReturnStatus = NULL) const;
    bool hasItemPartly(const MDagPath& item, const MObject& component,
                       MStatus* ReturnStatus = NULL) const;
    MStatus toggle(const MDagPath& item, const MObject& component = MObject::kNullObj);

    MStatus merge(const MSelectionList& other, const MergeStrategy strategy = kMergeNormal);
    MStatus merge(const MDagPath& object, const MObject& component = MObject::kNullObj,
                  const MergeStrategy strategy = kMergeNormal);

    MStatus getSelectionStrings(MStringArray& array) const;
    MStatus getSelectionStrings(unsigned int index, MStringArray& array) const;

private:
    struct Item {
        MObject node;       // a dependency node, for items that are not DAG paths
        MDagPath path;      // for DAG items
        MObject component;  // optional, with a path; the list's own
        MPlug plug;         // for plug items
        bool isDag = false;
        bool isPlug = false;
        bool sameTarget(const Item& other) const;
    };
    class Index;
    friend class MItSelectionList;
    friend struct mayasim::SelectionListAccess;

    int find(const Item& item) const;
    // Merges `item` into the item at `at` (-1: none); false when that item is to go.
    bool mergeInto(int at, const Item& item, MergeStrategy strategy);
    void mergeItem(const Item& item, MergeStrategy strategy);
    void append(const Item& item, bool mergeWithExisting);
    static Item dagItem(const MDagPath& path, const MObject& component);

    std::vector<Item> items_;
};
