// The bindings of the form's rules and the smaller rules: climatic variables and their
// sources, conservation categories, the judicial-resolution memo, the checks with their
// own messages, the stand lists of the objectives and what showing a page re-reads.
#include "tformdalu.h"

#include "abort.h"
#include "builtform.h"
#include "dataset.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dbnavigator.h"
#include "field.h"
#include "formcomponents.h"
#include "gridcolumn.h"
#include "util_bbdd.h"

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace {

bool vacio(const Field *f)
{
    return f->IsNull() || f->AsString().trimmed().isEmpty();
}

// The sums of a stand table's rows: TOTAL of each group is the sum of its species.
void totales(Dataset *ds, const QList<std::pair<const char *, const char *>> &grupos)
{
    for (const auto &[total, sufijo] : grupos) {
        double suma = 0;
        for (const char *especie : {"esp1_", "esp2_", "esp3_", "otra_"})
            suma += ds->FieldByName(QLatin1String(especie) + QLatin1String(sufijo))->AsFloat();
        ds->FieldByName(QLatin1String(total))->setAsFloat(suma);
    }
}

} // namespace

void TFormDALU::enlazarReglas()
{
    const auto antesDePost = &ReglasFormulario::antesDePost;
    enlazarRodales();

    // One source row per climatic variable, renamed and deleted with it.
    m_reglas.declararVariablesClimaticas();

    antesDePost(tabla(QStringLiteral("car_reg")), nullptr, [this](Dataset *d) { validarRegeneracion(d); });
    antesDePost(tabla(QStringLiteral("cor_int")), nullptr,
                [this](Dataset *d) { validarResidual(d, "ant_den", "res_den", "ant_ab", "res_ab"); });
    antesDePost(tabla(QStringLiteral("cor_reg")), nullptr,
                [this](Dataset *d) { validarResidual(d, "den_ant", "den_res", "ab_ant", "ab_res"); });
    antesDePost(tabla(QStringLiteral("pod")), nullptr, [this](Dataset *d) { validarPoda(d); });

    Dataset *obj = tabla(QStringLiteral("obj"));
    antesDePost(obj, [this](Dataset *d) { objetivoRodalesCambiados(d->FieldByName(QStringLiteral("num"))); }, nullptr);
    m_reglas.alBorrar(obj, QStringLiteral("Id_obj"), [this](Dataset *d) { objetivoAntesDeBorrar(d); }, &objetivoBorrado,
                      {QStringLiteral("adtDALU_crit"), QStringLiteral("adtDALU_desc"), QStringLiteral("adtDALU_desc_det"),
                       QStringLiteral("adtDALU_prescripcion")});

    Dataset *desc = tabla(QStringLiteral("desc_det"));
    antesDePost(desc, nullptr, m_reglas.recordarPost(QStringLiteral("dalu_desc_det"), QStringLiteral("act"), QStringLiteral("Id_desc_det")));
    m_reglas.trasPost(desc, [this](Dataset *d) { actividadTrasPost(d); });
    m_reglas.alBorrar(desc, QStringLiteral("Id_desc_det"), nullptr, &actividadBorrada,
                      {QStringLiteral("adtDALU_cor_int"), QStringLiteral("adtDALU_pod"), QStringLiteral("adtDALU_cor_reg"),
                       QStringLiteral("adtDALU_reg_ref"), QStringLiteral("adtDALU_est_reg"), QStringLiteral("adtDALU_prescripcion")});

    tabla(QStringLiteral("tab_rod_det"))->OnCalcFields = [](Dataset *d) {
        totales(d, {{"tot_den", "den"}, {"tot_area", "area"}, {"tot_vol", "vol"}});
    };
    tabla(QStringLiteral("est_var"))->OnCalcFields = [](Dataset *d) { totales(d, {{"tot_den", "den"}, {"tot_ab", "ab"}}); };

    // The memo follows the box when it is ticked and when a document is loaded.
    if (DataSource *ppal = m_formulario->mainDataSource()) {
        ppal->OnDataChange = [this](DataSource *s, Field *f) {
            DSrcEventoOnDataChange(s, f);
            if (!f || f->FieldName() == QLatin1String("resJud_tiene"))
                resolucionJudicialCambiada();
        };
    }
}

void TFormDALU::enlazarCampos()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    if (Field *var = tabla(QStringLiteral("var_cli"))->FindField(QStringLiteral("var")))
        var->OnChange = [this](Field *f) { variableCambiada(f); };
    if (Field *esp = tabla(QStringLiteral("flo"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("especie"), QStringLiteral("espe")); };
    if (Field *esp = tabla(QStringLiteral("fau"))->FindField(QStringLiteral("esp")))
        esp->OnChange = [this](Field *f) { m_reglas.categoriaConservacion(f, QStringLiteral("fauna"), QStringLiteral("faun")); };
    Dataset *obj = tabla(QStringLiteral("obj"));
    if (Field *num = obj->FindField(QStringLiteral("num")))
        num->OnChange = [this](Field *f) { objetivoRodalesCambiados(f); };
    // A new objective is named first, its stands are asked for right away; a renamed one
    // has them asked for again.
    if (Field *nombre = obj->FindField(QStringLiteral("obj")))
        nombre->OnChange = [this, obj](Field *f) {
            if (Guardando || vacio(f))
                return;
            const bool nuevo = obj->State() == DatasetState::Insert && vacio(obj->FieldByName(QStringLiteral("num")));
            if (nuevo || obj->State() == DatasetState::Edit)
                elegirRodales(obj, QStringLiteral("num"));
        };
}

void TFormDALU::enlazarControles()
{
    // Stand lists are ticked in the multi-selection window over the stands of the plan.
    for (const auto &[sufijo, campo] : {std::pair{"obj", "num"}, std::pair{"flo", "rod"}}) {
        DBGrid *g = grilla(QLatin1String(sufijo));
        GridColumn *c = g ? g->ColumnByFieldName(QLatin1String(campo)) : nullptr;
        if (!c)
            continue;
        c->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
        Dataset *ds = tabla(QLatin1String(sufijo));
        c->OnEditButtonClick = [this, ds, campo](GridColumn *, bool &handled) {
            elegirRodales(ds, QLatin1String(campo));
            handled = true;
        };
    }
    if (auto *otras = findComponent<DBEdit>(this, QStringLiteral("edt_esps")); otras && otras->actions().isEmpty()) {
        otras->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QLineEdit::TrailingPosition);
        SeleccionMultiple(otras, tsmEspecieNativo);
    }
}

void TFormDALU::enlazarSenales()
{
    // What is typed in the objective's structure and in the stand table is kept as soon
    // as the focus leaves them.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *antes, QWidget *ahora) { focoCambiado(antes, ahora); });
    // The stand tables' forest type is the stand's qualitative description's: on their
    // pages that row follows the current stand.
    if (Dataset *car = tabla(QStringLiteral("car"))) {
        car->AfterScroll = [this, antes = car->AfterScroll](Dataset *d) {
            if (antes)
                antes(d);
            if (Paginas && (Paginas->currentIndex() == kHojaTablaRodal || Paginas->currentIndex() == kHojaVariablesFinales))
                descripcionDelRodal();
        };
    }
    // Moving through the stands on the final-variables page shows the stand's objective.
    if (auto *nav = findComponent<DBNavigator>(this, QStringLiteral("nav_dalu_car_est"))) {
        for (DBNavigator::Button b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last})
            connect(nav->button(b), &QToolButton::clicked, this, [this] { rodalDelObjetivo(); });
    }
}

// --- climatic variables: each has one source row with the same variable.

void TFormDALU::variableCambiada(Field *var)
{
    m_reglas.unidadDeVariable(var, QStringLiteral("uni"));
}

// --- judicial resolution: its memo is written only when the box is ticked.

void TFormDALU::resolucionJudicialCambiada()
{
    m_reglas.memoResolucionJudicial();
}

// --- checks with their own messages; rows the form writes itself are not checked.

void TFormDALU::validarRegeneracion(Dataset *ds)
{
    if (Guardando || vacio(ds->FieldByName(QStringLiteral("esp"))))
        return;
    for (const char *rango : {"men_50", "f50_100", "f100_200"}) {
        const Field *f = ds->FieldByName(QLatin1String(rango));
        if (!vacio(f) && f->AsFloat() >= 0)
            return;
    }
    DialogoError(QStringLiteral("Debe ingresar al menos un rango"));
    Abort();
}

void TFormDALU::validarResidual(Dataset *ds, const char *antes1, const char *despues1, const char *antes2,
                                const char *despues2)
{
    if (Guardando)
        return;
    auto campo = [ds](const char *c) { return ds->FieldByName(QLatin1String(c))->AsFloat(); };
    if (campo(despues1) > campo(antes1)) {
        DialogoError(QStringLiteral("La densidad residual supera a la densidad antes de la corta"));
        Abort();
    }
    if (campo(despues2) > campo(antes2)) {
        DialogoError(QStringLiteral("El área basal residual supera al área basal antes de la corta"));
        Abort();
    }
}

void TFormDALU::validarPoda(Dataset *ds)
{
    if (!Guardando
        && ds->FieldByName(QStringLiteral("den_pod"))->AsFloat() > ds->FieldByName(QStringLiteral("den_tot"))->AsFloat()) {
        DialogoError(QStringLiteral("La densidad a podar supera la densidad total"));
        Abort();
    }
}

// --- objectives: their stands and surface.

void TFormDALU::objetivoRodalesCambiados(Field *num)
{
    Dataset *ds = num->DataSet();
    if (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert)
        return;
    Field *sup = ds->FieldByName(QStringLiteral("sup"));
    const double total = SuperficieRodales(numeros(num->AsString()));
    if (sup->IsNull() || sup->AsFloat() != total)
        sup->setAsFloat(total);
}

// --- pending entries posted when the focus leaves their controls.

void TFormDALU::focoCambiado(QWidget *antes, QWidget *ahora)
{
    if (!antes)
        return;
    auto postear = [](Dataset *ds) {
        if (ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert))
            catchAbort([ds] { ds->Post(); });
    };
    auto *estructura = findComponent<QWidget>(this, QStringLiteral("edt_estr_obj"));
    if (estructura && antes == estructura && ahora != estructura)
        postear(tabla(QStringLiteral("desc")));
    auto *grupo = findComponent<QGroupBox>(this, QStringLiteral("grpTablaRodal"));
    if (grupo && grupo->isAncestorOf(antes) && !(ahora && grupo->isAncestorOf(ahora))) {
        postear(tabla(QStringLiteral("tab_rod")));
        postear(tabla(QStringLiteral("des_cua")));
    }
}

// --- what showing a page re-reads.

void TFormDALU::paginaMostrada(int hoja)
{
    switch (hoja) {
    case 3:
        if (Dataset *car = tabla(QStringLiteral("car")); car && car->Active()) {
            car->setFiltered(false);
            ReglasFormulario::refrescar(car);
        }
        break;
    case kHojaTablaRodal:
        descripcionDelRodal();
        break;
    case 19:
        ReglasFormulario::refrescar(tabla(QStringLiteral("crit")));
        break;
    case kHojaVariablesFinales:
        descripcionDelRodal();
        rodalDelObjetivo();
        break;
    default:
        break;
    }
}
