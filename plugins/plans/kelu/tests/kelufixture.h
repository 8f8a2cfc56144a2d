#pragma once
// A KELU window as the shell makes one: the plug-in loaded from its shared object, the
// window created by its registered name in a program directory holding the built
// template bbdd/KELU.db and the seeded main database bbdd/bd.db, then Nuevo,
// ConexionesExternas, EstablecerBBDD and InicializarDatasetPpal. Message boxes are
// answered by a ScriptedDialogs (Yes by default).
#include "tcustommdichild.h"

#include "classregistry.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "field.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

class KeluFixture : public ::testing::Test
{
protected:
    static QLibrary &plugin()
    {
        static QLibrary lib(QStringLiteral(BRENVIK_KELU_PLUGIN));
        return lib;
    }
    static void SetUpTestSuite() { ASSERT_TRUE(plugin().load()) << plugin().errorString().toStdString(); }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        for (const char *base : {"KELU.db", "bd.db"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/") + QLatin1String(base),
                                    app + QStringLiteral("bbdd/") + QLatin1String(base)))
                << base;
        area = new QMdiArea;
        area->resize(1100, 800);
        form = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TFormKELU"), nullptr));
        ASSERT_NE(form, nullptr);
        area->addSubWindow(form);
        form->DirAplicacion = app;
        form->Codigo = QStringLiteral("KELU");
        form->CodigoPpal = QStringLiteral("KELU");
        form->Nuevo();
        form->ConexionesExternas();
        ASSERT_TRUE(form->EstablecerBBDD());
        form->InicializarDatasetPpal(QStringLiteral("Plan de prueba"));
        form->Modificado = false;
        form->Respondido = true;
        dialogos.porDefecto = ID::YES;
    }

    void TearDown() override
    {
        if (form) {
            form->Modificado = false;
            form->Respondido = true;
        }
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Dataset *tabla(const QString &sufijo) const
    {
        const QString nombre = sufijo.isEmpty() ? QStringLiteral("adsPpal") : QStringLiteral("adtKELU_") + sufijo;
        return form->findChild<Dataset *>(nombre);
    }
    DBGrid *grilla(const QString &sufijo) const { return form->findChild<DBGrid *>(QStringLiteral("dbgKELU_") + sufijo); }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QPointer<TCustomMDIChild> form;
    ScriptedDialogs dialogos;
};
