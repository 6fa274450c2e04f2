// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

class TEmfPaintEngine;

// A paint device whose painting becomes an enhanced metafile (EMF) of ASize pixels at
// 96 dpi, with vector records rather than a bitmap:
//   TEmfPaintDevice Device(Size);
//   { QPainter Painter(&Device); ... }
//   QByteArray Emf = Device.Metafile();
class TEmfPaintDevice : public QPaintDevice {
public:
    explicit TEmfPaintDevice(QSize ASize);
    ~TEmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    QSize Size() const { return FSize; }
    // The complete file of the last finished painting; empty while a painter is active
    // or when the metafile could not be built.
    QByteArray Metafile() const;

protected:
    int metric(PaintDeviceMetric AMetric) const override;

private:
    QSize FSize;
    std::unique_ptr<TEmfPaintEngine> FEngine;
};
