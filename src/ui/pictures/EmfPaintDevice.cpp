// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/EmfPaintDevice.h"

#include "ui/pictures/EmfPaintEngine.h"
#include "ui/pictures/EmfRecordStream.h"

#include <cmath>
#include <limits>

TEmfPaintDevice::TEmfPaintDevice(QSize ASize)
    : FSize(ASize), FEngine(std::make_unique<TEmfPaintEngine>(ASize)) {}

TEmfPaintDevice::~TEmfPaintDevice() = default;

QPaintEngine* TEmfPaintDevice::paintEngine() const {
    return FEngine.get();
}

QByteArray TEmfPaintDevice::Metafile() const {
    return FEngine->Metafile();
}

int TEmfPaintDevice::metric(PaintDeviceMetric AMetric) const {
    switch (AMetric) {
    case PdmWidth:
        return FSize.width();
    case PdmHeight:
        return FSize.height();
    case PdmWidthMM:
        return static_cast<int>(std::lround(FSize.width() * 25.4 / EmfDpi));
    case PdmHeightMM:
        return static_cast<int>(std::lround(FSize.height() * 25.4 / EmfDpi));
    case PdmNumColors:
        return std::numeric_limits<int>::max();
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return EmfDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(AMetric);
}
