// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/PictureFormat.h"

#include <QFileInfo>

std::optional<TPictureFormat> PictureFormatOf(const QString& AFileName) {
    const QString Suffix = QFileInfo(AFileName).suffix().toLower();
    if (Suffix == QLatin1String("emf"))
        return TPictureFormat::Emf;
    if (Suffix == QLatin1String("svg"))
        return TPictureFormat::Svg;
    if (Suffix == QLatin1String("pdf"))
        return TPictureFormat::Pdf;
    if (Suffix == QLatin1String("png"))
        return TPictureFormat::Png;
    return std::nullopt;
}

QString PictureDialogFilter() {
    return QStringLiteral("Enhanced Metafiles (*.emf)|*.emf|"
                          "Scalable Vector Graphics (*.svg)|*.svg|"
                          "PDF (*.pdf)|*.pdf|"
                          "PNG (*.png)|*.png");
}
