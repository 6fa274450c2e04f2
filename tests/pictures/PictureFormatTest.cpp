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

TEST(PictureFormat, NameWithoutPictureExtensionTakesTheFilters) {
    const struct {
        const char* Typed;
        const char* Filter;
        const char* Written;
    } Cases[] = {
        {"curve", "PNG (*.png)", "curve.png"},
        {"curve", "*.svg", "curve.svg"},
        {"curve.", "PDF (*.pdf)", "curve.pdf"},
        {"curve.EMF", "PNG (*.png)", "curve.EMF"},
        {"beam.v2", "Enhanced Metafiles (*.emf)", "beam.v2.emf"},
        {"d.1/curve", "PDF (*.pdf)", "d.1/curve.pdf"},
        {"curve", "", "curve"},
        {"", "PNG (*.png)", ""},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(
            PictureFileNameForFilter(QString::fromUtf8(Case.Typed), QString::fromUtf8(Case.Filter)),
            QString::fromUtf8(Case.Written))
            << Case.Typed << " / " << Case.Filter;
}

} // namespace
