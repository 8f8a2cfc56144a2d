// The stand inventory: the general sampling characteristics filled into each stand's
// inventory, the plots of an inventory, the trees with their checks, the class range they
// keep on the stand table, the stand and stock table by diameter classes, its basal
// areas, and the summaries and sampling statistics of the stand.
//
// The arithmetic is EstadisticaDalu's; here the values are read from the working
// database and the results written back in one transaction each, as bookkeeping: no field
// check runs on them and the datasets showing them are re-read. Every change of the trees
// brings the summaries and statistics up to date.
#include "tformdalu.h"

#include "abort.h"
#include "builtform.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dialogservice.h"
#include "estadistica.h"
#include "estadisticadalu.h"
#include "field.h"
#include "formcomponents.h"
#include "lecturainventario.h"

#include <QPushButton>
#include <QScopeGuard>

#include <memory>

using namespace EstadisticaDalu;

namespace {

// The prefixes of the four species groups, in EstadisticaDalu::Grupo order.
constexpr const char *kPrefijos[kGrupos] = {"esp1", "esp2", "esp3", "otra"};

// What the statistics show of a stand, re-read after they are written.
const QStringList kResultados = {QStringLiteral("adtDALU_res_inv"), QStringLiteral("adtDALU_res_gral"),
                                 QStringLiteral("adtDALU_res_mue")};
const QStringList kTablaRodal = {QStringLiteral("adtDALU_tab_rod"), QStringLiteral("adtDALU_tab_rod_det"),
                                 QStringLiteral("adtDALU_est_var")};

// num_arb_t and area_bas_t hold this mark once the sampling errors are written.
constexpr int kTablaT = 164;

bool vacio(const Field *f)
{
    return !f || f->IsNull() || f->AsString().trimmed().isEmpty();
}

QString columna(int grupo, const char *sufijo)
{
    return QLatin1String(kPrefijos[grupo]) + QLatin1Char('_') + QLatin1String(sufijo);
}

QVariant opcional(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

bool mismoDecimal(double a, double b)
{
    return Estadistica::redondeaMitadPar(a, 6) == Estadistica::redondeaMitadPar(b, 6);
}

} // namespace

// The inventory rules over the form's datasets; made for each event, it keeps nothing.
class InventarioDalu
{
public:
    using Sentencia = ReglasFormulario::Sentencia;

    explicit InventarioDalu(TFormDALU *form)
        : f(form)
    {
    }

    // --- general characteristics into each stand's inventory

    void caracteristicasAntesDePost(Dataset *ds)
    {
        // An empty row is not kept.
        if (vacio(ds->FieldByName(QStringLiteral("lumo_tip_mue"))) && vacio(ds->FieldByName(QStringLiteral("lumo_form_parc")))
            && vacio(ds->FieldByName(QStringLiteral("lumo_tam_parc"))))
            ds->Cancel();
    }

    // Stands whose inventory still lacks a design, a form or an area take the general ones;
    // the plots are then fixed-area plots.
    void parametros()
    {
        Dataset *ci = f->tabla(QStringLiteral("car_inv"));
        if (!ci || !ci->Active() || (ci->IsEmpty() && ci->State() == DatasetState::Browse))
            return;
        Field *diseno = ci->FieldByName(QStringLiteral("lumo_tip_mue"));
        Field *forma = ci->FieldByName(QStringLiteral("lumo_form_parc"));
        Field *tam = ci->FieldByName(QStringLiteral("lumo_tam_parc"));
        if (vacio(diseno) && vacio(forma) && vacio(tam))
            return;
        // The design and the form are written as the stands' inventories have always held
        // them: the combo's text followed by one blank.
        const QString textoDiseno = descripcion(32, diseno) + QLatin1Char(' ');
        const QString textoForma = descripcion(30, forma) + QLatin1Char(' ');
        const QVariant superficie = vacio(tam) ? QVariant() : QVariant(tam->AsFloat());
        QList<Sentencia> s;
        for (const QVariantList &r : f->ConexionBD->select(QStringLiteral("SELECT num FROM dalu_car ORDER BY Id")).rows) {
            s << Sentencia{QStringLiteral("UPDATE dalu_inventario SET dis_inv = ?, forma = ?, tip_parc = ?, mag = ? "
                                          "WHERE num = ? AND (trim(coalesce(dis_inv, '')) = '' OR trim(coalesce(forma, '')) = '' "
                                          "OR CAST(coalesce(mag, 0) AS REAL) = 0)"),
                           {textoDiseno, textoForma, kParcelaSuperficieFija, superficie, r.value(0)}};
        }
        if (f->m_reglas.escribir(s))
            ReglasFormulario::refrescar(f->tabla(QStringLiteral("inventario")));
    }

    // --- the inventory row and its plots

    // The plots' number and size weigh every tree: with trees recorded the stand is
    // recomputed as after a tree change.
    void inventarioTrasPost(Dataset *ds)
    {
        const QString num = ds->FieldByName(QStringLiteral("num"))->AsString();
        const QVariant idInv = ds->FieldByName(QStringLiteral("id_inv"))->Value();
        if (f->valor(QStringLiteral("SELECT count(*) FROM dalu_parcela p, dalu_inv_parcela iv "
                                    "WHERE p.id_inv_parc = iv.id_inv_parc AND iv.id_inv = ?"),
                     {idInv})
                .toInt()
            > 0)
            recalcularRodal(num, idInv, {});
        else
            actualizarResultados(num);
    }

    void botonParcelas()
    {
        auto *boton = findComponent<QPushButton>(f, QStringLiteral("btnCrearParcela"));
        Dataset *inv = f->tabla(QStringLiteral("inventario"));
        if (!boton || !inv)
            return;
        bool listo = inv->Active() && (inv->State() == DatasetState::Edit || inv->State() == DatasetState::Insert);
        for (const char *c : {"dis_inv", "tip_parc", "mag", "forma"})
            listo = listo && !vacio(inv->FieldByName(QLatin1String(c)));
        boton->setEnabled(listo);
    }

    void crearParcelas()
    {
        Dataset *inv = f->tabla(QStringLiteral("inventario"));
        if (!inv || !inv->Active())
            return;
        const auto restaurar = qScopeGuard([this, guardando = f->Guardando] { f->Guardando = guardando; });
        QVariant idInv = inv->FieldByName(QStringLiteral("id_inv"))->Value();
        bool arbolesBorrados = false;
        if (!idInv.isNull() && f->valor(QStringLiteral("SELECT count(*) FROM dalu_inv_parcela WHERE id_inv = ?"), {idInv}).toInt() > 0
            && f->Dialogo(mtConfirmation,
                          QStringLiteral("La tabla parcela ya está creada.\n¿ Desea borrar la tabla de parcelas para el rodal "
                                         "seleccionado ?"),
                          MB::YESNO)
                   == ID::YES) {
            if (!f->m_reglas.escribir({{QStringLiteral("DELETE FROM dalu_parcela WHERE id_inv_parc IN "
                                                       "(SELECT id_inv_parc FROM dalu_inv_parcela WHERE id_inv = ?)"),
                                        {idInv}},
                                       {QStringLiteral("DELETE FROM dalu_inv_parcela WHERE id_inv = ?"), {idInv}}}))
                return;
            arbolesBorrados = true;
        }
        f->Guardando = true;
        if (!catchAbort([inv] {
                if (!inv->Post())
                    Abort();
            }))
            return;
        idInv = inv->FieldByName(QStringLiteral("id_inv"))->Value();
        // Plots already there are kept; only the numbers missing from 1..num_parc are added.
        std::vector<int> existentes;
        for (const QVariantList &r :
             f->ConexionBD->select(QStringLiteral("SELECT id_parc FROM dalu_inv_parcela WHERE id_inv = ?"), {idInv}).rows)
            existentes.push_back(r.value(0).toInt());
        QList<Sentencia> s;
        for (int n : parcelasFaltantes(existentes, inv->FieldByName(QStringLiteral("num_parc"))->AsInteger()))
            s << Sentencia{QStringLiteral("INSERT INTO dalu_inv_parcela (id_inv, id_parc) VALUES (?, ?)"), {idInv, n}};
        if (f->m_reglas.escribir(s)) {
            ReglasFormulario::refrescar(f->tabla(QStringLiteral("inv_parcela")));
            ReglasFormulario::refrescar(f->tabla(QStringLiteral("parcela")));
        }
        if (arbolesBorrados)
            recalcularRodal(inv->FieldByName(QStringLiteral("num"))->AsString(), idInv, {});
    }

    // --- trees

    void arbolSinParcela(Dataset *ds)
    {
        const Field *parcela = ds->FieldByName(QStringLiteral("id_inv_parc"));
        if (!parcela->IsNull() && parcela->AsInteger() > 0)
            return;
        f->DialogoError(QStringLiteral("Debe existir las parcelas antes de definir características"));
        ds->Cancel();
        Abort();
    }

    void validarArbol(Dataset *ds)
    {
        if (f->Guardando)
            return;
        f->Validar(ds->FieldByName(QStringLiteral("esp")), {tvNoVacio});
        Field *dap = ds->FieldByName(QStringLiteral("dap"));
        f->Validar(dap, {tvNoVacio});
        if (!dapAceptado(dap->AsFloat())) {
            f->Dialogo(mtConfirmation, QStringLiteral("DAP debe estar en el rango de 5 a 250 cm"), MB::OK);
            Abort();
        }
    }

    void arbolCambiado(const QVariant &especie)
    {
        Dataset *inv = f->tabla(QStringLiteral("inventario"));
        if (!inv || !inv->Active() || inv->IsEmpty())
            return;
        recalcularRodal(inv->FieldByName(QStringLiteral("num"))->AsString(), inv->FieldByName(QStringLiteral("id_inv"))->Value(),
                        especie);
    }

    // The class range follows the stand's trees: a changed range empties the stand table,
    // to be created again; an unchanged one keeps its classes and typed volumes with the
    // densities and basal areas of the trees as they are now. The results follow.
    void recalcularRodal(const QString &num, const QVariant &idInv, const QVariant &especie)
    {
        const auto restaurar = qScopeGuard([this, guardando = f->Guardando] { f->Guardando = guardando; });
        f->Guardando = true;
        const std::optional<Inventario> inventario = leer(idInv);
        if (!inventario)
            return;
        mostrarRodal(num);
        const QueryResult tr = f->ConexionBD->select(
            QStringLiteral("SELECT Id_tab_rod, clas_min, clas_max, esp1 FROM dalu_tab_rod WHERE num = ?"), {num});
        std::vector<FilaTablaRodal> filas;
        QList<Sentencia> s;
        if (!tr.rows.isEmpty()) {
            const QVariantList &t = tr.rows.first();
            const QVariant idTabRod = t.value(0);
            const RangoClases rango = rangoClases(*inventario);
            const bool igual = !t.value(1).isNull() && !t.value(2).isNull() && mismoDecimal(numeroGuardado(t.value(1)), rango.minimo)
                               && mismoDecimal(numeroGuardado(t.value(2)), rango.maximo);
            if (igual) {
                std::vector<QVariant> ids;
                const std::optional<EspeciesTabla> especies = especiesTabla(idTabRod);
                const auto leidas = especies ? leerTablaRodal(*f->ConexionBD, idTabRod, &ids) : std::nullopt;
                if (!leidas)
                    return fallaLectura();
                filas = *leidas;
                recalcularDensidades(*inventario, *especies, rango.maximo, filas);
                for (std::size_t i = 0; i < filas.size(); ++i)
                    s << densidades(filas[i], ids[i]);
            } else {
                QString sql = QStringLiteral("UPDATE dalu_tab_rod SET clas_min = ?, clas_max = ?");
                QVariantList params{rango.minimo, rango.maximo};
                if (numeroGuardado(t.value(3)) == 0 && !especie.isNull()) {
                    sql += QStringLiteral(", esp1 = ?");
                    params << especie;
                }
                s << Sentencia{sql + QStringLiteral(" WHERE Id_tab_rod = ?"), params << idTabRod}
                  << Sentencia{QStringLiteral("DELETE FROM dalu_tab_rod_det WHERE Id_tab_rod = ?"), {idTabRod}}
                  << Sentencia{QStringLiteral("DELETE FROM dalu_est_var WHERE Id_tab_rod = ?"), {idTabRod}};
            }
        }
        s << resultados(num, *inventario, filas);
        if (f->m_reglas.escribir(s)) {
            f->m_reglas.refrescar(kTablaRodal);
            f->m_reglas.refrescar(kResultados);
        }
    }

    // --- stand table

    void tablaRodalAntesDePost(Dataset *ds)
    {
        if (f->Guardando)
            return;
        Dataset *car = f->tabla(QStringLiteral("car"));
        if (car && car->Active() && !car->IsEmpty())
            ds->FieldByName(QStringLiteral("num"))->setAsString(car->FieldByName(QStringLiteral("num"))->AsString());
    }

    void validarTablaRodal(Dataset *ds)
    {
        if (f->Guardando)
            return;
        f->Validar(ds->FieldByName(QStringLiteral("num")), {tvNoVacio});
        for (const char *c : {"esp1", "clas_min", "clas_max"})
            f->Validar(ds->FieldByName(QLatin1String(c)), {tvNoVacio, tvPositivo});
        const double minimo = ds->FieldByName(QStringLiteral("clas_min"))->AsFloat();
        const double maximo = ds->FieldByName(QStringLiteral("clas_max"))->AsFloat();
        if (Estadistica::redondeaMitadPar(maximo - minimo, 6) < 0.11) {
            f->DialogoError(QStringLiteral("La clase mínima de diámetro no debe igualar ni superar\na la máxima"));
            Abort();
        }
        if (maximo > 250) {
            f->DialogoError(QStringLiteral("La clase máxima de diámetro no debe superar los 250 cm"));
            Abort();
        }
    }

    void crearTablaRodal()
    {
        Dataset *tr = f->tabla(QStringLiteral("tab_rod"));
        if (!tr || !tr->Active() || (tr->IsEmpty() && tr->State() == DatasetState::Browse))
            return;
        const QVariant id = tr->FieldByName(QStringLiteral("Id_tab_rod"))->Value();
        bool borrar = false;
        if (!id.isNull() && f->valor(QStringLiteral("SELECT count(*) FROM dalu_tab_rod_det WHERE Id_tab_rod = ?"), {id}).toInt() > 0) {
            borrar = f->Dialogo(mtConfirmation,
                                QStringLiteral("La tabla de rodal y existencia ya posee un rango de clases de diámetro creado.\n"
                                               "¿ Desea borrar la tabla de rodal y existencia para el rodal seleccionado ?"),
                                MB::YESNO)
                     == ID::YES;
            if (!borrar
                && f->Dialogo(mtConfirmation,
                              QStringLiteral("Si no borra la tabla de rodal y existencia se duplicarán rangos  de clases de "
                                             "diámetro creado.\n¿ Está seguro que desea continuar con la creación para el "
                                             "rodal seleccionado ?"),
                              MB::YESNO)
                       != ID::YES)
                return;
        }
        f->Dialogo(mtInformation, QStringLiteral("La creación de la tabla puede demorar algunos minutos"), MB::OK);
        if (!catchAbort([tr] {
                if (!tr->Post())
                    Abort();
            }))
            return;
        const auto restaurar = qScopeGuard([this, guardando = f->Guardando] { f->Guardando = guardando; });
        f->Guardando = true;
        const QVariant idTabRod = tr->FieldByName(QStringLiteral("Id_tab_rod"))->Value();
        const QString num = tr->FieldByName(QStringLiteral("num"))->AsString();
        const std::optional<Inventario> inventario =
            leer(f->valor(QStringLiteral("SELECT id_inv FROM dalu_inventario WHERE num = ?"), {num}));
        const std::optional<EspeciesTabla> especies = inventario ? especiesTabla(idTabRod) : std::nullopt;
        auto filas = borrar || !especies ? std::optional<std::vector<FilaTablaRodal>>(std::vector<FilaTablaRodal>{})
                                         : leerTablaRodal(*f->ConexionBD, idTabRod);
        if (!inventario || !especies || !filas)
            return fallaLectura();
        QList<Sentencia> s;
        if (borrar) {
            s << Sentencia{QStringLiteral("DELETE FROM dalu_tab_rod_det WHERE Id_tab_rod = ?"), {idTabRod}}
              << Sentencia{QStringLiteral("DELETE FROM dalu_est_var WHERE Id_tab_rod = ?"), {idTabRod}};
        }
        for (const FilaTablaRodal &c :
             tablaRodal(*inventario, *especies, tr->FieldByName(QStringLiteral("clas_min"))->AsFloat(),
                        tr->FieldByName(QStringLiteral("clas_max"))->AsFloat())) {
            s << insertar(QStringLiteral("dalu_tab_rod_det"), idTabRod, c, "area", true)
              << insertar(QStringLiteral("dalu_est_var"), idTabRod, c, "ab", false);
            filas->push_back(c);
        }
        s << resultados(num, *inventario, *filas);
        if (f->m_reglas.escribir(s)) {
            f->m_reglas.refrescar(kTablaRodal);
            f->m_reglas.refrescar(kResultados);
        }
    }

    // A density typed or set on a class row brings its basal area.
    static void areaDeDensidad(Field *den, const QString &area)
    {
        Dataset *ds = den->DataSet();
        if (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert)
            return;
        Field *destino = ds->FieldByName(area);
        if (den->IsNull()) {
            destino->Clear();
            return;
        }
        destino->setAsFloat(areaBasal(den->AsFloat(), ds->FieldByName(QStringLiteral("clas_men"))->AsFloat(),
                                      ds->FieldByName(QStringLiteral("clas_may"))->AsFloat()));
    }

    // After a class row is posted or deleted: the stand's results from its table as it is.
    void tablaCambiada()
    {
        Dataset *tr = f->tabla(QStringLiteral("tab_rod"));
        if (tr && tr->Active() && !tr->IsEmpty())
            actualizarResultados(tr->FieldByName(QStringLiteral("num"))->AsString());
    }

    void actualizarResultados(const QString &num)
    {
        if (num.isEmpty())
            return;
        const auto restaurar = qScopeGuard([this, guardando = f->Guardando] { f->Guardando = guardando; });
        f->Guardando = true;
        const std::optional<Inventario> inventario =
            leer(f->valor(QStringLiteral("SELECT id_inv FROM dalu_inventario WHERE num = ?"), {num}));
        const QVariant idTabRod = f->valor(QStringLiteral("SELECT Id_tab_rod FROM dalu_tab_rod WHERE num = ?"), {num});
        auto filas = !inventario ? std::nullopt
                     : idTabRod.isNull() ? std::optional<std::vector<FilaTablaRodal>>(std::vector<FilaTablaRodal>{})
                                         : leerTablaRodal(*f->ConexionBD, idTabRod);
        if (!inventario || !filas)
            return fallaLectura();
        if (f->m_reglas.escribir(resultados(num, *inventario, *filas)))
            f->m_reglas.refrescar(kResultados);
    }

private:
    // The text a list of the main database's atributotipo shows for a code.
    QString descripcion(int lista, const Field *codigo) const
    {
        if (vacio(codigo))
            return {};
        return f->valor(QStringLiteral("SELECT att_descripcion FROM atributotipo WHERE att_tipo = ? AND att_codigo = ?"),
                        {lista, codigo->Value()}, true)
            .toString();
    }

    std::optional<Inventario> leer(const QVariant &idInv)
    {
        SqlError error;
        std::optional<Inventario> inventario = leerInventario(*f->ConexionBD, idInv, &error);
        if (!inventario)
            f->DialogoError(QStringLiteral("No se pudo leer el inventario del rodal:\n") + error.text());
        return inventario;
    }

    std::optional<EspeciesTabla> especiesTabla(const QVariant &idTabRod)
    {
        const QueryResult r = f->ConexionBD->select(
            QStringLiteral("SELECT esp1, esp2, esp3, esps FROM dalu_tab_rod WHERE Id_tab_rod = ?"), {idTabRod});
        EspeciesTabla e;
        if (r.rows.isEmpty())
            return e;
        const QVariantList &v = r.rows.first();
        e.esp1 = int(numeroGuardado(v.value(0)));
        e.esp2 = int(numeroGuardado(v.value(1)));
        e.esp3 = int(numeroGuardado(v.value(2)));
        SqlError error;
        const auto otras = f->ConexionBDPpal ? codigosEspecies(*f->ConexionBDPpal, v.value(3).toString(), &error)
                                             : std::optional<std::vector<int>>(std::vector<int>{});
        if (!otras)
            return std::nullopt;
        e.otras = *otras;
        return e;
    }

    void fallaLectura()
    {
        f->DialogoError(QStringLiteral("No se pudieron leer las tablas del inventario del rodal"));
    }

    // dalu_car and with it the stand table show the stand.
    void mostrarRodal(const QString &num)
    {
        Dataset *car = f->tabla(QStringLiteral("car"));
        if (car && car->Active() && car->State() == DatasetState::Browse && !car->IsEmpty()
            && car->FieldByName(QStringLiteral("num"))->AsString() != num)
            car->Locate(QStringLiteral("num"), num);
    }

    static Sentencia densidades(const FilaTablaRodal &fila, const QVariant &id)
    {
        QStringList columnas;
        QVariantList params;
        for (int g = 0; g < kGrupos; ++g) {
            columnas << columna(g, "den") + QStringLiteral(" = ?") << columna(g, "area") + QStringLiteral(" = ?");
            params << fila.den[g] << fila.area[g];
        }
        return {QStringLiteral("UPDATE dalu_tab_rod_det SET %1 WHERE Id = ?").arg(columnas.join(QStringLiteral(", "))),
                params << id};
    }

    static Sentencia insertar(const QString &tabla, const QVariant &idTabRod, const FilaTablaRodal &fila, const char *area,
                              bool volumenes)
    {
        QStringList columnas{QStringLiteral("Id_tab_rod"), QStringLiteral("clas_men"), QStringLiteral("clas_may")};
        QVariantList params{idTabRod, fila.clasMen, fila.clasMay};
        for (int g = 0; g < kGrupos; ++g) {
            columnas << columna(g, "den") << columna(g, area);
            params << fila.den[g] << fila.area[g];
            if (volumenes) {
                columnas << columna(g, "vol");
                params << fila.vol[g];
            }
        }
        return {QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(tabla, columnas.join(QStringLiteral(", ")), QStringList(columnas.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                params};
    }

    // The stand's summaries and sampling statistics from its trees and stand table.
    static QList<Sentencia> resultados(const QString &num, const Inventario &inventario, const std::vector<FilaTablaRodal> &filas)
    {
        const ResumenInventario ri = resumenInventario(filas);
        const ResumenGeneral rg = resumenGeneral(ri);
        const Muestreo m = muestreo(inventario, filas);
        QStringList columnas;
        QVariantList params;
        for (int g = 0; g < kGrupos; ++g) {
            columnas << columna(g, "den") + QStringLiteral(" = ?") << columna(g, "ab") + QStringLiteral(" = ?")
                     << columna(g, "vol") + QStringLiteral(" = ?");
            params << ri.den[g] << ri.ab[g] << ri.vol[g];
        }
        return {
            {QStringLiteral("UPDATE dalu_res_inv SET %1 WHERE num = ?").arg(columnas.join(QStringLiteral(", "))), params << num},
            {QStringLiteral("UPDATE dalu_res_gral SET sup = (SELECT sup FROM dalu_car WHERE num = ?), den = ?, ab = ?, vol = ? "
                            "WHERE num = ?"),
             {num, rg.den, rg.ab, rg.vol, num}},
            {QStringLiteral("UPDATE dalu_res_mue SET num_uni = ?, num_arb_med = ?, are_bas_med = ?, num_arb_var = ?, "
                            "are_bas_var = ?, num_arb_desv = ?, are_bas_desv = ?, num_arb_coef = ?, are_bas_coef = ?, "
                            "num_arb_t = ?, area_bas_t = ?, num_arb_err = ?, area_bas_err = ? WHERE num = ?"),
             {m.numUni, m.numArbMed, m.areBasMed, opcional(m.numArbVar), opcional(m.areBasVar), opcional(m.numArbDesv),
              opcional(m.areBasDesv), opcional(m.numArbCoef), opcional(m.areBasCoef), kTablaT, kTablaT, opcional(m.numArbErr),
              opcional(m.areaBasErr), num}},
        };
    }

    TFormDALU *f;
};

void TFormDALU::enlazarInventario()
{
    const auto antesDePost = &ReglasFormulario::antesDePost;
    auto despues = [](Dataset *ds, const Dataset::Event &regla) {
        if (!ds)
            return;
        const Dataset::Event previo = ds->AfterDelete;
        ds->AfterDelete = [previo, regla](Dataset *d) {
            if (previo)
                previo(d);
            regla(d);
        };
    };

    Dataset *ci = tabla(QStringLiteral("car_inv"));
    antesDePost(ci, [this](Dataset *d) { InventarioDalu(this).caracteristicasAntesDePost(d); }, nullptr);
    m_reglas.trasPost(ci, [this](Dataset *) { InventarioDalu(this).parametros(); });

    m_reglas.trasPost(tabla(QStringLiteral("inventario")), [this](Dataset *d) { InventarioDalu(this).inventarioTrasPost(d); });
    if (DataSource *fuente = m_formulario->dataSource(QStringLiteral("dalu_inventario"))) {
        const auto estado = fuente->OnStateChange;
        fuente->OnStateChange = [this, estado](DataSource *s) {
            if (estado)
                estado(s);
            InventarioDalu(this).botonParcelas();
        };
        const auto datos = fuente->OnDataChange;
        fuente->OnDataChange = [this, datos](DataSource *s, Field *campo) {
            if (datos)
                datos(s, campo);
            InventarioDalu(this).botonParcelas();
        };
    }
    if (auto *b = findComponent<QPushButton>(this, QStringLiteral("btnCrearParcela"))) {
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, [this] { InventarioDalu(this).crearParcelas(); });
    }

    // Consecutive trees default to the species of the last one, from plot to plot.
    Dataset *arboles = tabla(QStringLiteral("parcela"));
    if (arboles) {
        auto especie = std::make_shared<QVariant>();
        arboles->BeforeInsert = [especie, antes = arboles->BeforeInsert](Dataset *d) {
            if (antes)
                antes(d);
            // A plot without trees yet keeps the species of the last one entered.
            if (!d->IsEmpty() && !d->FieldByName(QStringLiteral("esp"))->IsNull())
                *especie = d->FieldByName(QStringLiteral("esp"))->Value();
        };
        arboles->AfterInsert = [especie, despues = arboles->AfterInsert](Dataset *d) {
            if (despues)
                despues(d);
            if (!especie->isNull())
                d->FieldByName(QStringLiteral("esp"))->setValue(*especie);
        };
    }
    antesDePost(arboles, [this](Dataset *d) { InventarioDalu(this).arbolSinParcela(d); },
                [this](Dataset *d) { InventarioDalu(this).validarArbol(d); });
    m_reglas.trasPost(arboles, [this](Dataset *d) { InventarioDalu(this).arbolCambiado(d->FieldByName(QStringLiteral("esp"))->Value()); });
    despues(arboles, [this](Dataset *) { InventarioDalu(this).arbolCambiado({}); });

    antesDePost(tabla(QStringLiteral("tab_rod")), [this](Dataset *d) { InventarioDalu(this).tablaRodalAntesDePost(d); },
                [this](Dataset *d) { InventarioDalu(this).validarTablaRodal(d); });
    if (auto *b = findComponent<QPushButton>(this, QStringLiteral("btnCrear")))
        connect(b, &QPushButton::clicked, this, [this] { InventarioDalu(this).crearTablaRodal(); });

    Dataset *det = tabla(QStringLiteral("tab_rod_det"));
    m_reglas.trasPost(det, [this](Dataset *) { InventarioDalu(this).tablaCambiada(); });
    despues(det, [this](Dataset *) { InventarioDalu(this).tablaCambiada(); });
}

void TFormDALU::enlazarCamposInventario()
{
    // Fields exist once their datasets have opened; they are kept across reopening.
    if (Dataset *ci = tabla(QStringLiteral("car_inv"))) {
        for (const char *c : {"lumo_tip_mue", "lumo_form_parc", "lumo_tam_parc"}) {
            if (Field *campo = ci->FindField(QLatin1String(c)))
                campo->OnChange = [this](Field *) { InventarioDalu(this).parametros(); };
        }
    }
    for (const auto &[sufijo, area] : {std::pair{"tab_rod_det", "area"}, std::pair{"est_var", "ab"}}) {
        Dataset *ds = tabla(QLatin1String(sufijo));
        for (int g = 0; ds && g < kGrupos; ++g) {
            if (Field *den = ds->FindField(columna(g, "den")))
                den->OnChange = [destino = columna(g, area)](Field *campo) { InventarioDalu::areaDeDensidad(campo, destino); };
        }
    }
    InventarioDalu(this).botonParcelas();
}
