// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/IniFile.h"

#include "util/AtomicFile.h"
#include "util/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");
constexpr QByteArrayView Utf16LeMark("\xFF\xFE");
constexpr QByteArrayView Utf16BeMark("\xFE\xFF");
// Written lines are kept in chunks of this size, so that a save allocates little.
constexpr std::size_t ChunkSize = 1 << 16;

std::string_view View(QByteArrayView AText) {
    return {AText.data(), static_cast<std::size_t>(AText.size())};
}

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The program's names and numbers are short ASCII texts: those convert without
// allocating, into a string whose room is reused.
void AssignUtf8(QStringView AText, std::string& AOut) {
    AOut.clear();
    for (const QChar c : AText) {
        if (c.unicode() >= 0x80) {
            AOut = AText.toUtf8().toStdString();
            return;
        }
        AOut += static_cast<char>(c.unicode());
    }
}

std::string Utf8(QStringView AText) {
    std::string Result;
    Result.reserve(static_cast<std::size_t>(AText.size()));
    AssignUtf8(AText, Result);
    return Result;
}

bool IsSectionHeader(QByteArrayView ATrimmed) {
    return ATrimmed.startsWith('[') && ATrimmed.contains(']');
}

QByteArrayView SectionName(QByteArrayView ATrimmed) {
    return ATrimmed.sliced(1, ATrimmed.indexOf(']') - 1).trimmed();
}

// A key line has a "=" after its first character.
bool IsKey(QByteArrayView AText, QByteArrayView AKey) {
    const qsizetype Eq = AText.indexOf('=');
    return Eq > 0 && SameName(AText.first(Eq).trimmed(), AKey);
}

bool IsBlankLine(QByteArrayView AText) {
    return AText.trimmed().isEmpty();
}

} // namespace

std::size_t TIniFile::TFoldedHash::operator()(std::string_view AName) const noexcept {
    std::size_t Hash = 14695981039346656037ull; // FNV-1a
    for (const char c : AName)
        Hash = (Hash ^ static_cast<unsigned char>(Folded(c))) * 1099511628211ull;
    return Hash;
}

bool TIniFile::TFoldedEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return SameName(QByteArrayView(a.data(), static_cast<qsizetype>(a.size())),
                    QByteArrayView(b.data(), static_cast<qsizetype>(b.size())));
}

TIniFile::TIniFile(const QByteArray& AContent) {
    if (AContent.startsWith(Utf8Mark)) {
        FText = AContent.sliced(Utf8Mark.size());
    } else if (AContent.startsWith(Utf16LeMark) || AContent.startsWith(Utf16BeMark)) {
        FEncoding = TEncoding::Utf16;
        QStringDecoder Decoder(AContent.startsWith(Utf16LeMark) ? QStringConverter::Utf16LE
                                                                : QStringConverter::Utf16BE);
        FText = QString(Decoder(QByteArrayView(AContent).sliced(Utf16LeMark.size()))).toUtf8();
    } else {
        FText = AContent;
    }
    Parse();
}

void TIniFile::Parse() {
    // A header mostly starts its line: room for that many sections, so the index is
    // built once.
    ReserveSections(static_cast<std::size_t>(FText.count("\n[")) + 1);
    bool EndSeen = false;
    const char* Data = FText.constData();
    const qsizetype n = FText.size();
    qsizetype Start = 0;
    while (Start < n) {
        const auto* Nl = static_cast<const char*>(std::memchr(Data + Start, '\n', n - Start));
        const qsizetype Stop = Nl ? Nl - Data : n;
        const bool Cr = Nl && Stop > Start && Data[Stop - 1] == '\r';
        const TEnd End = !Nl ? TEnd::None : Cr ? TEnd::CrLf : TEnd::Lf;
        if (!EndSeen && End != TEnd::None) {
            FNewLineEnd = End;
            EndSeen = true;
        }
        const TLine Line{QByteArrayView(Data + Start, Stop - Start - (Cr ? 1 : 0)), End};
        if (IsSectionHeader(Line.Text.trimmed()))
            AddSection(Line);
        else if (FSections.empty())
            FPreamble.push_back(Line);
        else
            FSections.back().Body.push_back(Line);
        Start = Stop + 1;
    }
}

void TIniFile::AddSection(TLine AHeader) {
    FSectionIndex.try_emplace(View(SectionName(AHeader.Text.trimmed())),
                              static_cast<int>(FSections.size()));
    FSections.push_back({AHeader, {}});
}

int TIniFile::FindSection(std::string_view ASection) const {
    const auto Found = FSectionIndex.find(ASection);
    return Found == FSectionIndex.end() ? -1 : Found->second;
}

int TIniFile::FindKey(const TSection& ASection, std::string_view AKey) {
    const QByteArrayView Key(AKey.data(), static_cast<qsizetype>(AKey.size()));
    for (std::size_t i = 0; i < ASection.Body.size(); ++i)
        if (IsKey(ASection.Body[i].Text, Key))
            return static_cast<int>(i);
    return -1;
}

TIniFile::TLine* TIniFile::LastLine() {
    if (!FSections.empty()) {
        TSection& Last = FSections.back();
        return Last.Body.empty() ? &Last.Header : &Last.Body.back();
    }
    return FPreamble.empty() ? nullptr : &FPreamble.back();
}

QByteArrayView TIniFile::Keep(std::initializer_list<std::string_view> AParts) {
    std::size_t Size = 0;
    for (const std::string_view Part : AParts)
        Size += Part.size();
    if (FChunks.empty() || FChunks.back().Size - FChunks.back().Used < Size) {
        const std::size_t Capacity = std::max(ChunkSize, Size);
        FChunks.push_back({std::make_unique_for_overwrite<char[]>(Capacity), Capacity, 0});
    }
    TChunk& Chunk = FChunks.back();
    char* const Start = Chunk.Data.get() + Chunk.Used;
    char* Out = Start;
    for (const std::string_view Part : AParts)
        Out = std::copy(Part.begin(), Part.end(), Out);
    Chunk.Used += Size;
    return QByteArrayView(Start, static_cast<qsizetype>(Size));
}

TIniFile TIniFile::Load(const QString& AFileName) {
    QFile File(AFileName);
    if (!File.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(AFileName))
            return TIniFile();
        throw EReadError(AFileName);
    }
    const QByteArray Content = File.readAll();
    if (File.error() != QFileDevice::NoError)
        throw EReadError(AFileName);
    return TIniFile(Content);
}

void TIniFile::Save(const QString& AFileName) const {
    WriteFileAtomically(AFileName, Content());
}

QByteArray TIniFile::Content() const {
    qsizetype Size = 0;
    const auto Measure = [&Size](const TLine& ALine) { Size += ALine.Text.size() + 2; };
    std::for_each(FPreamble.begin(), FPreamble.end(), Measure);
    for (const TSection& Section : FSections) {
        Measure(Section.Header);
        std::for_each(Section.Body.begin(), Section.Body.end(), Measure);
    }
    QByteArray Text;
    Text.reserve(Size);
    const auto Append = [&Text](const TLine& ALine) {
        Text += ALine.Text;
        if (ALine.End == TEnd::CrLf)
            Text += '\r';
        if (ALine.End != TEnd::None)
            Text += '\n';
    };
    std::for_each(FPreamble.begin(), FPreamble.end(), Append);
    for (const TSection& Section : FSections) {
        Append(Section.Header);
        std::for_each(Section.Body.begin(), Section.Body.end(), Append);
    }
    if (FEncoding == TEncoding::Utf16) {
        QStringEncoder Encoder(QStringConverter::Utf16LE);
        return Utf16LeMark.toByteArray() + QByteArray(Encoder(QString::fromUtf8(Text)));
    }
    return Text;
}

std::optional<QString> TIniFile::ReadString(QStringView ASection, QStringView AKey) const {
    const int Section = FindSection(Utf8(ASection));
    if (Section < 0)
        return std::nullopt;
    const TSection& Found = FSections[static_cast<std::size_t>(Section)];
    const int Key = FindKey(Found, Utf8(AKey));
    if (Key < 0)
        return std::nullopt;
    const QByteArrayView Text = Found.Body[static_cast<std::size_t>(Key)].Text;
    return QString::fromUtf8(Text.sliced(Text.indexOf('=') + 1).trimmed());
}

void TIniFile::WriteString(QStringView ASection, QStringView AKey, QStringView AValue) {
    WriteKey(SectionForWriting(Utf8(ASection)), Utf8(AKey), Utf8(AValue));
}

void TIniFile::WriteStrings(QStringView ASection, std::initializer_list<TKeyValue> AValues) {
    TSection& Target = SectionForWriting(Utf8(ASection));
    std::string Key, Value;
    Value.reserve(32);
    for (const TKeyValue& Item : AValues) {
        AssignUtf8(Item.Key, Key);
        AssignUtf8(Item.Value, Value);
        WriteKey(Target, Key, Value);
    }
}

void TIniFile::ReserveSections(std::size_t ACount) {
    if (ACount <= FSections.size())
        return;
    FSections.reserve(ACount);
    FSectionIndex.reserve(ACount);
}

TIniFile::TSection& TIniFile::SectionForWriting(std::string_view ASection) {
    if (const int Index = FindSection(ASection); Index >= 0)
        return FSections[static_cast<std::size_t>(Index)];
    if (TLine* Last = LastLine(); Last && Last->End == TEnd::None)
        Last->End = FNewLineEnd;
    AddSection(TLine{Keep({"[", ASection, "]"}), FNewLineEnd});
    return FSections.back();
}

void TIniFile::WriteKey(TSection& ASection, std::string_view AKey, std::string_view AValue) {
    const TLine Line{Keep({AKey, "=", AValue}), FNewLineEnd};
    if (const int KeyLine = FindKey(ASection, AKey); KeyLine >= 0) {
        ASection.Body[static_cast<std::size_t>(KeyLine)].Text = Line.Text;
        return;
    }
    // After the section's last non-blank line, so blank lines stay between sections.
    auto Insert = ASection.Body.end();
    while (Insert != ASection.Body.begin() && IsBlankLine((Insert - 1)->Text))
        --Insert;
    TLine& Before = Insert != ASection.Body.begin() ? *(Insert - 1) : ASection.Header;
    if (Before.End == TEnd::None)
        Before.End = FNewLineEnd;
    ASection.Body.insert(Insert, Line);
}
