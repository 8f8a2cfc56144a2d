#include "tformzuri.h"

#include "abort.h"
#include "acreditacionferun.h"
#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbcombobox.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "dosdecimales.h"
#include "field.h"
#include "filasacuenta.h"
#include "gridcolumn.h"
#include "util_bbdd.h"

#include <QPushButton>
#include <QScopedValueRollback>

#include <cmath>
#include <cstdlib>

BRENVIK_REGISTER_WINDOW(TFormZURI, "TFormZURI");

namespace {

bool vacio(const Field *f)
{
    return !f || f->IsNull() || f->AsString().trimmed().isEmpty();
}

// The tables holding one row per stand, in the order a new stand's rows are made.
const QStringList kPorRodal = {QStringLiteral("zuri_res_plan"), QStringLiteral("zuri_res_cal_est"),
                               QStringLiteral("zuri_tam_num_parc"), QStringLiteral("zuri_car_for")};

} // namespace

bool TFormZURI::SueloDegradado(const QVariant &categoria)
{
    bool ok = false;
    const int c = categoria.toString().trimmed().toInt(&ok);
    return ok && (c == 7 || c == 10 || c == 12 || c == 13);
}

TFormZURI::TFormZURI(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("ZURI"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormZURI::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormZURI::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    AcreditacionFerun::ListaTesorerias(this);
    enlazarCampos();
    columnaErosion(false);
}

void TFormZURI::enlazarCampos()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    for (const auto &[nombre, campo] : {std::pair{"adtZURI_car_rec_suelo", "obra"}, std::pair{"adtZURI_car_est_duna", "act_ej"}}) {
        Dataset *ds = tabla(QLatin1String(nombre));
        if (Field *f = ds ? ds->FindField(QLatin1String(campo)) : nullptr)
            f->OnChange = [this](Field *c) { unidadDeObra(c); };
    }
    Dataset *rodales = tabla(QStringLiteral("adtZURI_sec_for"));
    if (Field *f = rodales ? rodales->FindField(QStringLiteral("cat_suelo")) : nullptr)
        f->OnChange = [this](Field *) { columnaErosion(true); };
}

void TFormZURI::enlazarReglas()
{
    const auto antesDePost = &ReglasFormulario::antesDePost;
    antesDePost(DatasetPpal ? DatasetPpal : tabla(QStringLiteral("adsPpal")), nullptr, [this](Dataset *) {
        if (Guardando)
            return;
        ValidarTablaNoVacia(grilla(QStringLiteral("dbgZURI_sec_for")), QStringLiteral("Sectores Forestados"));
        ValidarTablaNoVacia(grilla(QStringLiteral("dbgZURI_car_for")), QStringLiteral("Características de la Forestación"));
    });
    antesDePost(tabla(QStringLiteral("adtZURI_ant_resol")), [this](Dataset *d) { validarResolucion(d); }, nullptr);
    // Amounts are kept to two decimals before they are checked.
    antesDePost(tabla(QStringLiteral("adtZURI_car_rec_suelo")),
                [](Dataset *d) {
                    for (const char *campo : {"sup", "cant", "val"}) {
                        Field *f = d->FieldByName(QLatin1String(campo));
                        if (!f->IsNull())
                            f->setAsFloat(RedondeaSegundoDecimal(f->AsFloat()));
                    }
                },
                nullptr);
    enlazarRodales();
    enlazarParcelas();
    enlazarCalculos();
    if (auto *calcular = findComponent<QPushButton>(this, QStringLiteral("btnCalcular")))
        connect(calcular, &QPushButton::clicked, this, [this] { catchAbort([this] { btnCalcularClick(); }); });
}

void TFormZURI::enlazarRodales()
{
    Dataset *rodales = tabla(QStringLiteral("adtZURI_sec_for"));
    if (!rodales)
        return;
    // Soil-recovery and dune rows keep a stand; its own rows in the four per-stand tables,
    // and the samples of its plot-size row, go with it.
    const QStringList mostrar = {QStringLiteral("adtZURI_res_plan"),      QStringLiteral("adtZURI_res_cal_est"),
                                 QStringLiteral("adtZURI_tam_num_par"),   QStringLiteral("adtZURI_car_for"),
                                 QStringLiteral("adtZURI_car_est_duna"),  QStringLiteral("adtZURI_car_rec_suelo"),
                                 QStringLiteral("adtZURI_ant_muest")};
    QList<Dependiente> dependientes = {{QStringLiteral("zuri_car_rec_sue"), QStringLiteral("num")},
                                       {QStringLiteral("zuri_car_est_dun"), QStringLiteral("num")}};
    for (const QString &t : kPorRodal)
        dependientes << Dependiente{t, QStringLiteral("num"), false, true};
    m_reglas.declararClave(
        {rodales, QStringLiteral("zuri_sec_for"), QStringLiteral("num"), QStringLiteral("Id"), dependientes,
         RelacionClave::Borrado::Rechazar, false, mostrar,
         [this, mostrar](Dataset *d) {
             // Every stand has its row in each per-stand table; an edit finds them there.
             const QVariant num = d->FieldByName(QStringLiteral("num"))->Value();
             if (num.isNull())
                 return;
             QList<ReglasFormulario::Sentencia> filas;
             for (const QString &t : kPorRodal)
                 filas << ReglasFormulario::Sentencia{
                     QStringLiteral("INSERT INTO %1 (num) SELECT ? WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE num = ?)").arg(t),
                     {num, num}};
             if (m_reglas.escribir(filas))
                 m_reglas.refrescar(mostrar);
         },
         {QStringLiteral("DELETE FROM zuri_ant_muest WHERE Id_par IN (SELECT Id_par FROM zuri_tam_num_parc WHERE num = ?)")}});
    ReglasFormulario::antesDePost(rodales, nullptr, [this](Dataset *d) { validarRodal(d); });
    // The column follows the row the consultant is on.
    const Dataset::Event antes = rodales->AfterScroll;
    rodales->AfterScroll = [this, antes](Dataset *d) {
        if (antes)
            antes(d);
        columnaErosion(false);
    };
}

void TFormZURI::validarResolucion(Dataset *ds)
{
    if (Guardando)
        return;
    if (!AcreditacionFerun::ParesDeResolucion(this, ds)) {
        DialogoError(QStringLiteral("No puede ingresar una fila vacía"));
        Abort();
    }
}

void TFormZURI::validarRodal(Dataset *ds)
{
    if (Guardando)
        return;
    DBGrid *g = grilla(QStringLiteral("dbgZURI_sec_for"));
    ValidarTipoSuelo(g, g ? g->ColumnByFieldName(QStringLiteral("cat_suelo")) : nullptr,
                     ds->FieldByName(QStringLiteral("cat_suelo"))->AsString(),
                     ds->FieldByName(QStringLiteral("tip_res"))->AsString());
    if (SueloDegradado(ds->FieldByName(QStringLiteral("cat_suelo"))->Value()))
        Validar(ds->FieldByName(QStringLiteral("car_erosion")), {tvNoVacio});
}

void TFormZURI::columnaErosion(bool limpiar)
{
    Dataset *ds = tabla(QStringLiteral("adtZURI_sec_for"));
    DBGrid *g = grilla(QStringLiteral("dbgZURI_sec_for"));
    if (!ds || !ds->Active())
        return;
    const bool degradado = SueloDegradado(ds->FieldByName(QStringLiteral("cat_suelo"))->Value());
    Field *erosion = ds->FieldByName(QStringLiteral("car_erosion"));
    if (!degradado && limpiar && !erosion->IsNull()
        && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert))
        erosion->Clear();
    if (GridColumn *c = g ? g->ColumnByFieldName(QStringLiteral("car_erosion")) : nullptr)
        c->setReadOnly(!degradado);
}

void TFormZURI::unidadDeObra(Field *obra)
{
    if (vacio(obra))
        return;
    const QString unidad = Consulta(DirAplicacion + QStringLiteral("bbdd/bd.db"),
                                    QStringLiteral("SELECT unme_obra FROM tipo WHERE titi_codigo=20 AND tipo_codigo=?"),
                                    {obra->Value()});
    Field *unid = obra->DataSet()->FieldByName(QStringLiteral("unid"));
    if (unidad.isEmpty())
        unid->Clear();
    else
        unid->setAsString(unidad);
}

void TFormZURI::enlazarParcelas()
{
    Dataset *parcelas = tabla(QStringLiteral("adtZURI_tam_num_par"));
    if (!parcelas)
        return;
    ReglasFormulario::antesDePost(parcelas, nullptr, [this](Dataset *d) { validarParcelas(d); });
    m_reglas.trasPost(parcelas, [this](Dataset *d) { ajustarMuestras(d); });
}

void TFormZURI::validarParcelas(Dataset *ds)
{
    if (Guardando)
        return;
    const Field *numPar = ds->FieldByName(QStringLiteral("num_par"));
    const QVariant id = ds->FieldByName(QStringLiteral("Id_par"))->Value();
    if (numPar->IsNull() || id.isNull())
        return;
    const int muestras = Consulta(ConexionBD, QStringLiteral("SELECT COUNT(*) FROM zuri_ant_muest WHERE Id_par = ?"), {id}).toInt();
    if (numPar->AsInteger() < muestras
        && Dialogo(mtConfirmation,
                   QStringLiteral("La cantidad de parcelas ingresadas es menor a la existente.\n"
                                  "¿Desea descartar las filas adicionales?"),
                   MB::YESNO)
               != ID::YES)
        Abort();
}

void TFormZURI::ajustarMuestras(Dataset *ds)
{
    // No check runs on the rows written here, whatever way this ends.
    QScopedValueRollback<bool> guardando(Guardando, true);
    const Field *numPar = ds->FieldByName(QStringLiteral("num_par"));
    const QVariant id = ds->FieldByName(QStringLiteral("Id_par"))->Value();
    Dataset *muestras = tabla(QStringLiteral("adtZURI_ant_muest"));
    if (!numPar->IsNull() && !id.isNull()) {
        if (muestras)
            muestras->Cancel();
        if (!FilasACuenta(ConexionBD, QStringLiteral("zuri_ant_muest"), QStringLiteral("Id_par"), id,
                          QStringLiteral("num_parc"), numPar->AsInteger(), {{QStringLiteral("num_plan"), 0}}))
            DialogoError(QStringLiteral("No se pudieron actualizar las parcelas del rodal."));
    }
    ReglasFormulario::refrescar(muestras);
    CopiarCampo(QStringLiteral("num"), ds, QStringLiteral("num_parc"), tabla(QStringLiteral("adtZURI_res_cal_est")),
                QStringLiteral("num_par"));
}

void TFormZURI::enlazarCalculos()
{
    Dataset *estadistica = tabla(QStringLiteral("adtZURI_res_cal_est"));
    Dataset *plantacion = tabla(QStringLiteral("adtZURI_res_plan"));
    Dataset *forestacion = tabla(QStringLiteral("adtZURI_car_for"));
    if (!estadistica || !plantacion || !forestacion)
        return;
    // The statistics feed the plantation results, and these the forestation.
    m_reglas.trasPost(estadistica, [this, plantacion](Dataset *d) {
        CopiarCampo(QStringLiteral("num"), d, QStringLiteral("den_real"), plantacion, QStringLiteral("media"));
        CopiarCampo(QStringLiteral("num"), d, QStringLiteral("sup"), plantacion, QStringLiteral("sup_for"));
    });
    m_reglas.trasPost(plantacion, [this, forestacion](Dataset *d) {
        for (const auto &[origen, destino] : {std::pair{"sup", "sup_for"}, std::pair{"sup", "sup_bon_total"},
                                              std::pair{"den_ini", "den_ini"}, std::pair{"den_real", "den_actual"}})
            CopiarCampo(QStringLiteral("num"), d, QLatin1String(destino), forestacion, QLatin1String(origen));
    });
    plantacion->OnCalcFields = [](Dataset *d) {
        const Field *real = d->FieldByName(QStringLiteral("den_real"));
        const Field *inicial = d->FieldByName(QStringLiteral("den_ini"));
        Field *calc = d->FieldByName(QStringLiteral("proc_pren_calc"));
        if (real->IsNull() || inicial->IsNull() || inicial->AsFloat() == 0)
            calc->Clear();
        else
            calc->setAsFloat(DosDecimalesZURI(real->AsFloat() * 100 / inicial->AsFloat()));
    };
    forestacion->OnCalcFields = [](Dataset *d) {
        const Field *total = d->FieldByName(QStringLiteral("sup_bon_total"));
        const Field *mayor = d->FieldByName(QStringLiteral("sup_bon_may_100"));
        Field *calc = d->FieldByName(QStringLiteral("sup_bon_men_100_calc"));
        if (total->IsNull() || mayor->IsNull())
            calc->Clear();
        else
            calc->setAsFloat(total->AsFloat() - mayor->AsFloat());
    };
    // The afforested surface is the forestation's total, after every change there.
    if (DataSource *fuente = m_formulario->dataSource(QStringLiteral("dsrcZURI_car_for"))) {
        fuente->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup_for) FROM zuri_car_for"), QStringLiteral("sup_afe"));
        };
    }
}

Dataset *TFormZURI::tabla(const QString &nombre) const
{
    return findComponent<Dataset>(const_cast<TFormZURI *>(this), nombre);
}

DBGrid *TFormZURI::grilla(const QString &nombre) const
{
    return findComponent<DBGrid>(const_cast<TFormZURI *>(this), nombre);
}
