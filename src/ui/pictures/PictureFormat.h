#pragma once

#include <QString>

#include <optional>

enum class TPictureFormat { Emf, Svg, Pdf, Png };

// The format of a picture file, from its extension in any letter case (.emf, .svg, .pdf,
// .png); nothing for any other name.
std::optional<TPictureFormat> PictureFormatOf(const QString& AFileName);

// The name to write for AFileName chosen in the picture dialog under the filter
// AFilter ("PNG (*.png)" or "*.png"): a name without a picture extension gets the
// filter's, so "beam" and "beam.v2" become "beam.png" and "beam.v2.png".
QString PictureFileNameForFilter(const QString& AFileName, const QString& AFilter);

// The picture dialog's "description|mask" pairs, the metafile first.
QString PictureDialogFilter();
