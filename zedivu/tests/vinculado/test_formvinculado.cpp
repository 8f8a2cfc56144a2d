// Forms bound to a request form from their description alone: the property page bound to
// DORVO or FERUN, the property code -1 set silently, a required parent refused when
// missing and an optional one left out.
#include "tcustommdichild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "dataawarecontrol.h"
#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dbcombobox.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "dialogservice.h"
#include "documentoprueba.h"
#include "field.h"
#include "formcomponents.h"
#include "imprimirpdf.h"
#include "impresion/timpresion.h"
#include "pdfatexto.h"
#include "scripteddialogs.h"
#include "tformdescrito.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FormVinculado : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static QLibrary vinculado(QStringLiteral(BRENVIK_VINCULADO_PLUGIN));
        static QLibrary dorvo(QStringLiteral(BRENVIK_DORVO_PLUGIN));
        static QLibrary ferun(QStringLiteral(BRENVIK_FERUN_PLUGIN));
        for (QLibrary *lib : {&vinculado, &dorvo, &ferun})
            ASSERT_TRUE(lib->load()) << lib->errorString().toStdString();
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        for (const char *base : {"DORVO.db", "FERUN.db", "bd.db"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/") + QLatin1String(base),
                                    app + QStringLiteral("bbdd/") + QLatin1String(base)));
        for (const char *base : {"VINDO.db", "VINFE.db"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_FORMS_DIR "/") + QLatin1String(base),
                                    app + QStringLiteral("bbdd/") + QLatin1String(base)));
        area.resize(1000, 700);
    }

    void TearDown() override
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            f->Modificado = false;
            f->Respondido = true;
            delete f;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFormDescrito *documento(const QStringList &codigos)
    {
        formularios = CrearDocumento(&area, app, codigos, [](const QString &codigo) { return codigo.startsWith(QLatin1String("VIN")) ? 20 : 3; },
                                     QStringLiteral("Documento de prueba"));
        return formularios.isEmpty() ? nullptr : qobject_cast<TFormDescrito *>(formularios.first());
    }

    QTemporaryDir dir;
    QString app;
    QMdiArea area;
    QList<TCustomMDIChild *> formularios;
    ScriptedDialogs dialogos{ID::YES};
};

// Replicas show the request's data, read-only; the code is -1 without a word.
TEST_F(FormVinculado, LaPaginaDelPredioMuestraLaSolicitud)
{
    struct Caso
    {
        const char *codigo;
        const char *padre;
        QStringList grillas; // grid -> the request's table suffix
    };
    const QStringList comunes = {QStringLiteral("dbgPropietarios:pro"), QStringLiteral("dbgRoles:rol"),
                                 QStringLiteral("dbgRolesContiguos:rol_con"), QStringLiteral("dbgCoordenadas:coo")};
    for (const Caso &c : {Caso{"VINDO", "DORVO", comunes}, Caso{"VINFE", "FERUN", comunes + QStringList{QStringLiteral("dbgCesionarios:ces")}}}) {
        SCOPED_TRACE(c.codigo);
        TFormDescrito *form = documento({QLatin1String(c.codigo), QLatin1String(c.padre)});
        ASSERT_NE(form, nullptr);
        TCustomMDIChild *padre = formularios.at(1);
        EXPECT_EQ(form->Padre(), padre);
        EXPECT_EQ(form->CodigoPadre(), QString::fromLatin1(c.padre).toLower());
        EXPECT_EQ(form->PadreTisoCodigo(), padre->TisoCodigo);
        EXPECT_EQ(form->PadreTabla(), padre->DatasetPpal);

        // The code -1 is posted with no check and no message.
        EXPECT_EQ(form->DatasetPpal->FieldByName(QStringLiteral("cod_pre"))->AsInteger(), -1);
        EXPECT_EQ(form->DatasetPpal->State(), DatasetState::Browse);
        EXPECT_TRUE(dialogos.boxes.isEmpty());

        // The request's values appear in the replicas.
        ASSERT_TRUE(padre->ConexionBD->execScript(QStringLiteral(
            "UPDATE %1 SET nom_pre='Fundo O''Higgins', via='Ruta 5', ciu='Talca';").arg(QString::fromLatin1(c.padre).toLower())));
        padre->DatasetPpal->Refresh();
        auto *nombre = findComponent<DBEdit>(form, QStringLiteral("edt_nom_pre"));
        ASSERT_NE(nombre, nullptr);
        EXPECT_EQ(nombre->text(), QStringLiteral("Fundo O'Higgins"));
        EXPECT_TRUE(nombre->isReadOnly());
        EXPECT_EQ(findComponent<DBMemo>(form, QStringLiteral("mem_via"))->toPlainText(), QStringLiteral("Ruta 5"));
        EXPECT_EQ(form->PadreValor(QStringLiteral("ciu")).toString(), QStringLiteral("Talca"));
        for (const QString &g : c.grillas) {
            const QString nombreGrilla = g.section(QLatin1Char(':'), 0, 0);
            const QString sufijo = g.section(QLatin1Char(':'), 1, 1);
            auto *grilla = findComponent<DBGrid>(form, nombreGrilla);
            ASSERT_NE(grilla, nullptr) << nombreGrilla.toStdString();
            EXPECT_EQ(grilla->DataSet(), form->PadreTabla(sufijo)) << nombreGrilla.toStdString();
            EXPECT_NE(grilla->DataSet(), nullptr) << nombreGrilla.toStdString();
        }
        if (QLatin1String(c.codigo) == QLatin1String("VINFE")) {
            EXPECT_EQ(findComponent<DBEdit>(form, QStringLiteral("edt_ciu"))->text(), QStringLiteral("Talca"));
        }
        EXPECT_TRUE(form->ValidarFormulario());
        TearDown();
        formularios.clear();
    }
}

// The replicas are bound in the fixed order (name, commune, province, region, surfaces,
// coordinates, access, owners, rolls, adjoining rolls, assignees, then the rest as the page
// has them), not in the page's order, and each one named is bound.
TEST_F(FormVinculado, ReplicasEnlazadasEnElOrdenFijo)
{
    const QStringList comunes = {QStringLiteral("edt_nom_pre"), QStringLiteral("lcb_com"), QStringLiteral("lcb_prv"),
                                 QStringLiteral("lcb_reg"), QStringLiteral("edt_sup"), QStringLiteral("edt_sup_tit"),
                                 QStringLiteral("edt_sup_sii"), QStringLiteral("dbgCoordenadas"), QStringLiteral("mem_via"),
                                 QStringLiteral("dbgPropietarios"), QStringLiteral("dbgRoles"), QStringLiteral("dbgRolesContiguos")};
    struct Caso
    {
        const char *codigo;
        const char *padre;
        QStringList orden;
    };
    for (const Caso &c : {Caso{"VINDO", "DORVO", comunes},
                          Caso{"VINFE", "FERUN", comunes + QStringList{QStringLiteral("dbgCesionarios"), QStringLiteral("edt_ciu"),
                                                                       QStringLiteral("lcb_fir")}}}) {
        SCOPED_TRACE(c.codigo);
        TFormDescrito *form = documento({QLatin1String(c.codigo), QLatin1String(c.padre)});
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->ReplicasEnOrden(), c.orden);
        for (const QString &nombre : form->ReplicasEnOrden()) {
            auto *control = findComponent<QWidget>(form, nombre);
            ASSERT_NE(control, nullptr) << nombre.toStdString();
            if (auto *grilla = qobject_cast<DBGrid *>(control))
                EXPECT_NE(grilla->DataSet(), nullptr) << nombre.toStdString();
            else if (auto *dato = dynamic_cast<DataAwareControl *>(control))
                EXPECT_EQ(dato->dataSource(), form->BuscarDatasource(QLatin1String(c.padre))) << nombre.toStdString();
            else
                ADD_FAILURE() << nombre.toStdString() << " no muestra datos";
        }
        EXPECT_TRUE(dialogos.boxes.isEmpty());
        TearDown();
        formularios.clear();
    }
}

// An annex refuses to go without its request form; a plan goes without it.
TEST_F(FormVinculado, SinSolicitudElAnexoSeRechazaYElPlanSigue)
{
    TFormDescrito *anexo = documento({QStringLiteral("VINDO")});
    ASSERT_NE(anexo, nullptr);
    EXPECT_EQ(anexo->Padre(), nullptr);
    EXPECT_EQ(anexo->PadreTabla(QStringLiteral("pro")), nullptr);
    EXPECT_TRUE(anexo->PadreValor(QStringLiteral("fec")).isNull());
    EXPECT_EQ(anexo->DatasetPpal->FieldByName(QStringLiteral("cod_pre"))->AsInteger(), -1);
    EXPECT_FALSE(anexo->ValidarFormulario());
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().endsWith(QStringLiteral("Falta el formulario DORVO en este documento.")))
        << dialogos.textos().first().toStdString();
    TearDown();
    formularios.clear();

    dialogos.boxes.clear();
    TFormDescrito *plan = documento({QStringLiteral("VINFE")});
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->ValidarFormulario());
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    EXPECT_EQ(findComponent<DBGrid>(plan, QStringLiteral("dbgCesionarios"))->DataSet(), nullptr);
}

const char *const kSolicitud =
    "UPDATE dorvo SET nom_pre='Fundo O''Higgins', sup=120.5, sup_tit=118, sup_sii=121.25, via='Ruta M-50, km 12',"
    " com='07102', prv='071', reg='07', ciu='Constitución', fec='2026-03-02 00:00:00', fir=11111111;"
    "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
    " (1, 11111111, '1', 'Ana María', 'Soto', 'Díaz', 'Freire 120', 'Constitución', '07102', 1, 2, 0);"
    "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '123-45', '07102');"
    "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '123-40');"
    "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Portón de acceso', 6085200, 742100);";

// The assignees of a FERUN request, an apostrophe and accents among them.
const char *const kCesionarios =
    "INSERT INTO ferun_ces (id, rut, dv, nom, pat, mat, firm) VALUES"
    " (1, 22222222, '2', 'José', 'Muñoz', 'Rojas', 1), (2, 33333333, 'k', 'Inés', 'D''Alessandro', NULL, 0);";

// Fills the request form of the document (DORVO or FERUN, the same data) and opens its
// tables again, as a load does.
void llenarSolicitud(TCustomMDIChild *solicitud)
{
    QString sql = QString::fromUtf8(kSolicitud);
    if (solicitud->objectName() == QLatin1String("FormFERUN"))
        sql.replace(QStringLiteral("dorvo"), QStringLiteral("ferun")).append(QString::fromUtf8(kCesionarios));
    ASSERT_TRUE(solicitud->ConexionBD->execScript(sql)) << solicitud->ConexionBD->lastError().text().toStdString();
    for (Dataset *ds : solicitud->ConexionBD->datasets()) {
        ds->Close();
        ds->Open();
    }
}

QByteArray golden(const char *nombre)
{
    QFile f(QStringLiteral(BRENVIK_VINCULADO_DIR "/") + QLatin1String(nombre));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre;
    return f.readAll();
}

// The XML head in the plans' and Dalu's layouts, with and without the request form.
TEST_F(FormVinculado, CabeceraXmlEnSusDisposiciones)
{
    struct Caso
    {
        bool conSolicitud;
        bool dalu;
        const char *archivo;
    };
    for (const Caso &c : {Caso{true, false, "cabecera_plan.xml"}, Caso{true, true, "cabecera_dalu.xml"},
                          Caso{false, false, "cabecera_sin_solicitud.xml"}}) {
        SCOPED_TRACE(c.archivo);
        TFormDescrito *form = documento(c.conSolicitud ? QStringList{QStringLiteral("VINDO"), QStringLiteral("DORVO")}
                                                       : QStringList{QStringLiteral("VINDO")});
        ASSERT_NE(form, nullptr);
        if (c.conSolicitud) {
            llenarSolicitud(formularios.at(1));
            if (HasFatalFailure())
                return;
        }
        ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("UPDATE vindo SET sup_afe=55.5;")));
        form->DatasetPpal->Refresh();
        form->setProperty("dalu", c.dalu);
        const QByteArray xml = form->PrepararXML();
        if (xml != golden(c.archivo)) {
            QFile salida(QLatin1String(c.archivo) + QStringLiteral(".obtenido"));
            if (salida.open(QIODevice::WriteOnly))
                salida.write(xml);
        }
        EXPECT_EQ(QString::fromLatin1(xml), QString::fromLatin1(golden(c.archivo))) << "obtenido en build/tests/" << c.archivo << ".obtenido";
        TearDown();
        formularios.clear();
    }
}

// The head, section I and a fixed text with a small table printed from the description
// alone, read back from the PDF.
TEST_F(FormVinculado, EncabezadoYSeccionIEnPdf)
{
    TFormDescrito *form = documento({QStringLiteral("VINDO"), QStringLiteral("DORVO")});
    ASSERT_NE(form, nullptr);
    llenarSolicitud(formularios.at(1));
    QDir().mkpath(app + QStringLiteral("img"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/img/logo.bmp"), app + QStringLiteral("img/logo.bmp")));
    const QString pdf = dir.filePath(QStringLiteral("vindo.pdf"));
    QString error;
    ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    if (!HayPdftotext())
        GTEST_SKIP() << "pdftotext no está instalado";
    const QString texto = PdfATexto(pdf);
    qsizetype desde = 0;
    for (const char *parte : {"Form. VINDO (v.2.5)", "Nº:", "Fecha:", "(Uso Okran)", "ANEXO DE PRUEBA",
                              "I. ANTECEDENTES GENERALES", "Nombre del (de la) Propietario(a):", "Soto",
                              "Nombre del Predio:", "Fundo O'Higgins", "Roles de Avalúo Nº:", "123-45", "Comuna:",
                              "COORDENADAS U.T.M.:", "Portón de acceso", "Título de Dominio:", "Vías de Acceso:",
                              "Ruta M-50, km 12", "Roles de avalúo contiguos al predio:", "123-40", "II. NORMA",
                              "Se aplicará:", "· un punto", "Especie", "Diámetro mínimo", "Lenga", "25 cm"}) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        EXPECT_GE(en, 0) << parte;
        if (en >= 0)
            desde = en;
    }
    PaginasAPng(pdf, QStringLiteral("vindo_impresion"));
}

// The bonus-payment part of an accreditation bound to FERUN: LUGAR in the head, the
// treasury by code and name, the request's assignees; without the request form only the
// treasury. Printed as section II with the treasury's name and the assignees.
TEST_F(FormVinculado, BonificacionDeFerunEnXmlEImpresion)
{
    for (const bool conSolicitud : {true, false}) {
        SCOPED_TRACE(conSolicitud ? "con FERUN" : "sin FERUN");
        TFormDescrito *form = documento(conSolicitud ? QStringList{QStringLiteral("VINFE"), QStringLiteral("FERUN")}
                                                     : QStringList{QStringLiteral("VINFE")});
        ASSERT_NE(form, nullptr);
        if (conSolicitud) {
            llenarSolicitud(formularios.at(1));
            if (HasFatalFailure())
                return;
        }
        ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral("UPDATE vinfe SET tes=9;")));
        form->DatasetPpal->Refresh();
        EXPECT_EQ(findComponent<DBComboBox>(form, QStringLiteral("cbo_tes"))->currentText(),
                  QStringLiteral("Tesorería Regional de Talca"));
        const QByteArray xml = form->PrepararXML();
        if (conSolicitud) {
            if (xml != golden("cabecera_ferun.xml")) {
                QFile salida(QStringLiteral("cabecera_ferun.xml.obtenido"));
                if (salida.open(QIODevice::WriteOnly))
                    salida.write(xml);
            }
            EXPECT_EQ(QString::fromLatin1(xml), QString::fromLatin1(golden("cabecera_ferun.xml")))
                << "obtenido en build/tests/cabecera_ferun.xml.obtenido";
        } else {
            const QString texto = QString::fromLatin1(xml);
            EXPECT_TRUE(texto.contains(QStringLiteral("<TESORERIA.TESO_CODIGO>9</TESORERIA.TESO_CODIGO>"))) << xml.constData();
            EXPECT_FALSE(texto.contains(QStringLiteral("CESIONARIO"))) << xml.constData();
            EXPECT_FALSE(texto.contains(QStringLiteral("LUGAR"))) << xml.constData();
        }
        if (conSolicitud) {
            QDir().mkpath(app + QStringLiteral("img"));
            QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/img/logo.bmp"), app + QStringLiteral("img/logo.bmp"));
            const QString pdf = dir.filePath(QStringLiteral("vinfe.pdf"));
            QString error;
            ASSERT_TRUE(ImprimirAPdf(form, pdf, &error)) << error.toStdString();
            if (HayPdftotext()) {
                const QString texto = PdfATexto(pdf);
                qsizetype desde = texto.indexOf(QStringLiteral("Roles de avalúo contiguos al predio:"));
                EXPECT_GE(desde, 0);
                for (const char *parte : {"II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION",
                                          "Señale Tesorería donde desea recibir la bonificación :",
                                          "Tesorería Regional de Talca",
                                          "Nombre del (de la) cesionario(a)/ beneficiario(a):", "Muñoz",
                                          "D'Alessandro", "II. NORMA"}) {
                    const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
                    EXPECT_GE(en, 0) << parte;
                    if (en >= 0)
                        desde = en;
                }
                PaginasAPng(pdf, QStringLiteral("vinfe_impresion"));
            }
        }
        EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('\n')).toStdString();
        TearDown();
        formularios.clear();
    }
}

} // namespace
