// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <vector>

// How far below the largest magnitude the decibel view reaches: a zero magnitude (or one
// smaller than this) is drawn at the floor instead of at minus infinity.
inline constexpr double DecibelRange = 200;

// The floor of the decibel view of AMagnitude: DecibelRange below its largest value,
// or -DecibelRange when every magnitude is zero.
double DecibelFloor(std::span<const double> AMagnitude);

// 20·log10 of every magnitude, no lower than the floor.
std::vector<double> MagnitudesInDecibels(std::span<const double> AMagnitude);
