// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// A number with ADecimal as its decimal separator, blanks around it allowed, parsed
// with std::from_chars. A value beyond the range of double parses as infinite, so
// that it is refused as such.
bool ParseNumber(std::string_view AField, char ADecimal, double& AValue);

// The power of ten of the last digit a number's text writes: -6 for "0.000021",
// -10 for "2.08333e-05". The text gives its value to half a unit of that digit.
int LastDigitPower(std::string_view AField, char ADecimal = '.');

// An abscissa checked for even spacing.
struct TGrid {
    double Step = 0;
    double Start = 0;
    // The first abscissa off the even grid, or npos; Step is not positive when the
    // abscissas do not rise.
    std::size_t OffGrid = npos;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
};

// The even grid through the first and last abscissa. Each abscissa may stray from
// it by 1e-6 of the abscissas' size plus the rounding of the digits written (half a
// unit at the power ALastDigitPower), the latter at most a quarter step, so that a
// missing sample still shows. Needs two abscissas at least.
TGrid EvenGrid(const std::vector<double>& AAbscissas, int ALastDigitPower);
