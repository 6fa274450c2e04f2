#include "ui/charts/ChartLook.h"

#include "util/NumberFormat.h"

QString TFormatTicker::getTickLabel(double ATick, const QLocale& /*ALocale*/, QChar /*AFormatChar*/,
                                    int /*APrecision*/) {
    return FormatFloat(FPattern, ATick);
}

namespace {

const QColor FrameColor(128, 128, 128);
const QColor GridColor(160, 160, 160);

void SetupAxis(QCPAxis& AAxis, const QFont& AFont) {
    AAxis.setBasePen(QPen(FrameColor, 1));
    AAxis.setTickPen(QPen(FrameColor, 1));
    AAxis.setSubTickPen(QPen(FrameColor, 1));
    AAxis.setTickLabelFont(AFont);
    AAxis.setLabelFont(AFont);
    AAxis.grid()->setPen(QPen(GridColor, 0, Qt::DotLine));
    AAxis.grid()->setZeroLinePen(Qt::NoPen);
}

// The opposite axes only close the frame round the plot.
void SetupFrameAxis(QCPAxis& AAxis) {
    AAxis.setVisible(true);
    AAxis.setBasePen(QPen(FrameColor, 1));
    AAxis.setTicks(false);
    AAxis.setTickLabels(false);
    AAxis.grid()->setVisible(false);
}

} // namespace

void SetupChart(QCustomPlot& AChart) {
    AChart.legend->setVisible(false);
    AChart.plotLayout()->setMargins(QMargins(ChartMargin, ChartMargin, ChartMargin, ChartMargin));

    QLinearGradient Background(0, 0, 0, 1);
    Background.setCoordinateMode(QGradient::ObjectBoundingMode);
    Background.setColorAt(0.0, QColor(239, 239, 239));
    Background.setColorAt(0.5, QColor(255, 255, 193));
    Background.setColorAt(1.0, QColor(255, 255, 255));
    AChart.setBackground(QBrush(Background));

    const QFont Font = AChart.font();
    SetupAxis(*AChart.xAxis, Font);
    SetupAxis(*AChart.yAxis, Font);
    SetupFrameAxis(*AChart.xAxis2);
    SetupFrameAxis(*AChart.yAxis2);
    for (QCPAxis* Axis : {AChart.yAxis, AChart.xAxis})
        SetAxisLabelFormat(*Axis, QString::fromLatin1(ShortFloatFormat));
}

void SetAxisLabelFormat(QCPAxis& AAxis, const QString& APattern) {
    AAxis.setTicker(QSharedPointer<TFormatTicker>::create(APattern));
}

namespace {

// Widens a range by APixels at each end of an axis AAxisPixels long.
QCPRange WithPixelOffset(const QCPRange& ARange, int AAxisPixels, int APixels) {
    if (AAxisPixels <= 2 * APixels)
        return ARange;
    const double PerPixel = ARange.size() / (AAxisPixels - 2 * APixels);
    return QCPRange(ARange.lower - APixels * PerPixel, ARange.upper + APixels * PerPixel);
}

} // namespace

void FitAxesToData(QCustomPlot& AChart) {
    AChart.rescaleAxes();
    const QRect Plot = AChart.axisRect()->rect();
    AChart.xAxis->setRange(WithPixelOffset(AChart.xAxis->range(), Plot.width(), ChartAxisOffset));
    AChart.yAxis->setRange(WithPixelOffset(AChart.yAxis->range(), Plot.height(), ChartAxisOffset));
    AChart.xAxis2->setRange(AChart.xAxis->range());
    AChart.yAxis2->setRange(AChart.yAxis->range());
}
