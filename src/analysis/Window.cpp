// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Window.h"

#include <cmath>
#include <numbers>

double CalcWindow(TWindowKind AKind, int i, int n) {
    if (i >= n)
        return 1;
    // A window of one sample has no shape; its weight would be 0/0.
    if (n <= 1)
        return 1;
    constexpr double Pi = std::numbers::pi;
    const double di = i;
    const double Span = static_cast<double>(n) - 1;
    const double h = Span / 2;
    switch (AKind) {
    case wkNone:
        return 1;
    case wkHamming:
        return 0.54 - 0.46 * std::cos(2 * Pi * di / Span);
    case wkGaussian: {
        const double u = ((di - h) / 0.5) / h;
        return std::exp(-0.5 * u * u);
    }
    case wkBlackman: {
        const double a = Pi * di / Span;
        return 0.42 - 0.5 * std::cos(2 * a) + 0.08 * std::cos(4 * a);
    }
    case wkBartlett:
        return 1 - std::fabs(di / h - 1);
    }
    return 1;
}
