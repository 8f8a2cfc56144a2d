#include "tpgtextobject.h"

#include "pgstream.h"
#include "pgtext.h"
#include "tpgattributelist.h"
#include "tpgextstream.h"
#include "tpgprinttarget.h"
#include "tpgstreamcontext.h"
#include "tpgtokensource.h"

#include <QPainter>

TPgTextObject::TPgTextObject()
    : TPgBaseObject(okText)
{
}

TPgTextObject::TPgTextObject(int kind)
    : TPgBaseObject(kind)
{
}

void TPgTextObject::SetText(const QString &text)
{
    FText = text;
    Changed();
}

void TPgTextObject::SetAlignment(TPgAlignment alignment)
{
    FAlignment = alignment;
    Changed();
}

std::unique_ptr<TPgCustomBaseObject> TPgTextObject::NewInstance() const
{
    return std::make_unique<TPgTextObject>();
}

void TPgTextObject::Assign(const TPgCustomBaseObject &source)
{
    if (const auto *other = dynamic_cast<const TPgTextObject *>(&source)) {
        FText = other->FText;
        FAlignment = other->FAlignment;
        FOwner = other->FOwner;
    }
    TPgBaseObject::Assign(source);
}

QString TPgTextObject::DisplayedText() const
{
    return FOwner ? FOwner->ReplaceTokens(FText, PageNumber()) : FText;
}

void TPgTextObject::Draw(QPainter &painter, int resolution, const QRegion *pageClip) const
{
    const QString text = DisplayedText();
    const QFont font = PgToQFont(Font(), resolution);
    painter.save();
    SelectClip(painter, resolution, pageClip, true);
    painter.setFont(font);
    painter.setPen(PgToQColor(Font().Color));
    const qint64 width = PgTextWidth(font, text);
    const qint64 height = PgTextHeight(font);
    int x = Pixel(X(), resolution);
    const int y = Pixel(Y(), resolution);
    if (FAlignment == taRightJustify)
        x -= int(width);
    else if (FAlignment == taCenter)
        x -= int(width / 2);
    if (Font().Angle != 0) {
        // The reference point stays where an unrotated text would start; the
        // text turns round it, counter-clockwise.
        painter.translate(x, y);
        painter.rotate(-double(Font().Angle));
        x = 0;
        painter.translate(0, -y);
    }
    if (Brush().Style != bsClear)
        painter.fillRect(QRect(x, y, int(width), int(height)), PgToQColor(Brush().Color));
    PgDrawTextAt(painter, x, y, text);
    painter.restore();
}

void TPgTextObject::Print(TPgPrintTarget &printer, const QRegion *pageClip) const
{
    if (!Visible())
        return;
    SelectPrinterClip(printer, pageClip);
    printer.SetAngle(Font().Angle);
    printer.SetFont(Font());
    printer.SetBrush(Brush());
    printer.TextOut(Inches(X()), Inches(Y()), FAlignment, DisplayedText());
    printer.SetAngle(0);
}

bool TPgTextObject::LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromOldStream(stream, fileVersion, context))
        return false;
    TPgExtStream block;
    const char *level = "texto";
    if (!ReadOldBlock(stream, context, block, level))
        return false;
    TPgBrush brush;
    TPgFont font;
    if (!Take(ReadBrushBlock(block), brush, context, level, 0) || !Take(block.ReadString(), FText, context, level, 1) ||
        !Take(ReadFontBlock(block), font, context, level, 2))
        return false;
    SetBrush(brush);
    SetFont(font);
    if (FromVersion(fileVersion, 2.6L)) {
        const quint8 alignment = block.ReadByte();
        if (alignment > taCenter)
            return context.Fail(QStringLiteral("texto: alineación %1 inválida").arg(alignment));
        FAlignment = TPgAlignment(alignment);
    }
    FOwner = context.Owner;
    return true;
}

bool TPgTextObject::LoadFromStream(QIODevice &stream, TPgStreamContext &context)
{
    if (!TPgBaseObject::LoadFromStream(stream, context))
        return false;
    TPgAttributeList list;
    const char *level = "texto";
    if (!ReadBlock(stream, context, list, level))
        return false;
    TPgBrush brush;
    qint32 fontIndex = 0;
    QString lines;
    qint32 alignment = 0;
    if (!Take(list.GetBrush(0), brush, context, level, 0) || !Take(list.GetInteger(1), fontIndex, context, level, 1) ||
        !Take(list.GetString(2), lines, context, level, 2) || !Take(list.GetInteger(3), alignment, context, level, 3))
        return false;
    if (!context.Fonts)
        return context.Fail(QStringLiteral("texto: falta la lista de fuentes del documento"));
    const std::optional<QString> fontText = context.Fonts->GetString(fontIndex);
    if (!fontText)
        return context.Fail(QStringLiteral("texto: la fuente %1 no está en la lista de fuentes").arg(fontIndex));
    TPgFont font;
    if (!Take(StrToFont(*fontText), font, context, level, 1))
        return false;
    if (alignment < 0 || alignment > taCenter)
        return context.Fail(QStringLiteral("texto: alineación %1 inválida").arg(alignment));
    SetBrush(brush);
    SetFont(font);
    FText = PgJoinLines(PgParseCommaText(lines));
    FAlignment = TPgAlignment(alignment);
    FOwner = context.Owner;
    return true;
}

bool TPgTextObject::SaveToStream(QIODevice &stream, TPgStreamContext &context) const
{
    if (!TPgBaseObject::SaveToStream(stream, context))
        return false;
    if (!context.Fonts)
        return context.Fail(QStringLiteral("texto: falta la lista de fuentes del documento"));
    TPgAttributeList list;
    list.AddBrush(Brush());
    list.AddInteger(context.Fonts->Add(FontToStr(Font())));
    list.Add(PgCommaText(PgTextLines(FText)));
    list.AddInteger(int(FAlignment));
    return WriteBlock(stream, context, list);
}
