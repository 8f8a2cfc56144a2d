#pragma once
// A KELU document as the shell makes one: the plug-ins loaded from their shared objects,
// the windows created by their registered names in a program directory holding the built
// templates and the seeded main database bbdd/bd.db, then Nuevo, the sibling lists,
// ConexionesExternas, EstablecerBBDD and InicializarDatasetPpal. With `conDorvo` set (in
// a derived fixture's constructor) the document holds the request form DORVO as well. Message boxes are
// answered by a ScriptedDialogs (Yes by default).
#include "tcustommdichild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "documentoprueba.h"
#include "field.h"
#include "filasprueba.h"
#include "planprueba.h"
#include "qstringprinter.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>


class KeluFixture : public ::testing::Test, protected TablasFormulario
{
public:
    using Valores = ValoresFila;

protected:
    KeluFixture() : TablasFormulario(QStringLiteral("KELU")) {}

    static void SetUpTestSuite()
    {
        // Loaded once for the whole run, as the program keeps its plug-ins.
        CargarPlugins({QStringLiteral(BRENVIK_KELU_PLUGIN), QStringLiteral(BRENVIK_DORVO_PLUGIN)});
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("KELU.db"), QStringLiteral("DORVO.db"), QStringLiteral("bd.db")});
        if (HasFatalFailure())
            return;
        area = new QMdiArea;
        area->resize(1100, 800);
        abrirDocumento();
        dialogos.porDefecto = ID::YES;
    }

    // Creates the document's forms (KELU first) and makes `form` its KELU form.
    void abrirDocumento()
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            f->Modificado = false;
            f->Respondido = true;
        }
        formularios.clear();
        QStringList codigos{QStringLiteral("KELU")};
        if (conDorvo)
            codigos << QStringLiteral("DORVO");
        formularios = CrearDocumento(
            area, app, codigos, [](const QString &codigo) { return codigo == QLatin1String("KELU") ? 20 : 1; },
            QStringLiteral("Plan de prueba"));
        ASSERT_EQ(formularios.size(), codigos.size());
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            f->Modificado = false;
            f->Respondido = true;
        }
        form = formularios.first();
    }

    void TearDown() override
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            f->Modificado = false;
            f->Respondido = true;
        }
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What the dataset shows, one row per entry, the named fields joined with "|".
    static QStringList mostrado(Dataset *ds, const QStringList &campos)
    {
        QStringList r;
        for (int i = 0; i < ds->rowCount(); ++i) {
            QStringList valores;
            for (const QString &c : campos)
                valores << ds->displayTextAt(i, ds->FieldByName(c));
            r << valores.join(QLatin1Char('|'));
        }
        return r;
    }
    // Two stands and a sector, the usual ground of the tests.
    void rodalesYSector()
    {
        ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "1"}, {"sup", "12,5"}, {"ano", "1998"}, {"esp", "PINO RADIATA"},
                                                    {"est_san", "1"}, {"cap", "4"}}));
        ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "2"}, {"sup", "7,25"}, {"ano", "2003"}, {"esp", "EUCALIPTO"},
                                                    {"est_san", "1"}, {"cap", "6"}}));
        ASSERT_TRUE(agregar(QStringLiteral("det_sec"), {{"num_sec", "A"}, {"sup", "3"}, {"cap", "6"}, {"tip_veg", "1"}}));
    }
    // A plan with a row in every table, as a consultant fills it.
    void llenarPlan()
    {
        rodalesYSector();
        const QList<std::pair<const char *, Valores>> filas = {
            {"var_cli", {{"var", "1"}, {"val", "12,4"}}},
            {"var_cli", {{"var", "4"}, {"val", "1025"}}},
            {"fis", {{"num", "1"}, {"form", "1"}, {"pen", "15"}, {"alt", "320"}, {"exp", "1"}, {"pos", "1"}}},
            {"fis", {{"num_sec", "A"}, {"form", "2"}, {"pen", "5"}, {"alt", "280"}, {"exp", "3"}, {"pos", "2"}}},
            {"hidr", {{"num", "2"}, {"masa", "2"}, {"temp", "1"}, {"dist", "120"}, {"ancho", "3,5"}}},
            {"ocu_inc", {{"lug", "Borde del camino"}, {"num", "2"}, {"sup", "0,75"}, {"ano", "2015, 2019"}, {"causa", "Quema"}, {"origen", "1"}}},
            {"det_mag", {{"zona", "Norte"}, {"mag_riesgo", "1"}, {"mag_pel", "1"}, {"prior", "1"}}},
            {"rest_var", {{"num", "1"}, {"top", "35"}, {"suelo", "Erosión moderada"}, {"rec_hid", "43"}}},
            {"obj", {{"obj", "Producción de madera aserrable"}, {"num", "1, 2"}, {"num_sec", "A"}, {"unidad", "UM-1"}}},
            {"desc_esq", {{"act", "2"}, {"edad", "6"}, {"pres", "Poda a 2,5 m"}}},
            {"desc_esq", {{"act", "5"}, {"edad", "9"}, {"pres", "Raleo a desecho"}}},
            {"desc_esq", {{"act", "8"}, {"edad", "22"}, {"pres", "Tala rasa"}}},
            {"plan_cam", {{"cam_id", "C-1"}, {"num_cam", "1"}, {"long", "1,2"}, {"ancho", "4"}, {"can_id", "K-1"}, {"num_can", "1"}, {"sup", "0,3"}}},
        };
        for (const auto &[sufijo, valores] : filas)
            ASSERT_TRUE(agregar(QLatin1String(sufijo), valores)) << sufijo << ": " << mensajes().join(QLatin1Char('\n')).toStdString();
        for (const char *t : {"52", "53", "54"})
            ASSERT_TRUE(modificar(QStringLiteral("mepr"), "tip_rest", QLatin1String(t), {{"med_prot", "Medida del tipo " + QString::fromLatin1(t)}}));
        ASSERT_TRUE(modificar(QStringLiteral("poda"), "Id_desc", QStringLiteral("1"), {{"den", "1250"}, {"arb_pod", "100"}, {"alt", "2,5"}}));
        Dataset *ppal = tabla(QString());
        ppal->Edit();
        for (const auto &[campo, valor] : Valores{{"uso_rec_pla", "19,75"}, {"uso_rec_bos", "0"}, {"sue_for", "3"}, {"sue_ref", "0"},
                                                   {"mepr_plag", "Monitoreo de Sirex"}, {"meco_plag", "Control biológico"},
                                                   {"mepr_inc", "Cortafuegos de 10 m"}, {"meco_inc", "Brigada propia"},
                                                   {"desc_tec_cam", "Ripio compactado"}, {"desc_tec_can", "Superficie nivelada"}})
            ppal->FieldByName(QLatin1String(campo))->setAsString(valor);
        ASSERT_TRUE(catchAbort([ppal] { ppal->Post(); })) << mensajes().join(QLatin1Char('\n')).toStdString();
    }
    QStringList mensajes() const { return dialogos.textos(); }

protected:

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    bool conDorvo = false; // the document holds the request form DORVO too
    QList<TCustomMDIChild *> formularios;
    ScriptedDialogs dialogos;
};
