// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/qorUtils.h"

QString BoolToYesNo(bool AValue) {
    return AValue ? QStringLiteral("Да") : QStringLiteral("Нет");
}
