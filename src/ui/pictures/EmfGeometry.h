// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPolygonF>
#include <QRect>

#include <cstdint>
#include <vector>

#include <uemf.h>

// Logical units of the metafile: a sixteenth of a pixel, so that lines keep their
// sub-pixel positions; the map mode scales them back to pixels. Record bounds and
// clip regions stay in pixels (device units).
inline constexpr int EmfUnitsPerPixel = 16;

using TEmfPoints = std::vector<U_POINTL>;

int32_t EmfUnits(double APixels);
U_POINTL EmfPoint(const QPointF& APixels);
TEmfPoints EmfPoints(const QPolygonF& APixels);
// In pixels, edges included: the smallest rectangle holding every point.
U_RECTL EmfDeviceBounds(const TEmfPoints& APoints);
U_RECTL EmfDeviceRect(const QRect& APixels);

// One POLYLINE or POLYGON record; the 16-bit form when every coordinate fits it.
char* EmfPolylineRecord(const TEmfPoints& APoints);
char* EmfPolygonRecord(const TEmfPoints& APoints);
// One record for several polylines or polygons (for one: a POLYLINE or POLYGON record).
char* EmfPolyPolylineRecord(const std::vector<TEmfPoints>& APolylines);
char* EmfPolyPolygonRecord(const std::vector<TEmfPoints>& APolygons);
