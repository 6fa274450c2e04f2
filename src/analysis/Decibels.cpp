// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Decibels.h"

#include <algorithm>
#include <cmath>

double DecibelFloor(std::span<const double> AMagnitude) {
    double Largest = 0;
    for (const double m : AMagnitude)
        if (std::isfinite(m))
            Largest = std::max(Largest, std::abs(m));
    return (Largest > 0 ? 20 * std::log10(Largest) : 0) - DecibelRange;
}

std::vector<double> MagnitudesInDecibels(std::span<const double> AMagnitude) {
    const double Floor = DecibelFloor(AMagnitude);
    std::vector<double> Result(AMagnitude.size());
    std::transform(AMagnitude.begin(), AMagnitude.end(), Result.begin(), [Floor](double m) {
        const double Db = 20 * std::log10(std::abs(m));
        return std::isnan(Db) || Db < Floor ? Floor : Db;
    });
    return Result;
}
