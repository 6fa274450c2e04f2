// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/ChartPicture.h"

#include "ui/pictures/EmfPaintDevice.h"
#include "ui/pictures/PictureErrors.h"
#include "ui/pictures/PictureLook.h"
#include "ui/pictures/SvgPicture.h"
#include "util/AtomicFile.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>

#include <qcustomplot.h>

namespace {

constexpr int DotsPerMetre = 3780; // 96 dpi

// Vector devices get the chart's lines as they are, without the screen's pixel fixes.
void DrawVector(QCustomPlot& AChart, QPaintDevice& ADevice, QSize ASize) {
    QCPPainter Painter(&ADevice);
    Painter.setMode(QCPPainter::pmVectorized);
    AChart.toPainter(&Painter, ASize.width(), ASize.height());
}

QByteArray Emf(QCustomPlot& AChart, QSize ASize) {
    TEmfPaintDevice Device(ASize);
    DrawVector(AChart, Device, ASize);
    return Device.Metafile();
}

QByteArray Pdf(QCustomPlot& AChart, QSize ASize) {
    QByteArray Result;
    QBuffer Buffer(&Result);
    Buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter Writer(&Buffer);
        Writer.setCreator(QStringLiteral("Vibrona"));
        Writer.setResolution(PictureDpi);
        const QSizeF Points = QSizeF(ASize) * 72.0 / PictureDpi;
        Writer.setPageLayout(
            QPageLayout(QPageSize(Points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        DrawVector(AChart, Writer, ASize);
    }
    return Result;
}

QByteArray Png(QCustomPlot& AChart, QSize ASize) {
    QImage Image(ASize, QImage::Format_ARGB32_Premultiplied);
    if (Image.isNull())
        return {};
    Image.setDotsPerMeterX(DotsPerMetre);
    Image.setDotsPerMeterY(DotsPerMetre);
    Image.fill(Qt::white);
    {
        QCPPainter Painter(&Image);
        AChart.toPainter(&Painter, ASize.width(), ASize.height());
    }
    QByteArray Result;
    QBuffer Buffer(&Result);
    Buffer.open(QIODevice::WriteOnly);
    if (!Image.save(&Buffer, "PNG"))
        return {};
    return Result;
}

} // namespace

QByteArray RenderChartPicture(QCustomPlot& AChart, TPictureFormat AFormat, QSize ASize) {
    if (ASize.isEmpty())
        return {};
    const TPictureLook Look(AChart);
    switch (AFormat) {
    case TPictureFormat::Emf:
        return Emf(AChart, ASize);
    case TPictureFormat::Svg:
        return ChartSvg(AChart, ASize);
    case TPictureFormat::Pdf:
        return Pdf(AChart, ASize);
    case TPictureFormat::Png:
        return Png(AChart, ASize);
    }
    return {};
}

void WriteChartPicture(QCustomPlot& AChart, const QString& AFileName, QSize ASize) {
    const std::optional<TPictureFormat> Format = PictureFormatOf(AFileName);
    if (!Format)
        throw EPictureFormatError(AFileName);
    if (ASize.isEmpty())
        throw EPictureSizeError(ASize);
    const QByteArray Content = RenderChartPicture(AChart, *Format, ASize);
    if (Content.isEmpty())
        throw EWriteError(AFileName);
    WriteFileAtomically(AFileName, Content);
}
