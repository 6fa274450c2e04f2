// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/AudioRecordReader.h"

#include "model/records/RecordErrors.h"
#include "util/LargeArrays.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Frames decoded at a time, whatever the channels.
constexpr sf_count_t ChunkSamples = 1 << 13;

// The bytes of a file as libsndfile's virtual input.
struct TMemoryInput {
    std::string_view Bytes;
    sf_count_t Position = 0;
};

sf_count_t InputLength(void* AInput) {
    return static_cast<sf_count_t>(static_cast<TMemoryInput*>(AInput)->Bytes.size());
}

sf_count_t InputSeek(sf_count_t AOffset, int AWhence, void* AInput) {
    auto& In = *static_cast<TMemoryInput*>(AInput);
    const auto Size = static_cast<sf_count_t>(In.Bytes.size());
    const sf_count_t Base = AWhence == SEEK_CUR ? In.Position : AWhence == SEEK_END ? Size : 0;
    // Offsets beyond the bytes stop at their ends instead of overflowing.
    if (AOffset > Size - Base)
        In.Position = Size;
    else if (AOffset < -Base)
        In.Position = 0;
    else
        In.Position = Base + AOffset;
    return In.Position;
}

sf_count_t InputRead(void* ATarget, sf_count_t ACount, void* AInput) {
    auto& In = *static_cast<TMemoryInput*>(AInput);
    const sf_count_t n =
        std::clamp<sf_count_t>(ACount, 0, static_cast<sf_count_t>(In.Bytes.size()) - In.Position);
    std::memcpy(ATarget, In.Bytes.data() + In.Position, static_cast<std::size_t>(n));
    In.Position += n;
    return n;
}

sf_count_t InputWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t InputTell(void* AInput) {
    return static_cast<TMemoryInput*>(AInput)->Position;
}

struct TSndFileClose {
    void operator()(SNDFILE* AFile) const { sf_close(AFile); }
};

std::uint32_t LittleEndian32(std::string_view ABytes, std::size_t AAt) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(ABytes[AAt + static_cast<std::size_t>(i)]);
    return v;
}

// Whether a WAV file's format chunk gives a rate of 0, which libsndfile refuses
// without saying so.
bool WaveRateIsZero(std::string_view ABytes) {
    if (ABytes.size() < 12 || ABytes.substr(0, 4) != "RIFF" || ABytes.substr(8, 4) != "WAVE")
        return false;
    std::size_t At = 12;
    while (At + 8 <= ABytes.size()) {
        const std::uint32_t Size = LittleEndian32(ABytes, At + 4);
        if (ABytes.substr(At, 4) == "fmt ")
            return At + 16 <= ABytes.size() && Size >= 8 && LittleEndian32(ABytes, At + 12) == 0;
        At += 8 + static_cast<std::size_t>(Size) + (Size & 1);
    }
    return false;
}

// libsndfile reads a WAV file whose data chunk runs past the end of the file up to
// its end and only notes the shortfall in its log.
bool LogTellsOfTruncation(SNDFILE* AFile) {
    std::array<char, 4096> Log{};
    sf_command(AFile, SFC_GET_LOG_INFO, Log.data(), static_cast<int>(Log.size() - 1));
    const std::string_view Text(Log.data());
    for (std::size_t At = 0; At < Text.size();) {
        const auto End = std::min(Text.find('\n', At), Text.size());
        const std::string_view Line = Text.substr(At, End - At);
        if (Line.substr(0, 4) == "data" && Line.find("should be") != std::string_view::npos)
            return true;
        At = End + 1;
    }
    return false;
}

sf_count_t ReadFrames(SNDFILE* AFile, short* ATarget, sf_count_t AFrames) {
    return sf_readf_short(AFile, ATarget, AFrames);
}
sf_count_t ReadFrames(SNDFILE* AFile, int* ATarget, sf_count_t AFrames) {
    return sf_readf_int(AFile, ATarget, AFrames);
}
sf_count_t ReadFrames(SNDFILE* AFile, double* ATarget, sf_count_t AFrames) {
    return sf_readf_double(AFile, ATarget, AFrames);
}

// Reads AChannel of every frame, times AScale, into AValues; returns the frames
// read. Only doubles can be non-finite.
template <typename T>
std::size_t Decode(SNDFILE* AFile, const SF_INFO& AInfo, std::size_t AChannel, double AScale,
                   const QString& AFileName, std::uint64_t AAvailableBytes,
                   std::vector<double>& AValues) {
    const auto Stride = static_cast<std::size_t>(AInfo.channels);
    const sf_count_t Chunk = std::max<sf_count_t>(1, ChunkSamples / AInfo.channels);
    std::vector<T> Buffer(static_cast<std::size_t>(Chunk) * Stride);
    // Reserved, not touched: a header may claim more frames than the file holds.
    ReserveLarge(AValues, static_cast<std::size_t>(AInfo.frames));
    std::size_t Done = 0;
    sf_count_t n;
    while ((n = ReadFrames(AFile, Buffer.data(), Chunk)) > 0) {
        const auto Count = static_cast<std::size_t>(n);
        CheckRecordMemory(AFileName, Done + Count, sizeof(double), AAvailableBytes);
        AValues.resize(Done + Count);
        double* Target = AValues.data() + Done;
        const T* Source = Buffer.data() + AChannel;
        for (std::size_t i = 0; i < Count; ++i)
            Target[i] = static_cast<double>(Source[i * Stride]) * AScale;
        if constexpr (std::is_same_v<T, double>) {
            for (std::size_t i = 0; i < Count; ++i)
                if (!std::isfinite(Target[i]))
                    throw ERecordError(
                        AFileName,
                        QStringLiteral("отсчет %1 не является конечным числом").arg(Done + i + 1));
        }
        Done += Count;
    }
    return Done;
}

} // namespace

TRecordSamples ReadAudioRecord(std::string_view ABytes, const QString& AFileName, int AChannel,
                               std::uint64_t AAvailableBytes) {
    const auto Fail = [&](const QString& AFault) { throw ERecordError(AFileName, AFault); };
    if (ABytes.empty())
        Fail(EmptyFileFault());
    const QString RateZero = QStringLiteral("частота дискретизации равна 0");
    const QString Damaged = QStringLiteral("формат не распознан или файл поврежден");

    SF_VIRTUAL_IO Io{InputLength, InputSeek, InputRead, InputWrite, InputTell};
    TMemoryInput Input{ABytes};
    SF_INFO Info{};
    const std::unique_ptr<SNDFILE, TSndFileClose> File(
        sf_open_virtual(&Io, SFM_READ, &Info, &Input));
    if (!File)
        Fail(WaveRateIsZero(ABytes) ? RateZero : Damaged);
    if (Info.samplerate <= 0)
        Fail(RateZero);
    if (Info.channels < 1)
        Fail(Damaged);
    if (AChannel < 1 || AChannel > Info.channels)
        Fail(NoChannelFault(AChannel, Info.channels));
    if (Info.frames < 0)
        Fail(Damaged);
    CheckRecordMemory(AFileName, static_cast<std::uint64_t>(Info.frames), sizeof(double),
                      AAvailableBytes);

    TRecordSamples Result;
    const auto Channel = static_cast<std::size_t>(AChannel - 1);
    // Integer samples are read as integers and scaled here, which gives what
    // libsndfile's own scaling gives without converting the other channels.
    std::size_t Read = 0;
    switch (Info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
        Read = Decode<short>(File.get(), Info, Channel, 0x1p-15, AFileName, AAvailableBytes,
                             Result.Values);
        break;
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
        Read = Decode<int>(File.get(), Info, Channel, 0x1p-31, AFileName, AAvailableBytes,
                           Result.Values);
        break;
    default:
        Read =
            Decode<double>(File.get(), Info, Channel, 1, AFileName, AAvailableBytes, Result.Values);
        break;
    }
    if (sf_error(File.get()) != SF_ERR_NO_ERROR)
        Fail(Damaged);
    if (static_cast<sf_count_t>(Read) < Info.frames || LogTellsOfTruncation(File.get()))
        Fail(QStringLiteral("файл обрезан"));
    if (Result.Values.empty())
        Fail(QStringLiteral("в файле нет отсчетов"));
    Result.Step = 1.0 / Info.samplerate;
    Result.Channels = Info.channels;
    return Result;
}
