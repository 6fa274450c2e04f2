#include "ui/charts/SpectrumBars.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The least width and height, in pixels, of the area in which a bar counts as hit.
constexpr double MinHitSize = 5;

QRectF Widened(QRectF ARect) {
    ARect = ARect.normalized();
    if (ARect.width() < MinHitSize)
        ARect.adjust(-(MinHitSize - ARect.width()) / 2, 0, (MinHitSize - ARect.width()) / 2, 0);
    if (ARect.height() < MinHitSize)
        ARect.adjust(0, -(MinHitSize - ARect.height()) / 2, 0, (MinHitSize - ARect.height()) / 2);
    return ARect;
}

} // namespace

int TSpectrumBars::BarAt(const QPointF& APos) const {
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
        return -1;
    if (!mKeyAxis->axisRect()->rect().contains(APos.toPoint()))
        return -1;
    const bool Horizontal = mKeyAxis->orientation() == Qt::Horizontal;
    const double Key = mKeyAxis->pixelToCoord(Horizontal ? APos.x() : APos.y());
    // The two bars whose keys enclose the pointer's key are the only candidates.
    const auto Begin = mDataContainer->constBegin();
    auto It = mDataContainer->findBegin(Key, false);
    int Best = -1;
    double BestDistance = std::numeric_limits<double>::max();
    for (auto Candidate : {It - 1, It}) {
        if (Candidate < Begin || Candidate >= mDataContainer->constEnd())
            continue;
        const QRectF Rect = Widened(getBarRect(Candidate->key, Candidate->value));
        if (!Rect.contains(APos))
            continue;
        const double Distance = std::abs((Horizontal ? Rect.center().x() : Rect.center().y()) -
                                         (Horizontal ? APos.x() : APos.y()));
        if (Distance < BestDistance) {
            BestDistance = Distance;
            Best = static_cast<int>(Candidate - Begin);
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
    QCPBarsDataContainer::const_iterator Begin, End;
    getVisibleDataBounds(Begin, End);
    const QRect Clip = clipRect();
    const bool Horizontal = mKeyAxis->orientation() == Qt::Horizontal;
    double Lower = 0, Upper = 0;
    if (Begin != End)
        getPixelWidth(Begin->key, Lower, Upper);
    if (!Horizontal || (End - Begin <= Clip.width() && std::abs(Upper - Lower) >= 1.5)) {
        QCPBars::draw(APainter);
        return;
    }
    // Bars thinner than a pixel, or more bars than pixel columns: one column a pixel
    // wide per bar, merged where bars share a column, from the base to the farthest
    // bar end in that column, so that no bar vanishes between pixels.
    // Whole pixel columns, without blending into their neighbours.
    APainter->setAntialiasing(false);
    APainter->setPen(Qt::NoPen);
    const double Base = mValueAxis->coordToPixel(mBaseValue);
    int Column = std::numeric_limits<int>::min();
    double Low = Base, High = Base;
    const auto Flush = [&] {
        if (Column != std::numeric_limits<int>::min())
            APainter->fillRect(QRectF(Column, Low, 1, std::max(High - Low, 1.0)), mBrush);
    };
    for (auto It = Begin; It != End; ++It) {
        const int x = static_cast<int>(std::floor(mKeyAxis->coordToPixel(It->key)));
        const double y = mValueAxis->coordToPixel(mBaseValue + It->value);
        if (x != Column) {
            Flush();
            Column = x;
            Low = High = Base;
        }
        Low = std::min(Low, y);
        High = std::max(High, y);
    }
    Flush();
}

double TSpectrumBars::dataMainValue(int AIndex) const {
    return mBaseValue + QCPBars::dataMainValue(AIndex);
}
