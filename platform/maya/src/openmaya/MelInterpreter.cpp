#include "MelInterpreter.h"

#include <maya/MArgList.h>

#include <mayasim/CommandEngine.h>

#include "SyntaxData.h"

namespace mayasim {
namespace {

using mel::Expr;
using mel::Stmt;

// Aborts the running script; `message` is shown unless the failing command showed its own.
struct Abort {
    std::string message;
};

[[noreturn]] void abortAt(int line, const std::string& what) {
    throw Abort{"line " + std::to_string(line) + ": " + what};
}

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

}  // namespace

struct MelInterpreter::Run {
    std::vector<Scope> scopes;
    bool undoEnabled = false;
    Value last;
};

MStatus MelInterpreter::run(const std::string& source, Value* result, bool undoEnabled) {
    std::vector<mel::StmtPtr> statements;
    mel::SyntaxError error;
    if (!mel::parse(source, statements, error)) {
        engine_.showMessage("error", error.message());
        return MS::kFailure;
    }
    Run run;
    run.undoEnabled = undoEnabled;
    run.scopes.emplace_back();
    try {
        for (const auto& stmt : statements)
            execute(*stmt, run);
    } catch (const Abort& abort) {
        if (!abort.message.empty())
            engine_.showMessage("error", abort.message);
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

void MelInterpreter::execute(const Stmt& stmt, Run& run) {
    switch (stmt.kind) {
        case Stmt::Kind::kEmpty:
            return;
        case Stmt::Kind::kExpr:
            run.last = evaluate(*stmt.expr, run);
            return;
        case Stmt::Kind::kDeclare:
            declare(stmt, run);
            return;
        case Stmt::Kind::kIf:
            if (evaluate(*stmt.expr, run).isTrue()) {
                execute(*stmt.body, run);
            } else if (stmt.otherwise) {
                execute(*stmt.otherwise, run);
            }
            return;
        case Stmt::Kind::kWhile:
            while (evaluate(*stmt.expr, run).isTrue())
                execute(*stmt.body, run);
            return;
        case Stmt::Kind::kFor:
            if (stmt.init)
                evaluate(*stmt.init, run);
            while (!stmt.expr || evaluate(*stmt.expr, run).isTrue()) {
                execute(*stmt.body, run);
                if (stmt.step)
                    evaluate(*stmt.step, run);
            }
            return;
        case Stmt::Kind::kBlock:
            run.scopes.emplace_back();
            try {
                for (const auto& inner : stmt.statements)
                    execute(*inner, run);
            } catch (...) {
                run.scopes.pop_back();
                throw;
            }
            run.scopes.pop_back();
            return;
    }
}

void MelInterpreter::declare(const Stmt& stmt, Run& run) {
    for (const auto& declarator : stmt.declarators) {
        VariablePtr variable;
        if (stmt.isGlobal) {
            VariablePtr& slot = globals_[declarator.name];
            if (!slot) {
                slot = std::make_shared<Variable>();
                slot->type = stmt.type;
                slot->isArray = declarator.isArray;
                slot->value = convertTo(stmt.type, declarator.isArray, Value());
            } else if (slot->type != stmt.type || slot->isArray != declarator.isArray) {
                abortAt(stmt.line, "Global variable \"$" + declarator.name +
                                       "\" was already declared with another type.");
            }
            variable = slot;
        } else {
            variable = std::make_shared<Variable>();
            variable->type = stmt.type;
            variable->isArray = declarator.isArray;
            variable->value = convertTo(stmt.type, declarator.isArray, Value());
        }
        if (declarator.init) {
            Value init = evaluate(*declarator.init, run);
            if (init.isArray() != declarator.isArray) {
                abortAt(stmt.line, "Cannot convert data of type " + typeOf(init) +
                                       (init.isArray() ? "[]" : "") + " to type " + stmt.type +
                                       (declarator.isArray ? "[]" : "") + ".");
            }
            variable->value = convertTo(stmt.type, declarator.isArray, init);
        }
        run.scopes.back()[declarator.name] = variable;
    }
}

MelInterpreter::VariablePtr MelInterpreter::lookup(const std::string& name, Run& run, int line) {
    for (auto scope = run.scopes.rbegin(); scope != run.scopes.rend(); ++scope) {
        auto it = scope->find(name);
        if (it != scope->end())
            return it->second;
    }
    abortAt(line, "\"$" + name + "\" is an undeclared variable.");
}

Value MelInterpreter::evaluate(const Expr& expr, Run& run) {
    switch (expr.kind) {
        case Expr::Kind::kLiteral:
            return expr.literal;
        case Expr::Kind::kVariable:
            return lookup(expr.name, run, expr.line)->value;
        case Expr::Kind::kIndex: {
            Value array = evaluate(*expr.operands[0], run);
            if (!array.isArray())
                abortAt(expr.line, "Only arrays can be indexed.");
            return element(array, evaluate(*expr.operands[1], run).asInt());
        }
        case Expr::Kind::kArray: {
            std::vector<Value> items;
            for (const auto& operand : expr.operands)
                items.push_back(evaluate(*operand, run));
            return arrayOf(items);
        }
        case Expr::Kind::kUnary: {
            Value operand = evaluate(*expr.operands[0], run);
            if (expr.op == "!")
                return Value(!operand.isTrue());
            if (expr.op == "+")
                return operand;
            if (operand.kind() == Value::Kind::kInt)
                return Value(-operand.asInt());
            return Value(-operand.asDouble());
        }
        case Expr::Kind::kBinary:
            return binary(expr, run);
        case Expr::Kind::kAssign:
            return assign(expr, run);
        case Expr::Kind::kIncrement:
            return increment(expr, run);
        case Expr::Kind::kTernary:
            return evaluate(*expr.operands[0], run).isTrue() ? evaluate(*expr.operands[1], run)
                                                             : evaluate(*expr.operands[2], run);
        case Expr::Kind::kCall:
            return call(expr, run);
    }
    return Value();
}

Value MelInterpreter::binary(const Expr& expr, Run& run) {
    const std::string& op = expr.op;
    if (op == "&&" || op == "||") {
        const bool left = evaluate(*expr.operands[0], run).isTrue();
        if (op == "&&" && !left)
            return Value(false);
        if (op == "||" && left)
            return Value(true);
        return Value(evaluate(*expr.operands[1], run).isTrue());
    }
    const Value a = evaluate(*expr.operands[0], run);
    const Value b = evaluate(*expr.operands[1], run);
    if (a.isArray() || b.isArray())
        abortAt(expr.line, "Illegal operation '" + op + "' on an array.");
    const bool text = isText(a) && isText(b);
    if (op == "+" && (isText(a) || isText(b)))
        return Value(a.asString() + b.asString());
    if (op == "==")
        return Value(text ? a.asString() == b.asString() : a.asDouble() == b.asDouble());
    if (op == "!=")
        return Value(text ? a.asString() != b.asString() : a.asDouble() != b.asDouble());
    if (op == "<")
        return Value(text ? a.asString() < b.asString() : a.asDouble() < b.asDouble());
    if (op == ">")
        return Value(text ? a.asString() > b.asString() : a.asDouble() > b.asDouble());
    if (op == "<=")
        return Value(text ? a.asString() <= b.asString() : a.asDouble() <= b.asDouble());
    if (op == ">=")
        return Value(text ? a.asString() >= b.asString() : a.asDouble() >= b.asDouble());
    if (isText(a) || isText(b))
        abortAt(expr.line, "Illegal operation '" + op + "' on a string.");
    const bool ints = a.kind() == Value::Kind::kInt && b.kind() == Value::Kind::kInt;
    if ((op == "/" || op == "%") && b.asDouble() == 0.0)
        abortAt(expr.line, "Division by zero.");
    if (ints) {
        const int x = a.asInt();
        const int y = b.asInt();
        if (op == "+")
            return Value(x + y);
        if (op == "-")
            return Value(x - y);
        if (op == "*")
            return Value(x * y);
        if (op == "/")
            return Value(x / y);
        return Value(x % y);
    }
    const double x = a.asDouble();
    const double y = b.asDouble();
    if (op == "+")
        return Value(x + y);
    if (op == "-")
        return Value(x - y);
    if (op == "*")
        return Value(x * y);
    if (op == "/")
        return Value(x / y);
    abortAt(expr.line, "Illegal operation '%' on a float.");
}

void MelInterpreter::store(const Expr& target, const Value& value, Run& run) {
    if (target.kind == Expr::Kind::kIndex) {
        const Expr& arrayExpr = *target.operands[0];
        if (arrayExpr.kind != Expr::Kind::kVariable)
            abortAt(target.line, "Cannot assign to this.");
        VariablePtr variable = lookup(arrayExpr.name, run, target.line);
        const int index = evaluate(*target.operands[1], run).asInt();
        if (!variable->isArray || index < 0)
            abortAt(target.line, "Invalid array element.");
        variable->value = withElement(variable->value, index, value);
        return;
    }
    VariablePtr variable;
    for (auto scope = run.scopes.rbegin(); scope != run.scopes.rend() && !variable; ++scope) {
        auto it = scope->find(target.name);
        if (it != scope->end())
            variable = it->second;
    }
    if (!variable) {
        // MEL declares a variable on its first assignment, typed by the value.
        variable = std::make_shared<Variable>();
        variable->type = typeOf(value);
        variable->isArray = value.isArray();
        run.scopes.back()[target.name] = variable;
    }
    if (variable->isArray != value.isArray()) {
        abortAt(target.line, "Cannot assign " +
                                 std::string(value.isArray() ? "an array" : "a scalar") +
                                 " to \"$" + target.name + "\".");
    }
    variable->value = convertTo(variable->type, variable->isArray, value);
}

Value MelInterpreter::assign(const Expr& expr, Run& run) {
    Value value = evaluate(*expr.operands[1], run);
    if (expr.op != "=") {
        auto combined = std::make_unique<Expr>();
        combined->kind = Expr::Kind::kBinary;
        combined->op = expr.op.substr(0, 1);
        combined->line = expr.line;
        auto left = std::make_unique<Expr>();
        left->literal = evaluate(*expr.operands[0], run);
        auto right = std::make_unique<Expr>();
        right->literal = value;
        combined->operands.push_back(std::move(left));
        combined->operands.push_back(std::move(right));
        value = binary(*combined, run);
    }
    store(*expr.operands[0], value, run);
    return evaluate(*expr.operands[0], run);
}

Value MelInterpreter::increment(const Expr& expr, Run& run) {
    const Expr& target = *expr.operands[0];
    if (target.kind != Expr::Kind::kVariable && target.kind != Expr::Kind::kIndex) {
        abortAt(expr.line, "'" + expr.op + "' needs a variable.");
    }
    const Value before = evaluate(target, run);
    const int delta = expr.op == "++" ? 1 : -1;
    const Value after = before.kind() == Value::Kind::kDouble ? Value(before.asDouble() + delta)
                                                              : Value(before.asInt() + delta);
    store(target, after, run);
    return expr.prefix ? after : before;
}

Value MelInterpreter::call(const Expr& expr, Run& run) {
    MArgList args;
    std::vector<Value> values;
    for (const auto& operand : expr.operands)
        values.push_back(evaluate(*operand, run));
    if (!engine_.hasCommand(MString(expr.name.c_str()))) {
        if (expr.name == "size" && values.size() == 1) {
            const Value& v = values.front();
            return Value(
                static_cast<int>(isText(v) && !v.isArray() ? v.asString().size() : v.size()));
        }
        abortAt(expr.line, "Cannot find procedure \"" + expr.name + "\".");
    }
    for (auto& value : values)
        ArgListAccess::add(args, std::move(value));
    Value result;
    if (!engine_.invoke(MString(expr.name.c_str()), args, &result, run.undoEnabled))
        throw Abort{};
    return result;
}

}  // namespace mayasim
