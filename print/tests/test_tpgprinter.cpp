// Printer output through a recording device: copies, collation, order, ranges,
// pages per sheet with their cells, orientation changes inside a job, abort,
// and what reaches the sheet.
#include "printfixture.h"

#include <QPrintDialog>
#include <QTimer>

#include <gtest/gtest.h>

struct PrintLoopCase {
    const char *name;
    int pages;
    int copies;
    bool collate;
    bool reverse;
    int from;
    int to;
    TPgPagesPerSheet perSheet;
    const char *sequence;
    int sheets;
};

class PrintLoopTest : public ::testing::TestWithParam<PrintLoopCase>
{
};

TEST_P(PrintLoopTest, PrintsThePagesInOrderOnTheExpectedSheets)
{
    const PrintLoopCase &c = GetParam();
    PrintFixture f(c.pages);
    f.preview.SetPrintCopies(c.copies);
    f.preview.SetPrintCollate(c.collate);
    f.preview.SetReversePrintOrder(c.reverse);
    f.preview.SetPagesPerSheet(c.perSheet);
    ASSERT_TRUE(f.preview.PrintRange(c.from, c.to)) << f.preview.PgPrinter().LastError().toStdString();
    EXPECT_EQ(f.Sequence().toStdString(), c.sequence);
    EXPECT_EQ(int(f.device->Sheets.size()), c.sheets);
    EXPECT_EQ(f.device->Log.first(), QStringLiteral("begin"));
    EXPECT_EQ(f.device->Log.last(), QStringLiteral("end"));
    EXPECT_EQ(f.preview.PrintCopies(), c.copies);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintLoopTest,
    ::testing::Values(PrintLoopCase{"collated", 2, 2, true, false, 1, 2, gmOnePage, "1 1 2 2", 4},
                      PrintLoopCase{"uncollated", 2, 2, false, false, 1, 2, gmOnePage, "1 2 1 2", 4},
                      PrintLoopCase{"reverse", 3, 1, false, true, 1, 3, gmOnePage, "3 2 1", 3},
                      PrintLoopCase{"range", 5, 1, false, false, 3, 5, gmOnePage, "3 4 5", 3},
                      PrintLoopCase{"reverseRange", 5, 1, false, true, 2, 4, gmOnePage, "4 3 2", 3},
                      PrintLoopCase{"rangeClamped", 3, 1, false, false, 0, 9, gmOnePage, "1 2 3", 3},
                      PrintLoopCase{"twoPerSheet", 3, 1, false, false, 1, 3, gmTwoPages, "1 2 3", 2},
                      PrintLoopCase{"fourPerSheet", 5, 1, false, false, 1, 5, gmFourPages, "1 2 3 4 5", 2},
                      PrintLoopCase{"twoPerSheetCopies", 3, 2, false, false, 1, 3, gmTwoPages, "1 2 3 1 2 3", 3},
                      PrintLoopCase{"collatedTwoPerSheet", 2, 2, true, false, 1, 2, gmTwoPages, "1 1 2 2", 2}),
    [](const ::testing::TestParamInfo<PrintLoopCase> &info) { return std::string(info.param.name); });

TEST(TPgPrinter, TwoPagesShareATurnedSheetLeftAndRight)
{
    PrintFixture f(3);
    f.preview.SetPagesPerSheet(gmTwoPages);
    ASSERT_TRUE(f.preview.Print());
    ASSERT_EQ(f.device->SheetOrientations(), QStringLiteral("LL"));
    const QImage &sheet = f.device->Sheets[0];
    const int half = sheet.width() / 2;
    EXPECT_EQ(f.cells, (QList<QPoint>{QPoint(0, 0), QPoint(half, 0), QPoint(0, 0)}));
    const QRect first = InkBox(sheet, IsColour(PgToQColor(PageFill(1))));
    const QRect second = InkBox(sheet, IsColour(PgToQColor(PageFill(2))));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_LT(first.right(), half);
    EXPECT_GT(second.left(), half);
    // Each page shrinks by the short-to-long ratio and keeps inside its half.
    EXPECT_NEAR(first.height(), (sheet.height() - 2 * 50 * 0.7071) , 6);
    EXPECT_LE(second.bottom(), sheet.height());
    EXPECT_FALSE(InkBox(f.device->Sheets[1], IsColour(PgToQColor(PageFill(3)))).isNull());
}

TEST(TPgPrinter, FourPagesFillTheQuartersInReadingOrder)
{
    PrintFixture f(4);
    f.preview.SetPagesPerSheet(gmFourPages);
    ASSERT_TRUE(f.preview.Print());
    ASSERT_EQ(f.device->Sheets.size(), 1u);
    const QImage &sheet = f.device->Sheets[0];
    const int w = sheet.width() / 2;
    const int h = sheet.height() / 2;
    EXPECT_EQ(f.cells, (QList<QPoint>{QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}));
    for (int n = 1; n <= 4; ++n) {
        const QRect quarter(QPoint((n - 1) % 2 * w, (n - 1) / 2 * h), QSize(w, h));
        const QRect ink = InkBox(sheet, IsColour(PgToQColor(PageFill(n))));
        EXPECT_TRUE(quarter.contains(ink)) << n;
    }
}

TEST(TPgPrinter, MixedOrientationsTurnSheetsInsideOneJobOnePagePerSheet)
{
    PrintFixture f(3, {2});
    f.preview.SetPagesPerSheet(gmTwoPages);
    ASSERT_TRUE(f.preview.Print());
    EXPECT_EQ(f.device->SheetOrientations(), QStringLiteral("PLP"));
    EXPECT_EQ(f.device->Log.count(QStringLiteral("begin")), 1);
    const QImage &landscape = f.device->Sheets[1];
    EXPECT_GT(landscape.width(), landscape.height());
    const QRect ink = InkBox(landscape, IsColour(PgToQColor(PageFill(2))));
    EXPECT_NEAR(ink.width(), landscape.width() - 100, 3);
}

// A range that starts on a landscape page used to open the job on page 1's
// portrait sheet.
TEST(TPgPrinter, FirstSheetTakesTheFirstPrintedPagesOrientation)
{
    PrintFixture f(3, {2});
    ASSERT_TRUE(f.preview.PrintRange(2, 3));
    EXPECT_EQ(f.device->SheetOrientations(), QStringLiteral("LP"));
}

// A two-per-sheet job used to turn its sheet back at every new sheet, because
// the page's orientation never matches the turned sheet.
TEST(TPgPrinter, TurnedSheetStaysTurnedForTheWholeJob)
{
    PrintFixture f(5);
    f.preview.SetPagesPerSheet(gmTwoPages);
    ASSERT_TRUE(f.preview.Print());
    EXPECT_EQ(f.device->SheetOrientations(), QStringLiteral("LLL"));
}

TEST(TPgPrinter, VerticalMeasuresUseTheVerticalResolution)
{
    PrintFixture f(1, {}, 40, 80);
    f.preview.Footer().SetVisible(true);
    f.preview.Footer().CaptionCenter().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    // Whole device pixels at 40 and 80 dpi: within one pixel of A4.
    EXPECT_NEAR(f.preview.PgPrinter().GetPageHeightPgValue().GetAsUnits(), 29700, 32);
    EXPECT_NEAR(f.preview.PgPrinter().GetPageWidthPgValue().GetAsUnits(), 21000, 64);
    ASSERT_TRUE(f.preview.Print());
    const QImage &sheet = f.device->Sheets[0];
    ASSERT_EQ(sheet.size(), QSize(331, 935));
    // The footer text sits just above the 20 mm bottom margin: 80 dpi rows.
    const int marginRows = qRound(20 / 25.4 * 80);
    const QRect band(0, sheet.height() - marginRows - 40, sheet.width(), 40);
    const QRect text = InkBox(sheet, IsDark, band);
    ASSERT_FALSE(text.isNull());
    EXPECT_LE(text.bottom(), sheet.height() - marginRows + 1);
    EXPECT_NEAR(text.center().x(), sheet.width() / 2, 6);
}

TEST(TPgPrinter, AbortStopsAfterTheCurrentPage)
{
    PrintFixture f(4);
    bool afterPrint = false;
    bool aborted = false;
    f.preview.AfterPrint = [&](TPgPreview *) { afterPrint = true; };
    f.preview.OnAbortPrint = [&](TPgPreview *) { aborted = true; };
    f.preview.AfterPrintPage = [](TPgPreview *, TPgPage *page, TPgPrinter &printer) {
        if (page->PageNumber() == 2)
            printer.Abort();
    };
    EXPECT_FALSE(f.preview.Print());
    EXPECT_EQ(f.Sequence(), QStringLiteral("1 2"));
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(afterPrint);
    EXPECT_EQ(f.device->Log.last(), QStringLiteral("abort"));
    EXPECT_FALSE(f.preview.PgPrinter().Printing());
}

TEST(TPgPrinter, ProgressReportsThePageAndTheRangeSpan)
{
    PrintFixture f(5);
    QList<QPair<int, int>> progress;
    f.preview.OnPrintProgress = [&](TPgPreview *, int page, int total) { progress.append({page, total}); };
    ASSERT_TRUE(f.preview.PrintRange(3, 5));
    EXPECT_EQ(progress, (QList<QPair<int, int>>{{3, 2}, {4, 2}, {5, 2}}));
}

TEST(TPgPrinter, AJobThatDoesNotStartPrintsNothingAndKeepsTheCopies)
{
    PrintFixture f(2);
    f.device->FailBegin = true;
    f.preview.SetPrintCopies(3);
    f.preview.SetPrintCollate(true);
    bool pageEvent = false;
    f.preview.BeforePrintPage = [&](TPgPreview *, TPgPage *, TPgPrinter &) { pageEvent = true; };
    EXPECT_FALSE(f.preview.Print());
    EXPECT_EQ(f.preview.PgPrinter().LastError(), QStringLiteral("sin dispositivo"));
    EXPECT_FALSE(pageEvent);
    EXPECT_EQ(f.preview.PrintCopies(), 3);
    EXPECT_FALSE(f.preview.PgPrinter().Printing());
}

TEST(TPgPrinter, ASecondPrintWhilePrintingIsRefused)
{
    PrintFixture f(2);
    bool nested = true;
    f.preview.BeforePrintPage = [&](TPgPreview *preview, TPgPage *, TPgPrinter &) { nested = preview->Print(); };
    EXPECT_TRUE(f.preview.Print());
    EXPECT_FALSE(nested);
    EXPECT_EQ(f.device->Log.count(QStringLiteral("begin")), 1);
}

TEST(TPgPrinter, JobCarriesTheSettingsAndTheCustomPaper)
{
    PrintFixture f(1);
    f.preview.SetTitle(QStringLiteral("Plan de manejo"));
    f.preview.PgPrinter().SetDuplex(gmVertDuplex);
    f.preview.PgPrinter().SetPrintColor(gmMonochrome);
    f.preview.SetPageSize(330, 216, gmMillimeters);
    ASSERT_EQ(f.preview.PaperSize(), TPgPaperSize::Custom);
    ASSERT_TRUE(f.preview.Print());
    const TPgPrintJobSettings &job = f.device->Settings;
    EXPECT_EQ(job.Title, QStringLiteral("Plan de manejo"));
    EXPECT_EQ(job.Duplex, gmVertDuplex);
    EXPECT_EQ(job.Color, gmMonochrome);
    EXPECT_EQ(job.FirstSheet.Paper, TPgPaperSize::Custom);
    EXPECT_EQ(job.FirstSheet.CustomHeight, 33000);
    EXPECT_EQ(job.FirstSheet.CustomWidth, 21600);
    // Monochrome output has no colour left on the sheet.
    const QImage &sheet = f.device->Sheets[0];
    EXPECT_TRUE(InkBox(sheet, [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); }).isNull());
}

TEST(TPgPrinter, ACancelledPrintDialogPrintsNothing)
{
    PrintFixture f(2);
    QPrintDialog dialog;
    f.preview.PgPrinter().SetPrintDialog(&dialog);
    f.preview.PgPrinter().SetShowPrintDialog(true);
    bool before = false;
    bool pageEvent = false;
    f.preview.BeforePrint = [&](TPgPreview *) { before = true; };
    f.preview.BeforePrintPage = [&](TPgPreview *, TPgPage *, TPgPrinter &) { pageEvent = true; };
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    EXPECT_FALSE(f.preview.Print());
    EXPECT_TRUE(f.preview.PgPrinter().Cancelled());
    EXPECT_TRUE(before);
    EXPECT_FALSE(pageEvent);
    EXPECT_TRUE(f.device->Log.isEmpty());
    EXPECT_FALSE(f.preview.PgPrinter().Printing());
}
