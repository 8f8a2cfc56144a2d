#pragma once

// The shadow the preview draws along the right and bottom edges of the paper.

#include "pgstyles.h"

class TPgShadow
{
public:
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    void Assign(const TPgShadow &other);

    TNotifyEvent OnChange;

private:
    void Changed();

    int FWidth = 5;
    TColor FColor = clBlack;
    bool FVisible = true;
};
