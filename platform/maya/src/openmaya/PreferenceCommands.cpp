// The preferences tools read: optionVar, snapMode, grid and currentUnit.
#include "openmaya/PreferenceCommands.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MTime.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Preferences.h>

#include <algorithm>
#include <map>

#include "openmaya/CommandTable.h"

namespace mayasim::preferences {
namespace {

struct State {
    std::map<std::string, Value> optionVars;
    Snapping snapping;
    Grid grid;
};

State& state() {
    static State instance;
    return instance;
}

}  // namespace

const Value* optionVar(const std::string& name) {
    const auto& vars = state().optionVars;
    auto found = vars.find(name);
    return found == vars.end() ? nullptr : &found->second;
}

void setOptionVar(const std::string& name, Value value) {
    state().optionVars[name] = std::move(value);
}

bool removeOptionVar(const std::string& name) {
    return state().optionVars.erase(name) > 0;
}

std::vector<std::string> optionVarNames() {
    std::vector<std::string> names;
    for (const auto& [name, value] : state().optionVars)
        names.push_back(name);
    return names;
}

Snapping& snapping() {
    return state().snapping;
}

const Grid& grid() {
    return state().grid;
}

// Maya's grid options keep the grid in the "gridSpacing" and "gridDivisions" option
// variables, which tools read for grid snapping; they follow every grid change here.
void setGrid(const Grid& grid) {
    state().grid = grid;
    setOptionVar("gridSpacing", Value(grid.spacing));
    setOptionVar("gridDivisions", Value(grid.divisions));
}

void reset() {
    state() = State();
    setGrid(Grid());
}

}  // namespace mayasim::preferences

namespace mayasim {
namespace {

namespace prefs = preferences;

void setResult(Value value) {
    CommandEngine::instance().currentResult() = std::move(value);
}

// --- optionVar ------------------------------------------------------------------------

// Appending turns a scalar into an array of its kind; a value of another kind starts over.
Value appended(const Value* current, const Value& item) {
    Value result;
    if (current && current->isArray() && current->kind() != Value::Kind::kStringArray &&
        item.isNumber()) {
        result = *current;
    } else if (current && current->kind() == Value::Kind::kStringArray &&
               item.kind() == Value::Kind::kString) {
        result = *current;
    }
    result.append(item);
    return result;
}

Value emptyArrayLike(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::kString:
        case Value::Kind::kStringArray:
            return Value(std::vector<std::string>());
        case Value::Kind::kDouble:
        case Value::Kind::kDoubleArray:
            return Value(std::vector<double>());
        default:
            return Value(std::vector<int>());
    }
}

MStatus queryOptionVar(CommandCall& call) {
    if (call.isSet("-l")) {
        setResult(Value(prefs::optionVarNames()));
        return MStatus::kSuccess;
    }
    const std::vector<std::string> names = call.objects();
    if (names.empty())
        return call.fail("optionVar: name the option variable to query.",
                         MStatus::kInvalidParameter);
    const Value* value = prefs::optionVar(names.front());
    if (call.isSet("-as")) {
        setResult(Value(value ? static_cast<int>(value->size()) : 0));
        return MStatus::kSuccess;
    }
    // An unset variable reads as 0, as in Maya.
    setResult(value ? *value : Value(0));
    return MStatus::kSuccess;
}

template <typename Read>
void setEach(CommandCall& call, const char* flag, bool append, Read read) {
    for (unsigned int use = 0; use < call.uses(flag); ++use) {
        const std::string name = call.text(flag, "", 0, use);
        const Value value = read(use);
        prefs::setOptionVar(name, append ? appended(prefs::optionVar(name), value) : value);
    }
}

MStatus optionVar(CommandCall& call) {
    if (call.isQuery())
        return queryOptionVar(call);
    if (call.isSet("-ex")) {
        setResult(Value(prefs::optionVar(call.text("-ex")) != nullptr));
        return MStatus::kSuccess;
    }
    if (call.isSet("-l")) {
        setResult(Value(prefs::optionVarNames()));
        return MStatus::kSuccess;
    }
    for (const std::string& name : call.texts("-rm"))
        prefs::removeOptionVar(name);
    for (const std::string& name : call.texts("-ca")) {
        if (const Value* value = prefs::optionVar(name))
            prefs::setOptionVar(name, emptyArrayLike(*value));
    }
    auto integer = [&](const char* flag) {
        return [&call, flag](unsigned int use) { return Value(call.integer(flag, 0, 1, use)); };
    };
    auto number = [&](const char* flag) {
        return [&call, flag](unsigned int use) { return Value(call.number(flag, 0.0, 1, use)); };
    };
    auto text = [&](const char* flag) {
        return [&call, flag](unsigned int use) { return Value(call.text(flag, "", 1, use)); };
    };
    setEach(call, "-iv", false, integer("-iv"));
    setEach(call, "-fv", false, number("-fv"));
    setEach(call, "-sv", false, text("-sv"));
    setEach(call, "-iva", true, integer("-iva"));
    setEach(call, "-fva", true, number("-fva"));
    setEach(call, "-sva", true, text("-sva"));
    return MStatus::kSuccess;
}

// --- snapMode ------------------------------------------------------------------------

struct SnapFlag {
    const char* flag;
    bool prefs::Snapping::*mode;
};
constexpr SnapFlag kSnapFlags[] = {{"-gr", &prefs::Snapping::grid},
                                   {"-p", &prefs::Snapping::point},
                                   {"-c", &prefs::Snapping::curve},
                                   {"-vp", &prefs::Snapping::viewPlane}};

MStatus snapMode(CommandCall& call) {
    prefs::Snapping& modes = prefs::snapping();
    if (call.isQuery()) {
        for (const SnapFlag& snap : kSnapFlags) {
            if (call.isSet(snap.flag))
                setResult(Value(modes.*snap.mode));
        }
        return MStatus::kSuccess;
    }
    const prefs::Snapping before = modes;
    prefs::Snapping after = modes;
    for (const SnapFlag& snap : kSnapFlags) {
        if (call.isSet(snap.flag))
            after.*snap.mode = call.boolean(snap.flag);
    }
    modes = after;
    call.log().add([before] { prefs::snapping() = before; },
                   [after] { prefs::snapping() = after; });
    return MStatus::kSuccess;
}

// --- grid ----------------------------------------------------------------------------

MStatus queryGrid(const CommandCall& call) {
    const prefs::Grid& grid = call.isSet("-df") ? prefs::Grid() : prefs::grid();
    if (call.isSet("-sp"))
        setResult(Value(grid.spacing));
    else if (call.isSet("-d"))
        setResult(Value(grid.divisions));
    else if (call.isSet("-s"))
        setResult(Value(grid.size));
    else if (call.isSet("-tgl"))
        setResult(Value(grid.visible));
    return MStatus::kSuccess;
}

MStatus grid(CommandCall& call) {
    if (call.isQuery())
        return queryGrid(call);
    const prefs::Grid before = prefs::grid();
    prefs::Grid after = call.isSet("-r") ? prefs::Grid() : before;
    after.spacing = call.number("-sp", after.spacing);
    after.divisions = call.integer("-d", after.divisions);
    after.size = call.number("-s", after.size);
    after.visible = call.boolean("-tgl", after.visible);
    if (after.spacing <= 0.0 || after.size <= 0.0)
        return call.fail("grid: the spacing and the size must be greater than 0.",
                         MStatus::kInvalidParameter);
    if (after.divisions < 1)
        return call.fail("grid: the divisions must be at least 1.", MStatus::kInvalidParameter);
    prefs::setGrid(after);
    call.log().add([before] { prefs::setGrid(before); }, [after] { prefs::setGrid(after); });
    return MStatus::kSuccess;
}

// --- currentUnit ---------------------------------------------------------------------

template <typename Unit>
struct UnitName {
    const char* shortName;
    const char* longName;
    Unit unit;
};

const UnitName<MAngle::Unit> kAngleUnits[] = {{"deg", "degree", MAngle::kDegrees},
                                              {"rad", "radian", MAngle::kRadians},
                                              {"min", "minute", MAngle::kAngMinutes},
                                              {"sec", "second", MAngle::kAngSeconds}};
const UnitName<MDistance::Unit> kLinearUnits[] = {{"mm", "millimeter", MDistance::kMillimeters},
                                                  {"cm", "centimeter", MDistance::kCentimeters},
                                                  {"m", "meter", MDistance::kMeters},
                                                  {"km", "kilometer", MDistance::kKilometers},
                                                  {"in", "inch", MDistance::kInches},
                                                  {"ft", "foot", MDistance::kFeet},
                                                  {"yd", "yard", MDistance::kYards},
                                                  {"mi", "mile", MDistance::kMiles}};
const UnitName<MTime::Unit> kTimeUnits[] = {
    {"game", "game", MTime::kGames},       {"film", "film", MTime::kFilm},
    {"pal", "pal", MTime::kPALFrame},      {"ntsc", "ntsc", MTime::kNTSCFrame},
    {"show", "show", MTime::kShowScan},    {"palf", "palf", MTime::kPALField},
    {"ntscf", "ntscf", MTime::kNTSCField}, {"millisec", "millisecond", MTime::kMilliseconds},
    {"sec", "second", MTime::kSeconds},    {"min", "minute", MTime::kMinutes},
    {"hour", "hour", MTime::kHours}};

template <typename Unit, size_t N>
const UnitName<Unit>* findUnit(const UnitName<Unit> (&units)[N], const std::string& name) {
    auto found = std::find_if(std::begin(units), std::end(units), [&](const UnitName<Unit>& u) {
        return name == u.shortName || name == u.longName;
    });
    return found == std::end(units) ? nullptr : found;
}

template <typename Unit, size_t N>
std::string nameOf(const UnitName<Unit> (&units)[N], Unit unit, bool full) {
    for (const auto& u : units) {
        if (u.unit == unit)
            return full ? u.longName : u.shortName;
    }
    return "";
}

// The error for a unit flag whose value names no unit, empty when it is fine or not given.
template <typename Unit, size_t N>
std::string badUnit(const CommandCall& call, const char* flag, const char* kind,
                    const UnitName<Unit> (&units)[N]) {
    if (!call.isSet(flag) || findUnit(units, call.text(flag)))
        return "";
    return std::string("currentUnit: invalid ") + kind + " unit \"" + call.text(flag) + "\".";
}

// A valid unit flag: sets the unit through `apply`, recorded so the command undoes.
template <typename Unit, size_t N>
void setUnit(CommandCall& call, const char* flag, const UnitName<Unit> (&units)[N], Unit current,
             MStatus (*apply)(Unit)) {
    if (!call.isSet(flag))
        return;
    const Unit target = findUnit(units, call.text(flag))->unit;
    apply(target);
    call.log().add([apply, current] { apply(current); }, [apply, target] { apply(target); });
}

MStatus currentUnit(CommandCall& call) {
    const bool full = call.isSet("-f");
    if (call.isQuery()) {
        if (call.isSet("-a"))
            setResult(Value(nameOf(kAngleUnits, MAngle::uiUnit(), full)));
        else if (call.isSet("-t"))
            setResult(Value(nameOf(kTimeUnits, MTime::uiUnit(), full)));
        else
            setResult(Value(nameOf(kLinearUnits, MDistance::uiUnit(), full)));
        return MStatus::kSuccess;
    }
    // Every name is checked before anything changes.
    for (const std::string& error :
         {badUnit(call, "-a", "angular", kAngleUnits), badUnit(call, "-l", "linear", kLinearUnits),
          badUnit(call, "-t", "time", kTimeUnits)}) {
        if (!error.empty())
            return call.fail(error, MStatus::kInvalidParameter);
    }
    setUnit(call, "-a", kAngleUnits, MAngle::uiUnit(), MAngle::setUIUnit);
    setUnit(call, "-l", kLinearUnits, MDistance::uiUnit(), MDistance::setUIUnit);
    setUnit(call, "-t", kTimeUnits, MTime::uiUnit(), MTime::setUIUnit);
    return MStatus::kSuccess;
}

}  // namespace

void registerPreferenceCommands(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"optionVar",
         {{"-iv", "-intValue", {MSyntax::kString, MSyntax::kLong}, true},
          {"-fv", "-floatValue", {MSyntax::kString, MSyntax::kDouble}, true},
          {"-sv", "-stringValue", {MSyntax::kString, MSyntax::kString}, true},
          {"-iva", "-intValueAppend", {MSyntax::kString, MSyntax::kLong}, true},
          {"-fva", "-floatValueAppend", {MSyntax::kString, MSyntax::kDouble}, true},
          {"-sva", "-stringValueAppend", {MSyntax::kString, MSyntax::kString}, true},
          {"-ex", "-exists", {MSyntax::kString}},
          {"-rm", "-remove", {MSyntax::kString}, true},
          {"-ca", "-clearArray", {MSyntax::kString}, true},
          {"-as", "-arraySize"},
          {"-l", "-list"}},
         objects(0, 1),
         optionVar,
         true},
        {"snapMode",
         {{"-gr", "-grid", {MSyntax::kBoolean}},
          {"-p", "-point", {MSyntax::kBoolean}},
          {"-c", "-curve", {MSyntax::kBoolean}},
          {"-vp", "-viewPlane", {MSyntax::kBoolean}}},
         {},
         snapMode,
         true},
        {"grid",
         {{"-sp", "-spacing", {MSyntax::kDouble}},
          {"-d", "-divisions", {MSyntax::kLong}},
          {"-s", "-size", {MSyntax::kDouble}},
          {"-tgl", "-toggle", {MSyntax::kBoolean}},
          {"-r", "-reset"},
          {"-df", "-default"}},
         {},
         grid,
         true},
        {"currentUnit",
         {{"-a", "-angle", {MSyntax::kString}},
          {"-l", "-linear", {MSyntax::kString}},
          {"-t", "-time", {MSyntax::kString}},
          {"-f", "-fullName"},
          {"-ua", "-updateAnimation", {MSyntax::kBoolean}}},
         {},
         currentUnit,
         true},
    };
    registerCommandTable(engine, kSpecs);
    prefs::reset();
}

}  // namespace mayasim

// --- MGlobal's option variable access ------------------------------------------------

namespace {

const mayasim::Value* optionVarValue(const MString& name, bool* exists) {
    const mayasim::Value* value = mayasim::preferences::optionVar(name.asChar());
    if (exists)
        *exists = value != nullptr;
    return value;
}

}  // namespace

int MGlobal::optionVarIntValue(const MString& name, bool* exists) {
    const mayasim::Value* value = optionVarValue(name, exists);
    return value ? value->asInt() : 0;
}

double MGlobal::optionVarDoubleValue(const MString& name, bool* exists) {
    const mayasim::Value* value = optionVarValue(name, exists);
    return value ? value->asDouble() : 0.0;
}

MString MGlobal::optionVarStringValue(const MString& name, bool* exists) {
    const mayasim::Value* value = optionVarValue(name, exists);
    return value ? MString(value->asString().c_str()) : MString();
}

bool MGlobal::setOptionVarValue(const MString& name, int value) {
    mayasim::preferences::setOptionVar(name.asChar(), mayasim::Value(value));
    return true;
}

bool MGlobal::setOptionVarValue(const MString& name, double value) {
    mayasim::preferences::setOptionVar(name.asChar(), mayasim::Value(value));
    return true;
}

bool MGlobal::setOptionVarValue(const MString& name, MString value) {
    mayasim::preferences::setOptionVar(name.asChar(), mayasim::Value(value.asChar()));
    return true;
}
