#include "tpgcustombaseobject.h"

std::unique_ptr<TPgCustomBaseObject> TPgCustomBaseObject::Clone() const
{
    std::unique_ptr<TPgCustomBaseObject> copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

void TPgCustomBaseObject::Changed()
{
    if (OnChange)
        OnChange(this);
}
