// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// What the plot draws stays in the axis rectangle, and every spectrum line keeps a bar.
#include "TestChart.h"

#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartSeries.h"
#include "ui/pictures/ChartPicture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <vector>

namespace {

// The picture as pixels; SVG through Qt's renderer.
QImage Pixels(QCustomPlot& AChart, TPictureFormat AFormat) {
    const QByteArray Data = RenderChartPicture(AChart, AFormat, AChart.size());
    if (AFormat == TPictureFormat::Png)
        return QImage::fromData(Data, "PNG");
    QImage Image(AChart.size(), QImage::Format_ARGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    QSvgRenderer(Data).render(&Painter);
    return Image;
}

} // namespace

TEST(PlotClip, SvgClipsTheSeriesToTheAxisRectangle) {
    auto Chart = TestChart(QSize(480, 260));
    // Zoomed and moved, so that the curve and the bars run past every side of the plot.
    Chart->xAxis->setRange(0.3, 1.2);
    Chart->yAxis->setRange(0.1, 0.35);
    const QByteArray Svg = RenderChartPicture(*Chart, TPictureFormat::Svg, Chart->size());
    const QRect Plot = Chart->axisRect()->rect();

    QXmlStreamReader Xml(Svg);
    QString ClipId;
    QRectF ClipRect;
    std::vector<bool> Clipped{false}; // per open group: inside the clip path
    int Series = 0;
    while (!Xml.atEnd()) {
        Xml.readNext();
        if (Xml.isEndElement() && Xml.name() == QLatin1String("g"))
            Clipped.pop_back();
        if (!Xml.isStartElement())
            continue;
        const QXmlStreamAttributes Attributes = Xml.attributes();
        const auto Number = [&](const char* AName) {
            return Attributes.value(QLatin1String(AName)).toDouble();
        };
        if (Xml.name() == QLatin1String("clipPath")) {
            ClipId = Attributes.value(QLatin1String("id")).toString();
        } else if (Xml.name() == QLatin1String("rect") && !ClipId.isEmpty() && ClipRect.isNull()) {
            ClipRect = QRectF(Number("x"), Number("y"), Number("width"), Number("height"));
        } else if (Xml.name() == QLatin1String("g")) {
            const QStringView Clip = Attributes.value(QLatin1String("clip-path"));
            Clipped.push_back(Clipped.back() ||
                              (!ClipId.isEmpty() && Clip == "url(#" + ClipId + ")"));
            // Groups of the curve's and the bars' colours draw series.
            for (const char* Colour : {"stroke", "fill"})
                for (const QColor& SeriesColour : {TestCurveColor, TestBarColor})
                    if (Attributes.value(QLatin1String(Colour)) == SeriesColour.name()) {
                        ++Series;
                        EXPECT_TRUE(Clipped.back()) << SeriesColour.name().toStdString();
                    }
        }
    }
    EXPECT_FALSE(Xml.hasError()) << Xml.errorString().toStdString();
    EXPECT_GT(Series, 1);
    ASSERT_FALSE(ClipRect.isNull());
    EXPECT_LE((ClipRect.topLeft() - QPointF(Plot.topLeft())).manhattanLength(), 1);
    EXPECT_LE((ClipRect.bottomRight() - QPointF(Plot.bottomRight())).manhattanLength(), 2);
}

TEST(PlotClip, EverySpectrumLineKeepsABarAtEveryZoom) {
    QCustomPlot Chart;
    Chart.resize(SpectrumChartSize);
    SetupChart(Chart);
    // 1 Hz lines from 0 to 199 Hz, as N·dt = 1 s gives.
    std::vector<double> Frequency, Magnitude;
    for (int k = 0; k < 200; ++k) {
        Frequency.push_back(k);
        Magnitude.push_back(1 + k % 5);
    }
    struct TView {
        bool Log;
        QCPRange Keys; // empty: the whole spectrum
    };
    for (const TView View :
         {TView{true, {}}, TView{true, {40, 130}}, TView{false, {}}, TView{false, {150, 160}}}) {
        SetLogarithmicKeys(Chart, View.Log);
        ShowSpectrum(Chart, Frequency, Magnitude, 1);
        if (View.Keys.size() > 0)
            Chart.xAxis->setRange(View.Keys);
        Chart.replot();
        for (const TPictureFormat Format : {TPictureFormat::Png, TPictureFormat::Svg}) {
            const QImage Image = Pixels(Chart, Format);
            const int Base = static_cast<int>(Chart.yAxis->coordToPixel(0));
            for (std::size_t k = View.Log ? 1 : 0; k < Frequency.size(); ++k) {
                // The pixel column of the line's frequency, inside the frame, shows some
                // of the bar (the axes' ticks may cover the rest of it).
                const int x = static_cast<int>(std::floor(Chart.xAxis->coordToPixel(Frequency[k])));
                if (x <= Chart.axisRect()->left() || x >= Chart.axisRect()->right())
                    continue;
                int Shown = 0;
                for (int y = static_cast<int>(Chart.yAxis->coordToPixel(Magnitude[k])) + 1;
                     y < Base; ++y)
                    Shown += Image.pixelColor(x, y) == TestBarColor;
                ASSERT_GT(Shown, 0) << "log " << View.Log << ", " << k << " Hz, format "
                                    << static_cast<int>(Format);
            }
        }
    }
}
