#include "tpgcanvas.h"

#include "pgtext.h"
#include "tpggraphicobject.h"
#include "tpggraphictable.h"
#include "tpgpage.h"
#include "tpgrectangleshape.h"
#include "tpgtextboxobject.h"

#include <QPainter>

TPgCanvas::TPgCanvas(const TPgTokenSource *owner)
    : FCopyMode(SRCCOPY), FOwner(owner), FGraphics(std::make_unique<TPgGraphicTable>())
{
    FBrush.Color = clWhite;
    FBrush.Style = bsClear;
}

TPgCanvas::~TPgCanvas() = default;

void TPgCanvas::SetFontValues(const QString &name, int size, TPgFontStyles style, TColor colour)
{
    FFont.Size = size;
    FFont.Color = colour;
    FFont.Style = style;
    if (!name.isEmpty())
        FFont.Name = name;
}

TPgValueSize &TPgCanvas::Scratch()
{
    if (!FScratch)
        FScratch = std::make_unique<TPgValueSize>();
    return *FScratch;
}

TPgValue &TPgCanvas::TextWidth(const QString &text)
{
    return TextExtent(text).Width;
}

TPgValue &TPgCanvas::TextHeight(const QString &text)
{
    return TextExtent(text).Height;
}

TPgValueSize &TPgCanvas::TextExtent(const QString &text)
{
    const int resolution = PgMetafileResolution();
    const QFont font = PgToQFont(FFont, resolution);
    TPgValueSize &size = Scratch();
    size.Height.SetAsPixels(PgTextHeight(font), resolution);
    size.Width.SetAsPixels(PgTextWidth(font, text), resolution);
    return size;
}

TPgValue &TPgCanvas::TextBoxHeight(qint32 widthUnits, const QString &text)
{
    const int resolution = PgMetafileResolution();
    const qint64 width = PgUnitsToPixels(widthUnits, resolution);
    const qint64 height = PgTextBoxHeight(PgToQFont(FFont, resolution), width, text);
    TPgValue &result = Scratch().Height;
    result.SetAsUnits(PgClampToInt32(PgRound((long double)height / resolution * 25.4L * 100)));
    return result;
}

TPgValue &TPgCanvas::GraphicWidth(const TPgGraphic &image)
{
    TPgValue &result = Scratch().Width;
    result.SetAsPixels(image.Width(), PgConverterPixelsPerInch);
    return result;
}

TPgValue &TPgCanvas::GraphicHeight(const TPgGraphic &image)
{
    TPgValue &result = Scratch().Height;
    result.SetAsPixels(image.Height(), PgConverterPixelsPerInch);
    return result;
}

TPgValueSize &TPgCanvas::ImageSize(const TPgGraphic &image)
{
    GraphicWidth(image);
    GraphicHeight(image);
    return Scratch();
}

qint32 TPgCanvas::ToUnits(long double value, TPgMeasurement m) const
{
    return PgClampToInt32(PgRound(ConvertValue(m, gmUnits, value)));
}

void TPgCanvas::Stamp(TPgBaseObject &object) const
{
    object.SetBrush(FBrush);
    object.SetFont(FFont);
    object.SetPen(FPen);
}

long double TPgCanvas::TextBoxExt(long double x, long double y, long double x2, long double y2, const QString &text,
                                  TPgAlignment alignment, TPgVertAlignment vertAlignment, TPgMeasurement m)
{
    const qint32 left = ToUnits(x, m);
    const qint32 top = ToUnits(y, m);
    const qint32 right = ToUnits(x2, m);
    const qint32 bottom =
        y2 == 0 ? PgClampToInt32(qint64(top) + TextBoxHeight(PgClampToInt32(qint64(right) - left), text).GetAsUnits())
                : ToUnits(y2, m);
    auto box = std::make_unique<TPgTextBoxObject>();
    box->SetX(left);
    box->SetY(top);
    box->SetX2(right);
    box->SetY2(bottom);
    box->SetAlignment(alignment);
    box->SetVertAlignment(vertAlignment);
    box->SetWordWrap(true);
    box->SetText(text);
    box->SetOwner(FOwner);
    Stamp(*box);
    AddObject(std::move(box));
    return ConvertValue(gmUnits, m, (long double)bottom - top);
}

void TPgCanvas::Draw(long double x, long double y, const std::shared_ptr<TPgGraphic> &image, long double scale)
{
    if (!image)
        return;
    std::shared_ptr<TPgGraphic> given = image;
    if (image->Kind() == gkIcon) {
        QImage bitmap(image->Image().size(), QImage::Format_RGB888);
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, image->Image());
        painter.end();
        given = TPgGraphic::FromBitmap(bitmap);
    }
    const long double width = ConvertValue(gmUnits, FMeasurement, GraphicWidth(*image).GetAsUnits());
    const long double height = ConvertValue(gmUnits, FMeasurement, GraphicHeight(*image).GetAsUnits());
    auto object = std::make_unique<TPgGraphicObject>();
    object->SetX(ToUnits(x, FMeasurement));
    object->SetY(ToUnits(y, FMeasurement));
    object->SetX2(ToUnits(x + width * scale, FMeasurement));
    object->SetY2(ToUnits(y + height * scale, FMeasurement));
    object->SetCopyMode(FCopyMode);
    object->SetGraphicTable(FGraphics.get());
    object->SetImage(given);
    Stamp(*object);
    AddObject(std::move(object));
}

void TPgCanvas::Rectangle(long double x, long double y, long double x2, long double y2)
{
    auto shape = std::make_unique<TPgRectangleShape>();
    shape->SetX(ToUnits(x, FMeasurement));
    shape->SetY(ToUnits(y, FMeasurement));
    shape->SetX2(ToUnits(x2, FMeasurement));
    shape->SetY2(ToUnits(y2, FMeasurement));
    Stamp(*shape);
    AddObject(std::move(shape));
}

void TPgCanvas::AddObject(std::unique_ptr<TPgBaseObject> object, bool inFront)
{
    if (!object || !FCurrentPage)
        return;
    object->Offset(FOriginX, FOriginY);
    object->SetPageNumber(FCurrentPage->PageNumber());
    object->SetClipEnabled(FClipEnabled);
    object->SetClipRect(FClipRect);
    TPgBaseObject *added = object.get();
    if (inFront)
        FCurrentPage->InsertObject(0, std::move(object));
    else
        FCurrentPage->AddObject(std::move(object));
    FLastObject = added;
    if (OnChange)
        OnChange(this);
}

void TPgCanvas::SetOrigin(long double xInches, long double yInches)
{
    FOriginX = xInches;
    FOriginY = yInches;
}
