// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// A chart drawn into a metafile: the picture look, the series, the grid and the labels
// are all there as vector records.
#include "EmfReader.h"
#include "TestChart.h"

#include "ui/pictures/ChartPicture.h"
#include "ui/pictures/PictureLook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr QSize ChartSize(560, 300);

bool IsFill(const TEmfDrawing& ADrawing) {
    return ADrawing.Type == U_EMR_RECTANGLE || ADrawing.Type == U_EMR_POLYGON16 ||
           ADrawing.Type == U_EMR_POLYGON || ADrawing.Type == U_EMR_POLYPOLYGON16;
}

class EmfChart : public testing::Test {
protected:
    void SetUp() override {
        Chart = TestChart(ChartSize);
        Emf = ReadEmf(RenderChartPicture(*Chart, TPictureFormat::Emf, ChartSize));
        ASSERT_EQ(Emf.Fault, QString());
    }

    std::vector<TEmfDrawing> Drawings(const std::function<bool(const TEmfDrawing&)>& AWhich) const {
        std::vector<TEmfDrawing> Result;
        std::copy_if(Emf.Drawings.begin(), Emf.Drawings.end(), std::back_inserter(Result), AWhich);
        return Result;
    }

    std::unique_ptr<QCustomPlot> Chart;
    TEmfFile Emf;
};

TEST_F(EmfChart, HeaderGivesThePictureSizeAt96Dpi) {
    const U_EMRHEADER& Header = Emf.Header;
    EXPECT_EQ(Header.rclBounds.left, 0);
    EXPECT_EQ(Header.rclBounds.top, 0);
    EXPECT_EQ(Header.rclBounds.right, ChartSize.width() - 1);
    EXPECT_EQ(Header.rclBounds.bottom, ChartSize.height() - 1);
    // The frame is in 0.01 mm.
    EXPECT_NEAR(Header.rclFrame.right + 1, ChartSize.width() * 2540.0 / 96, 1.0);
    EXPECT_NEAR(Header.rclFrame.bottom + 1, ChartSize.height() * 2540.0 / 96, 1.0);
    EXPECT_DOUBLE_EQ(Header.szlDevice.cx * 25.4 / Header.szlMillimeters.cx, 96.0);
    EXPECT_DOUBLE_EQ(Header.szlDevice.cy * 25.4 / Header.szlMillimeters.cy, 96.0);
    EXPECT_EQ(Header.szlMicrometers.cx, Header.szlMillimeters.cx * 1000);
}

TEST_F(EmfChart, BackgroundIsWhiteWithoutTheGradient) {
    const auto Fills = Drawings(IsFill);
    ASSERT_FALSE(Fills.empty());
    const TEmfDrawing& Background = Fills.front();
    EXPECT_EQ(Background.Brush, QColor(Qt::white));
    EXPECT_TRUE(Background.Box.contains(QRect(QPoint(), ChartSize)));
    for (const TEmfDrawing& Fill : Fills)
        EXPECT_TRUE(Fill.Brush == QColor(Qt::white) || Fill.Brush == TestBarColor)
            << Fill.Brush.value_or(QColor()).name().toStdString();
    // The chart itself keeps its look.
    const QBrush Kept = ChartBackground(*Chart);
    ASSERT_NE(Kept.gradient(), nullptr);
    EXPECT_EQ(Kept.gradient()->stops().size(), 3);
}

TEST_F(EmfChart, CurveIsARedPolylineInThePlotArea) {
    const auto Curves = Drawings([](const TEmfDrawing& D) {
        return (D.Type == U_EMR_POLYLINE16 || D.Type == U_EMR_POLYLINE) && D.Pen &&
               D.Pen->Color == TestCurveColor;
    });
    ASSERT_EQ(Curves.size(), 1U);
    EXPECT_EQ(Curves[0].PointCount, static_cast<size_t>(Chart->graph(0)->dataCount()));
    ASSERT_TRUE(Curves[0].Clip);
    EXPECT_TRUE(Curves[0].Clip->contains(Chart->axisRect()->rect().adjusted(1, 1, -1, -1)));
    EXPECT_TRUE(Chart->axisRect()->rect().adjusted(-2, -2, 2, 2).contains(Curves[0].Box));
}

TEST_F(EmfChart, BarsAreBlueFillsWithoutOutline) {
    const auto Bars =
        Drawings([](const TEmfDrawing& D) { return IsFill(D) && D.Brush == TestBarColor; });
    EXPECT_EQ(Bars.size(), static_cast<size_t>(TestBarCount));
    for (const TEmfDrawing& Bar : Bars)
        EXPECT_FALSE(Bar.Pen);
}

TEST_F(EmfChart, GridIsDrawnWithADottedExtendedPen) {
    const auto Grid =
        Drawings([](const TEmfDrawing& D) { return D.Pen && D.Pen->Color == TestGridColor; });
    EXPECT_GE(Grid.size(), Chart->xAxis->tickVector().size());
    for (const TEmfDrawing& Line : Grid)
        EXPECT_EQ(Line.Pen->Style & (U_PS_TYPE_MASK | U_PS_STYLE_MASK), U_PS_GEOMETRIC | U_PS_DOT);
}

TEST_F(EmfChart, TickLabelsAreTextRecordsInTheAxisFont) {
    const auto Texts = Drawings([](const TEmfDrawing& D) { return D.Type == U_EMR_EXTTEXTOUTW; });
    std::set<QString> Written;
    for (const TEmfDrawing& Text : Texts) {
        Written.insert(Text.Text);
        ASSERT_TRUE(Text.Font);
        EXPECT_EQ(Text.Font->Face, QStringLiteral("Tahoma"));
        EXPECT_EQ(Text.Font->Height, -11.0); // 8 pt at 96 dpi
        EXPECT_EQ(Text.TextColor, Chart->xAxis->tickLabelColor());
    }
    std::set<QString> Shown;
    for (const QCPAxis* Axis : {Chart->xAxis, Chart->yAxis})
        for (const QString& Label : Axis->tickVectorLabels())
            Shown.insert(Label);
    EXPECT_GE(Shown.size(), 6U);
    EXPECT_EQ(Written, Shown);
}

} // namespace
