// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// "Да" for true, "Нет" for false: the Active row of the grid and the Peak column
// of the characteristic-sample export.
QString BoolToYesNo(bool AValue);
