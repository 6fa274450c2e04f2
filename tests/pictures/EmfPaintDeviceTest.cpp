// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Painter calls on the metafile device, read back record by record.
#include "EmfReader.h"

#include "ui/pictures/EmfPaintDevice.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace {

TEmfFile Paint(const std::function<void(QPainter&)>& AScene, QSize ASize = {200, 100}) {
    TEmfPaintDevice Device(ASize);
    {
        QPainter Painter(&Device);
        AScene(Painter);
    }
    TEmfFile File = ReadEmf(Device.Metafile());
    EXPECT_EQ(File.Fault, QString());
    return File;
}

TEST(EmfPaintDevice, RecordsTakeSixteenBitsOnlyWhenTheCoordinatesFit) {
    struct TCase {
        QPolygonF Points;
        uint32_t Polyline;
        uint32_t Polygon;
    };
    const TCase Cases[] = {
        // Logical units are sixteenths of a pixel: 16 bits hold -2048 to 2047.9 pixels.
        {QPolygonF({{0, 0}, {100, 50}, {2047, -2048}}), U_EMR_POLYLINE16, U_EMR_POLYGON16},
        {QPolygonF({{0, 0}, {2048, 5}, {10, 10}}), U_EMR_POLYLINE, U_EMR_POLYGON},
        {QPolygonF({{0, 0}, {5, -2049}, {10, 10}}), U_EMR_POLYLINE, U_EMR_POLYGON},
    };
    for (const TCase& Case : Cases) {
        const TEmfFile File = Paint([&](QPainter& P) {
            P.setBrush(Qt::green);
            P.drawPolyline(Case.Points);
            P.drawPolygon(Case.Points);
        });
        ASSERT_EQ(File.Drawings.size(), 2U);
        EXPECT_EQ(File.Drawings[0].Type, Case.Polyline) << Case.Points.at(1).x();
        EXPECT_EQ(File.Drawings[1].Type, Case.Polygon) << Case.Points.at(1).x();
        EXPECT_EQ(File.Drawings[0].Box, Case.Points.boundingRect().toRect().adjusted(0, 0, 1, 1));
    }
}

TEST(EmfPaintDevice, WorldTransformAppliesToCoordinatesAndWidths) {
    const TEmfFile File = Paint([](QPainter& P) {
        P.translate(10, 20);
        P.scale(2, 3);
        P.setPen(QPen(Qt::black, 2));
        P.drawRect(QRectF(0, 0, 5, 5));
        P.setPen(QPen(Qt::black, 0)); // cosmetic: one device pixel at any scale
        P.drawLine(QPointF(0, 0), QPointF(10, 0));
    });
    ASSERT_EQ(File.Drawings.size(), 2U);
    EXPECT_EQ(File.Drawings[0].Type, U_EMR_RECTANGLE);
    // GDI leaves out a rectangle's right and bottom edges.
    EXPECT_EQ(File.Drawings[0].Box, QRect(QPoint(10, 20), QPoint(21, 36)));
    EXPECT_NEAR(File.Drawings[0].Pen->Width, 2 * std::sqrt(6.0), 1.0 / 16);
    EXPECT_EQ(File.Drawings[1].Box, QRect(QPoint(10, 20), QPoint(30, 20)));
    EXPECT_EQ(File.Drawings[1].Pen->Width, 1.0);
}

TEST(EmfPaintDevice, PensKeepTheirStyleAndAreCreatedOnce) {
    struct TCase {
        QPen Pen;
        uint32_t Style;
    };
    QPen Custom(Qt::darkGreen, 2, Qt::CustomDashLine, Qt::FlatCap);
    Custom.setDashPattern({3, 1});
    const TCase Cases[] = {
        {QPen(Qt::red, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin),
         U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_FLAT | U_PS_JOIN_ROUND},
        {QPen(Qt::blue, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin),
         U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_SQUARE | U_PS_JOIN_MITER},
        // Dashes get flat caps: readers put square caps on every dot.
        {QPen(Qt::gray, 1, Qt::DotLine),
         U_PS_GEOMETRIC | U_PS_DOT | U_PS_ENDCAP_FLAT | U_PS_JOIN_BEVEL},
        {QPen(Qt::blue, 3, Qt::DashLine),
         U_PS_GEOMETRIC | U_PS_DASH | U_PS_ENDCAP_FLAT | U_PS_JOIN_BEVEL},
        {Custom, U_PS_GEOMETRIC | U_PS_USERSTYLE | U_PS_ENDCAP_FLAT | U_PS_JOIN_BEVEL},
    };
    for (const TCase& Case : Cases) {
        const TEmfFile File = Paint([&](QPainter& P) {
            P.setPen(Case.Pen);
            P.drawLine(0, 0, 50, 50);
            P.setPen(Qt::NoPen);
            P.setBrush(Qt::yellow);
            P.drawRect(0, 0, 10, 10);
            P.setPen(Case.Pen);
            P.drawLine(0, 50, 50, 0);
        });
        ASSERT_EQ(File.Drawings.size(), 3U);
        ASSERT_TRUE(File.Drawings[0].Pen);
        EXPECT_EQ(File.Drawings[0].Pen->Style, Case.Style);
        EXPECT_EQ(File.Drawings[0].Pen->Width, Case.Pen.widthF());
        EXPECT_EQ(File.Drawings[0].Pen->Color, Case.Pen.color());
        EXPECT_FALSE(File.Drawings[1].Pen);
        EXPECT_EQ(std::count(File.Types.begin(), File.Types.end(), U_EMR_EXTCREATEPEN), 1);
    }
}

TEST(EmfPaintDevice, ObjectTableStaysBoundedWithManyColours) {
    constexpr int Lines = 600;
    const TEmfFile File = Paint([](QPainter& P) {
        for (int i = 0; i < Lines; ++i) {
            P.setPen(QColor(i % 256, i / 256, 7));
            P.setBrush(QColor(7, i % 256, i / 256));
            P.drawRect(i % 100, 10, 5, 5);
        }
    });
    ASSERT_EQ(File.Drawings.size(), static_cast<size_t>(Lines));
    EXPECT_LE(File.Header.nHandles, 300);
    for (int i = 0; i < Lines; ++i) {
        EXPECT_EQ(File.Drawings[i].Pen->Color, QColor(i % 256, i / 256, 7)) << i;
        EXPECT_EQ(File.Drawings[i].Brush, QColor(7, i % 256, i / 256)) << i;
    }
}

TEST(EmfPaintDevice, ClipFollowsSaveAndRestore) {
    const TEmfFile File = Paint([](QPainter& P) {
        P.save();
        P.translate(3, 4);
        P.setClipRect(QRect(5, 5, 50, 40));
        P.drawLine(0, 0, 100, 100);
        P.save();
        P.setClipRect(QRect(0, 0, 20, 100), Qt::IntersectClip);
        P.drawLine(0, 0, 100, 100);
        P.restore();
        P.drawLine(0, 0, 100, 100);
        P.restore();
        P.drawLine(0, 0, 100, 100);
        P.setClipRegion(QRegion(10, 10, 20, 20) + QRegion(50, 40, 30, 10));
        P.drawLine(0, 0, 100, 100);
    });
    ASSERT_EQ(File.Drawings.size(), 5U);
    EXPECT_EQ(File.Drawings[0].Clip, QRect(8, 9, 50, 40));
    EXPECT_EQ(File.Drawings[1].Clip, QRect(8, 9, 15, 40));
    EXPECT_EQ(File.Drawings[2].Clip, QRect(8, 9, 50, 40));
    EXPECT_FALSE(File.Drawings[3].Clip);
    EXPECT_EQ(File.Drawings[4].Clip, QRect(QPoint(10, 10), QPoint(79, 49)));
    EXPECT_EQ(std::count(File.Types.begin(), File.Types.end(), U_EMR_EXTSELECTCLIPRGN), 1);
}

TEST(EmfPaintDevice, TextIsATextRecordInThePaintersFont) {
    QFont Font(QStringLiteral("Tahoma"));
    Font.setPixelSize(11);
    Font.setBold(true);
    const TEmfFile File = Paint([&](QPainter& P) {
        P.setFont(Font);
        P.setPen(QColor(10, 20, 30));
        P.drawText(QPointF(20, 30), QStringLiteral("Спектр 1,5"));
        P.translate(50, 90);
        P.rotate(-90);
        P.drawText(QPointF(0, 0), QStringLiteral("y"));
    });
    ASSERT_EQ(File.Drawings.size(), 2U);
    const TEmfDrawing& Text = File.Drawings[0];
    EXPECT_EQ(Text.Type, U_EMR_EXTTEXTOUTW);
    EXPECT_EQ(Text.Text, QStringLiteral("Спектр 1,5"));
    EXPECT_EQ(Text.Box.topLeft(), QPoint(20, 30));
    EXPECT_EQ(Text.TextColor, QColor(10, 20, 30));
    ASSERT_TRUE(Text.Font);
    EXPECT_EQ(Text.Font->Face, QStringLiteral("Tahoma"));
    EXPECT_EQ(Text.Font->Height, -11.0);
    EXPECT_EQ(Text.Font->Weight, 700);
    EXPECT_EQ(Text.Font->Escapement, 0);
    EXPECT_EQ(File.Drawings[1].Box.topLeft(), QPoint(50, 90));
    EXPECT_EQ(File.Drawings[1].Font->Escapement, 900);
}

TEST(EmfPaintDevice, ImagesBecomeBitmaps) {
    QImage Image(8, 4, QImage::Format_ARGB32);
    Image.fill(Qt::red);
    const TEmfFile File = Paint([&](QPainter& P) { P.drawImage(QRectF(10, 10, 16, 8), Image); });
    ASSERT_EQ(File.Drawings.size(), 1U);
    EXPECT_EQ(File.Drawings[0].Type, U_EMR_STRETCHDIBITS);
}

} // namespace
