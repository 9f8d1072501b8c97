#include <platform/adodb/filter_criteria.h>

#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <optional>

namespace adodb::internal {

using automation::Variant;

namespace {

enum class Op { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Like };

// How a clause compares a row's value with its literal, fixed when the text is read.
enum class Mode {
    IsNull,   // Field = Null / Field <> Null
    Number,   // both sides read as numbers (dates as their serial)
    Text,     // texts ignoring letter case; a numeric cell against a numeric text as numbers
    Pattern,  // LIKE
};

struct Clause {
    int32_t field = 0;
    Op op = Op::Equal;
    Mode mode = Mode::Text;
    std::string text;              // the literal's text (the LIKE pattern's core)
    std::optional<double> number;  // the literal read as a number, when it is one
    bool dateField = false;        // a text cell is read as a date, not as a number
    bool leadingWildcard = false;
    bool trailingWildcard = false;
};

}  // namespace

struct FilterCriteria::Node {
    enum class Kind { Clause, And, Or } kind = Kind::Clause;
    Clause clause;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

using Node = FilterCriteria::Node;

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

constexpr int kMaxGroupDepth = 100;

class Parser {
  public:
    Parser(const std::string& text, const std::vector<FieldInfo>& fields)
        : text_(text), fields_(fields) {}

    std::unique_ptr<Node> ParseAll() {
        auto root = ParseSequence();
        SkipBlanks();
        if (!AtEnd()) Fail("unexpected \"" + std::string(1, text_[pos_]) + "\"");
        return root;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        automation::Raise(adoerr::InvalidArgument, "ADODB.Recordset",
                          "The filter \"" + text_ + "\" cannot be read: " + what +
                              " at character " + std::to_string(pos_ + 1) + ".");
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    }

    std::string ReadLetters() {
        const size_t start = pos_;
        while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Operands joined by one kind of connector, up to the end or a closing parenthesis.
    std::unique_ptr<Node> ParseSequence() {
        std::vector<std::unique_ptr<Node>> operands;
        operands.push_back(ParseOperand());
        std::optional<Node::Kind> connector;
        for (;;) {
            SkipBlanks();
            if (AtEnd() || Peek() == ')') break;
            const size_t wordStart = pos_;
            const std::string word = ReadLetters();
            Node::Kind kind;
            if (automation::EqualsIgnoreCase(word, "AND")) {
                kind = Node::Kind::And;
            } else if (automation::EqualsIgnoreCase(word, "OR")) {
                kind = Node::Kind::Or;
            } else {
                pos_ = wordStart;
                Fail("AND or OR expected");
            }
            if (connector && *connector != kind) {
                pos_ = wordStart;
                Fail("AND and OR are mixed without parentheses");
            }
            connector = kind;
            operands.push_back(ParseOperand());
        }
        if (operands.size() == 1) return std::move(operands.front());
        auto node = std::make_unique<Node>();
        node->kind = *connector;
        node->children = std::move(operands);
        if (node->kind == Node::Kind::And) {
            for (const auto& child : node->children)
                if (child->kind == Node::Kind::Or) Fail("a group joined by OR is joined by AND");
        }
        return node;
    }

    std::unique_ptr<Node> ParseOperand() {
        SkipBlanks();
        if (Peek() != '(') return ParseClause();
        // Each group is read, kept and tested one call deeper: a text nesting thousands of groups
        // would run out of stack instead of being refused.
        if (++depth_ > kMaxGroupDepth) {
            Fail("groups nest more than " + std::to_string(kMaxGroupDepth) + " deep");
        }
        ++pos_;
        auto group = ParseSequence();
        SkipBlanks();
        if (Peek() != ')') Fail("\")\" expected");
        ++pos_;
        --depth_;
        return group;
    }

    std::unique_ptr<Node> ParseClause() {
        auto node = std::make_unique<Node>();
        Clause& clause = node->clause;
        clause.field = ParseField();
        clause.op = ParseOperator();
        ParseValue(clause);
        return node;
    }

    int32_t ParseField() {
        SkipBlanks();
        std::string name;
        if (Peek() == '[') {
            const size_t close = text_.find(']', pos_);
            if (close == std::string::npos) Fail("\"]\" expected");
            name = text_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
        } else {
            const size_t start = pos_;
            while (!AtEnd() && !IsBlank(Peek()) &&
                   std::string_view("=<>!()'#").find(Peek()) == std::string_view::npos)
                ++pos_;
            name = text_.substr(start, pos_ - start);
        }
        if (name.empty()) Fail("a field name expected");
        for (size_t i = 0; i < fields_.size(); ++i)
            if (automation::EqualsIgnoreCase(fields_[i].Name, name)) return static_cast<int32_t>(i);
        automation::Raise(adoerr::ItemNotFound, "ADODB.Recordset",
                          "The filter \"" + text_ + "\" names the field \"" + name +
                              "\", which the record set does not have.");
    }

    Op ParseOperator() {
        SkipBlanks();
        const std::string_view rest = std::string_view(text_).substr(pos_);
        static constexpr std::pair<std::string_view, Op> symbols[] = {
            {"<=", Op::LessOrEqual}, {">=", Op::GreaterOrEqual},
            {"<>", Op::NotEqual},    {"=", Op::Equal},
            {"<", Op::Less},         {">", Op::Greater}};
        for (const auto& [symbol, op] : symbols) {
            if (rest.substr(0, symbol.size()) == symbol) {
                pos_ += symbol.size();
                return op;
            }
        }
        const size_t start = pos_;
        if (automation::EqualsIgnoreCase(ReadLetters(), "LIKE")) return Op::Like;
        pos_ = start;
        Fail("an operator (= <> < > <= >= LIKE) expected");
    }

    std::string ReadDelimited(char delimiter) {
        std::string value;
        ++pos_;
        for (;;) {
            if (AtEnd()) Fail(std::string("the closing ") + delimiter + " is missing");
            const char c = text_[pos_++];
            if (c != delimiter) {
                value += c;
            } else if (delimiter == '\'' && Peek() == '\'') {
                value += c;  // a doubled quote stands for one quote
                ++pos_;
            } else {
                return value;
            }
        }
    }

    void ParseValue(Clause& clause) {
        SkipBlanks();
        const size_t valueStart = pos_;
        const FieldInfo& field = fields_[clause.field];
        if (Peek() == '\'' || Peek() == '#') {
            const char delimiter = Peek();
            clause.text = ReadDelimited(delimiter);
            if (clause.op == Op::Like) return SetPattern(clause, valueStart);
            if (delimiter == '#' || IsDateType(field.Type)) {
                if (auto date = ParseDateText(clause.text)) {
                    clause.mode = Mode::Number;
                    clause.number = date->serial;
                    clause.dateField = true;
                    return;
                }
                if (IsDateType(field.Type)) {
                    pos_ = valueStart;
                    Fail("\"" + clause.text + "\" is not a date for the field " + field.Name);
                }
            }
            clause.number = ParseNumberText(clause.text);
            clause.mode = Mode::Text;
            if (IsNumericType(field.Type)) {
                if (!clause.number) {
                    pos_ = valueStart;
                    Fail("\"" + clause.text + "\" is not a number for the field " + field.Name);
                }
                clause.mode = Mode::Number;
            }
            return;
        }
        while (!AtEnd() && !IsBlank(Peek()) && Peek() != ')') ++pos_;
        clause.text = text_.substr(valueStart, pos_ - valueStart);
        if (clause.text.empty()) Fail("a value expected");
        if (automation::EqualsIgnoreCase(clause.text, "Null")) {
            if (clause.op != Op::Equal && clause.op != Op::NotEqual) {
                pos_ = valueStart;
                Fail("Null can only be compared with = or <>");
            }
            clause.mode = Mode::IsNull;
            return;
        }
        clause.number = ParseNumberText(clause.text);
        if (!clause.number) {
            pos_ = valueStart;
            Fail("\"" + clause.text + "\" is not a value (quote a text)");
        }
        if (clause.op == Op::Like) Fail("LIKE needs a quoted pattern");
        clause.mode = Mode::Number;
        clause.dateField = IsDateType(field.Type);
    }

    void SetPattern(Clause& clause, size_t valueStart) {
        std::string& pattern = clause.text;
        auto isWildcard = [](char c) { return c == '*' || c == '%'; };
        if (!pattern.empty() && isWildcard(pattern.back())) {
            clause.trailingWildcard = true;
            pattern.pop_back();
        }
        if (!pattern.empty() && isWildcard(pattern.front())) {
            clause.leadingWildcard = true;
            pattern.erase(0, 1);
        }
        const bool embedded = pattern.find_first_of("*%") != std::string::npos;
        if (embedded || (clause.leadingWildcard && !clause.trailingWildcard)) {
            pos_ = valueStart;
            Fail("LIKE takes * or % only at the end or at both ends of the pattern");
        }
        clause.mode = Mode::Pattern;
    }

    const std::string& text_;
    const std::vector<FieldInfo>& fields_;
    size_t pos_ = 0;
    int depth_ = 0;  // groups open at pos_
};

std::optional<int> Sign(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// The order of a row's value against the clause's literal; nothing when they cannot be ordered
// (a text that is no number, or no date, in a numeric comparison).
std::optional<int> CompareValue(const Clause& clause, const Variant& value) {
    if (clause.mode == Mode::Number) {
        std::optional<double> cell = value.NumericValue();
        if (!cell && value.IsString()) {
            if (clause.dateField) {
                if (auto date = ParseDateText(value.AsString())) cell = date->serial;
            } else {
                cell = ParseNumberText(value.AsString());
            }
        }
        if (!cell) return std::nullopt;
        return Sign(*cell, *clause.number);
    }
    if (!value.IsString() && clause.number) {
        if (auto cell = value.NumericValue()) return Sign(*cell, *clause.number);
    }
    return CompareTextIgnoreCase(TextOf(value), clause.text);
}

bool MatchesPattern(const Clause& clause, const std::string& text) {
    const std::string& core = clause.text;
    if (clause.leadingWildcard) {
        if (core.empty()) return true;
        for (size_t at = 0; at + core.size() <= text.size(); ++at)
            if (CompareTextIgnoreCase(std::string_view(text).substr(at, core.size()), core) == 0)
                return true;
        return false;
    }
    if (clause.trailingWildcard)
        return text.size() >= core.size() &&
               CompareTextIgnoreCase(std::string_view(text).substr(0, core.size()), core) == 0;
    return CompareTextIgnoreCase(text, core) == 0;
}

bool ClauseMatches(const Clause& clause, const std::vector<Variant>& row) {
    const Variant& value = row[clause.field];
    const bool isNull = value.IsNull() || value.IsEmpty();
    if (clause.mode == Mode::IsNull) return (clause.op == Op::Equal) == isNull;
    if (isNull) return false;
    if (clause.mode == Mode::Pattern) return MatchesPattern(clause, TextOf(value));
    const std::optional<int> order = CompareValue(clause, value);
    if (!order) return clause.op == Op::NotEqual;  // a text that is no number differs from it
    switch (clause.op) {
        case Op::Equal:
            return *order == 0;
        case Op::NotEqual:
            return *order != 0;
        case Op::Less:
            return *order < 0;
        case Op::Greater:
            return *order > 0;
        case Op::LessOrEqual:
            return *order <= 0;
        case Op::GreaterOrEqual:
            return *order >= 0;
        case Op::Like:
            break;
    }
    return false;
}

bool NodeMatches(const Node& node, const std::vector<Variant>& row) {
    switch (node.kind) {
        case Node::Kind::Clause:
            return ClauseMatches(node.clause, row);
        case Node::Kind::And:
            for (const auto& child : node.children)
                if (!NodeMatches(*child, row)) return false;
            return true;
        case Node::Kind::Or:
            for (const auto& child : node.children)
                if (NodeMatches(*child, row)) return true;
            return false;
    }
    return false;
}

}  // namespace

FilterCriteria::FilterCriteria(const std::string& criteria, const std::vector<FieldInfo>& fields)
    : root_(Parser(criteria, fields).ParseAll()) {}

FilterCriteria::~FilterCriteria() = default;
FilterCriteria::FilterCriteria(FilterCriteria&&) noexcept = default;
FilterCriteria& FilterCriteria::operator=(FilterCriteria&&) noexcept = default;

bool FilterCriteria::Matches(const std::vector<Variant>& row) const {
    return NodeMatches(*root_, row);
}

}  // namespace adodb::internal
