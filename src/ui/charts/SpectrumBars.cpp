// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/charts/SpectrumBars.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The least width and height, in pixels, of the area in which a bar counts as hit.
constexpr double MinHitSize = 5;
constexpr double None = std::numeric_limits<double>::quiet_NaN();

QRectF Widened(QRectF ARect) {
    ARect = ARect.normalized();
    if (ARect.width() < MinHitSize)
        ARect.adjust(-(MinHitSize - ARect.width()) / 2, 0, (MinHitSize - ARect.width()) / 2, 0);
    if (ARect.height() < MinHitSize)
        ARect.adjust(0, -(MinHitSize - ARect.height()) / 2, 0, (MinHitSize - ARect.height()) / 2);
    return ARect;
}

// A bar's key and where it lies on the key axis; NaN where there is no bar or where a
// logarithmic axis cannot show the key (0 Hz and below).
struct TBarKey {
    double Key = None;
    double Pixel = None;
};

TBarKey BarKey(const QCPAxis& AAxis, const QCPBarsDataContainer& AData, int AIndex) {
    if (AIndex < 0 || AIndex >= AData.size())
        return {};
    const double Key = AData.at(AIndex)->key;
    if (AAxis.scaleType() == QCPAxis::stLogarithmic && !(Key > 0))
        return {Key, None};
    return {Key, AAxis.coordToPixel(Key)};
}

// The pixel edges of a bar AWidth keys wide. It takes the same share of the room to its
// nearer neighbour in pixels as of their distance in keys, so that on a logarithmic
// axis, too, a bar is centred on its key and never wider than its room.
std::pair<double, double> BarEdges(const QCPAxis& AAxis, double AWidth, const TBarKey& APrev,
                                   const TBarKey& ABar, const TBarKey& ANext) {
    double Width = None;
    double Room = std::numeric_limits<double>::infinity();
    for (const TBarKey& Neighbour : {APrev, ANext}) {
        const double PixelRoom = std::abs(Neighbour.Pixel - ABar.Pixel);
        const double KeyRoom = std::abs(Neighbour.Key - ABar.Key);
        if (PixelRoom < Room && KeyRoom > 0) {
            Room = PixelRoom;
            Width = AWidth * PixelRoom / KeyRoom;
        }
    }
    if (std::isnan(Width)) {
        const bool Log = AAxis.scaleType() == QCPAxis::stLogarithmic;
        Width = Log && ABar.Key - AWidth / 2 <= 0
                    ? 0
                    : std::abs(AAxis.coordToPixel(ABar.Key + AWidth / 2) -
                               AAxis.coordToPixel(ABar.Key - AWidth / 2));
    }
    return {ABar.Pixel - Width / 2, ABar.Pixel + Width / 2};
}

// The width in pixels of the bars from AFirst up to ALast: the share of the room to a
// neighbour that AWidth is of their distance in keys, where that room is smallest. On a
// linear axis every room is alike; on a logarithmic one the bars are all as thin as the
// most crowded ones rather than growing into blocks towards the low keys.
double DrawnWidth(const QCPAxis& AAxis, const QCPBarsDataContainer& AData, double AWidth,
                  int AFirst, int ALast) {
    double Width = std::numeric_limits<double>::infinity();
    TBarKey Previous = BarKey(AAxis, AData, AFirst - 1);
    for (int i = AFirst; i <= ALast; ++i) {
        const TBarKey Bar = BarKey(AAxis, AData, i);
        const double KeyRoom = std::abs(Bar.Key - Previous.Key);
        const double Share = AWidth * std::abs(Bar.Pixel - Previous.Pixel) / KeyRoom;
        if (KeyRoom > 0 && Share < Width) // false for bars off a logarithmic axis (NaN)
            Width = Share;
        Previous = Bar;
    }
    if (!std::isinf(Width))
        return Width;
    // A lone bar: its own width in keys.
    const TBarKey Bar = BarKey(AAxis, AData, AFirst);
    const auto [Left, Right] = BarEdges(AAxis, AWidth, {}, Bar, {});
    return std::isnan(Right - Left) ? 0 : Right - Left;
}

// Whole pixel columns for the edges, at least one, so that no bar vanishes between pixels.
std::pair<int, int> PixelColumns(std::pair<double, double> AEdges, double ACentre) {
    int Left = static_cast<int>(std::lround(AEdges.first));
    int Right = static_cast<int>(std::lround(AEdges.second));
    if (Right <= Left) {
        Left = static_cast<int>(std::floor(ACentre));
        Right = Left + 1;
    }
    return {Left, Right};
}

} // namespace

int TSpectrumBars::BarAt(const QPointF& APos) const {
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
        return -1;
    if (!mKeyAxis->axisRect()->rect().contains(APos.toPoint()))
        return -1;
    const bool Horizontal = mKeyAxis->orientation() == Qt::Horizontal;
    const double Key = mKeyAxis->pixelToCoord(Horizontal ? APos.x() : APos.y());
    const QCPAxis& Axis = *mKeyAxis;
    const QCPBarsDataContainer& Data = *mDataContainer;
    // The two bars whose keys enclose the pointer's key are the only candidates.
    const int Found = static_cast<int>(Data.findBegin(Key, false) - Data.constBegin());
    int Best = -1;
    double BestDistance = std::numeric_limits<double>::max();
    for (int Candidate : {Found - 1, Found}) {
        const TBarKey Bar = BarKey(Axis, Data, Candidate);
        if (std::isnan(Bar.Pixel))
            continue;
        const auto [Left, Right] = BarEdges(Axis, mWidth, BarKey(Axis, Data, Candidate - 1), Bar,
                                            BarKey(Axis, Data, Candidate + 1));
        const double Base = mValueAxis->coordToPixel(mBaseValue);
        const double Top = mValueAxis->coordToPixel(mBaseValue + Data.at(Candidate)->value);
        const QRectF Rect = Widened(Horizontal ? QRectF(QPointF(Left, Base), QPointF(Right, Top))
                                               : QRectF(QPointF(Base, Left), QPointF(Top, Right)));
        if (!Rect.contains(APos))
            continue;
        const double Distance = std::abs(Bar.Pixel - (Horizontal ? APos.x() : APos.y()));
        if (Distance < BestDistance) {
            BestDistance = Distance;
            Best = Candidate;
        }
    }
    return Best;
}

double TSpectrumBars::selectTest(const QPointF& APos, bool AOnlySelectable,
                                 QVariant* ADetails) const {
    if (AOnlySelectable && mSelectable == QCP::stNone)
        return -1;
    const int Index = BarAt(APos);
    if (Index < 0)
        return -1;
    if (ADetails)
        ADetails->setValue(QCPDataSelection(QCPDataRange(Index, Index + 1)));
    return mParentPlot->selectionTolerance() * 0.99;
}

void TSpectrumBars::draw(QCPPainter* APainter) {
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
        return;
    if (mKeyAxis->orientation() != Qt::Horizontal) {
        QCPBars::draw(APainter);
        return;
    }
    const QCPAxis& Axis = *mKeyAxis;
    const QCPBarsDataContainer& Data = *mDataContainer;
    const QCPRange Range = Axis.range();
    // One bar beyond each end may still reach into the plot.
    const int First = static_cast<int>(Data.findBegin(Range.lower, true) - Data.constBegin());
    const int Last = static_cast<int>(Data.findEnd(Range.upper, true) - Data.constBegin());
    // Whole pixel columns, without blending into their neighbours; clipped here as well,
    // for vector pictures that keep no clipping of their own.
    APainter->setAntialiasing(false);
    APainter->setPen(Qt::NoPen);
    const QRectF Clip = clipRect();
    const double Base = mValueAxis->coordToPixel(mBaseValue);
    // Bars on the same columns (more bars than pixels) are drawn once, as tall as the
    // tallest of them.
    std::pair<int, int> Columns(0, 0);
    double Low = Base, High = Base;
    const auto Flush = [&] {
        if (Columns.second > Columns.first)
            APainter->fillRect(QRectF(QPointF(Columns.first, Low),
                                      QPointF(Columns.second, std::max(High, Low + 1)))
                                   .intersected(Clip),
                               mBrush);
    };
    const double Width = DrawnWidth(Axis, Data, mWidth, First, Last);
    for (int i = First; i < Last; ++i) {
        const TBarKey Bar = BarKey(Axis, Data, i);
        if (std::isnan(Bar.Pixel))
            continue;
        const auto Span = PixelColumns({Bar.Pixel - Width / 2, Bar.Pixel + Width / 2}, Bar.Pixel);
        if (Span != Columns) {
            Flush();
            Columns = Span;
            Low = High = Base;
        }
        const double y = mValueAxis->coordToPixel(mBaseValue + Data.at(i)->value);
        Low = std::min(Low, y);
        High = std::max(High, y);
    }
    Flush();
}

double TSpectrumBars::dataMainValue(int AIndex) const {
    return mBaseValue + QCPBars::dataMainValue(AIndex);
}
