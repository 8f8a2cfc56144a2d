#pragma once

// A page object for the preview and printer tests: a framed, filled rectangle
// with a label, placed in inches. It draws and prints through the same paths as
// the engine's own objects (the page picture and the printer canvas).

#include "pgstyles.h"
#include "pgtext.h"
#include "tpgcustombaseobject.h"
#include "tpgprinttarget.h"

#include <QPainter>

class TestBlockObject : public TPgCustomBaseObject
{
public:
    TestBlockObject() = default;
    TestBlockObject(const TPgRectExt &inches, const QString &label, TColor fill = 0xE0C0A0)
        : Inches(inches)
        , Label(label)
        , Fill(fill)
    {
    }

    bool LoadFromOldStream(QIODevice &, long double, TPgStreamContext &) override { return false; }
    bool LoadFromStream(QIODevice &, TPgStreamContext &) override { return false; }
    bool SaveToStream(QIODevice &, TPgStreamContext &) const override { return false; }
    std::unique_ptr<TPgCustomBaseObject> NewInstance() const override { return std::make_unique<TestBlockObject>(); }
    void Assign(const TPgCustomBaseObject &source) override
    {
        const auto &other = static_cast<const TestBlockObject &>(source);
        Inches = other.Inches;
        Label = other.Label;
        Fill = other.Fill;
    }

    void Draw(QPainter &painter, int resolution, const QRegion *) const override
    {
        const QRectF rect(QPointF(double(Inches.Left * resolution), double(Inches.Top * resolution)),
                          QPointF(double(Inches.Right * resolution), double(Inches.Bottom * resolution)));
        painter.save();
        TPgPen pen;
        pen.Width = 8;
        painter.setPen(CreateDevicePen(pen, resolution));
        painter.setBrush(PgToQBrush({Fill, bsSolid}));
        painter.drawRect(rect);
        const QFont font = PgToQFont(LabelFont(), resolution);
        painter.setFont(font);
        painter.setPen(Qt::black);
        PgDrawTextAt(painter, qint64(rect.left() + resolution / 4), qint64(rect.top() + resolution / 4), Label);
        painter.restore();
    }

    void Print(TPgPrintTarget &printer, const QRegion *) const override
    {
        TPgPen pen;
        pen.Width = 8;
        printer.SetPen(pen);
        printer.SetBrush({Fill, bsSolid});
        printer.Shape(skRectangle, Inches, TPgPointSet());
        printer.SetBrush({clWhite, bsClear});
        printer.SetFont(LabelFont());
        printer.TextOut(Inches.Left + 0.25L, Inches.Top + 0.25L, taLeftJustify, Label);
    }

    static TPgFont LabelFont()
    {
        TPgFont font;
        font.Size = 28;
        font.Style = fsBold;
        return font;
    }

    TPgRectExt Inches;
    QString Label;
    TColor Fill = 0xE0C0A0;
};
