#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <memory>

namespace lx {

class TableCache;

/// SQL LIKE: % matches any run of characters, _ any one character.
bool likeMatch(QStringView text, QStringView pattern, Qt::CaseSensitivity cs);

/// The search boxes' filter: (UPPER(column) LIKE UPPER('%text%')), the text quoted as an SQL
/// literal (single quotes doubled), so % and _ typed stay wildcards and a quote is no error.
QString containsFilter(const QString &column, const QString &text);

/// text as an SQL string literal: enclosed in single quotes, each quote inside doubled.
QString quotedLiteral(const QString &text);

/// A filter expression compiled against the fields of a cache and evaluated on its rows.
///
/// Grammar: or-expressions of and-expressions of [NOT] comparisons, parentheses; a comparison
/// is `a op b` (= <> != < <= > >=), `a [NOT] LIKE b` or `a IS [NOT] NULL`; operands are field
/// names, 'quoted text' (quotes doubled inside), numbers and UPPER(...)/LOWER(...). A literal
/// compared with a field is converted to the field's type. Keywords are case-insensitive.
class FilterExpr
{
public:
    struct Node;

    /// Throws DbError when text is malformed or names an unknown field.
    static std::unique_ptr<FilterExpr> compile(const QString &text, const TableCache &cache);
    ~FilterExpr();

    bool matches(const TableCache &cache, int physRow) const;

private:
    FilterExpr() = default;
    std::unique_ptr<Node> m_root;
};

} // namespace lx
