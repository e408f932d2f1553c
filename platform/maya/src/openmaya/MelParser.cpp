#include "MelSyntax.h"

#include <cctype>
#include <cstdlib>
#include <set>

namespace mayasim::mel {
namespace {

struct Failure {
    SyntaxError error;
};

bool isWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

class Lexer {
public:
    explicit Lexer(const std::string& source) : src_(source) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        for (;;) {
            const bool space = skipSpaceAndComments();
            Token token;
            token.begin = pos_;
            token.line = line_;
            token.spaceBefore = space || tokens.empty();
            if (pos_ >= src_.size()) {
                token.end = pos_;
                tokens.push_back(token);
                return tokens;
            }
            lexOne(token);
            token.end = pos_;
            tokens.push_back(std::move(token));
        }
    }

private:
    char peek(size_t ahead = 0) const {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0';
    }

    void advance() {
        if (src_[pos_] == '\n')
            ++line_;
        ++pos_;
    }

    bool skipSpaceAndComments() {
        bool skipped = false;
        while (pos_ < src_.size()) {
            if (std::isspace(static_cast<unsigned char>(peek()))) {
                advance();
            } else if (peek() == '/' && peek(1) == '/') {
                while (pos_ < src_.size() && peek() != '\n')
                    advance();
            } else if (peek() == '/' && peek(1) == '*') {
                const int startLine = line_;
                advance();
                advance();
                while (pos_ < src_.size() && !(peek() == '*' && peek(1) == '/'))
                    advance();
                if (pos_ >= src_.size())
                    throw Failure{{startLine, "/*", "the end of the comment"}};
                advance();
                advance();
            } else {
                break;
            }
            skipped = true;
        }
        return skipped;
    }

    void lexOne(Token& token) {
        const char c = peek();
        if (c == '"') {
            lexString(token);
        } else if (c == '$' && isWordStart(peek(1))) {
            advance();
            token.type = TokenType::kVariable;
            while (isWordChar(peek()))
                token.text += src_[pos_++];
        } else if (isWordStart(c)) {
            token.type = TokenType::kWord;
            while (isWordChar(peek()))
                token.text += src_[pos_++];
        } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
            lexNumber(token);
        } else {
            lexPunct(token);
        }
    }

    void lexString(Token& token) {
        const int startLine = line_;
        token.type = TokenType::kString;
        advance();
        while (pos_ < src_.size() && peek() != '"') {
            char c = peek();
            advance();
            if (c == '\\' && pos_ < src_.size()) {
                c = peek();
                advance();
                switch (c) {
                    case 'n':
                        c = '\n';
                        break;
                    case 't':
                        c = '\t';
                        break;
                    case 'r':
                        c = '\r';
                        break;
                    default:
                        break;
                }
            }
            token.text += c;
        }
        if (pos_ >= src_.size())
            throw Failure{{startLine, "\"", "the closing quote of the string"}};
        advance();
    }

    void lexNumber(Token& token) {
        token.type = TokenType::kInt;
        while (isDigit(peek()))
            token.text += src_[pos_++];
        if (peek() == '.' && !isWordStart(peek(1))) {
            token.type = TokenType::kFloat;
            token.text += src_[pos_++];
            while (isDigit(peek()))
                token.text += src_[pos_++];
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '-' || peek(1) == '+') && isDigit(peek(2))))) {
            token.type = TokenType::kFloat;
            token.text += src_[pos_++];
            token.text += src_[pos_++];
            while (isDigit(peek()))
                token.text += src_[pos_++];
        }
    }

    void lexPunct(Token& token) {
        static const char* const kTwoChar[] = {
            "==", "!=", "<=", ">=", "&&", "||", "+=", "-=", "*=", "/=", "++", "--", "<<", ">>"};
        token.type = TokenType::kPunct;
        for (const char* op : kTwoChar) {
            if (peek() == op[0] && peek(1) == op[1]) {
                token.text = op;
                pos_ += 2;
                return;
            }
        }
        token.text = std::string(1, peek());
        advance();
    }

    const std::string& src_;
    size_t pos_ = 0;
    int line_ = 1;
};

const std::set<std::string>& typeWords() {
    static const std::set<std::string> words = {"string", "int", "float", "vector", "matrix"};
    return words;
}

bool boolWord(const std::string& word, int& value) {
    if (word == "true" || word == "on" || word == "yes") {
        value = 1;
        return true;
    }
    if (word == "false" || word == "off" || word == "no") {
        value = 0;
        return true;
    }
    return false;
}

// A bare word in a command's arguments: a flag, a number, a boolean word or a string.
Value classifyWord(const std::string& word) {
    int flag = 0;
    if (boolWord(word, flag))
        return Value(flag);
    const char* begin = word.c_str();
    char* end = nullptr;
    const long asLong = std::strtol(begin, &end, 10);
    if (*end == '\0' && end != begin)
        return Value(static_cast<int>(asLong));
    const double asDouble = std::strtod(begin, &end);
    if (*end == '\0' && end != begin && (isDigit(word.back()) || word.back() == '.')) {
        return Value(asDouble);
    }
    return Value(word);
}

class Parser {
public:
    Parser(const std::string& source, std::vector<Token> tokens)
        : src_(source), tokens_(std::move(tokens)) {}

    std::vector<StmtPtr> script() {
        std::vector<StmtPtr> statements;
        while (!atEnd())
            statements.push_back(statement());
        return statements;
    }

private:
    const Token& cur() const { return tokens_[index_]; }
    const Token& next() const { return tokens_[std::min(index_ + 1, tokens_.size() - 1)]; }
    bool atEnd() const { return cur().type == TokenType::kEnd; }
    bool isPunct(const char* text) const {
        return cur().type == TokenType::kPunct && cur().text == text;
    }
    bool isWord(const char* text) const {
        return cur().type == TokenType::kWord && cur().text == text;
    }
    const Token& take() {
        const Token& token = tokens_[index_];
        if (!atEnd())
            ++index_;
        return token;
    }

    [[noreturn]] void fail(const std::string& expected) const {
        std::string near = atEnd() ? "" : src_.substr(cur().begin, cur().end - cur().begin);
        throw Failure{{cur().line, near, expected}};
    }

    void expectPunct(const char* text) {
        if (!isPunct(text))
            fail(std::string("'") + text + "'");
        take();
    }

    // A statement ends at ';'; the last one of a block or script may leave it out.
    void endStatement() {
        if (isPunct(";")) {
            take();
        } else if (!atEnd() && !isPunct("}")) {
            fail("';'");
        }
    }

    StmtPtr statement() {
        auto stmt = std::make_unique<Stmt>();
        stmt->line = cur().line;
        if (isPunct(";")) {
            take();
        } else if (isPunct("{")) {
            take();
            stmt->kind = Stmt::Kind::kBlock;
            while (!isPunct("}")) {
                if (atEnd())
                    fail("'}'");
                stmt->statements.push_back(statement());
            }
            take();
        } else if (isWord("if")) {
            ifStatement(*stmt);
        } else if (isWord("while")) {
            take();
            stmt->kind = Stmt::Kind::kWhile;
            stmt->expr = condition();
            stmt->body = statement();
        } else if (isWord("do")) {
            doStatement(*stmt);
        } else if (isWord("for")) {
            forStatement(*stmt);
        } else if (isWord("switch")) {
            switchStatement(*stmt);
        } else if (isWord("proc") || (isWord("global") && isWordAt(next(), "proc"))) {
            procDefinition(*stmt);
        } else if (isWord("return")) {
            take();
            stmt->kind = Stmt::Kind::kReturn;
            if (!isPunct(";") && !isPunct("}") && !atEnd())
                stmt->expr = expression();
            endStatement();
        } else if (isWord("break") || isWord("continue")) {
            stmt->kind = take().text == "break" ? Stmt::Kind::kBreak : Stmt::Kind::kContinue;
            endStatement();
        } else if (isWord("else")) {
            fail("a statement ('else' without 'if')");
        } else if (isWord("case") || isWord("default")) {
            fail("a statement ('" + cur().text + "' outside a switch)");
        } else if (isWord("global") ||
                   (cur().type == TokenType::kWord && typeWords().count(cur().text))) {
            declaration(*stmt);
            endStatement();
        } else if (cur().type == TokenType::kWord && !isPunctAt(next(), "(")) {
            stmt->kind = Stmt::Kind::kExpr;
            stmt->expr = commandCall(false);
            endStatement();
        } else {
            stmt->kind = Stmt::Kind::kExpr;
            stmt->expr = expression();
            endStatement();
        }
        return stmt;
    }

    static bool isPunctAt(const Token& token, const char* text) {
        return token.type == TokenType::kPunct && token.text == text;
    }
    static bool isWordAt(const Token& token, const char* text) {
        return token.type == TokenType::kWord && token.text == text;
    }

    ExprPtr condition() {
        expectPunct("(");
        ExprPtr expr = expression();
        expectPunct(")");
        return expr;
    }

    void ifStatement(Stmt& stmt) {
        take();
        stmt.kind = Stmt::Kind::kIf;
        stmt.expr = condition();
        stmt.body = statement();
        if (isWord("else")) {
            take();
            stmt.otherwise = statement();
        }
    }

    void doStatement(Stmt& stmt) {
        take();
        stmt.kind = Stmt::Kind::kDoWhile;
        stmt.body = statement();
        if (!isWord("while"))
            fail("'while' after the body of 'do'");
        take();
        stmt.expr = condition();
        endStatement();
    }

    void forStatement(Stmt& stmt) {
        take();
        stmt.kind = Stmt::Kind::kFor;
        expectPunct("(");
        if (cur().type == TokenType::kVariable && isWordAt(next(), "in")) {
            stmt.kind = Stmt::Kind::kForIn;
            stmt.variable = take().text;
            take();
            stmt.expr = expression();
            expectPunct(")");
            stmt.body = statement();
            return;
        }
        if (!isPunct(";"))
            stmt.init = expression();
        expectPunct(";");
        if (!isPunct(";"))
            stmt.expr = expression();
        expectPunct(";");
        if (!isPunct(")"))
            stmt.step = expression();
        expectPunct(")");
        stmt.body = statement();
    }

    // switch (value) { case label: ... default: ... }; statements run on into the next case
    // until a break.
    void switchStatement(Stmt& stmt) {
        take();
        stmt.kind = Stmt::Kind::kSwitch;
        stmt.expr = condition();
        expectPunct("{");
        while (!isPunct("}")) {
            if (atEnd())
                fail("'}'");
            if (isWord("case") || isWord("default")) {
                Case c;
                if (take().text == "case")
                    c.label = logical(0);
                expectPunct(":");
                stmt.cases.push_back(std::move(c));
            } else if (stmt.cases.empty()) {
                fail("'case' or 'default'");
            } else {
                stmt.cases.back().statements.push_back(statement());
            }
        }
        take();
    }

    TypeName typeName(const char* what) {
        if (cur().type != TokenType::kWord || !typeWords().count(cur().text))
            fail(what);
        TypeName type{take().text};
        if (isPunct("[") && isPunctAt(next(), "]")) {
            take();
            take();
            type.isArray = true;
        }
        return type;
    }

    // [global] proc [type[]] name(type $parameter[], ...) { body }
    void procDefinition(Stmt& stmt) {
        stmt.kind = Stmt::Kind::kProc;
        stmt.proc = std::make_unique<ProcDef>();
        ProcDef& proc = *stmt.proc;
        proc.line = cur().line;
        if (isWord("global")) {
            take();
            proc.isGlobal = true;
        }
        take();
        if (cur().type == TokenType::kWord && typeWords().count(cur().text) &&
            (next().type == TokenType::kWord || isPunctAt(next(), "["))) {
            proc.returns = typeName("a return type");
        }
        if (cur().type != TokenType::kWord)
            fail("a procedure name");
        proc.name = take().text;
        expectPunct("(");
        while (!isPunct(")")) {
            if (!proc.parameters.empty())
                expectPunct(",");
            Parameter parameter;
            parameter.type.name = typeName("a parameter type").name;
            if (cur().type != TokenType::kVariable)
                fail("a parameter name");
            parameter.name = take().text;
            if (isPunct("[")) {
                take();
                expectPunct("]");
                parameter.type.isArray = true;
            }
            proc.parameters.push_back(std::move(parameter));
        }
        take();
        if (!isPunct("{"))
            fail("'{' to begin the procedure's body");
        proc.body = statement();
    }

    void declaration(Stmt& stmt) {
        stmt.kind = Stmt::Kind::kDeclare;
        if (isWord("global")) {
            take();
            stmt.isGlobal = true;
        }
        if (cur().type != TokenType::kWord || !typeWords().count(cur().text)) {
            fail("a type (string, int or float)");
        }
        stmt.type = take().text;
        do {
            if (isPunct(","))
                take();
            if (cur().type != TokenType::kVariable)
                fail("a variable name");
            Declarator declarator;
            declarator.name = take().text;
            if (stmt.type == "matrix") {
                // matrix $m[rows][columns]: the size is part of a matrix's declaration.
                for (ExprPtr* size : {&declarator.rows, &declarator.columns}) {
                    expectPunct("[");
                    *size = expression();
                    expectPunct("]");
                }
            } else if (isPunct("[")) {
                take();
                if (!isPunct("]"))
                    expression();  // an array's initial size means nothing to MEL arrays
                expectPunct("]");
                declarator.isArray = true;
            }
            if (isPunct("=")) {
                take();
                declarator.init = expression();
            }
            stmt.declarators.push_back(std::move(declarator));
        } while (isPunct(","));
    }

    // `name args...` up to the end of the statement (or the closing backtick).
    ExprPtr commandCall(bool inBackticks) {
        auto call = std::make_unique<Expr>();
        call->kind = Expr::Kind::kCall;
        call->line = cur().line;
        call->name = take().text;
        for (;;) {
            if (atEnd() || isPunct(";") || isPunct("}") || (inBackticks && isPunct("`")))
                break;
            call->operands.push_back(commandArgument());
        }
        return call;
    }

    ExprPtr commandArgument() {
        if (cur().type == TokenType::kVariable || isPunct("(") || isPunct("{") || isPunct("`") ||
            isPunct("<<") || cur().type == TokenType::kString) {
            return postfix(primary());
        }
        if (isStopPunct(cur()))
            fail("a command argument");
        // A bare word: adjacent tokens read together ("pCube1.vtx[3]", "-q", "-0.5", "/a/b").
        auto literal = std::make_unique<Expr>();
        literal->line = cur().line;
        const size_t begin = cur().begin;
        size_t end = take().end;
        while (!atEnd() && !cur().spaceBefore && cur().type != TokenType::kString &&
               cur().type != TokenType::kVariable && !isStopPunct(cur())) {
            end = take().end;
        }
        literal->literal = classifyWord(src_.substr(begin, end - begin));
        return literal;
    }

    static bool isStopPunct(const Token& token) {
        static const std::set<std::string> stops = {";", "}",  "{",  "(",  ")",  ",",  "`",
                                                    "=", "==", "!=", "&&", "||", "+=", "-="};
        return token.type == TokenType::kPunct && stops.count(token.text);
    }

    ExprPtr binary(std::string op, ExprPtr left, ExprPtr right, int line) {
        auto expr = std::make_unique<Expr>();
        expr->kind = Expr::Kind::kBinary;
        expr->op = std::move(op);
        expr->line = line;
        expr->operands.push_back(std::move(left));
        expr->operands.push_back(std::move(right));
        return expr;
    }

    ExprPtr expression() { return assignment(); }

    ExprPtr assignment() {
        ExprPtr target = ternary();
        if (isPunct("=") || isPunct("+=") || isPunct("-=") || isPunct("*=") || isPunct("/=")) {
            if (target->kind != Expr::Kind::kVariable && target->kind != Expr::Kind::kIndex) {
                fail("a variable to assign to");
            }
            auto expr = std::make_unique<Expr>();
            expr->kind = Expr::Kind::kAssign;
            expr->line = cur().line;
            expr->op = take().text;
            expr->operands.push_back(std::move(target));
            expr->operands.push_back(assignment());
            return expr;
        }
        return target;
    }

    ExprPtr ternary() {
        ExprPtr cond = logical(0);
        if (!isPunct("?"))
            return cond;
        auto expr = std::make_unique<Expr>();
        expr->kind = Expr::Kind::kTernary;
        expr->line = take().line;
        expr->operands.push_back(std::move(cond));
        expr->operands.push_back(expression());
        expectPunct(":");
        expr->operands.push_back(ternary());
        return expr;
    }

    // Binary operators by precedence, loosest first.
    ExprPtr logical(size_t level) {
        static const std::vector<std::vector<std::string>> levels = {
            {"||"}, {"&&"}, {"==", "!="}, {"<", "<=", ">", ">="}, {"+", "-"}, {"*", "/", "%", "^"}};
        if (level == levels.size())
            return unary();
        ExprPtr left = logical(level + 1);
        for (;;) {
            bool matched = false;
            for (const auto& op : levels[level]) {
                if (isPunct(op.c_str())) {
                    const int line = take().line;
                    left = binary(op, std::move(left), logical(level + 1), line);
                    matched = true;
                    break;
                }
            }
            if (!matched)
                return left;
        }
    }

    ExprPtr unary() {
        if (isPunct("!") || isPunct("-") || isPunct("+")) {
            auto expr = std::make_unique<Expr>();
            expr->kind = Expr::Kind::kUnary;
            expr->line = cur().line;
            expr->op = take().text;
            expr->operands.push_back(unary());
            return expr;
        }
        if (isPunct("++") || isPunct("--")) {
            auto expr = std::make_unique<Expr>();
            expr->kind = Expr::Kind::kIncrement;
            expr->line = cur().line;
            expr->op = take().text;
            expr->prefix = true;
            expr->operands.push_back(postfix(primary()));
            return expr;
        }
        return postfix(primary());
    }

    ExprPtr postfix(ExprPtr expr) {
        for (;;) {
            if (isPunct("[") && !cur().spaceBefore) {
                auto index = std::make_unique<Expr>();
                index->kind = Expr::Kind::kIndex;
                index->line = take().line;
                index->operands.push_back(std::move(expr));
                index->operands.push_back(expression());
                expectPunct("]");
                expr = std::move(index);
            } else if (isPunct(".") && !cur().spaceBefore && next().type == TokenType::kWord &&
                       !next().spaceBefore &&
                       (next().text == "x" || next().text == "y" || next().text == "z")) {
                auto member = std::make_unique<Expr>();
                member->kind = Expr::Kind::kMember;
                member->line = take().line;
                member->name = take().text;
                member->operands.push_back(std::move(expr));
                expr = std::move(member);
            } else if ((isPunct("++") || isPunct("--")) &&
                       (expr->kind == Expr::Kind::kVariable || expr->kind == Expr::Kind::kIndex)) {
                auto inc = std::make_unique<Expr>();
                inc->kind = Expr::Kind::kIncrement;
                inc->line = cur().line;
                inc->op = take().text;
                inc->operands.push_back(std::move(expr));
                expr = std::move(inc);
            } else {
                return expr;
            }
        }
    }

    ExprPtr primary() {
        auto expr = std::make_unique<Expr>();
        expr->line = cur().line;
        switch (cur().type) {
            case TokenType::kInt:
                expr->literal =
                    Value(static_cast<int>(std::strtol(take().text.c_str(), nullptr, 10)));
                return expr;
            case TokenType::kFloat:
                expr->literal = Value(std::strtod(take().text.c_str(), nullptr));
                return expr;
            case TokenType::kString:
                expr->literal = Value(take().text);
                return expr;
            case TokenType::kVariable:
                expr->kind = Expr::Kind::kVariable;
                expr->name = take().text;
                return expr;
            case TokenType::kWord:
                return wordInExpression(std::move(expr));
            default:
                break;
        }
        if (isPunct("(")) {
            take();
            ExprPtr inner = expression();
            expectPunct(")");
            return inner;
        }
        if (isPunct("{")) {
            take();
            expr->kind = Expr::Kind::kArray;
            while (!isPunct("}")) {
                if (!expr->operands.empty())
                    expectPunct(",");
                expr->operands.push_back(expression());
            }
            take();
            return expr;
        }
        if (isPunct("<<"))
            return vectorOrMatrix(std::move(expr));
        if (isPunct("`")) {
            take();
            if (cur().type != TokenType::kWord)
                fail("a command name after '`'");
            ExprPtr call = commandCall(true);
            expectPunct("`");
            return call;
        }
        fail("an expression");
    }

    // <<x, y, z>> is a vector; <<a, b; c, d>> a matrix, row by row.
    ExprPtr vectorOrMatrix(ExprPtr expr) {
        take();
        int rows = 1;
        int columns = 0;
        int inRow = 0;
        for (;;) {
            expr->operands.push_back(ternary());
            ++inRow;
            if (isPunct(",")) {
                take();
            } else if (isPunct(";")) {
                take();
                if (columns && inRow != columns)
                    fail("as many values in every row of the matrix");
                columns = inRow;
                inRow = 0;
                ++rows;
            } else {
                expectPunct(">>");
                break;
            }
        }
        if (columns && inRow != columns)
            fail("as many values in every row of the matrix");
        expr->rows = rows;
        expr->columns = inRow;
        expr->kind = rows == 1 && inRow == 3 ? Expr::Kind::kVector : Expr::Kind::kMatrix;
        return expr;
    }

    // true/false/on/off/yes/no, or `name(arguments)` calling a command.
    ExprPtr wordInExpression(ExprPtr expr) {
        int flag = 0;
        if (boolWord(cur().text, flag)) {
            take();
            expr->literal = Value(flag);
            return expr;
        }
        if (!isPunctAt(next(), "("))
            fail("an expression (a command needs backquotes here)");
        expr->kind = Expr::Kind::kCall;
        expr->name = take().text;
        take();
        while (!isPunct(")")) {
            if (!expr->operands.empty())
                expectPunct(",");
            expr->operands.push_back(expression());
        }
        take();
        return expr;
    }

    const std::string& src_;
    std::vector<Token> tokens_;
    size_t index_ = 0;
};

}  // namespace

std::string SyntaxError::message() const {
    std::string text = "line " + std::to_string(line) + ": Syntax error near ";
    text += near.empty() ? "the end of the input" : "'" + near + "'";
    if (!expected.empty())
        text += " (expected " + expected + ")";
    return text;
}

bool parse(const std::string& source, std::vector<StmtPtr>& statements, SyntaxError& error) {
    try {
        Parser parser(source, Lexer(source).run());
        statements = parser.script();
        return true;
    } catch (const Failure& failure) {
        error = failure.error;
        statements.clear();
        return false;
    }
}

}  // namespace mayasim::mel
