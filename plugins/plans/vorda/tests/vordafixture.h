#pragma once
// A VORDA document as the shell makes one: VORDA alone, or with the plan KELU (and the
// request DORVO) it notifies, as the catalogue's combinations hold them. The plug-ins are
// loaded from their shared objects; the program directory holds the built templates and
// the seeded main database. Message boxes are answered by a ScriptedDialogs (Yes).
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


class VordaFixture : public ::testing::Test
{
public:
    using Valores = ValoresFila;

protected:
    static void SetUpTestSuite()
    {
        CargarPlugins({QStringLiteral(BRENVIK_VORDA_PLUGIN), QStringLiteral(BRENVIK_KELU_PLUGIN),
                       QStringLiteral(BRENVIK_DORVO_PLUGIN)});
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {QStringLiteral("VORDA.db"), QStringLiteral("KELU.db"), QStringLiteral("DORVO.db"),
                               QStringLiteral("bd.db")});
        if (HasFatalFailure())
            return;
        area = new QMdiArea;
        area->resize(1100, 800);
        dialogos.porDefecto = ID::YES;
    }

    void TearDown() override
    {
        soltar();
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Creates the document's forms in the shell's order: every form set up, then linked,
    // then connected; `form` is its VORDA form, `kelu` its KELU form (if any).
    void abrir(const QStringList &codigos)
    {
        soltar();
        formularios = CrearDocumento(area, app, codigos, [](const QString &codigo) {
            return codigo == QLatin1String("VORDA") ? 11 : codigo == QLatin1String("KELU") ? 10 : 1;
        }, QStringLiteral("Aviso de prueba"));
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            if (f->Codigo == QLatin1String("VORDA"))
                form = f;
            else if (f->Codigo == QLatin1String("KELU"))
                kelu = f;
        }
        ASSERT_FALSE(form.isNull());
    }
    void abrirConKelu() { abrir({QStringLiteral("KELU"), QStringLiteral("DORVO"), QStringLiteral("VORDA")}); }
    void abrirSolo() { abrir({QStringLiteral("VORDA")}); }

    Dataset *tabla(const QString &sufijo, TCustomMDIChild *f = nullptr) const
    {
        f = f ? f : form.data();
        const QString nombre = sufijo.isEmpty() ? QStringLiteral("adsPpal") : QStringLiteral("adt") + f->Codigo + QLatin1Char('_') + sufijo;
        return f->findChild<Dataset *>(nombre);
    }
    DBGrid *grilla(const QString &sufijo) const { return form->findChild<DBGrid *>(QStringLiteral("dbgVORDA_") + sufijo); }

    bool agregar(const QString &sufijo, const Valores &valores, TCustomMDIChild *f = nullptr)
    {
        return AgregarFila(tabla(sufijo, f), valores);
    }
    bool modificar(const QString &sufijo, const char *clave, const QString &valor, const Valores &valores)
    {
        return ModificarFila(tabla(sufijo), clave, valor, valores);
    }
    QStringList filas(const QString &sql) const { return FilasSql(form->ConexionBD, sql); }
    QStringList mensajes() const { return dialogos.textos(); }
    // Two stands and a sector in the KELU plan.
    void planKelu()
    {
        ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "1"}, {"sup", "12,5"}, {"ano", "1998"}, {"esp", "PINO RADIATA"},
                                                    {"est_san", "1"}, {"cap", "4"}}, kelu));
        ASSERT_TRUE(agregar(QStringLiteral("desc"), {{"num", "2"}, {"sup", "7,25"}, {"ano", "2003"}, {"esp", "EUCALIPTO"},
                                                    {"est_san", "1"}, {"cap", "6"}}, kelu));
        ASSERT_TRUE(agregar(QStringLiteral("det_sec"), {{"num_sec", "A"}, {"sup", "3"}, {"cap", "6"}, {"tip_veg", "1"}}, kelu));
    }

private:
    void soltar()
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            f->Modificado = false;
            f->Respondido = true;
        }
        formularios.clear();
        form = nullptr;
        kelu = nullptr;
    }

protected:
    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QList<TCustomMDIChild *> formularios;
    QPointer<TCustomMDIChild> form;
    QPointer<TCustomMDIChild> kelu;
    ScriptedDialogs dialogos;
};
