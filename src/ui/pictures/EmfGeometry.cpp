// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/EmfGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Far outside any picture, yet safe to add a pen width to.
constexpr double UnitLimit = 1 << 30;

int32_t DevicePixel(int32_t AUnits, bool ARoundUp) {
    const double Pixels = static_cast<double>(AUnits) / EmfUnitsPerPixel;
    return static_cast<int32_t>(ARoundUp ? std::ceil(Pixels) : std::floor(Pixels));
}

bool Fits16(const U_POINTL& APoint) {
    constexpr int32_t Low = std::numeric_limits<int16_t>::min();
    constexpr int32_t High = std::numeric_limits<int16_t>::max();
    return APoint.x >= Low && APoint.x <= High && APoint.y >= Low && APoint.y <= High;
}

bool AllFit16(const TEmfPoints& APoints) {
    return std::all_of(APoints.begin(), APoints.end(), Fits16);
}

std::vector<U_POINT16> Points16(const TEmfPoints& APoints) {
    std::vector<U_POINT16> Result;
    Result.reserve(APoints.size());
    for (const U_POINTL& Point : APoints)
        Result.push_back({static_cast<int16_t>(Point.x), static_cast<int16_t>(Point.y)});
    return Result;
}

using TPoly16 = char* (*)(U_RECTL, uint32_t, const U_POINT16*);
using TPoly32 = char* (*)(U_RECTL, uint32_t, const U_POINTL*);
using TPolyPoly16 = char* (*)(U_RECTL, uint32_t, const uint32_t*, uint32_t, const U_POINT16*);
using TPolyPoly32 = char* (*)(U_RECTL, uint32_t, const uint32_t*, uint32_t, const U_POINTL*);

char* PolyRecord(const TEmfPoints& APoints, TPoly16 AMake16, TPoly32 AMake32) {
    const auto Count = static_cast<uint32_t>(APoints.size());
    const U_RECTL Bounds = EmfDeviceBounds(APoints);
    if (AllFit16(APoints))
        return AMake16(Bounds, Count, Points16(APoints).data());
    return AMake32(Bounds, Count, APoints.data());
}

char* PolyPolyRecord(const std::vector<TEmfPoints>& APolys, TPolyPoly16 AMake16,
                     TPolyPoly32 AMake32) {
    TEmfPoints All;
    std::vector<uint32_t> Counts;
    for (const TEmfPoints& Poly : APolys) {
        All.insert(All.end(), Poly.begin(), Poly.end());
        Counts.push_back(static_cast<uint32_t>(Poly.size()));
    }
    const U_RECTL Bounds = EmfDeviceBounds(All);
    const auto Polys = static_cast<uint32_t>(Counts.size());
    const auto Total = static_cast<uint32_t>(All.size());
    if (AllFit16(All))
        return AMake16(Bounds, Polys, Counts.data(), Total, Points16(All).data());
    return AMake32(Bounds, Polys, Counts.data(), Total, All.data());
}

} // namespace

int32_t EmfUnits(double APixels) {
    if (std::isnan(APixels))
        return 0;
    return static_cast<int32_t>(
        std::lround(std::clamp(APixels * EmfUnitsPerPixel, -UnitLimit, UnitLimit)));
}

U_POINTL EmfPoint(const QPointF& APixels) {
    return {EmfUnits(APixels.x()), EmfUnits(APixels.y())};
}

TEmfPoints EmfPoints(const QPolygonF& APixels) {
    TEmfPoints Result;
    Result.reserve(static_cast<size_t>(APixels.size()));
    for (const QPointF& Point : APixels)
        Result.push_back(EmfPoint(Point));
    return Result;
}

U_RECTL EmfDeviceBounds(const TEmfPoints& APoints) {
    if (APoints.empty())
        return {0, 0, -1, -1};
    U_RECTL Units{APoints[0].x, APoints[0].y, APoints[0].x, APoints[0].y};
    for (const U_POINTL& Point : APoints) {
        Units.left = std::min(Units.left, Point.x);
        Units.top = std::min(Units.top, Point.y);
        Units.right = std::max(Units.right, Point.x);
        Units.bottom = std::max(Units.bottom, Point.y);
    }
    return {DevicePixel(Units.left, false), DevicePixel(Units.top, false),
            DevicePixel(Units.right, true), DevicePixel(Units.bottom, true)};
}

U_RECTL EmfDeviceRect(const QRect& APixels) {
    return {APixels.left(), APixels.top(), APixels.right(), APixels.bottom()};
}

char* EmfPolylineRecord(const TEmfPoints& APoints) {
    return PolyRecord(APoints, U_EMRPOLYLINE16_set, U_EMRPOLYLINE_set);
}

char* EmfPolygonRecord(const TEmfPoints& APoints) {
    return PolyRecord(APoints, U_EMRPOLYGON16_set, U_EMRPOLYGON_set);
}

char* EmfPolyPolylineRecord(const std::vector<TEmfPoints>& APolylines) {
    if (APolylines.size() == 1)
        return EmfPolylineRecord(APolylines.front());
    return PolyPolyRecord(APolylines, U_EMRPOLYPOLYLINE16_set, U_EMRPOLYPOLYLINE_set);
}

char* EmfPolyPolygonRecord(const std::vector<TEmfPoints>& APolygons) {
    if (APolygons.size() == 1)
        return EmfPolygonRecord(APolygons.front());
    return PolyPolyRecord(APolygons, U_EMRPOLYPOLYGON16_set, U_EMRPOLYPOLYGON_set);
}
