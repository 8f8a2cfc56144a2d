// The VORDA exchange file and printout of a filled notice: beside its request DORVO and
// its plan KELU, beside DORVO alone, and alone.
#include "vordafixture.h"

#include "impresion/timpresion.h"
#include "pdfatexto.h"
#include "xml/txml.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The notice: a stand and a sector afforested, a harvest of stand 2 (typed surface 9, the
// plan says 10), a pruning of stand 1, a road with its log yard and a log yard alone.
constexpr const char *kAviso =
    "UPDATE vorda SET sup_afe=45.5;"
    "INSERT INTO vorda_for (Id, ano, num_sec, num, sup, esp, den, tip_sue, num_res) VALUES"
    " (1, 2025, NULL, '1', 20.5, 'Pino radiata (Pinus radiata)', 1250, 1, 'R-15/2024'),"
    " (2, 2025, 'A', NULL, 15, 'Eucalipto (Eucalyptus globulus)', 1100, 2, NULL);"
    "INSERT INTO vorda_act (Id, num, sup, ano_cor, ano_ref, esp_ref, den_ref, num_res) VALUES"
    " (1, '2', 9, 2026, 2027, 'Pino radiata (Pinus radiata)', 1600, 'R-16/2024');"
    "INSERT INTO vorda_otr (Id, ano, num, sup, tip_act, num_res) VALUES (1, 2026, '1', 20.5, 2, 'R-17/2024');"
    "INSERT INTO vorda_con (Id, ano, cam_id, cam_lar, cam_anc, can_id, can_sup) VALUES"
    " (1, 2025, 'C-1', 1.2, 4, 'K-1', 0.3), (2, 2026, NULL, NULL, NULL, 'K-2', 0.5);";

constexpr const char *kPlan =
    "INSERT INTO kelu_desc (Id, num, sup, ano, esp, est_san, cap) VALUES"
    " (1, '1', 20.5, 2010, 'Pino radiata (Pinus radiata)', 1, 3), (2, '2', 10, 2015, 'Pino radiata (Pinus radiata)', 2, 4);"
    "INSERT INTO kelu_det_sec (Id, num_sec, sup, cap, tip_veg) VALUES (1, 'A', 15, 6, 3);";

constexpr const char *kSolicitud =
    "UPDATE dorvo SET nom_pre='Hijuela El Maitén', sup=64.5, sup_tit=64, sup_sii=65.25,"
    " via='Camino a Curepto, km 8', com='07102', prv='071', reg='07', ciu='Talca',"
    " fec='2026-04-15 00:00:00', fir=13131313;"
    "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
    " (1, 13131313, '5', 'Rosa', 'Parra', 'Vidal', 'Maipú 77', 'Talca', '07102', 1, 2, 0);"
    "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '210-7', '07102');"
    "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '210-8');"
    "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Casa patronal', 6090100, 748200);";

void llenar(TCustomMDIChild *f, const char *sql)
{
    ASSERT_TRUE(f->ConexionBD->execScript(QString::fromUtf8(sql))) << f->ConexionBD->lastError().text().toStdString();
    // Opened again, as after loading a document.
    for (Dataset *ds : f->ConexionBD->datasets()) {
        ds->Close();
        ds->Open();
    }
}

QByteArray golden(const QString &nombre)
{
    QFile f(QStringLiteral(BRENVIK_TEST_DIR "/") + nombre);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
    return f.readAll();
}

} // namespace

class VordaLleno : public VordaFixture
{
protected:
    void abrirLleno(const QStringList &codigos)
    {
        abrir(codigos);
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            if (f->Codigo == QLatin1String("DORVO"))
                llenar(f, kSolicitud);
            else if (f->Codigo == QLatin1String("KELU"))
                llenar(f, kPlan);
        }
        llenar(form, kAviso);
        ElegirConsultor(app, form, 71, QStringLiteral("12121212, '3', 'Rojas', 'Leiva', 'Tomás', '1'"));
        if (HasFatalFailure())
            return;
        dialogos.boxes.clear();
    }
    // The export against its golden text; a differing one is left in build/tests.
    void comparar(const char *nombre)
    {
        const QByteArray xml = form->PrepararXML();
        const QByteArray esperado = golden(QLatin1String(nombre) + QStringLiteral(".xml"));
        if (xml != esperado) {
            QFile salida(QLatin1String(nombre) + QStringLiteral(".obtenido.xml"));
            if (salida.open(QIODevice::WriteOnly))
                salida.write(xml);
        }
        EXPECT_EQ(QString::fromLatin1(xml), QString::fromLatin1(esperado)) << "obtenido en build/tests/" << nombre << ".obtenido.xml";
        EXPECT_TRUE(form->XML->Avisos().isEmpty());
        EXPECT_TRUE(dialogos.boxes.isEmpty());
        // The same document gives the same text, and so the same seal, every time.
        const QString hash = form->XML->Hash();
        EXPECT_EQ(form->PrepararXML(), xml);
        EXPECT_EQ(form->XML->Hash(), hash);
    }
};

TEST_F(VordaLleno, ConKeluYDorvoEscribeElTextoEsperado)
{
    abrirLleno({QStringLiteral("KELU"), QStringLiteral("DORVO"), QStringLiteral("VORDA")});
    comparar("vorda_kelu_dorvo");
    // The plan's surface wins over the one typed, and names no resolution.
    const QString xml = QString::fromLatin1(form->XML->Texto());
    EXPECT_TRUE(xml.contains(QStringLiteral("<ACTIVIDAD.SUPERFICIE>10</ACTIVIDAD.SUPERFICIE>")));
    EXPECT_FALSE(xml.contains(QStringLiteral("R-16/2024")));
    EXPECT_FALSE(xml.contains(QStringLiteral("R-17/2024")));
}

TEST_F(VordaLleno, ConDorvoEscribeElTextoEsperado)
{
    abrirLleno({QStringLiteral("VORDA"), QStringLiteral("DORVO")});
    comparar("vorda_dorvo");
    // A harvest row writes its harvest (70) and then its reforestation (90).
    const QString xml = QString::fromLatin1(form->XML->Texto());
    const qsizetype cosecha = xml.indexOf(QStringLiteral("<ACTIVIDAD.TIPO_ACTIVIDAD>70<"));
    const qsizetype reforestacion = xml.indexOf(QStringLiteral("<ACTIVIDAD.TIPO_ACTIVIDAD>90<"));
    EXPECT_TRUE(cosecha > 0 && reforestacion > cosecha);
    EXPECT_TRUE(xml.contains(QStringLiteral("R-16/2024")));
}

// Without the request form its parts are absent and nothing is reported.
TEST_F(VordaLleno, SinDorvoOmiteLoDeLaSolicitud)
{
    abrirLleno({QStringLiteral("VORDA")});
    const QString xml = QString::fromLatin1(form->PrepararXML());
    for (const char *ausente : {"TISO_CODIGO_DE", "FORMULARIO.FECHA", "<FIRMA>", "<ROL>", "<PROPIETARIO>", "<COORDENADA_UTM>",
                                "<ROL_CONTIGUO>", "RESOJUDI"})
        EXPECT_FALSE(xml.contains(QLatin1String(ausente))) << ausente;
    for (const char *presente : {"<ACTIVIDAD.TIPO_ACTIVIDAD>50</ACTIVIDAD.TIPO_ACTIVIDAD>", "<CANCHA.IDENTIFICACION>K-2<",
                                 "<PREDIO.PRED_ESTADO>1</PREDIO.PRED_ESTADO>"})
        EXPECT_TRUE(xml.contains(QLatin1String(presente))) << presente;
    EXPECT_TRUE(dialogos.boxes.isEmpty());
}

TEST_F(VordaLleno, ImprimeElAvisoAPdf)
{
    abrirLleno({QStringLiteral("KELU"), QStringLiteral("DORVO"), QStringLiteral("VORDA")});
    TCustomMDIChild::setPapelImpresora(QStringLiteral("Legal"), 0, 0);
    const QString pdf = dir.filePath(QStringLiteral("vorda.pdf"));
    QPrinter impresora;
    impresora.setOutputFileName(pdf);
    QPrintDialog dialogo(&impresora);
    form->DialogoImpresion = &dialogo;
    QString error;
    ASSERT_TRUE(form->Imprimir(&error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    EXPECT_TRUE(texto.contains(QStringLiteral("Form. VORDA (v.2.5)")));
    EXPECT_FALSE(texto.contains(QStringLiteral("resolución Judicial")));
    qsizetype desde = 0;
    for (const char *parte : {"(Uso Okran)", "AVISO DE EJECUCION DE FAENAS Nº_______", "PLAN DE MANEJO PLANTACIONES FORESTALES",
                              "I. ANTECEDENTES GENERALES", "Hijuela El Maitén", "CALENDARIZACION DE ACTIVIDADES",
                              "1. Forestación", "R-15/2024", "2. Actividades silvícolas de corta o cosecha y reforestación",
                              "3. Otras actividades silvícolas", "4. Construcción de caminos y canchas de acopio", "K-2",
                              "5. Plano", "Adjuntar plano con delimitación de sectores y/o rodales incluidos en el presente Aviso.",
                              "Rosa Parra Vidal", "Rojas Leiva, Tomás", "Talca, 15-04-2026"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en;
    }
    // Pictures of the pages, for a person to look at.
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), pdf,
                                                       QStringLiteral("vorda_impresion")});
}
