#pragma once

// Replaces the text tokens ({DATE}, {TIME}, {PAGE}, {NUMPAGES}) of header, footer
// and text-object texts. The preview implements it; the engine only calls it.

#include <QString>

class TPgTokenSource
{
public:
    virtual ~TPgTokenSource() = default;
    virtual QString ReplaceTokens(const QString &text, int pageNumber) const = 0;
};
