// The free-transit guide FENRA on paper and in its exchange file: the guide and its cover
// letter with their data, the exchange text of a whole guide as the golden files hold it,
// and the cursors an export leaves where they were.
#include "documentofenra.h"

namespace {

// The kind of transport described in its own text.
constexpr int kOtroTransporte = 4;

class FenraGuia : public Fenra
{
};

struct CasoGolden
{
    int transporte;
    const char *golden;
};

class FenraGolden : public Fenra, public ::testing::WithParamInterface<CasoGolden>
{
};

} // namespace

TEST_P(FenraGolden, TheExchangeTextMatchesTheGolden)
{
    const CasoGolden caso = GetParam();
    llenarGuia(caso.transporte);
    const QByteArray xml = exportarComoElEsperado(QLatin1String(caso.golden), QStringLiteral("ALERCE LABRADO"));
    EXPECT_EQ(xml.contains("TIMT_CODIGO_OTRO"), caso.transporte == kOtroTransporte);
}

INSTANTIATE_TEST_SUITE_P(Transportes, FenraGolden,
                         ::testing::Values(CasoGolden{4, "fenra"}, CasoGolden{2, "fenra_camioneta"}),
                         [](const auto &info) { return std::string(info.param.golden); });

// Regression: the export left the producers' table on its last row, and the printout
// that followed named that row as the guide's producer.
TEST_F(FenraGuia, ThePrintedGuideReadsBackThroughPdftotextAfterAnExport)
{
    llenarGuia(kOtroTransporte);
    fila(tabla("rep"), {{"rut", QStringLiteral("33333333")}, {"dv", dv(33333333)}, {"nom", QStringLiteral("Pedro")},
                        {"pat", QStringLiteral("Bravo")}, {"dom", QStringLiteral("Calle 2")}, {"ciu", QStringLiteral("Talca")},
                        {"com", QStringLiteral("13120")}});
    tabla("rep")->First();
    solicitud()->PrepararXML();
    EXPECT_EQ(tabla("rep")->FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Rojas"));

    const QString texto = imprimirYLeer();
    if (texto.isEmpty())
        GTEST_SKIP() << "pdftotext no está instalado";
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. FENRA (v.2.5)", "Nº Solicitud", "Fecha vencimiento Plan de Extraccion",
                                     "SOLICITUD DE GUIA DE LIBRE TRANSITO", "D.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976",
                                     "1. YO Luis Rojas Mena", "RUT 9876543 - 3", "DOMICILIO REMITENTE: Av. Grecia 40",
                                     "COMUNA: Ñuñoa", "2. LUGAR DE DESPACHO DEL PRODUCTO: El Roble", "Comuna:", "Ñuñoa",
                                     "Provincia:", "Región:", "Tipo Predio:", "Aserradero", "COORDENADAS U.T.M.:", "Portón",
                                     "Vías de Acceso:", "Camino a Peñalolén km 3", "3. MEDIO DE TRANSPORTE: OTRO",
                                     "TIPO", ": Carreta", "PATENTE: AB1234", "4. CONDUCTOR: Juan Vera Ruiz",
                                     "5. DESTINATARIO: Carla Muñoz Oyarzo", "CIUDAD: Cochamó",
                                     "6. LUGAR DE ENTREGA: Barraca Sur", "Barraca", "Galpón", "Ruta 7 km 12",
                                     "7. GUIAS ANTERIORES:", "F-0123", "8. SII:", "4567", "889", "PRODUCTOS A TRANSPORTAR:",
                                     "Cancha 1", "Postes", "0,12", "Cancha 2", "ALERCE", "LABRADO", "Observaciones de la Guía:",
                                     "Carga cubierta con lona", "Uso exclusivo de la Okran", "FECHA DE INGRESO: 10-12-2026",
                                     "Ana Pérez Soto", "RUT:12345678-5"}),
              QStringList())
        << texto.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("Pedro Bravo")));
    EXPECT_FALSE(texto.contains(QStringLiteral("(Uso Okran)")));
    EXPECT_EQ(PaginasSinEncabezado(texto, QStringLiteral("Form. FENRA (v.2.5)")), QStringList());
}

TEST_F(FenraGuia, AnotherKindOfTransportIsPrintedOnlyForKindFour)
{
    llenarGuia(2);
    const TRegistroImpresion registro = componer();
    EXPECT_NE(registro.Buscar(QStringLiteral("3. MEDIO DE TRANSPORTE: Camioneta")), nullptr);
    for (const TPasoImpresion &paso : registro.Pasos)
        EXPECT_FALSE(paso.texto.contains(QStringLiteral("TIPO   :"))) << paso.texto.toStdString();
}

TEST_F(FenraGuia, TheCoverLetterCarriesTheOriginAndItsSignatures)
{
    llenarGuia(kOtroTransporte);
    const TRegistroImpresion registro = componer(true);
    for (const char *t : {"Form. FENRA", "Datos del Predio", "Nombre   :El Roble", "Comuna   :Ñuñoa", "120-45", "RUT:12345678-5"})
        EXPECT_NE(registro.Buscar(QString::fromUtf8(t)), nullptr) << t;
}
