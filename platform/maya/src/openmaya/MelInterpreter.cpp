#include "MelInterpreter.h"

#include <maya/MArgList.h>

#include <mayasim/CommandEngine.h>

#include <cmath>

#include "SyntaxData.h"

namespace mayasim {
namespace {

using mel::Expr;
using mel::Stmt;

// Aborts the running script; `message` is shown unless the failing command showed its own.
struct Abort {
    std::string message;
};

// Control leaving a loop, a switch or a procedure early.
struct Break {};
struct Continue {};
struct Return {
    bool hasValue;
    int line;
};

[[noreturn]] void abortAt(int line, const std::string& what) {
    throw Abort{"line " + std::to_string(line) + ": " + what};
}

// Deeper than this, a procedure calling itself is taken for one that never stops.
constexpr int kMaxCallDepth = 1000;

Value convertTo(const std::string& type, bool isArray, const Value& value) {
    if (isArray) {
        if (type == "string")
            return Value(value.asStringArray());
        if (type == "int")
            return Value(value.asIntArray());
        return Value(value.asDoubleArray());
    }
    if (type == "string")
        return Value(value.asString());
    if (type == "int")
        return Value(value.asInt());
    return Value(value.asDouble());
}

std::string typeOf(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::kInt:
        case Value::Kind::kIntArray:
            return "int";
        case Value::Kind::kDouble:
        case Value::Kind::kDoubleArray:
            return "float";
        default:
            return "string";
    }
}

Value element(const Value& array, int index) {
    if (index < 0 || static_cast<size_t>(index) >= array.size()) {
        if (array.kind() == Value::Kind::kStringArray)
            return Value(std::string());
        return array.kind() == Value::Kind::kDoubleArray ? Value(0.0) : Value(0);
    }
    switch (array.kind()) {
        case Value::Kind::kIntArray:
            return Value(array.asIntArray()[index]);
        case Value::Kind::kDoubleArray:
            return Value(array.asDoubleArray()[index]);
        default:
            return Value(array.asStringArray()[index]);
    }
}

Value withElement(const Value& array, int index, const Value& item) {
    const size_t size = std::max(array.size(), static_cast<size_t>(index) + 1);
    switch (array.kind()) {
        case Value::Kind::kIntArray: {
            auto items = array.asIntArray();
            items.resize(size);
            items[index] = item.asInt();
            return Value(items);
        }
        case Value::Kind::kDoubleArray: {
            auto items = array.asDoubleArray();
            items.resize(size);
            items[index] = item.asDouble();
            return Value(items);
        }
        default: {
            auto items = array.asStringArray();
            items.resize(size);
            items[index] = item.asString();
            return Value(items);
        }
    }
}

// The element type an array literal takes from its members: strings win over floats over ints.
Value arrayOf(const std::vector<Value>& items) {
    bool anyString = false;
    bool anyFloat = false;
    for (const Value& item : items) {
        anyString = anyString || item.kind() == Value::Kind::kString ||
                    item.kind() == Value::Kind::kStringArray;
        anyFloat = anyFloat || item.kind() == Value::Kind::kDouble ||
                   item.kind() == Value::Kind::kDoubleArray;
    }
    Value array = anyString  ? Value(std::vector<std::string>())
                  : anyFloat ? Value(std::vector<double>())
                             : Value(std::vector<int>());
    for (const Value& item : items)
        array.append(item);
    return array;
}

bool isText(const Value& v) {
    return v.kind() == Value::Kind::kString || v.kind() == Value::Kind::kStringArray;
}

std::vector<double> doubles(const Value& value) {
    return value.asDoubleArray();
}

}  // namespace

// A parsed source: its statements, kept while procedures defined in it live, and the local
// procedures it defines, which only its own code sees.
struct MelInterpreter::Program {
    std::vector<mel::StmtPtr> statements;
    std::map<std::string, std::unique_ptr<Procedure>> procedures;
};

struct MelInterpreter::Procedure {
    std::shared_ptr<Program> program;
    const mel::ProcDef* definition;
};

struct MelInterpreter::Run {
    std::vector<Scope> scopes;
    std::shared_ptr<Program> program;
    int depth = 0;
    bool undoEnabled = false;
    Value last;
    Typed returned;  // what the last return statement gave
};

// A procedure's call: its own variables only, and its program's local procedures. The
// caller's are back when it ends, however it ends.
class MelInterpreter::Frame {
public:
    Frame(Run& run, std::shared_ptr<Program> program)
        : run_(run), scopes_(std::move(run.scopes)), program_(std::move(run.program)) {
        run_.scopes.assign(1, Scope());
        run_.program = std::move(program);
        ++run_.depth;
    }
    ~Frame() {
        run_.scopes = std::move(scopes_);
        run_.program = std::move(program_);
        --run_.depth;
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

private:
    Run& run_;
    std::vector<Scope> scopes_;
    std::shared_ptr<Program> program_;
};

namespace {

// A block's variables end with it, however it ends.
template <typename Scopes>
class BlockScope {
public:
    explicit BlockScope(Scopes& scopes) : scopes_(scopes) { scopes_.emplace_back(); }
    ~BlockScope() { scopes_.pop_back(); }
    BlockScope(const BlockScope&) = delete;
    BlockScope& operator=(const BlockScope&) = delete;

private:
    Scopes& scopes_;
};

}  // namespace

MelInterpreter::MelInterpreter(CommandEngine& engine) : engine_(engine) {}
MelInterpreter::~MelInterpreter() = default;

MStatus MelInterpreter::run(const std::string& source, Value* result, bool undoEnabled) {
    auto program = std::make_shared<Program>();
    mel::SyntaxError error;
    if (!mel::parse(source, program->statements, error)) {
        engine_.showMessage("error", error.message());
        return MS::kFailure;
    }
    Run run;
    run.undoEnabled = undoEnabled;
    run.scopes.emplace_back();
    run.program = program;
    try {
        for (const auto& stmt : program->statements)
            execute(*stmt, run);
    } catch (const Abort& abort) {
        if (!abort.message.empty())
            engine_.showMessage("error", abort.message);
        return MS::kFailure;
    } catch (const Return& stop) {
        engine_.showMessage("error", "line " + std::to_string(stop.line) +
                                         ": return is only allowed inside a procedure.");
        return MS::kFailure;
    } catch (const Break&) {
        engine_.showMessage("error", "break is only allowed inside a loop or a switch.");
        return MS::kFailure;
    } catch (const Continue&) {
        engine_.showMessage("error", "continue is only allowed inside a loop.");
        return MS::kFailure;
    }
    if (result)
        *result = run.last;
    return MS::kSuccess;
}

const Value* MelInterpreter::global(const std::string& name) const {
    auto it = globals_.find(name);
    return it == globals_.end() ? nullptr : &it->second->value;
}

bool MelInterpreter::hasProcedure(const std::string& name) const {
    return procedures_.count(name) > 0;
}

// ---- statements ----

void MelInterpreter::execute(const Stmt& stmt, Run& run) {
    switch (stmt.kind) {
        case Stmt::Kind::kEmpty:
            return;
        case Stmt::Kind::kExpr:
            run.last = evaluate(*stmt.expr, run).value;
            return;
        case Stmt::Kind::kDeclare:
            declare(stmt, run);
            return;
        case Stmt::Kind::kIf:
            if (evaluate(*stmt.expr, run).value.isTrue()) {
                execute(*stmt.body, run);
            } else if (stmt.otherwise) {
                execute(*stmt.otherwise, run);
            }
            return;
        case Stmt::Kind::kWhile:
        case Stmt::Kind::kDoWhile:
        case Stmt::Kind::kFor:
            loop(stmt, run);
            return;
        case Stmt::Kind::kForIn:
            forIn(stmt, run);
            return;
        case Stmt::Kind::kBlock:
            executeBlock(stmt.statements, run);
            return;
        case Stmt::Kind::kSwitch:
            switchOn(stmt, run);
            return;
        case Stmt::Kind::kProc:
            define(stmt, run);
            return;
        case Stmt::Kind::kReturn:
            run.returned = stmt.expr ? evaluate(*stmt.expr, run) : Typed();
            throw Return{static_cast<bool>(stmt.expr), stmt.line};
        case Stmt::Kind::kBreak:
            throw Break{};
        case Stmt::Kind::kContinue:
            throw Continue{};
    }
}

void MelInterpreter::executeBlock(const std::vector<mel::StmtPtr>& statements, Run& run) {
    BlockScope<std::vector<Scope>> scope(run.scopes);
    for (const auto& inner : statements)
        execute(*inner, run);
}

void MelInterpreter::loop(const Stmt& stmt, Run& run) {
    auto test = [&] { return !stmt.expr || evaluate(*stmt.expr, run).value.isTrue(); };
    if (stmt.kind == Stmt::Kind::kFor && stmt.init)
        evaluate(*stmt.init, run);
    bool first = stmt.kind == Stmt::Kind::kDoWhile;
    try {
        while (first || test()) {
            first = false;
            try {
                execute(*stmt.body, run);
            } catch (const Continue&) {
            }
            if (stmt.kind == Stmt::Kind::kFor && stmt.step)
                evaluate(*stmt.step, run);
        }
    } catch (const Break&) {
    }
}

void MelInterpreter::forIn(const Stmt& stmt, Run& run) {
    const Typed array = evaluate(*stmt.expr, run);
    if (!array.value.isArray() || !array.shape.empty())
        abortAt(stmt.line, "for-in loops over an array.");
    VariablePtr variable = findVariable(stmt.variable, run);
    if (!variable) {
        // An undeclared loop variable is declared with the array's element type.
        variable = makeVariable(typeOf(array.value), false, 0, 0);
        run.scopes.back()[stmt.variable] = variable;
    }
    try {
        for (size_t i = 0; i < array.value.size(); ++i) {
            variable->value = convertTo(variable->type, variable->isArray,
                                        element(array.value, static_cast<int>(i)));
            try {
                execute(*stmt.body, run);
            } catch (const Continue&) {
            }
        }
    } catch (const Break&) {
    }
}

void MelInterpreter::switchOn(const Stmt& stmt, Run& run) {
    const Value value = evaluate(*stmt.expr, run).value;
    size_t start = stmt.cases.size();
    for (size_t i = 0; i < stmt.cases.size() && start == stmt.cases.size(); ++i) {
        const auto& label = stmt.cases[i].label;
        if (!label)
            continue;
        const Value candidate = evaluate(*label, run).value;
        const bool text = isText(value) && isText(candidate);
        if (text ? value.asString() == candidate.asString()
                 : value.asDouble() == candidate.asDouble()) {
            start = i;
        }
    }
    for (size_t i = 0; i < stmt.cases.size() && start == stmt.cases.size(); ++i) {
        if (!stmt.cases[i].label)
            start = i;
    }
    // From the matching case on, through the cases below it, until a break.
    BlockScope<std::vector<Scope>> scope(run.scopes);
    try {
        for (size_t i = start; i < stmt.cases.size(); ++i) {
            for (const auto& inner : stmt.cases[i].statements)
                execute(*inner, run);
        }
    } catch (const Break&) {
    }
}

void MelInterpreter::define(const Stmt& stmt, Run& run) {
    const mel::ProcDef& definition = *stmt.proc;
    auto procedure = std::make_unique<Procedure>(Procedure{run.program, &definition});
    if (definition.isGlobal) {
        procedures_[definition.name] = std::move(procedure);
    } else {
        run.program->procedures[definition.name] = std::move(procedure);
    }
}

void MelInterpreter::declare(const Stmt& stmt, Run& run) {
    for (const auto& declarator : stmt.declarators) {
        int rows = 0, columns = 0;
        if (declarator.rows) {
            rows = evaluate(*declarator.rows, run).value.asInt();
            columns = evaluate(*declarator.columns, run).value.asInt();
            if (rows <= 0 || columns <= 0)
                abortAt(stmt.line, "A matrix needs a positive size.");
        }
        VariablePtr variable;
        if (stmt.isGlobal) {
            VariablePtr& slot = globals_[declarator.name];
            if (!slot) {
                slot = makeVariable(stmt.type, declarator.isArray, rows, columns);
            } else if (slot->type != stmt.type || slot->isArray != declarator.isArray) {
                abortAt(stmt.line, "Global variable \"$" + declarator.name +
                                       "\" was already declared with another type.");
            }
            variable = slot;
        } else {
            variable = makeVariable(stmt.type, declarator.isArray, rows, columns);
        }
        run.scopes.back()[declarator.name] = variable;
        if (declarator.init) {
            auto target = std::make_unique<Expr>();
            target->kind = Expr::Kind::kVariable;
            target->name = declarator.name;
            target->line = stmt.line;
            store(*target, evaluate(*declarator.init, run), run);
        }
    }
}

MelInterpreter::VariablePtr MelInterpreter::makeVariable(const std::string& type, bool isArray,
                                                         int rows, int columns) {
    auto variable = std::make_shared<Variable>();
    variable->type = type;
    variable->isArray = isArray;
    variable->rows = rows;
    variable->columns = columns;
    if (type == "vector")
        variable->value = Value(std::vector<double>(3, 0.0));
    else if (type == "matrix")
        variable->value = Value(std::vector<double>(static_cast<size_t>(rows * columns), 0.0));
    else
        variable->value = convertTo(type, isArray, Value());
    return variable;
}

MelInterpreter::VariablePtr MelInterpreter::findVariable(const std::string& name, Run& run) {
    for (auto scope = run.scopes.rbegin(); scope != run.scopes.rend(); ++scope) {
        auto it = scope->find(name);
        if (it != scope->end())
            return it->second;
    }
    return nullptr;
}

MelInterpreter::VariablePtr MelInterpreter::lookup(const std::string& name, Run& run, int line) {
    VariablePtr variable = findVariable(name, run);
    if (!variable)
        abortAt(line, "\"$" + name + "\" is an undeclared variable.");
    return variable;
}

// ---- expressions ----

MelInterpreter::Typed MelInterpreter::evaluate(const Expr& expr, Run& run) {
    switch (expr.kind) {
        case Expr::Kind::kLiteral:
            return {expr.literal};
        case Expr::Kind::kVariable: {
            const VariablePtr variable = lookup(expr.name, run, expr.line);
            const bool shaped = variable->type == "vector" || variable->type == "matrix";
            return {variable->value, shaped ? variable->type : std::string(), variable->rows,
                    variable->columns};
        }
        case Expr::Kind::kIndex:
            return index(expr, run);
        case Expr::Kind::kArray: {
            std::vector<Value> items;
            for (const auto& operand : expr.operands)
                items.push_back(evaluate(*operand, run).value);
            return {arrayOf(items)};
        }
        case Expr::Kind::kVector:
        case Expr::Kind::kMatrix: {
            std::vector<double> values;
            for (const auto& operand : expr.operands) {
                const Typed item = evaluate(*operand, run);
                if (!item.shape.empty() || item.value.isArray() || isText(item.value))
                    abortAt(expr.line, "Vectors and matrices hold numbers.");
                values.push_back(item.value.asDouble());
            }
            const bool vector = expr.kind == Expr::Kind::kVector;
            return {Value(values), vector ? "vector" : "matrix", vector ? 0 : expr.rows,
                    vector ? 0 : expr.columns};
        }
        case Expr::Kind::kMember: {
            const Typed vector = evaluate(*expr.operands[0], run);
            if (vector.shape != "vector")
                abortAt(expr.line, "Only vectors have ." + expr.name + ".");
            return {Value(doubles(vector.value)[static_cast<size_t>(expr.name[0] - 'x')])};
        }
        case Expr::Kind::kUnary: {
            Typed operand = evaluate(*expr.operands[0], run);
            if (expr.op == "!")
                return {Value(!operand.value.isTrue())};
            if (expr.op == "+")
                return operand;
            if (!operand.shape.empty()) {
                std::vector<double> negated = doubles(operand.value);
                for (double& d : negated)
                    d = -d;
                operand.value = Value(negated);
                return operand;
            }
            if (operand.value.kind() == Value::Kind::kInt)
                return {Value(-operand.value.asInt())};
            return {Value(-operand.value.asDouble())};
        }
        case Expr::Kind::kBinary:
            return binary(expr, run);
        case Expr::Kind::kAssign:
            return assign(expr, run);
        case Expr::Kind::kIncrement:
            return increment(expr, run);
        case Expr::Kind::kTernary:
            return evaluate(*expr.operands[0], run).value.isTrue()
                       ? evaluate(*expr.operands[1], run)
                       : evaluate(*expr.operands[2], run);
        case Expr::Kind::kCall:
            return call(expr, run);
    }
    return {};
}

// $array[i], or $matrix[row][column].
MelInterpreter::Typed MelInterpreter::index(const Expr& expr, Run& run) {
    const Expr& base = *expr.operands[0];
    if (base.kind == Expr::Kind::kIndex) {
        const Typed matrix = evaluate(*base.operands[0], run);
        if (matrix.shape == "matrix") {
            const int row = evaluate(*base.operands[1], run).value.asInt();
            const int column = evaluate(*expr.operands[1], run).value.asInt();
            if (row < 0 || row >= matrix.rows || column < 0 || column >= matrix.columns)
                abortAt(expr.line, "The matrix has no element [" + std::to_string(row) + "][" +
                                       std::to_string(column) + "].");
            return {
                Value(doubles(matrix.value)[static_cast<size_t>(row * matrix.columns + column)])};
        }
    }
    const Typed array = evaluate(base, run);
    if (!array.value.isArray() || !array.shape.empty())
        abortAt(expr.line, "Only arrays can be indexed.");
    return {element(array.value, evaluate(*expr.operands[1], run).value.asInt())};
}

MelInterpreter::Typed MelInterpreter::binary(const Expr& expr, Run& run) {
    const std::string& op = expr.op;
    if (op == "&&" || op == "||") {
        const bool left = evaluate(*expr.operands[0], run).value.isTrue();
        if (op == "&&" && !left)
            return {Value(false)};
        if (op == "||" && left)
            return {Value(true)};
        return {Value(evaluate(*expr.operands[1], run).value.isTrue())};
    }
    const Typed a = evaluate(*expr.operands[0], run);
    const Typed b = evaluate(*expr.operands[1], run);
    return combine(op, a, b, expr.line);
}

MelInterpreter::Typed MelInterpreter::combine(const std::string& op, const Typed& typedA,
                                              const Typed& typedB, int line) {
    const Value& a = typedA.value;
    const Value& b = typedB.value;
    if (op == "+" && (isText(a) || isText(b)) && !(a.isArray() && typedA.shape.empty()) &&
        !(b.isArray() && typedB.shape.empty())) {
        return {Value(a.asString() + b.asString())};
    }
    if (!typedA.shape.empty() || !typedB.shape.empty())
        return vectorOperation(op, typedA, typedB, line);
    if (a.isArray() || b.isArray())
        abortAt(line, "Illegal operation '" + op + "' on an array.");
    const bool text = isText(a) && isText(b);
    if (op == "==")
        return {Value(text ? a.asString() == b.asString() : a.asDouble() == b.asDouble())};
    if (op == "!=")
        return {Value(text ? a.asString() != b.asString() : a.asDouble() != b.asDouble())};
    if (op == "<")
        return {Value(text ? a.asString() < b.asString() : a.asDouble() < b.asDouble())};
    if (op == ">")
        return {Value(text ? a.asString() > b.asString() : a.asDouble() > b.asDouble())};
    if (op == "<=")
        return {Value(text ? a.asString() <= b.asString() : a.asDouble() <= b.asDouble())};
    if (op == ">=")
        return {Value(text ? a.asString() >= b.asString() : a.asDouble() >= b.asDouble())};
    if (isText(a) || isText(b))
        abortAt(line, "Illegal operation '" + op + "' on a string.");
    if (op == "^")
        abortAt(line, "Illegal operation '^': the cross product needs two vectors.");
    const bool ints = a.kind() == Value::Kind::kInt && b.kind() == Value::Kind::kInt;
    if ((op == "/" || op == "%") && b.asDouble() == 0.0)
        abortAt(line, "Division by zero.");
    if (ints) {
        const int x = a.asInt();
        const int y = b.asInt();
        if (op == "+")
            return {Value(x + y)};
        if (op == "-")
            return {Value(x - y)};
        if (op == "*")
            return {Value(x * y)};
        if (op == "/")
            return {Value(x / y)};
        return {Value(x % y)};
    }
    const double x = a.asDouble();
    const double y = b.asDouble();
    if (op == "+")
        return {Value(x + y)};
    if (op == "-")
        return {Value(x - y)};
    if (op == "*")
        return {Value(x * y)};
    if (op == "/")
        return {Value(x / y)};
    abortAt(line, "Illegal operation '%' on a float.");
}

// Vectors add, subtract, scale, dot (*) and cross (^); matrices multiply and scale.
MelInterpreter::Typed MelInterpreter::vectorOperation(const std::string& op, const Typed& a,
                                                      const Typed& b, int line) {
    const bool scalarA = a.shape.empty() && a.value.isNumber();
    const bool scalarB = b.shape.empty() && b.value.isNumber();
    const std::vector<double> x = doubles(a.value);
    const std::vector<double> y = doubles(b.value);
    auto shaped = [&](const Typed& like, std::vector<double> values) {
        return Typed{Value(values), like.shape, like.rows, like.columns};
    };
    if ((op == "==" || op == "!=") && a.shape == b.shape)
        return {Value((x == y) == (op == "=="))};
    if (a.shape == "vector" && b.shape == "vector") {
        if (op == "*")
            return {Value(x[0] * y[0] + x[1] * y[1] + x[2] * y[2])};
        if (op == "^") {
            return shaped(a, {x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2],
                              x[0] * y[1] - x[1] * y[0]});
        }
        if (op == "+" || op == "-") {
            const double sign = op == "+" ? 1.0 : -1.0;
            return shaped(a, {x[0] + sign * y[0], x[1] + sign * y[1], x[2] + sign * y[2]});
        }
    }
    if (a.shape == "matrix" && b.shape == "matrix" && op == "*") {
        if (a.columns != b.rows)
            abortAt(line, "The matrices' sizes do not allow their product.");
        std::vector<double> product(static_cast<size_t>(a.rows * b.columns), 0.0);
        for (int r = 0; r < a.rows; ++r) {
            for (int c = 0; c < b.columns; ++c) {
                for (int k = 0; k < a.columns; ++k)
                    product[r * b.columns + c] += x[r * a.columns + k] * y[k * b.columns + c];
            }
        }
        return {Value(product), "matrix", a.rows, b.columns};
    }
    // A shaped value with a number: every element takes the operation.
    if ((scalarA || scalarB) && (op == "*" || op == "/" || op == "+" || op == "-")) {
        const Typed& shape = scalarA ? b : a;
        const double s = (scalarA ? a : b).value.asDouble();
        if (op == "/" && (scalarA || s == 0.0))
            abortAt(line, scalarA ? "Illegal operation '/' by a vector." : "Division by zero.");
        std::vector<double> out = scalarA ? y : x;
        for (double& d : out) {
            d = op == "*"   ? d * s
                : op == "/" ? d / s
                : op == "+" ? d + s
                            : (scalarA ? s - d : d - s);
        }
        return shaped(shape, out);
    }
    abortAt(line,
            "Illegal operation '" + op + "' on a " + (a.shape.empty() ? b.shape : a.shape) + ".");
}

namespace {

std::string typeNameOf(const std::string& shape, const Value& value) {
    if (!shape.empty())
        return shape;
    return typeOf(value) + (value.isArray() ? "[]" : "");
}

}  // namespace

void MelInterpreter::store(const Expr& target, const Typed& value, Run& run) {
    if (target.kind == Expr::Kind::kIndex) {
        const Expr& base = *target.operands[0];
        if (base.kind == Expr::Kind::kIndex && base.operands[0]->kind == Expr::Kind::kVariable) {
            VariablePtr matrix = lookup(base.operands[0]->name, run, target.line);
            if (matrix->type == "matrix") {
                const int row = evaluate(*base.operands[1], run).value.asInt();
                const int column = evaluate(*target.operands[1], run).value.asInt();
                if (row < 0 || row >= matrix->rows || column < 0 || column >= matrix->columns)
                    abortAt(target.line, "The matrix has no element [" + std::to_string(row) +
                                             "][" + std::to_string(column) + "].");
                std::vector<double> values = doubles(matrix->value);
                values[static_cast<size_t>(row * matrix->columns + column)] =
                    value.value.asDouble();
                matrix->value = Value(values);
                return;
            }
        }
        if (base.kind != Expr::Kind::kVariable)
            abortAt(target.line, "Cannot assign to this.");
        VariablePtr variable = lookup(base.name, run, target.line);
        const int at = evaluate(*target.operands[1], run).value.asInt();
        if (!variable->isArray || at < 0)
            abortAt(target.line, "Invalid array element.");
        variable->value = withElement(variable->value, at, value.value);
        return;
    }
    if (target.kind != Expr::Kind::kVariable)
        abortAt(target.line, "Cannot assign to this.");
    VariablePtr variable = findVariable(target.name, run);
    if (!variable) {
        // MEL declares a variable on its first assignment, typed by the value.
        variable = std::make_shared<Variable>();
        variable->type = value.shape.empty() ? typeOf(value.value) : value.shape;
        variable->isArray = value.shape.empty() && value.value.isArray();
        variable->rows = value.rows;
        variable->columns = value.columns;
        run.scopes.back()[target.name] = variable;
    }
    const std::string wanted = variable->type + (variable->isArray ? "[]" : "");
    const std::string given = typeNameOf(value.shape, value.value);
    auto refuse = [&] {
        abortAt(target.line, "Cannot convert data of type " + given + " to type " + wanted + ".");
    };
    if (variable->type == "vector") {
        if (value.shape == "vector") {
            variable->value = value.value;
        } else if (value.shape.empty() && value.value.isNumber()) {
            variable->value = Value(std::vector<double>(3, value.value.asDouble()));
        } else {
            refuse();
        }
    } else if (variable->type == "matrix") {
        if (value.shape != "matrix" || value.rows != variable->rows ||
            value.columns != variable->columns) {
            refuse();
        }
        variable->value = value.value;
    } else if (value.shape == "vector" && variable->type == "string" && !variable->isArray) {
        variable->value = Value(value.value.asString());
    } else if (!value.shape.empty() || variable->isArray != value.value.isArray()) {
        refuse();
    } else {
        variable->value = convertTo(variable->type, variable->isArray, value.value);
    }
}

MelInterpreter::Typed MelInterpreter::assign(const Expr& expr, Run& run) {
    Typed value = evaluate(*expr.operands[1], run);
    if (expr.op != "=")
        value = combine(expr.op.substr(0, 1), evaluate(*expr.operands[0], run), value, expr.line);
    store(*expr.operands[0], value, run);
    return evaluate(*expr.operands[0], run);
}

MelInterpreter::Typed MelInterpreter::increment(const Expr& expr, Run& run) {
    const Expr& target = *expr.operands[0];
    if (target.kind != Expr::Kind::kVariable && target.kind != Expr::Kind::kIndex)
        abortAt(expr.line, "'" + expr.op + "' needs a variable.");
    const Value before = evaluate(target, run).value;
    const int delta = expr.op == "++" ? 1 : -1;
    const Value after = before.kind() == Value::Kind::kDouble ? Value(before.asDouble() + delta)
                                                              : Value(before.asInt() + delta);
    store(target, {after}, run);
    return {expr.prefix ? after : before};
}

// ---- calls ----

const MelInterpreter::Procedure* MelInterpreter::findProcedure(const std::string& name,
                                                               const Run& run) const {
    auto local = run.program->procedures.find(name);
    if (local != run.program->procedures.end())
        return local->second.get();
    auto global = procedures_.find(name);
    return global == procedures_.end() ? nullptr : global->second.get();
}

MelInterpreter::Typed MelInterpreter::call(const Expr& expr, Run& run) {
    std::vector<Typed> values;
    for (const auto& operand : expr.operands)
        values.push_back(evaluate(*operand, run));
    if (const Procedure* procedure = findProcedure(expr.name, run))
        return callProcedure(*procedure, std::move(values), expr.line, run);
    if (!engine_.hasCommand(MString(expr.name.c_str()))) {
        if (expr.name == "size" && values.size() == 1) {
            const Value& v = values.front().value;
            return {Value(
                static_cast<int>(isText(v) && !v.isArray() ? v.asString().size() : v.size()))};
        }
        abortAt(expr.line, "Cannot find procedure \"" + expr.name + "\".");
    }
    MArgList args;
    for (auto& value : values)
        ArgListAccess::add(args, std::move(value.value));
    Value result;
    if (!engine_.invoke(MString(expr.name.c_str()), args, &result, run.undoEnabled))
        throw Abort{};
    return {result};
}

MelInterpreter::Typed MelInterpreter::callProcedure(const Procedure& procedure,
                                                    std::vector<Typed> args, int line, Run& run) {
    const mel::ProcDef& definition = *procedure.definition;
    if (args.size() != definition.parameters.size())
        abortAt(line, "Wrong number of arguments on call to " + definition.name + ".");
    if (run.depth >= kMaxCallDepth)
        abortAt(line, "Stack overflow: " + definition.name + " calls itself without end.");
    Frame frame(run, procedure.program);
    for (size_t i = 0; i < args.size(); ++i) {
        const mel::Parameter& parameter = definition.parameters[i];
        // A matrix parameter takes the size of the matrix it is given.
        run.scopes.back()[parameter.name] = makeVariable(
            parameter.type.name, parameter.type.isArray, args[i].rows, args[i].columns);
        auto target = std::make_unique<Expr>();
        target->kind = Expr::Kind::kVariable;
        target->name = parameter.name;
        target->line = line;
        store(*target, args[i], run);
    }
    Return returned{false, line};
    try {
        execute(*definition.body, run);
    } catch (const Return& stop) {
        returned = stop;
    }
    const mel::TypeName& type = definition.returns;
    if (type.name.empty()) {
        if (returned.hasValue)
            abortAt(returned.line, "This procedure has no return value.");
        return {};
    }
    // The value returned, as the procedure's type; none returned reads as that type's zero.
    const VariablePtr result =
        makeVariable(type.name, type.isArray, run.returned.rows, run.returned.columns);
    if (returned.hasValue) {
        run.scopes.back()[" return"] = result;
        auto target = std::make_unique<Expr>();
        target->kind = Expr::Kind::kVariable;
        target->name = " return";
        target->line = returned.line;
        store(*target, run.returned, run);
    }
    const bool shaped = type.name == "vector" || type.name == "matrix";
    return {result->value, shaped ? type.name : std::string(), result->rows, result->columns};
}

}  // namespace mayasim
