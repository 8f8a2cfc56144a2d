#include "tpgpage.h"

#include "pgpicture.h"
#include "pgrtffuncs.h"
#include "tpgfooter.h"
#include "tpgheader.h"
#include "tpgmargins.h"
#include "tpgpagelist.h"
#include "tpgprinttarget.h"

#include <QPainter>
#include <QRegion>

TPgPage::TPgPage()
{
    FSize.OnChange = [this](void *) { FScreenDirty = true; };
}

TPgPage::~TPgPage() = default;

int TPgPage::AddObject(std::unique_ptr<TPgCustomBaseObject> object)
{
    return InsertObject(Count(), std::move(object));
}

int TPgPage::InsertObject(int index, std::unique_ptr<TPgCustomBaseObject> object)
{
    if (!object)
        return -1;
    index = qBound(0, index, Count());
    object->OnChange = [this](void *) { ObjectChanged(); };
    FObjects.insert(FObjects.begin() + index, std::move(object));
    FScreenDirty = true;
    return index;
}

TPgCustomBaseObject *TPgPage::Object(int index) const
{
    return index >= 0 && index < Count() ? FObjects[size_t(index)].get() : nullptr;
}

void TPgPage::DeleteObject(int index)
{
    if (index < 0 || index >= Count())
        return;
    FObjects.erase(FObjects.begin() + index);
    FScreenDirty = true;
}

void TPgPage::Clear()
{
    while (!FObjects.empty())
        FObjects.pop_back();
    FScreenMetafile = QPicture();
    FRtfInfo.RichText = nullptr;
    if (FPrinterMetafile)
        *FPrinterMetafile = QPicture();
    FScreenDirty = true;
}

const QPicture &TPgPage::GetMetafile()
{
    RenderScreen();
    return FScreenMetafile;
}

const QPicture *TPgPage::GetPrinterMetafile(int printerResolution)
{
    RenderPrinter(printerResolution);
    return FPrinterMetafile.get();
}

void TPgPage::Play(QPainter &painter, const QRectF &target)
{
    EnsureRendered();
    if (FPrinterMetafile && FRtfInfo.RichText)
        PgPlayPicture(painter, *FPrinterMetafile, FPrinterSize, target);
    PgPlayPicture(painter, FScreenMetafile, FScreenSize, target);
}

void TPgPage::SetDirty(bool dirty)
{
    FScreenDirty = dirty;
    FPrinterDirty = dirty;
}

bool TPgPage::EnsureRendered(int printerResolution)
{
    const bool wasDirty = FScreenDirty || FPrinterDirty;
    RenderScreen();
    RenderPrinter(printerResolution);
    return wasDirty;
}

TPgSizeExt TPgPage::SizeInches() const
{
    return {FSize.Height.GetAsInches(), FSize.Width.GetAsInches()};
}

void TPgPage::RenderScreen()
{
    if (!FScreenDirty || FBusy)
        return;
    FBusy = true;
    const int resolution = PgMetafileResolution();
    const TPgSizeExt inches = SizeInches();
    const int width = int(PgBound(0, PgRound(inches.Width * resolution), 1 << 20));
    const int height = int(PgBound(0, PgRound(inches.Height * resolution), 1 << 20));
    FScreenMetafile = QPicture();
    FScreenSize = QSize(width, height);
    FScreenMetafile.setBoundingRect(QRect(0, 0, width, height));
    {
        QPainter painter(&FScreenMetafile);
        QRegion region(0, 0, width, height);
        if (FMargins && FMargins->ClipMargins()) {
            const TPgValueRect &m = FMargins->UserMargins();
            const qint64 left = m.Left.GetAsPixels(resolution) + 1;
            const qint64 top = m.Top.GetAsPixels(resolution) + 1;
            const qint64 right = width - m.Right.GetAsPixels(resolution);
            const qint64 bottom = height - m.Bottom.GetAsPixels(resolution);
            region = QRegion(int(left), int(top), int(qMax<qint64>(0, right - left)),
                             int(qMax<qint64>(0, bottom - top)));
        }
        if (FShowHeader && FHeader) {
            FHeader->SetPageSize(inches.Height, inches.Width);
            FHeader->Draw(painter, resolution, &region, FPageNumber);
        }
        if (FShowFooter && FFooter) {
            FFooter->SetPageSize(inches.Height, inches.Width);
            FFooter->Draw(painter, resolution, &region, FPageNumber);
        }
        for (const std::unique_ptr<TPgCustomBaseObject> &object : FObjects)
            object->Draw(painter, resolution, &region);
    }
    FScreenDirty = false;
    FBusy = false;
}

void TPgPage::RenderPrinter(int printerResolution)
{
    if (!FPrinterDirty || FBusy)
        return;
    FBusy = true;
    if (!FPrinterMetafile)
        FPrinterMetafile = std::make_unique<QPicture>();
    *FPrinterMetafile = QPicture();
    FPrinterSize = QSize();
    if (FRtfInfo.RichText && printerResolution > 0) {
        const TPgSizeExt inches = SizeInches();
        FPrinterSize = QSize(int(PgBound(0, PgRound(inches.Width * printerResolution), 1 << 20)),
                             int(PgBound(0, PgRound(inches.Height * printerResolution), 1 << 20)));
        FPrinterMetafile->setBoundingRect(QRect(QPoint(0, 0), FPrinterSize));
        QPainter painter(FPrinterMetafile.get());
        PgRenderRichText(painter, FRtfInfo.RichText, FRtfInfo.FirstChar, inches, FRtfInfo.Margins,
                         FRtfInfo.LastChar, printerResolution);
    }
    FPrinterDirty = false;
    FBusy = false;
}

void TPgPage::SetOrientation(TPgOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    const qint32 height = FSize.Height.GetAsUnits();
    FSize.Height.SetAsUnits(FSize.Width.GetAsUnits());
    FSize.Width.SetAsUnits(height);
    FScreenDirty = true;
    if (FPageList && FPageList->Orientation() != orientation && OnOrientationChange)
        OnOrientationChange(this, FPageNumber, orientation);
}

void TPgPage::Assign(const TPgPage &other)
{
    Clear();
    for (const std::unique_ptr<TPgCustomBaseObject> &object : other.FObjects)
        AddObject(object->Clone());
    FShowHeader = other.FShowHeader;
    FShowFooter = other.FShowFooter;
    FSize.Assign(other.FSize);
    FScreenDirty = true;
}

void TPgPage::Print(TPgPrintTarget &printer)
{
    const TPgSizeExt inches = SizeInches();
    const int perSheet = printer.PagesPerSheet();
    if (perSheet == 2 || perSheet == 4) {
        const int resolution = qMax(1, printer.HorzResolution());
        FPrinterDirty = FPrinterDirty || (FRtfInfo.RichText && FPrinterSize.isEmpty());
        if (const QPicture *picture = GetPrinterMetafile(resolution); picture && FRtfInfo.RichText)
            printer.DrawPicture(*picture, FPrinterSize);
    } else if (FRtfInfo.RichText) {
        if (QPainter *painter = printer.Painter())
            PgRenderRichText(*painter, FRtfInfo.RichText, FRtfInfo.FirstChar, inches, FRtfInfo.Margins,
                             FRtfInfo.LastChar, qMax(1, printer.HorzResolution()));
    }
    QRegion region;
    const bool clip = FMargins && FMargins->ClipMargins();
    if (clip) {
        const TPgRectExt m = FMargins->MarginsInches();
        region = printer.ClipRegion({m.Left, m.Top, inches.Width - m.Right, inches.Height - m.Bottom});
    }
    for (const std::unique_ptr<TPgCustomBaseObject> &object : FObjects)
        object->Print(printer, clip ? &region : nullptr);
    if (FHeader) {
        FHeader->SetPageSize(inches.Height, inches.Width);
        FHeader->Print(printer, FPageNumber);
    }
    if (FFooter) {
        FFooter->SetPageSize(inches.Height, inches.Width);
        FFooter->Print(printer, FPageNumber);
    }
}

void TPgPage::SetBands(TPgHeader *header, TPgFooter *footer, TPgMargins *margins)
{
    FHeader = header;
    FFooter = footer;
    FMargins = margins;
    FScreenDirty = true;
}
