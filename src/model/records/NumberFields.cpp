// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/NumberFields.h"

#include "model/records/TextLines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Times may stray from an even grid by this much of their size.
constexpr double GridTolerance = 1e-6;

} // namespace

bool ParseNumber(std::string_view AField, char ADecimal, double& AValue) {
    AField = TrimBlanks(AField);
    if (AField.size() > 1 && AField.front() == '+' && AField[1] != '-')
        AField.remove_prefix(1);
    if (AField.empty())
        return false;
    std::array<char, 128> Copy;
    if (ADecimal != '.') {
        if (AField.size() > Copy.size())
            return false;
        std::replace_copy(AField.begin(), AField.end(), Copy.begin(), ADecimal, '.');
        AField = std::string_view(Copy.data(), AField.size());
    }
    const char* End = AField.data() + AField.size();
    const auto [Stop, Error] = std::from_chars(AField.data(), End, AValue);
    if (Stop != End)
        return false;
    if (Error == std::errc::result_out_of_range)
        AValue = std::numeric_limits<double>::infinity();
    return Error == std::errc() || Error == std::errc::result_out_of_range;
}

int LastDigitPower(std::string_view AField, char ADecimal) {
    AField = TrimBlanks(AField);
    int Exponent = 0;
    if (const auto e = AField.find_first_of("eEdD"); e != std::string_view::npos) {
        std::string_view Digits = AField.substr(e + 1);
        if (!Digits.empty() && Digits.front() == '+')
            Digits.remove_prefix(1);
        std::from_chars(Digits.data(), Digits.data() + Digits.size(), Exponent);
        AField = AField.substr(0, e);
    }
    const auto Point = AField.find(ADecimal);
    const auto Decimals = Point == std::string_view::npos ? 0 : AField.size() - Point - 1;
    return std::clamp(Exponent, -400, 400) - static_cast<int>(std::min<std::size_t>(Decimals, 400));
}

TGrid EvenGrid(const std::vector<double>& AAbscissas, int ALastDigitPower) {
    TGrid Grid;
    const std::size_t n = AAbscissas.size();
    Grid.Start = AAbscissas.front();
    Grid.Step = (AAbscissas.back() - Grid.Start) / static_cast<double>(n - 1);
    if (!(Grid.Step > 0) || !std::isfinite(Grid.Step))
        return Grid;
    const double Tolerance =
        GridTolerance * std::max(std::abs(Grid.Start), std::abs(AAbscissas.back())) +
        std::min(0.5 * std::pow(10.0, ALastDigitPower), 0.25 * Grid.Step);
    for (std::size_t i = 0; i < n; ++i)
        if (std::abs(AAbscissas[i] - (Grid.Start + static_cast<double>(i) * Grid.Step)) >
            Tolerance) {
            Grid.OffGrid = i;
            break;
        }
    return Grid;
}
