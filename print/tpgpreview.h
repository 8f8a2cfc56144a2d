#pragma once

// The preview control: owns a whole printed document (page list, printer,
// header, footer, margins, page grid, shadow) and shows the current page on a
// paper image at a zoom inside a scrolling area. Callers add pages, move
// between them, zoom and print; the print layout layer brackets a document
// with BeginUpdate/EndUpdate and then calls FirstPage. Listeners (QObjects
// added with AddListener) receive the TPgPreviewEvent notifications.

#include "pgprintertypes.h"
#include "pgtypes.h"
#include "tpgcanvas.h"
#include "tpgfooter.h"
#include "tpgheader.h"
#include "tpgmargins.h"
#include "tpgpagegrid.h"
#include "tpgpagelist.h"
#include "tpgpreviewevent.h"
#include "tpgprinter.h"
#include "tpgshadow.h"
#include "tpgtokensource.h"
#include "tpgvaluerect.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QDateTime>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class TPgPaperImage;

class TPgPreview : public QAbstractScrollArea, public TPgTokenSource
{
public:
    using TPreviewEvent = std::function<void(TPgPreview *sender)>;
    using TPageChangeEvent = std::function<void(TPgPreview *sender, int pageNumber)>;
    using TZoomEvent = std::function<void(TPgPreview *sender, int oldZoom, int newZoom)>;
    using THeaderFooterHeightEvent = std::function<void(TPgPreview *sender, int kind, TPgValue &height)>;
    // rect: the header or footer band of the new page, units; canvas draws on it.
    using TDrawHeaderFooterEvent = std::function<void(TPgPreview *sender, TPgValueRect &rect, TPgCanvas &canvas)>;
    using TPageOrientationEvent = std::function<void(TPgPreview *sender, TPgPage *page, int pageNumber,
                                                     TPgOrientation orientation)>;
    using TPrintPageEvent = std::function<void(TPgPreview *sender, TPgPage *page, TPgPrinter &printer)>;
    using TPrintProgressEvent = std::function<void(TPgPreview *sender, int pageNumber, int total)>;
    // x and y: the mouse on the page, from the page's top-left corner.
    using TPageMouseEvent = std::function<void(TPgPreview *sender, QMouseEvent *event, TPgValue &x, TPgValue &y)>;

    explicit TPgPreview(QWidget *parent = nullptr);
    ~TPgPreview() override;

    // Owned parts. The canvas draws on the current page.
    TPgCanvas &Canvas() { return *FCanvas; }
    TPgPageList &PageList() { return *FPageList; }
    TPgPrinter &PgPrinter() { return *FPrinter; }
    TPgHeader &Header() { return *FHeader; }
    TPgFooter &Footer() { return *FFooter; }
    TPgMargins &Margins() { return *FMargins; }
    TPgShadow &Shadow() { return *FShadow; }
    TPgPageGrid &PageGrid() { return *FPageGrid; }
    TPgPaperImage &PaperImage() { return *FPaperImage; }

    // Pages (numbers are 1-based).
    int GetNumPages() const;
    TPgValue &GetPageHeight();
    TPgValue &GetPageWidth();
    TPgPage *Page(int number) const;
    int CurrentPage() const { return FCurrentPage; }
    TPgPage *CurrentPageObject() const;
    // Shows page n (kept inside 1..GetNumPages()); -1 shows the current page again.
    void SetCurrentPage(int number);
    void FirstPage() { SetCurrentPage(1); }
    void PriorPage() { SetCurrentPage(FCurrentPage - 1); }
    void NextPage() { SetCurrentPage(FCurrentPage + 1); }
    void LastPage() { SetCurrentPage(GetNumPages()); }
    // Appends a page, makes it current and runs the new-page notification.
    virtual TPgPage *NewPage();
    // Inserts before the 0-based index (-1 appends); null outside -1..count.
    TPgPage *InsertPage(int index);
    // Leaves one empty page.
    virtual void Clear();
    // Takes the other preview's document and settings (bands, margins, printer
    // settings, paper, orientation, pages, pages per sheet, shadow) and shows
    // its current page.
    void Assign(TPgPreview &other);
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    // Every page and the page list take this size (portrait height and width in
    // m); PaperSize becomes Custom.
    void SetPageSize(long double height, long double width, TPgMeasurement measurement);

    TPgPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TPgPaperSize size);
    static QString PaperSizeToStr(TPgPaperSize size) { return ::PaperSizeToStr(size); }
    TPgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPgOrientation orientation);
    TPgPagesPerSheet PagesPerSheet() const { return FPagesPerSheet; }
    void SetPagesPerSheet(TPgPagesPerSheet pages);
    TPgCoordsRelative CoordsRelativeTo() const { return FCoordsRelativeTo; }
    // Sets the canvas origin.
    void SetCoordsRelativeTo(TPgCoordsRelative value);
    // The canvas origin that CoordsRelativeTo gives, inches.
    TPgPointExt CoordsOrigin();

    // Zoom in percent, kept within MinZoom..MaxZoom and never below 5.
    int Zoom() const { return FZoom; }
    void SetZoom(int zoom);
    int MinZoom() const { return FMinZoom; }
    void SetMinZoom(int value);
    int MaxZoom() const { return FMaxZoom; }
    void SetMaxZoom(int value);
    int ZoomIncrement() const { return FZoomIncrement; }
    void SetZoomIncrement(int value) { FZoomIncrement = value; }
    TPgZoomStyle ZoomStyle() const { return FZoomStyle; }
    void SetZoomStyle(TPgZoomStyle style);
    int Gutter() const { return FGutter; }
    void SetGutter(int gutter);
    const QCursor &ZoomInCursor() const { return FZoomInCursor; }
    const QCursor &ZoomOutCursor() const { return FZoomOutCursor; }

    // Print settings; copies and title are the printer's. With PrintCollate
    // each page comes PrintCopies times in a row (1, 1, 2, 2); without it the
    // whole range comes PrintCopies times (1, 2, 1, 2).
    bool PrintCollate() const { return FPrintCollate; }
    void SetPrintCollate(bool value) { FPrintCollate = value; }
    int PrintCopies() const { return FPrinter->PrintCopies(); }
    void SetPrintCopies(int copies) { FPrinter->SetPrintCopies(copies); }
    bool ReversePrintOrder() const { return FReversePrintOrder; }
    void SetReversePrintOrder(bool value) { FReversePrintOrder = value; }
    QString Title() const { return FPrinter->Title(); }
    void SetTitle(const QString &title) { FPrinter->SetTitle(title); }

    // Prints pages from..to (kept inside the document). False when nothing was
    // printed to the end: already printing, dialog cancelled, device error
    // (PgPrinter().LastError()) or aborted.
    bool Print();
    bool PrintRange(int from, int to);

    // {DATE}, {TIME}, {PAGE} and {NUMPAGES}.
    QString ReplaceTokens(const QString &text, int pageNumber) const override;
    // Qt date and time formats of the tokens; month names are Spanish.
    void SetDateFormat(const QString &format) { FDateFormat = format; }
    void SetTimeFormat(const QString &format) { FTimeFormat = format; }
    // The clock the tokens read (tests fix it).
    void SetClock(std::function<QDateTime()> clock) { FClock = std::move(clock); }

    void AddListener(QObject *listener);
    void RemoveListener(QObject *listener);

    // The mouse position of the paper image in page inches; false outside the
    // paper.
    bool PaperToPage(QPoint paperImagePos, long double *x, long double *y) const;

    QSize sizeHint() const override { return QSize(234, 304); }

    TPreviewEvent OnNewPage;
    TDrawHeaderFooterEvent OnDrawHeader;
    TDrawHeaderFooterEvent OnDrawFooter;
    TPreviewEvent OnClear;
    TPageChangeEvent OnPageChanging;
    TPageChangeEvent OnPageChange;
    TZoomEvent OnZoom;
    THeaderFooterHeightEvent OnGetHeaderFooterHeight;
    TPageOrientationEvent OnChangePageOrientation;
    TPreviewEvent OnChangeOrientation;
    TPreviewEvent OnPageSizeChange;
    TPreviewEvent OnChangePrinter;
    TPreviewEvent OnChangeMargins;
    TPreviewEvent OnCanvasChange;
    TPreviewEvent BeforePrint;
    TPreviewEvent AfterPrint;
    TPreviewEvent OnAbortPrint;
    TPrintPageEvent BeforePrintPage;
    TPrintPageEvent OnPrintPage;
    TPrintPageEvent AfterPrintPage;
    TPrintProgressEvent OnPrintProgress;
    TPageMouseEvent OnPageMouseDown;
    TPageMouseEvent OnPageMouseMove;
    TPageMouseEvent OnPageMouseUp;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void ReLayout();
    void PlacePaper();
    int FitZoom();
    bool ApplyZoom(int zoom);
    void PageChangeNotification();
    void NewPageNotification();
    void Post(TPgPreviewMessage message, int param = 0);
    void PaperMouse(int kind, QMouseEvent *event);
    void UpdateZoomCursor(Qt::KeyboardModifiers modifiers);
    void EndDrag();
    TPgValueRect &BandRect(bool header);

    QList<QPointer<QObject>> FListeners;
    std::unique_ptr<TPgPrinter> FPrinter;
    std::unique_ptr<TPgPageList> FPageList;
    std::unique_ptr<TPgCanvas> FCanvas;
    std::unique_ptr<TPgHeader> FHeader;
    std::unique_ptr<TPgFooter> FFooter;
    std::unique_ptr<TPgMargins> FMargins;
    std::unique_ptr<TPgShadow> FShadow;
    std::unique_ptr<TPgPageGrid> FPageGrid;
    TPgPaperImage *FPaperImage = nullptr;

    int FCurrentPage = 1;
    int FUpdateCount = 0;
    int FSavedPageCount = 0;
    TPgPaperSize FPaperSize = TPgPaperSize::A4;
    TPgOrientation FOrientation = gmPortrait;
    TPgPagesPerSheet FPagesPerSheet = gmOnePage;
    TPgCoordsRelative FCoordsRelativeTo = fromPage;
    int FZoom = 20;
    int FMinZoom = 10;
    int FMaxZoom = 200;
    int FZoomIncrement = 10;
    TPgZoomStyle FZoomStyle = gmFixedZoom;
    int FGutter = 30;
    bool FPrintCollate = false;
    bool FReversePrintOrder = false;
    QString FDateFormat = QStringLiteral("dd-MMM-yyyy");
    QString FTimeFormat = QStringLiteral("hh:mm");
    std::function<QDateTime()> FClock;
    std::unique_ptr<TPgValueRect> FBandRect;
    QCursor FZoomInCursor;
    QCursor FZoomOutCursor;
    bool FDragging = false;
    QPoint FDragStartMouse;
    QPoint FDragStartScroll;
};
