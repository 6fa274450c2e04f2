// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/pictures/EmfRecordStream.h"

#include <QByteArray>
#include <QHash>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <optional>

class QBrush;
class QColor;
class QFont;
class QPen;

// The metafile's device context as its records leave it: the created pens, brushes and
// fonts, which of them are selected, the text colour, the fill mode and the clip.
// Each distinct object is created once and selected only when a drawing needs it.
//
// The clip lives in a saved copy of a base state: changing it restores the base (no clip,
// stock objects) and saves it again, so no object of ours is ever held by a saved state
// and a clip never has to be undone record by record.
class TEmfDeviceContext {
public:
    // Writes the base state (logical units mapped onto a picture of ASize pixels,
    // transparent text background, baseline-aligned text, stock pen and brush) and
    // saves it.
    TEmfDeviceContext(TEmfRecordStream& AStream, QSize ASize);
    TEmfDeviceContext(const TEmfDeviceContext&) = delete;
    TEmfDeviceContext& operator=(const TEmfDeviceContext&) = delete;

    // Sizes are taken in pixels. AScale: how much the world transform enlarges lengths;
    // it widens non-cosmetic pens and fonts.
    void SelectPen(const QPen& APen, double AScale);
    void SelectBrush(const QBrush& ABrush);
    // AAngle: the baseline's angle in degrees, clockwise on screen.
    void SelectFont(const QFont& AFont, double AScale, double AAngle);
    void SetTextColor(const QColor& AColor);
    void SetFillMode(Qt::FillRule ARule);
    // Device coordinates; nothing for no clip.
    void SetClip(const std::optional<QRegion>& AClip);

    // Restores the base state and deletes every created object.
    void Close();

private:
    struct TSelection {
        uint32_t Pen;
        uint32_t Brush;
        uint32_t Font;
        uint32_t TextColor;
        uint32_t FillMode;
    };
    static TSelection BaseSelection();

    void Select(uint32_t& ASelected, uint32_t AHandle);
    template <class TMake> uint32_t Created(const QByteArray& AKey, TMake AMake);
    void DeleteAll();

    TEmfRecordStream& FStream;
    QHash<QByteArray, uint32_t> FCreated;
    TSelection FSelected;
    std::optional<QRegion> FClip;
};

// The colour drawn for a brush: its own, or the mean of a gradient's stops.
QColor EmfBrushColor(const QBrush& ABrush);
