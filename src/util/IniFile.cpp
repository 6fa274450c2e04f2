#include "util/IniFile.h"

#include "util/AtomicFile.h"

#include <QFile>

namespace {

bool IsSectionHeader(const QByteArray& ATrimmed) {
    return ATrimmed.startsWith('[') && ATrimmed.contains(']');
}

QByteArray SectionName(const QByteArray& ATrimmed) {
    return ATrimmed.mid(1, ATrimmed.indexOf(']') - 1).trimmed();
}

bool SameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TIniFile::TIniFile(const QByteArray& AContent) {
    qsizetype Start = 0;
    while (Start < AContent.size()) {
        const qsizetype Nl = AContent.indexOf('\n', Start);
        if (Nl < 0) {
            FLines.push_back({AContent.mid(Start), QByteArray()});
            break;
        }
        const bool Cr = Nl > Start && AContent.at(Nl - 1) == '\r';
        FLines.push_back({AContent.mid(Start, Nl - Start - (Cr ? 1 : 0)),
                          Cr ? QByteArray("\r\n") : QByteArray("\n")});
        Start = Nl + 1;
    }
}

TIniFile TIniFile::Load(const QString& AFileName) {
    QFile File(AFileName);
    if (!File.open(QIODevice::ReadOnly))
        return TIniFile();
    return TIniFile(File.readAll());
}

void TIniFile::Save(const QString& AFileName) const {
    WriteFileAtomically(AFileName, Content());
}

QByteArray TIniFile::Content() const {
    QByteArray Result;
    for (const TLine& Line : FLines)
        Result += Line.Text + Line.End;
    return Result;
}

int TIniFile::FindSection(const QByteArray& ASection) const {
    for (int i = 0; i < static_cast<int>(FLines.size()); ++i) {
        const QByteArray Trimmed = FLines[i].Text.trimmed();
        if (IsSectionHeader(Trimmed) && SameName(SectionName(Trimmed), ASection))
            return i;
    }
    return -1;
}

// The line after the last line that belongs to the section.
int TIniFile::SectionEnd(int ASectionLine) const {
    int i = ASectionLine + 1;
    while (i < static_cast<int>(FLines.size()) && !IsSectionHeader(FLines[i].Text.trimmed()))
        ++i;
    return i;
}

int TIniFile::FindKey(int ASectionLine, const QByteArray& AKey) const {
    const int End = SectionEnd(ASectionLine);
    for (int i = ASectionLine + 1; i < End; ++i) {
        const QByteArray& Text = FLines[i].Text;
        const qsizetype Eq = Text.indexOf('=');
        if (Eq > 0 && SameName(Text.left(Eq).trimmed(), AKey))
            return i;
    }
    return -1;
}

std::optional<QString> TIniFile::ReadString(const QString& ASection, const QString& AKey) const {
    const int Section = FindSection(ASection.toUtf8());
    if (Section < 0)
        return std::nullopt;
    const int Key = FindKey(Section, AKey.toUtf8());
    if (Key < 0)
        return std::nullopt;
    const QByteArray& Text = FLines[Key].Text;
    return QString::fromUtf8(Text.mid(Text.indexOf('=') + 1).trimmed());
}

QByteArray TIniFile::NewLineEnd() const {
    for (const TLine& Line : FLines)
        if (!Line.End.isEmpty())
            return Line.End;
    return QByteArray("\n");
}

void TIniFile::WriteString(const QString& ASection, const QString& AKey, const QString& AValue) {
    const QByteArray Section = ASection.toUtf8(), Key = AKey.toUtf8();
    const QByteArray Text = Key + '=' + AValue.toUtf8();
    const QByteArray End = NewLineEnd();
    int SectionLine = FindSection(Section);
    if (SectionLine < 0) {
        if (!FLines.empty() && FLines.back().End.isEmpty())
            FLines.back().End = End;
        FLines.push_back({'[' + Section + ']', End});
        FLines.push_back({Text, End});
        return;
    }
    const int KeyLine = FindKey(SectionLine, Key);
    if (KeyLine >= 0) {
        FLines[KeyLine].Text = Text;
        return;
    }
    // After the section's last non-blank line, so blank lines stay between sections.
    int Insert = SectionEnd(SectionLine);
    while (Insert > SectionLine + 1 && FLines[Insert - 1].Text.trimmed().isEmpty())
        --Insert;
    if (FLines[Insert - 1].End.isEmpty())
        FLines[Insert - 1].End = End;
    FLines.insert(FLines.begin() + Insert, TLine{Text, End});
}
