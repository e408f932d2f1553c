#pragma once
// Runs parsed MEL: variables (global, per script and per procedure call), expressions with
// vectors and matrices, control flow, procedures, and command calls through the command
// engine.

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
    explicit MelInterpreter(CommandEngine& engine);
    ~MelInterpreter();

    // Parses all of `source` first: a syntax error anywhere runs none of it.
    MStatus run(const std::string& source, Value* result, bool undoEnabled);

    // A global variable's value (tests and the host read them), null if undeclared.
    const Value* global(const std::string& name) const;
    // Whether a global procedure of that name has been defined.
    bool hasProcedure(const std::string& name) const;

private:
    // A value as MEL types it: vectors and matrices are doubles that know their shape.
    struct Typed {
        Typed() = default;
        Typed(Value v, std::string s = std::string(), int r = 0, int c = 0)
            : value(std::move(v)), shape(std::move(s)), rows(r), columns(c) {}
        Value value;
        std::string shape;  // "vector", "matrix", or empty for the other types
        int rows = 0;
        int columns = 0;
    };
    struct Variable {
        std::string type;  // "string", "int", "float", "vector", "matrix"
        bool isArray = false;
        int rows = 0;  // matrices
        int columns = 0;
        Value value;
    };
    using VariablePtr = std::shared_ptr<Variable>;
    using Scope = std::map<std::string, VariablePtr>;
    struct Program;
    struct Procedure;
    struct Run;
    class Frame;

    void execute(const mel::Stmt& stmt, Run& run);
    void executeBlock(const std::vector<mel::StmtPtr>& statements, Run& run);
    void loop(const mel::Stmt& stmt, Run& run);
    void forIn(const mel::Stmt& stmt, Run& run);
    void switchOn(const mel::Stmt& stmt, Run& run);
    void define(const mel::Stmt& stmt, Run& run);
    void declare(const mel::Stmt& stmt, Run& run);
    Typed evaluate(const mel::Expr& expr, Run& run);
    Typed index(const mel::Expr& expr, Run& run);
    Typed call(const mel::Expr& expr, Run& run);
    Typed callProcedure(const Procedure& procedure, std::vector<Typed> args, int line, Run& run);
    Typed assign(const mel::Expr& expr, Run& run);
    Typed increment(const mel::Expr& expr, Run& run);
    Typed binary(const mel::Expr& expr, Run& run);
    Typed combine(const std::string& op, const Typed& a, const Typed& b, int line);
    Typed vectorOperation(const std::string& op, const Typed& a, const Typed& b, int line);
    static VariablePtr makeVariable(const std::string& type, bool isArray, int rows, int columns);
    static VariablePtr findVariable(const std::string& name, Run& run);
    VariablePtr lookup(const std::string& name, Run& run, int line);
    void store(const mel::Expr& target, const Typed& value, Run& run);
    const Procedure* findProcedure(const std::string& name, const Run& run) const;

    CommandEngine& engine_;
    std::map<std::string, VariablePtr> globals_;
    std::map<std::string, std::unique_ptr<Procedure>> procedures_;
};

}  // namespace mayasim
