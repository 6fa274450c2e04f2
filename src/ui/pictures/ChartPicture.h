// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/pictures/PictureFormat.h"

#include <QByteArray>
#include <QSize>
#include <QString>

class QCustomPlot;

// The chart drawn at ASize pixels (96 dpi) in the picture look (white background, no
// gradient) as the bytes of a file of AFormat: EMF and SVG as vector records, PDF as
// one vector page of the chart's size, PNG as pixels. Empty when it cannot be built.
QByteArray RenderChartPicture(QCustomPlot& AChart, TPictureFormat AFormat, QSize ASize);

// Writes the chart as a picture in the format of AFileName's extension. The file is
// replaced in one rename, so a failure leaves the old file or none. Raises
// EPictureFormatError for another extension, EPictureSizeError for an empty size and
// EWriteError ("Unable to write to %s") when the file cannot be written.
void WriteChartPicture(QCustomPlot& AChart, const QString& AFileName, QSize ASize);
