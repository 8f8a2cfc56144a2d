#pragma once

// One page of a printed document: its ordered page objects (owned), its size and
// orientation, and the recorded picture of the whole page at the metafile
// resolution, rendered again only when something changed. Header, footer and
// margins belong to the preview; the page refers to them.

#include "pgtypes.h"
#include "tpgcustombaseobject.h"
#include "tpgpagertfinfo.h"
#include "tpgvaluesize.h"

#include <QPicture>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QRectF;
class TPgFooter;
class TPgHeader;
class TPgMargins;
class TPgPageList;
class TPgPrintTarget;

class TPgPage
{
public:
    using TOrientationEvent = std::function<void(TPgPage *sender, int pageNumber, TPgOrientation orientation)>;

    TPgPage();
    ~TPgPage();
    TPgPage(const TPgPage &) = delete;
    TPgPage &operator=(const TPgPage &) = delete;

    // Takes ownership; links the object's OnChange to the page. Returns the index.
    int AddObject(std::unique_ptr<TPgCustomBaseObject> object);
    // index is clamped into 0..count.
    int InsertObject(int index, std::unique_ptr<TPgCustomBaseObject> object);
    TPgCustomBaseObject *Object(int index) const;
    int Count() const { return int(FObjects.size()); }
    // Any index outside 0..count-1 does nothing.
    void DeleteObject(int index);
    void Clear();

    // The page picture, rendered first when dirty; its canvas is MetafileSize()
    // pixels at the metafile resolution.
    const QPicture &GetMetafile();
    QSize MetafileSize() const { return FScreenSize; }
    // The rich text laid out for the printer, rendered first when the printer flag
    // is set; null when the page has no rich text.
    const QPicture *GetPrinterMetafile(int printerResolution = PgDefaultMetafileResolution);
    QSize PrinterMetafileSize() const { return FPrinterSize; }
    // Draws the page (printer picture first, then the page picture) stretched into
    // target, on any painter.
    void Play(QPainter &painter, const QRectF &target);

    void SetDirty(bool dirty);
    void MarkScreenDirty() { FScreenDirty = true; }
    bool ScreenDirty() const { return FScreenDirty; }
    bool PrinterDirty() const { return FPrinterDirty; }
    // Whether either flag was set; renders both.
    bool EnsureRendered(int printerResolution = PgDefaultMetafileResolution);

    TPgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPgOrientation orientation);
    void Assign(const TPgPage &other);
    // Prints the rich text, the objects, then header and footer (when visible).
    void Print(TPgPrintTarget &printer);

    TPgValue &Height() { return FSize.Height; }
    TPgValue &Width() { return FSize.Width; }
    TPgValueSize &Size() { return FSize; }
    TPgPageRtfInfo &RtfInfo() { return FRtfInfo; }
    int PageNumber() const { return FPageNumber; }
    bool ShowHeader() const { return FShowHeader; }
    void SetShowHeader(bool value) { FShowHeader = value; }
    bool ShowFooter() const { return FShowFooter; }
    void SetShowFooter(bool value) { FShowFooter = value; }

    TPgHeader *Header() const { return FHeader; }
    TPgFooter *Footer() const { return FFooter; }
    TPgMargins *Margins() const { return FMargins; }
    TPgPageList *PageList() const { return FPageList; }
    void SetBands(TPgHeader *header, TPgFooter *footer, TPgMargins *margins);
    void SetPageList(TPgPageList *list) { FPageList = list; }
    void SetPageNumber(int number) { FPageNumber = number; }
    // Stores the orientation without firing the event (the list's own change).
    void SetOrientationField(TPgOrientation orientation) { FOrientation = orientation; }

    TOrientationEvent OnOrientationChange;

private:
    void ObjectChanged() { FScreenDirty = true; }
    void RenderScreen();
    void RenderPrinter(int printerResolution);
    TPgSizeExt SizeInches() const;

    TPgFooter *FFooter = nullptr;
    bool FScreenDirty = true;
    bool FPrinterDirty = false;
    TPgHeader *FHeader = nullptr;
    bool FBusy = false;
    TPgMargins *FMargins = nullptr;
    QPicture FScreenMetafile;
    QSize FScreenSize;
    std::unique_ptr<QPicture> FPrinterMetafile;
    QSize FPrinterSize;
    std::vector<std::unique_ptr<TPgCustomBaseObject>> FObjects;
    TPgOrientation FOrientation = gmPortrait;
    TPgPageList *FPageList = nullptr;
    int FPageNumber = 0;
    TPgValueSize FSize;
    TPgPageRtfInfo FRtfInfo;
    bool FShowFooter = true;
    bool FShowHeader = true;
};
