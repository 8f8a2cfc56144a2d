// The declaration of existing dead-alerce products YOLVA in a document with a principal
// form: the antecedents' rule, the products' volumes, the printout and the exchange XML.
#include "documentosolicitud.h"


namespace {

class Yolva : public DocumentoSolicitud
{
protected:
    Yolva()
        : DocumentoSolicitud("YOLVA")
    {
    }

    Dataset *antecedentes() { return solicitud()->findChild<Dataset *>(QStringLiteral("adtYOLVA_guia_ant")); }
    Dataset *productos() { return solicitud()->findChild<Dataset *>(QStringLiteral("adtYOLVA_prod_exist")); }

    // A declaration filled whole: the register's property with its owner signing and its
    // producer, two transit guides and a product by its unit's factor and an "other" one
    // in cubic metres.
    void llenar()
    {
        registrarOtroProducto(QStringLiteral("ALERCE LABRADO"));
        elegirConFirmante(7);
        fila(antecedentes(), {{"nro_fenra", QStringLiteral("F-0456")}, {"tipo", QStringLiteral("103")},
                              {"fecha", QStringLiteral("01-09-2026")}, {"origen", QStringLiteral("Cochamó")}});
        fila(antecedentes(), {{"nro_fenra", QStringLiteral("F-0457")}, {"tipo", QStringLiteral("105")},
                              {"fecha", QStringLiteral("15-09-2026")}, {"origen", QStringLiteral("Hualaihué")}});
        fila(productos(), {{"origen", QStringLiteral("1")}, {"tipo_prod", QStringLiteral("5")}, {"nro_piezas", QStringLiteral("10")},
                           {"unme_codigo", QStringLiteral("5")}, {"cant", QStringLiteral("2,5")}});
        fila(productos(), {{"origen", QStringLiteral("2")}, {"tipo_prod", QStringLiteral("-1")}, {"nro_piezas", QStringLiteral("3")},
                           {"unme_codigo", QStringLiteral("11")}, {"cant", QStringLiteral("4")}});
    }
};

} // namespace

// One extraction plan alone, or any number of transit guides: each step adds a row of
// the kind (or changes the first row to it) and is accepted or refused with its message.
TEST_F(Yolva, AnExtractionPlanGoesAloneAndGuidesWithoutOne)
{
    struct Paso
    {
        const char *que;
        int tipo;
        bool editarPrimera;
        const char *mensaje;
    };
    const Paso pasos[] = {
        {"the first plan", 101, false, ""},
        {"a second plan", 101, false, "Solo puede ingresar un plan de extracción"},
        {"the only plan edited", 101, true, ""},
        {"a guide beside the plan", 103, false, "No puede mezclar plan de extracción con guias"},
        {"the only plan changed to a guide", 103, true, ""},
        {"another kind of guide", 105, false, ""},
        {"a plan beside the guides", 101, false, "No puede mezclar plan de extracción con guias"},
    };
    Dataset *ds = antecedentes();
    ASSERT_NE(ds, nullptr);
    int numero = 0;
    for (const Paso &p : pasos) {
        if (p.editarPrimera) {
            ds->First();
            ASSERT_TRUE(ds->Edit());
        } else {
            ASSERT_TRUE(ds->Append());
            ds->FieldByName(QStringLiteral("fecha"))->setAsString(QStringLiteral("01-09-2026"));
        }
        ds->FieldByName(QStringLiteral("nro_fenra"))->setAsString(QStringLiteral("N-%1").arg(++numero));
        ds->FieldByName(QStringLiteral("tipo"))->setAsInteger(p.tipo);
        const QString mensaje = postear(ds);
        if (*p.mensaje == 0)
            EXPECT_TRUE(mensaje.isEmpty()) << p.que << ": " << mensaje.toStdString();
        else
            EXPECT_TRUE(mensaje.contains(QString::fromUtf8(p.mensaje))) << p.que << ": " << mensaje.toStdString();
    }
    EXPECT_EQ(ds->RecordCount(), 2);
}

class YolvaProductos : public Yolva, public ::testing::WithParamInterface<CasoProducto>
{
};

TEST_P(YolvaProductos, TheVolumeFollowsTheUnitsFactorForTheProduct)
{
    probarProducto(productos(), GetParam());
}

// Products 5 (Postes) and 1 (Trozos); unit 11 is the cubic metre, unit 5 has a factor for
// Postes (0,05), none for Trozos; an "other" product (negative) has no factor of its own.
INSTANTIATE_TEST_SUITE_P(
    Casos, YolvaProductos,
    ::testing::Values(CasoProducto{"MetroCubico", 5, 11, "2,5", "2,5", ""},
                      CasoProducto{"PostesPorFactor", 5, 5, "2,5", "0,12", ""},
                      CasoProducto{"SinFactor", 1, 5, "2,5", "", "La unidad de medida no corresponde al producto escogido"},
                      CasoProducto{"SinCantidad", 5, 5, "", "", "Cantidad"},
                      CasoProducto{"OtroEnMetroCubico", -3, 11, "3", "3", ""},
                      CasoProducto{"OtroEnOtraUnidad", -3, 5, "3", "", "La unidad de medida no corresponde al producto escogido"}),
    [](const auto &info) { return std::string(info.param.nombre); });

TEST_F(Yolva, TheExchangeTextMatchesTheGolden)
{
    llenar();
    exportarComoElEsperado(QStringLiteral("yolva"), QStringLiteral("ALERCE LABRADO"));
}

// Regression: the export left the producers' table on its last row, and the printout
// that followed named that row as the declaring producer.
TEST_F(Yolva, ThePrintedDeclarationReadsBackThroughPdftotextAfterAnExport)
{
    llenar();
    agregarPersona("rep", 33333333, QStringLiteral("Bravo"));
    tabla("rep")->First();
    solicitud()->PrepararXML();
    const QString texto = imprimirYLeer();
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. YOLVA (v.2.5)", "Nº Solicitud", "Nº Reg. Prod./Com.:", "SOLICITUD DECLARACIÓN EXISTENCIA",
                                     "PRODUCTOS ALERCE MUERTO", "1. YO Luis Rojas Mena", "RUT 9876543 - 3",
                                     "solicito declarar existencias", "DOMICILIO Av. Grecia 40", "2. LUGAR DONDE SE ENCUENTRAN",
                                     "LOS PRODUCTOS:El Roble", "Comuna", ":Ñuñoa", "Provincia:Santiago",
                                     "3. ANTECEDENTES ANTERIORES:", "F-0456", "F-0457", "4. PRODUCTOS EXISTENTES:", "Postes",
                                     "0,12", "ALERCE", "LABRADO"}),
              QStringList())
        << texto.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("Nombre Bravo")));
    EXPECT_EQ(PaginasSinEncabezado(texto, QStringLiteral("Form. YOLVA (v.2.5)")), QStringList());
}
