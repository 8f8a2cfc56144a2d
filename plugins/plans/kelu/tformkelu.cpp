#include "tformkelu.h"

#include "abort.h"
#include "builtform.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "entrada/tformmultiseleccion.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "formcomponents.h"
#include "transaction.h"
#include "util_bbdd.h"

#include <QScopeGuard>
#include <QTabWidget>

BRENVIK_REGISTER_WINDOW(TFormKELU, "TFormKELU");

TFormKELU::TFormKELU(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("KELU"))
{
    if (!m_formulario)
        return;
    InstalarValidaciones(*m_formulario);
    enlazarReglas();
}

void TFormKELU::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormKELU::ConexionesExternas()
{
    const QString dorvo = QStringLiteral("dorvo");
    if (!BuscarFormulario(dorvo))
        return;
    for (const char *campo : {"nom_pre", "sup", "sup_tit", "sup_sii"})
        DataSourceExterno(findComponent<DBEdit>(this, QStringLiteral("edt_") + QLatin1String(campo)), dorvo);
    DatasourceExterno(findComponent<DBMemo>(this, QStringLiteral("mem_via")), dorvo);
    for (const char *campo : {"com", "prv", "reg"})
        DatasourceExterno(findComponent<DBLookupComboBox>(this, QStringLiteral("lcb_") + QLatin1String(campo)), dorvo);
    const QList<QPair<const char *, const char *>> grillas = {
        {"dbgCoordenadas", "coo"}, {"dbgPropietarios", "pro"}, {"dbgRoles", "rol"}, {"dbgRolesContiguos", "rol_con"}};
    for (const auto &[grilla, sufijo] : grillas)
        DataSetExterno(findComponent<DBGrid>(this, QLatin1String(grilla)), dorvo, QLatin1String(sufijo));
}

void TFormKELU::InicializarDatasetPpal(const QString &)
{
    if (!m_formulario)
        return;
    InstalarListas(*m_formulario);
    Dataset *ppal = DatasetPpal;
    if (!ppal || !ppal->Active())
        return;
    {
        // Bookkeeping, not the user's entry: no check runs on this post.
        const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
        Guardando = true;
        catchAbort([ppal] {
            editar(ppal);
            ppal->FieldByName(QStringLiteral("cod_pre"))->setAsInteger(-1);
            ppal->Post();
        });
    }
    enlazarCampos();
    resolucionJudicialCambiada();
}

bool TFormKELU::ValidarFormulario()
{
    if (Asercion(ConexionBD, QStringLiteral("from kelu_mepr WHERE med_prot is null OR trim(med_prot) = ''"))) {
        DialogoError(QStringLiteral("Hay rodales que tienen restricciones ambientales definidas, pero\n"
                                    "no tienen explicitada sus medidas de protección"));
        if (DBGrid *medidas = grilla(QStringLiteral("mepr"))) {
            for (int i = 0; i < Paginas->count(); ++i) {
                if (Paginas->widget(i)->isAncestorOf(medidas))
                    CambiarHoja(i);
            }
            medidas->setFocus();
        }
        Abort();
    }
    return true;
}

Dataset *TFormKELU::tabla(const QString &sufijo) const
{
    const QString nombre = sufijo.isEmpty() ? QStringLiteral("adsPpal") : QStringLiteral("adtKELU_") + sufijo;
    Dataset *ds = findComponent<Dataset>(const_cast<TFormKELU *>(this), nombre);
    if (!ds)
        FallaProgramacion(QStringLiteral("dataset ") + nombre + QStringLiteral(" no encontrado"), "formaKELU", __LINE__);
    return ds;
}

DBGrid *TFormKELU::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormKELU *>(this), QStringLiteral("dbgKELU_") + sufijo);
}

std::optional<QStringList> TFormKELU::elegirVarios(const QString &sql, const QStringList &actuales)
{
    return MultiSeleccion(ConexionBD, sql, actuales, {}, this);
}

void TFormKELU::editar(Dataset *ds)
{
    if (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert)
        ds->Edit();
}

void TFormKELU::refrescar(Dataset *ds)
{
    if (ds && ds->Active() && ds->State() == DatasetState::Browse)
        ds->Refresh();
}

bool TFormKELU::escribir(const QList<Sentencia> &sentencias)
{
    if (sentencias.isEmpty())
        return true;
    Transaction tr(*ConexionBD);
    for (const Sentencia &s : sentencias) {
        if (!tr.isActive() || !ConexionBD->exec(s.sql, s.params)) {
            const QString error = ConexionBD->lastError().text();
            tr.rollback();
            DialogoError(QStringLiteral("No se pudieron actualizar las tablas relacionadas:\n") + error);
            return false;
        }
    }
    return tr.commit();
}

QVariant TFormKELU::valorGuardado(const QString &tablaBd, const QString &campo, const QString &clave,
                                  const QVariant &id) const
{
    if (id.isNull())
        return {};
    const QueryResult r = ConexionBD->select(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(campo, tablaBd, clave), {id});
    return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
}

void TFormKELU::rechazarBorrado()
{
    Dialogo(mtCustom, QStringLiteral("Este registro no se puede borrar, por que posee registros asociados"), MB::OK);
    Abort();
}
