#pragma once
// A document with the request form FERUN and its ZURI accreditation, as the shell opens
// one: the plug-ins loaded from their shared objects, the windows made by their registered
// names in a program directory holding the built templates and the seeded main database.
// Message boxes are answered by a ScriptedDialogs (Yes unless told).
#include "tcustommdichild.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "documentoprueba.h"
#include "filasprueba.h"
#include "planprueba.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ZuriFixture : public ::testing::Test
{
public:
    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_ZURI_PLUGIN), QStringLiteral(BRENVIK_FERUN_PLUGIN)});
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("ZURI.db"), QStringLiteral("FERUN.db"), QStringLiteral("bd.db")});
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

    void abrirDocumento()
    {
        soltar();
        const QList<TCustomMDIChild *> fs =
            CrearDocumento(area, app, {QStringLiteral("FERUN"), QStringLiteral("ZURI")},
                           [](const QString &c) { return c == QLatin1String("ZURI") ? 50 : 1; },
                           QStringLiteral("Acreditación de prueba"));
        ASSERT_EQ(fs.size(), 2);
        ferun = fs.at(0);
        form = fs.at(1);
        dialogos.boxes.clear();
    }

    void soltar()
    {
        for (TCustomMDIChild *f : {form.data(), ferun.data()}) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
    }

    Dataset *tabla(const QString &nombre) const
    {
        return form->findChild<Dataset *>(nombre.isEmpty() ? QStringLiteral("adsPpal") : QStringLiteral("adtZURI_") + nombre);
    }
    QStringList filas(const QString &sql) const { return FilasSql(form->ConexionBD, sql); }
    std::string mensajesTexto() const { return dialogos.textos().join(QLatin1Char('\n')).toStdString(); }

    bool rodal(const QString &num, const QString &cat = QStringLiteral("1"), const QString &erosion = QString())
    {
        return AgregarFila(tabla(QStringLiteral("sec_for")), {{"num_sec", "1"}, {"num", num}, {"tip_res", "10"},
                                                             {"cat_suelo", cat}, {"car_erosion", erosion}});
    }
    bool borrarRodal(const QString &num)
    {
        Dataset *ds = tabla(QStringLiteral("sec_for"));
        bool borrado = false;
        return ds->Locate(QStringLiteral("num"), num) && catchAbort([&] { borrado = ds->Delete(); }) && borrado;
    }
    bool parcelas(const QString &num, const QString &cantidad)
    {
        return ModificarFila(tabla(QStringLiteral("tam_num_par")), "num", num, {{"sup", "100"}, {"num_par", cantidad}});
    }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QPointer<TCustomMDIChild> form;
    QPointer<TCustomMDIChild> ferun;
    ScriptedDialogs dialogos;
};
