#include "dg/NodeTypeMaking.h"

#include <string>

#include <maya/MFnEnumAttribute.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>

#include "dg/BuiltinTypes.h"
#include "dg/NodeClass.h"

namespace mayasim {
namespace typemaking {

namespace {

std::shared_ptr<Attribute> shared(const MObject& handle) {
    return std::static_pointer_cast<Attribute>(ObjectAccess::share(handle));
}

}  // namespace

MObject numeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                double defaultValue, bool keyable) {
    MFnNumericAttribute fn;
    MObject attr = fn.create(longName, shortName, type, defaultValue);
    fn.setKeyable(keyable);
    return attr;
}

MObject numericTriple(const char* longName, const char* shortName, MFnNumericData::Type type,
                      double defaultValue) {
    const std::string l = longName;
    const std::string s = shortName;
    MObject x = numeric((l + "X").c_str(), (s + "x").c_str(), type, defaultValue);
    MObject y = numeric((l + "Y").c_str(), (s + "y").c_str(), type, defaultValue);
    MObject z = numeric((l + "Z").c_str(), (s + "z").c_str(), type, defaultValue);
    MFnNumericAttribute fn;
    return fn.create(longName, shortName, x, y, z);
}

MObject unitTriple(const char* longName, const char* shortName, MFnUnitAttribute::Type type,
                   bool keyable) {
    const std::string l = longName;
    const std::string s = shortName;
    MObject children[3];
    const char* axes[3] = {"X", "Y", "Z"};
    const char* shortAxes[3] = {"x", "y", "z"};
    for (int i = 0; i < 3; ++i) {
        MFnUnitAttribute unit;
        children[i] = unit.create((l + axes[i]).c_str(), (s + shortAxes[i]).c_str(), type, 0.0);
        unit.setKeyable(keyable);
    }
    MFnNumericAttribute fn;
    MObject parent = fn.create(longName, shortName, children[0], children[1], children[2]);
    fn.setKeyable(keyable);
    return parent;
}

MObject pair(const char* longName, const char* shortName, const MObject& first,
             const MObject& second) {
    MFnNumericAttribute fn;
    return fn.create(longName, shortName, first, second);
}

MObject enumeration(const char* longName, const char* shortName, short defaultValue,
                    std::initializer_list<const char*> fields) {
    MFnEnumAttribute fn;
    MObject attr = fn.create(longName, shortName, defaultValue);
    short index = 0;
    for (const char* field : fields)
        fn.addField(field, index++);
    return attr;
}

MObject message(const char* longName, const char* shortName, bool array) {
    MFnMessageAttribute fn;
    MObject attr = fn.create(longName, shortName);
    fn.setArray(array);
    return attr;
}

MObject typed(const char* longName, const char* shortName, MFnData::Type type, bool output,
              bool array) {
    MFnTypedAttribute fn;
    MObject attr = fn.create(longName, shortName, type);
    fn.setWritable(!output);
    fn.setStorable(!output);
    fn.setArray(array);
    return attr;
}

MObject derived(MObject attribute) {
    Attribute* attr = attributeOf(attribute);
    attr->flags.writable = false;
    attr->flags.storable = false;
    for (const auto& child : attr->children) {
        child->flags.writable = false;
        child->flags.storable = false;
    }
    return attribute;
}

NodeClass& addType(const char* name, unsigned int id, MFn::Type apiType,
                   std::vector<MFn::Type> bases, bool dag, std::initializer_list<MObject> own) {
    auto type = std::make_unique<NodeClass>();
    type->name = name;
    type->id = MTypeId(id);
    type->apiType = apiType;
    type->bases = std::move(bases);
    type->dag = dag;
    type->attributes = dag ? dagNodeAttributes() : dependNodeAttributes();
    if (dag)
        addDagBehaviour(*type);
    addAttributes(*type, own);
    return addBuiltinClass(std::move(type));
}

void addTransformAttributes(NodeClass& type) {
    const NodeClass* transform = findNodeClass("transform");
    const size_t common = dagNodeAttributes().size();
    for (size_t i = common; i < transform->attributes.size(); ++i)
        type.attributes.push_back(transform->attributes[i]);
}

void addAttributes(NodeClass& type, std::initializer_list<MObject> attributes) {
    for (const MObject& attr : attributes)
        type.attributes.push_back(shared(attr));
}

}  // namespace typemaking
}  // namespace mayasim
