#pragma once
// A dataset filter written as text, in the small language the forms use:
//     num = '12'        campo <> 0        firm = true        (a = 1 OR b = 2) AND c >= 2,5
// Terms are `field op literal` with op one of = <> != < > <= >=; literals are quoted
// text ('' for an apostrophe), numbers (decimal point or comma), true, false and null
// (only with = and <>). Terms join with AND and OR (AND binds tighter) and parentheses.
// Text compares without regard to case; NULL fails every comparison but "= null".
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class FilterExpression
{
public:
    // The value of a field of the record being tested; sets *found = false for an
    // unknown field name.
    using ValueOf = std::function<QVariant(const QString &field, bool *found)>;

    // Null with *error set when the text does not parse.
    static std::shared_ptr<const FilterExpression> parse(const QString &text, QString *error);

    bool evaluate(const ValueOf &valueOf) const;
    QStringList fieldNames() const;

    struct Node;
    explicit FilterExpression(std::shared_ptr<const Node> root);

private:
    std::shared_ptr<const Node> m_root;
};
