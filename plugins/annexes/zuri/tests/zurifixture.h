#pragma once
// A document with the request form FERUN and its ZURI accreditation, as the shell opens
// one, the plug-ins loaded from their shared objects.
#include "documentofixture.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "filasprueba.h"
#include "planprueba.h"

class ZuriFixture : public DocumentoFixture, public TablasFormulario
{
public:
    ZuriFixture()
        : DocumentoFixture({QStringLiteral("FERUN"), QStringLiteral("ZURI")},
                           [](const QString &c) { return c == QLatin1String("ZURI") ? 50 : 1; },
                           QStringLiteral("Acreditación de prueba")),
          TablasFormulario(QStringLiteral("ZURI"))
    {
    }

    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_ZURI_PLUGIN), QStringLiteral(BRENVIK_FERUN_PLUGIN)});
    }

    void abrirDocumento() override
    {
        DocumentoFixture::abrirDocumento();
        ferun = ventanas.value(0);
        form = ventanas.value(1);
    }


    bool rodal(const QString &num, const QString &cat = QStringLiteral("1"), const QString &erosion = QString())
    {
        return AgregarFila(tabla(QStringLiteral("sec_for")), {{"num_sec", "1"}, {"num", num}, {"tip_res", "10"},
                                                             {"cat_suelo", cat}, {"car_erosion", erosion}});
    }
    bool borrarRodal(const QString &num) { return borrar(QStringLiteral("sec_for"), "num", num); }
    bool parcelas(const QString &num, const QString &cantidad)
    {
        return ModificarFila(tabla(QStringLiteral("tam_num_par")), "num", num, {{"sup", "100"}, {"num_par", cantidad}});
    }

    QPointer<TCustomMDIChild> ferun; // its request form
};
