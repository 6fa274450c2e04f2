// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Picture files of every format, and what a failed write leaves behind.
#include "EmfReader.h"
#include "TestChart.h"

#include "ui/pictures/ChartPicture.h"
#include "ui/pictures/PictureErrors.h"
#include "ui/pictures/PictureLook.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <functional>

namespace {

constexpr QSize PictureSize(480, 260);

QByteArray ReadAll(const QString& AFileName) {
    QFile File(AFileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteAll(const QString& AFileName, const QByteArray& AData) {
    QFile File(AFileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(AData);
}

bool HasGradient(const QCustomPlot& AChart) {
    return ChartBackground(AChart).gradient() != nullptr;
}

void CheckEmf(const QByteArray& AData) {
    const TEmfFile Emf = ReadEmf(AData);
    EXPECT_EQ(Emf.Fault, QString());
    EXPECT_EQ(Emf.Header.dSignature, U_ENHMETA_SIGNATURE);
    EXPECT_GT(Emf.Drawings.size(), 20U);
}

void CheckSvg(const QByteArray& AData) {
    const QSvgRenderer Svg(AData);
    EXPECT_TRUE(Svg.isValid());
    EXPECT_EQ(Svg.viewBox(), QRect(QPoint(), PictureSize));
    EXPECT_TRUE(AData.contains("<polyline"));
    EXPECT_FALSE(AData.contains("<image"));
}

void CheckPdf(const QByteArray& AData) {
    EXPECT_TRUE(AData.startsWith("%PDF-"));
    // The page is the chart at 96 dpi, in points.
    static const QRegularExpression MediaBox(
        QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
    const QString Text = QString::fromLatin1(AData);
    const QRegularExpressionMatch Box = MediaBox.match(Text);
    ASSERT_TRUE(Box.hasMatch());
    EXPECT_DOUBLE_EQ(Box.captured(1).toDouble(), PictureSize.width() * 0.75);
    EXPECT_DOUBLE_EQ(Box.captured(2).toDouble(), PictureSize.height() * 0.75);
}

void CheckPng(const QByteArray& AData) {
    const QImage Png = QImage::fromData(AData, "PNG");
    ASSERT_EQ(Png.size(), PictureSize);
    for (const QPoint Corner :
         {QPoint(0, 0), QPoint(PictureSize.width() - 1, 0), QPoint(0, PictureSize.height() - 1),
          QPoint(PictureSize.width() - 1, PictureSize.height() - 1)})
        EXPECT_EQ(Png.pixelColor(Corner), QColor(Qt::white));
    // The curve is antialiased: count the pixels where red dominates.
    int Red = 0;
    for (int y = 0; y < Png.height(); ++y)
        for (int x = 0; x < Png.width(); ++x) {
            const QColor Pixel = Png.pixelColor(x, y);
            Red += Pixel.red() > 200 && Pixel.green() < 150 && Pixel.blue() < 150;
        }
    EXPECT_GT(Red, 100);
}

class PictureFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Chart = TestChart(PictureSize);
    }
    QStringList Entries() const {
        return QDir(Dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir Dir;
    std::unique_ptr<QCustomPlot> Chart;
};

TEST_F(PictureFiles, EveryFormatIsWrittenInItsKind) {
    const std::pair<QString, std::function<void(const QByteArray&)>> Cases[] = {
        {QStringLiteral("curve.emf"), CheckEmf},
        {QStringLiteral("CURVE.SVG"), CheckSvg},
        {QStringLiteral("curve.Pdf"), CheckPdf},
        {QStringLiteral("curve.png"), CheckPng},
    };
    for (const auto& [Name, Check] : Cases) {
        SCOPED_TRACE(Name.toStdString());
        const QString FileName = Dir.filePath(Name);
        WriteChartPicture(*Chart, FileName, PictureSize);
        const QByteArray Data = ReadAll(FileName);
        EXPECT_GT(Data.size(), 1000);
        Check(Data);
        EXPECT_TRUE(HasGradient(*Chart));
    }
    EXPECT_EQ(Entries().size(), 4); // no temporaries left beside them
}

TEST_F(PictureFiles, FailedWriteRaisesAndLeavesNoHalfFile) {
    // A folder that cannot hold the file (even for root): its "parent" is a plain file.
    WriteAll(Dir.filePath(QStringLiteral("plain")), "x");
    const QString Unreachable = Dir.filePath(QStringLiteral("plain/curve.png"));
    // A read-only picture from before.
    const QString ReadOnly = Dir.filePath(QStringLiteral("old.emf"));
    WriteAll(ReadOnly, "old picture");
    QFile::setPermissions(ReadOnly, QFile::ReadOwner);

    for (const QString& FileName : {Unreachable, ReadOnly}) {
        SCOPED_TRACE(FileName.toStdString());
        try {
            WriteChartPicture(*Chart, FileName, PictureSize);
            ADD_FAILURE() << "no error";
        } catch (const EWriteError& Error) {
            EXPECT_EQ(Error.Message(), QStringLiteral("Unable to write to %1").arg(FileName));
        }
        EXPECT_TRUE(HasGradient(*Chart));
    }
    EXPECT_EQ(ReadAll(ReadOnly), QByteArray("old picture"));
    EXPECT_EQ(Entries(), QStringList({QStringLiteral("old.emf"), QStringLiteral("plain")}));
}

TEST_F(PictureFiles, UnknownExtensionOrEmptySizeWritesNothing) {
    EXPECT_THROW(WriteChartPicture(*Chart, Dir.filePath(QStringLiteral("curve.bmp")), PictureSize),
                 EPictureFormatError);
    EXPECT_THROW(WriteChartPicture(*Chart, Dir.filePath(QStringLiteral("curve")), PictureSize),
                 EPictureFormatError);
    EXPECT_THROW(WriteChartPicture(*Chart, Dir.filePath(QStringLiteral("curve.png")), QSize(0, 5)),
                 EPictureSizeError);
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_TRUE(HasGradient(*Chart));
}

} // namespace
