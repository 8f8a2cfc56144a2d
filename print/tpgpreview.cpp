#include "tpgpreview.h"

#include "pgzoomcursors.h"
#include "tpgpaperimage.h"
#include "tpgtextobject.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <vector>

TPgPreview::TPgPreview(QWidget *parent)
    : QAbstractScrollArea(parent)
    , FPrinter(std::make_unique<TPgPrinter>())
    , FPageList(std::make_unique<TPgPageList>())
    , FCanvas(std::make_unique<TPgCanvas>(this))
    , FHeader(std::make_unique<TPgHeader>())
    , FFooter(std::make_unique<TPgFooter>())
    , FMargins(std::make_unique<TPgMargins>())
    , FShadow(std::make_unique<TPgShadow>())
    , FPageGrid(std::make_unique<TPgPageGrid>())
    , FPaperImage(new TPgPaperImage(viewport()))
{
    ++FUpdateCount;
    const auto height = [this](TPgHeaderFooter *, int kind, TPgValue &value) {
        if (OnGetHeaderFooterHeight)
            OnGetHeaderFooterHeight(this, kind, value);
    };
    const auto bandChanged = [this](void *) {
        FPageList->MarkAllDirty();
        ReLayout();
        Post(pmHeaderFooterChanged);
    };
    FHeader->OnGetHeight = height;
    FFooter->OnGetHeight = height;
    FHeader->OnChange = bandChanged;
    FFooter->OnChange = bandChanged;
    FMargins->OnChange = [this](void *) {
        FPageList->MarkAllDirty();
        ReLayout();
        if (OnChangeMargins)
            OnChangeMargins(this);
    };
    FPageGrid->OnChange = [this](void *) {
        FPageList->MarkAllDirty();
        ReLayout();
    };
    FShadow->OnChange = [this](void *) { FPaperImage->update(); };
    FPageList->OnChange = [this](void *) {
        FPaperSize = TPgPaperSize::Custom;
        ReLayout();
    };
    FPageList->OnPageOrientation = [this](TPgPage *page, int number, TPgOrientation orientation) {
        if (OnChangePageOrientation)
            OnChangePageOrientation(this, page, number, orientation);
    };
    FPrinter->OnChange = [this](void *) {
        Post(pmPageOrPrinterChanged);
        if (OnChangePrinter)
            OnChangePrinter(this);
    };
    FCanvas->OnChange = [this](void *) {
        if (OnCanvasChange)
            OnCanvasChange(this);
    };
    FPaperImage->OnMouse = [this](TPgPaperImage::TMouseKind kind, QMouseEvent *event) { PaperMouse(kind, event); };
    FPaperImage->SetDecorations(FPageGrid.get(), FMargins.get(), FShadow.get());
    FMargins->SetPrinter(FPrinter.get());
    FPageList->SetBands(FHeader.get(), FFooter.get(), FMargins.get());
    FPageList->SetOwner(this);
    FHeader->SetMargins(FMargins.get());
    FFooter->SetMargins(FMargins.get());
    FHeader->SetOwner(this);
    FFooter->SetOwner(this);
    FZoomInCursor = PgZoomCursor(true);
    FZoomOutCursor = PgZoomCursor(false);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, PgToQColor(clGray));
    palette.setColor(QPalette::Base, PgToQColor(clGray));
    viewport()->setPalette(palette);
    FCanvas->SetCurrentPage(FPageList->AddPage());
    FCurrentPage = 1;
    FPaperSize = TPgPaperSize::A4;
    resize(234, 304);
    --FUpdateCount;
    ReLayout();
}

TPgPreview::~TPgPreview()
{
    // The paper shows a page of the list; it goes before the list does.
    delete FPaperImage;
    FPaperImage = nullptr;
    // The bands and the list call back into the preview; silence them first.
    FHeader->OnChange = nullptr;
    FFooter->OnChange = nullptr;
    FMargins->OnChange = nullptr;
    FPageList->OnChange = nullptr;
    FPrinter->OnChange = nullptr;
    FCanvas->OnChange = nullptr;
    FMargins->SetPrinter(nullptr);
}

int TPgPreview::GetNumPages() const
{
    return FPageList->Count();
}

TPgValue &TPgPreview::GetPageHeight()
{
    return FPageList->Height();
}

TPgValue &TPgPreview::GetPageWidth()
{
    return FPageList->Width();
}

TPgPage *TPgPreview::Page(int number) const
{
    return FPageList->Page(number);
}

TPgPage *TPgPreview::CurrentPageObject() const
{
    return FPageList->Page(FCurrentPage);
}

void TPgPreview::SetCurrentPage(int number)
{
    if (number != -1)
        number = qBound(1, number, qMax(1, GetNumPages()));
    if (number == FCurrentPage && number != -1)
        return;
    if (OnPageChanging)
        OnPageChanging(this, FCurrentPage);
    if (number != -1)
        FCurrentPage = number;
    FCanvas->SetCurrentPage(CurrentPageObject());
    ReLayout();
    PageChangeNotification();
}

void TPgPreview::PageChangeNotification()
{
    if (OnPageChange)
        OnPageChange(this, FCurrentPage);
    Post(pmPageOrPrinterChanged);
}

TPgPage *TPgPreview::NewPage()
{
    return InsertPage(-1);
}

TPgPage *TPgPreview::InsertPage(int index)
{
    if (index < -1 || index > GetNumPages())
        return nullptr;
    TPgPage *page = FPageList->InsertPage(index);
    if (!page)
        return nullptr;
    const int number = index == -1 ? GetNumPages() : index + 1;
    FCanvas->SetCurrentPage(page);
    if (Updating())
        FCurrentPage = number;
    else
        SetCurrentPage(number == FCurrentPage ? -1 : number);
    NewPageNotification();
    Post(pmPageAdded);
    return page;
}

TPgValueRect &TPgPreview::BandRect(bool header)
{
    if (!FBandRect)
        FBandRect = std::make_unique<TPgValueRect>();
    const TPgValueRect &m = FMargins->UserMargins();
    FBandRect->Left.Assign(m.Left);
    FBandRect->Right.SetAsUnits(GetPageWidth().GetAsUnits() - m.Right.GetAsUnits());
    if (header) {
        FBandRect->Top.Assign(m.Top);
        FBandRect->Bottom.SetAsUnits(m.Top.GetAsUnits() + FHeader->GetHeight().GetAsUnits());
    } else {
        FBandRect->Bottom.SetAsUnits(GetPageHeight().GetAsUnits() - m.Bottom.GetAsUnits());
        FBandRect->Top.SetAsUnits(FBandRect->Bottom.GetAsUnits() - FFooter->GetHeight().GetAsUnits());
    }
    return *FBandRect;
}

void TPgPreview::NewPageNotification()
{
    if (OnNewPage)
        OnNewPage(this);
    if (OnDrawHeader)
        OnDrawHeader(this, BandRect(true), *FCanvas);
    if (OnDrawFooter)
        OnDrawFooter(this, BandRect(false), *FCanvas);
}

void TPgPreview::Clear()
{
    FCurrentPage = 1;
    if (GetNumPages() == 0)
        FPageList->AddPage();
    while (GetNumPages() > 1)
        FPageList->DeletePage(GetNumPages());
    TPgPage *first = FPageList->Page(1);
    first->Clear();
    first->SetDirty(true);
    FCanvas->SetCurrentPage(first);
    ReLayout();
    NewPageNotification();
    if (OnClear)
        OnClear(this);
    Post(pmCleared);
}

void TPgPreview::Assign(TPgPreview &other)
{
    if (&other == this)
        return;
    ++FUpdateCount;
    FHeader->Assign(*other.FHeader);
    FFooter->Assign(*other.FFooter);
    FMargins->Assign(*other.FMargins);
    FPrinter->Assign(*other.FPrinter);
    FOrientation = other.FOrientation;
    FPrinter->SetOrientation(FOrientation);
    FPageList->SetOrientation(other.FPageList->Orientation());
    // The list size first: a change of it resizes every page, turned ones too.
    GetPageWidth().Assign(other.GetPageWidth());
    GetPageHeight().Assign(other.GetPageHeight());
    FPaperSize = other.FPaperSize;
    FPageList->Assign(*other.FPageList);
    for (int n = 1; n <= GetNumPages(); ++n) {
        TPgPage *page = Page(n);
        page->SetOrientationField(other.Page(n)->Orientation());
        // Copied texts would still ask the other preview for their tokens.
        for (int i = 0; i < page->Count(); ++i) {
            if (auto *text = dynamic_cast<TPgTextObject *>(page->Object(i)))
                text->SetOwner(this);
        }
    }
    if (GetNumPages() == 0)
        FPageList->AddPage();
    FPagesPerSheet = other.FPagesPerSheet;
    FShadow->Assign(*other.FShadow);
    --FUpdateCount;
    FCurrentPage = 0;
    SetCurrentPage(other.CurrentPage());
}

void TPgPreview::BeginUpdate()
{
    ++FUpdateCount;
    FSavedPageCount = GetNumPages();
    FPaperImage->SetPaintingEnabled(false);
    Post(pmBeginUpdate);
}

void TPgPreview::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount > 0)
        return;
    FPaperImage->SetPaintingEnabled(true);
    ReLayout();
    Post(pmEndUpdate);
    if (GetNumPages() != FSavedPageCount)
        PageChangeNotification();
}

void TPgPreview::SetPageSize(long double height, long double width, TPgMeasurement measurement)
{
    const auto units = [measurement](long double value) {
        return PgClampToInt32(PgRound(ConvertValue(measurement, gmUnits, value)));
    };
    FPageList->Height().SetAsUnits(units(height));
    FPageList->Width().SetAsUnits(units(width));
}

void TPgPreview::SetPaperSize(TPgPaperSize size)
{
    if (size != TPgPaperSize::Custom && size != FPaperSize)
        FPageList->SetPaperSize(size);
    FPaperSize = size;
    if (OnPageSizeChange)
        OnPageSizeChange(this);
}

void TPgPreview::SetOrientation(TPgOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    FPrinter->SetOrientation(orientation);
    const TPgPaperSize paper = FPaperSize;
    FPageList->SetOrientation(orientation);
    FPaperSize = paper;
    ReLayout();
    Post(pmOrientationChanged);
    if (OnChangeOrientation)
        OnChangeOrientation(this);
}

void TPgPreview::SetPagesPerSheet(TPgPagesPerSheet pages)
{
    FPagesPerSheet = pages;
    Post(pmPagesPerSheetChanged);
}

void TPgPreview::SetCoordsRelativeTo(TPgCoordsRelative value)
{
    FCoordsRelativeTo = value;
    const TPgPointExt origin = CoordsOrigin();
    FCanvas->SetOrigin(origin.X, origin.Y);
}

TPgPointExt TPgPreview::CoordsOrigin()
{
    switch (FCoordsRelativeTo) {
    case fromPrinterMargins: {
        const TPgRectExt m = FPrinter->PrinterMarginsInches();
        return {m.Left, m.Top};
    }
    case fromUserMargins: {
        const TPgRectExt m = FMargins->MarginsInches();
        return {m.Left, m.Top};
    }
    case fromHeaderLine: {
        const TPgRectExt m = FMargins->MarginsInches();
        return {m.Left, m.Top + FHeader->GetHeight().GetAsInches()};
    }
    default: return {0, 0};
    }
}

void TPgPreview::SetMinZoom(int value)
{
    FMinZoom = value >= FMaxZoom ? FMaxZoom : value;
}

void TPgPreview::SetMaxZoom(int value)
{
    FMaxZoom = value <= FMinZoom ? FMinZoom : value;
}

bool TPgPreview::ApplyZoom(int zoom)
{
    zoom = qMax(zoom, FMinZoom);
    zoom = qMin(zoom, FMaxZoom);
    zoom = qMax(zoom, 5);
    if (zoom == FZoom)
        return false;
    if (OnZoom)
        OnZoom(this, FZoom, zoom);
    FZoom = zoom;
    Post(pmZoomChanged);
    return true;
}

void TPgPreview::SetZoom(int zoom)
{
    if (ApplyZoom(zoom))
        ReLayout();
}

void TPgPreview::SetZoomStyle(TPgZoomStyle style)
{
    FZoomStyle = style;
    ReLayout();
}

void TPgPreview::SetGutter(int gutter)
{
    FGutter = qMax(0, gutter);
    FPaperImage->SetGutter(FGutter);
    ReLayout();
}

int TPgPreview::FitZoom()
{
    TPgPage *page = CurrentPageObject();
    const long double width = page ? page->Width().GetAsInches() : 0;
    const long double height = page ? page->Height().GetAsInches() : 0;
    if (width <= 0 || height <= 0)
        return FZoom;
    const QSize area = viewport()->size();
    const long double byWidth = (area.width() - 2 * FGutter) * 100 / (width * 96);
    const long double byHeight = (area.height() - 2 * FGutter) * 100 / (height * 96);
    const long double zoom = FZoomStyle == gmWholePage ? qMin(byWidth, byHeight) : byWidth;
    return int(zoom);
}

void TPgPreview::ReLayout()
{
    if (FUpdateCount > 0 || !FPaperImage)
        return;
    TPgPage *page = CurrentPageObject();
    const bool rendered = page && page->EnsureRendered();
    if (FZoomStyle != gmFixedZoom)
        ApplyZoom(FitZoom());
    FPaperImage->SetPage(page, FZoom, FPaperSize);
    FPaperImage->SetGutter(FGutter);
    const QRect paper = FPaperImage->PageRect();
    const QSize total(paper.width() + 2 * FGutter, paper.height() + 2 * FGutter);
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, total.width() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, qMax(0, total.height() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    FPaperImage->resize(total);
    PlacePaper();
    viewport()->update();
    if (rendered)
        Post(pmPageRendered, FCurrentPage);
}

void TPgPreview::PlacePaper()
{
    const QSize total = FPaperImage->size();
    const QSize area = viewport()->size();
    const int left = total.width() < area.width() ? area.width() / 2 - total.width() / 2 : 0;
    const int top = total.height() < area.height() ? area.height() / 2 - total.height() / 2 : 0;
    FPaperImage->move(left - horizontalScrollBar()->value(), top - verticalScrollBar()->value());
}

void TPgPreview::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    ReLayout();
}

void TPgPreview::scrollContentsBy(int, int)
{
    if (FPaperImage)
        PlacePaper();
}

bool TPgPreview::event(QEvent *event)
{
    if (event->type() == QEvent::Type(pmSetMetafileResolution)) {
        SetPgMetafileResolution(static_cast<TPgPreviewEvent *>(event)->Param());
        return true;
    }
    if (event->type() == QEvent::Type(pmResetMetafileResolution)) {
        SetPgMetafileResolution(PgDefaultMetafileResolution);
        return true;
    }
    return QAbstractScrollArea::event(event);
}

QString TPgPreview::ReplaceTokens(const QString &text, int pageNumber) const
{
    if (!text.contains(QLatin1Char('{')))
        return text;
    const QDateTime now = FClock ? FClock() : QDateTime::currentDateTime();
    const QLocale spanish(QLocale::Spanish, QLocale::Chile);
    QString result = text;
    result.replace(QStringLiteral("{DATE}"), spanish.toString(now.date(), FDateFormat));
    result.replace(QStringLiteral("{TIME}"), spanish.toString(now.time(), FTimeFormat));
    result.replace(QStringLiteral("{PAGE}"), QString::number(pageNumber));
    result.replace(QStringLiteral("{NUMPAGES}"), QString::number(GetNumPages()));
    return result;
}

void TPgPreview::AddListener(QObject *listener)
{
    if (listener && !FListeners.contains(listener))
        FListeners.append(listener);
}

void TPgPreview::RemoveListener(QObject *listener)
{
    FListeners.removeAll(listener);
}

void TPgPreview::Post(TPgPreviewMessage message, int param)
{
    if (FUpdateCount > 0 && message != pmBeginUpdate && message != pmEndUpdate)
        return;
    FListeners.removeAll(nullptr);
    for (const QPointer<QObject> &listener : std::as_const(FListeners))
        QCoreApplication::postEvent(listener, new TPgPreviewEvent(message, param));
}

bool TPgPreview::PaperToPage(QPoint paperImagePos, long double *x, long double *y) const
{
    return FPaperImage->ToPageInches(paperImagePos, x, y);
}

void TPgPreview::PaperMouse(int kind, QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (kind == TPgPaperImage::mkDown && event->button() == Qt::LeftButton) {
        if (event->modifiers() & Qt::ControlModifier) {
            SetZoom(FZoom + ((event->modifiers() & Qt::ShiftModifier) ? -FZoomIncrement : FZoomIncrement));
        } else {
            FDragging = true;
            FDragStartMouse = global;
            FDragStartScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
            FPaperImage->setCursor(Qt::ClosedHandCursor);
        }
    } else if (kind == TPgPaperImage::mkMove && FDragging) {
        const QPoint moved = global - FDragStartMouse;
        horizontalScrollBar()->setValue(FDragStartScroll.x() - moved.x());
        verticalScrollBar()->setValue(FDragStartScroll.y() - moved.y());
    } else if (kind == TPgPaperImage::mkUp && event->button() == Qt::LeftButton) {
        EndDrag();
    }
    if (kind == TPgPaperImage::mkMove && !FDragging)
        UpdateZoomCursor(event->modifiers());
    long double x = 0;
    long double y = 0;
    if (!FPaperImage->ToPageInches(event->position().toPoint(), &x, &y))
        return;
    TPgValue pageX;
    TPgValue pageY;
    pageX.SetAsInches(x);
    pageY.SetAsInches(y);
    const TPageMouseEvent &handler =
        kind == TPgPaperImage::mkDown ? OnPageMouseDown : (kind == TPgPaperImage::mkMove ? OnPageMouseMove : OnPageMouseUp);
    if (handler)
        handler(this, event, pageX, pageY);
}

void TPgPreview::UpdateZoomCursor(Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier))
        FPaperImage->unsetCursor();
    else
        FPaperImage->setCursor((modifiers & Qt::ShiftModifier) ? FZoomOutCursor : FZoomInCursor);
}

void TPgPreview::EndDrag()
{
    FDragging = false;
    FPaperImage->unsetCursor();
}

void TPgPreview::leaveEvent(QEvent *event)
{
    EndDrag();
    QAbstractScrollArea::leaveEvent(event);
}

void TPgPreview::keyPressEvent(QKeyEvent *event)
{
    UpdateZoomCursor(event->modifiers());
    QAbstractScrollArea::keyPressEvent(event);
}

void TPgPreview::keyReleaseEvent(QKeyEvent *event)
{
    UpdateZoomCursor(event->modifiers());
    QAbstractScrollArea::keyReleaseEvent(event);
}

bool TPgPreview::Print()
{
    return PrintRange(1, GetNumPages());
}

bool TPgPreview::PrintRange(int from, int to)
{
    TPgPrinter &printer = *FPrinter;
    if (printer.Printing())
        return false;
    from = qMax(1, from);
    to = qMin(GetNumPages(), to);
    if (from > to)
        return false;
    std::vector<int> order;
    for (int p = from; p <= to; ++p)
        order.push_back(p);
    if (FReversePrintOrder)
        std::reverse(order.begin(), order.end());
    const auto orientationOf = [this](int number) { return FPageList->Page(number)->Orientation(); };

    printer.SetPagesPerSheet(FPageList->OrientationSummary() == 2 ? gmOnePage : FPagesPerSheet);
    // The first sheet takes the orientation of the first page printed.
    printer.SetOrientation(orientationOf(order.front()));
    if (BeforePrint)
        BeforePrint(this);
    if (FPaperSize != TPgPaperSize::Custom) {
        printer.SetPaperSize(FPaperSize);
    } else {
        const qint32 a = GetPageHeight().GetAsUnits();
        const qint32 b = GetPageWidth().GetAsUnits();
        printer.SetPaperSize(TPgPaperSize::Custom);
        printer.SetCustomPaper(FOrientation == gmLandscape ? b : a, FOrientation == gmLandscape ? a : b);
    }
    const bool began = printer.BeginDoc();
    const int copies = printer.PrintCopies();
    const int repeats = FPrintCollate ? copies : 1;
    if (!began)
        return false;
    if (FPrintCollate)
        printer.SetPrintCopies(1);

    bool stopped = false;
    bool failed = false;
    const int runs = printer.PrintCopies();
    for (int copy = 1; copy <= runs && !stopped; ++copy) {
        for (size_t i = 0; i < order.size() && !stopped; ++i) {
            TPgPage *page = FPageList->Page(order[i]);
            for (int r = 1; r <= repeats && !stopped; ++r) {
                if (BeforePrintPage)
                    BeforePrintPage(this, page, printer);
                if (OnPrintPage)
                    OnPrintPage(this, page, printer);
                page->Print(printer.Canvas());
                if (AfterPrintPage)
                    AfterPrintPage(this, page, printer);
                const bool last = i + 1 == order.size() && r == repeats;
                if (!last && printer.Printing() &&
                    !printer.NewPage(orientationOf(r < repeats ? order[i] : order[i + 1])))
                    failed = true;
                QCoreApplication::processEvents();
                stopped = failed || printer.Aborted() || !printer.Printing();
                if (OnPrintProgress)
                    OnPrintProgress(this, order[i], to - from);
            }
        }
        if (copy < runs && !stopped && !printer.NewPage(orientationOf(order.front())))
            stopped = failed = true;
    }
    bool printed = false;
    if (failed) {
        // The device's error stays in LastError() for the caller.
        printer.Abort();
        if (OnAbortPrint)
            OnAbortPrint(this);
    } else if (!printer.Aborted() && printer.Printing()) {
        printed = printer.EndDoc();
        if (AfterPrint)
            AfterPrint(this);
    } else if (OnAbortPrint) {
        OnAbortPrint(this);
    }
    if (FPrintCollate)
        printer.SetPrintCopies(repeats);
    return printed;
}
