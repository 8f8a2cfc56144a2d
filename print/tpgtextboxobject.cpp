#include "tpgtextboxobject.h"

#include "pgstream.h"
#include "pgtext.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgprinttarget.h"
#include "tpgstreamcontext.h"

#include <QPainter>

TPgTextBoxObject::TPgTextBoxObject()
    : TPgTextObject(okTextBox)
{
}

void TPgTextBoxObject::SetVertAlignment(TPgVertAlignment alignment)
{
    FVertAlignment = alignment;
    Changed();
}

void TPgTextBoxObject::SetWordWrap(bool value)
{
    FWordWrap = value;
    Changed();
}

std::unique_ptr<TPgCustomBaseObject> TPgTextBoxObject::NewInstance() const
{
    return std::make_unique<TPgTextBoxObject>();
}

void TPgTextBoxObject::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgTextBoxObject *>(&source)) {
        FVertAlignment = other->FVertAlignment;
        FWordWrap = other->FWordWrap;
    }
    TPgTextObject::Assign(source);
}

void TPgTextBoxObject::Draw(QPainter &painter, int resolution, const QRegion *pageClip) const
{
    painter.save();
    // A box has no region of its own; its rectangle clips the text when clip is
    // enabled.
    SelectClip(painter, resolution, pageClip, false);
    const QRect rect = PixelRect(resolution);
    painter.setPen(CreateDevicePen(Pen(), resolution));
    painter.setBrush(PgToQBrush(Brush()));
    if (Pen().Style != psClear || Brush().Style != bsClear)
        painter.drawRect(rect);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(PgToQFont(Font(), resolution));
    painter.setPen(PgToQColor(Font().Color));
    PgDrawTextBox(painter, rect, PgTextBoxFlags(FAlignment, FVertAlignment, FWordWrap, !ClipEnabled()), FText);
    painter.restore();
}

void TPgTextBoxObject::Print(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (!Visible())
        return;
    SelectPrinterClip(printer, pageClip);
    printer.SetBrush(Brush());
    printer.SetFont(Font());
    printer.SetPen(Pen());
    printer.TextBox(InchRect(), FAlignment, FText, FWordWrap, FVertAlignment);
}

bool TPgTextBoxObject::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgTextObject::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    const char *level = "cuadro de texto";
    if (!ReadOldBlock(stream, context, block, level))
        return false;
    const qint32 alignment = block.ReadInteger();
    if (alignment < 0 || alignment > taCenter)
        return context.Fail(QStringLiteral("cuadro de texto: alineación %1 inválida").arg(alignment));
    FAlignment = TPgAlignment(alignment);
    FX2 = block.ReadInteger();
    FY2 = block.ReadInteger();
    TPgPen pen;
    if (!Take(ReadPenBlock(block), pen, context, level, 3))
        return false;
    SetPen(pen);
    FWordWrap = true;
    if (FromVersion(fileVersion, 2.63L))
        FWordWrap = block.ReadBoolean();
    return true;
}

bool TPgTextBoxObject::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgTextObject::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "cuadro de texto";
    if (!ReadBlock(stream, context, list, level))
        return false;
    TPgPen pen;
    qint32 vertical = 0;
    if (!Take(list.GetInteger(0), FX2, context, level, 0) || !Take(list.GetInteger(1), FY2, context, level, 1) ||
        !Take(list.GetPen(2), pen, context, level, 2) || !Take(list.GetInteger(3), vertical, context, level, 3) ||
        !Take(list.GetBoolean(4), FWordWrap, context, level, 4))
        return false;
    if (vertical < 0 || vertical > vaBottom)
        return context.Fail(QStringLiteral("cuadro de texto: alineación vertical %1 inválida").arg(vertical));
    SetPen(pen);
    FVertAlignment = TPgVertAlignment(vertical);
    return true;
}

bool TPgTextBoxObject::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgTextObject::SaveToStream(stream, context))
        return false;
    TPgAttributeList list;
    list.AddInteger(FX2);
    list.AddInteger(FY2);
    list.AddPen(Pen());
    list.AddInteger(int(FVertAlignment));
    list.AddBoolean(FWordWrap);
    return WriteBlock(stream, context, list);
}
