// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/TextRecordReader.h"

#include "model/records/NumberFields.h"
#include "model/records/RecordErrors.h"
#include "model/records/TextLines.h"
#include "util/LargeArrays.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The rows that decide the separators.
constexpr int LayoutRows = 20;

struct TLayout {
    char Separator = 0; // 0: runs of blanks
    char Decimal = '.';
};

// Whether a line begins with a number: its first field, up to any separator.
bool BeginsWithNumber(std::string_view ALine) {
    ALine = TrimBlanks(ALine);
    const auto End = ALine.find_first_of(" \t;,");
    double Value;
    return ParseNumber(ALine.substr(0, End), '.', Value);
}

TLayout DetectLayout(std::string_view ABody) {
    bool Tab = false, Semicolon = false, Comma = false, Dot = false, InnerBlank = false;
    bool OneCommaAtMost = true;
    TLines Lines(ABody);
    std::string_view Line;
    for (int Rows = 0; Rows < LayoutRows && Lines.Next(Line);) {
        Line = TrimBlanks(Line);
        if (Line.empty())
            continue;
        ++Rows;
        Tab |= Line.find('\t') != std::string_view::npos;
        Semicolon |= Line.find(';') != std::string_view::npos;
        Dot |= Line.find('.') != std::string_view::npos;
        InnerBlank |= Line.find(' ') != std::string_view::npos;
        const auto Commas = std::count(Line.begin(), Line.end(), ',');
        Comma |= Commas > 0;
        OneCommaAtMost &= Commas <= 1;
    }
    const char Decimal = Comma ? ',' : '.';
    if (Tab)
        return {'\t', Decimal};
    if (Semicolon)
        return {';', Decimal};
    if (!Comma)
        return {0, '.'};
    if (Dot)
        return {',', '.'};
    // "1,5 2,5" and a single column "0,25" hold decimal commas.
    if (InnerBlank || OneCommaAtMost)
        return {0, ','};
    return {',', '.'};
}

// Calls AField(index, text) for every field of a line; returns the number of fields.
// A separator at the very end of a line opens no field.
template <typename TField>
std::size_t ForEachField(std::string_view ALine, char ASeparator, TField&& AField) {
    std::size_t Count = 0;
    if (ASeparator == 0) {
        std::size_t i = 0;
        while (true) {
            while (i < ALine.size() && IsBlank(ALine[i]))
                ++i;
            if (i == ALine.size())
                return Count;
            const std::size_t Begin = i;
            while (i < ALine.size() && !IsBlank(ALine[i]))
                ++i;
            AField(Count++, ALine.substr(Begin, i - Begin));
        }
    }
    ALine = TrimBlanks(ALine);
    if (!ALine.empty() && ALine.back() == ASeparator)
        ALine.remove_suffix(1);
    std::size_t Begin = 0;
    while (true) {
        const auto End = ALine.find(ASeparator, Begin);
        AField(Count++, ALine.substr(Begin, End - Begin));
        if (End == std::string_view::npos)
            return Count;
        Begin = End + 1;
    }
}

// The line number of the data row ARow, counting non-blank lines from AFirstLine.
std::size_t LineOfRow(std::string_view ABody, std::size_t AFirstLine, std::size_t ARow) {
    TLines Lines(ABody);
    std::string_view Line;
    std::size_t Row = 0;
    while (Lines.Next(Line))
        if (!TrimBlanks(Line).empty() && Row++ == ARow)
            break;
    return AFirstLine + Lines.Number() - 1;
}

} // namespace

TRecordSamples ReadTextRecord(std::string_view AText, const QString& AFileName, int AChannel,
                              std::uint64_t AAvailableBytes) {
    const auto Fail = [&](const QString& AFault) { throw ERecordError(AFileName, AFault); };
    AText = SkipByteOrderMark(AText);
    if (IsBlankText(AText))
        Fail(EmptyFileFault());

    // The header ends at the first line that begins with a number.
    TLines Lines(AText);
    std::string_view Line;
    bool Found = false;
    while (!Found && Lines.Next(Line))
        Found = BeginsWithNumber(Line);
    if (!Found)
        Fail(QStringLiteral("в файле нет строк с числами"));
    const std::size_t FirstLine = Lines.Number();
    const std::string_view Body =
        AText.substr(static_cast<std::size_t>(Line.data() - AText.data()));

    const TLayout Layout = DetectLayout(Body);
    const std::size_t Columns = ForEachField(Line, Layout.Separator, [](auto, auto) {});
    const bool Timed = Columns > 1;
    const std::size_t Channels = Timed ? Columns - 1 : 1;
    if (AChannel < 1 || static_cast<std::size_t>(AChannel) > Channels)
        Fail(NoChannelFault(AChannel, static_cast<int>(std::min<std::size_t>(Channels, 1 << 30))));
    const std::size_t ValueColumn = Timed ? static_cast<std::size_t>(AChannel) : 0;

    const auto RowBound =
        static_cast<std::uint64_t>(std::count(Body.begin(), Body.end(), '\n')) + 1;
    CheckRecordMemory(AFileName, RowBound, Timed ? 2 * sizeof(double) : sizeof(double),
                      AAvailableBytes);
    TRecordSamples Result;
    std::vector<double> Times;
    ReserveLarge(Result.Values, RowBound);
    if (Timed)
        ReserveLarge(Times, RowBound);

    int TimePower = std::numeric_limits<int>::min();
    TLines Rows(Body);
    while (Rows.Next(Line)) {
        if (TrimBlanks(Line).empty())
            continue;
        const std::size_t LineNumber = FirstLine + Rows.Number() - 1;
        double Value = 0, Time = 0;
        bool ValueRead = false, TimeRead = !Timed;
        std::string_view TimeText;
        const std::size_t Count = ForEachField(Line, Layout.Separator, [&](std::size_t i, auto f) {
            if (i == ValueColumn)
                ValueRead = ParseNumber(f, Layout.Decimal, Value);
            else if (Timed && i == 0) {
                TimeRead = ParseNumber(f, Layout.Decimal, Time);
                TimeText = f;
            }
        });
        if (Count != Columns)
            Fail(QStringLiteral("в строке %1 столбцов %2, а в первой строке чисел %3")
                     .arg(LineNumber)
                     .arg(Count)
                     .arg(Columns));
        if (!ValueRead || !TimeRead)
            Fail(QStringLiteral("в строке %1 не число").arg(LineNumber));
        if (!std::isfinite(Value) || !std::isfinite(Time))
            Fail(
                QStringLiteral("в строке %1 значение не является конечным числом").arg(LineNumber));
        Result.Values.push_back(Value);
        if (Timed) {
            Times.push_back(Time);
            TimePower = std::max(TimePower, LastDigitPower(TimeText, Layout.Decimal));
        }
    }
    Result.Channels = static_cast<int>(std::min<std::size_t>(Channels, 1 << 30));
    if (!Timed)
        return Result;

    if (Times.size() < 2)
        Fail(QStringLiteral("по одной строке нельзя узнать шаг по времени"));
    const TGrid Grid = EvenGrid(Times, TimePower);
    if (!(Grid.Step > 0))
        Fail(QStringLiteral("время в первом столбце не возрастает"));
    if (Grid.OffGrid != TGrid::npos)
        Fail(QStringLiteral("время в первом столбце идет неравномерно (строка %1)")
                 .arg(LineOfRow(Body, FirstLine, Grid.OffGrid)));
    Result.Step = Grid.Step;
    Result.Start = Grid.Start;
    return Result;
}
