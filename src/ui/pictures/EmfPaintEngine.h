// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QPaintEngine>
#include <QRegion>
#include <QSize>

#include <memory>
#include <optional>

class TEmfDeviceContext;
class TEmfRecordStream;

// Turns a painter's calls into enhanced-metafile records: paths and polygons become
// polylines and polygons (16-bit records when the coordinates fit), rectangles become
// rectangles, text becomes text records in the painter's font, images become bitmaps.
// The world transform is applied to the coordinates, which keep a sixteenth of a pixel.
// Every feature is claimed so that the painter never rasterises on our behalf:
// gradients are drawn in one colour and transparency is dropped.
class TEmfPaintEngine : public QPaintEngine {
public:
    explicit TEmfPaintEngine(QSize ASize);
    ~TEmfPaintEngine() override;

    bool begin(QPaintDevice* ADevice) override;
    bool end() override;
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& AState) override;

    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawPath(const QPainterPath& APath) override;
    void drawPolygon(const QPointF* APoints, int ACount, PolygonDrawMode AMode) override;
    void drawRects(const QRectF* ARects, int ACount) override;
    void drawTextItem(const QPointF& APosition, const QTextItem& AText) override;
    void drawPixmap(const QRectF& ATarget, const QPixmap& APixmap, const QRectF& ASource) override;
    void drawImage(const QRectF& ATarget, const QImage& AImage, const QRectF& ASource,
                   Qt::ImageConversionFlags AFlags) override;

    // The metafile of the last finished painting; empty while painting or after a failure.
    const QByteArray& Metafile() const { return FMetafile; }

private:
    // Brings the device context's clip up to the painter's before a drawing.
    TEmfDeviceContext& Prepared();
    double LengthScale() const;

    QSize FSize;
    std::unique_ptr<TEmfRecordStream> FStream;
    std::unique_ptr<TEmfDeviceContext> FContext;
    std::optional<QRegion> FClip;
    bool FClipEnabled = false;
    QByteArray FMetafile;
};
