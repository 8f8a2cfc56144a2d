#pragma once
// A DALU document as the shell opens one, with the request form DORVO beside it: the
// plug-ins loaded from their shared objects, the windows made by their registered names in
// a program directory holding the built templates and main database, then set up in the
// shell's order. Message boxes are answered by a ScriptedDialogs (Yes unless told).
#include "tcustommdichild.h"

#include "abort.h"
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

class DaluFixture : public ::testing::Test, protected TablasFormulario
{
public:
    using Valores = ValoresFila;

protected:
    DaluFixture() : TablasFormulario(QStringLiteral("DALU")) {}

    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_DALU_PLUGIN), QStringLiteral(BRENVIK_DORVO_PLUGIN)});
    }

    void SetUp() override
    {
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("DALU.db"), QStringLiteral("DORVO.db"), QStringLiteral("bd.db")});
        if (HasFatalFailure())
            return;
        area = new QMdiArea;
        area->resize(1200, 860);
        abrirDocumento();
        dialogos.porDefecto = ID::YES;
    }

    void TearDown() override
    {
        soltar();
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // New DALU and DORVO windows in the area; `form` is the plan.
    void abrirDocumento()
    {
        soltar();
        formularios.clear();
        const auto hechos = CrearDocumento(area, app, {QStringLiteral("DALU"), QStringLiteral("DORVO")},
                                           [](const QString &c) { return c == QLatin1String("DALU") ? 12 : 1; },
                                           QStringLiteral("Plan de prueba"));
        for (TCustomMDIChild *f : hechos)
            formularios << f;
        form = formularios.value(0);
    }

    QStringList mensajes() const { return dialogos.textos(); }
    std::string mensajesTexto() const { return mensajes().join(QLatin1Char('\n')).toStdString(); }

    // A stand as the consultant enters it (land-use class VI is stored as its code, 6).
    bool rodal(const QString &num, const QString &sup)
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"sup", sup}, {"exp", "1"}, {"altitud", "420"}, {"pen_pre", "15"},
                                               {"pen_max", "30"}, {"cap_uso", "6"}, {"for", "Franco arcilloso"}});
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
    ScriptedDialogs dialogos;
};
