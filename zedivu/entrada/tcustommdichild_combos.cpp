// Coded grid columns and combo boxes filled from the lookup lists of the main database,
// and the free "other" descriptions that the user adds to them.
#include "tcustommdichild.h"

#include "builtform.h"
#include "dbcombobox.h"
#include "dbgrid.h"
#include "entrada/consultaseleccionmultiple.h"
#include "entrada/tformselotro.h"
#include "fallaprogramacion.h"
#include "gridcolumn.h"

#include <QDate>

namespace {

const QChar kComilla = QLatin1Char('"');

void reunirGrillas(const QList<ControlDescription> &controles, QList<const ControlDescription *> &grillas)
{
    for (const ControlDescription &c : controles) {
        if (c.kind == ControlDescription::Kind::Grid)
            grillas << &c;
        reunirGrillas(c.children, grillas);
    }
}

} // namespace

bool TCustomMDIChild::InstalarListas(const BuiltForm &formulario)
{
    QList<const ControlDescription *> grillas;
    for (const PageDescription &p : formulario.description().pages)
        reunirGrillas(p.controls, grillas);
    bool ok = true;
    for (const ControlDescription *g : std::as_const(grillas)) {
        DBGrid *grilla = nullptr;
        for (const GridColumnDescription &c : g->grid.columns) {
            if (c.list.isEmpty())
                continue;
            if (!grilla)
                grilla = findChild<DBGrid *>(g->name);
            TTipoComboExterno combo;
            TTipoSeleccionMultiple seleccion;
            if (!grilla) {
                FALLA_PROGRAMACION(QStringLiteral("Grilla ") + kComilla + g->name + kComilla + QStringLiteral(" no encontrada"));
                ok = false;
                break;
            } else if (TipoComboPorNombre(c.list, combo)) {
                ok = ComboExterno(grilla, c.field, combo) && ok;
            } else if (TipoSeleccionMultiplePorNombre(c.list, seleccion)) {
                SeleccionMultiple(grilla, c.field, seleccion);
            } else {
                FALLA_PROGRAMACION(QStringLiteral("Lista ") + kComilla + c.list + kComilla + QStringLiteral(" desconocida (columna ")
                                   + kComilla + c.field + kComilla + QStringLiteral(" de ") + kComilla + g->name + kComilla
                                   + QLatin1Char(')'));
                ok = false;
            }
        }
    }
    return ok;
}

bool TCustomMDIChild::ComboExterno(DBGrid *grilla, const QString &campo, TTipoComboExterno tipo)
{
    GridColumn *columna = grilla ? grilla->ColumnByFieldName(campo) : nullptr;
    const QString nombreGrilla = grilla ? grilla->objectName() : QString();
    if (!columna) {
        FallaProgramacion(QStringLiteral("Campo ") + kComilla + campo + kComilla + QStringLiteral(" no pudo ser encontrado en grilla ")
                              + kComilla + nombreGrilla + kComilla + QStringLiteral(" para despliegue como combo"),
                          "util_eedd", 789);
        return false;
    }
    const QString bd = DirAplicacion + QStringLiteral("bbdd/bd.db");
    const ConsultaLista consulta = ConsultaTipoCombo(tipo, QDate::currentDate().year());
    const QList<QStringList> filas = Consulta3(bd, consulta.sql, consulta.params);
    columna->setKeyList({});
    columna->setPickList({});
    if (filas.isEmpty()) {
        FallaProgramacion(QStringLiteral("Combo de ") + kComilla + nombreGrilla + kComilla + QStringLiteral(" en columna ") + kComilla
                              + campo + kComilla + QStringLiteral(" no puede ser llenado (consulta de llenado no entrega valores)"),
                          "util_eedd", 798);
        return false;
    }
    QStringList claves, textos;
    bool conOtro = false;
    for (const QStringList &fila : filas) {
        claves << fila.value(0);
        textos << fila.value(1);
        if (EsEntradaOtro(fila.value(1))) {
            conOtro = true;
            columna->OnUpdateData = [this](GridColumn *c, QString &t, QVariant &v, bool &h) { ColEventoOnUpdateData(c, t, v, h); };
            columna->setMinWidth(-fila.value(0).toInt());
        }
    }
    if (conOtro) {
        const QString nombre = NombreTipoCombo(tipo);
        for (const QStringList &fila :
             Consulta3(bd, QStringLiteral("SELECT otr_codigo, otr_descripcion FROM otros WHERE otr_tce = ? ORDER BY otr_codigo DESC"),
                       {nombre})) {
            claves << fila.value(0);
            textos << fila.value(1);
        }
        // A list filled again (after an insert, say) keeps one entry per column.
        const int i = ColumnasOtro.indexOf(columna);
        if (i >= 0) {
            TiposOtro[i] = nombre;
        } else {
            ColumnasOtro << columna;
            TiposOtro << nombre;
        }
    }
    columna->setKeyList(claves);
    columna->setPickList(textos);
    columna->setAutoDropDown(true);
    return true;
}

bool TCustomMDIChild::ComboExterno(DBComboBox *combo, TTipoComboExterno tipo)
{
    const ConsultaLista consulta = ConsultaTipoCombo(tipo, QDate::currentDate().year());
    const QList<QStringList> filas = Consulta3(DirAplicacion + QStringLiteral("bbdd/bd.db"), consulta.sql, consulta.params);
    if (!combo || filas.isEmpty()) {
        FallaProgramacion(QStringLiteral("Combo de ") + kComilla + (combo ? combo->objectName() : QString()) + kComilla
                              + QStringLiteral(" no puede ser llenado (consulta de llenado no entrega valores)"),
                          "util_eedd", 843);
        return false;
    }
    QStringList claves, textos;
    for (const QStringList &fila : filas) {
        claves << fila.value(0);
        textos << fila.value(1);
    }
    combo->setItems(textos, claves);
    return true;
}

QStringList TCustomMDIChild::SeleccionOtro(GridColumn *columna, const QString &tipo)
{
    QStringList claves = columna->KeyList();
    QStringList textos = columna->PickList();
    const QStringList r = LevantaFormOtro(claves, textos, tipo, DirAplicacion, window());
    if (!r.isEmpty()) {
        columna->setKeyList(claves);
        columna->setPickList(textos);
    }
    return r;
}

void TCustomMDIChild::ColEventoOnUpdateData(GridColumn *columna, QString &texto, QVariant &valor, bool &handled)
{
    const int i = ColumnasOtro.indexOf(columna);
    if (i < 0 || !EsEntradaOtro(texto))
        return;
    const QString tipo = TiposOtro.value(i);
    const QStringList otro = SeleccionOtro(columna, tipo);
    if (otro.size() < 2) {
        // Cancelled: "OTRO" without its description is no value to keep.
        handled = true;
        return;
    }
    texto = otro.at(0);
    valor = otro.at(1);
    const QString bd = DirAplicacion + QStringLiteral("bbdd/bd.db");
    const QString existente =
        Consulta(bd, QStringLiteral("SELECT otr_codigo FROM otros WHERE otr_descripcion=? AND otr_tce = ?"), {texto, tipo});
    if (!existente.isEmpty() && existente != QLatin1String("0")) {
        // The description was filed before: its code, and one list entry for it.
        valor = existente;
        QStringList claves = columna->KeyList();
        QStringList textos = columna->PickList();
        claves.removeLast();
        textos.removeLast();
        if (!claves.contains(existente)) {
            claves << existente;
            textos << texto;
        }
        columna->setKeyList(claves);
        columna->setPickList(textos);
        return;
    }
    Operacion(bd, QStringLiteral("INSERT INTO otros (otr_codigo, otr_descripcion, otr_tce) VALUES (?, ?, ?)"),
              {valor.toLongLong(), texto, tipo});
    const SqlError error = UltimoErrorBBDD();
    if (error.isValid()) {
        DialogoError(QStringLiteral("No se pudo guardar la opción \"") + texto + QStringLiteral("\": ") + error.text());
        handled = true;
    }
}
