// The preview control: zoom limits, paper and orientation, pages and
// navigation, update bracketing, notifications to listeners, header and footer
// tokens, mouse-to-paper conversion, drag scrolling, and how it looks.
#include "printfixture.h"
#include "tpgpaperimage.h"
#include "tpgtextobject.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

class Listener : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (auto *message = dynamic_cast<TPgPreviewEvent *>(event)) {
            received << message->Message();
            params << message->Param();
            return true;
        }
        return QObject::event(event);
    }
    QList<int> Take()
    {
        QCoreApplication::sendPostedEvents(this);
        const QList<int> result = received;
        received.clear();
        params.clear();
        return result;
    }
    QList<int> received;
    QList<int> params;
};

} // namespace

struct ZoomCase {
    int minZoom;
    int maxZoom;
    int set;
    int expected;
};

class PreviewZoomTest : public ::testing::TestWithParam<ZoomCase>
{
};

TEST_P(PreviewZoomTest, ZoomStaysWithinTheLimits)
{
    const ZoomCase &c = GetParam();
    TPgPreview preview;
    preview.SetMaxZoom(c.maxZoom);
    preview.SetMinZoom(c.minZoom);
    preview.SetZoom(c.set);
    EXPECT_EQ(preview.Zoom(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewZoomTest,
                         ::testing::Values(ZoomCase{10, 200, 3, 10}, ZoomCase{1, 200, 3, 5}, ZoomCase{10, 400, 1000, 400},
                                           ZoomCase{10, 200, 150, 150}, ZoomCase{10, 200, 201, 200}));

TEST(TPgPreview, ZoomLimitsNeverCross)
{
    TPgPreview preview;
    preview.SetMaxZoom(5);
    EXPECT_EQ(preview.MaxZoom(), 10);
    preview.SetMinZoom(300);
    EXPECT_EQ(preview.MinZoom(), 10);
    preview.SetMaxZoom(400);
    preview.SetMinZoom(500);
    EXPECT_EQ(preview.MinZoom(), 400);
}

TEST(TPgPreview, ZoomEventSeesTheOldValueAndFiresOnlyOnAChange)
{
    TPgPreview preview;
    Listener listener;
    preview.AddListener(&listener);
    QList<QPair<int, int>> zooms;
    preview.OnZoom = [&](TPgPreview *p, int from, int to) {
        EXPECT_EQ(p->Zoom(), from);
        zooms.append({from, to});
    };
    preview.SetZoom(100);
    preview.SetZoom(100);
    EXPECT_EQ(zooms, (QList<QPair<int, int>>{{20, 100}}));
    EXPECT_TRUE(listener.Take().contains(pmZoomChanged));
    // The paper follows: 96 pixels per inch at 100 %, inside the gutter.
    EXPECT_EQ(preview.PaperImage().PageRect(), QRect(30, 30, 794, 1123));
}

TEST(TPgPreview, FitZoomStylesFollowTheVisibleArea)
{
    TPgPreview preview;
    preview.SetMaxZoom(400);
    preview.resize(660, 600);
    preview.SetZoomStyle(gmPageWidth);
    const int width = preview.viewport()->width();
    EXPECT_NEAR(preview.PaperImage().PageRect().width(), width - 60, 8);
    preview.SetZoomStyle(gmWholePage);
    EXPECT_LE(preview.PaperImage().PageRect().height(), preview.viewport()->height() - 60);
    EXPECT_GT(preview.PaperImage().PageRect().height(), preview.viewport()->height() - 80);
}

struct PaperCase {
    TPgPaperSize size;
    TPgOrientation orientation;
    qint32 height;
    qint32 width;
};

class PreviewPaperTest : public ::testing::TestWithParam<PaperCase>
{
};

TEST_P(PreviewPaperTest, EveryPageTakesThePaper)
{
    const PaperCase &c = GetParam();
    TPgPreview preview;
    preview.NewPage();
    preview.SetOrientation(c.orientation);
    preview.SetPaperSize(c.size);
    EXPECT_EQ(preview.PaperSize(), c.size);
    EXPECT_EQ(preview.GetPageHeight().GetAsUnits(), c.height);
    EXPECT_EQ(preview.GetPageWidth().GetAsUnits(), c.width);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(preview.Page(n)->Height().GetAsUnits(), c.height);
        EXPECT_EQ(preview.Page(n)->Width().GetAsUnits(), c.width);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewPaperTest,
                         ::testing::Values(PaperCase{TPgPaperSize::Legal, gmPortrait, 35560, 21590},
                                           PaperCase{TPgPaperSize::Legal, gmLandscape, 21590, 35560},
                                           PaperCase{TPgPaperSize::A5, gmLandscape, 14850, 21000},
                                           PaperCase{TPgPaperSize::Letter, gmPortrait, 27940, 21590}));

TEST(TPgPreview, OrientationKeepsThePaperSizeAndTellsThePrinter)
{
    TPgPreview preview;
    preview.SetPaperSize(TPgPaperSize::Legal);
    Listener listener;
    preview.AddListener(&listener);
    int changes = 0;
    preview.OnChangeOrientation = [&](TPgPreview *) { ++changes; };
    preview.SetOrientation(gmLandscape);
    preview.SetOrientation(gmLandscape);
    EXPECT_EQ(preview.PaperSize(), TPgPaperSize::Legal);
    EXPECT_EQ(preview.PgPrinter().Orientation(), gmLandscape);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(listener.Take().contains(pmOrientationChanged));
}

TEST(TPgPreview, SetPageSizeResizesEveryPageAndMakesThePaperCustom)
{
    TPgPreview preview;
    preview.NewPage();
    preview.SetPageSize(330, 216, gmMillimeters);
    EXPECT_EQ(preview.PaperSize(), TPgPaperSize::Custom);
    EXPECT_EQ(preview.GetPageHeight().GetAsUnits(), 33000);
    EXPECT_EQ(preview.GetPageWidth().GetAsUnits(), 21600);
    EXPECT_EQ(preview.Page(1)->Height().GetAsUnits(), 33000);
    EXPECT_EQ(preview.Page(2)->Width().GetAsUnits(), 21600);
    EXPECT_NEAR(double(preview.GetPageHeight().GetAsMm()), 330, 1e-9);
}

TEST(TPgPreview, NewPageWhileUpdatingShowsOnlyAtEndUpdate)
{
    TPgPreview preview;
    Listener listener;
    preview.AddListener(&listener);
    int newPages = 0;
    int pageChanges = 0;
    preview.OnNewPage = [&](TPgPreview *) { ++newPages; };
    preview.OnPageChange = [&](TPgPreview *, int) { ++pageChanges; };
    preview.BeginUpdate();
    preview.NewPage();
    preview.NewPage();
    EXPECT_EQ(preview.GetNumPages(), 3);
    EXPECT_EQ(preview.CurrentPage(), 3);
    EXPECT_EQ(newPages, 2);
    EXPECT_EQ(pageChanges, 0);
    EXPECT_FALSE(preview.PaperImage().PaintingEnabled());
    EXPECT_EQ(listener.Take(), (QList<int>{pmBeginUpdate}));
    preview.EndUpdate();
    EXPECT_TRUE(preview.PaperImage().PaintingEnabled());
    EXPECT_EQ(preview.PaperImage().Page(), preview.Page(3));
    EXPECT_EQ(pageChanges, 1);
    const QList<int> after = listener.Take();
    EXPECT_EQ(after.mid(after.size() - 2), (QList<int>{pmEndUpdate, pmPageOrPrinterChanged}));
    preview.FirstPage();
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.PaperImage().Page(), preview.Page(1));
}

TEST(TPgPreview, NestedUpdatesShowOnceAtTheOutermostEnd)
{
    TPgPreview preview;
    Listener listener;
    preview.AddListener(&listener);
    preview.BeginUpdate();
    preview.BeginUpdate();
    preview.NewPage();
    preview.EndUpdate();
    EXPECT_TRUE(preview.Updating());
    preview.EndUpdate();
    preview.EndUpdate();
    EXPECT_FALSE(preview.Updating());
    EXPECT_EQ(listener.Take().count(pmEndUpdate), 1);
}

TEST(TPgPreview, NewPageOutsideAnUpdateShowsThePageAndNotifies)
{
    TPgPreview preview;
    Listener listener;
    preview.AddListener(&listener);
    QList<int> changing;
    preview.OnPageChanging = [&](TPgPreview *, int old) { changing << old; };
    TPgValueRect header;
    preview.Header().SetVisible(true);
    preview.OnDrawHeader = [&](TPgPreview *, TPgValueRect &rect, TPgCanvas &) { header.Assign(rect); };
    TPgPage *page = preview.NewPage();
    EXPECT_EQ(preview.CurrentPageObject(), page);
    EXPECT_EQ(changing, QList<int>{1});
    const QList<int> messages = listener.Take();
    EXPECT_TRUE(messages.contains(pmPageAdded));
    EXPECT_TRUE(messages.contains(pmPageOrPrinterChanged));
    EXPECT_TRUE(messages.contains(pmPageRendered));
    EXPECT_EQ(header.Left.GetAsUnits(), 2000);
    EXPECT_EQ(header.Top.GetAsUnits(), 2000);
    EXPECT_EQ(header.Right.GetAsUnits(), 21000 - 2000);
    EXPECT_EQ(header.Bottom.GetAsUnits(), 2000 + preview.Header().GetHeight().GetAsUnits());
    EXPECT_EQ(preview.InsertPage(5), nullptr);
    TPgPage *front = preview.InsertPage(0);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.PaperImage().Page(), front);
    EXPECT_EQ(preview.Canvas().CurrentPage(), front);
}

TEST(TPgPreview, TheCanvasDrawsOnTheCurrentPageFromTheChosenOrigin)
{
    TPgPreview preview;
    preview.OnDrawFooter = [](TPgPreview *, TPgValueRect &rect, TPgCanvas &canvas) {
        canvas.Rectangle(rect.Left.GetAsMm(), rect.Top.GetAsMm() - 5, rect.Right.GetAsMm(), rect.Top.GetAsMm());
    };
    preview.SetCoordsRelativeTo(fromUserMargins);
    EXPECT_NEAR(double(preview.Canvas().OriginX()), 20 / 25.4, 1e-9);
    TPgPage *second = preview.NewPage();
    EXPECT_EQ(second->Count(), 1);
    preview.Canvas().TextBoxExt(0, 0, 50, 0, QStringLiteral("Rodal"), taLeftJustify, vaTop, gmMillimeters);
    EXPECT_EQ(second->Count(), 2);
    int changes = 0;
    preview.OnCanvasChange = [&](TPgPreview *) { ++changes; };
    preview.FirstPage();
    preview.Canvas().Rectangle(0, 0, 10, 10);
    EXPECT_EQ(preview.Page(1)->Count(), 1);
    EXPECT_EQ(changes, 1);
}

TEST(TPgPreview, ClearLeavesOneEmptyCurrentPage)
{
    TPgPreview preview;
    FillDocument(preview, 5);
    preview.SetCurrentPage(4);
    Listener listener;
    preview.AddListener(&listener);
    int newPages = 0;
    int clears = 0;
    preview.OnNewPage = [&](TPgPreview *) { ++newPages; };
    preview.OnClear = [&](TPgPreview *) { ++clears; };
    preview.Clear();
    EXPECT_EQ(preview.GetNumPages(), 1);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.Page(1)->Count(), 0);
    EXPECT_EQ(newPages, 1);
    EXPECT_EQ(clears, 1);
    EXPECT_TRUE(listener.Take().contains(pmCleared));
}

TEST(TPgPreview, AssignCopiesTheDocumentAndShowsTheSamePage)
{
    auto source = std::make_unique<TPgPreview>();
    source->SetPaperSize(TPgPaperSize::Legal);
    FillDocument(*source, 3, {2});
    source->Footer().SetVisible(true);
    source->SetPagesPerSheet(gmTwoPages);
    source->SetCurrentPage(2);
    auto text = std::make_unique<TPgTextObject>();
    text->SetText(QStringLiteral("{PAGE}/{NUMPAGES}"));
    text->SetOwner(source.get());
    text->SetX(5000);
    text->SetY(15000);
    source->Page(2)->AddObject(std::move(text));
    TPgPreview copy;
    copy.Assign(*source);
    EXPECT_EQ(copy.GetNumPages(), 3);
    EXPECT_EQ(copy.CurrentPage(), 2);
    EXPECT_EQ(copy.PaperImage().Page(), copy.Page(2));
    EXPECT_EQ(copy.PaperSize(), TPgPaperSize::Legal);
    EXPECT_EQ(copy.PagesPerSheet(), gmTwoPages);
    EXPECT_TRUE(copy.Footer().Visible());
    EXPECT_EQ(copy.Page(2)->Width().GetAsUnits(), 35560);
    EXPECT_EQ(copy.Page(3)->Count(), 1);
    EXPECT_EQ(RenderPage(*copy.Page(2), 30), RenderPage(*source->Page(2), 30));
    // A copied text asked the source preview for its tokens even after the
    // source was gone.
    const QImage before = RenderPage(*copy.Page(2), 30);
    source.reset();
    copy.Page(2)->SetDirty(true);
    EXPECT_EQ(RenderPage(*copy.Page(2), 30), before);
}

TEST(TPgPreview, NavigationStaysInsideTheDocument)
{
    TPgPreview preview;
    FillDocument(preview, 3);
    QList<int> shown;
    preview.OnPageChange = [&](TPgPreview *, int n) { shown << n; };
    preview.NextPage();
    preview.NextPage();
    preview.NextPage();
    preview.PriorPage();
    preview.LastPage();
    preview.SetCurrentPage(0);
    preview.SetCurrentPage(-1);
    EXPECT_EQ(shown, (QList<int>{2, 3, 2, 3, 1, 1}));
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST(TPgPreview, NotificationsReachEveryListenerWithTheirParameter)
{
    TPgPreview preview;
    Listener a;
    Listener b;
    preview.AddListener(&a);
    preview.AddListener(&b);
    preview.AddListener(&a);
    preview.SetPagesPerSheet(gmTwoPages);
    preview.Footer().SetVisible(true);
    preview.Page(1)->SetDirty(true);
    preview.SetCurrentPage(-1);
    const QList<int> all = b.Take();
    QCoreApplication::sendPostedEvents(&a);
    EXPECT_EQ(a.received, all);
    EXPECT_EQ(all.count(pmPagesPerSheetChanged), 1);
    EXPECT_TRUE(all.contains(pmHeaderFooterChanged));
    ASSERT_TRUE(all.contains(pmPageRendered));
    EXPECT_EQ(a.params[a.received.lastIndexOf(pmPageRendered)], 1);
    a.Take();
    preview.RemoveListener(&a);
    preview.SetZoom(50);
    EXPECT_TRUE(a.Take().isEmpty());
    EXPECT_EQ(b.Take(), QList<int>{pmZoomChanged});
}

TEST(TPgPreview, ResolutionMessagesSetTheMetafileResolution)
{
    TPgPreview preview;
    TPgPreviewEvent set(pmSetMetafileResolution, 300);
    QCoreApplication::sendEvent(&preview, &set);
    EXPECT_EQ(PgMetafileResolution(), 300);
    TPgPreviewEvent reset(pmResetMetafileResolution, 0);
    QCoreApplication::sendEvent(&preview, &reset);
    EXPECT_EQ(PgMetafileResolution(), 600);
}

struct TokenCase {
    const char *caption;
    int page;
    const char *expected;
};

class PreviewTokenTest : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(PreviewTokenTest, ReplacesEveryToken)
{
    const TokenCase &c = GetParam();
    TPgPreview preview;
    FillDocument(preview, 3);
    preview.SetClock([] { return QDateTime(QDate(2026, 3, 5), QTime(9, 7, 30)); });
    EXPECT_EQ(preview.ReplaceTokens(QString::fromUtf8(c.caption), c.page).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreviewTokenTest,
                         ::testing::Values(TokenCase{"{PAGE}/{NUMPAGES}", 2, "2/3"},
                                           TokenCase{"{PAGE} y {PAGE}", 2, "2 y 2"},
                                           TokenCase{"Página {PAGE} de {NUMPAGES}", 3, "Página 3 de 3"},
                                           TokenCase{"{DATE} {TIME}", 1, "05-mar-2026 09:07"},
                                           TokenCase{"{page} {PAGINA}", 1, "{page} {PAGINA}"},
                                           TokenCase{"", 1, ""}));

TEST(TPgPreview, FooterOnEveryPageCarriesItsOwnNumber)
{
    TPgPreview preview;
    FillDocument(preview, 3);
    preview.Footer().SetVisible(true);
    preview.Footer().CaptionRight().SetCaption(QStringLiteral("{PAGE}/{NUMPAGES}"));
    // Page 2 and page 3 differ only by their footer, just above the 20 mm
    // bottom margin (872 rows at 80 dpi); the rendered ink tells.
    const QRect area(0, 800, 662, 72);
    const QImage two = RenderPage(*preview.Page(2), 80);
    const QImage three = RenderPage(*preview.Page(3), 80);
    EXPECT_FALSE(InkBox(two, IsDark, area).isNull());
    EXPECT_NE(two.copy(area), three.copy(area));
}

TEST(TPgPreview, MousePositionBecomesAPagePosition)
{
    TPgPreview preview;
    preview.SetZoom(100);
    long double x = 0;
    long double y = 0;
    ASSERT_TRUE(preview.PaperToPage(QPoint(30 + 96, 30 + 48), &x, &y));
    EXPECT_NEAR(double(x), 1.0, 1e-9);
    EXPECT_NEAR(double(y), 0.5, 1e-9);
    EXPECT_FALSE(preview.PaperToPage(QPoint(30, 200), &x, &y));
    EXPECT_FALSE(preview.PaperToPage(QPoint(200, 30 + 1123), &x, &y));
    preview.SetZoom(50);
    ASSERT_TRUE(preview.PaperToPage(QPoint(30 + 48, 31), &x, &y));
    EXPECT_NEAR(double(x), 1.0, 1e-9);

    qint32 downX = -1;
    qint32 downY = -1;
    preview.OnPageMouseDown = [&](TPgPreview *, QMouseEvent *, TPgValue &px, TPgValue &py) {
        downX = px.GetAsUnits();
        downY = py.GetAsUnits();
    };
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30 + 96, 30 + 48), QPointF(30 + 96, 30 + 48), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&preview.PaperImage(), &press);
    EXPECT_EQ(downX, 5080);
    EXPECT_EQ(downY, 2540);
}

TEST(TPgPreview, DraggingThePaperScrollsTheView)
{
    TPgPreview preview;
    preview.resize(300, 300);
    preview.SetZoom(100);
    QScrollBar *h = preview.horizontalScrollBar();
    QScrollBar *v = preview.verticalScrollBar();
    ASSERT_GT(h->maximum(), 100);
    ASSERT_GT(v->maximum(), 100);
    h->setValue(50);
    v->setValue(60);
    const auto send = [&](QEvent::Type type, QPointF global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(200, 200), global, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&preview.PaperImage(), &event);
    };
    send(QEvent::MouseButtonPress, QPointF(500, 500), Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(470, 440), Qt::LeftButton);
    EXPECT_EQ(h->value(), 80);
    EXPECT_EQ(v->value(), 120);
    EXPECT_EQ(preview.PaperImage().pos(), QPoint(-80, -120));
    send(QEvent::MouseButtonRelease, QPointF(470, 440), Qt::NoButton);
    send(QEvent::MouseMove, QPointF(400, 400), Qt::NoButton);
    EXPECT_EQ(h->value(), 80);
}

TEST(TPgPreview, ControlClickZoomsByTheIncrement)
{
    TPgPreview preview;
    preview.SetZoom(50);
    preview.SetZoomIncrement(25);
    const auto click = [&](Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(40, 40), QPointF(40, 40), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QCoreApplication::sendEvent(&preview.PaperImage(), &event);
    };
    click(Qt::ControlModifier);
    EXPECT_EQ(preview.Zoom(), 75);
    click(Qt::ControlModifier | Qt::ShiftModifier);
    click(Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(preview.Zoom(), 25);
    EXPECT_FALSE(preview.ZoomInCursor().pixmap().isNull());
}

// Looks at the three-page document with a landscape middle page at two zooms;
// the pictures are written into the build tree for a person to look at.
TEST(TPgPreview, ScreenshotsAtTwoZoomLevels)
{
    TPgPreview preview;
    preview.resize(700, 560);
    preview.Margins().SetVisible(true);
    preview.Footer().SetVisible(true);
    preview.Footer().CaptionLeft().SetCaption(QStringLiteral("Código de Verificación: 00000"));
    preview.Footer().CaptionRight().SetCaption(QStringLiteral("Página {PAGE} de {NUMPAGES}"));
    FillDocument(preview, 3, {2});
    preview.show();
    for (const auto &[zoom, page] : {std::pair{25, 1}, std::pair{50, 2}}) {
        preview.SetZoom(zoom);
        preview.SetCurrentPage(page);
        QCoreApplication::processEvents();
        const QImage shot = preview.grab().toImage();
        const QString file = QDir::current().filePath(QStringLiteral("preview_zoom%1_page%2.png").arg(zoom).arg(page));
        ASSERT_TRUE(shot.save(file));
        const QRect paper = preview.PaperImage().geometry().translated(preview.viewport()->pos());
        const QRect page2 = preview.PaperImage().PageRect().translated(paper.topLeft());
        const QRect block = InkBox(shot, IsColour(PgToQColor(PageFill(page)), 60));
        ASSERT_FALSE(block.isNull()) << zoom;
        EXPECT_TRUE(page2.contains(block)) << zoom;
        const long double inches = page == 2 ? 11.69L : 8.27L;
        EXPECT_NEAR(page2.width(), double(inches * 96 * zoom / 100), 2);
    }
    EXPECT_GT(preview.PaperImage().PageRect().width(), preview.PaperImage().PageRect().height());
}
