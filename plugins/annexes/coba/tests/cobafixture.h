#pragma once
// A document with the request form DORVO and its COBA norm, as the shell opens one: the
// plug-ins loaded from their shared objects, the windows made by their registered names in
// a program directory holding the built templates and the seeded main database. The
// request declares 20 ha. Message boxes are answered by a ScriptedDialogs (Yes unless told).
#include "tcustommdichild.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "documentoprueba.h"
#include "filasprueba.h"
#include "planprueba.h"
#include "qstringprinter.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class CobaFixture : public ::testing::Test, public TablasFormulario
{
public: // the table of cases drives the fixture from its own lambdas
    CobaFixture() : TablasFormulario(QStringLiteral("COBA")) {}

    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_COBA_PLUGIN), QStringLiteral(BRENVIK_DORVO_PLUGIN)});
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("COBA.db"), QStringLiteral("DORVO.db"), QStringLiteral("bd.db")});
        area = new QMdiArea;
        area->resize(1100, 800);
        dialogos.porDefecto = ID::YES;
        abrirDocumento();
    }

    void TearDown() override
    {
        soltar();
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // New DORVO and COBA windows in the area, the request declaring 20 ha.
    void abrirDocumento()
    {
        soltar();
        const QList<TCustomMDIChild *> fs =
            CrearDocumento(area, app, {QStringLiteral("DORVO"), QStringLiteral("COBA")},
                           [](const QString &c) { return c == QLatin1String("COBA") ? 42 : 1; }, QStringLiteral("Norma de prueba"));
        ASSERT_EQ(fs.size(), 2);
        dorvo = fs.at(0);
        form = fs.at(1);
        ASSERT_TRUE(dorvo->ConexionBD->exec(QStringLiteral("UPDATE dorvo SET sup = 20")));
        dorvo->DatasetPpal->Refresh();
        dialogos.boxes.clear();
    }

    // Windows left behind close without asking.
    void soltar()
    {
        for (TCustomMDIChild *f : {form.data(), dorvo.data()}) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
    }

    std::string mensajesTexto() const { return dialogos.textos().join(QLatin1Char('\n')).toStdString(); }

    // A stand as the consultant enters it.
    bool rodal(const QString &num, const QString &sup, const QString &pen = QStringLiteral("20"),
               const QString &ano = QStringLiteral("2005"))
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"esp", QStringLiteral("Pino radiata (Pinus radiata)")},
                                               {"sup", sup}, {"pen", pen}, {"ano", ano}, {"den", "1250"}});
    }
    bool raleo(const QString &num, const QString &intensidad = QStringLiteral("35"),
               const QString &ano = QStringLiteral("2027"), const QString &denDes = QStringLiteral("800"))
    {
        return agregar(QStringLiteral("act_ral"),
                       {{"num", num}, {"dap", "18,5"}, {"den_des", denDes}, {"int", intensidad}, {"ano", ano}});
    }
    bool cosecha(const QString &num, const QString &anoCor, const QString &anoRef)
    {
        return agregar(QStringLiteral("act_cor_ref"), {{"num", num}, {"ano_cor", anoCor}, {"ano_ref", anoRef},
                                                       {"esp", QStringLiteral("Pino radiata (Pinus radiata)")}, {"den", "1250"}});
    }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QPointer<TCustomMDIChild> dorvo; // its request form
    ScriptedDialogs dialogos;
};
