#include "tpgcustomvaluesize.h"

TPgCustomValueSize::TPgCustomValueSize()
{
    const TNotifyEvent forward = [this](void *) {
        if (OnChange)
            OnChange(this);
    };
    Height.OnChange = forward;
    Width.OnChange = forward;
}

void TPgCustomValueSize::Assign(const TPgCustomValueSize &other)
{
    Height.Assign(other.Height);
    Width.Assign(other.Width);
}
