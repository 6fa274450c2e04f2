#include "ui/pictures/PictureFormat.h"

#include <QFileInfo>
#include <QRegularExpression>

std::optional<TPictureFormat> PictureFormatOf(const QString& AFileName) {
    const QString Suffix = QFileInfo(AFileName).suffix().toLower();
    if (Suffix == QLatin1String("emf"))
        return TPictureFormat::Emf;
    if (Suffix == QLatin1String("svg"))
        return TPictureFormat::Svg;
    if (Suffix == QLatin1String("pdf"))
        return TPictureFormat::Pdf;
    if (Suffix == QLatin1String("png"))
        return TPictureFormat::Png;
    return std::nullopt;
}

QString PictureFileNameForFilter(const QString& AFileName, const QString& AFilter) {
    static const QRegularExpression Mask(QStringLiteral(R"(\*\.(\w+))"));
    const QRegularExpressionMatch Match = Mask.match(AFilter);
    if (AFileName.isEmpty() || PictureFormatOf(AFileName) || !Match.hasMatch())
        return AFileName;
    const QString Dot = AFileName.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    return AFileName + Dot + Match.captured(1);
}

QString PictureDialogFilter() {
    return QStringLiteral("Enhanced Metafiles (*.emf)|*.emf|"
                          "Scalable Vector Graphics (*.svg)|*.svg|"
                          "PDF (*.pdf)|*.pdf|"
                          "PNG (*.png)|*.png");
}
