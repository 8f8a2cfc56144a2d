#pragma once
// What a form's printout and exchange XML read of its window: its datasets, grids and
// controls by the names its description gives them. Both only read; the cursors they move
// to visit records are put back by CursoresGuardados. A component that is not there is a
// programming fault: reported (naming the form), and null.
#include "tcustommdichild.h"

#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "formcomponents.h"

#include <QLineEdit>
#include <QHash>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

namespace componentes {

// The form's code in upper case, from its window name when the shell has not set it.
inline QString codigoDe(const TCustomMDIChild *form)
{
    if (!form->Codigo.isEmpty())
        return form->Codigo.toUpper();
    QString nombre = form->objectName();
    return nombre.startsWith(QLatin1String("Form")) ? nombre.mid(4) : nombre;
}

template <class T>
T *componente(const TCustomMDIChild *form, const QString &nombre)
{
    T *c = findComponent<T>(form, nombre);
    if (!c) {
        const QString codigo = codigoDe(form);
        FallaProgramacion(QStringLiteral("componente \"%1\" no encontrado en el formulario %2").arg(nombre, codigo),
                          ("forma" + codigo.toLatin1()).constData(), __LINE__);
    }
    return c;
}

// The main dataset for an empty suffix, else adt<CODE>_ + suffix.
inline Dataset *tabla(const TCustomMDIChild *form, const QString &sufijo)
{
    return componente<Dataset>(form, sufijo.isEmpty() ? QStringLiteral("adsPpal")
                                                      : QStringLiteral("adt") + codigoDe(form) + QLatin1Char('_') + sufijo);
}

inline DBGrid *grilla(const TCustomMDIChild *form, const QString &nombre)
{
    return componente<DBGrid>(form, nombre);
}

// The text an edit or memo shows; empty when it is missing.
inline QString textoEdit(const TCustomMDIChild *form, const QString &nombre)
{
    const QLineEdit *e = componente<QLineEdit>(form, nombre);
    return e ? e->text() : QString();
}

inline QString textoMemo(const TCustomMDIChild *form, const QString &nombre)
{
    const DBMemo *m = componente<DBMemo>(form, nombre);
    return m ? m->toPlainText() : QString();
}

// A field of the current record, null when the dataset or the field is missing.
inline Field *campo(const Dataset *ds, const QString &nombre)
{
    return ds ? ds->FindField(nombre) : nullptr;
}

// The field's text, trimmed; empty for null.
inline QString texto(const Field *f)
{
    return f && !f->IsNull() ? f->AsString().trimmed() : QString();
}

// Remembers where the cursors of the datasets handed to it stood and puts them back, in
// the order they were handed over (a master before its details), when it goes away.
class CursoresGuardados
{
public:
    CursoresGuardados() = default;
    CursoresGuardados(const CursoresGuardados &) = delete;
    CursoresGuardados &operator=(const CursoresGuardados &) = delete;
    // Never throws: it may run while a refusal unwinds. A dataset left on a pending row
    // (one a check refused) stays on it: moving off would post it and ask again.
    ~CursoresGuardados()
    {
        for (const Guardado &g : m_guardados) {
            try {
                if (g.ds && g.ds->Active() && g.ds->State() == DatasetState::Browse && g.ds->BookmarkValid(g.marca))
                    g.ds->GotoBookmark(g.marca);
            } catch (...) {
            }
        }
    }

    Dataset *operator()(Dataset *ds)
    {
        if (!ds || !ds->Active())
            return ds;
        for (const Guardado &g : m_guardados)
            if (g.ds == ds)
                return ds;
        m_guardados.push_back({ds, ds->GetBookmark()});
        return ds;
    }

private:
    struct Guardado
    {
        QPointer<Dataset> ds;
        Bookmark marca;
    };
    std::vector<Guardado> m_guardados;
};

// Visits the records of `ds` from the first to the last, with the cursor on each.
inline void paraCadaRegistro(Dataset *ds, const std::function<void(int recNo)> &visitar)
{
    if (!ds || !ds->Active())
        return;
    const int registros = ds->RecordCount();
    for (int i = 1; i <= registros; ++i) {
        ds->setRecNo(i);
        visitar(i);
    }
}

// The records of a per-key table grouped by the text of their `clave`, read in one pass
// without moving the cursor: visiting the rows of every key costs one pass over the
// table, not one per key. A pending edit is posted first, as moving would.
class RegistrosPorClave
{
public:
    RegistrosPorClave(Dataset *ds, const QString &clave)
        : m_ds(ds)
    {
        if (!ds || !ds->Active() || ds->IsEmpty() || !ds->CheckBrowseMode())
            return;
        const Field *f = campo(ds, clave);
        if (!f)
            return;
        const int registros = ds->RecordCount();
        for (int r = 0; r < registros; ++r) {
            const QVariant v = ds->valueAt(r, f);
            if (!v.isNull())
                m_registros[f->textOf(v)].append(r + 1);
        }
    }

    // Visits, in record order, the records whose key reads as `valor`, with the cursor on
    // each; a null value visits none.
    void paraCada(const QVariant &valor, const std::function<void(int recNo)> &visitar) const
    {
        if (valor.isNull() || !m_ds || !m_ds->Active())
            return;
        const QList<int> registros = m_registros.value(valor.toString());
        for (int recNo : registros) {
            m_ds->setRecNo(recNo);
            visitar(recNo);
        }
    }

private:
    Dataset *m_ds;
    QHash<QString, QList<int>> m_registros;
};

// Visits, in record order, the records of `ds` whose `clave` equals `valor` (the rows of
// one key in a per-key table); a null value visits none. For many keys of one table,
// RegistrosPorClave reads the table once.
inline void paraCadaRegistroDe(Dataset *ds, const QString &clave, const QVariant &valor,
                               const std::function<void(int recNo)> &visitar)
{
    if (valor.isNull())
        return;
    RegistrosPorClave(ds, clave).paraCada(valor, visitar);
}

} // namespace componentes
