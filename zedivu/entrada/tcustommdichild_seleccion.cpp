// Edits and grid columns that hold a comma-separated list of items, filled by ticking the
// items in the multi-selection window; and the help window of F1.
#include "tcustommdichild.h"

#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "entrada/consultaseleccionmultiple.h"
#include "entrada/tformmultiseleccion.h"
#include "entrada/tfrmayuda.h"
#include "fallaprogramacion.h"
#include "focoretorno.h"
#include "field.h"
#include "gridcolumn.h"
#include "util_texto.h"

#include <QAction>
#include <QDate>

namespace {

const QChar kComilla = QLatin1Char('"');

} // namespace

void TCustomMDIChild::SeleccionMultiple(DBEdit *edit, TTipoSeleccionMultiple tipo)
{
    const ConsultaLista consulta = ConsultaSeleccionMultiple(tipo, false, QDate::currentDate().year());
    if (consulta.sql.isEmpty())
        return;
    enlazarSeleccion(edit, {consulta, nullptr});
}

void TCustomMDIChild::SeleccionMultiple(DBEdit *edit, Connection *conexion, const QString &sql)
{
    enlazarSeleccion(edit, {{sql, {}}, conexion});
}

void TCustomMDIChild::enlazarSeleccion(DBEdit *edit, const TSeleccionMultiple &seleccion)
{
    if (!edit || edit->actions().isEmpty()) {
        FallaProgramacion(QStringLiteral("El DBEditEh ") + kComilla + (edit ? edit->objectName() : QString()) + kComilla
                              + QStringLiteral(" no tiene un TEditButtonEh creado en design-time"),
                          "util_eedd", 939);
        return;
    }
    const int indice = int(SeleccionesMultiples.size());
    SeleccionesMultiples.append(seleccion);
    edit->setProperty("Tag", indice);
    edit->setControlReadOnly(true);
    QAction *boton = edit->actions().first();
    connect(boton, &QAction::triggered, this, [this, edit, indice] {
        SeleccionMultipleEditClick(indice, edit->field());
        DevolverFoco(edit);
    });
}

void TCustomMDIChild::SeleccionMultiple(DBGrid *grilla, const QString &campo, TTipoSeleccionMultiple tipo)
{
    const ConsultaLista consulta = ConsultaSeleccionMultiple(tipo, true, QDate::currentDate().year());
    if (consulta.sql.isEmpty())
        return;
    enlazarSeleccion(grilla, campo, {consulta, nullptr});
}

void TCustomMDIChild::SeleccionMultiple(DBGrid *grilla, const QString &campo, const QString &sql, Connection *conexion)
{
    enlazarSeleccion(grilla, campo, {{sql, {}}, conexion});
}

void TCustomMDIChild::enlazarSeleccion(DBGrid *grilla, const QString &campo, const TSeleccionMultiple &seleccion)
{
    if (!grilla)
        return;
    const int indice = int(SeleccionesMultiples.size());
    SeleccionesMultiples.append(seleccion);
    for (int i = 0; i < grilla->ColumnCount(); ++i) {
        GridColumn *columna = grilla->Columns(i);
        if (columna->FieldName().compare(campo, Qt::CaseInsensitive) != 0)
            continue;
        columna->setTag(indice);
        columna->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
        columna->OnEditButtonClick = [this](GridColumn *c, bool &handled) {
            handled = SeleccionMultipleEditClick(c->Tag(), c->field());
        };
    }
}

bool TCustomMDIChild::SeleccionMultipleEditClick(int indice, Field *campo)
{
    if (indice < 0 || indice >= SeleccionesMultiples.size() || !campo || !campo->DataSet()) {
        FALLA_PROGRAMACION(QStringLiteral("Selección múltiple sin enlace (") + QString::number(indice) + QLatin1Char(')'));
        return true;
    }
    const TSeleccionMultiple &s = SeleccionesMultiples.at(indice);
    Connection *conexion = s.conexion ? s.conexion : ConexionBDPpal;
    QStringList actuales;
    if (!campo->AsString().trimmed().isEmpty())
        actuales = Explode(campo->AsString(), QStringLiteral(","));
    const std::optional<QStringList> elegidos = MultiSeleccion(conexion, s.consulta.sql, actuales, s.consulta.params, window());
    if (!elegidos)
        return true;
    Dataset *ds = campo->DataSet();
    if (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert && !ds->Edit())
        return true;
    if (elegidos->isEmpty())
        campo->Clear();
    else
        campo->setAsString(Implode(*elegidos, QStringLiteral(", ")));
    return true;
}

void TCustomMDIChild::MostrarAyuda()
{
    TfrmAyuda ayuda(window());
    ayuda.DirAplicacion = DirAplicacion;
    ayuda.Pagina = PaginaAyuda();
    ayuda.exec();
}
