#include "tpgpagelist.h"

TPgPageList::TPgPageList()
{
    FSize.OnChange = [this](void *) { SizeChanged(); };
    SetPaperSize(TPgPaperSize::A4);
}

TPgPageList::~TPgPageList() = default;

TPgPage *TPgPageList::Page(int number) const
{
    return number >= 1 && number <= Count() ? FPages[size_t(number - 1)].get() : nullptr;
}

TPgPage *TPgPageList::AddPage()
{
    return InsertPage(-1);
}

TPgPage *TPgPageList::InsertPage(int index)
{
    if (index < -1 || index > Count())
        return nullptr;
    auto page = std::make_unique<TPgPage>();
    page->SetPageList(this);
    page->SetOrientationField(FOrientation);
    page->Height().Assign(FSize.Height);
    page->Width().Assign(FSize.Width);
    page->SetBands(FHeader, FFooter, FMargins);
    page->OnOrientationChange = [this](TPgPage *sender, int number, TPgOrientation orientation) {
        if (OnPageOrientation)
            OnPageOrientation(sender, number, orientation);
    };
    TPgPage *result = page.get();
    if (index == -1)
        FPages.push_back(std::move(page));
    else
        FPages.insert(FPages.begin() + index, std::move(page));
    Renumber();
    return result;
}

void TPgPageList::DeletePage(int number)
{
    if (number < 1 || number > Count())
        return;
    FPages.erase(FPages.begin() + (number - 1));
    Renumber();
}

void TPgPageList::Clear()
{
    while (!FPages.empty())
        FPages.pop_back();
}

void TPgPageList::Assign(const TPgPageList &other)
{
    Clear();
    while (Count() < other.Count())
        AddPage();
    for (int i = 1; i <= Count(); ++i)
        Page(i)->Assign(*other.Page(i));
}

void TPgPageList::SetPaperSize(TPgPaperSize size)
{
    TPgSizeExt inches = PaperSizeDimensions(size);
    if (FOrientation == gmLandscape)
        std::swap(inches.Height, inches.Width);
    FSize.Height.SetAsInches(inches.Height);
    FSize.Width.SetAsInches(inches.Width);
}

void TPgPageList::SetOrientation(TPgOrientation orientation)
{
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    const qint32 a = FSize.Height.GetAsUnits();
    const qint32 b = FSize.Width.GetAsUnits();
    const qint32 width = orientation == gmLandscape ? qMax(a, b) : qMin(a, b);
    const qint32 height = orientation == gmLandscape ? qMin(a, b) : qMax(a, b);
    FSize.Width.SetAsUnits(width);
    FSize.Height.SetAsUnits(height);
    for (const std::unique_ptr<TPgPage> &page : FPages) {
        page->SetOrientationField(orientation);
        page->Width().SetAsUnits(width);
        page->Height().SetAsUnits(height);
    }
    MarkAllDirty();
}

int TPgPageList::OrientationSummary() const
{
    for (const std::unique_ptr<TPgPage> &page : FPages) {
        if (page->Orientation() != FOrientation)
            return 2;
    }
    return int(FOrientation);
}

void TPgPageList::MarkAllDirty()
{
    for (const std::unique_ptr<TPgPage> &page : FPages)
        page->MarkScreenDirty();
}

void TPgPageList::SetBands(TPgHeader *header, TPgFooter *footer, TPgMargins *margins)
{
    FHeader = header;
    FFooter = footer;
    FMargins = margins;
    for (const std::unique_ptr<TPgPage> &page : FPages)
        page->SetBands(header, footer, margins);
}

void TPgPageList::SizeChanged()
{
    for (const std::unique_ptr<TPgPage> &page : FPages)
        page->Size().Assign(FSize);
    if (OnChange)
        OnChange(this);
}

void TPgPageList::Renumber()
{
    for (size_t i = 0; i < FPages.size(); ++i) {
        FPages[i]->SetPageNumber(int(i) + 1);
        FPages[i]->MarkScreenDirty();
    }
}
