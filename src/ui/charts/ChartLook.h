#pragma once

#include <qcustomplot.h>

// Writes tick labels with one of the program's number patterns in the user's locale.
class TFormatTicker : public QCPAxisTicker {
public:
    explicit TFormatTicker(QString APattern) : FPattern(std::move(APattern)) {}

    const QString& Pattern() const { return FPattern; }

protected:
    // Steps the labels show exactly: a whole number of the pattern's last decimal.
    double getTickStep(const QCPRange& ARange) override;
    QString getTickLabel(double ATick, const QLocale& ALocale, QChar AFormatChar,
                         int APrecision) override;

private:
    QString FPattern;
};

// The same labels on a logarithmic axis, at its decades.
class TFormatLogTicker : public QCPAxisTickerLog {
public:
    explicit TFormatLogTicker(QString APattern) : FPattern(std::move(APattern)) {}

protected:
    QString getTickLabel(double ATick, const QLocale& ALocale, QChar AFormatChar,
                         int APrecision) override;

private:
    QString FPattern;
};

// The look both charts share: no legend or title, a grey frame round the plot, 2 px
// margins, dotted grid lines, 1 px axis lines, a three-colour background and
// "#,##0.#######" labels on both axes.
void SetupChart(QCustomPlot& AChart);
// Sets the label pattern of one axis ("#,##0.#######" for both axes of both charts).
void SetAxisLabelFormat(QCPAxis& AAxis, const QString& APattern);
// Shows the horizontal axis in decades (a key of 0 or less then stays off the chart),
// or linear again.
void SetLogarithmicKeys(QCustomPlot& AChart, bool ALogarithmic);
// Fits both axes to the data with a few pixels between the data and each axis end.
void FitAxesToData(QCustomPlot& AChart);

inline constexpr int ChartMargin = 2;
// The charts' sizes in the window at start, the size of pictures made without one.
inline constexpr QSize CurveChartSize(661, 241);
inline constexpr QSize SpectrumChartSize(661, 232);
inline constexpr int ChartAxisOffset = 2;
