#include "impresion/impresionnorma.h"

#include "impresion/declaracionnorma.h"
#include "impresion/timpresion.h"
#include "tcustommdichild.h"

#include <QFile>

QString TextoNorma(const QString &codigo)
{
    QFile f(QStringLiteral(":/normas/") + codigo.toUpper() + QStringLiteral(".txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

ImpresionNorma::ImpresionNorma(TCustomMDIChild *form, TImpresion *imp)
    : ImpresionFormulario(form, imp)
{
    // Section I as a native-forest plan prints it.
    entreLugares = 5;
    entreSuperficies = 0;
    // The norm's paragraphs print apart, its groups further apart.
    espaciadoTexto.entreLineas = 2;
    espaciadoTexto.entreSecciones = 2;
}

void ImpresionNorma::cabeza(const QString &titulo)
{
    ImprimirEncabezado(imp(), form()->DirAplicacion, componentes::codigoDe(form()));
    portada(titulo, CajaRecepcion::Fija);
    antecedentesGenerales();
}

void ImpresionNorma::norma(const QString &codigo)
{
    textoFijo(TextoNorma(codigo));
    ImprimirDeclaracionJuradaNorma(imp());
}
