#pragma once

// The pages of one printed document (owned), all of one size unless a page turns
// itself to the other orientation. Starts empty with A4 portrait.

#include "pgtypes.h"
#include "tpgpage.h"
#include "tpgvaluesize.h"

#include <memory>
#include <vector>

class TPgFooter;
class TPgHeader;
class TPgMargins;
class TPgTokenSource;

class TPgPageList
{
public:
    TPgPageList();
    ~TPgPageList();
    TPgPageList(const TPgPageList &) = delete;
    TPgPageList &operator=(const TPgPageList &) = delete;

    int Count() const { return int(FPages.size()); }
    // 1-based; null outside 1..Count().
    TPgPage *Page(int number) const;
    TPgPage *AddPage();
    // Inserts before the 0-based index; -1 appends. Null for an index beyond the
    // list.
    TPgPage *InsertPage(int index);
    // 1-based; numbers outside the list do nothing.
    void DeletePage(int number);
    void Clear();
    void Assign(const TPgPageList &other);

    // Every page and the list take the size of the paper, turned when landscape.
    void SetPaperSize(TPgPaperSize size);
    TPgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPgOrientation orientation);
    TPgValue &Height() { return FSize.Height; }
    TPgValue &Width() { return FSize.Width; }
    // 0 portrait, 1 landscape when every page has the list's orientation; 2 when
    // any page differs.
    int OrientationSummary() const;
    void MarkAllDirty();

    void SetBands(TPgHeader *header, TPgFooter *footer, TPgMargins *margins);
    TPgTokenSource *Owner() const { return FOwner; }
    void SetOwner(TPgTokenSource *owner) { FOwner = owner; }

    TNotifyEvent OnChange;
    TPgPage::TOrientationEvent OnPageOrientation;

private:
    void SizeChanged();
    void Renumber();

    TPgFooter *FFooter = nullptr;
    TPgHeader *FHeader = nullptr;
    TPgMargins *FMargins = nullptr;
    TPgOrientation FOrientation = gmPortrait;
    std::vector<std::unique_ptr<TPgPage>> FPages;
    TPgValueSize FSize;
    TPgTokenSource *FOwner = nullptr;
};
