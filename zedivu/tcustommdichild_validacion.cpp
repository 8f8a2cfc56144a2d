// The declarative field checks of the form windows.
#include "tcustommdichild.h"

#include "abort.h"
#include "builtform.h"
#include "dataawarecontrol.h"
#include "dataset.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "gridcolumn.h"
#include "mainwindowhooks.h"
#include "util_bbdd.h"
#include "validacion.h"

#include <QApplication>
#include <QDate>
#include <QTabWidget>

namespace {

const QChar kComilla = QLatin1Char('"');

// False (reported) when the field cannot be checked: null, or its dataset closed.
bool campoValidable(const Field *campo, int lineaNulo, int lineaCerrado)
{
    if (!campo) {
        FallaProgramacion(QStringLiteral("Se ha pasado un campo para validar que vale nil"), "util_eedd", lineaNulo);
        return false;
    }
    if (!campo->DataSet() || !campo->DataSet()->Active()) {
        const QString ds = campo->DataSet() ? campo->DataSet()->objectName() : QString();
        FallaProgramacion(QStringLiteral("El dataset ") + kComilla + ds + kComilla + QStringLiteral(" correspondiente al campo ")
                              + kComilla + campo->FieldName() + kComilla + QStringLiteral(" está cerrado"),
                          "util_eedd", lineaCerrado);
        return false;
    }
    return true;
}

} // namespace

QWidget *TCustomMDIChild::controlDeCampo(const Field *campo) const
{
    const QList<QWidget *> hijos = findChildren<QWidget *>();
    for (QWidget *w : hijos) {
        bool muestra = false;
        if (qobject_cast<DBEdit *>(w) || qobject_cast<DBMemo *>(w) || qobject_cast<DBLookupComboBox *>(w)) {
            auto *control = dynamic_cast<DataAwareControl *>(w);
            muestra = control && control->field() == campo;
        } else if (auto *grilla = qobject_cast<DBGrid *>(w)) {
            muestra = grilla->DataSet() == campo->DataSet();
        }
        // A grid takes the focus through its view (its focus proxy); a control the form
        // hides cannot take it at all.
        const QWidget *foco = w->focusProxy() ? w->focusProxy() : w;
        if (muestra && w->isEnabled() && !w->isHidden() && foco->focusPolicy() != Qt::NoFocus)
            return w;
    }
    return nullptr;
}

void TCustomMDIChild::mostrarControl(QWidget *control)
{
    if (Paginas) {
        for (QWidget *w = control; w && w != this; w = w->parentWidget()) {
            const int hoja = Paginas->indexOf(w);
            if (hoja >= 0) {
                CambiarHoja(hoja);
                break;
            }
        }
    }
    QWidget *marco = window();
    marco->raise();
    raise();
}

void TCustomMDIChild::Validar(Field *campo, TTipoValidaciones tipos)
{
    if (Guardando || !campoValidable(campo, 1911, 1912))
        return;
    QString falla;
    const QString mensaje = ComprobarCampo(campo, tipos, QDate::currentDate().year(), ConexionBD, &falla);
    if (!falla.isEmpty()) {
        FallaProgramacion(falla, "util_eedd", 1925);
        return;
    }
    if (mensaje.isEmpty())
        return;
    DialogoError(MensajeCampo(campo, mensaje));
    if (QWidget *control = controlDeCampo(campo)) {
        mostrarControl(control);
        control->setFocus();
        if (auto *grilla = qobject_cast<DBGrid *>(control)) {
            if (GridColumn *columna = grilla->ColumnByFieldName(campo->FieldName()))
                grilla->setSelectedIndex(grilla->indexOf(columna));
        }
    }
    MainWindowHooks::notifyFormActivated(this);
    QApplication::processEvents();
    Abort();
}

void TCustomMDIChild::Validar(Field *campo, TTipoValidaciones tipos, long double limite)
{
    if (Guardando || !campoValidable(campo, 2004, 2005))
        return;
    const QString mensaje = ComprobarLimite(campo, tipos, double(limite));
    if (mensaje.isEmpty())
        return;
    DialogoError(MensajeCampo(campo, mensaje));
    Abort();
}

void TCustomMDIChild::ValidarRUT(Dataset *, Field *campoRut, Field *campoDv)
{
    if (!campoRut || !campoDv) {
        FALLA_PROGRAMACION(QStringLiteral("Se ha pasado un campo para validar que vale nil"));
        return;
    }
    const QChar dv = DigitoVerificador(campoRut->AsString().trimmed());
    if (QString(dv) == campoDv->AsString().trimmed())
        return;
    DialogoError(QStringLiteral("El dígito verificador no concuerda con el RUT ingresado"));
    Abort();
}

void TCustomMDIChild::ValidarTablaNoVacia(DBGrid *grilla, const QString &nombre)
{
    if (Guardando || !grilla)
        return;
    Dataset *ds = grilla->DataSet();
    if (ds && ds->RecordCount() > 0)
        return;
    DialogoError(QStringLiteral("No se ha introducido ninguna fila en la tabla ") + kComilla + nombre + kComilla
                 + QStringLiteral(".\nEsta tabla no puede quedar vacía"));
    mostrarControl(grilla);
    QApplication::processEvents();
    grilla->setFocus();
    Abort();
}

void TCustomMDIChild::InstalarValidaciones(const BuiltForm &formulario)
{
    for (const ValidationDescription &v : formulario.description().validations) {
        DataSource *fuente = formulario.dataSource(v.table);
        Dataset *ds = fuente ? fuente->DataSet() : nullptr;
        if (!ds) {
            FALLA_PROGRAMACION(QStringLiteral("validate: tabla ") + kComilla + v.table + kComilla + QStringLiteral(" no encontrada"));
            continue;
        }
        struct Comprobacion
        {
            QString campo;
            TTipoValidaciones tipos;
            std::optional<double> limite;
        };
        QList<Comprobacion> lista;
        for (const ValidationDescription::Entry &e : v.entries) {
            Comprobacion c{e.field, {}, e.limit};
            for (const QString &nombre : e.flags) {
                TTipoValidacion t;
                if (TipoValidacionPorNombre(nombre, t))
                    c.tipos.insert(t);
            }
            lista << c;
        }
        ds->BeforePost = [this, lista](Dataset *d) {
            for (const Comprobacion &c : lista) {
                Field *campo = d->FindField(c.campo);
                Validar(campo, c.tipos);
                if (c.limite)
                    Validar(campo, c.tipos, *c.limite);
            }
        };
    }
}
