// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What every record reader owes any input: a record error, or finite samples at a
// usable step within the memory allowed, which add into a curve finitely.
#include "FuzzCheck.h"
#include "analysis/RecordCurve.h"
#include "model/records/RecordErrors.h"
#include "model/records/RecordReader.h"

#include <cmath>
#include <cstdint>
#include <string_view>

inline void CheckRecordReading(const std::uint8_t* AData, std::size_t ASize, TRecordFormat AFormat,
                               std::uint64_t AAvailableBytes) {
    const std::string_view Bytes(reinterpret_cast<const char*>(AData), ASize);
    const int Channel = 1 + static_cast<int>(ASize % 3);
    TRecordSamples Samples;
    try {
        Samples = ReadRecordBytes(Bytes, AFormat, QStringLiteral("fuzz"), Channel, AAvailableBytes);
    } catch (const ERecordError& e) {
        FUZZ_CHECK(!e.Fault().isEmpty());
        return;
    }
    FUZZ_CHECK(!Samples.Values.empty());
    FUZZ_CHECK(Samples.Values.size() <= AAvailableBytes / sizeof(double));
    FUZZ_CHECK(Samples.Channels >= Channel);
    FUZZ_CHECK(std::isfinite(Samples.Step) && Samples.Step >= 0);
    FUZZ_CHECK(AFormat == rfText || Samples.Step > 0);
    FUZZ_CHECK(std::isfinite(Samples.Start));
    for (double v : Samples.Values)
        FUZZ_CHECK(std::isfinite(v));

    // Over the record's span at a step that interpolates, shifted by half of it.
    const double Step = Samples.Step > 0 ? Samples.Step : 1e-3;
    TRecord Record(QStringLiteral("fuzz"));
    Record.SetShift(Samples.Start + 0.5 * Step);
    Record.SetSamples(std::move(Samples));
    std::vector<double> Curve(64, 0.0);
    const std::size_t First = ASize % 7;
    AddRecordToCurve(Record, Step * 0.75, First, Curve);
    for (double v : Curve)
        FUZZ_CHECK(std::isfinite(v));
}
