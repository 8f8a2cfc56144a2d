#pragma once
// A document of one form bound to a request form (DORVO or FERUN), for the tests of its
// plug-in: both plug-ins loaded from their shared objects, both windows made by their
// registered names in a program directory with the built templates and the seeded main
// database, and the rows typed into the form's datasets. Message boxes are answered by a
// ScriptedDialogs (Yes unless told).
#include "tcustommdichild.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
#include "documentofixture.h"
#include "documentoprueba.h"
#include "filasprueba.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"
#include "planprueba.h"
#include "scripteddialogs.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class AnexoFixture : public DocumentoFixture, public TablasFormulario
{
protected:
    // `codigo` the form's code, `plugin` its shared object, `tiso` its agency type code;
    // `padre` the request form's code and `pluginPadre` its shared object.
    AnexoFixture(const QString &codigo, const QString &plugin, int tiso, const QString &padre, const QString &pluginPadre)
        : DocumentoFixture({codigo, padre}, [codigo, tiso](const QString &c) { return c == codigo ? tiso : 1; },
                           QStringLiteral("Documento de prueba")),
          TablasFormulario(codigo), m_codigo(codigo), m_plugin(plugin), m_pluginPadre(pluginPadre)
    {
    }

    void SetUp() override
    {
        CargarPlugins({m_plugin, m_pluginPadre});
        DocumentoFixture::SetUp();
    }

    // New windows of the form and of its request form in the area.
    void abrirDocumento() override
    {
        DocumentoFixture::abrirDocumento();
        form = ventanas.value(0);
        solicitud = ventanas.value(1);
    }

    // The form printed to `nombre`.pdf in the test's folder and read back as text, every
    // page under the form's mark; empty (with `pdf` set) when pdftotext is missing.
    QString textoImpreso(const QString &nombre, QString *pdf)
    {
        *pdf = dir.filePath(nombre + QStringLiteral(".pdf"));
        QString error;
        EXPECT_TRUE(ImprimirAPdf(form, *pdf, &error)) << error.toStdString();
        EXPECT_TRUE(dialogos.boxes.isEmpty()) << mensajesTexto();
        if (!HayPdftotext())
            return {};
        const QString texto = PdfATexto(*pdf);
        const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        EXPECT_FALSE(paginas.isEmpty());
        for (qsizetype i = 0; i < paginas.size(); ++i)
            EXPECT_TRUE(paginas.at(i).contains(QStringLiteral("Form. %1 (v.2.5)").arg(m_codigo))) << i;
        return texto;
    }

    // The form's rows (`formulario`) and the request form's (`solicitud`) written behind the windows'
    // back, then read again as after loading a document; the consultor `consultorId` with
    // `consultor` (its register row's values) signs the printout.
    void llenarDocumento(const char *formulario, const char *solicitud, int consultorId, const QString &consultor)
    {
        for (const auto &[f, sql] : {std::pair{form.data(), formulario}, std::pair{this->solicitud.data(), solicitud}}) {
            ASSERT_TRUE(f->ConexionBD->execScript(QString::fromUtf8(sql))) << f->ConexionBD->lastError().text().toStdString();
            for (Dataset *ds : f->ConexionBD->datasets()) {
                ds->Close();
                ds->Open();
            }
        }
        ElegirConsultor(app, form, consultorId, consultor);
        dialogos.boxes.clear();
    }

    QPointer<TCustomMDIChild> solicitud;

private:
    QString m_codigo;
    QString m_plugin;
    QString m_pluginPadre;
};

#ifdef BRENVIK_DORVO_PLUGIN
class AnexoDorvoFixture : public AnexoFixture
{
protected:
    AnexoDorvoFixture(const QString &codigo, const QString &plugin, int tiso)
        : AnexoFixture(codigo, plugin, tiso, QStringLiteral("DORVO"), QStringLiteral(BRENVIK_DORVO_PLUGIN))
    {
    }

    void abrirDocumento() override
    {
        AnexoFixture::abrirDocumento();
        dorvo = solicitud;
    }

    QPointer<TCustomMDIChild> dorvo;
};
#endif

#ifdef BRENVIK_FERUN_PLUGIN
class AnexoFerunFixture : public AnexoFixture
{
protected:
    AnexoFerunFixture(const QString &codigo, const QString &plugin, int tiso)
        : AnexoFixture(codigo, plugin, tiso, QStringLiteral("FERUN"), QStringLiteral(BRENVIK_FERUN_PLUGIN))
    {
    }

    void abrirDocumento() override
    {
        AnexoFixture::abrirDocumento();
        ferun = solicitud;
    }

    QPointer<TCustomMDIChild> ferun;
};
#endif
