// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/RecordReader.h"

#include "model/records/AudioRecordReader.h"
#include "model/records/RecordErrors.h"
#include "model/records/TextLines.h"
#include "model/records/TextRecordReader.h"
#include "model/records/UffRecordReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

const std::array AudioExtensions{"wav",  "wave", "bwf", "rf64", "w64", "flac", "aif", "aiff",
                                 "aifc", "ogg",  "oga", "opus", "au",  "snd",  "caf", "mp3",
                                 "voc",  "wv",   "sph", "nist", "htk", "sds",  "avr", "pvf"};
const std::array TextExtensions{"csv", "tsv", "txt", "dat", "prn", "asc"};
const std::array UniversalExtensions{"uff", "unv", "uf"};

template <std::size_t N>
bool HasExtension(const QString& AFileName, const std::array<const char*, N>& AExtensions) {
    const QString Suffix = QFileInfo(AFileName).suffix().toLower();
    return std::any_of(AExtensions.begin(), AExtensions.end(),
                       [&](const char* e) { return Suffix == QLatin1String(e); });
}

template <std::size_t N> QString Masks(const std::array<const char*, N>& AExtensions) {
    QStringList List;
    for (const char* e : AExtensions)
        List << QStringLiteral("*.%1").arg(QLatin1String(e));
    return List.join(QLatin1Char(';'));
}

bool StartsUniversal(std::string_view AHead) {
    TLines Lines(SkipByteOrderMark(AHead));
    std::string_view Line;
    while (Lines.Next(Line))
        if (!TrimBlanks(Line).empty())
            return TrimBlanks(Line) == "-1";
    return false;
}

bool LooksLikeAudio(std::string_view AHead) {
    for (const char* Signature : {"RIFF", "RIFX", "RF64", "FORM", "fLaC", "OggS", ".snd", "caff",
                                  "riff", "ID3", "wvpk", "NIST"})
        if (AHead.substr(0, std::char_traits<char>::length(Signature)) == Signature)
            return true;
    return AHead.find('\0') != std::string_view::npos;
}

} // namespace

TRecordFormat RecordFormatOf(const QString& AFileName, std::string_view AHead) {
    if (HasExtension(AFileName, UniversalExtensions))
        return rfUniversal;
    if (HasExtension(AFileName, TextExtensions))
        return rfText;
    if (HasExtension(AFileName, AudioExtensions))
        return rfAudio;
    if (StartsUniversal(AHead.substr(0, 4096)))
        return rfUniversal;
    if (LooksLikeAudio(AHead.substr(0, 4096)))
        return rfAudio;
    return rfText;
}

bool IsRecordFileName(const QString& AFileName) {
    return HasExtension(AFileName, AudioExtensions) || HasExtension(AFileName, TextExtensions) ||
           HasExtension(AFileName, UniversalExtensions);
}

QString RecordFileFilter() {
    const QString All =
        QStringList{Masks(AudioExtensions), Masks(TextExtensions), Masks(UniversalExtensions)}.join(
            QLatin1Char(';'));
    return QStringLiteral("Записи|%1|Звуковые файлы|%2|Текстовые файлы|%3|"
                          "Универсальные файлы|%4|Все файлы|*")
        .arg(All, Masks(AudioExtensions), Masks(TextExtensions), Masks(UniversalExtensions));
}

TRecordSamples ReadRecordBytes(std::string_view ABytes, TRecordFormat AFormat,
                               const QString& AFileName, int AChannel,
                               std::uint64_t AAvailableBytes) {
    switch (AFormat) {
    case rfAudio:
        return ReadAudioRecord(ABytes, AFileName, AChannel, AAvailableBytes);
    case rfUniversal:
        return ReadUffRecord(ABytes, AFileName, AChannel, AAvailableBytes);
    case rfText:
        break;
    }
    return ReadTextRecord(ABytes, AFileName, AChannel, AAvailableBytes);
}

TRecordSamples ReadRecordFile(const QString& AFileName, int AChannel,
                              std::uint64_t AAvailableBytes) {
    QFile File(AFileName);
    if (!QFileInfo(AFileName).isFile())
        throw ERecordError(AFileName, QStringLiteral("файл не найден"));
    if (!File.open(QIODevice::ReadOnly))
        throw ERecordError(AFileName, QStringLiteral("файл не открывается"));
    const qint64 Size = File.size();
    if (Size == 0)
        throw ERecordError(AFileName, EmptyFileFault());
    // A mapped file costs no memory of its own; a copy does.
    std::string_view Bytes;
    QByteArray Copy;
    if (const uchar* Mapped = File.map(0, Size)) {
        Bytes =
            std::string_view(reinterpret_cast<const char*>(Mapped), static_cast<std::size_t>(Size));
    } else {
        CheckRecordMemory(AFileName, static_cast<std::uint64_t>(Size), 1, AAvailableBytes);
        Copy = File.readAll();
        if (Copy.size() != Size)
            throw ERecordError(AFileName, QStringLiteral("файл не читается"));
        Bytes = std::string_view(Copy.constData(), static_cast<std::size_t>(Copy.size()));
    }
    return ReadRecordBytes(Bytes, RecordFormatOf(AFileName, Bytes), AFileName, AChannel,
                           AAvailableBytes);
}
