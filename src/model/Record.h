// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <vector>

// A sampled series as a reader delivers it. Sample i lies at Start + i * Step.
struct TRecordSamples {
    std::vector<double> Values;
    // Seconds between samples; 0 for a series that carries no time of its own (a text
    // of one column), whose samples follow the curve's dt.
    double Step = 0;
    double Start = 0;
    // Channels the file holds; one of them is in Values.
    int Channels = 1;
};

// One measured record: a series read from a file, scaled by Gain and delayed by
// Shift, added into the curve while Active. The samples are read from the file
// whenever a project opens and are never stored in the project. A record whose file
// could not be read keeps its settings, holds no samples and is Missing.
class TRecord {
public:
    TRecord() = default;
    explicit TRecord(QString AFileName, int AChannel = 1);
    virtual ~TRecord() = default;
    TRecord(const TRecord&) = default;
    TRecord& operator=(const TRecord&) = default;

    // The full path of the file.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& AValue) { FFileName = AValue; }
    // The channel of the file, counted from 1: the audio channel, the value column
    // after the time column of a text, the function of a universal file.
    int Channel() const { return FChannel; }
    void SetChannel(int AValue) { FChannel = AValue; }
    double Gain() const { return FGain; }
    void SetGain(double AValue) { FGain = AValue; }
    // Seconds by which the record is delayed in the curve.
    double Shift() const { return FShift; }
    void SetShift(double AValue) { FShift = AValue; }
    bool Active() const { return FActive; }
    void SetActive(bool AValue) { FActive = AValue; }

    bool Missing() const { return FMissing; }
    // Drops the samples and marks the record missing.
    void SetMissing();
    // Takes the samples read from the file; the record is no longer missing.
    void SetSamples(TRecordSamples ASamples);

    const std::vector<double>& Samples() const { return FData.Values; }
    // The step of the samples when the curve is sampled at dt.
    double StepFor(double Adt) const { return FData.Step > 0 ? FData.Step : Adt; }
    // 0 when the samples follow the curve's dt.
    double Step() const { return FData.Step; }
    double Start() const { return FData.Start; }
    int Channels() const { return FData.Channels; }
    // Whether the record adds anything into the curve.
    bool Contributes() const { return FActive && !FMissing && !FData.Values.empty(); }

private:
    QString FFileName;
    int FChannel = 1;
    double FGain = 1;
    double FShift = 0;
    bool FActive = true;
    bool FMissing = false;
    TRecordSamples FData;
};
