// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/TextExport.h"

#include "analysis/Workers.h"
#include "util/ShortFloatWriter.h"
#include "util/qorUtils.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

// Lines per piece: a couple of megabytes of text.
constexpr std::size_t PieceLines = std::size_t{1} << 15;
// Pieces formatted side by side before they go to the sink.
constexpr std::size_t PiecesAtOnce = 8;

// The text of one piece, in room kept from piece to piece.
class TPieceText {
public:
    // Room for at least ABytes, its content undefined.
    char* Room(std::size_t ABytes) {
        if (ABytes > FCapacity) {
            FData = std::make_unique_for_overwrite<char[]>(ABytes);
            FCapacity = ABytes;
        }
        return FData.get();
    }
    void SetEnd(const char* AEnd) { FSize = static_cast<std::size_t>(AEnd - FData.get()); }
    QByteArrayView View() const {
        return QByteArrayView(FData.get(), static_cast<qsizetype>(FSize));
    }

private:
    std::unique_ptr<char[]> FData;
    std::size_t FCapacity = 0;
    std::size_t FSize = 0;
};

// The pieces of ALines lines, APiece(First, Last, Text) formatting lines [First, Last)
// into Text; formatted a few at a time on the workers, delivered in order.
void WritePieces(std::size_t ALines, int ANumbers, const TTextSink& ASink, int AThreads,
                 TProgress* AProgress,
                 const std::function<void(std::size_t, std::size_t, TPieceText&)>& APiece) {
    const std::size_t Pieces = BlockCount(ALines, PieceLines);
    std::unique_ptr<TWorkers> Workers;
    if (Pieces > 1 && AThreads != 1)
        Workers = std::make_unique<TWorkers>(AThreads);
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    const double PieceSeconds = Seconds(TextExportWork(PieceLines, ANumbers));
    std::vector<TPieceText> Texts(std::min(Pieces, PiecesAtOnce));
    for (std::size_t First = 0; First < Pieces; First += PiecesAtOnce) {
        const std::size_t Count = std::min(PiecesAtOnce, Pieces - First);
        RunBlocks(
            Workers.get(), Count,
            [&](std::size_t p) {
                const std::size_t Line = (First + p) * PieceLines;
                APiece(Line, std::min(ALines, Line + PieceLines), Texts[p]);
            },
            Progress, PieceSeconds);
        for (std::size_t p = 0; p < Count; ++p)
            ASink(Texts[p].View());
    }
}

QByteArray Collected(const std::function<void(const TTextSink&)>& AWrite) {
    QByteArray Text;
    AWrite([&](QByteArrayView APiece) { Text.append(APiece); });
    return Text;
}

} // namespace

TWork TextExportWork(std::size_t ALines, int ANumbers) {
    TWork Work;
    Work.Numbers = static_cast<double>(ALines) * ANumbers;
    Work.Bytes = static_cast<double>(ALines) * (24.0 * ANumbers + 8);
    // About eleven characters a number, a tab or CR LF after each.
    Work.FileBytes = static_cast<double>(ALines) * (11.0 * ANumbers + 2);
    return Work;
}

void WritePointsText(std::span<const double> AX, std::span<const double> AY, const TTextSink& ASink,
                     const TFormatSettings& AFormat, int AThreads, TProgress* AProgress) {
    const TShortFloatWriter Writer(AFormat);
    const std::size_t n = std::min(AX.size(), AY.size());
    WritePieces(n, 2, ASink, AThreads, AProgress,
                [&](std::size_t First, std::size_t Last, TPieceText& AOut) {
                    constexpr std::size_t LineBytes = 2 * TShortFloatWriter::MaxBytes + 3;
                    char* At = AOut.Room((Last - First) * LineBytes);
                    for (std::size_t i = First; i < Last; ++i) {
                        At = Writer.Write(AX[i], At);
                        *At++ = '\t';
                        At = Writer.Write(AY[i], At);
                        *At++ = '\r';
                        *At++ = '\n';
                    }
                    AOut.SetEnd(At);
                });
}

QByteArray PointsText(std::span<const double> AX, std::span<const double> AY,
                      const TFormatSettings& AFormat) {
    return Collected([&](const TTextSink& ASink) { WritePointsText(AX, AY, ASink, AFormat); });
}

void WriteCharacteristicText(const std::vector<TSpectrumSample>& ASamples, const TTextSink& ASink,
                             const TFormatSettings& AFormat, int AThreads, TProgress* AProgress) {
    const TShortFloatWriter Writer(AFormat);
    const std::string Yes = EncodeForExport(BoolToYesNo(true));
    const std::string No = EncodeForExport(BoolToYesNo(false));
    WritePieces(ASamples.size(), 2, ASink, AThreads, AProgress,
                [&](std::size_t First, std::size_t Last, TPieceText& AOut) {
                    const std::size_t LineBytes =
                        2 * TShortFloatWriter::MaxBytes + 4 + std::max(Yes.size(), No.size());
                    char* At = AOut.Room((Last - First) * LineBytes);
                    for (std::size_t i = First; i < Last; ++i) {
                        const TSpectrumSample& s = ASamples[i];
                        At = Writer.Write(s.Frequency(), At);
                        *At++ = '\t';
                        At = Writer.Write(s.Magnitude(), At);
                        *At++ = '\t';
                        const std::string& Word = s.Peak() ? Yes : No;
                        At = std::copy(Word.begin(), Word.end(), At);
                        *At++ = '\r';
                        *At++ = '\n';
                    }
                    AOut.SetEnd(At);
                });
}

QByteArray CharacteristicText(const std::vector<TSpectrumSample>& ASamples,
                              const TFormatSettings& AFormat) {
    return Collected(
        [&](const TTextSink& ASink) { WriteCharacteristicText(ASamples, ASink, AFormat); });
}

QByteArray CharacteristicText(const TSpectrum& ASamples, const TFormatSettings& AFormat) {
    std::vector<TSpectrumSample> Samples;
    Samples.reserve(static_cast<std::size_t>(ASamples.Count()));
    for (int i = 0; i < ASamples.Count(); ++i)
        Samples.push_back(ASamples[i]);
    return CharacteristicText(Samples, AFormat);
}

QByteArray NumberRowsText(const std::vector<std::vector<double>>& ARows,
                          const TFormatSettings& AFormat) {
    const TShortFloatWriter Writer(AFormat);
    QByteArray Text;
    char Number[TShortFloatWriter::MaxBytes];
    for (const std::vector<double>& Row : ARows) {
        for (std::size_t i = 0; i < Row.size(); ++i) {
            if (i > 0)
                Text += '\t';
            Text.append(Number, Writer.Write(Row[i], Number) - Number);
        }
        Text += "\r\n";
    }
    return Text;
}
