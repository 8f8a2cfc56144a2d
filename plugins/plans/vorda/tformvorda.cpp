#include "tformvorda.h"

#include "abort.h"
#include "builtform.h"
#include "chileantext.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "formcomponents.h"
#include "gridcolumn.h"

#include <QScopeGuard>
#include <QTabWidget>

BRENVIK_REGISTER_WINDOW(TFormVORDA, "TFormVORDA");

namespace {

// The calendars whose surface the rules keep, with their grid's surface column.
struct Calendario
{
    const char *sufijo;
    int columna;
};
constexpr Calendario kCalendarios[] = {{"for", 3}, {"act", 1}, {"otr", 2}};

} // namespace

TFormVORDA::TFormVORDA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("VORDA"))
{
    if (!m_formulario)
        return;
    InstalarValidaciones(*m_formulario);
    enlazarReglas();
}

void TFormVORDA::Nuevo()
{
    if (!NuevoDescrito())
        return;
    // Pages 2 and 3 show the calendars' footers.
    connect(Paginas, &QTabWidget::currentChanged, this, [this](int pagina) {
        if (pagina == 2 || pagina == 3)
            TabSheetShow();
    });
    Maximizar();
}

void TFormVORDA::ConexionesExternas()
{
    TFormDescrito::ConexionesExternas();
    // Without a KELU form the stand, sector and surface columns are typed by hand.
    if (!BuscarFormulario(QStringLiteral("kelu")))
        return;
    buscarEnKelu(QStringLiteral("for"), {{"num_sec_look", "det_sec"}, {"num_look", "desc"}, {"sup_look", "desc"}}, {1, 2, 3});
    buscarEnKelu(QStringLiteral("act"), {{"num_look", "desc"}, {"sup_look", "desc"}}, {0, 1});
    buscarEnKelu(QStringLiteral("otr"), {{"num_look", "desc"}, {"sup_look", "desc"}}, {1, 2});
}

void TFormVORDA::buscarEnKelu(const QString &sufijo, const QList<std::pair<const char *, const char *>> &campos,
                              const QList<int> &columnas)
{
    Dataset *ds = tabla(sufijo);
    if (!ds)
        return;
    const bool abierto = ds->Active();
    ds->Close();
    for (const auto &[campo, origen] : campos) {
        Dataset *kelu = BuscarDataset(QStringLiteral("kelu"), QLatin1String(origen));
        if (!kelu)
            continue;
        // num_sec_look: the sector's number; num_look and sup_look: the stand's number and surface.
        const QString nombre = QLatin1String(campo);
        const QString clave = nombre.startsWith(QLatin1String("num_sec")) ? QStringLiteral("num_sec") : QStringLiteral("num");
        const QString resultado = nombre.startsWith(QLatin1String("sup")) ? QStringLiteral("sup") : clave;
        const Field *f = ds->FindField(nombre);
        if (f && f->Kind() == FieldKind::Calculated) // once: a second binding finds it done
            ds->makeLookupField(nombre, clave, kelu, clave, resultado);
    }
    if (abierto)
        ds->Open();
    if (DBGrid *g = grilla(sufijo)) {
        for (int i = 0; i < columnas.size() && i < campos.size(); ++i) {
            if (GridColumn *c = g->Columns(columnas.at(i)))
                c->setFieldName(QLatin1String(campos.at(i).first));
        }
    }
}

Dataset *TFormVORDA::tabla(const QString &sufijo) const
{
    const QString nombre = sufijo.isEmpty() ? QStringLiteral("adsPpal") : QStringLiteral("adtVORDA_") + sufijo;
    Dataset *ds = findComponent<Dataset>(const_cast<TFormVORDA *>(this), nombre);
    if (!ds)
        FallaProgramacion(QStringLiteral("dataset ") + nombre + QStringLiteral(" no encontrado"), "formaVORDA", __LINE__);
    return ds;
}

DBGrid *TFormVORDA::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormVORDA *>(this), QStringLiteral("dbgVORDA_") + sufijo);
}

void TFormVORDA::enlazarReglas()
{
    for (const Calendario &c : kCalendarios) {
        Dataset *ds = tabla(QLatin1String(c.sufijo));
        if (!ds)
            continue;
        m_reglas.trasPost(ds, [this](Dataset *d) { calendarioTrasPost(d); });
        // A row gone takes its surface out of the footers and of sup_afe as a post does.
        ds->AfterDelete = [this](Dataset *d) {
            recalcularSupAfe();
            AdsEventoAfterPost(d);
        };
    }
}

void TFormVORDA::calendarioTrasPost(Dataset *ds)
{
    // The surface looked up in the KELU form wins over the one typed.
    const Field *look = ds->FindField(QStringLiteral("sup_look"));
    const QVariant sup = look && !look->IsNull() ? look->Value() : ds->FieldByName(QStringLiteral("sup"))->Value();
    actualizoSuperficie(ds->FieldByName(QStringLiteral("num"))->Value(), sup);
    recalcularSupAfe();
}

double TFormVORDA::cambioSuma(const QString &tablaBd, int columna)
{
    // A stand's surface is counted once however many rows name it; a sector row (no
    // stand) counts by its sector, so two sectors of equal surface are two surfaces.
    const bool conSector = tablaBd == QLatin1String("vorda_for");
    const QString sql = conSector ? QStringLiteral("SELECT DISTINCT num, num_sec, sup FROM vorda_for")
                                  : QStringLiteral("SELECT DISTINCT num, sup FROM %1").arg(tablaBd);
    double suma = 0;
    if (ConexionBD && ConexionBD->isOpen()) {
        for (const QVariantList &fila : ConexionBD->select(sql).rows) {
            const QVariant sup = fila.value(conSector ? 2 : 1);
            if (!sup.isNull())
                suma += sup.toDouble();
        }
    }
    m_sumas.insert(tablaBd, suma);
    const QString sufijo = tablaBd.mid(int(qstrlen("vorda_")));
    if (DBGrid *g = grilla(sufijo); g && g->Columns(columna)) {
        GridFooter &pie = g->Columns(columna)->Footer(0);
        pie.valueType = GridFooter::ValueType::StaticText;
        pie.value = ChileanText::fromDouble(suma);
        g->setFooterRowCount(g->FooterRowCount()); // shows the new value
    }
    return suma;
}

void TFormVORDA::actualizoSuperficie(const QVariant &num, const QVariant &sup)
{
    // A row without a stand names no stand to update; without a surface it has none to
    // give the stand's other rows.
    if (Guardando || num.isNull() || num.toString().trimmed().isEmpty() || sup.isNull() || !ConexionBD)
        return;
    const QVariant superficie(sup.toDouble());
    const QStringList tablas{QStringLiteral("vorda_for"), QStringLiteral("vorda_act"), QStringLiteral("vorda_otr")};
    bool distinta = false;
    for (const QString &t : tablas) {
        const QueryResult r = ConexionBD->select(
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE num = ? AND sup IS NOT ?").arg(t), {num, superficie});
        distinta = distinta || (!r.rows.isEmpty() && r.rows.first().value(0).toInt() > 0);
    }
    if (!distinta)
        return;
    QList<ReglasFormulario::Sentencia> sentencias;
    for (const QString &t : tablas)
        sentencias << ReglasFormulario::Sentencia{QStringLiteral("UPDATE %1 SET sup = ? WHERE num = ?").arg(t), {superficie, num}};
    if (!m_reglas.escribir(sentencias))
        return;
    const auto restaurar = qScopeGuard([this, guardando = Guardando] { Guardando = guardando; });
    Guardando = true;
    for (const Calendario &c : kCalendarios) {
        Dataset *ds = tabla(QLatin1String(c.sufijo));
        // A pending edit keeps what the user typed; its post writes it.
        ReglasFormulario::refrescar(ds);
    }
}

void TFormVORDA::recalcularSupAfe()
{
    // Every footer is recomputed: the post may have changed the others' surfaces.
    double total = 0;
    for (const Calendario &c : kCalendarios)
        total += cambioSuma(QStringLiteral("vorda_") + QLatin1String(c.sufijo), c.columna);
    Dataset *ppal = DatasetPpal;
    if (Guardando || !ppal || !ppal->Active())
        return;
    Field *supAfe = ppal->FieldByName(QStringLiteral("sup_afe"));
    if (!supAfe->IsNull() && supAfe->AsFloat() == total)
        return;
    catchAbort([ppal, supAfe, total] {
        ReglasFormulario::editar(ppal);
        supAfe->setAsFloat(total);
    });
}

void TFormVORDA::TabSheetShow()
{
    for (const Calendario &c : kCalendarios)
        cambioSuma(QStringLiteral("vorda_") + QLatin1String(c.sufijo), c.columna);
}
