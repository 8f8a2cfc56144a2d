#pragma once

// One of the three texts of a header or footer band, with its font (Arial 12,
// black). A change fires the link to the owning band.

#include "pgstyles.h"

class TPgHeaderFooterCaption
{
public:
    TPgHeaderFooterCaption() = default;
    TPgHeaderFooterCaption(const TPgHeaderFooterCaption &) = delete;
    TPgHeaderFooterCaption &operator=(const TPgHeaderFooterCaption &) = delete;

    const QString &Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    const TPgFont &Font() const { return FFont; }
    void SetFont(const TPgFont &font);
    void Assign(const TPgHeaderFooterCaption &other);

    TNotifyEvent OnChange;

private:
    void Changed();

    QString FCaption;
    TPgFont FFont;
};
