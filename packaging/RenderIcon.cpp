// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the application icon from its SVG into the PNG sizes desktops look for:
//   vibrona-render-icon ICON.svg OUTPUT_DIR NAME SIZE...
// writes OUTPUT_DIR/SIZExSIZE/apps/NAME.png for every size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Rendering needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    const QStringList Args = App.arguments();
    if (Args.size() < 5) {
        std::fputs("usage: vibrona-render-icon ICON.svg OUTPUT_DIR NAME SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer Svg(Args[1]);
    if (!Svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(Args[1]));
        return 1;
    }
    for (const QString& SizeText : Args.mid(4)) {
        const int Size = SizeText.toInt();
        if (Size <= 0)
            return 2;
        QImage Image(Size, Size, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::transparent);
        QPainter Painter(&Image);
        Svg.render(&Painter);
        Painter.end();
        const QString Dir = QStringLiteral("%1/%2x%2/apps").arg(Args[2]).arg(Size);
        if (!QDir().mkpath(Dir) || !Image.save(QStringLiteral("%1/%2.png").arg(Dir, Args[3]))) {
            std::fprintf(stderr, "cannot write the %d px icon\n", Size);
            return 1;
        }
    }
    return 0;
}
