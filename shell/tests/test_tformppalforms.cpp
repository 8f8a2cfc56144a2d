// The open-document dialog over the document index.
#include "dataset.h"
#include "dbcombobox.h"
#include "dbdateedit.h"
#include "dbgrid.h"
#include "field.h"
#include "query.h"
#include "scripteddialogs.h"
#include "table.h"
#include "testprogramdir.h"
#include "tformppalforms.h"
#include "util_bbdd.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FormsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program.createDatabase();
        documento = carpeta.path() + QStringLiteral("/robles.fpru");
        xml = carpeta.path() + QStringLiteral("/robles.xml");
        for (const QString &f : {documento, xml}) {
            QFile archivo(f);
            ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
            archivo.write("contenido de " + f.toUtf8());
        }
        execSql(program.database(),
                "ALTER TABLE formularios ADD COLUMN form_sigla TEXT;"
                "INSERT INTO formularios VALUES (4, 'PRUEBA', '', '', 'pru', 'Prueba completa', '', 'PRU');"
                "CREATE TABLE formPredio (foco_id INTEGER PRIMARY KEY AUTOINCREMENT, pred_codigo INTEGER, form_id INTEGER,"
                " foco_estado INTEGER DEFAULT 0, foco_fecha DATETIME, foco_nroResol VARCHAR(30), foco_archivo VARCHAR(200),"
                " foco_XML VARCHAR(200), foco_hashXml VARCHAR(50), foco_consultorId INTEGER);"
                "CREATE TABLE predio (pred_codigo INTEGER PRIMARY KEY, pred_nombre TEXT);"
                "INSERT INTO predio VALUES (5, 'Los Robles'), (6, 'El Alamo');");
        Operacion(program.database(),
                  QStringLiteral("INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_fecha, foco_archivo, foco_XML,"
                                 " foco_hashXml, foco_consultorId) VALUES (5, 4, 0, '2026-03-09 00:00:00', ?, '', 'AB', 7),"
                                 " (5, 1, 1, '2026-04-01 00:00:00', ?, ?, 'CD', NULL), (6, 2, 2, NULL, 'x', '', '', 0)"),
                  {documento, documento + QStringLiteral("2"), xml});
        dialogo = std::make_unique<TFormPpalForms>(program.path() + QLatin1Char('/'));
        dialogo->dlgGuardar = [this](const QString &inicial, const QString &filtro) {
            propuestos << inicial;
            filtros << filtro;
            return elegido;
        };
        dialogo->show();
        QCoreApplication::processEvents();
    }

    void fila(int predCodigo, int estado)
    {
        ASSERT_TRUE(dialogo->adsPredios->Locate(QStringLiteral("pred_codigo"), predCodigo));
        ASSERT_TRUE(dialogo->adtFormPredio->Locate(QStringLiteral("foco_estado"), estado));
        QCoreApplication::processEvents();
    }
    QByteArray contenido(const QString &f)
    {
        QFile archivo(f);
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray("(falta)");
    }

    TestProgramDir program;
    QTemporaryDir carpeta;
    ScriptedDialogs dialogs;
    QString documento, xml, elegido;
    QStringList propuestos, filtros;
    std::unique_ptr<TFormPpalForms> dialogo;
};

TEST_F(FormsTest, ShowsTheDocumentsOfTheChosenProperty)
{
    EXPECT_EQ(dialogo->windowTitle(), QStringLiteral("Formularios"));
    // Properties by name; the documents follow the property.
    EXPECT_EQ(dialogo->adsPredios->FieldByName(QStringLiteral("pred_nombre"))->AsString(), QStringLiteral("El Alamo"));
    EXPECT_EQ(dialogo->adtFormPredio->RecordCount(), 1);
    fila(5, 0);
    EXPECT_EQ(dialogo->adtFormPredio->RecordCount(), 2);
    EXPECT_EQ(dialogo->lblNombrePredio->text(), QStringLiteral("Los Robles"));
    EXPECT_EQ(dialogo->lblFormulario->text(), QStringLiteral("Prueba completa"));

    const QAbstractItemModel *modelo = dialogo->DBGridEh1->view()->model();
    const int r = dialogo->adtFormPredio->RecNo() - 1;
    EXPECT_EQ(modelo->data(modelo->index(r, 0)).toString(), QStringLiteral("PRU"));
    // The grid and the date field read the date the same way.
    EXPECT_EQ(modelo->data(modelo->index(r, 1)).toString(), QStringLiteral("09-03-2026"));
    EXPECT_EQ(dialogo->edtFecha->text(), QStringLiteral("09-03-2026"));
    EXPECT_EQ(modelo->data(modelo->index(r, 2)).toString(), QStringLiteral("En proceso de Creación"));
}

// Guards against two documents of one kind and property showing as the same row: the
// file's name tells them apart.
TEST_F(FormsTest, TwoDocumentsOfOneKindShowTheirFileNames)
{
    const QString segundo = carpeta.path() + QStringLiteral("/robles_pru_002.fpru");
    Operacion(program.database(),
              QStringLiteral("INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_fecha, foco_archivo)"
                             " VALUES (5, 4, 0, '2026-03-09 00:00:00', ?)"),
              {segundo});
    dialogo->hide();
    dialogo->show();
    fila(5, 0);
    const QAbstractItemModel *modelo = dialogo->DBGridEh1->view()->model();
    int columna = -1;
    for (int c = 0; c < modelo->columnCount(); ++c)
        if (modelo->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Archivo"))
            columna = c;
    ASSERT_GE(columna, 0);
    QStringList nombres;
    for (int r = 0; r < modelo->rowCount(); ++r)
        nombres << modelo->data(modelo->index(r, columna)).toString();
    nombres.sort();
    EXPECT_EQ(nombres, (QStringList{QStringLiteral("robles.fpru"), QStringLiteral("robles.fpru2"),
                                    QStringLiteral("robles_pru_002.fpru")}));
    // At the dialog's own size the names show whole, without scrolling the grid sideways.
    QCoreApplication::processEvents();
    const QTableView *vista = dialogo->DBGridEh1->view();
    EXPECT_LE(vista->columnViewportPosition(columna) + vista->columnWidth(columna), vista->viewport()->width());
}

// Shown again, the index lists what was saved meanwhile and does not read unchanged data again.
TEST_F(FormsTest, ShownAgainReadsOnlyWhatChanged)
{
    fila(5, 0);
    int aperturas = 0;
    dialogo->adsPredios->AfterOpen = [&aperturas](Dataset *) { ++aperturas; };
    dialogo->hide();
    dialogo->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(aperturas, 0);
    EXPECT_EQ(dialogo->lblNombrePredio->text(), QStringLiteral("Los Robles")); // still where it was

    // A document saved meanwhile (another connection, as a form window saves).
    dialogo->hide();
    Operacion(program.database(),
              QStringLiteral("INSERT INTO formPredio (pred_codigo, form_id, foco_estado, foco_archivo) VALUES (6, 4, 0, 'nuevo')"));
    dialogo->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(aperturas, 1);
    ASSERT_TRUE(dialogo->adsPredios->Locate(QStringLiteral("pred_codigo"), 6));
    EXPECT_EQ(dialogo->adtFormPredio->RecordCount(), 2);
}

// Guards against changing the state of a document that never had its exchange file.
TEST_F(FormsTest, TheStateChangesOnlyOnceTheExchangeFileExists)
{
    fila(5, 0);
    EXPECT_TRUE(dialogo->dbBoxFP_estado->controlReadOnly());
    EXPECT_FALSE(dialogo->btnCopyXML->isEnabled());
    QTest::mouseClick(dialogo->dbBoxFP_estado, Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes.size(), 1);
    EXPECT_EQ(dialogs.boxes[0].tipo, mtCustom);
    EXPECT_EQ(dialogs.boxes[0].texto,
              QStringLiteral("El estado sólo puede ser cambiado después de Generar el archivo de Intercabio para Okran."));

    fila(5, 1);
    EXPECT_FALSE(dialogo->dbBoxFP_estado->controlReadOnly());
    EXPECT_TRUE(dialogo->btnCopyXML->isEnabled());
}

TEST_F(FormsTest, TheResolutionNumberIsSavedOrCancelled)
{
    fila(5, 1);
    EXPECT_FALSE(dialogo->btnGuardar->isEnabled());
    Dataset *ds = dialogo->adtFormPredio;
    for (const auto &[boton, guardado] : {std::pair{dialogo->btnCancelar, false}, std::pair{dialogo->btnGuardar, true}}) {
        ASSERT_TRUE(ds->Edit());
        ASSERT_TRUE(ds->FieldByName(QStringLiteral("foco_nroResol"))->setAsString(QStringLiteral("R-12")));
        EXPECT_TRUE(dialogo->btnGuardar->isEnabled());
        EXPECT_TRUE(dialogo->btnCancelar->isEnabled());
        boton->click();
        EXPECT_FALSE(dialogo->btnGuardar->isEnabled());
        EXPECT_EQ(Consulta(program.database(), QStringLiteral("SELECT foco_nroResol FROM formPredio WHERE foco_estado = 1")),
                  guardado ? QStringLiteral("R-12") : QString());
    }
}

TEST_F(FormsTest, OpenGivesTheChosenRow)
{
    fila(5, 0);
    dialogo->Tag = 0;
    dialogo->btnAbrir->click();
    EXPECT_EQ(dialogo->Tag, 1);
    EXPECT_EQ(dialogo->result(), QDialog::Accepted);
    const TFormPpalForms::Documento d = dialogo->DocumentoElegido();
    EXPECT_EQ(d.archivo, documento);
    EXPECT_EQ(d.predCodigo, 5);
    EXPECT_EQ(d.hash, QStringLiteral("AB"));
    EXPECT_EQ(d.consultorId, 7);
    EXPECT_EQ(d.estado, 0);
}

TEST_F(FormsTest, ExportCopiesTheDocumentWhereverItIsNotAlready)
{
    fila(5, 0);
    elegido = carpeta.path() + QStringLiteral("/copia");
    dialogo->btnExpForm->click();
    EXPECT_EQ(propuestos, QStringList{documento});
    EXPECT_EQ(filtros, QStringList{QStringLiteral("Formulario Prueba completa (*.fpru)")});
    EXPECT_EQ(contenido(elegido + QStringLiteral(".fpru")), contenido(documento));
    // A dot of the name's own is no extension.
    elegido = carpeta.path() + QStringLiteral("/copia Sr. Pérez");
    dialogo->btnExpForm->click();
    EXPECT_EQ(contenido(elegido + QStringLiteral(".fpru")), contenido(documento));

    // The document onto itself, by another spelling of its path: nothing happens.
    const QByteArray antes = contenido(documento);
    const QFileInfo info(documento);
    elegido = info.absolutePath() + QStringLiteral("/./") + info.fileName();
    dialogo->btnExpForm->click();
    EXPECT_EQ(contenido(documento), antes);
    EXPECT_TRUE(dialogs.boxes.isEmpty());

    fila(5, 1);
    elegido = carpeta.path() + QStringLiteral("/otra.xml");
    dialogo->btnCopyXML->click();
    EXPECT_EQ(propuestos.last(), xml);
    EXPECT_EQ(contenido(elegido), contenido(xml));
}

} // namespace
