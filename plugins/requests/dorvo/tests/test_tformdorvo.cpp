// The request form DORVO in a document with a principal form: the fill from the
// property register, the write-back into the main database on save, the replicas a
// child form binds, the checks, the printout and the exchange XML.
#include "documentosolicitud.h"

#include "builtform.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "gridcolumn.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"
#include <QTabWidget>
#include "predio/cabecerasolicitudxml.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "tpgpreview.h"

namespace {

class Dorvo : public DocumentoSolicitud
{
protected:
    Dorvo()
        : DocumentoSolicitud("DORVO")
    {
    }
};

} // namespace

TEST_F(Dorvo, PickingAPropertyFillsTheSectionAndKeepsEachOwnersSex)
{
    elegir(7);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), 7);
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
    EXPECT_EQ(campo("com")->AsString(), QStringLiteral("13120"));
    EXPECT_EQ(campo("prv")->AsString(), QStringLiteral("131")); // from the commune
    EXPECT_EQ(campo("reg")->AsString(), QStringLiteral("13"));
    EXPECT_EQ(campo("sup")->AsString(), QStringLiteral("120,5"));
    EXPECT_EQ(campo("sup_sii")->AsString(), QStringLiteral("118"));
    EXPECT_EQ(campo("sup_tit")->AsString(), QStringLiteral("121"));
    EXPECT_EQ(campo("via")->AsString(), QStringLiteral("Camino a Peñalolén km 3"));
    EXPECT_EQ(solicitud()->PredCodigo, 7);
    EXPECT_EQ(ppal()->PredCodigo, 7);
    EXPECT_EQ(ppal()->PredNombre, QStringLiteral("El Roble")); // the siblings know the name

    Dataset *pro = tabla("pro");
    ASSERT_EQ(pro->RecordCount(), 1) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(pro->FieldByName(QStringLiteral("rut"))->AsInteger(), 12345678);
    EXPECT_EQ(pro->FieldByName(QStringLiteral("pat"))->AsString(), QStringLiteral("Pérez"));
    EXPECT_EQ(pro->FieldByName(QStringLiteral("fono"))->AsString(), QStringLiteral("555 1234"));
    // Regression: the fill dropped the owners' sex, and the next save wrote it away.
    EXPECT_EQ(pro->FieldByName(QStringLiteral("sexo"))->AsInteger(), 2);
    auto *grilla = solicitud()->findChild<DBGrid *>(QStringLiteral("dbgDORVO_pro"));
    ASSERT_NE(grilla, nullptr);
    EXPECT_FALSE(grilla->ColumnByFieldName(QStringLiteral("sexo"))->KeyList().isEmpty()); // shown by name
    EXPECT_EQ(tabla("rep")->RecordCount(), 1);
    EXPECT_EQ(tabla("rol")->FieldByName(QStringLiteral("rol"))->AsString(), QStringLiteral("120-45"));
    EXPECT_EQ(tabla("rol_con")->FieldByName(QStringLiteral("rol"))->AsString(), QStringLiteral("120-46"));
    EXPECT_EQ(tabla("con")->FieldByName(QStringLiteral("num"))->AsInteger(), 567);
    EXPECT_EQ(tabla("con")->FieldByName(QStringLiteral("ano"))->AsInteger(), 1998);
    EXPECT_EQ(tabla("cer")->FieldByName(QStringLiteral("fec"))->AsString(), QStringLiteral("04-03-2001"));
    EXPECT_EQ(tabla("coo")->FieldByName(QStringLiteral("n"))->AsInteger(), 6298000);
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();

    // What the consultant sees, for people to look at.
    auto *paginas = solicitud()->Paginas;
    solicitud()->resize(900, 1000);
    solicitud()->show();
    for (int i = 1; i < paginas->count(); ++i) {
        paginas->setCurrentIndex(i);
        solicitud()->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/DORVO_elegido_%1.png").arg(i));
    }

    // A second pick replaces the rows instead of adding to them.
    elegir(7);
    EXPECT_EQ(tabla("pro")->RecordCount(), 1);
    EXPECT_EQ(tabla("rol")->RecordCount(), 1);
}

TEST_F(Dorvo, SavingWritesThePropertyOwnersAndChildRowsBackByCode)
{
    elegir(7);
    Dataset *pro = tabla("pro");
    ASSERT_TRUE(pro->Edit());
    pro->FieldByName(QStringLiteral("dom"))->setAsString(QStringLiteral("Los Aromos 99"));
    ASSERT_TRUE(pro->Post());
    agregarPersona("pro", 22222222, QStringLiteral("Araya"));
    campo("sup")->setAsString(QStringLiteral("-130")); // a surface typed negative is stored positive
    campo("sup_sii")->setAsString(QString());
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(guardar()); // twice: rows are replaced, not added again

    EXPECT_EQ(cuenta(QStringLiteral("predio")), 1);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_superficie FROM predio WHERE pred_codigo = 7")).toDouble(), 130.0);
    // Regression: an empty number was written as '' instead of NULL.
    EXPECT_TRUE(uno(QStringLiteral("SELECT pred_superficie_sii FROM predio WHERE pred_codigo = 7")).isNull());
    EXPECT_EQ(uno(QStringLiteral("SELECT typeof(pred_superficie) FROM predio WHERE pred_codigo = 7")).toString(),
              QStringLiteral("real"));
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 2);
    EXPECT_EQ(cuenta(QStringLiteral("persona"), QStringLiteral("pers_rut = 12345678")), 1); // updated, not duplicated
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_direccion FROM persona WHERE pers_rut = 12345678")).toString(),
              QStringLiteral("Los Aromos 99"));
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_sexo FROM persona WHERE pers_rut = 12345678")).toInt(), 2);
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_es_propietario FROM persona WHERE pers_rut = 22222222")).toInt(), 1);
    EXPECT_EQ(uno(QStringLiteral("SELECT typeof(pers_rut) FROM persona WHERE pers_rut = 22222222")).toString(),
              QStringLiteral("integer"));
    EXPECT_EQ(cuenta(QStringLiteral("rol"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("rol_contiguo"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("conservador"), QStringLiteral("pred_codigo = 7 AND cons_agno = 1998")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("ministerio"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = 7 AND coor_norte = 6298000")), 1);
    // The representative is written as a person, without a link row.
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_es_representante FROM persona WHERE pers_rut = 9876543")).toInt(), 1);
    EXPECT_EQ(cuenta(QStringLiteral("representante"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_TRUE(QFile::exists(archivo));
}

TEST_F(Dorvo, ANewPropertyGetsItsCodeAndEverySiblingReceivesIt)
{
    escribirPredioNuevo(QStringLiteral("Los Olmos"));
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    const int nuevo = uno(QStringLiteral("SELECT pred_codigo FROM predio WHERE pred_nombre = 'Los Olmos'")).toInt();
    EXPECT_GT(nuevo, 7);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), nuevo);
    EXPECT_EQ(solicitud()->PredCodigo, nuevo);
    EXPECT_EQ(ppal()->PredCodigo, nuevo);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_provincia FROM predio WHERE pred_codigo = ?"), {nuevo}).toString(),
              QStringLiteral("131"));
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = ?"), {nuevo}), 1);
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

// The same-name question: Yes replaces one property (with everything hanging from it) and
// the document index follows it; No adds a second property; Cancel writes nothing.
struct CasoMismoNombre
{
    int respuesta;
    int prediosDespues; // of that name
    bool reemplaza;
};

class DorvoMismoNombre : public Dorvo, public ::testing::WithParamInterface<CasoMismoNombre>
{
};

TEST_P(DorvoMismoNombre, AnswersDecideWhatHappensToTheRegisterProperty)
{
    const CasoMismoNombre caso = GetParam();
    // A second property of the same name that must survive a Yes.
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO predio (pred_codigo, pred_nombre) VALUES (8, 'EL ROBLE')")));
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO rol (rol_numero, pred_codigo) VALUES ('8-1', 8)")));
    escribirPredioNuevo(QStringLiteral("el roble")); // names compare without case
    dialogos.responder({caso.respuesta});
    ASSERT_TRUE(guardar()); // the document is written whatever the answer
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.startsWith(QStringLiteral("Ya existe un predio con el mismo nombre")));
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_nombre = 'el roble'")), caso.prediosDespues);
    // Regression: Yes deleted every property of that name and left their rows behind.
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_codigo = 8")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("rol"), QStringLiteral("pred_codigo = 8")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_codigo = 7")), caso.reemplaza ? 0 : 1);
    for (const char *t : {"rol", "rol_contiguo", "conservador", "ministerio", "coordenada", "propietario", "representante"})
        EXPECT_EQ(cuenta(QLatin1String(t), QStringLiteral("pred_codigo = 7")), caso.reemplaza ? 0 : 1) << t;
    const int codigo = campo("cod_pre")->AsInteger();
    if (caso.respuesta == ID::CANCEL) {
        EXPECT_EQ(codigo, -1);
        EXPECT_EQ(solicitud()->PredCodigo, 0);
        return;
    }
    EXPECT_GT(codigo, 8);
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_codigo FROM formPredio WHERE foco_archivo = 'viejo.fkel'")).toInt(),
              caso.reemplaza ? codigo : 7);
}

INSTANTIATE_TEST_SUITE_P(Respuestas, DorvoMismoNombre,
                         ::testing::Values(CasoMismoNombre{ID::YES, 2, true}, CasoMismoNombre{ID::NO, 3, false},
                                           CasoMismoNombre{ID::CANCEL, 2, false}),
                         [](const auto &info) {
                             return std::string(info.param.respuesta == ID::YES  ? "Si"
                                                : info.param.respuesta == ID::NO ? "No"
                                                                                 : "Cancelar");
                         });

TEST_F(Dorvo, AFailureMidWriteBackLeavesTheMainDatabaseAndTheDocumentAsTheyWere)
{
    escribirPredioNuevo(QStringLiteral("Los Olmos"));
    ASSERT_TRUE(bd.exec(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON propietario BEGIN "
                                       "SELECT RAISE(ABORT, 'disco lleno'); END")));
    const int predios = cuenta(QStringLiteral("predio"));
    const int personas = cuenta(QStringLiteral("persona"));
    const int roles = cuenta(QStringLiteral("rol"));
    EXPECT_FALSE(guardar());
    EXPECT_EQ(cuenta(QStringLiteral("predio")), predios);
    EXPECT_EQ(cuenta(QStringLiteral("persona")), personas);
    EXPECT_EQ(cuenta(QStringLiteral("rol")), roles);
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_EQ(solicitud()->PredCodigo, 0);
    EXPECT_EQ(ppal()->PredCodigo, 0);
    EXPECT_FALSE(QFile::exists(archivo));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("disco lleno")));
    // Once the cause is gone the same save goes through.
    ASSERT_TRUE(bd.exec(QStringLiteral("DROP TRIGGER falla")));
    EXPECT_TRUE(guardar());
    EXPECT_EQ(cuenta(QStringLiteral("predio")), predios + 1);
}

// The write-back and the document are one outcome: a document that cannot be written
// after the write-back ran leaves the main database and the forms as they were.
TEST_F(Dorvo, ADocumentThatCannotBeWrittenLeavesTheMainDatabaseAsItWas)
{
    escribirPredioNuevo(QStringLiteral("Los Olmos"));
    const QStringList tablas = {QStringLiteral("predio"), QStringLiteral("persona"), QStringLiteral("propietario"),
                                QStringLiteral("rol"), QStringLiteral("conservador")};
    QList<int> antes;
    for (const QString &t : tablas)
        antes << cuenta(t);
    const QString sinCarpeta = app + QStringLiteral("no existe/documento.fkel");
    EXPECT_FALSE(TCustomMDIChild::GuardarDocumento(sinCarpeta, {ppal(), solicitud()}));
    for (qsizetype i = 0; i < tablas.size(); ++i)
        EXPECT_EQ(cuenta(tablas[i]), antes[i]) << tablas[i].toStdString();
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_EQ(solicitud()->PredCodigo, 0);
    EXPECT_EQ(ppal()->PredCodigo, 0);
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("No se pudo escribir el archivo")));
    // The same save to a folder that exists writes the property once, under its new code.
    ASSERT_TRUE(guardar());
    EXPECT_EQ(cuenta(QStringLiteral("predio")), antes[0] + 1);
    EXPECT_EQ(cuenta(QStringLiteral("predio"), QStringLiteral("pred_codigo = ? AND pred_nombre = 'Los Olmos'"),
                     {solicitud()->PredCodigo}),
              1);
}

TEST_F(Dorvo, AnEmptyNameWritesNothingButTheDocument)
{
    agregarPersona("pro", 11111111, QStringLiteral("Nuevo"));
    const int personas = cuenta(QStringLiteral("persona"));
    ASSERT_TRUE(guardar());
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.startsWith(QStringLiteral("Dado que el campo \"Nombre de Predio\" está vacío")));
    EXPECT_EQ(cuenta(QStringLiteral("persona")), personas);
    EXPECT_TRUE(QFile::exists(archivo));
}

TEST_F(Dorvo, ChildFormReplicasShowDorvosDataReadOnly)
{
    elegir(7);
    // What a plan or annex form finds and binds.
    for (const char *sufijo : {"coo", "pro", "rep", "rol", "rol_con"})
        EXPECT_NE(ppal()->BuscarDataset(QStringLiteral("dorvo"), QLatin1String(sufijo)), nullptr) << sufijo;
    EXPECT_NE(ppal()->BuscarDataset(QStringLiteral("dorvo"), QString()), nullptr); // the main table
    DataSource *fuente = ppal()->BuscarDatasource(QStringLiteral("DORVO"));
    ASSERT_NE(fuente, nullptr);
    for (const char *f : {"nom_pre", "sup", "sup_tit", "sup_sii", "via", "com", "prv", "reg", "ciu", "fec"})
        EXPECT_NE(fuente->DataSet()->FindField(QLatin1String(f)), nullptr) << f;

    auto *nombre = new DBEdit(ppal());
    nombre->setDataSource(nullptr, QStringLiteral("nom_pre"));
    ppal()->DataSourceExterno(nombre, QStringLiteral("dorvo"));
    EXPECT_EQ(nombre->text(), QStringLiteral("El Roble"));
    EXPECT_TRUE(nombre->controlReadOnly());

    for (const char *c : {"com", "prv", "reg", "fir"}) {
        auto *combo = new DBLookupComboBox(ppal());
        combo->setDataSource(nullptr, QLatin1String(c));
        ppal()->DatasourceExterno(combo, QStringLiteral("dorvo"));
        EXPECT_NE(combo->ListSource(), nullptr) << c;
        EXPECT_TRUE(combo->controlReadOnly()) << c;
    }

    auto *duenos = new DBGrid(ppal());
    ppal()->DataSetExterno(duenos, QStringLiteral("dorvo"), QStringLiteral("pro"));
    EXPECT_EQ(duenos->DataSet()->RecordCount(), 1);
    EXPECT_TRUE(duenos->ReadOnly());

    // The replica follows what is typed in Dorvo.
    campo("nom_pre")->setAsString(QStringLiteral("El Roble Alto"));
    EXPECT_EQ(nombre->text(), QStringLiteral("El Roble Alto"));
}

TEST_F(Dorvo, TheChosenSignatoryFillsTheFormsSignatoryFields)
{
    agregarPersona("pro", 12345678, QStringLiteral("Pérez"));
    agregarPersona("rep", 9876543, QStringLiteral("Rojas")); // the register adds the second surname
    campo("fir")->setAsInteger(9876543);
    EXPECT_EQ(solicitud()->FirmanteRut, 9876543);
    EXPECT_EQ(solicitud()->FirmanteDv, DigitoVerificador(QStringLiteral("9876543")));
    EXPECT_EQ(solicitud()->FirmanteNombre, QStringLiteral("Rojas Mena Nombre Rojas"));
    auto *firmantes = solicitud()->findChild<Dataset *>(QStringLiteral("adqNom_firma"));
    ASSERT_NE(firmantes, nullptr);
    EXPECT_EQ(firmantes->RecordCount(), 2);
}

TEST_F(Dorvo, TheMainRecordCheckStopsAtTheFirstMissingValue)
{
    solicitud()->Guardando = false;
    bool posteado = false;
    EXPECT_FALSE(catchAbort([&] { posteado = solicitud()->DatasetPpal->Post(); }));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("Nombre Predio"))) << dialogos.boxes.first().texto.toStdString();

    // A complete property passes the property checks and stops at the request's own data.
    elegir(7);
    dialogos.boxes.clear();
    EXPECT_FALSE(catchAbort([&] { posteado = solicitud()->DatasetPpal->Post(); }));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QStringLiteral("Ciudad"))) << dialogos.boxes.first().texto.toStdString();
}

TEST_F(Dorvo, ExchangeXmlMatchesTheGoldenText)
{
    elegir(7);
    Dataset *pro = tabla("pro");
    ASSERT_TRUE(pro->Edit());
    pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
    ASSERT_TRUE(pro->Post());
    campo("ciu")->setAsString(QStringLiteral("Santiago"));
    campo("fec")->setAsString(QStringLiteral("05-11-2026"));
    campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    const QByteArray xml = solicitud()->PrepararXML();
    QFile golden(QStringLiteral(BRENVIK_TEST_DIR "/dorvo.xml"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray esperado = golden.readAll();
    EXPECT_TRUE(xml == esperado) << "written to dorvo.actual.xml beside the test";
    if (xml != esperado) {
        QFile actual(QStringLiteral("dorvo.actual.xml"));
        ASSERT_TRUE(actual.open(QIODevice::WriteOnly));
        actual.write(xml);
    }
}

TEST_F(Dorvo, PrintoutAndCoverLetterCarryThePropertyData)
{
    elegir(7);
    for (const bool difrol : {false, true}) {
        TPgPreview vista;
        vista.SetPaperSize(TPgPaperSize::Legal);
        TRegistroImpresion registro;
        TImpresion imp(&vista);
        imp.setRegistro(&registro);
        if (difrol)
            ppal()->ComponerDifrol(&imp); // the base forwards to the request form
        else
            solicitud()->ComponerImpresion(&imp);
        const QStringList esperados = difrol
            ? QStringList{QStringLiteral("Datos del Predio"), QStringLiteral("Nombre   :El Roble"),
                          QStringLiteral("Comuna   :Ñuñoa"), QStringLiteral("Provincia:Santiago"), QStringLiteral("120-45")}
            : QStringList{QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974"), QStringLiteral("1. PROPIETARIO(A)"),
                          QStringLiteral("2. REPRESENTANTE LEGAL"), QStringLiteral("3. PREDIO"), QStringLiteral("El Roble"),
                          QStringLiteral("Ñuñoa"), QStringLiteral("Pérez"), QStringLiteral("1234v"), QStringLiteral("Portón")};
        for (const QString &t : esperados)
            EXPECT_NE(registro.Buscar(t), nullptr) << t.toStdString() << (difrol ? " (carta)" : "");
        // Fault: the owners' check columns printed "True"/"False"; they read as on screen.
        QStringList marcas;
        for (const TPasoImpresion &p : registro.Pasos)
            if (p.texto == QLatin1String("Sí") || p.texto == QLatin1String("No") || p.texto == QLatin1String("True")
                || p.texto == QLatin1String("False"))
                marcas << p.texto;
        if (difrol) {
            EXPECT_FALSE(marcas.isEmpty());
            EXPECT_FALSE(marcas.contains(QStringLiteral("True")) || marcas.contains(QStringLiteral("False")))
                << marcas.join(' ').toStdString();
        }
        vista.resize(900, 1500);
        vista.show();
        vista.SetZoom(100);
        vista.SetCurrentPage(1);
        vista.grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/DORVO_impresion%1.png").arg(difrol ? "_difrol" : ""));
    }
}


TEST_F(Dorvo, ABoundFormWritesTheRequestsSignatoryAsItsFirmaNode)
{
    TXML xml;
    auto firma = [&] {
        xml.Limpiar();
        NodosPredioXML::Firma(xml, solicitud(), QStringLiteral("Ñuñoa"));
        return xml.Texto();
    };
    EXPECT_EQ(firma(), QByteArray("<FIRMA>\r\n    <FIRMA.CIUDAD>\xd1u\xf1oa</FIRMA.CIUDAD>\r\n</FIRMA>\r\n"));
    agregarPersona("pro", 12345678, QStringLiteral("Pérez"));
    campo("fir")->setAsInteger(12345678);
    EXPECT_EQ(firma(), QByteArray("<FIRMA>\r\n    <FIRMA.NOMBRE>P\xe9rez Soto Nombre P\xe9rez</FIRMA.NOMBRE>\r\n"
                                  "    <FIRMA.RUT>12345678</FIRMA.RUT>\r\n    <FIRMA.DV>5</FIRMA.DV>\r\n"
                                  "    <FIRMA.CIUDAD>\xd1u\xf1oa</FIRMA.CIUDAD>\r\n</FIRMA>\r\n"));
}

// The section configured for a second property of a form (a destination): it keeps its
// own code and the document's property and the sibling forms stay as they were; the
// documents indexed on the property it replaced follow it to its new code.
TEST_F(Dorvo, ASecondPropertySectionKeepsItsCodeToItself)
{
    ConfiguracionPredio cfg = predio()->config();
    cfg.principal = false;
    cfg.sexoPropietarios = false;
    cfg.escribirRepresentantes = false;
    SeccionPredio segunda(solicitud(), cfg);
    segunda.setCodigoPredio(7);
    ASSERT_TRUE(segunda.llenar());
    EXPECT_EQ(solicitud()->PredCodigo, 0);
    EXPECT_TRUE(tabla("pro")->FieldByName(QStringLiteral("sexo"))->IsNull());

    // Saved as a new property replacing the register's one of the same name.
    ASSERT_TRUE(solicitud()->DatasetPpal->Edit());
    campo("cod_pre")->setAsInteger(-1);
    segunda.setCodigoPredio(0);
    dialogos.responder({ID::YES});
    ASSERT_TRUE(catchAbort([&] { segunda.guardar(); }));
    const int nuevo = segunda.codigoPredio();
    EXPECT_GT(nuevo, 7);
    EXPECT_EQ(solicitud()->PredCodigo, 0);
    EXPECT_EQ(ppal()->PredCodigo, 0);
    // Regression: the index kept pointing at the deleted code 7.
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_codigo FROM formPredio WHERE foco_archivo = 'viejo.fkel'")).toInt(), nuevo);
    EXPECT_EQ(cuenta(QStringLiteral("formPredio"), QStringLiteral("pred_codigo NOT IN (SELECT pred_codigo FROM predio)")), 0);
    EXPECT_EQ(uno(QStringLiteral("SELECT pers_sexo FROM persona WHERE pers_rut = 12345678")).toInt(), 2); // left alone
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = ?"), {nuevo}), 1);
}

TEST_F(Dorvo, ALoadedDocumentKnowsItsPropertyNameAndSignatory)
{
    elegir(7);
    Dataset *pro = tabla("pro");
    ASSERT_TRUE(pro->Edit());
    pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
    ASSERT_TRUE(pro->Post());
    campo("fir")->setAsInteger(12345678);
    ASSERT_TRUE(guardar());

    // The same document opened again: new windows, then the records of the file.
    reabrirVentanas();
    EXPECT_TRUE(solicitud()->FirmanteNombre.isEmpty());
    for (auto &f : formularios)
        ASSERT_TRUE(f->Cargar(archivo));
    EXPECT_EQ(campo("nom_pre")->AsString(), QStringLiteral("El Roble"));
    EXPECT_EQ(ppal()->PredNombre, QStringLiteral("El Roble"));
    EXPECT_EQ(solicitud()->FirmanteRut, 12345678);
    EXPECT_EQ(solicitud()->FirmanteNombre, QStringLiteral("Pérez Soto Ana"));
    EXPECT_EQ(tabla("pro")->FieldByName(QStringLiteral("sexo"))->AsInteger(), 2);
}

// The checks of the property tables: each row below is refused with the message naming
// the field at fault. (R.U.T. 11111111 is not in the register, whose persons fill a row.)
struct CasoTabla
{
    const char *parte;
    QList<QPair<const char *, const char *>> valores; // field, text
    const char *mensaje;
};

class DorvoTablas : public Dorvo, public ::testing::WithParamInterface<CasoTabla>
{
};

TEST_P(DorvoTablas, ARowMissingWhatTheTableNeedsIsRefused)
{
    const CasoTabla caso = GetParam();
    Dataset *ds = tabla(caso.parte);
    ASSERT_TRUE(ds->Append());
    for (const auto &[nombre, texto] : caso.valores)
        ASSERT_TRUE(ds->FieldByName(QLatin1String(nombre))->setAsString(QString::fromUtf8(texto))) << nombre;
    bool posteado = false;
    EXPECT_FALSE(catchAbort([&] { posteado = ds->Post(); }));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_TRUE(dialogos.boxes.first().texto.contains(QString::fromUtf8(caso.mensaje)))
        << dialogos.boxes.first().texto.toStdString();
    ds->Cancel();
    EXPECT_EQ(ds->RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tablas, DorvoTablas,
    ::testing::Values(CasoTabla{"rol", {{"rol", "1-2"}}, "El campo \"Comuna\" no puede quedar vacío"},
                      CasoTabla{"rol_con", {}, "El campo \"Rol Nº\" no puede quedar vacío"},
                      CasoTabla{"con", {{"foj", "12"}, {"num", "3"}, {"ano", "1850"}, {"con", "Talca"}}, "\"Año\" sólo permite valores de año"},
                      CasoTabla{"cer", {{"cer", "BN-1"}}, "El campo \"Fecha\" no puede quedar vacío"},
                      CasoTabla{"coo", {{"pun", "Puente"}, {"n", "-5"}, {"e", "1"}}, "no puede contener valores negativos"},
                      CasoTabla{"pro", {{"rut", "11111111"}, {"dv", "1"}}, "El campo \"Apellido Paterno\" no puede quedar vacío"},
                      CasoTabla{"rep", {{"pat", "Rojas"}, {"rut", "12345678"}, {"dv", "1"}}, "El dígito verificador no concuerda"},
                      CasoTabla{"pro", {{"pat", "Rojas"}, {"rut", "11111111"}, {"dv", "1"}, {"ciu", "Talca"}, {"com", "13120"}},
                                "El campo \"Domicilio\" no puede quedar vacío"}),
    [](const auto &info) { return std::to_string(info.index) + "_" + info.param.parte; });

// A described size smaller than a page forced the page below its own minimum, and its
// rows were squeezed together.
TEST_F(Dorvo, PagesNeverShrinkBelowWhatTheirRowsNeed)
{
    QTabWidget *paginas = solicitud()->Paginas;
    ASSERT_NE(paginas, nullptr);
    EXPECT_GE(paginas->minimumHeight(), paginas->minimumSizeHint().height());
    EXPECT_GE(paginas->minimumHeight(), 587);
}

// Person rows without a R.U.T. (rows of a document file, which the save posts unchecked)
// cannot be matched to a register person: they are left out of the register, said once
// per save, and the other persons are written as ever.
TEST_F(Dorvo, PersonsWithoutRutAreLeftOutOfTheRegisterWithOneWarning)
{
    elegir(7);
    Connection *trabajo = solicitud()->ConexionBD;
    for (const char *sql : {"INSERT INTO dorvo_pro (pat) VALUES ('SinRut')", "INSERT INTO dorvo_pro (pat, rut) VALUES ('Cero', 0)",
                            "INSERT INTO dorvo_rep (pat) VALUES ('SinRutRep')"})
        ASSERT_TRUE(trabajo->exec(QLatin1String(sql))) << trabajo->lastError().text().toStdString();
    const int personas = cuenta(QStringLiteral("persona"));
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(dialogos.boxes.size(), 1) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dialogos.boxes.first().tipo, mtWarning);
    EXPECT_EQ(dialogos.boxes.first().texto,
              QStringLiteral("Los propietarios o representantes sin R.U.T. no se almacenarán en la base de datos central.\n\n"
                             "Pese a ello, igualmente se guardarán en el archivo especificado."));
    EXPECT_EQ(cuenta(QStringLiteral("persona")), personas);
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("persona"), QStringLiteral("pers_paterno LIKE 'SinRut%' OR pers_paterno = 'Cero'")), 0);

    // A save with every R.U.T. in place says nothing.
    for (const char *sql : {"DELETE FROM dorvo_pro WHERE rut IS NULL OR rut = 0", "DELETE FROM dorvo_rep WHERE rut IS NULL"})
        ASSERT_TRUE(trabajo->exec(QLatin1String(sql)));
    dialogos.boxes.clear();
    ASSERT_TRUE(guardar());
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
}

// The printed owners: natural persons (with their surnames) unless the register gives
// the first owner a person type other than "1"; the type is seldom written, so an
// unknown or missing one prints the natural layout.
TEST_F(Dorvo, OwnersPrintAsNaturalPersonsUnlessTheFirstOnesRegisterTypeSaysOtherwise)
{
    const struct
    {
        const char *tipo; // tipr_codigo of the first owner in the register; "-" not there
        bool natural;
    } casos[] = {{"1", true}, {"2", false}, {nullptr, true}, {"-", true}, {"", true}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.tipo ? caso.tipo : "NULL");
        ASSERT_TRUE(bd.exec(QStringLiteral("UPDATE persona SET tipr_codigo = ? WHERE pers_rut = 12345678"),
                            {caso.tipo ? QVariant(QString::fromLatin1(caso.tipo)) : QVariant()}));
        if (&caso != casos)
            dialogos.responder({ID::YES}); // a second pick asks before replacing what is typed
        elegir(7); // the register's owner alone again
        if (caso.tipo && QLatin1String(caso.tipo) == QLatin1String("-")) {
            Dataset *pro = tabla("pro");
            ASSERT_TRUE(pro->Edit());
            pro->FieldByName(QStringLiteral("rut"))->setAsInteger(33333333);
            pro->FieldByName(QStringLiteral("dv"))->setAsString(dv(33333333));
            ASSERT_TRUE(pro->Post());
        }
        // A second owner of the other layout, and the cursor left on it as an export leaves it.
        ASSERT_TRUE(bd.exec(QStringLiteral("DELETE FROM persona WHERE pers_rut = 22222222")));
        if (caso.natural)
            ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO persona (pers_rut, pers_paterno, tipr_codigo) VALUES (22222222, 'Segundo', '2')")));
        agregarPersona("pro", 22222222, QStringLiteral("Segundo"));
        solicitud()->PrepararXML();
        tabla("pro")->Last();

        TPgPreview vista;
        TRegistroImpresion registro;
        TImpresion imp(&vista);
        imp.setRegistro(&registro);
        solicitud()->ComponerImpresion(&imp);
        EXPECT_EQ(registro.Buscar(QStringLiteral("Razón Social")) == nullptr, caso.natural);
        // Regression: natural persons printed in the juridical layout lost their surnames.
        EXPECT_EQ(registro.Buscar(QStringLiteral("Soto")) != nullptr, caso.natural);
        EXPECT_NE(registro.Buscar(QStringLiteral("Nombre Segundo")), nullptr);
    }
}

// Forms whose section asks about usufruct: ticking an owner's `usuf` asks, No unticks it.
// Dorvo itself does not ask.
TEST_F(Dorvo, TickingUsufructAsksWhenTheSectionIsSoConfigured)
{
    elegir(7);
    Dataset *pro = tabla("pro");
    Field *usuf = pro->FieldByName(QStringLiteral("usuf"));
    ASSERT_TRUE(pro->Edit());
    usuf->setAsBoolean(true);
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    ASSERT_TRUE(pro->Post());

    ConfiguracionPredio cfg = predio()->config();
    cfg.preguntarUsufructo = true;
    SeccionPredio pregunta(solicitud(), cfg);
    pregunta.enlazar(*solicitud()->findChild<BuiltForm *>());
    pro->Close();
    ASSERT_TRUE(pro->Open());
    usuf = pro->FieldByName(QStringLiteral("usuf"));
    for (const int respuesta : {ID::NO, ID::YES}) {
        dialogos.boxes.clear();
        ASSERT_TRUE(pro->Edit());
        usuf->setAsBoolean(false);
        dialogos.responder({respuesta});
        usuf->setAsBoolean(true);
        ASSERT_EQ(dialogos.boxes.size(), 1);
        EXPECT_EQ(dialogos.boxes.first().texto, QStringLiteral("¿ Está seguro que desea marcar este propietario como Usufructuario ? "));
        EXPECT_EQ(dialogos.boxes.first().tipo, mtConfirmation);
        EXPECT_EQ(usuf->AsBoolean(), respuesta == ID::YES);
        pro->Cancel();
    }
}

// The head of a request form's XML in the variants the request forms differ in.
TEST_F(Dorvo, TheRequestHeadWritesTheLeavesItsVariantAsksFor)
{
    elegir(7);
    campo("ciu")->setAsString(QStringLiteral("Talca"));
    campo("fec")->setAsString(QStringLiteral("05-11-2026"));
    campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    const auto cabecera = [&](const NodosPredioXML::CabeceraSolicitud &c) {
        TXML xml;
        NodosPredioXML::FormularioSolicitud(xml, solicitud(), *predio(), c);
        NodosPredioXML::PredioSolicitud(xml, *predio(), c);
        xml.CerrarNodo();
        xml.CerrarNodo();
        return QString::fromLatin1(xml.Texto());
    };
    NodosPredioXML::CabeceraSolicitud dorvo;
    const QString completa = cabecera(dorvo);
    // (The test's principal form is not in the list of forms: its type code is -1.)
    for (const char *hoja : {".TISO_CODIGO_DE>-1<", ".SOLI_SUP_SOLICITADA>12,5<", ".SOLI_SUP_TOTAL>120,5<", ".LUGAR>TALCA<",
                             ".FECHA>05-11-2026<", ".SUPERFICIE_SII>118<", ".ACCESO>", ".PRED_ESTADO>1<"})
        EXPECT_TRUE(completa.contains(QLatin1String(hoja))) << hoja << "\n" << completa.toStdString();

    NodosPredioXML::CabeceraSolicitud otra;
    otra.tisoPropio = true;
    otra.superficieSolicitada = false;
    otra.superficieTotal = false;
    otra.lugarYFecha = false;
    otra.ciudadEnFirmas = false;
    otra.acceso = false;
    otra.predio = [](TXML &x) { x.Hijo(QStringLiteral("ALERCE_DESTINO"), QStringLiteral("0")); };
    Dataset *pro = tabla("pro");
    ASSERT_TRUE(pro->Edit());
    pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
    ASSERT_TRUE(pro->Post());
    const QString variante = cabecera(otra);
    EXPECT_TRUE(variante.contains(QLatin1String(".TISO_CODIGO_DE>1<"))) << variante.toStdString();
    EXPECT_TRUE(variante.contains(QLatin1String(".SOLI_SUP_TOTAL>0<")));
    EXPECT_TRUE(variante.contains(QLatin1String(".ALERCE_DESTINO>0</PREDIO.ALERCE_DESTINO>\r\n        <PREDIO.PRED_ESTADO>")));
    EXPECT_TRUE(variante.contains(QLatin1String("<FIRMA>")));
    for (const char *hoja : {"SOLI_SUP_SOLICITADA", ".LUGAR>", ".FECHA>", ".CIUDAD>", ".ACCESO>"})
        EXPECT_FALSE(variante.contains(QLatin1String(hoja))) << hoja;
}

// Exporting leaves every table's cursor where the consultant had it.
TEST_F(Dorvo, ExportingPutsBackEveryCursor)
{
    elegir(7);
    agregarPersona("pro", 22222222, QStringLiteral("Araya"));
    agregarPersona("rep", 33333333, QStringLiteral("Bravo"), true);
    tabla("pro")->First();
    tabla("rep")->First();
    solicitud()->PrepararXML();
    EXPECT_EQ(tabla("pro")->RecNo(), 1);
    EXPECT_EQ(tabla("rep")->RecNo(), 1);
    EXPECT_EQ(tabla("pro")->FieldByName(QStringLiteral("rut"))->AsInteger(), 12345678);
}

// The producer's line names the representative the cursor stands on.
TEST_F(Dorvo, TheProducerLineNamesTheCurrentRepresentative)
{
    EXPECT_EQ(predio()->lineaProductor(), QStringLiteral("1. YO      RUT  - ")); // nobody yet
    elegir(7);
    agregarPersona("rep", 22222222, QStringLiteral("Araya"));
    tabla("rep")->First();
    EXPECT_EQ(predio()->lineaProductor(), QStringLiteral("1. YO Luis Rojas Mena   RUT 9876543 - 3"));
    tabla("rep")->Last();
    EXPECT_EQ(predio()->lineaProductor(), QStringLiteral("1. YO Nombre Araya Araya    RUT 22222222 - ") + dv(22222222));
}

// The printout as the consultant gets it on paper.
TEST_F(Dorvo, ThePrintedRequestReadsBackThroughPdftotext)
{
    elegir(7);
    campo("ciu")->setAsString(QStringLiteral("Talca"));
    const QString pdf = dir.filePath(QStringLiteral("dorvo.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(solicitud(), pdf, &error)) << error.toStdString();
    PaginasAPng(pdf, QStringLiteral("DORVO"));
    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    qsizetype desde = 0;
    for (const char *parte : {"Form. DORVO (v.2.5)", "Nº:", "(Uso Okran)", "SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974",
                              "1. PROPIETARIO(A)", "Pérez", "Soto", "2. REPRESENTANTE LEGAL", "Rojas", "3. PREDIO", "El Roble"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte << "\n" << texto.toStdString();
        if (en >= 0)
            desde = en;
    }
    EXPECT_FALSE(texto.contains(QStringLiteral("Razón Social")));
}
