// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/RecordGridRows.h"

#include "model/Record.h"
#include "util/NumberFormat.h"
#include "util/qorUtils.h"

#include <QFileInfo>

#include <array>
#include <cmath>

QString RecordColumnTitle(int ARecordIndex) {
    return QStringLiteral("Запись %1").arg(ARecordIndex);
}

QString RecordGridRowLabel(int ARow) {
    static const std::array<const char*, RecordGridRowCount> Labels = {
        "Параметр", "Файл", "Канал", "Частота", "Отсчеты", "Усиление", "Сдвиг", "Active"};
    return ARow >= 0 && ARow < RecordGridRowCount ? QString::fromUtf8(Labels[ARow]) : QString();
}

QString RecordGridRowDescription(int ARow) {
    switch (ARow) {
    case rrFile:
        return QStringLiteral("файл записи");
    case rrChannel:
        return QStringLiteral("канал файла, с 1");
    case rrRate:
        return QStringLiteral("частота дискретизации, Гц");
    case rrSamples:
        return QStringLiteral("количество отсчетов");
    case rrGain:
        return QStringLiteral("коэффициент усиления");
    case rrShift:
        return QStringLiteral("сдвиг по времени, с");
    case rrActive:
        return QStringLiteral("добавляется в кривую");
    default:
        return {};
    }
}

bool IsRecordInputRow(int ARow) {
    return ARow == rrGain || ARow == rrShift;
}

QString RecordGridCellText(const TRecord& ARecord, int ARow, const TFormatSettings& AFormat) {
    switch (ARow) {
    case rrFile:
        return QFileInfo(ARecord.FileName()).fileName();
    case rrChannel:
        return QString::number(ARecord.Channel());
    case rrRate: {
        if (ARecord.Missing())
            return {};
        if (ARecord.Step() <= 0)
            return QStringLiteral("1/dt");
        const double Rate = 1 / ARecord.Step();
        return std::isfinite(Rate) ? FormatFloat(ShortFloatFormat, Rate, AFormat) : QString();
    }
    case rrSamples:
        if (ARecord.Missing())
            return QStringLiteral("нет файла");
        return FormatFloat(ShortFloatFormat, static_cast<double>(ARecord.Samples().size()),
                           AFormat);
    case rrActive:
        return BoolToYesNo(ARecord.Active());
    default:
        if (IsRecordInputRow(ARow))
            return FormatFloat(FloatFormat, RecordGridInput(ARecord, ARow), AFormat);
        return {};
    }
}

double RecordGridInput(const TRecord& ARecord, int ARow) {
    return ARow == rrGain ? ARecord.Gain() : ARow == rrShift ? ARecord.Shift() : 0;
}

void SetRecordGridInput(TRecord& ARecord, int ARow, double AValue) {
    if (ARow == rrGain)
        ARecord.SetGain(AValue);
    else if (ARow == rrShift)
        ARecord.SetShift(AValue);
}
