// The future bonus certification request BEXA in a document with a principal form: the
// affected surface that follows the afforestation, the office typed by hand, the owners'
// usufruct, save and reopen, the printout, the cover letter and the exchange XML.
#include "documentosolicitud.h"

#include "dbedit.h"
#include "dbgrid.h"
#include "filasprueba.h"
#include "imprimirpdf.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "pdfatexto.h"
#include "textoesperado.h"
#include "tpgpreview.h"
#include "xml/txml.h"

#include <QRegularExpression>
#include <QTabWidget>

namespace {

class Bexa : public DocumentoSolicitud
{
protected:
    Bexa()
        : DocumentoSolicitud("BEXA")
    {
    }

    Dataset *propia(const char *sufijo)
    {
        return solicitud()->findChild<Dataset *>(QStringLiteral("adtBEXA_") + QLatin1String(sufijo));
    }

    // Posts the row `ds` is on; false (with the messages shown) when a check refused it.
    ::testing::AssertionResult publicar(Dataset *ds)
    {
        bool ok = false;
        if (catchAbort([&] { ok = ds->Post(); }) && ok)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << dialogos.textos().join(QLatin1Char('|')).toStdString();
    }

    void forestacion(const QString &sector, const QString &sup,
                     const QString &especies = QStringLiteral("Pino radiata (Pinus radiata)"), const QString &presentar = QStringLiteral("2"))
    {
        ASSERT_TRUE(AgregarFila(propia("bon"), {{"num_sec", sector}, {"ano", QStringLiteral("2027")}, {"sup", sup}, {"esp", especies},
                                                {"tip", QStringLiteral("2")}, {"den", QStringLiteral("1250")}, {"cerco", QStringLiteral("1,5")},
                                                {"cerco_repara", QStringLiteral("0,25")}, {"seguro_for", QStringLiteral("1")},
                                                {"subsolado", QStringLiteral("0")}, {"pres", presentar}}))
            << dialogos.textos().join(QLatin1Char('|')).toStdString();
    }

    // The register's "El Roble" with its owner signing and usufructuary, the request's
    // place, date, office and observations.
    void solicitudBase()
    {
        elegir(7);
        Dataset *pro = tabla("pro");
        ASSERT_TRUE(pro->Edit());
        pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
        dialogos.responder({ID::YES});
        pro->FieldByName(QStringLiteral("usuf"))->setAsBoolean(true);
        ASSERT_TRUE(pro->Post());
        campo("ciu")->setAsString(QStringLiteral("Talca"));
        campo("fec")->setAsString(QStringLiteral("05-11-2026"));
        campo("pres")->setAsInteger(1);
        campo("pres_otr")->setAsString(QStringLiteral("Seremi de Agricultura"));
        campo("obs")->setAsString(QStringLiteral("Sectores a forestar en la ladera sur"));
    }

    // A whole request: a resolution, two afforestation sectors and another activity.
    void solicitudLlena()
    {
        solicitudBase();
        ASSERT_TRUE(AgregarFila(propia("cal"), {{"tip", QStringLiteral("10")}, {"num", QStringLiteral("45/2019")},
                                                {"fec", QStringLiteral("14-03-2019")}, {"sup", QStringLiteral("30")}}));
        forestacion(QStringLiteral("1"), QStringLiteral("12,5"),
                    QStringLiteral("Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)"));
        forestacion(QStringLiteral("2"), QStringLiteral("7,25"));
        ASSERT_TRUE(AgregarFila(propia("bon_otr"), {{"num_sec", QStringLiteral("1")}, {"ano", QStringLiteral("2028")},
                                                    {"sup", QStringLiteral("3")}, {"otr_act", QStringLiteral("140")},
                                                    {"pres", QStringLiteral("3")}}));
    }

    // The names of the elements directly under the first `nodo` of `xml`, in order.
    static QStringList hijos(const QByteArray &xml, const QString &nodo)
    {
        const QStringList lineas = QString::fromLatin1(xml).split(QStringLiteral("\r\n"));
        QStringList nombres;
        qsizetype nivel = -1;
        for (const QString &l : lineas) {
            const qsizetype sangria = l.size() - l.trimmed().size();
            if (nivel < 0) {
                if (l.trimmed() == QLatin1Char('<') + nodo + QLatin1Char('>'))
                    nivel = sangria + 4;
                continue;
            }
            if (sangria < nivel)
                break;
            static const QRegularExpression etiqueta(QStringLiteral("^<([A-Z_.]+)>"));
            const auto m = etiqueta.match(l.trimmed());
            if (sangria == nivel && m.hasMatch())
                nombres << m.captured(1);
        }
        return nombres;
    }
};

} // namespace

// The surface the request affects is the afforestation's total, 0 without rows; moving
// over the rows is no change of the document.
TEST_F(Bexa, TheAffectedSurfaceFollowsTheAfforestation)
{
    Field *supAfe = campo("sup_afe");
    EXPECT_EQ(supAfe->AsFloat(), 0.0);
    forestacion(QStringLiteral("1"), QStringLiteral("12,5"));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("12,5"));
    forestacion(QStringLiteral("2"), QStringLiteral("7,25"));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("19,75"));
    auto *edit = solicitud()->findChild<DBEdit *>(QStringLiteral("dbe_sup_afe"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("19,75"));
    EXPECT_FALSE(edit->editable());

    Dataset *bon = propia("bon");
    ASSERT_TRUE(ModificarFila(bon, "num_sec", QStringLiteral("1"), {{"sup", QStringLiteral("10")}}));
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("17,25"));

    for (auto &f : formularios)
        f->Modificado = false;
    bon->First();
    bon->Last();
    bon->First();
    EXPECT_FALSE(solicitud()->Modificado);
    EXPECT_FALSE(ppal()->Modificado);

    dialogos.porDefecto = ID::YES;
    while (!bon->IsEmpty())
        ASSERT_TRUE(catchAbort([&] { bon->Delete(); }));
    EXPECT_FALSE(supAfe->IsNull());
    EXPECT_EQ(supAfe->AsString(), QStringLiteral("0"));
    EXPECT_TRUE(solicitud()->Modificado);
}

// Only the "other" office takes a text: another office empties and closes it; the
// usufruct of an owner is asked for, and No leaves it unticked.
TEST_F(Bexa, TheOfficeTextAndTheUsufructAskForWhatTheyMean)
{
    auto *otra = solicitud()->findChild<DBEdit *>(QStringLiteral("dbeBexa_pres_otr"));
    ASSERT_NE(otra, nullptr);
    campo("pres")->setAsInteger(1);
    EXPECT_TRUE(otra->isEnabled());
    campo("pres_otr")->setAsString(QStringLiteral("Seremi de Agricultura"));
    campo("pres")->setAsInteger(1);
    EXPECT_EQ(campo("pres_otr")->AsString(), QStringLiteral("Seremi de Agricultura"));
    campo("pres")->setAsInteger(4);
    EXPECT_TRUE(campo("pres_otr")->AsString().isEmpty());
    EXPECT_FALSE(otra->isEnabled());

    agregarPersona("pro", 12345678, QStringLiteral("Pérez"));
    Dataset *pro = tabla("pro");
    Field *usuf = pro->FieldByName(QStringLiteral("usuf"));
    for (const int respuesta : {ID::NO, ID::YES}) {
        dialogos.boxes.clear();
        ASSERT_TRUE(pro->Edit());
        dialogos.responder({respuesta});
        usuf->setAsBoolean(true);
        ASSERT_EQ(dialogos.boxes.size(), 1);
        EXPECT_EQ(dialogos.boxes.first().texto, QStringLiteral("¿ Está seguro que desea marcar este propietario como Usufructuario ? "));
        ASSERT_TRUE(publicar(pro));
        EXPECT_EQ(usuf->AsBoolean(), respuesta == ID::YES);
    }
}

// What the consultant typed comes back whole from the file, and the register has the
// property with its owners.
TEST_F(Bexa, ASavedRequestReopensWithItsActivitiesAndSurface)
{
    solicitudLlena();
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 1);
    reabrirVentanas();
    for (auto &f : formularios)
        ASSERT_TRUE(f->Cargar(archivo));
    for (auto &f : formularios)
        f->Modificado = false;
    EXPECT_EQ(campo("sup_afe")->AsString(), QStringLiteral("19,75"));
    EXPECT_EQ(propia("bon")->RecordCount(), 2);
    EXPECT_EQ(propia("bon_otr")->RecordCount(), 1);
    EXPECT_EQ(propia("cal")->RecordCount(), 1);
    EXPECT_EQ(campo("pres_otr")->AsString(), QStringLiteral("Seremi de Agricultura"));
    propia("bon")->Last();
    EXPECT_FALSE(solicitud()->Modificado);

    // What the consultant sees, for people to look at.
    auto *paginas = solicitud()->Paginas;
    solicitud()->resize(1100, 1000);
    solicitud()->show();
    for (int i = 1; i < paginas->count(); ++i) {
        paginas->setCurrentIndex(i);
        solicitud()->grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/BEXA_%1.png").arg(i));
    }
}

TEST_F(Bexa, ExchangeXmlMatchesTheGoldenText)
{
    solicitudLlena();
    const QByteArray xml = solicitud()->PrepararXML();
    EXPECT_TRUE(ComoElEsperado(xml, QStringLiteral("bexa")));
    EXPECT_TRUE(solicitud()->XML->Avisos().isEmpty());
}

TEST_F(Bexa, TheCertificationNodeHoldsWhatTheRowsGive)
{
    solicitudBase();
    // Nothing to certify yet: the request's own leaves only.
    const QByteArray vacia = solicitud()->PrepararXML();
    EXPECT_EQ(hijos(vacia, QStringLiteral("CFB")),
              (QStringList{QStringLiteral("CFB.SUP_SOLICITADA"), QStringLiteral("CFB.PRESENTADO_EN"),
                           QStringLiteral("CFB.PRESENTADO_OTRO"), QStringLiteral("CFB.BEXA_CBF_OBS")}));
    EXPECT_EQ(hijos(vacia, QStringLiteral("PREDIO")).mid(6, 2),
              (QStringList{QStringLiteral("PREDIO.PRED_ESTADO"), QStringLiteral("CFB")}));

    // Pruning and thinning rows are kept but never sent.
    ASSERT_TRUE(AgregarFila(propia("pod_ral"), {{"num_sect", QStringLiteral("R1")}, {"ano", QStringLiteral("2027")},
                                                {"act", QStringLiteral("50")}, {"esp", QStringLiteral("Pino radiata (Pinus radiata)")},
                                                {"sup", QStringLiteral("4")}, {"den", QStringLiteral("600")}}));
    EXPECT_EQ(solicitud()->PrepararXML(), vacia);

    // Two species give two codes in their order; an office typed by hand in a grid goes
    // as the list's "other" code with its text.
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO otros (otr_codigo, otr_descripcion, otr_tce) VALUES (-5, 'Seremi del Maule', 'tceEntidad')")));
    auto *grilla = solicitud()->findChild<DBGrid *>(QStringLiteral("dbgBEXA_bon"));
    ASSERT_TRUE(solicitud()->ComboExterno(grilla, QStringLiteral("pres"), tceEntidad));
    forestacion(QStringLiteral("1"), QStringLiteral("12,5"),
                QStringLiteral("Eucalipto (Eucalyptus globulus), Pino radiata (Pinus radiata)"), QStringLiteral("-5"));
    const QString xml = QString::fromLatin1(solicitud()->PrepararXML());
    const QStringList actividad = hijos(xml.toLatin1(), QStringLiteral("ACTIVIDAD"));
    EXPECT_EQ(actividad.count(QStringLiteral("ACTIVIDAD.ESPECIE")), 2);
    EXPECT_TRUE(xml.contains(QLatin1String("<ACTIVIDAD.ESPECIE>2</ACTIVIDAD.ESPECIE>\r\n"
                                           "                <ACTIVIDAD.ESPECIE>1</ACTIVIDAD.ESPECIE>")))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains(QLatin1String("<ACTIVIDAD.PRESENTADO_EN>1</ACTIVIDAD.PRESENTADO_EN>\r\n"
                                           "                <ACTIVIDAD.PRESENTADO_EN_OTRO>SEREMI DEL MAULE</ACTIVIDAD.PRESENTADO_EN_OTRO>")))
        << xml.toStdString();
    EXPECT_EQ(hijos(xml.toLatin1(), QStringLiteral("CFB")).mid(3),
              (QStringList{QStringLiteral("ACTIVIDAD"), QStringLiteral("CFB.BEXA_CBF_OBS")}));
}

TEST_F(Bexa, ThePrintedRequestAndItsCoverLetterReadBack)
{
    solicitudLlena();
    const QString pdf = dir.filePath(QStringLiteral("bexa.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(solicitud(), pdf, &error)) << error.toStdString();
    PaginasAPng(pdf, QStringLiteral("BEXA"));

    // The cover letter, which the base of every form forwards to the BEXA sibling.
    TPgPreview vista;
    vista.SetPaperSize(TPgPaperSize::Legal);
    TRegistroImpresion registro;
    TImpresion imp(&vista);
    imp.setRegistro(&registro);
    solicitud()->ComponerDifrol(&imp);
    for (const char *t : {"Datos del Predio", "Nombre   :El Roble", "Comuna   :Ñuñoa", "120-45", "Pérez"})
        EXPECT_NE(registro.Buscar(QString::fromUtf8(t)), nullptr) << t;
    vista.resize(900, 1500);
    vista.show();
    vista.SetZoom(100);
    vista.SetCurrentPage(1);
    vista.grab().save(QStringLiteral(BRENVIK_BIN_DIR "/../screenshots/BEXA_difrol.png"));

    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_EQ(FaltanEnOrden(texto, {"Form. BEXA (v.2.5)", "(Uso Okran)", "SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974, SOBRE CERTIFICACIÓN DE",
                                    "FUTURA BONIFICACION", "I. ANTECEDENTES DEL PREDIO:", "El Roble", "1234v", "BN-88", "120-45",
                                    "Ñuñoa", "19,75", "II. ANTECEDENTES DEL(DE LA) PROPIETARIO(A)", "Pérez",
                                    "III. ANTECEDENTES DEL (DE LA) REPRESENTANTE LEGAL", "Rojas", "IV. ANTECEDENTES DE LA CALIFICACIÓN",
                                    "45/2019", "V. ANTECEDENTES DE ACTIVIDADES SUSCEPTIBLES DE BONIFICACIÓN",
                                    "Antecedentes de Actividades de Forestación", "Antecedentes de otras Actividades", "Observaciones",
                                    "ladera sur", "Declaro bajo juramento que los datos consignados", "Ciudad y Fecha: Talca"}),
              QStringList())
        << texto.toStdString();
    EXPECT_TRUE(PaginasSinEncabezado(texto, QStringLiteral("Form. BEXA")).isEmpty());
}
