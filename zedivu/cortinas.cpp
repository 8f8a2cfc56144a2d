#include "cortinas.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dialogservice.h"
#include "field.h"
#include "filasacuenta.h"
#include "reglasformulario.h"
#include "tcustommdichild.h"
#include "util_bbdd.h"

#include <QScopedValueRollback>

namespace {

bool cambiado(ReglasFormulario &reglas, const Cortinas &c, Dataset *d, const QString &campo)
{
    const QVariant guardado = reglas.valorGuardado(c.tabla, campo, c.id, d->FieldByName(c.id)->Value());
    return guardado.toString() != d->FieldByName(campo)->Value().toString();
}

// Another curtain of the same sector and number refuses the post; an edit that keeps both
// is not asked about.
void unica(ReglasFormulario &reglas, const Cortinas &c, Dataset *d)
{
    TCustomMDIChild *form = reglas.form();
    if (d->State() != DatasetState::Insert && !cambiado(reglas, c, d, c.sector) && !cambiado(reglas, c, d, c.numero))
        return;
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? AND %3 = ? AND %4 IS NOT ?")
                            .arg(c.tabla, c.sector, c.numero, c.id);
    const QVariantList valores = {d->FieldByName(c.sector)->Value(), d->FieldByName(c.numero)->Value(),
                                  d->FieldByName(c.id)->Value()};
    if (Consulta(form->ConexionBD, sql, valores).toInt() == 0)
        return;
    form->DialogoError(QStringLiteral("El sector y Nº de cortina no puede repetirse"));
    Abort();
}

int filasDe(const TCustomMDIChild *form, const Cortinas &c, const QVariant &id)
{
    if (id.isNull())
        return 0;
    return Consulta(form->ConexionBD, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(c.tablaFilas, c.enlace), {id})
        .toInt();
}

void confirmarMenos(ReglasFormulario &reglas, const Cortinas &c, Dataset *d)
{
    TCustomMDIChild *form = reglas.form();
    const Field *cantidad = d->FieldByName(c.cantidad);
    if (c.preguntaMenos.isEmpty() || d->State() == DatasetState::Insert || cantidad->IsNull())
        return;
    if (cantidad->AsInteger() < filasDe(form, c, d->FieldByName(c.id)->Value())
        && form->Dialogo(mtConfirmation, c.preguntaMenos, MB::YESNO) != ID::YES)
        Abort();
}

void ajustarFilas(ReglasFormulario &reglas, const Cortinas &c, Dataset *d)
{
    TCustomMDIChild *form = reglas.form();
    // The rows written here are the program's, not typed: no check runs on them.
    QScopedValueRollback<bool> guardando(form->Guardando, true);
    const Field *cantidad = d->FieldByName(c.cantidad);
    const QVariant id = d->FieldByName(c.id)->Value();
    if (cantidad->IsNull() || id.isNull())
        return;
    if (c.filas && c.filas->State() != DatasetState::Browse)
        c.filas->Cancel();
    if (!FilasACuenta(form->ConexionBD, c.tablaFilas, c.enlace, id, c.numeroFila, cantidad->AsInteger()))
        form->DialogoError(QStringLiteral("No se pudieron actualizar las hileras de la cortina"));
    ReglasFormulario::refrescar(c.filas);
}

} // namespace

void DeclararCortinas(ReglasFormulario &reglas, const Cortinas &c)
{
    if (!c.cortinas)
        return;
    ReglasFormulario *r = &reglas;
    ReglasFormulario::antesDePost(c.cortinas, nullptr, [r, c](Dataset *d) {
        if (r->form()->Guardando)
            return;
        unica(*r, c, d);
        confirmarMenos(*r, c, d);
    });
    reglas.trasPost(c.cortinas, [r, c](Dataset *d) { ajustarFilas(*r, c, d); });
    const QString borrarFilas = QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(c.tablaFilas, c.enlace);
    reglas.alBorrar(
        c.cortinas, c.id, nullptr,
        [borrarFilas](const QVariant &id) { return QList<ReglasFormulario::Sentencia>{{borrarFilas, {id}}}; },
        {c.filas ? c.filas->objectName() : QString()}, c.preguntaBorrado);
    // A load or a save leaves the total as stored.
    if (c.fuente && !c.suma.isEmpty()) {
        const QString suma = QStringLiteral("SELECT 0+SUM(%1) FROM %2").arg(c.suma, c.tabla);
        c.fuente->OnDataChange = [r, suma](DataSource *s, Field *f) {
            if (r->form()->Guardando)
                return;
            r->form()->DSrcEventoOnDataChange(s, f);
            r->sumaEnPrincipal(suma, QStringLiteral("sup_afe"));
        };
    }
}
