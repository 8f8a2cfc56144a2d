#pragma once
// A TISA document as the shell opens one, with the request form DORVO beside it: the
// plug-ins loaded from their shared objects, the windows made by their registered names in
// a program directory holding the built templates and the seeded main database, then set
// up in the shell's order. Message boxes are answered by a ScriptedDialogs (Yes unless
// told).
#include "tcustommdichild.h"

#include "abort.h"
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

class TisaFixture : public ::testing::Test, protected TablasFormulario
{
protected:
    TisaFixture() : TablasFormulario(QStringLiteral("TISA")) {}

    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_TISA_PLUGIN), QStringLiteral(BRENVIK_DORVO_PLUGIN)});
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("TISA.db"), QStringLiteral("DORVO.db"), QStringLiteral("bd.db")});
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

    // New TISA and DORVO windows in the area; `form` is the plan, `dorvo` the request.
    void abrirDocumento()
    {
        soltar();
        formularios.clear();
        for (TCustomMDIChild *f : CrearDocumento(area, app, {QStringLiteral("TISA"), QStringLiteral("DORVO")},
                                                 [](const QString &c) { return c == QLatin1String("TISA") ? 13 : 1; },
                                                 QStringLiteral("Plan de prueba")))
            formularios << f;
        form = formularios.value(0);
        dorvo = formularios.value(1);
    }

    QStringList mensajes() const { return dialogos.textos(); }
    std::string mensajesTexto() const { return mensajes().join(QLatin1Char('\n')).toStdString(); }

    // A stand to be cut, as the consultant enters it.
    bool rodal(const QString &num, const QString &sup, const QString &tipo = QStringLiteral("45"))
    {
        return agregar(QStringLiteral("car_bos"),
                       {{"num", num}, {"sup", sup}, {"tip_for", tipo}, {"esp_dom", QStringLiteral("ROBLE, RAULI")}});
    }
    bool suelo(const QString &num, const QString &alt = QStringLiteral("320"))
    {
        return agregar(QStringLiteral("car_sue"), {{"num", num}, {"cap_uso", "3"}, {"simb", "Tr-2"}, {"pen", "12"},
                                                   {"exp", "1"}, {"prof", "2"}, {"alt", alt}});
    }
    bool medida(const QString &num)
    {
        return agregar(QStringLiteral("mepr"), {{"num", num}, {"tip_rest", "52"}, {"mepr", "Zona de exclusión de " + num}});
    }

private:
    void soltar()
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
    }

protected:
    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QList<QPointer<TCustomMDIChild>> formularios;
    QPointer<TCustomMDIChild> dorvo; // its request form
    ScriptedDialogs dialogos;
};
