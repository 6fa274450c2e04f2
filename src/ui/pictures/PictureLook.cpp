// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/PictureLook.h"

#include <qcustomplot.h>

namespace {

// Reaches the protected background brush through a member pointer formed in a
// derived class, without touching the chart's own class.
struct TBackgroundAccess : QCustomPlot {
    static QBrush Of(const QCustomPlot& AChart) {
        return AChart.*(&TBackgroundAccess::mBackgroundBrush);
    }
};

} // namespace

QBrush ChartBackground(const QCustomPlot& AChart) {
    return TBackgroundAccess::Of(AChart);
}

TPictureLook::TPictureLook(QCustomPlot& AChart)
    : FChart(AChart), FBackground(ChartBackground(AChart)) {
    FChart.setBackground(QBrush(Qt::white));
}

TPictureLook::~TPictureLook() {
    FChart.setBackground(FBackground);
}
