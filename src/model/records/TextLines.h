// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// The lines of a text, LF or CR LF, without their ends; numbered from 1.
class TLines {
public:
    explicit TLines(std::string_view AText) : FRest(AText) {}
    bool Next(std::string_view& ALine) {
        if (FRest.empty())
            return false;
        const auto End = FRest.find('\n');
        ALine = FRest.substr(0, End);
        FRest = End == std::string_view::npos ? std::string_view() : FRest.substr(End + 1);
        if (!ALine.empty() && ALine.back() == '\r')
            ALine.remove_suffix(1);
        ++FNumber;
        return true;
    }
    // The number of the line Next gave last.
    std::size_t Number() const { return FNumber; }
    // What follows that line.
    std::string_view Rest() const { return FRest; }
    // Passes over ABytes of what follows, which hold no lines (binary data).
    void Skip(std::size_t ABytes) { FRest.remove_prefix(std::min(ABytes, FRest.size())); }

private:
    std::string_view FRest;
    std::size_t FNumber = 0;
};

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline std::string_view TrimBlanks(std::string_view AText) {
    std::size_t Begin = 0, End = AText.size();
    while (Begin < End && IsBlank(AText[Begin]))
        ++Begin;
    while (End > Begin && IsBlank(AText[End - 1]))
        --End;
    return AText.substr(Begin, End - Begin);
}

// Whether a text holds nothing but blanks and line ends.
inline bool IsBlankText(std::string_view AText) {
    return AText.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

inline std::string_view SkipByteOrderMark(std::string_view AText) {
    return AText.substr(0, 3) == "\xEF\xBB\xBF" ? AText.substr(3) : AText;
}
