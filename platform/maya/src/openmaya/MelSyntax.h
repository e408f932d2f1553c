#pragma once
// MEL source turned into statements: the tokens and the syntax tree of the subset the host
// understands (commands with flags, backticks, variables, arrays, if/else, while, for).

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
    };
    Kind kind = Kind::kLiteral;
    Value literal;
    std::string name;
    std::string op;
    bool prefix = false;
    std::vector<ExprPtr> operands;
    int line = 1;
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;

struct Declarator {
    std::string name;
    bool isArray = false;
    ExprPtr init;
};

struct Stmt {
    enum class Kind { kEmpty, kExpr, kDeclare, kIf, kWhile, kFor, kBlock };
    Kind kind = Kind::kEmpty;
    ExprPtr expr;  // kExpr; the condition of kIf, kWhile, kFor
    bool isGlobal = false;
    std::string type;  // kDeclare: "string", "int" or "float"
    std::vector<Declarator> declarators;
    ExprPtr init;  // kFor
    ExprPtr step;  // kFor
    StmtPtr body;  // kIf (then), kWhile, kFor
    StmtPtr otherwise;
    std::vector<StmtPtr> statements;  // kBlock
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
