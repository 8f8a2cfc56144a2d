#include "tpgvaluerect.h"

TPgValueRect::TPgValueRect(qint32 left, qint32 top, qint32 right, qint32 bottom,
                           const TNotifyEvent &onChange)
    : Left(left, onChange), Top(top, onChange), Right(right, onChange), Bottom(bottom, onChange)
{
}

void TPgValueRect::Assign(const TPgValueRect &other)
{
    Left.Assign(other.Left);
    Top.Assign(other.Top);
    Right.Assign(other.Right);
    Bottom.Assign(other.Bottom);
}

void TPgValueRect::SetChangeLink(const TNotifyEvent &onChange)
{
    Left.OnChange = onChange;
    Top.OnChange = onChange;
    Right.OnChange = onChange;
    Bottom.OnChange = onChange;
}
