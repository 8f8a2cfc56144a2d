// The form window's printing: print and preview of the printout and of the cover letter,
// the signature blocks, and the printer's paper.
#include "tcustommdichild.h"

#include "dataset.h"
#include "dialogservice.h"
#include "impresion/impresorapredeterminada.h"
#include "impresion/timpresion.h"
#include "impresion/tformvistapreliminar.h"
#include "impresion/tpapelimpresora.h"
#include "tpgpreview.h"
#include "util_bbdd.h"
#include "util_texto.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

#include <memory>

namespace {

const QString kLineaFirma = QStringLiteral("Firma:  __________________________");

// The printer quality level of a resolution (dots per inch).
TPgPrintQuality calidadDe(int dpi)
{
    if (dpi >= 600)
        return gmHigh;
    if (dpi >= 300)
        return gmMedium;
    if (dpi >= 150)
        return gmLow;
    return gmDraft;
}

// Table names are built from form codes; anything but letters and digits is refused.
bool codigoValido(const QString &codigo)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9]+$"));
    return re.match(codigo).hasMatch();
}

// "nom pat mat", rut, dv of the signing rows of a table, NULL parts as empty.
QString selectFirmantes(const QString &tabla)
{
    return QStringLiteral("SELECT ifnull(nom,'') || ' ' || ifnull(pat,'') || ' ' || ifnull(mat,''), rut, dv FROM %1 "
                          "WHERE firm=1")
        .arg(tabla);
}

void lineas(TImpresion *imp, int n)
{
    for (int i = 0; i < n; ++i)
        imp->CrLf();
}

void renglon(TImpresion *imp, const QString &texto)
{
    imp->Texto(texto, taIzquierda);
    imp->Cr();
}

// What a print or preview command composes on.
enum class Contenido { Formulario, Carta };

} // namespace

TPapelImpresora TCustomMDIChild::getPapelImpresora()
{
    const QPrinter *p = ImpresoraPredeterminada();
    TPapelImpresora papel;
    const QPageSize tamano = p->pageLayout().pageSize();
    switch (tamano.id()) {
    case QPageSize::Letter: papel.Nombre = QStringLiteral("Letter"); break;
    case QPageSize::Legal: papel.Nombre = QStringLiteral("Legal"); break;
    case QPageSize::A4: papel.Nombre = QStringLiteral("A4"); break;
    case QPageSize::A3: papel.Nombre = QStringLiteral("A3"); break;
    default: {
        papel.Nombre = QStringLiteral("Custom");
        const QSizeF mm = tamano.size(QPageSize::Millimeter);
        if (mm.width() > 0 && mm.height() > 0) {
            papel.Largo = mm.height();
            papel.Ancho = mm.width();
        }
        break;
    }
    }
    papel.Calidad = calidadDe(p->resolution());
    papel.Copias = std::max(1, p->copyCount());
    papel.Color = p->colorMode() == QPrinter::Color;
    return papel;
}

void TCustomMDIChild::setPapelImpresora(const QString &nombre, double largo, double ancho)
{
    QPrinter *p = ImpresoraPredeterminada();
    if (nombre == QLatin1String("Letter"))
        p->setPageSize(QPageSize(QPageSize::Letter));
    else if (nombre == QLatin1String("Legal"))
        p->setPageSize(QPageSize(QPageSize::Legal));
    else if (nombre == QLatin1String("A4"))
        p->setPageSize(QPageSize(QPageSize::A4));
    else if (nombre == QLatin1String("A3"))
        p->setPageSize(QPageSize(QPageSize::A3));
    else if (largo > 0 && ancho > 0)
        p->setPageSize(QPageSize(QSizeF(ancho, largo), QPageSize::Millimeter));
}

namespace {

// The preview window of a print or preview command, on the printer's paper, with the
// footer, ready for the form to compose.
std::unique_ptr<TformVistaPreliminar> crearVista(TCustomMDIChild *form, bool imprimir, Contenido contenido)
{
    const TPapelImpresora papel = TCustomMDIChild::getPapelImpresora();
    auto vista = std::make_unique<TformVistaPreliminar>(form, form->DialogoImpresion);
    TCustomMDIChild::setPapelImpresora(papel.Nombre, papel.Largo, papel.Ancho);
    TPgPreview *hojas = vista->gmpHojas;
    if (papel.Nombre == QLatin1String("Custom") && papel.Largo > 0 && papel.Ancho > 0)
        hojas->SetPageSize(papel.Largo, papel.Ancho, gmMillimeters);
    else if (papel.Nombre == QLatin1String("A3"))
        hojas->SetPaperSize(TPgPaperSize::A3);
    else if (papel.Nombre == QLatin1String("A4"))
        hojas->SetPaperSize(TPgPaperSize::A4);
    else if (papel.Nombre == QLatin1String("Letter"))
        hojas->SetPaperSize(TPgPaperSize::Letter);
    else
        hojas->SetPaperSize(TPgPaperSize::Legal);
    if (imprimir && contenido == Contenido::Formulario) {
        hojas->SetPrintCopies(papel.Copias);
        hojas->PgPrinter().SetPrintQuality(papel.Calidad);
        hojas->PgPrinter().SetPrintColor(papel.Color ? gmColor : gmMonochrome);
    }
    TImpresion *imp = vista->Impresion;
    imp->AnchoUtil = hojas->GetPageWidth().GetAsMm() - MARGEN_IZQ - MARGEN_DER;
    imp->AltoUtil = hojas->GetPageHeight().GetAsMm() - MARGEN_SUP - MARGEN_INF - RESERVA_PIE;
    QString izquierda;
    if (contenido == Contenido::Formulario)
        izquierda = QStringLiteral("Código de Verificación: ")
            + (form->HashXML.isEmpty() ? QStringLiteral("00000") : form->HashXML.left(5));
    hojas->Footer().CaptionLeft().SetCaption(izquierda);
    hojas->Footer().CaptionRight().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    hojas->SetTitle(form->NombreImpresion());
    hojas->Canvas().GetPen().Width = 1;
    return vista;
}

// Composes the printout and tells the user what the layout could not place (a missing logo).
void componer(TCustomMDIChild *form, TformVistaPreliminar *vista, Contenido contenido)
{
    if (contenido == Contenido::Formulario)
        form->ComponerImpresion(vista->Impresion);
    else
        form->ComponerDifrol(vista->Impresion);
    const QStringList avisos = vista->Impresion->Avisos();
    if (!avisos.isEmpty())
        form->Dialogo(mtWarning, avisos.join(QLatin1Char('\n')) + QLatin1Char('.'), MB::OK);
}

bool imprimir(TCustomMDIChild *form, Contenido contenido, QString *error)
{
    std::unique_ptr<TformVistaPreliminar> vista = crearVista(form, true, contenido);
    componer(form, vista.get(), contenido);
    const bool impreso = vista->gmpHojas->Print();
    if (!impreso && error) {
        const TPgPrinter &p = vista->gmpHojas->PgPrinter();
        *error = p.Cancelled() ? QString() : p.LastError();
    }
    return impreso;
}

void previsualizar(TCustomMDIChild *form, Contenido contenido)
{
    std::unique_ptr<TformVistaPreliminar> vista = crearVista(form, false, contenido);
    componer(form, vista.get(), contenido);
    vista->FormShow();
    vista->exec();
}

} // namespace

QString TCustomMDIChild::NombreImpresion() const
{
    if (ArchivoDocumento.isEmpty())
        return QStringLiteral("Formulario ") + Codigo;
    return QFileInfo(ArchivoDocumento).completeBaseName();
}

bool TCustomMDIChild::Imprimir(QString *error)
{
    return imprimir(this, Contenido::Formulario, error);
}

void TCustomMDIChild::Previsualizar()
{
    previsualizar(this, Contenido::Formulario);
}

bool TCustomMDIChild::ImprimirDifrol(QString *error)
{
    return imprimir(this, Contenido::Carta, error);
}

void TCustomMDIChild::PrevisualizarDifrol()
{
    previsualizar(this, Contenido::Carta);
}

void TCustomMDIChild::prtFirma(TImpresion *imp, const QString &codigoDado, Dataset *ds)
{
    const QString codigo = codigoDado.toLower();
    if (!imp || !ds || !codigoValido(codigo))
        return;
    Connection *conexion = ds->connection();
    const QString pro = codigo + QStringLiteral("_pro");
    const QString rep = codigo + QStringLiteral("_rep");
    struct Firmante
    {
        QStringList fila;
        QString sufijo;
    };
    QList<Firmante> firmantes;
    for (const QStringList &f : Consulta3(conexion, selectFirmantes(pro)))
        firmantes.append({f, QString()});
    const QString sufijoRep = codigo == QLatin1String("marpo") ? QStringLiteral(" (RL.)") : QString();
    for (const QStringList &f : Consulta3(conexion, selectFirmantes(rep) + QStringLiteral(
                                                        " and rut not in (select rut from %1 where firm=1)").arg(pro)))
        firmantes.append({f, sufijoRep});
    if (codigo == QLatin1String("ferun")) {
        const QString sql = selectFirmantes(codigo + QStringLiteral("_ces"))
            + QStringLiteral(" and rut not in (select rut from %1 where firm=1) and rut not in (select rut from %2 "
                             "where firm=1)")
                  .arg(pro, rep);
        for (const QStringList &f : Consulta3(conexion, sql))
            firmantes.append({f, QStringLiteral(" (Cesionario(a)/Beneficiario(a))")});
    }
    for (const Firmante &f : firmantes) {
        if (f.fila.size() < 3)
            continue;
        imp->Seccion();
        lineas(imp, 2);
        renglon(imp, kLineaFirma);
        renglon(imp, f.fila.at(0).simplified() + f.sufijo);
        renglon(imp, QStringLiteral("RUT:") + f.fila.at(1) + QLatin1Char('-') + f.fila.at(2));
    }
}

void TCustomMDIChild::prtUltimaSeccion(TImpresion *imp, int consultorId, Dataset *ds, const QString &codigoDado)
{
    if (!imp)
        return;
    const QString codigo = codigoDado.toLower();
    static const QStringList propios = {QStringLiteral("bexa"), QStringLiteral("yolva"), QStringLiteral("fenra"),
                                        QStringLiteral("trozel"), QStringLiteral("marpo")};
    lineas(imp, 5);
    // A plan whose request form is missing still closes with its author: the request's
    // signatories, city and date are then blank.
    Dataset *firmas = propios.contains(codigo) ? ds : BuscarFormulario(codigo) ? BuscarDataset(codigo, QString()) : nullptr;
    prtFirma(imp, codigo, firmas);
    lineas(imp, 4);

    const QString bd = DirAplicacion + QStringLiteral("bbdd/bd.db");
    const QList<QStringList> consultor = Consulta3(
        bd,
        QStringLiteral("SELECT ifnull(cons_paterno,'') || ' ' || ifnull(cons_materno,'') || ', ' || ifnull(cons_nombre,''), "
                       "cons_profesion, cons_rut, cons_dv FROM consultor WHERE cons_id=?"),
        {consultorId});
    const QStringList c = consultor.value(0);
    if (c.size() >= 4 && c.at(1) != QLatin1String("4")) {
        imp->Seccion();
        renglon(imp, kLineaFirma);
        imp->DeltaY(1);
        renglon(imp, QStringLiteral("Nombre del (de la) autor(a) del estudio técnico: ") + c.at(0));
        renglon(imp, QStringLiteral("Profesión: ") + getNombreProfesionConsultor(c.at(1)));
        imp->DeltaY(1);
        renglon(imp, QStringLiteral("RUT: ") + c.at(2) + QLatin1Char('-') + c.at(3));
        imp->CrLf2();
    }
    renglon(imp, QStringLiteral("Ciudad y Fecha: ") + ValorRS(firmas, QStringLiteral("ciu")) + QStringLiteral(", ")
                     + ValorRS(firmas, QStringLiteral("fec")));
}
