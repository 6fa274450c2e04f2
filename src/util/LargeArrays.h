// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

// Reserves room for ACount values. A large array is backed by huge pages where the
// system offers them on request: on a virtual machine the first write to each
// ordinary page costs more than the values themselves take to compute.
void ReserveLarge(std::vector<double>& AValues, std::size_t ACount);
