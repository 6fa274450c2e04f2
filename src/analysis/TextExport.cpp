#include "analysis/TextExport.h"

#include "util/NumberFormat.h"
#include "util/qorUtils.h"

#include <QStringEncoder>
#include <QStringList>

#include <algorithm>

namespace {

class TLineWriter {
public:
    explicit TLineWriter(const TFormatSettings& AFormat)
        : FFormat(AFormat), FEncoder(QStringConverter::System) {}

    void Line(std::initializer_list<QString> AFields) {
        QString Text;
        bool First = true;
        for (const QString& Field : AFields) {
            if (!First)
                Text += QLatin1Char('\t');
            Text += Field;
            First = false;
        }
        Text += QLatin1String("\r\n");
        FOut += FEncoder.encode(Text);
    }
    void Line(const QStringList& AFields) {
        FOut += FEncoder.encode(AFields.join(QLatin1Char('\t')) + QLatin1String("\r\n"));
    }
    QString Number(double AValue) const { return FormatFloat(ShortFloatFormat, AValue, FFormat); }
    QByteArray Take() { return std::move(FOut); }

private:
    TFormatSettings FFormat;
    QStringEncoder FEncoder;
    QByteArray FOut;
};

} // namespace

QByteArray PointsText(std::span<const double> AX, std::span<const double> AY,
                      const TFormatSettings& AFormat) {
    TLineWriter Writer(AFormat);
    const std::size_t n = std::min(AX.size(), AY.size());
    for (std::size_t i = 0; i < n; ++i)
        Writer.Line({Writer.Number(AX[i]), Writer.Number(AY[i])});
    return Writer.Take();
}

QByteArray NumberRowsText(const std::vector<std::vector<double>>& ARows,
                          const TFormatSettings& AFormat) {
    TLineWriter Writer(AFormat);
    for (const std::vector<double>& Row : ARows) {
        QStringList Fields;
        for (const double Value : Row)
            Fields << Writer.Number(Value);
        Writer.Line(Fields);
    }
    return Writer.Take();
}

namespace {

// One line per sample, AAt(i) giving sample i of ACount.
template <typename TAt>
QByteArray SamplesText(int ACount, TAt AAt, const TFormatSettings& AFormat) {
    TLineWriter Writer(AFormat);
    for (int i = 0; i < ACount; ++i) {
        const TSpectrumSample& s = AAt(i);
        Writer.Line(
            {Writer.Number(s.Frequency()), Writer.Number(s.Magnitude()), BoolToYesNo(s.Peak())});
    }
    return Writer.Take();
}

} // namespace

QByteArray CharacteristicText(const std::vector<TSpectrumSample>& ASamples,
                              const TFormatSettings& AFormat) {
    return SamplesText(
        static_cast<int>(ASamples.size()),
        [&](int i) -> const TSpectrumSample& { return ASamples[static_cast<std::size_t>(i)]; },
        AFormat);
}

QByteArray CharacteristicText(const TSpectrum& ASamples, const TFormatSettings& AFormat) {
    return SamplesText(
        ASamples.Count(), [&](int i) -> const TSpectrumSample& { return ASamples[i]; }, AFormat);
}
