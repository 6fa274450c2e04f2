// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/EmfPaintEngine.h"

#include "ui/pictures/EmfDeviceContext.h"
#include "ui/pictures/EmfGeometry.h"
#include "ui/pictures/EmfRecordStream.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

std::vector<TEmfPoints> EmfPolygons(const QList<QPolygonF>& APolygons) {
    std::vector<TEmfPoints> Result;
    for (const QPolygonF& Polygon : APolygons)
        if (Polygon.size() > 1)
            Result.push_back(EmfPoints(Polygon));
    return Result;
}

bool IsClosed(const QPolygonF& APolygon) {
    return APolygon.size() > 2 && APolygon.first() == APolygon.last();
}

QRegion ClipRegionOf(const QPainterPath& APath, const QTransform& ATransform) {
    return QRegion(APath.toFillPolygon(ATransform).toPolygon(), APath.fillRule());
}

// GDI rectangles leave out their right and bottom pixels.
U_RECTL RectangleBox(const QRectF& APixels) {
    const U_POINTL TopLeft = EmfPoint(APixels.topLeft());
    const U_POINTL BottomRight = EmfPoint(APixels.bottomRight());
    return {TopLeft.x, TopLeft.y, BottomRight.x + EmfUnitsPerPixel,
            BottomRight.y + EmfUnitsPerPixel};
}

// Cumulative widths rounded once, so the advances add up to the text's width.
std::vector<uint32_t> Advances(const QString& AText, const QFontMetricsF& AMetrics, double AScale) {
    std::vector<uint32_t> Result(static_cast<size_t>(AText.size()), 0);
    long Previous = 0;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        if (AText.at(i).isHighSurrogate() && i + 1 < AText.size())
            continue; // the pair's width goes to its second unit
        const long Edge = EmfUnits(AMetrics.horizontalAdvance(AText.left(i + 1)) * AScale);
        Result[static_cast<size_t>(i)] = static_cast<uint32_t>(std::max(0L, Edge - Previous));
        Previous = Edge;
    }
    return Result;
}

// The image on white with its rows bottom-up, as a 32-bit DIB holds them.
QImage DibImage(const QImage& AImage) {
    QImage Result(AImage.size(), QImage::Format_RGB32);
    Result.fill(Qt::white);
    QPainter(&Result).drawImage(0, 0, AImage);
    return Result.mirrored();
}

} // namespace

TEmfPaintEngine::TEmfPaintEngine(QSize ASize)
    : QPaintEngine(QPaintEngine::AllFeatures), FSize(ASize) {}

TEmfPaintEngine::~TEmfPaintEngine() = default;

bool TEmfPaintEngine::begin(QPaintDevice* /*ADevice*/) {
    FMetafile.clear();
    FClip.reset();
    FClipEnabled = false;
    FStream = std::make_unique<TEmfRecordStream>(FSize);
    FContext = std::make_unique<TEmfDeviceContext>(*FStream, FSize);
    return !FStream->Failed();
}

bool TEmfPaintEngine::end() {
    if (!FContext)
        return false;
    FContext->Close();
    FMetafile = FStream->Finish();
    FContext.reset();
    FStream.reset();
    return !FMetafile.isEmpty();
}

void TEmfPaintEngine::updateState(const QPaintEngineState& AState) {
    const DirtyFlags Flags = AState.state();
    std::optional<QRegion> Operand;
    if (Flags & DirtyClipPath)
        Operand = ClipRegionOf(AState.clipPath(), AState.transform());
    else if (Flags & DirtyClipRegion)
        Operand = AState.transform().map(AState.clipRegion());
    if (Operand) {
        switch (AState.clipOperation()) {
        case Qt::NoClip:
            FClip.reset();
            break;
        case Qt::ReplaceClip:
            FClip = Operand;
            break;
        case Qt::IntersectClip:
            FClip = FClip ? FClip->intersected(*Operand) : *Operand;
            break;
        }
        FClipEnabled = AState.clipOperation() != Qt::NoClip;
    }
    if (Flags & DirtyClipEnabled)
        FClipEnabled = AState.isClipEnabled();
}

TEmfDeviceContext& TEmfPaintEngine::Prepared() {
    FContext->SetClip(FClipEnabled ? FClip : std::nullopt);
    return *FContext;
}

double TEmfPaintEngine::LengthScale() const {
    return std::sqrt(std::abs(state->transform().determinant()));
}

void TEmfPaintEngine::drawPath(const QPainterPath& APath) {
    const QList<QPolygonF> Subpaths = APath.toSubpathPolygons(state->transform());
    const std::vector<TEmfPoints> Polygons = EmfPolygons(Subpaths);
    const bool Fill = state->brush().style() != Qt::NoBrush;
    const bool Stroke = state->pen().style() != Qt::NoPen;
    if (Polygons.empty() || (!Fill && !Stroke))
        return;
    TEmfDeviceContext& Context = Prepared();
    const bool AllClosed = std::all_of(Subpaths.begin(), Subpaths.end(), IsClosed);
    if (Fill) {
        // Closed outlines go with the fill; open ones are stroked on their own.
        const bool WithOutline = Stroke && AllClosed;
        Context.SelectPen(WithOutline ? state->pen() : QPen(Qt::NoPen), LengthScale());
        Context.SelectBrush(state->brush());
        Context.SetFillMode(APath.fillRule());
        FStream->Append(EmfPolyPolygonRecord(Polygons));
        if (WithOutline || !Stroke)
            return;
    }
    Context.SelectPen(state->pen(), LengthScale());
    FStream->Append(EmfPolyPolylineRecord(Polygons));
}

void TEmfPaintEngine::drawPolygon(const QPointF* APoints, int ACount, PolygonDrawMode AMode) {
    const bool Fill = AMode != PolylineMode && state->brush().style() != Qt::NoBrush;
    if (ACount < 2 || (!Fill && state->pen().style() == Qt::NoPen))
        return;
    const TEmfPoints Points =
        EmfPoints(state->transform().map(QPolygonF(QList<QPointF>(APoints, APoints + ACount))));
    TEmfDeviceContext& Context = Prepared();
    Context.SelectPen(state->pen(), LengthScale());
    if (AMode == PolylineMode) {
        FStream->Append(EmfPolylineRecord(Points));
        return;
    }
    Context.SelectBrush(state->brush());
    Context.SetFillMode(AMode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    FStream->Append(EmfPolygonRecord(Points));
}

void TEmfPaintEngine::drawRects(const QRectF* ARects, int ACount) {
    if (state->brush().style() == Qt::NoBrush && state->pen().style() == Qt::NoPen)
        return;
    const QTransform& Transform = state->transform();
    if (Transform.type() > QTransform::TxScale) {
        for (int i = 0; i < ACount; ++i) {
            const QPolygonF Corners(ARects[i]);
            drawPolygon(Corners.constData(), 4, ConvexMode);
        }
        return;
    }
    TEmfDeviceContext& Context = Prepared();
    Context.SelectPen(state->pen(), LengthScale());
    Context.SelectBrush(state->brush());
    for (int i = 0; i < ACount; ++i)
        FStream->Append(
            U_EMRRECTANGLE_set(RectangleBox(Transform.mapRect(ARects[i]).normalized())));
}

void TEmfPaintEngine::drawTextItem(const QPointF& APosition, const QTextItem& AText) {
    const QString Text = AText.text();
    if (Text.isEmpty())
        return;
    const QTransform& Transform = state->transform();
    const double Scale = LengthScale();
    const double Angle = std::atan2(Transform.m12(), Transform.m11()) * 180.0 / std::numbers::pi;
    const QFont Font = AText.font();
    TEmfDeviceContext& Context = Prepared();
    Context.SelectFont(Font, Scale, Angle);
    Context.SetTextColor(EmfBrushColor(state->pen().brush()));

    const QFontMetricsF Metrics(Font, paintDevice());
    std::vector<uint32_t> Dx = Advances(Text, Metrics, Scale);
    std::vector<uint16_t> Utf16(Text.utf16(), Text.utf16() + Text.size());
    const QRectF Box(APosition.x(), APosition.y() - Metrics.ascent(),
                     Metrics.horizontalAdvance(Text), Metrics.height());
    const QRectF DeviceBox = Transform.mapRect(Box);
    const TMallocPtr<char> Emrtext(
        emrtext_set(EmfPoint(Transform.map(APosition)), static_cast<U_NUM_STR>(Utf16.size()), 2,
                    Utf16.data(), U_ETO_NONE,
                    {EmfUnits(DeviceBox.left()), EmfUnits(DeviceBox.top()),
                     EmfUnits(DeviceBox.right()), EmfUnits(DeviceBox.bottom())},
                    Dx.data()));
    if (!Emrtext) {
        FStream->Append(nullptr);
        return;
    }
    // Compatible mode with the size of one logical unit in 0.01 mm.
    constexpr float HundredthsMmPerUnit = 2540.0F / (EmfDpi * EmfUnitsPerPixel);
    FStream->Append(U_EMREXTTEXTOUTW_set(EmfDeviceRect(DeviceBox.toAlignedRect()), U_GM_COMPATIBLE,
                                         HundredthsMmPerUnit, HundredthsMmPerUnit,
                                         reinterpret_cast<PU_EMRTEXT>(Emrtext.get())));
}

void TEmfPaintEngine::drawPixmap(const QRectF& ATarget, const QPixmap& APixmap,
                                 const QRectF& ASource) {
    drawImage(ATarget, APixmap.toImage(), ASource, Qt::AutoColor);
}

void TEmfPaintEngine::drawImage(const QRectF& ATarget, const QImage& AImage, const QRectF& ASource,
                                Qt::ImageConversionFlags /*AFlags*/) {
    const QImage Dib = DibImage(AImage.copy(ASource.toAlignedRect()));
    if (Dib.isNull())
        return;
    const QRectF Target = state->transform().mapRect(ATarget);
    const auto Bytes = static_cast<uint32_t>(Dib.sizeInBytes());
    const U_BITMAPINFOHEADER Header =
        bitmapinfoheader_set(Dib.width(), Dib.height(), 1, 32, U_BI_RGB, Bytes, 0, 0, 0, 0);
    const TMallocPtr<U_BITMAPINFO> Info(bitmapinfo_set(Header, nullptr));
    Prepared();
    FStream->Append(U_EMRSTRETCHDIBITS_set(
        EmfDeviceRect(Target.toAlignedRect()), EmfPoint(Target.topLeft()),
        {EmfUnits(Target.width()), EmfUnits(Target.height())}, {0, 0}, {Dib.width(), Dib.height()},
        U_DIB_RGB_COLORS, U_SRCCOPY, Info.get(), Bytes,
        // libuemf copies the pixels; it only lacks the const.
        reinterpret_cast<char*>(const_cast<uchar*>(Dib.constBits()))));
}
