#include "tformcoba.h"

#include "abort.h"
#include "builtform.h"
#include "chileantext.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "field.h"
#include "gridcolumn.h"
#include "gridfooter.h"
#include "util_bbdd.h"

#include <cmath>

BRENVIK_REGISTER_WINDOW(TFormCOBA, "TFormCOBA");

namespace {

// A number of a field or of a query's text; null and empty count as 0.
double numero(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return ChileanText::toDouble(v.toString()).value_or(v.toString().toDouble());
    return v.toDouble();
}

bool vacio(const Field *f)
{
    return !f || f->IsNull() || f->AsString().trimmed().isEmpty();
}

} // namespace

TFormCOBA::TFormCOBA(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("COBA"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormCOBA::Nuevo()
{
    if (!NuevoDescrito())
        return;
    Maximizar();
}

void TFormCOBA::InicializarDatasetPpal(const QString &nombreCompleto)
{
    TFormDescrito::InicializarDatasetPpal(nombreCompleto);
    if (!m_formulario || !DatasetPpal || !DatasetPpal->Active())
        return;
    sumarSuperficies(QStringLiteral("act_ral"), {QStringLiteral("sup_look")});
    sumarSuperficies(QStringLiteral("act_cor_ref"), {QStringLiteral("sup_cor_look"), QStringLiteral("sup_ref_look")});
    // The stands' total is captioned under the species, beside the surfaces it sums.
    if (DBGrid *rodales = grilla(QStringLiteral("car"));
        rodales && rodales->Columns(0) && rodales->Columns(0)->Footer(0).valueType == GridFooter::ValueType::StaticText) {
        if (GridColumn *especies = rodales->ColumnByFieldName(QStringLiteral("esp"))) {
            especies->Footer(0) = rodales->Columns(0)->Footer(0);
            rodales->Columns(0)->Footer(0) = GridFooter{};
            rodales->setFooterRowCount(rodales->FooterRowCount());
        }
    }
}

void TFormCOBA::enlazarReglas()
{
    // Thinnings of a stand keep it from being deleted; its harvest rows go with it. A
    // rename reaches both, and both grids show the stand's surface and density again
    // after every post or delete of a stand.
    m_reglas.declararClave({tabla(QStringLiteral("car")), QStringLiteral("coba_car"), QStringLiteral("num"),
                            QStringLiteral("id"),
                            {{QStringLiteral("coba_act_ral"), QStringLiteral("num")},
                             {QStringLiteral("coba_act_cor_ref"), QStringLiteral("num"), false, true}},
                            RelacionClave::Borrado::Rechazar, false,
                            {QStringLiteral("adtCOBA_act_ral"), QStringLiteral("adtCOBA_act_cor_ref")},
                            [this](Dataset *) {
                                sumarSuperficies(QStringLiteral("act_ral"), {QStringLiteral("sup_look")});
                                sumarSuperficies(QStringLiteral("act_cor_ref"),
                                                 {QStringLiteral("sup_cor_look"), QStringLiteral("sup_ref_look")});
                            },
                            {}});

    const auto antesDePost = &ReglasFormulario::antesDePost;
    // The norm needs at least one stand.
    antesDePost(DatasetPpal ? DatasetPpal : tabla(QString()),
                [this](Dataset *) { ValidarTablaNoVacia(grilla(QStringLiteral("car")), QStringLiteral("Características de los Rodales")); },
                nullptr);
    antesDePost(tabla(QStringLiteral("car")), nullptr, [this](Dataset *d) { validarRodal(d); });
    antesDePost(tabla(QStringLiteral("act_ral")), nullptr, [this](Dataset *d) { validarRaleo(d); });
    antesDePost(tabla(QStringLiteral("act_cor_ref")), nullptr, [this](Dataset *d) { validarCortaYReforestacion(d); });

    // The surface to be worked is the stands' total, after every change of the stands.
    if (DataSource *rodales = m_formulario->dataSource(QStringLiteral("coba_car"))) {
        rodales->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (m_reglas.cambioDeDatos(s, f))
                m_reglas.sumaEnPrincipal(QStringLiteral("SELECT 0+SUM(sup) FROM coba_car"), QStringLiteral("sup_afe"));
        };
    }
    for (const auto &[tablaBd, columnas] :
         {std::pair{QStringLiteral("act_ral"), QStringList{QStringLiteral("sup_look")}},
          std::pair{QStringLiteral("act_cor_ref"), QStringList{QStringLiteral("sup_cor_look"), QStringLiteral("sup_ref_look")}}}) {
        if (DataSource *fuente = m_formulario->dataSource(QStringLiteral("coba_") + tablaBd)) {
            fuente->OnDataChange = [this, tablaBd, columnas](DataSource *s, Field *f) {
                DSrcEventoOnDataChange(s, f);
                if (m_reglas.cambioDeDatos(s, f))
                    sumarSuperficies(tablaBd, columnas);
            };
        }
    }
}

void TFormCOBA::validarRodal(Dataset *ds)
{
    if (Guardando)
        return;
    // The other stands (all of them for a new row, which has no identity yet) and this
    // one may not exceed the surface the request declares.
    const QVariant id = ds->FieldByName(QStringLiteral("id"))->Value();
    const QString otros = id.isNull()
        ? Consulta(ConexionBD, QStringLiteral("SELECT SUM(sup) FROM coba_car"))
        : Consulta(ConexionBD, QStringLiteral("SELECT SUM(sup) FROM coba_car WHERE id <> ?"), {id});
    const double suma = numero(otros) + numero(ds->FieldByName(QStringLiteral("sup"))->Value());
    const double declarada = numero(PadreValor(QStringLiteral("sup")));
    if (suma - declarada > 1e-9 * std::max(1.0, std::abs(declarada))) {
        DialogoError(QStringLiteral("La suma de las superficies ingresadas por rodales \n"
                                    "supera a la superficie declarada en la sección de \n"
                                    "\"Antecedentes Generales\"."));
        Abort();
    }
}

void TFormCOBA::validarRaleo(Dataset *ds)
{
    if (Guardando)
        return;
    const Field *despues = ds->FieldByName(QStringLiteral("den_des"));
    const Field *antes = ds->FindField(QStringLiteral("den_ant_look"));
    if (!vacio(despues) && !vacio(antes) && despues->AsFloat() > antes->AsFloat()) {
        DialogoError(QStringLiteral("La densidad después del raleo no puede superar \na la densidad anterior al raleo"));
        Abort();
    }
    validarAnoPlantacion(ds, QStringLiteral("ano"), QStringLiteral("El año de raleo no puede ser inferior\n"));
}

void TFormCOBA::validarCortaYReforestacion(Dataset *ds)
{
    if (Guardando)
        return;
    validarAnoPlantacion(ds, QStringLiteral("ano_cor"), QStringLiteral("El año de corta no puede ser inferior\n"));
    const Field *corta = ds->FieldByName(QStringLiteral("ano_cor"));
    const Field *reforestacion = ds->FieldByName(QStringLiteral("ano_ref"));
    if (vacio(corta) || vacio(reforestacion))
        return;
    const int diferencia = reforestacion->AsInteger() - corta->AsInteger();
    if (diferencia != 0 && diferencia != 1) {
        DialogoError(QStringLiteral("El año de reforestación debe ser igual\nal mismo año, o al siguiente año de la corta"));
        Abort();
    }
}

void TFormCOBA::validarAnoPlantacion(Dataset *ds, const QString &campo, const QString &mensaje)
{
    const Field *num = ds->FieldByName(QStringLiteral("num"));
    const Field *ano = ds->FieldByName(campo);
    if (vacio(num) || vacio(ano))
        return;
    const QString plantacion =
        Consulta(ConexionBD, QStringLiteral("SELECT ano FROM coba_car WHERE num = ?"), {num->Value()}).trimmed();
    if (plantacion.isEmpty())
        return;
    if (ano->AsInteger() < plantacion.toInt()) {
        DialogoError(mensaje + QStringLiteral("al año de plantación del mismo rodal (") + plantacion + QLatin1Char(')'));
        Abort();
    }
}

void TFormCOBA::sumarSuperficies(const QString &sufijo, const QStringList &columnas)
{
    DBGrid *g = grilla(sufijo);
    if (!g || !ConexionBD || !ConexionBD->isOpen())
        return;
    const QString suma = Consulta(ConexionBD, QStringLiteral("SELECT 0+SUM(sup) FROM coba_car WHERE num IN "
                                                             "(SELECT DISTINCT num FROM coba_") + sufijo + QLatin1Char(')'));
    for (const QString &c : columnas) {
        if (GridColumn *columna = g->ColumnByFieldName(c)) {
            GridFooter &pie = columna->Footer(0);
            pie.valueType = GridFooter::ValueType::StaticText;
            pie.value = suma.isEmpty() ? QStringLiteral("0") : ChileanText::fromDouble(numero(suma));
        }
    }
    g->setFooterRowCount(g->FooterRowCount()); // shows the new values
}


DBGrid *TFormCOBA::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(const_cast<TFormCOBA *>(this), QStringLiteral("dbgCoba_") + sufijo);
}
