#pragma once
// Runs parsed MEL: variables (global and per script), expressions, control flow, and
// command calls through the command engine.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <maya/MStatus.h>

#include <mayasim/Value.h>

#include "MelSyntax.h"

namespace mayasim {

class CommandEngine;

class MelInterpreter {
public:
    explicit MelInterpreter(CommandEngine& engine) : engine_(engine) {}

    // Parses all of `source` first: a syntax error anywhere runs none of it.
    MStatus run(const std::string& source, Value* result, bool undoEnabled);

    // A global variable's value (tests and the host read them), null if undeclared.
    const Value* global(const std::string& name) const;

private:
    struct Variable {
        std::string type;  // "string", "int", "float"
        bool isArray = false;
        Value value;
    };
    using VariablePtr = std::shared_ptr<Variable>;
    using Scope = std::map<std::string, VariablePtr>;
    struct Run;

    void execute(const mel::Stmt& stmt, Run& run);
    void declare(const mel::Stmt& stmt, Run& run);
    Value evaluate(const mel::Expr& expr, Run& run);
    Value call(const mel::Expr& expr, Run& run);
    Value assign(const mel::Expr& expr, Run& run);
    Value increment(const mel::Expr& expr, Run& run);
    Value binary(const mel::Expr& expr, Run& run);
    VariablePtr lookup(const std::string& name, Run& run, int line);
    void store(const mel::Expr& target, const Value& value, Run& run);

    CommandEngine& engine_;
    std::map<std::string, VariablePtr> globals_;
};

}  // namespace mayasim
