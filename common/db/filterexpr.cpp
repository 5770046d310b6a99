#include "db/filterexpr.h"

#include "db/cacheaccess.h"
#include "db/dberror.h"
#include "db/tablecache.h"

#include <QDate>
#include <QLocale>

#include <vector>

namespace lx {

bool likeMatch(QStringView text, QStringView pattern, Qt::CaseSensitivity cs)
{
    auto same = [cs](QChar a, QChar b) {
        return a == b || (cs == Qt::CaseInsensitive && a.toCaseFolded() == b.toCaseFolded());
    };
    // Iterative wildcard match: on a mismatch, retry from just after the last '%'.
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('%')) {
            starP = ++p;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('_') || same(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('%'))
        ++p;
    return p == pattern.size();
}

// ---------------------------------------------------------------------------------------
// Syntax tree

struct FilterExpr::Node
{
    virtual ~Node() = default;
    virtual QVariant eval(const TableCache &c, int row) const = 0;
    virtual bool test(const TableCache &c, int row) const
    {
        const QVariant v = eval(c, row);
        return !v.isNull() && v.toBool();
    }
};

namespace {

using NodePtr = std::unique_ptr<FilterExpr::Node>;

struct FieldNode : FilterExpr::Node
{
    int field;
    explicit FieldNode(int f) : field(f) {}
    QVariant eval(const TableCache &c, int row) const override;
};

struct LiteralNode : FilterExpr::Node
{
    QVariant value;
    explicit LiteralNode(QVariant v) : value(std::move(v)) {}
    QVariant eval(const TableCache &, int) const override { return value; }
};

struct CaseNode : FilterExpr::Node
{
    NodePtr arg;
    bool upper;
    CaseNode(NodePtr a, bool u) : arg(std::move(a)), upper(u) {}
    QVariant eval(const TableCache &c, int row) const override
    {
        const QVariant v = arg->eval(c, row);
        if (v.isNull())
            return v;
        return upper ? v.toString().toUpper() : v.toString().toLower();
    }
};

enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

int compareValues(const QVariant &a, const QVariant &b, bool *ok)
{
    *ok = true;
    const int ta = a.metaType().id(), tb = b.metaType().id();
    auto numeric = [](int t) {
        return t == QMetaType::Int || t == QMetaType::Double || t == QMetaType::LongLong;
    };
    if (numeric(ta) && numeric(tb)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ta == QMetaType::QDate && tb == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (a.toDate() > b.toDate() ? 1 : 0);
    if (ta == QMetaType::QTime && tb == QMetaType::QTime)
        return a.toTime() < b.toTime() ? -1 : (a.toTime() > b.toTime() ? 1 : 0);
    if (ta == QMetaType::QString && tb == QMetaType::QString)
        return a.toString().compare(b.toString());
    *ok = false;
    return 0;
}

struct CompareNode : FilterExpr::Node
{
    Op op;
    NodePtr l, r;
    CompareNode(Op o, NodePtr a, NodePtr b) : op(o), l(std::move(a)), r(std::move(b)) {}
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &c, int row) const override
    {
        const QVariant a = l->eval(c, row), b = r->eval(c, row);
        if (a.isNull() || b.isNull())
            return false;
        bool ok = false;
        const int cmp = compareValues(a, b, &ok);
        if (!ok)
            return false;
        switch (op) {
        case Op::Eq:
            return cmp == 0;
        case Op::Ne:
            return cmp != 0;
        case Op::Lt:
            return cmp < 0;
        case Op::Le:
            return cmp <= 0;
        case Op::Gt:
            return cmp > 0;
        case Op::Ge:
            return cmp >= 0;
        }
        return false;
    }
};

struct LikeNode : FilterExpr::Node
{
    NodePtr l, r;
    bool negate;
    LikeNode(NodePtr a, NodePtr b, bool n) : l(std::move(a)), r(std::move(b)), negate(n) {}
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &c, int row) const override
    {
        const QVariant a = l->eval(c, row), b = r->eval(c, row);
        if (b.isNull())
            return false;
        // An empty text is held as null; it still matches a pattern that matches "".
        return likeMatch(a.toString(), b.toString(), Qt::CaseSensitive) != negate;
    }
};

// UPPER(textfield) LIKE UPPER('literal'), the search boxes' expression: matched in place,
// folding case, without copying the row's text.
struct FastLikeNode : FilterExpr::Node
{
    int column = 0;
    QString pattern, inner;
    Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    enum Kind { General, Contains, Prefix, Suffix, Exact } kind = General;
    bool negate = false;
    const std::vector<QString> *texts = nullptr;

    void setPattern(const QString &p)
    {
        pattern = p;
        const QStringView v(p);
        auto plain = [](QStringView s) {
            return !s.contains(QLatin1Char('%')) && !s.contains(QLatin1Char('_'));
        };
        if (v.size() >= 2 && v.startsWith(QLatin1Char('%')) && v.endsWith(QLatin1Char('%')) &&
            plain(v.mid(1, v.size() - 2))) {
            kind = Contains;
            inner = v.mid(1, v.size() - 2).toString();
        } else if (v.endsWith(QLatin1Char('%')) && plain(v.chopped(1))) {
            kind = Prefix;
            inner = v.chopped(1).toString();
        } else if (v.startsWith(QLatin1Char('%')) && plain(v.mid(1))) {
            kind = Suffix;
            inner = v.mid(1).toString();
        } else if (plain(v)) {
            kind = Exact;
            inner = p;
        }
    }
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &, int row) const override
    {
        const QStringView s((*texts)[size_t(row)]);
        bool m = false;
        switch (kind) {
        case Contains:
            m = s.contains(inner, cs);
            break;
        case Prefix:
            m = s.startsWith(inner, cs);
            break;
        case Suffix:
            m = s.endsWith(inner, cs);
            break;
        case Exact:
            m = s.compare(inner, cs) == 0;
            break;
        case General:
            m = likeMatch(s, pattern, cs);
            break;
        }
        return m != negate;
    }
};

struct IsNullNode : FilterExpr::Node
{
    NodePtr arg;
    bool negate;
    IsNullNode(NodePtr a, bool n) : arg(std::move(a)), negate(n) {}
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &c, int row) const override
    {
        return arg->eval(c, row).isNull() != negate;
    }
};

struct LogicNode : FilterExpr::Node
{
    bool isAnd;
    NodePtr l, r;
    LogicNode(bool a, NodePtr x, NodePtr y) : isAnd(a), l(std::move(x)), r(std::move(y)) {}
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &c, int row) const override
    {
        return isAnd ? (l->test(c, row) && r->test(c, row)) : (l->test(c, row) || r->test(c, row));
    }
};

struct NotNode : FilterExpr::Node
{
    NodePtr arg;
    explicit NotNode(NodePtr a) : arg(std::move(a)) {}
    QVariant eval(const TableCache &c, int row) const override { return test(c, row); }
    bool test(const TableCache &c, int row) const override { return !arg->test(c, row); }
};

// ---------------------------------------------------------------------------------------
// Tokens and parser

struct Token
{
    enum Kind { End, Ident, String, Number, Symbol } kind = End;
    QString text;
    int pos = 0;
};

class Parser
{
public:
    Parser(const QString &text, const TableCache &cache) : m_src(text), m_cache(cache)
    {
        tokenize();
    }

    NodePtr parse()
    {
        NodePtr n = parseOr();
        if (peek().kind != Token::End)
            fail(QStringLiteral("'%1' inesperado").arg(peek().text));
        return n;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        throw DbError(QStringLiteral("Expressão de filtro inválida (%1): %2").arg(why, m_src));
    }

    void tokenize()
    {
        const QString &s = m_src;
        int i = 0;
        while (i < s.size()) {
            const QChar ch = s[i];
            if (ch.isSpace()) {
                ++i;
                continue;
            }
            Token t;
            t.pos = i;
            if (ch == QLatin1Char('\'')) {
                QString lit;
                ++i;
                bool closed = false;
                while (i < s.size()) {
                    if (s[i] == QLatin1Char('\'')) {
                        if (i + 1 < s.size() && s[i + 1] == QLatin1Char('\'')) {
                            lit += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    lit += s[i++];
                }
                if (!closed)
                    fail(QStringLiteral("texto sem aspa de fechamento"));
                t.kind = Token::String;
                t.text = lit;
            } else if (ch.isLetter() || ch == QLatin1Char('_')) {
                int j = i;
                while (j < s.size() && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                    ++j;
                t.kind = Token::Ident;
                t.text = s.mid(i, j - i);
                i = j;
            } else if (ch.isDigit() ||
                       (ch == QLatin1Char('-') && i + 1 < s.size() && s[i + 1].isDigit())) {
                int j = i + 1;
                while (j < s.size() && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                    ++j;
                t.kind = Token::Number;
                t.text = s.mid(i, j - i);
                i = j;
            } else {
                static const char *const two[] = {"<>", "<=", ">=", "!="};
                t.kind = Token::Symbol;
                t.text = QString(ch);
                for (const char *op : two)
                    if (s.mid(i, 2) == QLatin1String(op))
                        t.text = QLatin1String(op);
                if (!QStringLiteral("()=<>,").contains(t.text[0]) && t.text.size() == 1)
                    fail(QStringLiteral("caractere '%1' inesperado").arg(ch));
                i += int(t.text.size());
            }
            m_tokens.push_back(t);
        }
        m_tokens.push_back(Token{});
    }

    const Token &peek() const { return m_tokens[m_at]; }
    Token take() { return m_tokens[m_at < m_tokens.size() - 1 ? m_at++ : m_at]; }
    bool keyword(const char *kw) const
    {
        return peek().kind == Token::Ident &&
               peek().text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }
    bool symbol(const char *sym) const
    {
        return peek().kind == Token::Symbol && peek().text == QLatin1String(sym);
    }
    void expect(const char *sym)
    {
        if (!symbol(sym))
            fail(QStringLiteral("esperado '%1'").arg(QLatin1String(sym)));
        take();
    }

    NodePtr parseOr()
    {
        NodePtr n = parseAnd();
        while (keyword("OR")) {
            take();
            n = std::make_unique<LogicNode>(false, std::move(n), parseAnd());
        }
        return n;
    }

    NodePtr parseAnd()
    {
        NodePtr n = parseNot();
        while (keyword("AND")) {
            take();
            n = std::make_unique<LogicNode>(true, std::move(n), parseNot());
        }
        return n;
    }

    NodePtr parseNot()
    {
        if (keyword("NOT")) {
            take();
            return std::make_unique<NotNode>(parseNot());
        }
        return parseComparison();
    }

    // A parenthesis opens either a nested condition or a parenthesised operand.
    NodePtr parseComparison()
    {
        if (symbol("(")) {
            const size_t save = m_at;
            take();
            NodePtr inner = parseOr();
            if (symbol(")")) {
                take();
                if (!startsOperator())
                    return inner;
            }
            m_at = save;
        }
        NodePtr left = parseOperand();
        if (keyword("IS")) {
            take();
            bool neg = false;
            if (keyword("NOT")) {
                take();
                neg = true;
            }
            if (!keyword("NULL"))
                fail(QStringLiteral("esperado NULL"));
            take();
            return std::make_unique<IsNullNode>(std::move(left), neg);
        }
        bool negLike = false;
        if (keyword("NOT")) {
            take();
            negLike = true;
            if (!keyword("LIKE"))
                fail(QStringLiteral("esperado LIKE"));
        }
        if (keyword("LIKE")) {
            take();
            NodePtr right = parseOperand();
            return makeLike(std::move(left), std::move(right), negLike);
        }
        if (peek().kind != Token::Symbol)
            fail(QStringLiteral("esperado um operador"));
        const QString op = take().text;
        Op o;
        if (op == QLatin1String("="))
            o = Op::Eq;
        else if (op == QLatin1String("<>") || op == QLatin1String("!="))
            o = Op::Ne;
        else if (op == QLatin1String("<"))
            o = Op::Lt;
        else if (op == QLatin1String("<="))
            o = Op::Le;
        else if (op == QLatin1String(">"))
            o = Op::Gt;
        else if (op == QLatin1String(">="))
            o = Op::Ge;
        else
            fail(QStringLiteral("operador '%1' desconhecido").arg(op));
        NodePtr right = parseOperand();
        coerce(left, right);
        coerce(right, left);
        return std::make_unique<CompareNode>(o, std::move(left), std::move(right));
    }

    bool startsOperator() const
    {
        return keyword("LIKE") || keyword("IS") ||
               (keyword("NOT") && m_at + 1 < m_tokens.size() &&
                m_tokens[m_at + 1].text.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) ||
               (peek().kind == Token::Symbol && !symbol(")") && !symbol("(") && !symbol(","));
    }

    NodePtr parseOperand()
    {
        const Token t = take();
        switch (t.kind) {
        case Token::String:
            return std::make_unique<LiteralNode>(t.text);
        case Token::Number: {
            bool ok = false;
            if (t.text.contains(QLatin1Char('.'))) {
                const double d = t.text.toDouble(&ok);
                if (ok)
                    return std::make_unique<LiteralNode>(d);
            } else {
                const int i = t.text.toInt(&ok);
                if (ok)
                    return std::make_unique<LiteralNode>(i);
            }
            fail(QStringLiteral("número '%1' inválido").arg(t.text));
        }
        case Token::Ident: {
            const bool up = t.text.compare(QLatin1String("UPPER"), Qt::CaseInsensitive) == 0;
            const bool low = t.text.compare(QLatin1String("LOWER"), Qt::CaseInsensitive) == 0;
            if ((up || low) && symbol("(")) {
                take();
                NodePtr arg = parseOperand();
                expect(")");
                return std::make_unique<CaseNode>(std::move(arg), up);
            }
            if (t.text.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
                return std::make_unique<LiteralNode>(QVariant());
            const int f = m_cache.fieldIndex(t.text);
            if (f < 0)
                fail(QStringLiteral("campo '%1' desconhecido").arg(t.text));
            return std::make_unique<FieldNode>(f);
        }
        case Token::Symbol:
            if (t.text == QLatin1String("(")) {
                NodePtr n = parseOperand();
                expect(")");
                return n;
            }
            fail(QStringLiteral("'%1' inesperado").arg(t.text));
        case Token::End:
            break;
        }
        fail(QStringLiteral("fim inesperado"));
    }

    // A text literal compared with a field takes the field's type.
    void coerce(NodePtr &literal, const NodePtr &other)
    {
        auto *lit = dynamic_cast<LiteralNode *>(literal.get());
        auto *field = dynamic_cast<FieldNode *>(other.get());
        if (!lit || !field || lit->value.isNull())
            return;
        try {
            QVariant v = m_cache.convert(field->field, lit->value);
            if (v.isNull() && m_cache.fieldDef(field->field).type == FieldType::Text)
                v = QString(QLatin1String(""));
            lit->value = v;
        } catch (const DbError &) {
            fail(QStringLiteral("'%1' não é um valor do tipo do campo %2")
                     .arg(lit->value.toString(), m_cache.fieldDef(field->field).name));
        }
    }

    // Spot the search boxes' shape and give it the in-place matcher.
    NodePtr makeLike(NodePtr left, NodePtr right, bool negate)
    {
        auto stripCase = [](const NodePtr &n, bool *upper) -> const FilterExpr::Node * {
            if (auto *c = dynamic_cast<const CaseNode *>(n.get())) {
                *upper = c->upper;
                return c->arg.get();
            }
            return nullptr;
        };
        bool lu = false, ru = false;
        const FilterExpr::Node *la = stripCase(left, &lu);
        const FilterExpr::Node *ra = stripCase(right, &ru);
        auto *field = dynamic_cast<const FieldNode *>(la ? la : left.get());
        auto *lit = dynamic_cast<const LiteralNode *>(ra ? ra : right.get());
        if (field && lit && !lit->value.isNull() &&
            m_cache.fieldDef(field->field).type == FieldType::Text &&
            !m_cache.fieldDef(field->field).isLookup()) {
            QString pattern = lit->value.toString();
            Qt::CaseSensitivity cs = Qt::CaseSensitive;
            bool fits = true;
            if (la && ra && lu == ru)
                cs = Qt::CaseInsensitive; // both sides folded the same way
            else if (la && !ra) {
                // UPPER(field) LIKE 'ABC': folding both sides gives the same answer when the
                // literal is already in that case.
                fits = pattern == (lu ? pattern.toUpper() : pattern.toLower());
                cs = Qt::CaseInsensitive;
            } else if (la || ra)
                fits = false;
            if (fits) {
                auto n = std::make_unique<FastLikeNode>();
                n->column = field->field;
                n->cs = cs;
                n->negate = negate;
                n->setPattern(pattern);
                n->texts = textsOf(field->field);
                return n;
            }
        }
        return std::make_unique<LikeNode>(std::move(left), std::move(right), negate);
    }

    const std::vector<QString> *textsOf(int field) const;

    QString m_src;
    const TableCache &m_cache;
    std::vector<Token> m_tokens;
    size_t m_at = 0;
};

} // namespace

QVariant FieldNode::eval(const TableCache &c, int row) const
{
    return detail::CacheAccess::stored(c, row, field);
}

const std::vector<QString> *Parser::textsOf(int field) const
{
    return detail::CacheAccess::texts(m_cache, field);
}

FilterExpr::~FilterExpr() = default;

std::unique_ptr<FilterExpr> FilterExpr::compile(const QString &text, const TableCache &cache)
{
    std::unique_ptr<FilterExpr> e(new FilterExpr);
    e->m_root = Parser(text, cache).parse();
    return e;
}

bool FilterExpr::matches(const TableCache &cache, int physRow) const
{
    return m_root->test(cache, physRow);
}

QString containsFilter(const QString &column, const QString &text)
{
    QString literal = QLatin1Char('%') + text + QLatin1Char('%');
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    return QStringLiteral("(UPPER(%1) LIKE UPPER('%2'))").arg(column, literal);
}

QString quotedLiteral(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

} // namespace lx
