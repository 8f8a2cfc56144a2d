// The printed head and the agency's number box in the variants the request forms print:
// "Form. X" with or without the version, with or without the two line feeds, and boxes
// by text, width, height and distance from the right margin, with or without
// "(Uso Okran)".
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "tpgpreview.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct Hoja
{
    Hoja()
    {
        vista.SetPaperSize(TPgPaperSize::Legal);
        imp.setRegistro(&registro);
        imp.IniDocumento();
    }
    void mirar(const QString &nombre)
    {
        vista.resize(900, 500);
        vista.show();
        vista.SetZoom(100);
        vista.SetCurrentPage(1);
        const QString dir = QStringLiteral(BRENVIK_BIN_DIR "/../screenshots");
        QDir().mkpath(dir);
        vista.grab().save(dir + QStringLiteral("/cabecera_") + nombre + QStringLiteral(".png"));
    }
    TPgPreview vista;
    TRegistroImpresion registro;
    TImpresion imp{&vista};
};

} // namespace

TEST(CabeceraSolicitud, TheMarkCarriesTheVersionAndTheFeedsAsAsked)
{
    double cuerpo[2] = {};
    for (const bool saltos : {true, false}) {
        Hoja h;
        OpcionesEncabezado o;
        o.version = saltos;
        o.saltos = saltos;
        ImprimirEncabezado(&h.imp, QDir::tempPath() + QLatin1Char('/'), QStringLiteral("yolva"), o);
        h.imp.Texto(QStringLiteral("CUERPO"), taIzquierda);
        h.imp.FinDocumento();
        EXPECT_EQ(h.registro.Buscar(QStringLiteral("Form. YOLVA (v.2.5)")) != nullptr, saltos);
        EXPECT_EQ(h.registro.Buscar(QStringLiteral("Form. YOLVA")) != nullptr, !saltos);
        ASSERT_NE(h.registro.Buscar(QStringLiteral("CUERPO")), nullptr);
        cuerpo[saltos] = h.registro.Buscar(QStringLiteral("CUERPO"))->y;
        h.mirar(saltos ? QStringLiteral("version") : QStringLiteral("sin_version"));
    }
    EXPECT_GT(cuerpo[1], cuerpo[0]); // the two feeds push the body down
}

TEST(CabeceraSolicitud, ANumberBoxStandsWhereItsMeasuresSay)
{
    const struct
    {
        const char *nombre;
        CajaNumero caja;
    } casos[] = {
        {"solicitud", {QStringLiteral("Nº:       _________________\n\nFecha:  _________________"), 55, 0, 63, true}},
        {"guia", {QStringLiteral("Nº Solicitud        _________________\nFecha               _________________"), 130, 0, 130, false}},
        {"marcaje", {QStringLiteral("Nº       ____________________________\nFecha   _____________________________"), 100, 30, 63, false}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nombre);
        Hoja h;
        ImprimirEncabezado(&h.imp, QDir::tempPath() + QLatin1Char('/'), QStringLiteral("trozel"));
        h.imp.Texto(QStringLiteral("REF"), taIzquierda); // at the left margin
        h.imp.Cr();
        h.imp.CrLf();
        ImprimirCajaNumero(&h.imp, c.caja);
        h.imp.Texto(QStringLiteral("TITULO"), taIzquierda);
        h.imp.FinDocumento();
        const TPasoImpresion *caja = h.registro.Buscar(c.caja.texto);
        ASSERT_NE(caja, nullptr);
        EXPECT_NEAR(caja->x, h.registro.Buscar(QStringLiteral("REF"))->x + h.imp.AnchoUtil - c.caja.desdeDerecha, 0.01);
        // The text keeps 1 mm from the box's edges on every side.
        EXPECT_NEAR(caja->ancho, c.caja.ancho + 2, 0.01);
        if (c.caja.alto > 0)
            EXPECT_NEAR(caja->alto, c.caja.alto + 2, 0.01);
        const TPasoImpresion *uso = h.registro.Buscar(QStringLiteral("(Uso Okran)"));
        EXPECT_EQ(uso != nullptr, c.caja.usoOkran);
        if (uso)
            EXPECT_NEAR(uso->x, caja->x, 0.01);
        // What follows starts below the box.
        EXPECT_GE(h.registro.Buscar(QStringLiteral("TITULO"))->y, caja->y + caja->alto);
        h.mirar(QLatin1String(c.nombre));
    }
}
