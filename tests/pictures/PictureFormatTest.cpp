// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/PictureFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureFormat, FollowsTheExtensionInAnyCase) {
    const std::pair<const char*, std::optional<TPictureFormat>> Cases[] = {
        {"beam.emf", TPictureFormat::Emf},
        {"D:/data/BEAM.EMF", TPictureFormat::Emf},
        {"beam.Svg", TPictureFormat::Svg},
        {"beam.pdf", TPictureFormat::Pdf},
        {"a.b/beam.PNG", TPictureFormat::Png},
        {"beam.bmp", std::nullopt},
        {"beam", std::nullopt},
        {"emf", std::nullopt},
        {"beam.emf.txt", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [Name, Format] : Cases)
        EXPECT_EQ(PictureFormatOf(QString::fromUtf8(Name)), Format) << Name;
}

} // namespace
