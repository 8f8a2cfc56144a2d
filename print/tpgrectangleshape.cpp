#include "tpgrectangleshape.h"

#include <QPainter>

TPgRectangleShape::TPgRectangleShape()
    : TPgSimpleShape(okRectangle)
{
}

void TPgRectangleShape::SetRectStyle(int style)
{
    FRectStyle = style;
    Changed();
}

std::unique_ptr<TPgCustomBaseObject> TPgRectangleShape::NewInstance() const
{
    return std::make_unique<TPgRectangleShape>();
}

void TPgRectangleShape::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgRectangleShape *>(&source))
        FRectStyle = other->FRectStyle;
    TPgSimpleShape::Assign(source);
}

void TPgRectangleShape::DrawShape(QPainter &painter, const QRect &rect, int) const
{
    switch (FRectStyle) {
    case 1:
        if (Brush().Style != bsClear)
            painter.fillRect(rect, painter.brush());
        break;
    case 2: {
        constexpr int width = 8;
        const QRect r = rect.normalized();
        const QColor light(Qt::white);
        const QColor dark = PgToQColor(0x888888);
        painter.fillRect(QRect(r.left(), r.top(), r.width(), width), light);
        painter.fillRect(QRect(r.left(), r.top(), width, r.height()), light);
        painter.fillRect(QRect(r.left(), r.top() + r.height() - width, r.width(), width), dark);
        painter.fillRect(QRect(r.left() + r.width() - width, r.top(), width, r.height()), dark);
        break;
    }
    default: {
        const QPoint corners[] = {rect.topLeft(), QPoint(rect.left() + rect.width(), rect.top()),
                                  QPoint(rect.left() + rect.width(), rect.top() + rect.height()),
                                  QPoint(rect.left(), rect.top() + rect.height())};
        painter.drawPolygon(corners, 4);
        break;
    }
    }
}

TPgShapeKind TPgRectangleShape::PrintKind() const
{
    return FRectStyle == 1 ? skFilledRectangle : (FRectStyle == 2 ? skFrame3D : skRectangle);
}
