// The printed blocks of the property section and the cover letter for the border authority.
#include "seccionpredio.h"

#include "dataset.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "field.h"
#include "componentesformulario.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "tcustommdichild.h"

namespace {

void tablaTitulada(TImpresion *imp, const QString &titulo, DBGrid *grilla)
{
    if (!grilla || !grilla->DataSet() || grilla->DataSet()->IsEmpty())
        return;
    imp->Texto(titulo, taIzquierda);
    imp->CrLf();
    imp->Tabla(grilla);
    imp->CrLf();
    imp->Seccion();
}

} // namespace

void SeccionPredio::imprimirPersonas(TImpresion *imp, const QString &parte)
{
    Dataset *ds = tabla(parte);
    DBGrid *naturales = m_formulario->findChild<DBGrid *>(m_config.grilla(parte) + QStringLiteral("_nat"));
    DBGrid *juridicas = m_formulario->findChild<DBGrid *>(m_config.grilla(parte) + QStringLiteral("_jur"));
    // The first row decides, wherever an export or a click left the cursor.
    bool natural = true;
    if (ds && !ds->IsEmpty() && ds->FindField(QStringLiteral("rut"))) {
        componentes::CursoresGuardados cursores;
        cursores(ds)->First();
        natural = personaNatural(ds->FieldByName(QStringLiteral("rut"))->AsInteger());
    }
    DBGrid *grilla = natural ? naturales : juridicas;
    if (!grilla)
        grilla = this->grilla(parte);
    if (!grilla)
        return;
    imp->Tabla(grilla);
    imp->CrLf();
    imp->Seccion();
}

void SeccionPredio::imprimirTabla(TImpresion *imp, const QString &titulo, const QString &parte)
{
    tablaTitulada(imp, titulo, grilla(parte));
}

QString SeccionPredio::lineaProductor() const
{
    Dataset *rep = tabla(QStringLiteral("rep"));
    const auto valor = [rep](const char *nombre) {
        const Field *f = rep && !rep->IsEmpty() ? rep->FindField(QLatin1String(nombre)) : nullptr;
        return f && !f->IsNull() ? f->AsString() : QString();
    };
    return QStringLiteral("1. YO ") + valor("nom") + QLatin1Char(' ') + valor("pat") + QLatin1Char(' ') + valor("mat")
        + QStringLiteral("   RUT ") + valor("rut") + QStringLiteral(" - ") + valor("dv");
}

void SeccionPredio::imprimirPredio(TImpresion *imp)
{
    imp->Campo(QStringLiteral("Nombre:"), campo(m_config.campoNombre), lpLeft);
    imp->Cr();
    imp->CrLf();
    imprimirLugar(imp);
    imp->Seccion();
    const struct
    {
        const QString &nombre;
        const char *etiqueta;
    } superficies[] = {{m_config.campoSuperficie, "Superficie total del predio (há):"},
                       {m_config.campoSuperficieTitulo, "Superficie según título de dominio (há):"},
                       {m_config.campoSuperficieSii, "Superficie según Servicio de Impuestos Internos (há):"}};
    for (const auto &s : superficies) {
        if (Field *f = campo(s.nombre)) {
            imp->Campo(QString::fromUtf8(s.etiqueta), f, lpLeft);
            imp->Cr();
            imp->CrLf4();
        }
    }
    if (Field *via = campo(m_config.campoUbicacion)) {
        imp->Campo(QStringLiteral("Vías de Acceso:"), via, lpAbove);
        imp->Cr();
        imp->CrLf();
    }
    imp->Seccion();
    tablaTitulada(imp, QStringLiteral("Roles de Avalúo Nº:"), grilla(QStringLiteral("rol")));
    if (m_config.rolesContiguos)
        tablaTitulada(imp, QStringLiteral("Roles de Avalúo contiguos al Predio:"), grilla(QStringLiteral("rol_con")));
    tablaTitulada(imp, QStringLiteral("Inscripciones en fojas del Conservador de Bienes Raíces:"), grilla(QStringLiteral("con")));
    tablaTitulada(imp, QStringLiteral("Inscripciones en certificados del Ministerio de Bienes Nacionales:"),
          grilla(QStringLiteral("cer")));
    if (m_config.coordenadas)
        tablaTitulada(imp, QStringLiteral("Coordenadas UTM:"), grilla(QStringLiteral("coo")));
}

void SeccionPredio::imprimirLugar(TImpresion *imp)
{
    const double y = imp->PosY;
    double alto = 0;
    for (const auto &[etiqueta, nombre] : {std::pair{"Comuna:", m_config.campoComuna}, std::pair{"Provincia:", m_config.campoProvincia},
                                         std::pair{"Región:", m_config.campoRegion}}) {
        alto = std::max(alto, imp->Campo(QString::fromUtf8(etiqueta), combo(nombre), lpLeft).Alto);
        imp->DeltaY(y - imp->PosY);
        imp->DeltaX(5);
    }
    imp->DeltaY(alto);
    imp->Cr();
    imp->CrLf();
}

void SeccionPredio::componerDifrol(TImpresion *imp)
{
    auto linea = [imp](const QString &texto) {
        if (texto.isEmpty())
            imp->CrLf();
        else
            imp->Texto(texto, taIzquierda);
        imp->Cr();
    };
    imp->IniDocumento();
    OpcionesEncabezado encabezado;
    encabezado.version = false;
    ImprimirEncabezado(imp, m_formulario->DirAplicacion, m_formulario->Codigo, encabezado);

    imprimirRecepcion(imp);

    for (const char *l : {"Señores", "Okran", "Presente", "", "", "De mi consideración,", ""})
        linea(QString::fromUtf8(l));
    linea(QStringLiteral("En conformidad a los establecido en el Artículo Nº 23 de la Ley º 19.561, de 1998, solicito a Ud. "
                         "Tramitar la"));
    linea(QStringLiteral("autorización  ante la  Dirección  de  Fronteras y Límites del Estado, de la solicitud de  "
                         "aprobación de plan  de"));
    linea(QStringLiteral("Manejo que se adjunta."));
    imp->CrLf();
    imp->Seccion();

    imp->Titulo(QStringLiteral("Datos del Predio"));
    imp->Cr();
    imp->CrLf();
    auto texto = [this](const QString &nombreCampo) {
        if (DBLookupComboBox *c = combo(nombreCampo))
            return c->currentText();
        return QString();
    };
    Field *nombre = campo(m_config.campoNombre);
    linea(QStringLiteral("Nombre   :") + (nombre ? nombre->AsString() : QString()));
    linea(QStringLiteral("Comuna   :") + texto(m_config.campoComuna));
    linea(QStringLiteral("Provincia:") + texto(m_config.campoProvincia));
    linea(QStringLiteral("Región   :") + texto(m_config.campoRegion));
    imp->Seccion();
    tablaTitulada(imp, QStringLiteral("Roles de Avalúo Nº:"), grilla(QStringLiteral("rol")));
    linea(QStringLiteral("Propietarios:"));
    if (DBGrid *g = grilla(QStringLiteral("pro")))
        imp->Tabla(g);
    imp->Cr();
    for (int i = 0; i < 3; ++i)
        imp->CrLf();
    imp->Seccion();
    m_formulario->prtFirma(imp, m_formulario->Codigo, m_formulario->DatasetPpal);
    imp->Seccion();
    imp->FinDocumento();
}

void SeccionPredio::imprimirRecepcion(TImpresion *imp, CajaRecepcion caja)
{
    ImprimirRecepcion(imp, caja);
}
