// The request DUVI in a document with a principal form: what it requests, the fill from
// the property register (representatives left alone), the signatory and usufruct, the
// main-record check, the affected surface shown from the principal form, the write-back,
// the printout and the exchange XML.
#include "documentosolicitud.h"

#include "classregistry.h"
#include "dbedit.h"
#include "formcomponents.h"
#include "imprimirpdf.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "pdfatexto.h"
#include "textoesperado.h"
#include "tpgpreview.h"

#include <QTabWidget>

namespace {

class Duvi : public DocumentoSolicitud
{
protected:
    Duvi()
        : DocumentoSolicitud("DUVI")
    {
    }

    // The property of the register with everything the request needs besides it: the
    // owner signs, the city, the date and the boundaries.
    void completar()
    {
        elegir(7);
        Dataset *pro = tabla("pro");
        ASSERT_TRUE(pro->Edit());
        pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
        ASSERT_TRUE(pro->Post());
        campo("ciu")->setAsString(QStringLiteral("Santiago"));
        campo("fec")->setAsString(QStringLiteral("05-03-2026"));
        campo("fir")->setAsInteger(12345678);
        campo("norte")->setAsString(QStringLiteral("Río Maullín"));
        campo("sur")->setAsString(QStringLiteral("Fundo Las Quemas"));
        campo("este")->setAsString(QStringLiteral("Camino público"));
        campo("oeste")->setAsString(QStringLiteral("Estero Ñadi"));
    }

    // Posts the main record as the consultant's entry: the check runs.
    bool postear()
    {
        solicitud()->Guardando = false;
        bool posteado = false;
        catchAbort([&] { posteado = solicitud()->DatasetPpal->Post(); });
        return posteado;
    }

    void vaciar(const char *parte)
    {
        ASSERT_TRUE(solicitud()->ConexionBD->exec(QStringLiteral("DELETE FROM duvi_%1").arg(QLatin1String(parte))));
        Dataset *ds = tabla(parte);
        ds->Close();
        ASSERT_TRUE(ds->Open());
    }

    QString xml() { return QString::fromLatin1(solicitud()->PrepararXML()); }
};

} // namespace

TEST_F(Duvi, TheRequestNamesWhatTheDocumentAsksForAndSurvivesASave)
{
    EXPECT_EQ(campo("sol")->AsString(), QStringLiteral("Documento de prueba"));
    EXPECT_EQ(campo("cod_pre")->AsInteger(), -1);
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();

    completar();
    campo("sup_sii")->setAsString(QStringLiteral("-119,5")); // typed negative, kept positive
    campo("via")->setAsString(QStringLiteral("Ruta 5 Sur km 1.020"));
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    const QueryResult r = bd.select(QStringLiteral("SELECT pred_superficie_sii, pred_superficie_et, pred_ubicacion FROM predio "
                                                   "WHERE pred_codigo = 7"));
    ASSERT_TRUE(r.ok && r.rows.size() == 1);
    EXPECT_EQ(r.rows[0].value(0).toDouble(), 119.5);
    EXPECT_EQ(r.rows[0].value(1).toDouble(), 121.0);
    EXPECT_EQ(r.rows[0].value(2).toString(), QStringLiteral("Ruta 5 Sur km 1.020"));
    EXPECT_EQ(cuenta(QStringLiteral("rol_contiguo"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = 7")), 1);

    reabrirVentanas();
    for (auto &f : formularios)
        ASSERT_TRUE(f->Cargar(archivo));
    EXPECT_EQ(campo("sol")->AsString(), QStringLiteral("Documento de prueba"));
    EXPECT_EQ(campo("oeste")->AsString(), QStringLiteral("Estero Ñadi"));
    EXPECT_EQ(solicitud()->FirmanteRut, 12345678);
}

// The fill from the register leaves the representatives as they were typed; the
// signatory list offers a representative while there is no owner.
TEST_F(Duvi, PickingAPropertyLeavesTheRepresentativesAndTheyMaySignAlone)
{
    auto *firmantes = solicitud()->findChild<Dataset *>(QStringLiteral("adqNom_firma"));
    ASSERT_NE(firmantes, nullptr);
    agregarPersona("rep", 33333333, QStringLiteral("Bravo"));
    EXPECT_EQ(firmantes->RecordCount(), 1);
    EXPECT_EQ(firmantes->FieldByName(QStringLiteral("rut"))->AsInteger(), 33333333);

    dialogos.responder({ID::YES}); // a pick asks before replacing what is typed
    elegir(7);
    Dataset *rep = tabla("rep");
    ASSERT_EQ(rep->RecordCount(), 1); // not the register's representative 9876543
    rep->First();
    EXPECT_EQ(rep->FieldByName(QStringLiteral("rut"))->AsInteger(), 33333333);
    EXPECT_EQ(tabla("pro")->RecordCount(), 1);
    EXPECT_EQ(tabla("pro")->FieldByName(QStringLiteral("fono"))->AsString(), QStringLiteral("555 1234"));
    EXPECT_EQ(tabla("coo")->RecordCount(), 1);
    EXPECT_EQ(tabla("rol_con")->RecordCount(), 1);
    EXPECT_EQ(campo("via")->AsString(), QStringLiteral("Camino a Peñalolén km 3"));
    EXPECT_EQ(firmantes->RecordCount(), 2);

    // Choosing the representative as signatory gives the form its signatory fields.
    campo("fir")->setAsInteger(33333333);
    EXPECT_EQ(solicitud()->FirmanteRut, 33333333);
    EXPECT_EQ(solicitud()->FirmanteDv, DigitoVerificador(QStringLiteral("33333333")));
    EXPECT_EQ(solicitud()->FirmanteNombre, QStringLiteral("Bravo  Nombre Bravo"));
    campo("fir")->setAsInteger(12345678);
    EXPECT_EQ(solicitud()->FirmanteNombre, QStringLiteral("Pérez Soto Ana"));
    EXPECT_EQ(solicitud()->FirmanteDv, QChar(u'5'));
}

TEST_F(Duvi, TickingUsufructAsksAndNoUnticksIt)
{
    elegir(7);
    Dataset *pro = tabla("pro");
    Field *usuf = pro->FieldByName(QStringLiteral("usuf"));
    for (const int respuesta : {ID::NO, ID::YES}) {
        dialogos.boxes.clear();
        ASSERT_TRUE(pro->Edit());
        dialogos.responder({respuesta});
        usuf->setAsBoolean(true);
        ASSERT_EQ(dialogos.boxes.size(), 1);
        EXPECT_EQ(dialogos.boxes.first().texto,
                  QStringLiteral("¿ Está seguro que desea marcar este propietario como Usufructuario ? "));
        EXPECT_EQ(usuf->AsBoolean(), respuesta == ID::YES);
        ASSERT_TRUE(pro->Post());
    }
    // Unticking asks nothing.
    dialogos.boxes.clear();
    ASSERT_TRUE(pro->Edit());
    usuf->setAsBoolean(false);
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    pro->Cancel();
}

// The main-record check, step by step: each case breaks one thing of a complete request
// (a field cleared or given a value, or tables emptied) and the check stops there with its
// message.
struct CasoPrincipal
{
    const char *paso;
    const char *campo;  // null: no field
    const char *valor;  // null: cleared
    QList<const char *> tablas;
    const char *mensaje;
};

class DuviPrincipal : public Duvi, public ::testing::WithParamInterface<CasoPrincipal>
{
};

TEST_F(Duvi, ACompleteRequestPassesTheMainRecordCheck)
{
    completar();
    EXPECT_TRUE(postear()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

TEST_P(DuviPrincipal, TheCheckStopsAtTheFirstFailureWithItsMessage)
{
    const CasoPrincipal caso = GetParam();
    completar();
    solicitud()->CambiarHoja(2);
    if (caso.campo) {
        if (caso.valor)
            campo(caso.campo)->setAsString(QString::fromUtf8(caso.valor));
        else
            campo(caso.campo)->Clear();
    }
    for (const char *t : caso.tablas)
        vaciar(t);
    dialogos.boxes.clear();
    EXPECT_FALSE(postear());
    ASSERT_EQ(dialogos.boxes.size(), 1) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dialogos.boxes.first().texto, QStringLiteral("Error en Formulario DUVI: \n\n%1.").arg(QString::fromUtf8(caso.mensaje)));
    if (caso.tablas.size() == 2) { // the inscriptions are on the property page
        EXPECT_EQ(solicitud()->Paginas->currentIndex(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pasos, DuviPrincipal,
    ::testing::Values(
        CasoPrincipal{"nombre", "nom_pre", nullptr, {}, "El campo \"Nombre Predio\" no puede quedar vacío"},
        CasoPrincipal{"comuna", "com", nullptr, {}, "El campo \"Comuna\" no puede quedar vacío"},
        CasoPrincipal{"superficie", "sup", nullptr, {}, "El campo \"Superficie\" no puede quedar vacío"},
        CasoPrincipal{"titulo", "sup_tit", "0", {}, "El campo \"Superficie Según Título de Dominio\" no puede ser nulo"},
        CasoPrincipal{"sii", "sup_sii", nullptr, {}, "El campo \"Superficie Según Servicio de Impuestos Internos\" no puede quedar vacío"},
        CasoPrincipal{"coordenadas", nullptr, nullptr, {"coo"}, "No se ha introducido ninguna fila en la tabla \"Coordenadas UTM\".\nEsta tabla no puede quedar vacía"},
        CasoPrincipal{"acceso", "via", nullptr, {}, "El campo \"Vías de Acceso\" no puede quedar vacío"},
        CasoPrincipal{"roles", nullptr, nullptr, {"rol"}, "No se ha introducido ninguna fila en la tabla \"Roles de Avalúo\".\nEsta tabla no puede quedar vacía"},
        CasoPrincipal{"contiguos", nullptr, nullptr, {"rol_con"},
                      "No se ha introducido ninguna fila en la tabla \"Roles de Avalúo contiguos al Predio\".\nEsta tabla no puede quedar vacía"},
        CasoPrincipal{"inscripciones", nullptr, nullptr, {"con", "cer"},
                      "Al menos debe existir un elemento en la tabla de \"Inscripción en el Conservador de Bienes Raíces\", o bien "
                      "en \"Certificados del Ministerio de Bienes Nacionales\""},
        CasoPrincipal{"propietarios", nullptr, nullptr, {"pro"},
                      "No se ha introducido ninguna fila en la tabla \"Nombre de los Propietarios\".\nEsta tabla no puede quedar vacía"},
        CasoPrincipal{"ciudad", "ciu", nullptr, {}, "El campo \"Ciudad\" no puede quedar vacío"},
        CasoPrincipal{"fecha", "fec", nullptr, {}, "El campo \"Fecha\" no puede quedar vacío"},
        CasoPrincipal{"firmante", "fir", nullptr, {}, "El campo \"Nombre del que Firma de esta Solicitud\" no puede quedar vacío"}),
    [](const auto &info) { return std::string(info.param.paso); });

// The affected surface: Duvi's own while it is the principal form (its only combination),
// the principal's when another form of the document is principal and holds one.
TEST_F(Duvi, TheAffectedSurfaceFollowsAnotherPrincipalThatHoldsOne)
{
    auto *edit = findComponent<DBEdit>(solicitud(), QStringLiteral("dbe_sup_afe"));
    ASSERT_NE(edit, nullptr);
    solicitud()->CodigoPpal = QStringLiteral("DUVI");
    solicitud()->ConexionesExternas();
    campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,5"));
    EXPECT_TRUE(xml().contains(QLatin1String("<FORMULARIO.SOLI_SUP_SOLICITADA>12,5<")));

    // A document whose principal is the request DORVO.
    static QLibrary dorvo(QStringLiteral(BRENVIK_DORVO_PLUGIN));
    ASSERT_TRUE(dorvo.load()) << dorvo.errorString().toStdString();
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/DORVO.db"), app + QStringLiteral("bbdd/DORVO.db")));
    auto *principal = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TFormDORVO"), nullptr));
    ASSERT_NE(principal, nullptr);
    area->addSubWindow(principal);
    formularios << principal;
    principal->DirAplicacion = app;
    principal->Codigo = principal->CodigoPpal = solicitud()->CodigoPpal = QStringLiteral("DORVO");
    principal->Nuevo();
    principal->Hermanos << solicitud();
    solicitud()->Hermanos << principal;
    ASSERT_TRUE(principal->EstablecerBBDD());
    principal->InicializarDatasetPpal(QString());
    solicitud()->ConexionesExternas();
    principal->DatasetPpal->FieldByName(QStringLiteral("sup_afe"))->setAsString(QStringLiteral("30,25"));
    EXPECT_EQ(edit->text(), QStringLiteral("30,25"));
    EXPECT_TRUE(xml().contains(QLatin1String("<FORMULARIO.SOLI_SUP_SOLICITADA>30,25<"))) << xml().toStdString();
    EXPECT_EQ(campo("sup_afe")->AsString(), QStringLiteral("12,5")); // its own stays as typed
}

TEST_F(Duvi, ExchangeXmlMatchesTheGoldenText)
{
    completar();
    campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    Dataset *pro = tabla("pro");
    ASSERT_TRUE(pro->Edit());
    dialogos.responder({ID::YES});
    pro->FieldByName(QStringLiteral("usuf"))->setAsBoolean(true);
    ASSERT_TRUE(pro->Post());
    // Of two representatives only the one who signs gives a FIRMA.
    agregarPersona("rep", 9876543, QStringLiteral("Rojas"), true);
    agregarPersona("rep", 33333333, QStringLiteral("Bravo"));
    EXPECT_TRUE(ComoElEsperado(solicitud()->PrepararXML(), QStringLiteral("duvi"))) << "see duvi.obtenido.xml beside the test";
}

// The printout as the consultant gets it on paper, and its cover letter.
TEST_F(Duvi, ThePrintedRequestReadsBackThroughPdftotext)
{
    completar();
    campo("sup_afe")->setAsString(QStringLiteral("12,5"));
    agregarPersona("rep", 33333333, QStringLiteral("Bravo"), true);
    const QString pdf = dir.filePath(QStringLiteral("duvi.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(solicitud(), pdf, &error)) << error.toStdString();
    PaginasAPng(pdf, QStringLiteral("DUVI"));

    TPgPreview vista;
    TRegistroImpresion registro;
    TImpresion imp(&vista);
    imp.setRegistro(&registro);
    solicitud()->ComponerDifrol(&imp);
    for (const char *t : {"Datos del Predio", "Nombre   :El Roble", "120-45"})
        EXPECT_NE(registro.Buscar(QString::fromUtf8(t)), nullptr) << t;

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. DUVI (v.2.5)", "Nº:", "(Uso Okran)",
                                    "SOLICITUD RELATIVA AL D.S. Nº 490, MINISTERIO DE AGRICULTURA, 1976",
                                    "Solicitud de:", "Documento de prueba",
                                    "1. SOLICITUD DE:", "PLAN DE EXTRACCION DE ALERCE MUERTO", "2. PROPIETARIO(A)", "Pérez",
                                    "3. REPRESENTANTE LEGAL", "Bravo", "4. PREDIO", "Nombre:", "El Roble",
                                    "Inscripciones en fojas del Conservador de Bienes Raíces:", "1234v",
                                    "Inscripciones en certificados del Ministerio de Bienes Nacionales:", "BN-88",
                                    "Roles de Avalúo Nº:", "120-45", "LIMITES", "Norte:", "Río Maullín", "Oeste:",
                                    "Estero Ñadi", "Superficie total del predio (há):", "120,5",
                                    "Superficie afecta a la Solicitud (há):", "12,5", "Declaro bajo juramento",
                                    "APROBACIÓN del Plan de Extracción", "Firma:", "RUT:12345678-5"}),
              QStringList())
        << texto.toStdString();
    // The signatures are the owners' and representatives' who sign: no consultant's block.
    EXPECT_FALSE(texto.contains(QStringLiteral("autor(a) del estudio")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Portón"))); // the points are not printed
}

// The printed owners: natural persons unless the register gives the first owner a person
// type other than "1"; a type never written (NULL) prints the natural layout.
TEST_F(Duvi, OwnersPrintAsJuridicalOnlyWhenTheFirstOnesTypeSaysSo)
{
    for (const auto &[tipo, natural] : {std::pair{QVariant(QStringLiteral("2")), false}, std::pair{QVariant(), true}}) {
        SCOPED_TRACE(tipo.toString().toStdString());
        ASSERT_TRUE(bd.exec(QStringLiteral("UPDATE persona SET tipr_codigo = ? WHERE pers_rut = 12345678"), {tipo}));
        if (natural)
            dialogos.responder({ID::YES}); // a second pick asks before replacing what is typed
        elegir(7);
        TPgPreview vista;
        TRegistroImpresion registro;
        TImpresion imp(&vista);
        imp.setRegistro(&registro);
        solicitud()->ComponerImpresion(&imp);
        EXPECT_EQ(registro.Buscar(QStringLiteral("Razón Social")) == nullptr, natural);
        EXPECT_EQ(registro.Buscar(QStringLiteral("Soto")) != nullptr, natural);
        vista.resize(900, 1500);
        vista.show();
        vista.SetZoom(100);
        vista.SetCurrentPage(1);
        vista.grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/DUVI_impresion_%1.png").arg(natural ? "natural" : "juridica"));
    }
}

// What the consultant sees, for people to look at.
TEST_F(Duvi, PagesShowThePropertyTheBoundariesAndThePersons)
{
    completar();
    auto *paginas = solicitud()->Paginas;
    ASSERT_EQ(paginas->count(), 3);
    EXPECT_GE(paginas->minimumHeight(), 587);
    solicitud()->resize(900, 1000);
    solicitud()->show();
    for (int i = 1; i < paginas->count(); ++i) {
        paginas->setCurrentIndex(i);
        solicitud()->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/DUVI_%1.png").arg(i));
    }
    for (const char *nombre : {"mem_norte", "mem_sur", "mem_este", "mem_oeste", "edt_sol"})
        EXPECT_NE(solicitud()->findChild<QWidget *>(QLatin1String(nombre)), nullptr) << nombre;
}
