// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// Bars that stay fast, visible and hittable when there are far more of them than pixels,
// on a linear or a logarithmic key axis: every bar is at least one pixel column wide
// and all are as wide as the most crowded ones; where several bars share a pixel column,
// one column as tall as the tallest is drawn. The hit test finds the bar nearest the
// pointer by key and accepts it within a few pixels even when the bar itself is thinner
// than one. Heights count from the base value, so that a decibel view can grow its bars
// from its floor.
class TSpectrumBars : public QCPBars {
public:
    TSpectrumBars(QCPAxis* AKeyAxis, QCPAxis* AValueAxis) : QCPBars(AKeyAxis, AValueAxis) {}

    // The index of the bar under APos, or -1.
    int BarAt(const QPointF& APos) const;

    // A bar's value is its top: the base plus its height, as the bar is drawn.
    double dataMainValue(int AIndex) const override;

    double selectTest(const QPointF& APos, bool AOnlySelectable,
                      QVariant* ADetails = nullptr) const override;

protected:
    void draw(QCPPainter* APainter) override;
};
