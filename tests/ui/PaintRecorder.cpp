// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PaintRecorder.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

namespace {

class TRecordingEngine : public QPaintEngine {
public:
    explicit TRecordingEngine(TPaintRecord& ARecord)
        : QPaintEngine(QPaintEngine::AllFeatures), FRecord(ARecord) {}

    bool begin(QPaintDevice* /*ADevice*/) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& AState) override {
        if (AState.state() & QPaintEngine::DirtyBrush)
            FBrush = AState.brush();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawRects(const QRectF* /*ARects*/, int /*ACount*/) override {
        if (FBrush.style() != Qt::NoBrush)
            FRecord.Fills.push_back(FBrush.color());
    }
    void drawTextItem(const QPointF& /*APos*/, const QTextItem& AItem) override {
        FRecord.Texts << AItem.text();
        FRecord.Bold.push_back(AItem.font().bold());
    }

private:
    TPaintRecord& FRecord;
    QBrush FBrush;
};

class TRecordingDevice : public QPaintDevice {
public:
    explicit TRecordingDevice(TPaintRecord& ARecord) : FEngine(ARecord) {}
    QPaintEngine* paintEngine() const override { return &FEngine; }

protected:
    int metric(PaintDeviceMetric AMetric) const override {
        switch (AMetric) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 500;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable TRecordingEngine FEngine;
};

} // namespace

TPaintRecord RecordPainting(const std::function<void(QPainter&)>& APaint) {
    TPaintRecord Record;
    TRecordingDevice Device(Record);
    QPainter Painter(&Device);
    APaint(Painter);
    Painter.end();
    return Record;
}
