// The bindings of the form's rules, and the smaller rules: stand or sector, climatic
// variables and their sources, the judicial-resolution memo, roads and log yards, the
// name of a management unit.
#include "tformkelu.h"

#include "abort.h"
#include "builtform.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "field.h"
#include "formcomponents.h"
#include "gridcolumn.h"
#include "util_bbdd.h"

namespace {

bool vacio(const Field *f)
{
    return f->IsNull() || f->AsString().trimmed().isEmpty();
}

} // namespace

void TFormKELU::enlazarReglas()
{
    const auto antesDePost = &ReglasFormulario::antesDePost;
    const auto recordarPost = [this](const QString &t, const QString &c, const QString &id) {
        return m_reglas.recordarPost(t, c, id);
    };
    const auto trasPost = [this](Dataset *ds, const Dataset::Event &regla) { m_reglas.trasPost(ds, regla); };
    const auto alBorrar = [this](Dataset *ds, const QString &clave, const Dataset::Event &guarda,
                                 const std::function<QList<Sentencia>(const QVariant &)> &dependientes,
                                 const QStringList &mostrar) {
        QStringList nombres;
        for (const QString &sufijo : mostrar)
            nombres << QStringLiteral("adtKELU_") + sufijo;
        m_reglas.alBorrar(ds, clave, guarda, dependientes, nombres);
    };

    declararRodalesYSectores();

    for (const char *sufijo : {"fis", "hidr"})
        antesDePost(tabla(QLatin1String(sufijo)), [this](Dataset *d) { validarRodalOSector(d); }, nullptr);

    // A climatic variable has one source row: it follows the variable and goes with it.
    m_reglas.declararVariablesClimaticas();

    Dataset *restVar = tabla(QStringLiteral("rest_var"));
    trasPost(restVar, [this](Dataset *d) { restriccionTrasPost(d); });
    alBorrar(restVar, QStringLiteral("Id"), nullptr, [](const QVariant &id) {
        return QList<Sentencia>{{QStringLiteral("DELETE FROM kelu_mepr WHERE id_restVar = ?"), {id}}};
    }, {QStringLiteral("mepr")});

    Dataset *obj = tabla(QStringLiteral("obj"));
    antesDePost(obj,
                [this](Dataset *d) {
                    d->FieldByName(QStringLiteral("sup_tot"))
                        ->setAsFloat(SuperficieUnidad(d->FieldByName(QStringLiteral("num"))->AsString(),
                                                      d->FieldByName(QStringLiteral("num_sec"))->AsString()));
                },
                recordarPost(QStringLiteral("kelu_obj"), QStringLiteral("unidad"), QStringLiteral("Id_obj")));
    trasPost(obj, [this](Dataset *d) { unidadTrasPost(d); });
    alBorrar(obj, QStringLiteral("Id_obj"), [this](Dataset *d) { unidadAntesDeBorrar(d); }, nullptr, {});
    if (DataSource *fuente = m_formulario->dataSource(QStringLiteral("kelu_obj"))) {
        fuente->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            recalcularSupAfe();
        };
    }
    // The memo follows the box when it is ticked and when a document is loaded.
    if (DataSource *ppal = m_formulario->mainDataSource()) {
        ppal->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (!f || f->FieldName() == QLatin1String("resJud_tiene"))
                resolucionJudicialCambiada();
        };
    }
    if (DBGrid *unidades = grilla(QStringLiteral("obj"))) {
        for (const auto &[campo, sql] : {std::pair{"num", "SELECT num FROM kelu_desc ORDER BY Id"},
                                         std::pair{"num_sec", "SELECT num_sec FROM kelu_det_sec ORDER BY Id"}}) {
            if (GridColumn *c = unidades->ColumnByFieldName(QLatin1String(campo))) {
                c->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
                c->OnEditButtonClick = [this, campo, sql](GridColumn *, bool &handled) {
                    elegirRodales(QLatin1String(campo), QLatin1String(sql));
                    handled = true;
                };
            }
        }
    }

    Dataset *descEsq = tabla(QStringLiteral("desc_esq"));
    antesDePost(descEsq, [this](Dataset *d) { actividadAntesDePost(d); },
                recordarPost(QStringLiteral("kelu_desc_esq"), QStringLiteral("act"), QStringLiteral("Id_desc")));
    trasPost(descEsq, [this](Dataset *d) { actividadTrasPost(d); });
    alBorrar(descEsq, QStringLiteral("Id_desc"), nullptr, [](const QVariant &id) { return borrarFilasActividad(id); },
             {QStringLiteral("for"), QStringLiteral("poda"), QStringLiteral("ral"), QStringLiteral("cor"), QStringLiteral("ref")});

    antesDePost(tabla(QStringLiteral("plan_cam")), [this](Dataset *d) { validarCaminosYCanchas(d); }, nullptr);
}

void TFormKELU::enlazarCampos()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    for (const char *sufijo : {"fis", "hidr"}) {
        Dataset *ds = tabla(QLatin1String(sufijo));
        Field *num = ds->FindField(QStringLiteral("num"));
        Field *numSec = ds->FindField(QStringLiteral("num_sec"));
        if (!num || !numSec)
            continue;
        num->OnChange = [this](Field *f) { rodalOSector(f, QStringLiteral("num_sec")); };
        numSec->OnChange = [this](Field *f) { rodalOSector(f, QStringLiteral("num")); };
    }
    if (Field *var = tabla(QStringLiteral("var_cli"))->FindField(QStringLiteral("var")))
        var->OnChange = [this](Field *f) { variableCambiada(f); };
}

// --- stand or sector: a diagnosis row names one stand or one sector, never both.

void TFormKELU::rodalOSector(Field *cambiado, const QString &otro)
{
    if (cambiado->IsNull())
        return;
    Field *f = cambiado->DataSet()->FindField(otro);
    if (f && !f->IsNull())
        f->Clear();
}

void TFormKELU::validarRodalOSector(Dataset *ds)
{
    Field *num = ds->FieldByName(QStringLiteral("num"));
    Field *numSec = ds->FieldByName(QStringLiteral("num_sec"));
    if (vacio(num))
        Validar(numSec, {tvNoVacio});
    if (vacio(numSec))
        Validar(num, {tvNoVacio});
}

// --- climatic variables: each has one source row with the same variable.

void TFormKELU::variableCambiada(Field *var)
{
    m_reglas.unidadDeVariable(var, QStringLiteral("unidad"));
}

// --- judicial resolution: its memo is written only when the box is ticked.

void TFormKELU::resolucionJudicialCambiada()
{
    m_reglas.memoResolucionJudicial();
}

// --- roads and log yards: a row holds a road, a yard or both, each whole.

void TFormKELU::validarCaminosYCanchas(Dataset *ds)
{
    auto campo = [ds](const char *nombre) { return ds->FieldByName(QLatin1String(nombre)); };
    if (!vacio(campo("cam_id")) || !vacio(campo("num_cam"))) {
        Validar(campo("cam_id"), {tvNoVacio});
        Validar(campo("num_cam"), {tvNoVacio});
        Validar(campo("long"), {tvNoVacio, tvPositivo});
        Validar(campo("ancho"), {tvNoVacio, tvPositivo});
    }
    if (!vacio(campo("can_id")) || !vacio(campo("num_can"))) {
        Validar(campo("can_id"), {tvNoVacio});
        Validar(campo("num_can"), {tvNoVacio});
        Validar(campo("sup"), {tvNoVacio, tvPositivo});
    }
}

// --- management units: their activities and parameter rows carry the unit's name.

void TFormKELU::unidadTrasPost(Dataset *ds)
{
    const PostEnCurso p = m_reglas.tomarPost(ds);
    const QVariant unidad = ds->FieldByName(QStringLiteral("unidad"))->Value();
    if (p.insercion || p.anterior == unidad)
        return;
    const QVariant id = ds->FieldByName(QStringLiteral("Id_obj"))->Value();
    QList<Sentencia> s{{QStringLiteral("UPDATE kelu_desc_esq SET unidad = ? WHERE Id_obj = ?"), {unidad, id}}};
    for (const QString &t : tablasDeParametros())
        s << Sentencia{QStringLiteral("UPDATE %1 SET unidad = ? WHERE Id_desc IN "
                                      "(SELECT Id_desc FROM kelu_desc_esq WHERE Id_obj = ?)")
                           .arg(t),
                       {unidad, id}};
    if (escribir(s)) {
        refrescar(tabla(QStringLiteral("desc_esq")));
        refrescarParametros();
    }
}

void TFormKELU::unidadAntesDeBorrar(Dataset *ds)
{
    // Its activities (and through them their parameter rows) would be left without a unit.
    if (Asercion(ConexionBD, QStringLiteral("FROM kelu_desc_esq WHERE Id_obj = ?"),
                 {ds->FieldByName(QStringLiteral("Id_obj"))->Value()}))
        m_reglas.rechazarBorrado();
}
