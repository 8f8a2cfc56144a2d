// The request WIRO in a document with a principal form: a project over several
// properties, each a row of the main dataset with its own property tables. Adding and
// deleting properties, the fill and the write-back of the current one, the project's
// check, the exchange XML of every property and the printout of one.
#include "documentosolicitud.h"

#include "datasource.h"
#include "dbnavigator.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"
#include "pitido.h"
#include "textoesperado.h"

#include <QDate>
#include <QLineEdit>
#include <QToolButton>

namespace {

// Two more register properties beside "El Roble" (7), each whole enough to pass the
// property check: "Las Vertientes" (8) with an owner, a roll and an inscription, "Santa
// Rosa" (9) with an owner, a roll and a certificate.
const char *const kMasPredios = R"(
INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion, pred_comuna)
  VALUES (8, 'Las Vertientes', 45, 44, 46, 'Ruta 5 km 250', '13120');
INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion, pred_comuna)
  VALUES (9, 'Santa Rosa', 80.25, 80, 81, 'Camino Los Niches', '13120');
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (8, 'Puente', 6100000, 260000);
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (9, 'Escuela', 6120000, 270000);
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('300-2', 8);
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('400-3', 9);
INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
  pers_ciudad, pers_telefono, pers_es_propietario) VALUES (42, 7654321, '6', 'Muñoz', 'Lagos', 'Pedro', 'El Sauce 5', '13120', 'Talca', '71 222', 1);
INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
  pers_ciudad, pers_telefono, pers_es_propietario) VALUES (43, 5555555, '5', 'Vera', 'Díaz', 'Rosa', 'Los Pinos 9', '13120', 'Curicó', '', 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (42, 8);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (43, 9);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('300-1', 8, '13120');
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('400-2', 9, '13120');
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (8, '88', 12, 'Talca', 2004);
INSERT INTO ministerio (pred_codigo, mini_certbn, mini_fecha) VALUES (9, 'BN-9', '2010-06-07 00:00:00');
)";

class Wiro : public DocumentoSolicitud
{
protected:
    Wiro()
        : DocumentoSolicitud("WIRO")
    {
    }

    void SetUp() override
    {
        DocumentoSolicitud::SetUp();
        ASSERT_TRUE(bd.execScript(QString::fromUtf8(kMasPredios))) << bd.lastError().text().toStdString();
        Pitido::Sonido() = [this] { ++pitidos; };
    }

    void TearDown() override
    {
        Pitido::Sonido() = [] {};
        DocumentoSolicitud::TearDown();
    }

    Dataset *maestro() { return solicitud()->findChild<Dataset *>(QStringLiteral("adsMaestro")); }
    Dataset *predios() { return solicitud()->DatasetPpal; }
    DBNavigator *navegador() { return solicitud()->findChild<DBNavigator *>(QStringLiteral("dbnWIRO_pre2")); }
    // The position boxes beside the navigator, "2 de 3".
    QString cajas()
    {
        auto texto = [this](const char *nombre) {
            const auto *caja = solicitud()->findChild<QLineEdit *>(QLatin1String(nombre));
            return caja ? caja->text() : QStringLiteral("?");
        };
        return texto("edtPredioActual") + QStringLiteral(" de ") + texto("edtPrediosTotal");
    }

    // The navigator's insert button, as the user presses it.
    void nuevoPredio()
    {
        navegador()->button(DBNavigator::Insert)->click();
        ASSERT_EQ(predios()->State(), DatasetState::Edit);
    }

    // The register's property `codigo` into the current row (the warning about replacing
    // what was typed is answered Yes).
    void elegirEnFila(int codigo)
    {
        dialogos.responder({ID::YES});
        elegir(codigo);
        dialogos.respuestas.clear();
    }

    // The rows of a working table, all properties together.
    int filasTrabajo(const char *tabla, const QVariant &idPre)
    {
        const QueryResult r = solicitud()->ConexionBD->select(
            QStringLiteral("SELECT count(*) FROM %1 WHERE id_pre = ?").arg(QLatin1String(tabla)), {idPre});
        EXPECT_TRUE(r.ok) << r.error.text().toStdString();
        return r.rows.value(0).value(0).toInt();
    }

    void agregarPropietario(qint64 rut, const QString &pat)
    {
        Dataset *ds = tabla("pro");
        ASSERT_TRUE(ds->Append());
        for (const auto &[nombre, valor] : {std::pair{"rut", QString::number(rut)}, std::pair{"dv", dv(rut)}, std::pair{"pat", pat},
                                            std::pair{"nom", QStringLiteral("Nombre ") + pat}, std::pair{"dom", QStringLiteral("Calle 1")},
                                            std::pair{"ciu", QStringLiteral("Talca")}, std::pair{"com", QStringLiteral("13120")}})
            ds->FieldByName(QLatin1String(nombre))->setAsString(valor);
        bool ok = false;
        ASSERT_TRUE(catchAbort([&] { ok = ds->Post(); })) << dialogos.textos().join(QLatin1Char('|')).toStdString();
        ASSERT_TRUE(ok) << ds->lastError().text().toStdString();
    }

    int pitidos = 0;
};

TEST_F(Wiro, PropertiesComeFromTheNavigatorAndTheLastOneStays)
{
    ASSERT_EQ(predios()->RecordCount(), 1);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_EQ(cajas(), QStringLiteral("1 de 1"));
    EXPECT_EQ(maestro()->FieldByName(QStringLiteral("sol"))->AsString(), QStringLiteral("Documento de prueba"));

    // The only property cannot go: a beep, and it is still there.
    EXPECT_FALSE(navegador()->trigger(DBNavigator::Delete));
    EXPECT_EQ(pitidos, 1);
    EXPECT_EQ(predios()->RecordCount(), 1);

    elegirEnFila(7);
    const QVariant primero = campo("id_pre")->Value();
    nuevoPredio();
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_EQ(cajas(), QStringLiteral("2 de 2"));
    const QVariant segundo = campo("id_pre")->Value();
    EXPECT_NE(segundo, primero);
    EXPECT_EQ(tabla("pro")->RecordCount(), 0); // the new property's tables start empty
    agregarPropietario(11111111, QStringLiteral("Nuevo"));
    nuevoPredio();
    predios()->setRecNo(2);
    EXPECT_EQ(cajas(), QStringLiteral("2 de 3"));
    ASSERT_TRUE(predios()->Insert());
    EXPECT_EQ(cajas(), QStringLiteral("4 de 3")); // the row being inserted
    predios()->Cancel();
    EXPECT_EQ(cajas(), QStringLiteral("2 de 3"));

    // With several, one goes, and its property rows with it; the others keep theirs.
    ASSERT_EQ(campo("id_pre")->Value(), segundo);
    dialogos.responder({ID::YES});
    EXPECT_TRUE(navegador()->trigger(DBNavigator::Delete)) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(predios()->RecordCount(), 2);
    EXPECT_EQ(filasTrabajo("wiro_pro", segundo), 0);
    EXPECT_EQ(filasTrabajo("wiro_pro", primero), 1);
    EXPECT_EQ(filasTrabajo("wiro_rol", primero), 1);
    EXPECT_EQ(filasTrabajo("wiro_coo", primero), 1);
    EXPECT_EQ(pitidos, 1);
}

// Regression: a roll that could not be posted let the navigator move on, and the window
// showed the next property over this one's rolls and owners.
TEST_F(Wiro, ARollThatCannotBePostedKeepsThePropertyInPlace)
{
    elegirEnFila(7);
    nuevoPredio();
    elegirEnFila(8);
    ASSERT_TRUE(navegador()->trigger(DBNavigator::First));
    ASSERT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
    for (const DBNavigator::Button boton : {DBNavigator::Next, DBNavigator::Last, DBNavigator::Insert}) {
        SCOPED_TRACE(int(boton));
        dialogos.boxes.clear();
        Dataset *roles = tabla("rol");
        ASSERT_TRUE(roles->Append());
        roles->FieldByName(QStringLiteral("rol"))->setAsString(QStringLiteral("999-1"));
        EXPECT_FALSE(navegador()->trigger(boton));
        EXPECT_TRUE(dialogos.textos().join(QLatin1Char('|')).contains(QStringLiteral("El campo \"Comuna\" no puede quedar vacío.")))
            << dialogos.textos().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(cajas(), QStringLiteral("1 de 2"));
        EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
        EXPECT_EQ(roles->State(), DatasetState::Insert);
        roles->Cancel();
    }
    EXPECT_EQ(predios()->RecordCount(), 2);
}

// Regression: the navigator's delete took a property with all its rows without asking.
TEST_F(Wiro, DeletingAPropertyAsksFirst)
{
    elegirEnFila(7);
    nuevoPredio();
    const QVariant segundo = campo("id_pre")->Value();
    agregarPropietario(11111111, QStringLiteral("Nuevo"));
    dialogos.boxes.clear();
    dialogos.responder({ID::NO});
    EXPECT_FALSE(navegador()->trigger(DBNavigator::Delete));
    EXPECT_EQ(dialogos.textos(), QStringList{QStringLiteral("¿Está seguro de eliminar este registro?")});
    EXPECT_EQ(predios()->RecordCount(), 2);
    EXPECT_EQ(campo("id_pre")->Value(), segundo);
    EXPECT_EQ(filasTrabajo("wiro_pro", segundo), 1);
    EXPECT_EQ(pitidos, 0);
}

TEST_F(Wiro, TheProjectNeedsItsNameAndOwner)
{
    Dataset *proyecto = maestro();
    ASSERT_TRUE(proyecto->Edit());
    proyecto->FieldByName(QStringLiteral("pro_prj"))->setAsString(QStringLiteral("Forestal Sur"));
    bool posteado = false;
    EXPECT_FALSE(catchAbort([&] { posteado = proyecto->Post(); }));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("\"Nombre Proyecto\"")))
        << dialogos.boxes.first().texto.toStdString();
    proyecto->FieldByName(QStringLiteral("nom_prj"))->setAsString(QStringLiteral("Proyecto Maule"));
    EXPECT_TRUE(catchAbort([&] { posteado = proyecto->Post(); }));
    EXPECT_TRUE(posteado);
}

TEST_F(Wiro, PickingFillsTheCurrentPropertyOnly)
{
    elegirEnFila(7);
    const QVariant primero = campo("id_pre")->Value();
    nuevoPredio();
    elegirEnFila(8);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), 8); // the row keeps the register's code
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("Las Vertientes"));
    EXPECT_EQ(campo("fec")->AsDateTime().date(), QDate::currentDate());
    EXPECT_EQ(solicitud()->PredCodigo, 8);
    EXPECT_EQ(ppal()->PredNombre, QStringLiteral("Las Vertientes"));
    Dataset *pro = tabla("pro");
    ASSERT_EQ(pro->RecordCount(), 1);
    EXPECT_EQ(pro->FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Muñoz"));
    EXPECT_TRUE(pro->FieldByName(QStringLiteral("sexo"))->IsNull()); // persons without sex
    EXPECT_EQ(tabla("rep")->RecordCount(), 0);                      // representatives not filled
    EXPECT_EQ(filasTrabajo("wiro_pro", primero), 1);                // El Roble's owner untouched
    EXPECT_EQ(filasTrabajo("wiro_rep", primero), 0);

    // Back on the first row, its name and signatory are the form's again.
    predios()->First();
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
    EXPECT_EQ(ppal()->PredNombre, QStringLiteral("El Roble"));
    EXPECT_EQ(tabla("pro")->FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Pérez"));
}

// Regression: the write-back took the form's property code, so a second property
// overwrote the first one in the register.
TEST_F(Wiro, SavingWritesTheCurrentRowUnderItsOwnCode)
{
    elegirEnFila(7);
    const QVariant primero = campo("id_pre")->Value();
    nuevoPredio();
    campo("nom_pre")->setAsString(QStringLiteral("Los Boldos"));
    campo("com")->setAsString(QStringLiteral("13120"));
    campo("sup")->setAsString(QStringLiteral("33,5"));
    Dataset *rol = tabla("rol");
    ASSERT_TRUE(rol->Append());
    rol->FieldByName(QStringLiteral("rol"))->setAsString(QStringLiteral("77-7"));
    rol->FieldByName(QStringLiteral("com"))->setAsString(QStringLiteral("13120"));
    ASSERT_TRUE(rol->Post());
    agregarPropietario(11111111, QStringLiteral("Boldo"));

    for (int vez = 0; vez < 2; ++vez) {
        SCOPED_TRACE(vez);
        ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
        const int nuevo = uno(QStringLiteral("SELECT pred_codigo FROM predio WHERE pred_nombre = 'Los Boldos'")).toInt();
        EXPECT_GT(nuevo, 9);
        EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_nombre = 'Los Boldos'")), 1);
        EXPECT_EQ(campo("cod_pre")->AsInteger(), nuevo);
        EXPECT_EQ(solicitud()->PredCodigo, nuevo);
        EXPECT_EQ(ppal()->PredCodigo, nuevo);
        EXPECT_EQ(uno(QStringLiteral("SELECT rol_numero FROM rol WHERE pred_codigo = ?"), {nuevo}).toString(), QStringLiteral("77-7"));
        EXPECT_EQ(cuenta(QStringLiteral("rol"), QStringLiteral("pred_codigo = ?"), {nuevo}), 1);
        EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = ?"), {nuevo}), 1);
        // El Roble as the register had it, and the first row's property rows as they were.
        EXPECT_EQ(uno(QStringLiteral("SELECT pred_nombre FROM predio WHERE pred_codigo = 7")).toString(), QStringLiteral("El Roble"));
        EXPECT_EQ(uno(QStringLiteral("SELECT rol_numero FROM rol WHERE pred_codigo = 7")).toString(), QStringLiteral("120-45"));
        EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 1);
        EXPECT_EQ(filasTrabajo("wiro_rol", primero), 1);
        EXPECT_EQ(filasTrabajo("wiro_pro", primero), 1);
    }
}

// The Yes of the same-name question moves the document index to the new property.
TEST_F(Wiro, ReplacingAPropertyOfTheSameNameMovesTheDocumentIndex)
{
    nuevoPredio();
    campo("nom_pre")->setAsString(QStringLiteral("El Roble"));
    dialogos.responder({ID::YES});
    ASSERT_TRUE(guardar());
    const int codigo = campo("cod_pre")->AsInteger();
    EXPECT_GT(codigo, 9);
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_codigo = 7")), 0);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_codigo FROM formPredio WHERE foco_archivo = 'viejo.fkel'")).toInt(), codigo);
}

// Three properties, saved, reopened and exported: one FORMULARIO from the current
// property, its signatory once, a PREDIO per property with its own rows.
TEST_F(Wiro, ExchangeXmlOfThreePropertiesMatchesTheGoldenText)
{
    const struct
    {
        int codigo;
        qint64 firmante;
    } filas[] = {{7, 12345678}, {8, 7654321}, {9, 5555555}};
    for (const auto &f : filas) {
        if (f.codigo != 7)
            nuevoPredio();
        elegirEnFila(f.codigo);
        campo("fir")->setAsInteger(f.firmante);
        campo("ciu")->setAsString(QStringLiteral("Talca"));
        campo("fec")->setAsString(QStringLiteral("05-11-2026"));
        campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    }
    predios()->First();
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();

    reabrirVentanas();
    for (auto &f : formularios)
        ASSERT_TRUE(f->Cargar(archivo));
    ASSERT_EQ(predios()->RecordCount(), 3);
    predios()->First();
    EXPECT_EQ(solicitud()->FirmanteNombre, QStringLiteral("Pérez Soto Ana"));
    const int fila = predios()->RecNo();
    const DatasetState estado = predios()->State();
    const QByteArray xml = solicitud()->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("wiro"))) << "written to wiro.obtenido.xml beside the test";
    EXPECT_EQ(predios()->RecNo(), fila);
    EXPECT_EQ(predios()->State(), estado);
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
    EXPECT_EQ(solicitud()->FirmanteRut, 12345678);
    EXPECT_EQ(solicitud()->PrepararXML(), xml); // the same bytes again

    // Another signatory on the current property: the next FIRMA names them.
    predios()->Next();
    EXPECT_EQ(solicitud()->FirmanteRut, 7654321);
    EXPECT_TRUE(solicitud()->PrepararXML().contains("<FIRMA.RUT>7654321</FIRMA.RUT>"));
}

TEST_F(Wiro, TheSecondPropertyPrintsWithItsSignature)
{
    elegirEnFila(7);
    nuevoPredio();
    elegirEnFila(8);
    campo("ciu")->setAsString(QStringLiteral("Talca"));
    campo("fir")->setAsInteger(7654321);
    const QString pdf = dir.filePath(QStringLiteral("wiro.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(solicitud(), pdf, &error)) << error.toStdString();
    PaginasAPng(pdf, QStringLiteral("WIRO"));
    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. WIRO", "Nº:", "(Uso Okran)", "SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974",
                                    "Solicitud de:", "Documento de prueba", "Información del (los) Propietario (s):", "Muñoz",
                                    "Nombre del Predio:", "Las Vertientes", "Roles de Avalúo Nº:", "300-1",
                                    "Declaro bajo juramento", "Fecha:", "Firma del Propietario o Representante Legal",
                                    "Ciudad:", "Talca", "Nombre:", "Muñoz Lagos Pedro", "Nota:"}),
              QStringList())
        << texto.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("El Roble")));
    EXPECT_FALSE(texto.contains(QStringLiteral("(v.2.5)")));
}

} // namespace
