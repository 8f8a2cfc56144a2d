#include "formdescription.h"

#include "entrada/consultaseleccionmultiple.h"
#include "sqlidentifier.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

const ColumnDescription *TableDescription::column(const QString &name) const
{
    for (const ColumnDescription &c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QString FormDescription::secciones() const
{
    QString text = title + QStringLiteral("\r\n");
    for (int i = 1; i < pages.size() && !seccionesEnEjecucion; ++i)
        text += QString(std::max(pages[i].level, 0), QLatin1Char('\t')) + pages[i].outline + QStringLiteral("\r\n");
    return text;
}

const TableDescription *FormDescription::mainTable() const
{
    for (const TableDescription &t : tables)
        if (t.main)
            return &t;
    return nullptr;
}

const TableDescription *FormDescription::table(const QString &name) const
{
    for (const TableDescription &t : tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDescription *FormDescription::tableBySourceName(const QString &name) const
{
    if (name.isEmpty())
        return mainTable();
    for (const TableDescription &t : tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0 || t.dataset.compare(name, Qt::CaseInsensitive) == 0
            || t.dataSource.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const QueryDescription *FormDescription::query(const QString &name) const
{
    for (const QueryDescription &q : queries)
        if (q.dataset.compare(name, Qt::CaseInsensitive) == 0 || q.dataSource.compare(name, Qt::CaseInsensitive) == 0)
            return &q;
    return nullptr;
}

QString FormDescription::where(int line) const
{
    return QStringLiteral("%1:%2: ").arg(fileName.isEmpty() ? code : fileName).arg(line);
}

const QStringList &FormDescription::validationFlagNames()
{
    static const QStringList names = {
        QStringLiteral("tvNoVacio"), QStringLiteral("tvUnico"), QStringLiteral("tvPositivo"),
        QStringLiteral("tvCeroPositivo"), QStringLiteral("tvAnoValido"), QStringLiteral("tvAnoActualMax"),
        QStringLiteral("tvFechaValida"), QStringLiteral("tvCoordenadaN"), QStringLiteral("tvCoordenadaE"),
        QStringLiteral("tvMenor"), QStringLiteral("tvMenorIgual"), QStringLiteral("tvMayorIgual"),
        QStringLiteral("tvMayor"), QStringLiteral("tvAnoActualMin")};
    return names;
}

namespace {

QStringList splitFields(const QString &names)
{
    QStringList out;
    for (const QString &n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out << n.trimmed();
    return out;
}

class Checker
{
public:
    explicit Checker(const FormDescription &form)
        : f(form)
    {
    }

    QStringList run()
    {
        static const QRegularExpression codeRe(QStringLiteral("^[A-Z0-9]{1,6}$"));
        if (!codeRe.match(f.code).hasMatch())
            error(0, QStringLiteral("el código del formulario \"%1\" debe tener de 1 a 6 letras mayúsculas o dígitos").arg(f.code));
        int mains = 0;
        QSet<QString> tableNames;
        for (const TableDescription &t : f.tables) {
            mains += t.main ? 1 : 0;
            if (tableNames.contains(t.name.toLower()))
                error(t.line, QStringLiteral("la tabla \"%1\" está repetida").arg(t.name));
            tableNames.insert(t.name.toLower());
            if (!SqlIdentifier::isValid(t.name))
                error(t.line, QStringLiteral("\"%1\" no es un nombre de tabla válido (letras, dígitos y _)").arg(t.name));
            component(t.dataset, t.line);
            component(t.dataSource, t.line);
            checkTable(t);
        }
        if (mains != 1)
            error(0, QStringLiteral("el formulario debe tener exactamente una tabla principal (tiene %1)").arg(mains));
        for (const QueryDescription &q : f.queries) {
            component(q.dataset, q.line);
            component(q.dataSource, q.line);
            if (q.sql.trimmed().isEmpty())
                error(q.line, QStringLiteral("la consulta \"%1\" no tiene texto SQL").arg(q.dataset));
        }
        component(f.pageControl, 0);
        for (int i = 0; i < f.pages.size(); ++i) {
            const PageDescription &p = f.pages[i];
            component(p.name, p.line);
            if (i == 0 && !p.outline.isEmpty())
                error(p.line, QStringLiteral("la primera página no lleva línea de secciones: la selecciona el título"));
            if (i > 0 && p.outline.isEmpty() && !f.seccionesEnEjecucion)
                error(p.line, QStringLiteral("la página \"%1\" no tiene su línea de secciones").arg(p.name));
            for (const ControlDescription &c : p.controls)
                checkControl(c);
        }
        for (const ValidationDescription &v : f.validations)
            checkValidation(v);
        return errors;
    }

private:
    void error(int line, const QString &text) { errors << f.where(line) + text; }

    void component(const QString &name, int line)
    {
        if (name.isEmpty())
            return;
        const QString key = name.toLower();
        if (names.contains(key))
            error(line, QStringLiteral("el nombre \"%1\" ya se usó en la línea %2").arg(name).arg(names.value(key)));
        else
            names.insert(key, line);
    }

    void checkTable(const TableDescription &t)
    {
        QSet<QString> cols;
        int autoincs = 0;
        for (const ColumnDescription &c : t.columns) {
            if (cols.contains(c.name.toLower()))
                error(c.line, QStringLiteral("la columna \"%1\" está repetida en la tabla \"%2\"").arg(c.name, t.name));
            cols.insert(c.name.toLower());
            if (!SqlIdentifier::isValid(c.name))
                error(c.line, QStringLiteral("\"%1\" no es un nombre de columna válido (letras, dígitos y _)").arg(c.name));
            autoincs += c.type == FieldType::AutoInc ? 1 : 0;
            if (c.kind != ColumnDescription::Kind::Lookup)
                continue;
            for (const QString &k : splitFields(c.keyFields))
                dataColumn(t, k, c.line);
            const TableDescription *lt = f.table(c.lookupTable);
            // A query's columns are known only when it runs: the built form's binding
            // check covers them.
            if (!lt && f.query(c.lookupTable))
                continue;
            if (!lt) {
                error(c.line, QStringLiteral("la tabla de búsqueda \"%1\" no existe").arg(c.lookupTable));
                continue;
            }
            for (const QString &k : splitFields(c.lookupKeyFields))
                dataColumn(*lt, k, c.line);
            dataColumn(*lt, c.resultField, c.line);
            if (splitFields(c.keyFields).size() != splitFields(c.lookupKeyFields).size())
                error(c.line, QStringLiteral("las claves de \"%1\" no se corresponden").arg(c.name));
        }
        if (autoincs > 1)
            error(t.line, QStringLiteral("la tabla \"%1\" tiene más de una columna autoincremental").arg(t.name));
        if (!t.master.isEmpty()) {
            const TableDescription *m = f.tableBySourceName(t.master);
            if (!m) {
                error(t.line, QStringLiteral("el maestro \"%1\" de la tabla \"%2\" no existe").arg(t.master, t.name));
            } else {
                for (const QString &k : splitFields(t.masterFields))
                    anyColumn(*m, k, t.line);
                for (const QString &k : splitFields(t.detailFields))
                    dataColumn(t, k, t.line);
            }
        }
        for (const auto &row : t.rows)
            for (const auto &v : row)
                dataColumn(t, v.first, t.line);
    }

    const ColumnDescription *anyColumn(const TableDescription &t, const QString &name, int line)
    {
        const ColumnDescription *c = t.column(name);
        if (!c)
            error(line, QStringLiteral("el campo \"%1\" no existe en la tabla \"%2\"").arg(name, t.name));
        return c;
    }

    void dataColumn(const TableDescription &t, const QString &name, int line)
    {
        const ColumnDescription *c = anyColumn(t, name, line);
        if (c && c->kind != ColumnDescription::Kind::Data)
            error(line, QStringLiteral("el campo \"%1\" de la tabla \"%2\" no es una columna de datos").arg(name, t.name));
    }

    // The table behind a control's source; null (and an error) when it names nothing,
    // null without error for a query (its columns are known only to the database).
    const TableDescription *sourceTable(const QString &source, int line)
    {
        if (const TableDescription *t = f.tableBySourceName(source))
            return t;
        if (!source.isEmpty() && f.query(source))
            return nullptr;
        error(line, QStringLiteral("el origen de datos \"%1\" no existe").arg(source));
        return nullptr;
    }

    void checkControl(const ControlDescription &c)
    {
        using K = ControlDescription::Kind;
        component(c.name, c.line);
        switch (c.kind) {
        case K::Group:
        case K::Row:
            for (const ControlDescription &child : c.children)
                checkControl(child);
            return;
        case K::Label:
        case K::Heading:
        case K::Button:
            return;
        case K::Navigator:
            if (!c.external)
                sourceTable(c.source, c.line);
            return;
        case K::Grid: {
            if (c.external)
                return;
            const TableDescription *t = sourceTable(c.source, c.line);
            QSet<QString> shown;
            for (const GridColumnDescription &gc : c.grid.columns) {
                shown.insert(gc.field.toLower());
                if (t)
                    anyColumn(*t, gc.field, gc.line);
                TTipoComboExterno combo;
                TTipoSeleccionMultiple seleccion;
                if (!gc.list.isEmpty() && !TipoComboPorNombre(gc.list, combo) && !TipoSeleccionMultiplePorNombre(gc.list, seleccion))
                    error(gc.line, QStringLiteral("lista \"%1\" desconocida").arg(gc.list));
            }
            QStringList alPie = c.grid.footerSums;
            if (!c.grid.footerColumn.isEmpty())
                alPie << c.grid.footerColumn;
            for (const QString &s : std::as_const(alPie)) {
                if (!c.grid.columns.isEmpty() && !shown.contains(s.toLower()))
                    error(c.line, QStringLiteral("\"%1\", en el pie, no es una columna de la grilla \"%2\"").arg(s, c.name));
                else if (t && c.grid.columns.isEmpty())
                    anyColumn(*t, s, c.line);
            }
            return;
        }
        case K::Edit:
        case K::Date:
        case K::Memo:
        case K::Check:
        case K::Combo:
        case K::Lookup:
            break;
        }
        if (c.kind == K::Combo && !c.keys.isEmpty() && c.keys.size() != c.items.size())
            error(c.line, QStringLiteral("el combo \"%1\" tiene claves y textos en distinto número").arg(c.name));
        if (c.external)
            return;
        if (const TableDescription *t = sourceTable(c.source, c.line))
            anyColumn(*t, c.field, c.line);
        if (c.kind == K::Lookup) {
            if (c.listSource.isEmpty() || c.keyField.isEmpty() || c.listField.isEmpty()) {
                error(c.line, QStringLiteral("el combo de búsqueda \"%1\" necesita list=, key= y show=").arg(c.name));
            } else if (const TableDescription *lt = sourceTable(c.listSource, c.line)) {
                anyColumn(*lt, c.keyField, c.line);
                anyColumn(*lt, c.listField, c.line);
            }
        }
    }

    void checkValidation(const ValidationDescription &v)
    {
        const TableDescription *t = f.table(v.table);
        if (!t)
            error(v.line, QStringLiteral("la tabla \"%1\" de la validación no existe").arg(v.table));
        static const QStringList limitFlags = {QStringLiteral("tvMenor"), QStringLiteral("tvMenorIgual"),
                                               QStringLiteral("tvMayorIgual"), QStringLiteral("tvMayor")};
        for (const ValidationDescription::Entry &e : v.entries) {
            if (t)
                anyColumn(*t, e.field, e.line);
            bool needsLimit = false;
            for (const QString &flag : e.flags) {
                if (!FormDescription::validationFlagNames().contains(flag))
                    error(e.line, QStringLiteral("la validación \"%1\" no existe").arg(flag));
                needsLimit = needsLimit || limitFlags.contains(flag);
            }
            if (needsLimit != e.limit.has_value())
                error(e.line, needsLimit ? QStringLiteral("la validación de \"%1\" necesita un límite (limit=)").arg(e.field)
                                         : QStringLiteral("el límite de \"%1\" no corresponde a ninguna de sus validaciones").arg(e.field));
        }
    }

    const FormDescription &f;
    QStringList errors;
    QHash<QString, int> names;
};

} // namespace

QStringList FormDescription::check() const
{
    return Checker(*this).run();
}
