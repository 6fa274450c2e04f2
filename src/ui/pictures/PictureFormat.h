// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

enum class TPictureFormat { Emf, Svg, Pdf, Png };

// The format of a picture file, from its extension in any letter case (.emf, .svg, .pdf,
// .png); nothing for any other name.
std::optional<TPictureFormat> PictureFormatOf(const QString& AFileName);

// The picture dialog's "description|mask" pairs, the metafile first.
QString PictureDialogFilter();
