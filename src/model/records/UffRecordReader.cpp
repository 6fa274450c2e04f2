// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/UffRecordReader.h"

#include "model/records/NumberFields.h"
#include "model/records/RecordErrors.h"
#include "model/records/TextLines.h"
#include "util/LargeArrays.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Record 7 of dataset 58: how the function's values are laid out.
struct TDataForm {
    long long Type = 0;  // 2 real single, 4 real double, 5 and 6 complex
    long long Count = 0; // values (even abscissa) or pairs (uneven)
    bool Even = true;
    double Minimum = 0;
    double Increment = 0;
};

// The ASCII records before the data.
constexpr int HeaderLines = 11;
constexpr int DataFormLine = 7;

bool IsDelimiter(std::string_view ALine) {
    return TrimBlanks(ALine) == "-1";
}

// Columns [ABegin, ABegin + AWidth) of a line, as far as the line reaches.
std::string_view Field(std::string_view ALine, std::size_t ABegin, std::size_t AWidth) {
    return ABegin >= ALine.size() ? std::string_view() : ALine.substr(ABegin, AWidth);
}

// A Fortran real: E or D exponent in either case.
bool ParseReal(std::string_view AField, double& AValue) {
    AField = TrimBlanks(AField);
    std::array<char, 64> Copy;
    if (AField.size() > Copy.size())
        return false;
    std::transform(AField.begin(), AField.end(), Copy.begin(),
                   [](char c) { return c == 'D' || c == 'd' ? 'E' : c; });
    return ParseNumber(std::string_view(Copy.data(), AField.size()), '.', AValue);
}

bool ParseInteger(std::string_view AField, long long& AValue) {
    AField = TrimBlanks(AField);
    if (!AField.empty() && AField.front() == '+')
        AField.remove_prefix(1);
    const char* End = AField.data() + AField.size();
    const auto [Stop, Error] = std::from_chars(AField.data(), End, AValue);
    return !AField.empty() && Error == std::errc() && Stop == End;
}

class TUffReader {
public:
    TUffReader(std::string_view AText, const QString& AFileName, std::uint64_t AAvailableBytes)
        : FLines(AText), FFileName(AFileName), FAvailableBytes(AAvailableBytes) {}

    // Reads the chosen function and counts all of them.
    TRecordSamples Read(int AChannel) {
        int Functions = 0;
        TRecordSamples Result;
        std::string_view Line;
        while (FLines.Next(Line)) {
            if (!IsDelimiter(Line) || !FLines.Next(Line))
                continue;
            const std::string_view Number = TrimBlanks(Field(Line, 0, 7));
            const bool Binary = Number == "58b" || Number == "58B";
            if (Number != "58" && !Binary) {
                SkipDataset();
                continue;
            }
            const bool Chosen = ++Functions == AChannel;
            if (Binary)
                ReadBinary(Line, Chosen ? &Result : nullptr);
            else if (Chosen)
                Result = ReadAscii();
            else
                SkipDataset();
        }
        if (Functions == 0)
            Fail(QStringLiteral("в файле нет функций (набор 58)"));
        if (AChannel < 1 || AChannel > Functions)
            Fail(NoChannelFault(AChannel, Functions));
        Result.Channels = Functions;
        return Result;
    }

private:
    [[noreturn]] void Fail(const QString& AFault) const { throw ERecordError(FFileName, AFault); }
    [[noreturn]] void Truncated() const { Fail(QStringLiteral("данные функции обрезаны")); }

    void SkipDataset() {
        std::string_view Line;
        while (FLines.Next(Line) && !IsDelimiter(Line)) {
        }
    }

    // Records 1 to 11; checks record 7 and the room for the values.
    TDataForm ReadHeader(int ALines) {
        std::string_view Line, FormLine;
        std::size_t FormNumber = 0;
        for (int i = 1; i <= ALines; ++i) {
            if (!FLines.Next(Line) || IsDelimiter(Line))
                Truncated();
            if (i == DataFormLine) {
                FormLine = Line;
                FormNumber = FLines.Number();
            }
        }
        TDataForm Form;
        long long Spacing = 0;
        if (ALines < DataFormLine || !ParseInteger(Field(FormLine, 0, 10), Form.Type) ||
            !ParseInteger(Field(FormLine, 10, 10), Form.Count) ||
            !ParseInteger(Field(FormLine, 20, 10), Spacing))
            Fail(QStringLiteral("в строке %1 неверное описание данных").arg(FormNumber));
        Form.Even = Spacing == 1;
        if (Form.Type == 5 || Form.Type == 6)
            Fail(QStringLiteral("комплексные значения не поддерживаются"));
        if (Form.Type != 2 && Form.Type != 4)
            Fail(QStringLiteral("неизвестный тип данных %1").arg(Form.Type));
        if (Form.Count <= 0)
            Fail(QStringLiteral("функция без значений"));
        if (Form.Even) {
            if (!ParseReal(Field(FormLine, 30, 13), Form.Minimum) ||
                !ParseReal(Field(FormLine, 43, 13), Form.Increment))
                Fail(QStringLiteral("в строке %1 неверное описание данных").arg(FormNumber));
            if (!std::isfinite(Form.Minimum) || !(Form.Increment > 0) ||
                !std::isfinite(Form.Increment))
                Fail(QStringLiteral("шаг по абсциссе не положителен"));
        }
        // Every value takes a byte of the file at least.
        const auto Numbers = static_cast<std::uint64_t>(Form.Count) * (Form.Even ? 1 : 2);
        if (Numbers > FLines.Rest().size())
            Truncated();
        CheckRecordMemory(FFileName, Numbers, sizeof(double), FAvailableBytes);
        return Form;
    }

    TRecordSamples ReadAscii() {
        const TDataForm Form = ReadHeader(HeaderLines);
        const auto Needed = static_cast<std::size_t>(Form.Count) * (Form.Even ? 1 : 2);
        std::vector<double> Numbers;
        ReserveLarge(Numbers, Needed);
        int AbscissaPower = std::numeric_limits<int>::min();
        // Field widths of a line, repeated: E13.5 for single precision, E20.12 for
        // double, an E13.5 abscissa before each E20.12 value when uneven.
        const std::array<std::size_t, 2> Widths = Form.Type == 2
                                                      ? std::array<std::size_t, 2>{13, 13}
                                                  : Form.Even ? std::array<std::size_t, 2>{20, 20}
                                                              : std::array<std::size_t, 2>{13, 20};
        std::string_view Line;
        while (Numbers.size() < Needed) {
            if (!FLines.Next(Line) || IsDelimiter(Line))
                Truncated();
            const std::size_t Before = Numbers.size();
            if (!ReadByColumns(Line, Widths, Needed, Numbers)) {
                Numbers.resize(Before);
                if (!ReadByBlanks(Line, Needed, Numbers))
                    Fail(QStringLiteral("в строке %1 не число").arg(FLines.Number()));
            }
            for (std::size_t i = Before; i < Numbers.size(); ++i) {
                if (!std::isfinite(Numbers[i]))
                    Fail(QStringLiteral("в строке %1 значение не является конечным числом")
                             .arg(FLines.Number()));
            }
            if (!Form.Even)
                AbscissaPower = std::max(AbscissaPower, AbscissaDigits(Line, Widths, Before));
        }
        SkipDataset();
        return Samples(Form, std::move(Numbers), AbscissaPower);
    }

    // Fields by their columns; false when one of them is not a number.
    static bool ReadByColumns(std::string_view ALine, const std::array<std::size_t, 2>& AWidths,
                              std::size_t ANeeded, std::vector<double>& ANumbers) {
        std::size_t Begin = 0;
        for (std::size_t k = 0; Begin < ALine.size() && ANumbers.size() < ANeeded; ++k) {
            const std::string_view Text = Field(ALine, Begin, AWidths[k % 2]);
            if (TrimBlanks(Text).empty())
                break;
            double Value;
            if (!ParseReal(Text, Value))
                return false;
            ANumbers.push_back(Value);
            Begin += AWidths[k % 2];
        }
        return true;
    }

    // Writers that keep blanks between numbers but not the columns.
    static bool ReadByBlanks(std::string_view ALine, std::size_t ANeeded,
                             std::vector<double>& ANumbers) {
        std::size_t i = 0;
        while (ANumbers.size() < ANeeded) {
            while (i < ALine.size() && IsBlank(ALine[i]))
                ++i;
            if (i == ALine.size())
                break;
            const std::size_t Begin = i;
            while (i < ALine.size() && !IsBlank(ALine[i]))
                ++i;
            double Value;
            if (!ParseReal(ALine.substr(Begin, i - Begin), Value))
                return false;
            ANumbers.push_back(Value);
        }
        return true;
    }

    // The finest digit of the abscissas of an uneven line; they start at an even
    // position of the values.
    static int AbscissaDigits(std::string_view ALine, const std::array<std::size_t, 2>& AWidths,
                              std::size_t ABefore) {
        int Power = std::numeric_limits<int>::min();
        const std::size_t Pair = AWidths[0] + AWidths[1];
        const std::size_t First = ABefore % 2 == 0 ? 0 : AWidths[0];
        for (std::size_t Begin = First; Begin < ALine.size(); Begin += Pair)
            Power = std::max(Power, LastDigitPower(Field(ALine, Begin, AWidths[0])));
        return Power;
    }

    TRecordSamples Samples(const TDataForm& AForm, std::vector<double> ANumbers,
                           int AAbscissaPower) const {
        TRecordSamples Result;
        if (AForm.Even) {
            Result.Values = std::move(ANumbers);
            Result.Step = AForm.Increment;
            Result.Start = AForm.Minimum;
            return Result;
        }
        if (AForm.Count < 2)
            Fail(QStringLiteral("по одному значению нельзя узнать шаг по абсциссе"));
        std::vector<double> Abscissas(static_cast<std::size_t>(AForm.Count));
        Result.Values.resize(Abscissas.size());
        for (std::size_t i = 0; i < Abscissas.size(); ++i) {
            Abscissas[i] = ANumbers[2 * i];
            Result.Values[i] = ANumbers[2 * i + 1];
        }
        const TGrid Grid = EvenGrid(Abscissas, AAbscissaPower);
        if (!(Grid.Step > 0))
            Fail(QStringLiteral("абсцисса не возрастает"));
        if (Grid.OffGrid != TGrid::npos)
            Fail(QStringLiteral("абсцисса идет неравномерно (значение %1)").arg(Grid.OffGrid + 1));
        Result.Step = Grid.Step;
        Result.Start = Grid.Start;
        return Result;
    }

    // Dataset 58b: the header line gives the byte order, the number format, the ASCII
    // lines and the bytes of the values, which follow the ASCII lines directly.
    // Reads the values into AResult unless it is null.
    void ReadBinary(std::string_view AHeader, TRecordSamples* AResult) {
        long long Order = 0, Format = 0, Lines = 0, Bytes = 0;
        if (!ParseInteger(Field(AHeader, 7, 6), Order) ||
            !ParseInteger(Field(AHeader, 13, 6), Format) ||
            !ParseInteger(Field(AHeader, 19, 12), Lines) ||
            !ParseInteger(Field(AHeader, 31, 12), Bytes) || Lines < 0 || Lines > 1000 || Bytes < 0)
            Fail(QStringLiteral("в строке %1 неверный заголовок двоичного набора")
                     .arg(FLines.Number()));
        if (AResult) {
            const TDataForm Form = ReadHeader(static_cast<int>(Lines));
            if (!Form.Even)
                Fail(QStringLiteral("неравномерная абсцисса в двоичном наборе не поддерживается"));
            if (Order != 1 && Order != 2)
                Fail(QStringLiteral("неизвестный порядок байтов %1").arg(Order));
            const std::size_t Size = Form.Type == 2 ? 4 : 8;
            const auto Count = static_cast<std::uint64_t>(Form.Count);
            if (Count > static_cast<std::uint64_t>(Bytes) / Size)
                Truncated();
            AResult->Values = BinaryValues(Size, static_cast<std::size_t>(Count), Order == 2);
            AResult->Step = Form.Increment;
            AResult->Start = Form.Minimum;
        } else {
            std::string_view Line;
            for (long long i = 0; i < Lines; ++i)
                if (!FLines.Next(Line))
                    Truncated();
        }
        if (static_cast<std::uint64_t>(Bytes) > FLines.Rest().size())
            Truncated();
        FLines.Skip(static_cast<std::size_t>(Bytes));
        SkipDataset();
    }

    // ACount IEEE numbers of ASize bytes at the start of what is left of the text.
    std::vector<double> BinaryValues(std::size_t ASize, std::size_t ACount, bool ABigEndian) const {
        const std::string_view Data = FLines.Rest();
        if (ACount > Data.size() / ASize)
            Truncated();
        std::vector<double> Values(ACount);
        const bool Swap = ABigEndian != (std::endian::native == std::endian::big);
        for (std::size_t i = 0; i < ACount; ++i) {
            std::array<char, 8> Raw;
            std::memcpy(Raw.data(), Data.data() + i * ASize, ASize);
            if (Swap)
                std::reverse(Raw.begin(), Raw.begin() + static_cast<std::ptrdiff_t>(ASize));
            double Value;
            if (ASize == 4) {
                float Single;
                std::memcpy(&Single, Raw.data(), 4);
                Value = Single;
            } else {
                std::memcpy(&Value, Raw.data(), 8);
            }
            if (!std::isfinite(Value))
                Fail(QStringLiteral("значение %1 не является конечным числом").arg(i + 1));
            Values[i] = Value;
        }
        return Values;
    }

    TLines FLines;
    const QString& FFileName;
    std::uint64_t FAvailableBytes;
};

} // namespace

TRecordSamples ReadUffRecord(std::string_view AText, const QString& AFileName, int AChannel,
                             std::uint64_t AAvailableBytes) {
    AText = SkipByteOrderMark(AText);
    if (IsBlankText(AText))
        throw ERecordError(AFileName, EmptyFileFault());
    return TUffReader(AText, AFileName, AAvailableBytes).Read(AChannel);
}
