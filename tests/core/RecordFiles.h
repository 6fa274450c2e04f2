// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Record files made by the tests: audio written by libsndfile, text and universal
// files from known series.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <sndfile.h>

#include <cstdio>
#include <string>
#include <vector>

inline bool WriteBytes(const QString& AFileName, const QByteArray& ABytes) {
    QFile f(AFileName);
    return f.open(QIODevice::WriteOnly) && f.write(ABytes) == ABytes.size();
}

// Interleaved 32-bit samples, which read back as x / 2^31. libsndfile scales them to
// an integer format by shifting; a float format gets x / 2^31 itself.
inline bool WriteAudio(const QString& AFileName, int AFormat, int ARate, int AChannels,
                       const std::vector<int>& AInterleaved) {
    SF_INFO Info{};
    Info.samplerate = ARate;
    Info.channels = AChannels;
    Info.format = AFormat;
    SNDFILE* f = sf_open(QFile::encodeName(AFileName).constData(), SFM_WRITE, &Info);
    if (!f)
        return false;
    const sf_count_t Frames = static_cast<sf_count_t>(AInterleaved.size()) / AChannels;
    const int Subtype = AFormat & SF_FORMAT_SUBMASK;
    bool Done;
    if (Subtype == SF_FORMAT_FLOAT || Subtype == SF_FORMAT_DOUBLE) {
        std::vector<double> Scaled;
        for (int x : AInterleaved)
            Scaled.push_back(x / 2147483648.0);
        Done = sf_writef_double(f, Scaled.data(), Frames) == Frames;
    } else {
        Done = sf_writef_int(f, AInterleaved.data(), Frames) == Frames;
    }
    return sf_close(f) == 0 && Done;
}

inline bool WriteFloatAudio(const QString& AFileName, int ARate, const std::vector<float>& AMono) {
    SF_INFO Info{};
    Info.samplerate = ARate;
    Info.channels = 1;
    Info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(QFile::encodeName(AFileName).constData(), SFM_WRITE, &Info);
    if (!f)
        return false;
    const auto n = static_cast<sf_count_t>(AMono.size());
    const bool Done = sf_writef_float(f, AMono.data(), n) == n;
    return sf_close(f) == 0 && Done;
}

// One dataset 58 of a universal file: ordinate type 2 (single) or 4 (double), even
// abscissa from AStart by AStep, or uneven with the abscissas AX. AFormat prints each
// value (its width decides whether numbers run together).
inline std::string Uff58(int AType, const std::vector<double>& AValues, double AStart, double AStep,
                         const std::vector<double>& AX = {}, const char* AFormat = nullptr,
                         int APerLine = 0) {
    const bool Even = AX.empty();
    char Line[160];
    std::string s = "    -1\n    58\nTest record\nNONE\n01-JAN-24 00:00:00\nNONE\nNONE\n"
                    "    1         1    1         0 NONE               1   3 NONE"
                    "               1   3\n";
    std::snprintf(Line, sizeof Line, "%10d%10zu%10d%13.5E%13.5E%13.5E\n", AType, AValues.size(),
                  Even ? 1 : 0, Even ? AStart : 0.0, Even ? AStep : 0.0, 0.0);
    s += Line;
    s += "        17    0    0    0 Time                 s\n"
         "        12    1    0    0 Acceleration         m/s^2\n"
         "         0    0    0    0 NONE                 NONE\n"
         "         0    0    0    0 NONE                 NONE\n";
    const char* Format = AFormat ? AFormat : AType == 2 ? "%13.5E" : "%20.12E";
    const int PerLine = APerLine ? APerLine : AType == 2 ? 6 : 4;
    int OnLine = 0;
    for (std::size_t i = 0; i < AValues.size(); ++i) {
        if (!Even) {
            std::snprintf(Line, sizeof Line, "%13.5E", AX[i]);
            s += Line;
            ++OnLine;
        }
        std::snprintf(Line, sizeof Line, Format, AValues[i]);
        s += Line;
        if (++OnLine >= PerLine || i + 1 == AValues.size()) {
            s += '\n';
            OnLine = 0;
        }
    }
    return s + "    -1\n";
}
