// The marking request TROZEL in a document with a principal form: the units' check, the
// printout with its roll line and its box, and the exchange XML.
#include "documentosolicitud.h"


namespace {

class Trozel : public DocumentoSolicitud
{
protected:
    Trozel()
        : DocumentoSolicitud("TROZEL")
    {
    }

    Dataset *antecedentes() { return solicitud()->findChild<Dataset *>(QStringLiteral("adtTROZEL_ant")); }

    // A request filled whole: the register's property with its owner signing and its
    // producer, its roll replaced by two, and a product by its unit and an "other" one.
    void llenar()
    {
        registrarOtroProducto(QStringLiteral("ALERCE LABRADO"));
        elegirConFirmante(7);
        Dataset *rol = tabla("rol");
        rol->First();
        dialogos.responder({ID::YES}); // the deletion's question
        ASSERT_TRUE(rol->Delete());
        for (const char *numero : {"100-1", "100-2"})
            fila(rol, {{"rol", QLatin1String(numero)}, {"com", QStringLiteral("13120")}});
        fila(antecedentes(), {{"num_certif", QStringLiteral("DE-12")}, {"tipo_prod", QStringLiteral("5")},
                              {"unme_codigo", QStringLiteral("5")}, {"cant", QStringLiteral("40")}});
        fila(antecedentes(), {{"num_certif", QStringLiteral("DE-13")}, {"tipo_prod", QStringLiteral("-1")},
                              {"unme_codigo", QStringLiteral("11")}, {"cant", QStringLiteral("2,5")}});
    }
};

struct CasoUnidad
{
    const char *nombre;
    int producto;
    int unidad;
    bool acepta;
};

class TrozelUnidades : public Trozel, public ::testing::WithParamInterface<CasoUnidad>
{
};

} // namespace

// Every unit needs a factor for the product, the cubic metre too; an "other" product is
// checked as product 18 (factors in units 5 and 11, none in 8).
TEST_P(TrozelUnidades, TheUnitMustHaveAFactorForTheProduct)
{
    // Durmientes: a product with a factor in units but not in cubic metres.
    ASSERT_TRUE(bd.execScript(QStringLiteral("INSERT INTO producto (prod_codigo, prod_descripcion) VALUES (12, 'Durmientes');"
                                             "INSERT INTO unidadproducto (unme_codigo, prod_codigo, unpr_conversion) VALUES (5, 12, 0.02);")));
    const CasoUnidad caso = GetParam();
    Dataset *ds = antecedentes();
    ASSERT_NE(ds, nullptr);
    ASSERT_TRUE(ds->Append());
    ds->FieldByName(QStringLiteral("num_certif"))->setAsString(QStringLiteral("DE-1"));
    ds->FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(caso.producto);
    ds->FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(caso.unidad);
    ds->FieldByName(QStringLiteral("cant"))->setAsString(QStringLiteral("3"));
    bool ok = false;
    catchAbort([&] { ok = ds->Post(); });
    EXPECT_EQ(ok, caso.acepta);
    if (caso.acepta) {
        EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    } else {
        ASSERT_EQ(dialogos.boxes.size(), 1);
        EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("La unidad de medida no corresponde al producto escogido")))
            << dialogos.boxes.first().texto.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, TrozelUnidades,
                         ::testing::Values(CasoUnidad{"MetroCubicoSinFactor", 12, 11, false},
                                           CasoUnidad{"UnidadConFactor", 12, 5, true},
                                           CasoUnidad{"MetroCubicoConFactor", 5, 11, true},
                                           CasoUnidad{"OtroComo18", -1, 5, true},
                                           CasoUnidad{"OtroSinFactorDel18", -1, 8, false},
                                           CasoUnidad{"SinFactor", 1, 5, false}),
                         [](const auto &info) { return std::string(info.param.nombre); });

TEST_F(Trozel, TheExchangeTextMatchesTheGolden)
{
    llenar();
    // The product goes through its own column, not the unit's (the grid's third).
    const QByteArray xml = exportarComoElEsperado(QStringLiteral("trozel"), QStringLiteral("ALERCE LABRADO"));
    EXPECT_FALSE(xml.contains("FENRA_ANTERIOR"));
}

// Regression: the box was laid out from 63 mm left of the right margin, so 37 mm of its
// 100 lay beyond it.
TEST_F(Trozel, TheBoxEndsAtTheRightMarginAndTheRollLineListsEveryRoll)
{
    llenar();
    const TRegistroImpresion registro = componer();
    const TPasoImpresion *caja = registro.Buscar(QStringLiteral("Nº       ____________________________\nFecha   _____________________________"));
    const TPasoImpresion *marca = registro.Buscar(QStringLiteral("Form. TROZEL (v.2.5)"));
    ASSERT_NE(caja, nullptr);
    ASSERT_NE(marca, nullptr);
    EXPECT_NEAR(caja->ancho, 100, 2.5);
    EXPECT_NEAR(caja->alto, 30, 2.5);
    EXPECT_LE(caja->x + caja->ancho, marca->x + marca->ancho + 2.5);
    EXPECT_GE(caja->x + caja->ancho, marca->x + marca->ancho - 5);
    // Every roll with its semicolon, the last one too, in row order; the rolls' cursor
    // where it was.
    EXPECT_NE(registro.Buscar(QStringLiteral("100-1; 100-2; ")), nullptr);
    EXPECT_EQ(tabla("rol")->FieldByName(QStringLiteral("rol"))->AsString(), QStringLiteral("100-2"));
}

TEST_F(Trozel, ThePrintedRequestReadsBackThroughPdftotext)
{
    llenar();
    const QString texto = imprimirYLeer();
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. TROZEL (v.2.5)", "Nº", "Fecha", "SOLICITUD DE MARCAJE", "PRODUCTOS DE ALERCE MUERTO",
                                     "1. YO Luis Rojas Mena", "RUT 9876543 - 3", "solicito la marcación",
                                     "2. ANTECEDENTES DEL PREDIO", "Nombre del predio:El Roble", "Rol avalúo:", "100-1; 100-2;",
                                     "Comuna:Ñuñoa", "Provincia:Santiago", "3. ANTECEDENTES DE LA SOLICITUD DE MARCAJE", "DE-12",
                                     "Postes", "DE-13", "ALERCE", "LABRADO"}),
              QStringList())
        << texto.toStdString();
}
