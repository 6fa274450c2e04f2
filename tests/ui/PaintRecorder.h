// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

// What a painting routine drew: its texts (with their weight) and the colours it
// filled rectangles with, in order.
struct TPaintRecord {
    QStringList Texts;
    std::vector<bool> Bold;
    std::vector<QColor> Fills;
};

// Runs APaint on a painter whose device records instead of drawing.
TPaintRecord RecordPainting(const std::function<void(QPainter&)>& APaint);
