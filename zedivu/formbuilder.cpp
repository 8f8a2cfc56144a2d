#include "formbuilder.h"

#include "connection.h"
#include "datasource.h"
#include "dbcheckbox.h"
#include "dbcombobox.h"
#include "dbdateedit.h"
#include "dbedit.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dbnavigator.h"
#include "fallaprogramacion.h"
#include "formdescriptionparser.h"
#include "formgridbuilder.h"
#include "query.h"
#include "table.h"
#include "tcustommdichild.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Kind = ControlDescription::Kind;

class Builder
{
public:
    Builder(BuiltForm *built, Connection *working, Connection *main)
        : m_built(built)
        , m_form(built->description())
        , m_working(working)
        , m_main(main)
    {
    }

    void run()
    {
        QWidget *window = m_built->window();
        makeDatasets(window);
        auto *pages = new QTabWidget(window);
        pages->setObjectName(m_form.pageControl);
        // Sections are chosen from the navigation tree, never from tabs.
        pages->tabBar()->hide();
        pages->setDocumentMode(true);
        m_built->setPages(pages);
        for (const PageDescription &p : m_form.pages) {
            auto *page = new QWidget(pages);
            page->setObjectName(p.name);
            auto *layout = new QVBoxLayout(page);
            layout->setContentsMargins(10, 10, 10, 10);
            layout->setSpacing(8);
            fill(p.controls, page, layout);
            layout->addStretch(1);
            pages->addTab(page, p.outline.isEmpty() ? m_form.title : p.outline);
        }
        if (!window->layout()) {
            auto *layout = new QVBoxLayout(window);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        window->layout()->addWidget(pages);
    }

private:
    // --- datasets

    void makeDatasets(QWidget *window)
    {
        for (const TableDescription &t : m_form.tables) {
            auto *table = new Table(window);
            table->setObjectName(t.dataset);
            table->setTableName(t.name);
            if (m_working)
                table->setConnection(m_working);
            auto *source = new DataSource(window);
            source->setObjectName(t.dataSource);
            source->setDataSet(table);
            m_built->addDataset(table, source, {t.name, t.dataset, t.dataSource});
        }
        for (const QueryDescription &q : m_form.queries) {
            auto *query = new Query(window);
            query->setObjectName(q.dataset);
            query->setSQL(q.sql);
            if (Connection *c = q.mainDatabase ? m_main : m_working)
                query->setConnection(c);
            auto *source = new DataSource(window);
            source->setObjectName(q.dataSource);
            source->setDataSet(query);
            m_built->addDataset(query, source, {q.dataset, q.dataSource});
        }
        // Lookups, calculated fields and links once every dataset exists.
        for (const TableDescription &t : m_form.tables) {
            Dataset *ds = m_built->dataSource(t.dataset)->DataSet();
            for (const ColumnDescription &c : t.columns) {
                if (c.kind == ColumnDescription::Kind::Lookup) {
                    DataSource *lookup = m_built->dataSource(c.lookupTable);
                    ds->addLookupField(c.name, c.keyFields, lookup ? lookup->DataSet() : nullptr, c.lookupKeyFields, c.resultField);
                } else if (c.kind == ColumnDescription::Kind::Calculated) {
                    ds->addCalculatedField(c.name, c.type, c.size);
                }
            }
            if (!t.master.isEmpty())
                ds->setMasterSource(m_built->dataSource(t.master), t.masterFields, t.detailFields);
        }
    }

    // --- layout

    // Width in characters that suits a field of the description.
    int charsFor(const ControlDescription &c) const
    {
        if (c.width > 0)
            return c.width;
        const TableDescription *t = m_form.tableBySourceName(c.source);
        const ColumnDescription *col = t && !c.external ? t->column(c.field) : nullptr;
        if (c.kind == Kind::Date)
            return 13;
        if (!col)
            return 30;
        switch (col->type) {
        case FieldType::Integer:
        case FieldType::SmallInt:
        case FieldType::AutoInc: return 10;
        case FieldType::Float: return 12;
        case FieldType::DateTime: return 17;
        case FieldType::Text: return std::clamp(col->size, 4, 40) + 1;
        case FieldType::Memo: return 40;
        case FieldType::Boolean: return 4;
        }
        return 30;
    }

    void setWidthInChars(QWidget *w, int chars) const
    {
        w->setFixedWidth(w->fontMetrics().averageCharWidth() * chars + 14);
    }

    static bool isFieldRow(const ControlDescription &c)
    {
        return c.kind == Kind::Edit || c.kind == Kind::Date || c.kind == Kind::Combo || c.kind == Kind::Lookup;
    }

    void fill(const QList<ControlDescription> &controls, QWidget *parent, QVBoxLayout *layout)
    {
        QFormLayout *form = nullptr;
        for (const ControlDescription &c : controls) {
            if (isFieldRow(c)) {
                if (!form) {
                    form = new QFormLayout;
                    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
                    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                    form->setHorizontalSpacing(12);
                    form->setVerticalSpacing(6);
                    layout->addLayout(form);
                }
                QWidget *w = makeControl(c, parent);
                auto *label = new QLabel(c.caption, parent);
                label->setBuddy(w);
                form->addRow(label, w);
                if (c.hidden)
                    form->setRowVisible(w, false);
                continue;
            }
            form = nullptr;
            addBlock(c, parent, layout);
        }
    }

    void addBlock(const ControlDescription &c, QWidget *parent, QVBoxLayout *layout)
    {
        switch (c.kind) {
        case Kind::Group: {
            auto *box = new QGroupBox(c.caption, parent);
            box->setObjectName(c.name);
            auto *inner = new QVBoxLayout(box);
            inner->setContentsMargins(10, 8, 10, 10);
            inner->setSpacing(6);
            fill(c.children, box, inner);
            box->setVisible(!c.hidden);
            layout->addWidget(box);
            return;
        }
        case Kind::Row: {
            auto *row = new QWidget(parent);
            row->setObjectName(c.name);
            auto *h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            h->setSpacing(8);
            for (const ControlDescription &child : c.children) {
                if (isFieldRow(child) && !child.caption.isEmpty()) {
                    QWidget *w = makeControl(child, row);
                    auto *label = new QLabel(child.caption, row);
                    label->setBuddy(w);
                    label->setVisible(!child.hidden);
                    h->addWidget(label);
                    h->addWidget(w);
                    h->addSpacing(10);
                } else if (isFieldRow(child) || child.kind == Kind::Check || child.kind == Kind::Button
                           || child.kind == Kind::Navigator || child.kind == Kind::Label || child.kind == Kind::Heading) {
                    h->addWidget(makeControl(child, row));
                } else {
                    auto *column = new QVBoxLayout;
                    addBlock(child, row, column);
                    h->addLayout(column, 1);
                }
            }
            h->addStretch(1);
            row->setVisible(!c.hidden);
            layout->addWidget(row);
            return;
        }
        case Kind::Memo:
        case Kind::Grid: {
            if (!c.caption.isEmpty()) {
                auto *label = new QLabel(c.caption, parent);
                label->setObjectName(c.name + QStringLiteral("_titulo"));
                label->setVisible(!c.hidden);
                layout->addWidget(label);
            }
            layout->addWidget(makeControl(c, parent));
            return;
        }
        case Kind::Button:
        case Kind::Navigator: {
            auto *h = new QHBoxLayout;
            h->addWidget(makeControl(c, parent));
            h->addStretch(1);
            layout->addLayout(h);
            return;
        }
        default:
            layout->addWidget(makeControl(c, parent));
            return;
        }
    }

    // --- controls

    DataSource *sourceOf(const QString &name) const { return m_built->dataSource(name); }

    template <class T>
    T *bound(const ControlDescription &c, QWidget *parent)
    {
        auto *w = new T(parent);
        w->setObjectName(c.name);
        // An external control keeps its field name for the sibling's data source that
        // ConexionesExternas gives it later.
        w->setDataSource(c.external ? nullptr : sourceOf(c.source), c.field);
        if (c.readOnly)
            w->setControlReadOnly(true);
        return w;
    }

    QWidget *makeControl(const ControlDescription &c, QWidget *parent)
    {
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Label:
        case Kind::Heading: {
            auto *label = new QLabel(c.caption, parent);
            label->setWordWrap(true);
            QFont font = label->font();
            if (c.kind == Kind::Heading || c.warning)
                font.setBold(true);
            label->setFont(font);
            if (c.warning) {
                QPalette pal = label->palette();
                pal.setColor(QPalette::WindowText, QColor(200, 0, 0));
                label->setPalette(pal);
            }
            w = label;
            break;
        }
        case Kind::Edit: {
            auto *edit = bound<DBEdit>(c, parent);
            setWidthInChars(edit, charsFor(c));
            if (c.maxLength > 0) {
                edit->setProperty("maxChars", c.maxLength);
                edit->setMaxLength(c.maxLength);
            }
            w = edit;
            break;
        }
        case Kind::Date: {
            auto *edit = bound<DBDateEdit>(c, parent);
            setWidthInChars(edit, charsFor(c));
            w = edit;
            break;
        }
        case Kind::Memo: {
            auto *memo = bound<DBMemo>(c, parent);
            memo->setFixedHeight(memo->fontMetrics().lineSpacing() * std::max(c.lines, 1) + 12);
            w = memo;
            break;
        }
        case Kind::Check: {
            auto *check = bound<DBCheckBox>(c, parent);
            check->setText(c.caption);
            w = check;
            break;
        }
        case Kind::Combo: {
            auto *combo = bound<DBComboBox>(c, parent);
            combo->setItems(c.items, c.keys);
            combo->setMinimumContentsLength(std::min(charsFor(c), 30));
            w = combo;
            break;
        }
        case Kind::Lookup: {
            auto *combo = bound<DBLookupComboBox>(c, parent);
            if (!c.external)
                combo->setListSource(sourceOf(c.listSource), c.keyField, c.listField);
            combo->setMinimumContentsLength(std::min(charsFor(c), 30));
            w = combo;
            break;
        }
        case Kind::Navigator: {
            auto *nav = new DBNavigator(parent);
            if (!c.external)
                nav->setDataSource(sourceOf(c.source));
            nav->setControlReadOnly(c.readOnly);
            w = nav;
            break;
        }
        case Kind::Button:
            w = new QPushButton(c.caption, parent);
            break;
        case Kind::Grid:
            w = FormGridBuilder::build(c, c.external ? nullptr : sourceOf(c.source), m_form, parent);
            break;
        case Kind::Group:
        case Kind::Row:
            break;
        }
        if (!w)
            return new QWidget(parent);
        if (w->objectName().isEmpty())
            w->setObjectName(c.name);
        if (c.hidden)
            w->setVisible(false);
        return w;
    }

    BuiltForm *m_built;
    const FormDescription &m_form;
    Connection *m_working;
    Connection *m_main;
};

} // namespace

BuiltForm *FormBuilder::build(const FormDescription &description, QWidget *window, Connection *working, Connection *main)
{
    auto *built = new BuiltForm(description, window);
    Builder(built, working, main).run();
    // A form window runs the described checks before each post of its datasets.
    if (auto *formulario = qobject_cast<TCustomMDIChild *>(window))
        formulario->InstalarValidaciones(*built);
    return built;
}

BuiltForm *FormBuilder::buildEmbedded(const QString &codigo, QWidget *window, Connection *working, Connection *main)
{
    const QString archivo = QStringLiteral(":/forms/%1.form").arg(codigo);
    QStringList errores;
    const auto descripcion = FormDescriptionParser::parseFile(archivo, &errores);
    if (!descripcion) {
        FallaProgramacion(archivo + QStringLiteral(": ") + errores.join(QLatin1Char('\n')), "formbuilder", __LINE__);
        return nullptr;
    }
    return build(*descripcion, window, working, main);
}
