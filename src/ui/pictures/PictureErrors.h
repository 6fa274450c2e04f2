// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/Errors.h"

#include <QSize>

// A picture file name whose extension names no format the program writes.
class EPictureFormatError : public EVibronaError {
public:
    explicit EPictureFormatError(const QString& AFileName)
        : EVibronaError(
              QStringLiteral(
                  "Неизвестный формат рисунка %1: допустимы расширения .emf, .svg, .pdf и .png")
                  .arg(AFileName)) {}
};

// A picture without pixels.
class EPictureSizeError : public EVibronaError {
public:
    explicit EPictureSizeError(QSize ASize)
        : EVibronaError(QStringLiteral("Недопустимый размер рисунка %1x%2")
                            .arg(ASize.width())
                            .arg(ASize.height())) {}
};
