// Printing into a PDF file through Qt's printer: page count, each page's size
// and orientation inside one job, the footer text, and the errors of a job
// that cannot start. The checks read the file with pdfinfo and pdftotext.
#include "printfixture.h"
#include "tpgqtprintdevice.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString RunTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HavePdfTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Width and height in points of each page, from pdfinfo.
QList<QSizeF> PageSizes(const QString &file, int pages)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                         QString::number(pages), file});
    QList<QSizeF> sizes;
    const QRegularExpression line(QStringLiteral(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)"));
    for (auto it = line.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

QString PageText(const QString &file, int page)
{
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                             QString::number(page), QStringLiteral("-layout"), file,
                                             QStringLiteral("-")});
}

// Skips when the tools are missing; files go into a fresh folder.
class PdfOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!HavePdfTools())
            GTEST_SKIP() << "pdfinfo/pdftotext not installed";
    }
    QString File(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PdfOutputTest, ALandscapePageInsideAPortraitJobKeepsItsOwnSize)
{
    const QString file = File(QStringLiteral("formulario.pdf"));
    TPgPreview preview;
    FillDocument(preview, 3, {2});
    preview.Footer().SetVisible(true);
    preview.Footer().CaptionRight().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    preview.Footer().CaptionLeft().SetCaption(QStringLiteral("Código de Verificación: 00000"));
    preview.PgPrinter().SetOutputFileName(file);
    ASSERT_TRUE(preview.Print()) << preview.PgPrinter().LastError().toStdString();

    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    const QList<QSizeF> sizes = PageSizes(file, 3);
    ASSERT_EQ(sizes.size(), 3);
    const QSizeF a4(595.28, 841.89);
    const QSizeF turned(a4.height(), a4.width());
    const QSizeF expected[] = {a4, turned, a4};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(sizes[i].width(), expected[i].width(), 1) << i + 1;
        EXPECT_NEAR(sizes[i].height(), expected[i].height(), 1) << i + 1;
    }
    for (int page = 1; page <= 3; ++page) {
        const QString text = PageText(file, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Página %1 de 3").arg(page))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Código de Verificación: 00000")));
        EXPECT_TRUE(text.contains(QStringLiteral("Hoja %1").arg(page)));
    }
}

TEST_F(PdfOutputTest, LegalPaperAndTwoPagesPerSheet)
{
    const QString file = File(QStringLiteral("dos.pdf"));
    TPgPreview preview;
    preview.SetPaperSize(TPgPaperSize::Legal);
    FillDocument(preview, 3);
    preview.SetPagesPerSheet(gmTwoPages);
    preview.PgPrinter().SetOutputFileName(file);
    ASSERT_TRUE(preview.Print()) << preview.PgPrinter().LastError().toStdString();
    const QList<QSizeF> sizes = PageSizes(file, 2);
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(sizes[0].width(), 14 * 72, 1);
    EXPECT_NEAR(sizes[0].height(), 8.5 * 72, 1);
    const QString first = PageText(file, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("Hoja 1")) && first.contains(QStringLiteral("Hoja 2")));
    EXPECT_TRUE(PageText(file, 2).contains(QStringLiteral("Hoja 3")));
}

TEST(TPgQtPrintDevice, AnOutputFileThatCannotBeWrittenIsReportedByName)
{
    TPgPreview preview;
    const QString file = QStringLiteral("/nonexistent-folder/x/formulario.pdf");
    preview.PgPrinter().SetOutputFileName(file);
    bool pageEvent = false;
    preview.OnPrintPage = [&](TPgPreview *, TPgPage *, TPgPrinter &) { pageEvent = true; };
    EXPECT_FALSE(preview.Print());
    EXPECT_TRUE(preview.PgPrinter().LastError().contains(file)) << preview.PgPrinter().LastError().toStdString();
    EXPECT_FALSE(pageEvent);
    EXPECT_FALSE(preview.PgPrinter().Printing());
}

TEST(TPgQtPrintDevice, NoPrinterAndNoFileIsAnError)
{
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    TPgPreview preview;
    EXPECT_FALSE(preview.Print());
    EXPECT_EQ(preview.PgPrinter().LastError(),
              QStringLiteral("No hay ninguna impresora instalada y no se indicó un archivo de salida."));
}

TEST_F(PdfOutputTest, TheFileThePrintDialogNamesReceivesThePages)
{
    const QString file = File(QStringLiteral("elegido.pdf"));
    QPrinter chosen;
    chosen.setOutputFormat(QPrinter::PdfFormat);
    chosen.setOutputFileName(file);
    QPrintDialog dialog(&chosen);
    TPgPreview preview;
    FillDocument(preview, 2);
    preview.PgPrinter().SetPrintDialog(&dialog);
    preview.PgPrinter().SetShowPrintDialog(true);
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    ASSERT_TRUE(preview.Print()) << preview.PgPrinter().LastError().toStdString();
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(PageSizes(file, 2).size(), 2);
}
