#include "filterexpression.h"

#include "valuecompare.h"

#include <QRegularExpression>

enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

struct FilterExpression::Node
{
    enum Kind { And, Or, Term } kind = Term;
    std::shared_ptr<const Node> left, right;
    QString field;
    Op op = Op::Eq;
    QVariant literal;
};

namespace {

using Node = FilterExpression::Node;

class Parser
{
public:
    explicit Parser(const QString &text)
        : m_text(text)
    {
    }

    std::shared_ptr<const Node> parse(QString *error)
    {
        auto root = orExpr();
        skipBlanks();
        if (!m_error.isEmpty() || !root || m_pos < m_text.size()) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("texto inesperado en la posición %1").arg(m_pos + 1);
            if (error)
                *error = QStringLiteral("Filtro no válido \"") + m_text + QStringLiteral("\": ") + m_error;
            return nullptr;
        }
        return root;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    bool keyword(const QString &word)
    {
        skipBlanks();
        const int end = m_pos + int(word.size());
        if (end > m_text.size() || QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        if (end < m_text.size() && (m_text.at(end).isLetterOrNumber() || m_text.at(end) == QLatin1Char('_')))
            return false;
        m_pos = end;
        return true;
    }

    // left (word right)*, folded to the left.
    std::shared_ptr<const Node> chain(Node::Kind kind, const QString &word, std::shared_ptr<const Node> (Parser::*operand)())
    {
        auto left = (this->*operand)();
        while (left && keyword(word)) {
            auto right = (this->*operand)();
            if (!right)
                return nullptr;
            auto n = std::make_shared<Node>();
            n->kind = kind;
            n->left = left;
            n->right = right;
            left = n;
        }
        return left;
    }

    std::shared_ptr<const Node> orExpr() { return chain(Node::Or, QStringLiteral("OR"), &Parser::andExpr); }
    std::shared_ptr<const Node> andExpr() { return chain(Node::And, QStringLiteral("AND"), &Parser::factor); }

    std::shared_ptr<const Node> factor()
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('(')) {
            ++m_pos;
            auto inner = orExpr();
            skipBlanks();
            if (!inner)
                return nullptr;
            if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char(')')) {
                m_error = QStringLiteral("falta \")\"");
                return nullptr;
            }
            ++m_pos;
            return inner;
        }
        return term();
    }

    std::shared_ptr<const Node> term()
    {
        auto n = std::make_shared<Node>();
        skipBlanks();
        // field name, bare or in brackets
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('[')) {
            const int close = m_text.indexOf(QLatin1Char(']'), m_pos);
            if (close < 0) {
                m_error = QStringLiteral("falta \"]\"");
                return nullptr;
            }
            n->field = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
        } else {
            const int start = m_pos;
            while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')))
                ++m_pos;
            n->field = m_text.mid(start, m_pos - start);
        }
        if (n->field.isEmpty()) {
            m_error = QStringLiteral("se esperaba un nombre de campo en la posición %1").arg(m_pos + 1);
            return nullptr;
        }
        skipBlanks();
        static const struct
        {
            const char *text;
            Op op;
        } ops[] = {{"<>", Op::Ne}, {"!=", Op::Ne}, {"<=", Op::Le}, {">=", Op::Ge}, {"=", Op::Eq}, {"<", Op::Lt}, {">", Op::Gt}};
        bool found = false;
        for (const auto &o : ops) {
            const QString t = QString::fromLatin1(o.text);
            if (QStringView(m_text).mid(m_pos).startsWith(t)) {
                n->op = o.op;
                m_pos += int(t.size());
                found = true;
                break;
            }
        }
        if (!found) {
            m_error = QStringLiteral("se esperaba un operador después de \"") + n->field + QLatin1Char('"');
            return nullptr;
        }
        if (!literal(n->literal))
            return nullptr;
        if (n->literal.isNull() && n->op != Op::Eq && n->op != Op::Ne) {
            m_error = QStringLiteral("null sólo admite = y <>");
            return nullptr;
        }
        return n;
    }

    bool literal(QVariant &out)
    {
        skipBlanks();
        if (m_pos >= m_text.size()) {
            m_error = QStringLiteral("falta un valor al final");
            return false;
        }
        if (m_text.at(m_pos) == QLatin1Char('\'')) {
            QString s;
            ++m_pos;
            while (true) {
                if (m_pos >= m_text.size()) {
                    m_error = QStringLiteral("texto sin cerrar");
                    return false;
                }
                const QChar c = m_text.at(m_pos++);
                if (c == QLatin1Char('\'')) {
                    if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('\'')) {
                        s += c;
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                s += c;
            }
            out = s;
            return true;
        }
        if (keyword(QStringLiteral("true"))) {
            out = true;
            return true;
        }
        if (keyword(QStringLiteral("false"))) {
            out = false;
            return true;
        }
        if (keyword(QStringLiteral("null"))) {
            out = QVariant();
            return true;
        }
        static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d+)?|[.,]\\d+)"));
        const auto m = number.match(m_text.mid(m_pos));
        if (!m.hasMatch()) {
            m_error = QStringLiteral("valor no válido en la posición %1").arg(m_pos + 1);
            return false;
        }
        QString t = m.captured(0);
        m_pos += int(t.size());
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        out = t.toDouble();
        return true;
    }

    QString m_text;
    int m_pos = 0;
    QString m_error;
};

bool evalNode(const Node &n, const FilterExpression::ValueOf &valueOf)
{
    switch (n.kind) {
    case Node::And:
        return evalNode(*n.left, valueOf) && evalNode(*n.right, valueOf);
    case Node::Or:
        return evalNode(*n.left, valueOf) || evalNode(*n.right, valueOf);
    case Node::Term:
        break;
    }
    bool found = true;
    const QVariant v = valueOf(n.field, &found);
    if (!found)
        return false;
    if (n.literal.isNull())
        return n.op == Op::Eq ? v.isNull() : !v.isNull();
    if (v.isNull())
        return false;
    const int c = ValueCompare::compare(v, n.literal, true);
    switch (n.op) {
    case Op::Eq:
        return c == 0;
    case Op::Ne:
        return c != 0;
    case Op::Lt:
        return c < 0;
    case Op::Gt:
        return c > 0;
    case Op::Le:
        return c <= 0;
    case Op::Ge:
        return c >= 0;
    }
    return false;
}

void collect(const Node &n, QStringList &out)
{
    if (n.kind == Node::Term) {
        out.append(n.field);
        return;
    }
    collect(*n.left, out);
    collect(*n.right, out);
}

} // namespace

FilterExpression::FilterExpression(std::shared_ptr<const Node> root)
    : m_root(std::move(root))
{
}

std::shared_ptr<const FilterExpression> FilterExpression::parse(const QString &text, QString *error)
{
    Parser parser(text);
    auto root = parser.parse(error);
    if (!root)
        return nullptr;
    return std::make_shared<const FilterExpression>(root);
}

bool FilterExpression::evaluate(const ValueOf &valueOf) const
{
    return evalNode(*m_root, valueOf);
}

QStringList FilterExpression::fieldNames() const
{
    QStringList out;
    collect(*m_root, out);
    return out;
}
