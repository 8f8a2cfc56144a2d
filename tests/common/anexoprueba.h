#pragma once
// A document of one form bound to the request form DORVO, for the tests of its plug-in:
// both plug-ins loaded from their shared objects, both windows made by their registered
// names in a program directory with the built templates and the seeded main database, and
// the rows typed into the form's datasets. Message boxes are answered by a ScriptedDialogs
// (Yes unless told).
#include "tcustommdichild.h"

#include "abort.h"
#include "dataset.h"
#include "dbgrid.h"
#include "dialogservice.h"
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

class AnexoDorvoFixture : public ::testing::Test
{
protected:
    // `codigo` the form's code, `plugin` its shared object, `tiso` its agency type code.
    AnexoDorvoFixture(const QString &codigo, const QString &plugin, int tiso)
        : m_codigo(codigo), m_plugin(plugin), m_tiso(tiso)
    {
    }

    void SetUp() override
    {
        CargarPlugins({m_plugin, QStringLiteral(BRENVIK_DORVO_PLUGIN)});
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        PrepararPrograma(app, {m_codigo + QStringLiteral(".db"), QStringLiteral("DORVO.db"), QStringLiteral("bd.db")});
        area = new QMdiArea;
        area->resize(1100, 800);
        dialogos.porDefecto = ID::YES;
        abrirDocumento();
    }

    void TearDown() override
    {
        descartar();
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // New windows of the form and of DORVO in the area.
    void abrirDocumento()
    {
        descartar();
        const QString codigo = m_codigo;
        const int tiso = m_tiso;
        const QList<TCustomMDIChild *> hechos = CrearDocumento(
            area, app, {codigo, QStringLiteral("DORVO")}, [codigo, tiso](const QString &c) { return c == codigo ? tiso : 1; },
            QStringLiteral("Documento de prueba"));
        form = hechos.value(0);
        dorvo = hechos.value(1);
    }

    // adsPpal for an empty suffix, otherwise adt<CODE>_<suffix>.
    Dataset *tabla(const QString &sufijo) const
    {
        return form->findChild<Dataset *>(sufijo.isEmpty() ? QStringLiteral("adsPpal")
                                                           : QStringLiteral("adt%1_%2").arg(m_codigo, sufijo));
    }
    DBGrid *grilla(const QString &sufijo) const
    {
        return form->findChild<DBGrid *>(QStringLiteral("dbg%1_%2").arg(m_codigo, sufijo));
    }
    bool agregar(const QString &sufijo, const ValoresFila &valores) { return AgregarFila(tabla(sufijo), valores); }
    bool modificar(const QString &sufijo, const char *clave, const QString &valor, const ValoresFila &valores)
    {
        return ModificarFila(tabla(sufijo), clave, valor, valores);
    }
    // Deletes the row whose `clave` is `valor`; false when refused or not found.
    bool borrar(const QString &sufijo, const char *clave, const QString &valor)
    {
        Dataset *ds = tabla(sufijo);
        bool hecho = false;
        return ds->Locate(QLatin1String(clave), valor) && catchAbort([&] { hecho = ds->Delete(); }) && hecho;
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
    QStringList filas(const QString &sql) const { return FilasSql(form->ConexionBD, sql); }
    std::string mensajesTexto() const { return dialogos.textos().join(QLatin1Char('\n')).toStdString(); }

    QTemporaryDir dir;
    QString app;
    QMdiArea *area = nullptr;
    QPointer<TCustomMDIChild> form;
    QPointer<TCustomMDIChild> dorvo;
    ScriptedDialogs dialogos;

private:
    // The windows close without asking.
    void descartar()
    {
        for (TCustomMDIChild *f : {form.data(), dorvo.data()}) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
    }

    QString m_codigo;
    QString m_plugin;
    int m_tiso;
};
