#pragma once
// Small builders for the host's own node types: attributes made through the public
// attribute function sets, and a type registered with the attributes every DAG or
// dependency node has.

#include <initializer_list>
#include <memory>
#include <vector>

#include <maya/MFn.h>
#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MObject.h>

namespace mayasim {

class NodeClass;

namespace typemaking {

MObject numeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                double defaultValue, bool keyable = false);
// A compound of three numbers named longName + X/Y/Z (shortName + x/y/z).
MObject numericTriple(const char* longName, const char* shortName, MFnNumericData::Type type,
                      double defaultValue);
// A compound of three units named longName + X/Y/Z, as translate and rotate are.
MObject unitTriple(const char* longName, const char* shortName, MFnUnitAttribute::Type type,
                   bool keyable = false);
// A compound of two existing attributes.
MObject pair(const char* longName, const char* shortName, const MObject& first,
             const MObject& second);
MObject enumeration(const char* longName, const char* shortName, short defaultValue,
                    std::initializer_list<const char*> fields);
MObject message(const char* longName, const char* shortName, bool array = false);
// A typed attribute; outputs are neither writable nor stored.
MObject typed(const char* longName, const char* shortName, MFnData::Type type, bool output,
              bool array = false);
// Makes an attribute read-only and not stored (a value the node derives).
MObject derived(MObject attribute);

// Registers a built-in type with the common DAG (or dependency) attributes, then `own`.
NodeClass& addType(const char* name, unsigned int id, MFn::Type apiType,
                   std::vector<MFn::Type> bases, bool dag, std::initializer_list<MObject> own);
// Adds the transform type's attributes (translate, rotate, scale, pivots...) to a type
// derived from transform.
void addTransformAttributes(NodeClass& type);
void addAttributes(NodeClass& type, std::initializer_list<MObject> attributes);

}  // namespace typemaking
}  // namespace mayasim
