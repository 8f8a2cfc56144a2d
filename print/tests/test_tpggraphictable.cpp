// The image table and the JPEG codec under it.
#include "pgjpeg.h"
#include "tpggraphictable.h"

#include <QPicture>

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage filled(QColor colour)
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::shared_ptr<TPgGraphic> metafile(int width)
{
    QPicture picture;
    QPainter painter(&picture);
    painter.drawRect(0, 0, width, 10);
    painter.end();
    return TPgGraphic::FromMetafile(picture, QSize(width, 10));
}

} // namespace

TEST(PgJpeg, RoundTripsAndRefusesCorruptData)
{
    QByteArray jpeg;
    QString error;
    ASSERT_TRUE(PgJpegEncode(filled(QColor(200, 10, 10)), 90, &jpeg, &error));
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    QImage decoded;
    ASSERT_TRUE(PgJpegDecode(jpeg, &decoded, &error));
    EXPECT_EQ(decoded.size(), QSize(16, 8));
    EXPECT_NEAR(qRed(decoded.pixel(5, 5)), 200, 8);
    const QByteArray corrupt[] = {QByteArray(), QByteArray("not a jpeg"), jpeg.left(20)};
    for (const QByteArray &bytes : corrupt) {
        error.clear();
        EXPECT_FALSE(PgJpegDecode(bytes, &decoded, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(PgJpegEncode(QImage(), 90, &jpeg, &error));
}

TEST(TPgGraphicTable, SharesEqualImagesPerKindAndKeepsNoIcons)
{
    TPgGraphicTable table;
    const auto red = table.Add(TPgGraphic::FromBitmap(filled(Qt::red)));
    const auto again = table.Add(TPgGraphic::FromBitmap(filled(Qt::red)));
    const auto blue = table.Add(TPgGraphic::FromBitmap(filled(Qt::blue)));
    ASSERT_TRUE(red);
    EXPECT_EQ(red, again);
    EXPECT_NE(red, blue);
    EXPECT_EQ(red->Kind(), gkJpeg);
    EXPECT_EQ(table.JpegCount(), 2);
    EXPECT_EQ(table.IndexOf(*blue), 1);
    EXPECT_EQ(table.Jpeg(1), blue);
    EXPECT_EQ(table.Jpeg(2), nullptr);

    const auto wide = table.Add(metafile(40));
    EXPECT_EQ(table.Add(metafile(40)), wide);
    EXPECT_NE(table.Add(metafile(50)), wide);
    EXPECT_EQ(table.MetafileCount(), 2);
    EXPECT_EQ(table.IndexOf(*metafile(50)), 1);

    EXPECT_EQ(table.Add(TPgGraphic::FromIcon(filled(Qt::green))), nullptr);
    EXPECT_EQ(table.Add(nullptr), nullptr);
    EXPECT_EQ(table.IndexOf(*TPgGraphic::FromIcon(filled(Qt::green))), -1);
}

TEST(TPgGraphic, StoredFormsReadBack)
{
    for (const std::shared_ptr<TPgGraphic> &graphic :
         {TPgGraphic::FromBitmap(filled(Qt::red)), metafile(30), TPgGraphic::JpegFromBitmap(filled(Qt::blue), 80, nullptr)}) {
        QString error;
        const auto copy = TPgGraphic::FromBuffer(graphic->Kind(), graphic->SaveToBuffer(), &error);
        ASSERT_TRUE(copy) << error.toStdString();
        EXPECT_EQ(copy->Width(), graphic->Width());
        EXPECT_EQ(copy->Height(), graphic->Height());
    }
    QString error;
    EXPECT_FALSE(TPgGraphic::FromBuffer(gkMetafile, QByteArray(12, 'x'), &error));
    EXPECT_FALSE(TPgGraphic::FromBuffer(gkBitmap, QByteArray("BMxx"), &error));
    EXPECT_FALSE(TPgGraphic::FromBuffer(TPgGraphicKind(9), QByteArray(), &error));
}
