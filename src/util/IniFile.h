// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// An INI text edited in memory line by line. Section and key names match without
// regard to case (ASCII); values are trimmed; the first of two equal names wins.
// Writing replaces a key's line in place by "key=value", puts a new key after the
// last non-blank line of its section and a new section at the end; every other
// line keeps its bytes and its line end. New lines take the line end of the text,
// LF when it has none. The sections are indexed once and a key is looked up among
// the lines of its section, so reading or writing the few keys of every section
// takes time proportional to the text.
//
// Encodings: a UTF-8 byte-order mark is skipped and not written back, since the
// Windows profile functions take it for part of the first line. A UTF-16 text with
// its byte-order mark (either byte order) is read as text and written back as
// UTF-16 little endian with its mark, the form those functions read and keep.
class TIniFile {
public:
    TIniFile() = default;
    explicit TIniFile(const QByteArray& AContent);
    // The lines point into the object's own buffers, which a move hands on.
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    TIniFile(TIniFile&&) = default;
    TIniFile& operator=(TIniFile&&) = default;

    // An absent file reads as empty, so that saving creates it. Raises EReadError
    // for a file that exists but cannot be read (no permission, a folder, an I/O error).
    static TIniFile Load(const QString& AFileName);
    // Writes the whole text in one piece; raises EWriteError.
    void Save(const QString& AFileName) const;

    std::optional<QString> ReadString(QStringView ASection, QStringView AKey) const;
    void WriteString(QStringView ASection, QStringView AKey, QStringView AValue);
    // Several keys of one section, looked up once: the same as writing them one by one.
    struct TKeyValue {
        QStringView Key;
        QStringView Value;
    };
    void WriteStrings(QStringView ASection, std::initializer_list<TKeyValue> AValues);
    // Room for ACount sections in all, so that adding many does not rebuild the index.
    void ReserveSections(std::size_t ACount);

    // The bytes of the file, in its encoding.
    QByteArray Content() const;

private:
    enum class TEnd : unsigned char { None, Lf, CrLf };
    enum class TEncoding : unsigned char { Utf8, Utf16 };
    // The text points into FText or into FChunks, which never move.
    struct TLine {
        QByteArrayView Text;
        TEnd End;
    };
    struct TSection {
        TLine Header;
        std::vector<TLine> Body;
    };
    struct TChunk {
        std::unique_ptr<char[]> Data;
        std::size_t Size, Used;
    };
    struct TFoldedHash {
        std::size_t operator()(std::string_view AName) const noexcept;
    };
    struct TFoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };

    void Parse();
    void AddSection(TLine AHeader);
    int FindSection(std::string_view ASection) const;
    static int FindKey(const TSection& ASection, std::string_view AKey);
    // The section of that name, added at the end when there is none.
    TSection& SectionForWriting(std::string_view ASection);
    void WriteKey(TSection& ASection, std::string_view AKey, std::string_view AValue);
    TLine* LastLine();
    QByteArrayView Keep(std::initializer_list<std::string_view> AParts);

    TEncoding FEncoding = TEncoding::Utf8;
    TEnd FNewLineEnd = TEnd::Lf;
    QByteArray FText;             // the text as read, UTF-8
    std::vector<TChunk> FChunks;  // the texts of written lines
    std::vector<TLine> FPreamble; // the lines before the first section
    std::vector<TSection> FSections;
    // The name of each section -> the first section of that name.
    std::unordered_map<std::string_view, int, TFoldedHash, TFoldedEqual> FSectionIndex;
};
