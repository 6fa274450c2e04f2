#pragma once

#include <qcustomplot.h>

// Writes tick labels with one of the program's number patterns in the user's locale.
class TFormatTicker : public QCPAxisTicker {
public:
    explicit TFormatTicker(QString APattern) : FPattern(std::move(APattern)) {}

    const QString& Pattern() const { return FPattern; }

protected:
    QString getTickLabel(double ATick, const QLocale& ALocale, QChar AFormatChar,
                         int APrecision) override;

private:
    QString FPattern;
};

// The look both charts share: no legend or title, a grey frame round the plot, 2 px
// margins, dotted grid lines, 1 px axis lines and a three-colour background.
void SetupChart(QCustomPlot& AChart);
// Sets the label pattern of one axis ("#,##0.#######" for both axes of both charts).
void SetAxisLabelFormat(QCPAxis& AAxis, const QString& APattern);
// Fits both axes to the data with a few pixels between the data and each axis end.
void FitAxesToData(QCustomPlot& AChart);

inline constexpr int ChartMargin = 2;
inline constexpr int ChartAxisOffset = 2;
