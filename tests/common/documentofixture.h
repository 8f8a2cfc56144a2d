#pragma once
// A fixture holding one document of form windows, as the shell opens one (CrearDocumento):
// a program directory with the forms' templates and the seeded main database, the windows
// in an area, message boxes answered by a ScriptedDialogs (Yes unless told) and the
// windows let go without asking at the end. The plug-ins are loaded by the test suite.
#include "tcustommdichild.h"

#include "dialogservice.h"
#include "documentoprueba.h"
#include "planprueba.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

class DocumentoFixture : public ::testing::Test
{
public:
    DocumentoFixture(const QStringList &codigos, const std::function<int(const QString &)> &tisoCodigo, const QString &nombre)
        : m_codigos(codigos), m_tisoCodigo(tisoCodigo), m_nombre(nombre)
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QStringList bases;
        for (const QString &c : m_codigos)
            bases << c + QStringLiteral(".db");
        PrepararPrograma(app, bases << QStringLiteral("bd.db"));
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

    // A new document in the area, in place of the one before; its windows in `ventanas`,
    // in the order of the codes.
    virtual void abrirDocumento()
    {
        soltar();
        ventanas.clear();
        for (TCustomMDIChild *f : CrearDocumento(area, app, m_codigos, m_tisoCodigo, m_nombre, tag))
            ventanas << f;
        ASSERT_EQ(ventanas.size(), m_codigos.size());
        mensajesAlAbrir = dialogos.textos();
        dialogos.boxes.clear();
    }

    // Windows left behind close without asking.
    void soltar()
    {
        for (TCustomMDIChild *f : std::as_const(ventanas)) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
    }

    std::string mensajesTexto() const { return dialogos.textos().join(QLatin1Char('\n')).toStdString(); }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QList<QPointer<TCustomMDIChild>> ventanas;
    ScriptedDialogs dialogos;
    // What the windows told while the document opened (cleared from `dialogos`).
    QStringList mensajesAlAbrir;
    // The Tag each window gets before Nuevo, by code; none: 0.
    std::function<int(const QString &)> tag;

private:
    QStringList m_codigos;
    std::function<int(const QString &)> m_tisoCodigo;
    QString m_nombre;
};
