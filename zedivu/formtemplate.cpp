#include "formtemplate.h"

#include "chileantext.h"
#include "connection.h"
#include "sqlidentifier.h"
#include "transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

QString FormTemplate::declaredType(const ColumnDescription &column)
{
    switch (column.type) {
    case FieldType::Integer: return QStringLiteral("INTEGER");
    case FieldType::SmallInt: return QStringLiteral("SMALLINT");
    case FieldType::Float: return QStringLiteral("DOUBLE");
    case FieldType::Text: return QStringLiteral("VARCHAR(%1)").arg(column.size > 0 ? column.size : 20);
    case FieldType::Memo: return QStringLiteral("TEXT");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    case FieldType::DateTime: return QStringLiteral("DATETIME");
    case FieldType::AutoInc: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return QStringLiteral("TEXT");
}

namespace {

// The stored form of a value written in a description; false when it does not fit.
bool storedValue(const ColumnDescription &c, const QString &text, QVariant &out)
{
    switch (c.type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc: {
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok);
        out = v;
        return ok;
    }
    case FieldType::Float: {
        const auto v = ChileanText::toDouble(text);
        out = v.value_or(0);
        return v.has_value();
    }
    case FieldType::Boolean:
        if (text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            out = 1;
        else if (text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            out = 0;
        else
            return false;
        return true;
    case FieldType::DateTime: {
        const auto v = ChileanText::toDateTime(text);
        if (v)
            out = ChileanText::toStorage(*v);
        return v.has_value();
    }
    case FieldType::Text:
        out = text;
        return text.size() <= c.size;
    case FieldType::Memo:
        out = text;
        return true;
    }
    return false;
}

// A default as an SQL literal: numbers as they are, texts quoted with doubled quotes.
QString literal(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

} // namespace

bool FormTemplate::statements(const FormDescription &form, QList<Statement> &out, QString *error)
{
    auto fail = [&](int line, const QString &text) {
        if (error)
            *error = form.where(line) + text;
        return false;
    };
    for (const TableDescription &t : form.tables) {
        QStringList defs;
        for (const ColumnDescription &c : t.columns) {
            if (c.kind != ColumnDescription::Kind::Data)
                continue;
            QString def = SqlIdentifier::quoted(c.name) + QLatin1Char(' ') + declaredType(c);
            if (!c.defaultValue.isEmpty()) {
                QVariant v;
                if (!storedValue(c, c.defaultValue, v))
                    return fail(c.line, QStringLiteral("el valor por omisión \"%1\" no corresponde al tipo de \"%2\"").arg(c.defaultValue, c.name));
                def += QStringLiteral(" DEFAULT ") + literal(v);
            }
            defs << def;
        }
        out << Statement{QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlIdentifier::quoted(t.name), defs.join(QStringLiteral(", "))), {}};
        QList<QList<QPair<QString, QString>>> rows = t.rows;
        if (t.main && rows.isEmpty())
            rows << QList<QPair<QString, QString>>();
        for (const auto &row : rows) {
            if (row.isEmpty()) {
                out << Statement{QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(SqlIdentifier::quoted(t.name)), {}};
                continue;
            }
            QStringList cols, marks;
            QVariantList params;
            for (const auto &cell : row) {
                const ColumnDescription *c = t.column(cell.first);
                QVariant v;
                if (!c || c->kind != ColumnDescription::Kind::Data || !storedValue(*c, cell.second, v))
                    return fail(t.line, QStringLiteral("el valor \"%1\" no corresponde a la columna \"%2\" de \"%3\"").arg(cell.second, cell.first, t.name));
                cols << SqlIdentifier::quoted(c->name);
                marks << QStringLiteral("?");
                params << v;
            }
            out << Statement{QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(SqlIdentifier::quoted(t.name), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))), params};
        }
    }
    out << indexes(form);
    return true;
}

QList<FormTemplate::Statement> FormTemplate::indexes(const FormDescription &form)
{
    QList<Statement> out;
    for (const TableDescription &t : form.tables) {
        if (t.master.isEmpty())
            continue;
        QStringList columns;
        for (const QString &name : t.detailFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            columns << name.trimmed();
        if (columns.isEmpty())
            continue;
        QStringList quoted;
        for (const QString &c : std::as_const(columns))
            quoted << SqlIdentifier::quoted(c);
        const QString name = QStringLiteral("ix_%1_%2").arg(t.name, columns.join(QLatin1Char('_'))).toLower();
        out << Statement{QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                             .arg(SqlIdentifier::quoted(name), SqlIdentifier::quoted(t.name), quoted.join(QStringLiteral(", "))),
                         {}};
    }
    return out;
}

bool FormTemplate::addIndexes(const FormDescription &form, const QString &path, QString *error)
{
    const QList<Statement> sql = indexes(form);
    if (sql.isEmpty())
        return true;
    Connection conn;
    bool ok = conn.open(path, Connection::ReadWrite);
    if (ok) {
        Transaction tx(conn);
        for (const Statement &s : sql) {
            ok = conn.exec(s.sql, s.params);
            if (!ok)
                break;
        }
        ok = ok && tx.commit();
    }
    if (!ok && error)
        *error = QStringLiteral("No se pudieron indexar las tablas de %1: %2").arg(path, conn.lastError().text());
    conn.close();
    return ok;
}

bool FormTemplate::write(const FormDescription &form, const QString &path, QString *error)
{
    QList<Statement> sql;
    if (!statements(form, sql, error))
        return false;
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        if (error)
            *error = QStringLiteral("No se pudo crear la carpeta %1").arg(target.absolutePath());
        return false;
    }
    // A unique name beside the target, so that the rename cannot cross file systems.
    QString temporary;
    {
        QTemporaryFile probe(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
        probe.setAutoRemove(false);
        if (!probe.open()) {
            if (error)
                *error = QStringLiteral("No se pudo crear un archivo temporal en %1").arg(target.absolutePath());
            return false;
        }
        temporary = probe.fileName();
    }
    bool ok = false;
    {
        Connection conn;
        if (conn.open(temporary, Connection::ReadWriteCreate)) {
            Transaction tx(conn);
            ok = true;
            for (const Statement &s : std::as_const(sql)) {
                if (!conn.exec(s.sql, s.params)) {
                    ok = false;
                    break;
                }
            }
            ok = ok && tx.commit();
        }
        if (!ok && error)
            *error = QStringLiteral("No se pudo generar %1: %2").arg(path, conn.lastError().text());
        conn.close();
    }
    if (ok && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        ok = false;
        if (error)
            *error = QStringLiteral("No se pudo reemplazar %1").arg(path);
    }
    if (!ok)
        QFile::remove(temporary);
    return ok;
}
