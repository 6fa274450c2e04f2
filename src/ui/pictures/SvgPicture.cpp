// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pictures/SvgPicture.h"

#include "ui/pictures/PictureLook.h"

#include <QBuffer>
#include <QSvgGenerator>

#include <qcustomplot.h>

#include <optional>
#include <utility>

namespace {

constexpr const char* ClipId = "plotArea";

// Reaches a layer's protected drawing through a member pointer formed in a derived
// class, without touching the chart's own classes.
struct TLayerAccess : QCPLayer {
    static void Draw(QCPLayer& ALayer, QCPPainter& APainter) {
        (ALayer.*(&TLayerAccess::draw))(&APainter);
    }
};

// While it lives, the chart is laid out as a picture of ASize, as its own drawing into
// a painter lays it out; the viewport comes back however the scope is left.
class TPictureViewport {
public:
    TPictureViewport(QCustomPlot& AChart, QSize ASize)
        : FChart(AChart), FViewport(AChart.viewport()) {
        AChart.setViewport(QRect(QPoint(), ASize));
        for (auto Phase : {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins,
                           QCPLayoutElement::upLayout})
            AChart.plotLayout()->update(Phase);
    }
    ~TPictureViewport() { FChart.setViewport(FViewport); }
    TPictureViewport(const TPictureViewport&) = delete;
    TPictureViewport& operator=(const TPictureViewport&) = delete;

private:
    QCustomPlot& FChart;
    QRect FViewport;
};

// An SVG document of the chart's layers from AFirst up to ALast (excluded), on the
// chart's background when ABackground.
QByteArray DrawLayers(QCustomPlot& AChart, QSize ASize, int AFirst, int ALast, bool ABackground) {
    QByteArray Result;
    QBuffer Buffer(&Result);
    Buffer.open(QIODevice::WriteOnly);
    QSvgGenerator Generator;
    Generator.setOutputDevice(&Buffer);
    Generator.setSize(ASize);
    Generator.setViewBox(QRect(QPoint(), ASize));
    Generator.setResolution(PictureDpi);
    {
        // Vector devices get the chart's lines as they are, without the screen's pixel fixes.
        QCPPainter Painter(&Generator);
        Painter.setMode(QCPPainter::pmVectorized);
        Painter.setMode(QCPPainter::pmNoCaching);
        const QBrush Background = ChartBackground(AChart);
        if (ABackground && Background.style() != Qt::NoBrush)
            Painter.fillRect(AChart.viewport(), Background);
        for (int i = AFirst; i < ALast; ++i)
            TLayerAccess::Draw(*AChart.layer(i), Painter);
    }
    return Result;
}

// Where the drawings of a generated document lie: inside its one outer group, which
// closes just before the document does. Nothing when the text is not of that form.
std::optional<std::pair<qsizetype, qsizetype>> DrawingsSpan(const QByteArray& ASvg) {
    const qsizetype Defs = ASvg.indexOf("</defs>");
    const qsizetype Outer = Defs < 0 ? -1 : ASvg.indexOf("<g", Defs);
    const qsizetype Begin = Outer < 0 ? -1 : ASvg.indexOf('>', Outer);
    const qsizetype Close = ASvg.lastIndexOf("</svg>");
    const qsizetype End = Close < 0 ? -1 : ASvg.lastIndexOf("</g>", Close);
    if (Begin < 0 || End <= Begin)
        return std::nullopt;
    return std::pair{Begin + 1, End};
}

QByteArray Drawings(const QByteArray& ASvg) {
    const auto Span = DrawingsSpan(ASvg);
    return Span ? ASvg.mid(Span->first, Span->second - Span->first) : QByteArray();
}

} // namespace

QByteArray ChartSvg(QCustomPlot& AChart, QSize ASize) {
    // QSvgGenerator writes no clipping at all: the plot's layer (series and items) is
    // drawn on its own and put between the layers below and above it in a clip path.
    const TPictureViewport Picture(AChart, ASize);
    const QCPLayer* Plot = AChart.layer(QStringLiteral("main"));
    const int Count = AChart.layerCount();
    const int Main = Plot ? Plot->index() : Count;
    QByteArray Document = DrawLayers(AChart, ASize, 0, std::min(Main, Count), true);
    const auto Span = DrawingsSpan(Document);
    if (!Plot || !Span)
        return Document;
    // The plot's layer clips as the chart's own drawing clips it.
    const QRect Clip = AChart.axisRect()->rect().translated(0, -1);
    const QByteArray Clipped =
        QStringLiteral("\n<clipPath id=\"%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/>"
                       "</clipPath>\n<g clip-path=\"url(#%1)\">")
            .arg(QLatin1String(ClipId))
            .arg(Clip.x())
            .arg(Clip.y())
            .arg(Clip.width())
            .arg(Clip.height())
            .toUtf8() +
        Drawings(DrawLayers(AChart, ASize, Main, Main + 1, false)) + "</g>\n" +
        Drawings(DrawLayers(AChart, ASize, Main + 1, Count, false));
    Document.insert(Span->second, Clipped);
    // Clip paths are beyond SVG Tiny, which the generator declares.
    Document.replace(R"(version="1.2" baseProfile="tiny")", R"(version="1.1")");
    return Document;
}
