// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include <uemf.h>

// Sizes and positions are in pixels: logical units are mapped as the map mode says.
struct TEmfPen {
    uint32_t Style = 0;
    double Width = 0;
    QColor Color;
};

struct TEmfFont {
    double Height = 0;
    int Weight = 0;
    int Escapement = 0;
    QString Face;
};

// A drawing record with the device context it was played in.
struct TEmfDrawing {
    uint32_t Type = 0;
    QRect Box; // of the points; a RECTANGLE's box as written
    size_t PointCount = 0;
    std::optional<TEmfPen> Pen;   // nothing: the null pen
    std::optional<QColor> Brush;  // nothing: the null brush
    std::optional<TEmfFont> Font; // text records
    QColor TextColor;
    QString Text;
    std::optional<QRect> Clip; // the clip rectangle in force, right and bottom excluded
};

// A metafile played back record by record with libuemf's own checks of every record,
// keeping the device context's objects, saved states and clip.
struct TEmfFile {
    QString Fault; // the first fault found; empty for a sound file
    U_EMRHEADER Header{};
    std::vector<uint32_t> Types;
    std::vector<TEmfDrawing> Drawings;
};

TEmfFile ReadEmf(const QByteArray& AData);
