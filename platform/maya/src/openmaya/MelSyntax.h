#pragma once
// MEL source turned into statements: the tokens and the syntax tree of the subset the host
// understands (commands with flags, backticks, variables, arrays, vectors and matrices,
// if/else, while, do, for and for-in, switch, procedures).

#include <memory>
#include <string>
#include <vector>

#include <mayasim/Value.h>

namespace mayasim::mel {

enum class TokenType { kEnd, kWord, kVariable, kInt, kFloat, kString, kPunct };

struct Token {
    TokenType type = TokenType::kEnd;
    std::string text;  // strings: the value with escapes resolved
    size_t begin = 0;  // offsets into the source
    size_t end = 0;
    int line = 1;
    bool spaceBefore = false;
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
    enum class Kind {
        kLiteral,
        kVariable,   // name
        kIndex,      // operands: array, index
        kArray,      // operands: elements
        kUnary,      // op, operands: operand
        kBinary,     // op, operands: left, right
        kAssign,     // op ("=", "+=", ...), operands: target, value
        kIncrement,  // op ("++"/"--"), prefix, operands: target
        kTernary,    // operands: condition, then, else
        kCall,       // name, operands: arguments
        kVector,     // operands: x, y, z
        kMatrix,     // operands: elements row by row; rows, columns
        kMember,     // name ("x", "y", "z"), operands: vector
    };
    Kind kind = Kind::kLiteral;
    Value literal;
    std::string name;
    std::string op;
    bool prefix = false;
    std::vector<ExprPtr> operands;
    int rows = 0;
    int columns = 0;
    int line = 1;
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;

struct Declarator {
    std::string name;
    bool isArray = false;
    ExprPtr rows;  // a matrix's size: matrix $m[rows][columns]
    ExprPtr columns;
    ExprPtr init;
};

// A type as declarations, parameters and procedures give it: "string", "int", "float",
// "vector" or "matrix", possibly an array.
struct TypeName {
    std::string name;
    bool isArray = false;
};

struct Parameter {
    TypeName type;
    std::string name;
};

struct ProcDef {
    std::string name;
    bool isGlobal = false;
    TypeName returns;  // empty name: returns nothing
    std::vector<Parameter> parameters;
    StmtPtr body;
    int line = 1;
};

// One case of a switch: its label (none for default) and the statements after it.
struct Case {
    ExprPtr label;
    std::vector<StmtPtr> statements;
};

struct Stmt {
    enum class Kind {
        kEmpty,
        kExpr,
        kDeclare,
        kIf,
        kWhile,
        kDoWhile,
        kFor,
        kForIn,
        kBlock,
        kProc,
        kReturn,
        kBreak,
        kContinue,
        kSwitch
    };
    Kind kind = Kind::kEmpty;
    // kExpr; the condition of kIf, kWhile, kDoWhile, kFor; the array of kForIn; the value of
    // kSwitch and kReturn
    ExprPtr expr;
    bool isGlobal = false;
    std::string type;  // kDeclare: "string", "int", "float", "vector" or "matrix"
    std::vector<Declarator> declarators;
    std::string variable;  // kForIn
    ExprPtr init;          // kFor
    ExprPtr step;          // kFor
    StmtPtr body;          // kIf (then), kWhile, kDoWhile, kFor, kForIn
    StmtPtr otherwise;
    std::vector<StmtPtr> statements;  // kBlock
    std::unique_ptr<ProcDef> proc;    // kProc
    std::vector<Case> cases;          // kSwitch
    int line = 1;
};

// A syntax error: what was expected and where.
struct SyntaxError {
    int line = 1;
    std::string near;
    std::string expected;
    std::string message() const;
};

// Parses a whole script; returns false (and fills `error`) without a partial result when
// any statement is malformed.
bool parse(const std::string& source, std::vector<StmtPtr>& statements, SyntaxError& error);

}  // namespace mayasim::mel
