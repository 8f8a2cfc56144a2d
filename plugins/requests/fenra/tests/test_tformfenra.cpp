// The free-transit guide FENRA in a document with a principal form: the destination
// property beside the origin (pick, write-back, codes across save, reopen and import),
// the products' volumes, the transport kind and the driver's checks.
#include "documentofenra.h"

#include "dbedit.h"

#include <QFocusEvent>
#include <QTabWidget>
#include <QTest>

TEST_F(Fenra, PickingTheDestinationFillsOnlyTheSuffixTwoTables)
{
    escribirPredioNuevo(QStringLiteral("Origen"));
    campo("via")->setAsString(QStringLiteral("Ruta 5"));
    elegirDestino(7);
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.startsWith(QStringLiteral("La inclusión de datos de un predio")));
    EXPECT_EQ(campo("cod_pre2")->AsInteger(), 7);
    EXPECT_EQ(destino()->codigoPredio(), 7);
    EXPECT_EQ(campo("nom_pre2")->AsString(), QStringLiteral("El Roble"));
    EXPECT_EQ(campo("via2")->AsString(), QStringLiteral("Camino a Peñalolén km 3"));
    EXPECT_EQ(campo("prv2")->AsString(), QStringLiteral("131"));
    EXPECT_EQ(campo("reg2")->AsString(), QStringLiteral("13"));
    EXPECT_EQ(tabla2("coo")->RecordCount(), 1);
    ASSERT_EQ(tabla2("pro")->RecordCount(), 1);
    EXPECT_EQ(tabla2("pro")->FieldByName(QStringLiteral("sexo"))->AsInteger(), 2);
    ASSERT_EQ(tabla2("rep")->RecordCount(), 1);
    EXPECT_EQ(tabla2("rep")->FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Rojas"));
    // The origin stays as typed.
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("Origen"));
    EXPECT_EQ(campo("via")->AsString(), QStringLiteral("Ruta 5"));
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_EQ(solicitud()->PredCodigo, 0);
    EXPECT_EQ(ppal()->PredCodigo, 0);
    for (const char *parte : {"coo", "rep", "con", "cer"})
        EXPECT_EQ(tabla(parte)->RecordCount(), 0) << parte;
    EXPECT_EQ(tabla("pro")->RecordCount(), 1);

    // What the consultant sees, for people to look at.
    auto *paginas = solicitud()->Paginas;
    solicitud()->resize(900, 1000);
    solicitud()->show();
    for (int i = 1; i < paginas->count(); ++i) {
        paginas->setCurrentIndex(i);
        solicitud()->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/FENRA_%1.png").arg(i));
    }

    // No, or the register closed without a choice, keeps the destination.
    elegirDestino(0, ID::NO);
    elegirDestino(0);
    EXPECT_EQ(destino()->codigoPredio(), 7);
    EXPECT_EQ(campo("nom_pre2")->AsString(), QStringLiteral("El Roble"));
}

TEST_F(Fenra, SavingWritesBothPropertiesUnderTheirOwnCodes)
{
    escribirPredioNuevo(QStringLiteral("Origen"));
    Dataset *coo = tabla("coo");
    ASSERT_TRUE(coo->Append());
    coo->FieldByName(QStringLiteral("pun"))->setAsString(QStringLiteral("Aserradero"));
    ASSERT_TRUE(coo->Post());
    elegirDestino(7);
    // The destination's owner sex and representatives stay in the file only.
    Dataset *pro2 = tabla2("pro");
    ASSERT_TRUE(pro2->Edit());
    pro2->FieldByName(QStringLiteral("sexo"))->setAsInteger(1);
    ASSERT_TRUE(pro2->Post());
    Dataset *rep2 = tabla2("rep");
    ASSERT_TRUE(rep2->Edit());
    rep2->FieldByName(QStringLiteral("nom"))->setAsString(QStringLiteral("Cambiado"));
    ASSERT_TRUE(rep2->Post());
    campo("sup2")->setAsString(QStringLiteral("99"));
    dialogos.boxes.clear();

    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    const int origen = codigoDe(QStringLiteral("Origen"));
    EXPECT_GT(origen, 7);
    EXPECT_EQ(solicitud()->PredCodigo, origen);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), origen);
    EXPECT_EQ(campo("cod_pre2")->AsInteger(), 7);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_superficie FROM predio WHERE pred_codigo = 7")).toDouble(), 99.0);
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = 7 AND coor_punto_referencia = 'Portón'")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = ?"), {origen}), 1);
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = ? AND coor_punto_referencia = 'Portón'"), {origen}), 0);
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = ?"), {origen}), 1);
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_sexo FROM persona WHERE pers_rut = 12345678")).toInt(), 2);
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_nombre FROM persona WHERE pers_rut = 9876543")).toString(), QStringLiteral("Luis"));
}

TEST_F(Fenra, CancelInTheDestinationsNameQuestionSkipsOnlyTheDestination)
{
    escribirPredioNuevo(QStringLiteral("Origen"));
    escribirDestinoNuevo(QStringLiteral("el roble"));
    dialogos.responder({ID::CANCEL});
    ASSERT_TRUE(guardar());
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.startsWith(QStringLiteral("Ya existe un predio con el mismo nombre")));
    EXPECT_GT(codigoDe(QStringLiteral("Origen")), 7);
    EXPECT_EQ(cuenta(QStringLiteral("predio")), 2); // El Roble and the origin
    EXPECT_EQ(destino()->codigoPredio(), 0);
    EXPECT_EQ(campo("cod_pre2")->AsInteger(), -1);
}

// Yes replaces the register's property by the destination and the documents that named
// it follow, as for the origin.
TEST_F(Fenra, YesInTheDestinationsNameQuestionReplacesThePropertyAndItsIndex)
{
    escribirDestinoNuevo(QStringLiteral("EL ROBLE"));
    dialogos.responder({ID::OK, ID::YES}); // the origin has no name
    ASSERT_TRUE(guardar());
    const int nuevo = destino()->codigoPredio();
    EXPECT_GT(nuevo, 7);
    EXPECT_EQ(campo("cod_pre2")->AsInteger(), nuevo);
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_codigo = 7")), 0);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_codigo FROM formPredio WHERE foco_archivo = 'viejo.fkel'")).toInt(), nuevo);
    EXPECT_EQ(solicitud()->PredCodigo, 0);
}

// Regression: the destination's question offered the origin the same save had just
// written, and Yes merged the two properties into one.
TEST_F(Fenra, AnOriginAndADestinationNewWithOneNameBecomeTwoProperties)
{
    escribirPredioNuevo(QStringLiteral("Las Lomas"));
    escribirDestinoNuevo(QStringLiteral("Las Lomas"));
    dialogos.porDefecto = ID::YES;
    ASSERT_TRUE(guardar());
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_nombre = 'Las Lomas'")), 2);
    EXPECT_NE(solicitud()->PredCodigo, destino()->codigoPredio());
    EXPECT_EQ(cuenta(QStringLiteral("rol"), QStringLiteral("pred_codigo = ?"), {destino()->codigoPredio()}), 1);
    EXPECT_EQ(cuenta(QStringLiteral("rol"), QStringLiteral("pred_codigo = ?"), {solicitud()->PredCodigo}), 1);
}

// The destination's code belongs to the window: a reopened document updates its
// destination, an imported one registers it anew, a second document starts without one.
TEST_F(Fenra, TheDestinationsCodeFollowsTheDocument)
{
    escribirPredioNuevo(QStringLiteral("Origen"));
    escribirDestinoNuevo(QStringLiteral("Destino"));
    ASSERT_TRUE(guardar());
    const int codigo = codigoDe(QStringLiteral("Destino"));
    ASSERT_GT(codigo, 7);
    ASSERT_EQ(destino()->codigoPredio(), codigo);

    reabrir(false);
    EXPECT_EQ(destino()->codigoPredio(), codigo);
    campo("sup2")->setAsString(QStringLiteral("12"));
    ASSERT_TRUE(guardar());
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_nombre = 'Destino'")), 1);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_superficie FROM predio WHERE pred_codigo = ?"), {codigo}).toDouble(), 12.0);

    reabrir(true);
    EXPECT_EQ(destino()->codigoPredio(), 0);
    dialogos.responder({ID::NO, ID::NO});
    ASSERT_TRUE(guardar());
    EXPECT_EQ(dialogos.boxes.size(), 2) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_nombre = 'Destino'")), 2);
    EXPECT_GT(destino()->codigoPredio(), codigo);

    // A new document of the same run.
    elegirDestino(7);
    ASSERT_EQ(destino()->codigoPredio(), 7);
    reabrirVentanas();
    QCoreApplication::processEvents();
    EXPECT_EQ(destino()->codigoPredio(), 0);
    EXPECT_EQ(campo("cod_pre2")->AsInteger(), -1);
}

TEST_F(Fenra, AnotherKindOfTransportNeedsItsDescription)
{
    auto *otro = solicitud()->findChild<DBEdit *>(QStringLiteral("dbe_tran_otro"));
    ASSERT_NE(otro, nullptr);
    EXPECT_FALSE(otro->isEnabled());
    for (const auto &[tipo, habilitado] : {std::pair{4, true}, std::pair{1, false}, std::pair{4, true}}) {
        campo("trans_tipo")->setAsInteger(tipo);
        EXPECT_EQ(otro->isEnabled(), habilitado) << tipo;
    }
    QFocusEvent salida(QEvent::FocusOut);
    QCoreApplication::sendEvent(otro, &salida);
    ASSERT_EQ(dialogos.boxes.size(), 1) << dialogos.textos().join(QLatin1Char(0x7c)).toStdString();
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("Otro Tipo de Transporte")))
        << dialogos.boxes.first().texto.toStdString();
    campo("trans_tipo_otro")->setAsString(QStringLiteral("Carreta"));
    QCoreApplication::sendEvent(otro, &salida);
    campo("trans_tipo")->setAsInteger(1);
    campo("trans_tipo_otro")->setAsString(QString());
    QCoreApplication::sendEvent(otro, &salida);
    EXPECT_EQ(dialogos.boxes.size(), 1) << dialogos.textos().join(QLatin1Char('|')).toStdString();
}

// Regression: the driver's R.U.T. took any number of digits, and the exchange file carried them.
TEST_F(Fenra, TheDriversRutTakesElevenDigitsAtMost)
{
    auto *rut = solicitud()->findChild<DBEdit *>(QStringLiteral("dbe_cond_rut"));
    ASSERT_NE(rut, nullptr);
    for (const auto &[tecleado, guardado] : {std::pair{"7654321", "7654321"}, std::pair{"12345678901", "12345678901"},
                                             std::pair{"123456789012", "12345678901"}}) {
        SCOPED_TRACE(tecleado);
        rut->clear();
        QTest::keyClicks(rut, QLatin1String(tecleado));
        ASSERT_TRUE(rut->commit());
        EXPECT_EQ(campo("cond_rut")->AsString(), QLatin1String(guardado));
    }
}

TEST_F(Fenra, TheMainRecordNeedsTheDriverAfterTheOrigin)
{
    elegir(7);
    campo("ciu")->setAsString(QStringLiteral("Puerto Montt"));
    campo("fec")->setAsString(QStringLiteral("10-12-2026"));
    campo("fir")->setAsInteger(12345678);
    Dataset *ppalFenra = solicitud()->DatasetPpal;
    struct Paso
    {
        const char *campo;
        const char *valor;
        const char *mensaje;
    };
    for (const Paso &p : {Paso{"cond_nom", "Juan", "Nombres del Conductor"}, Paso{"cond_pat", "Vera", "Apellido Paterno del Conductor"},
                          Paso{"cond_mat", "Ruiz", "Apellido Materno del Conductor"}, Paso{"cond_rut", "7654321", "R.U.T. del Conductor"},
                          Paso{"cond_dv", "6", "Dígito Verificador del Conductor"}}) {
        dialogos.boxes.clear();
        bool posteado = false;
        catchAbort([&] { posteado = ppalFenra->Post(); });
        EXPECT_FALSE(posteado) << p.campo;
        ASSERT_EQ(dialogos.boxes.size(), 1) << p.campo;
        EXPECT_TRUE(dialogos.boxes.first().texto.contains(QString::fromUtf8(p.mensaje))) << dialogos.boxes.first().texto.toStdString();
        campo(p.campo)->setAsString(QString::fromUtf8(p.valor));
    }
    dialogos.boxes.clear();
    bool posteado = false;
    catchAbort([&] { posteado = ppalFenra->Post(); });
    EXPECT_TRUE(posteado) << dialogos.textos().join(QLatin1Char('|')).toStdString();
}

class FenraProductos : public Fenra, public ::testing::WithParamInterface<CasoProducto>
{
};

TEST_P(FenraProductos, TheVolumeFollowsTheUnitsFactorForTheProduct)
{
    probarProducto(tablaFenra("prod_trans"), GetParam());
}

// Products 5 (Postes) and 1 (Trozos); unit 11 is the cubic metre, unit 5 has a factor for
// Postes (0,05) and for product 18, the others' (0,01), none for Trozos.
INSTANTIATE_TEST_SUITE_P(
    Casos, FenraProductos,
    ::testing::Values(CasoProducto{"MetroCubico", 5, 11, "2,5", "2,5", ""},
                      CasoProducto{"PostesPorFactor", 5, 5, "2,5", "0,12", ""},
                      CasoProducto{"SinFactor", 1, 5, "2,5", "", "La unidad de medida no corresponde al producto escogido"},
                      CasoProducto{"SinCantidad", 5, 5, "", "", "Cantidad"},
                      CasoProducto{"OtroEnMetroCubico", -3, 11, "3", "3", ""},
                      CasoProducto{"OtroEnOtraUnidad", -3, 5, "3", "0,03", "La unidad de medida no corresponde al producto escogido"}),
    [](const auto &info) { return std::string(info.param.nombre); });

TEST_F(Fenra, AChangedProductOrUnitRecomputesTheVolume)
{
    Dataset *productos = solicitud()->findChild<Dataset *>(QStringLiteral("adtFENRA_prod_trans"));
    ASSERT_NE(productos, nullptr);
    ASSERT_TRUE(productos->Append());
    productos->FieldByName(QStringLiteral("origen"))->setAsString(QStringLiteral("Cancha 1"));
    productos->FieldByName(QStringLiteral("nro_piezas"))->setAsInteger(10);
    productos->FieldByName(QStringLiteral("cant"))->setAsString(QStringLiteral("2,5"));
    productos->FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(5);
    Field *volumen = productos->FieldByName(QStringLiteral("volumen"));
    EXPECT_TRUE(volumen->AsString().isEmpty()); // no product yet
    productos->FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(5);
    EXPECT_EQ(volumen->AsString(), QStringLiteral("0,12"));
    productos->FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(7); // Vigas: 0,12
    EXPECT_EQ(volumen->AsString(), QStringLiteral("0,3"));
    productos->FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(11);
    EXPECT_EQ(volumen->AsString(), QStringLiteral("2,5"));
    ASSERT_TRUE(productos->Post());

    // The transport page with its rows, for people to look at.
    campo("trans_tipo")->setAsInteger(4);
    campo("trans_tipo_otro")->setAsString(QStringLiteral("Carreta"));
    solicitud()->resize(900, 1000);
    solicitud()->show();
    solicitud()->Paginas->setCurrentIndex(3);
    solicitud()->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/FENRA_productos.png"));
}
