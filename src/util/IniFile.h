#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// An INI text edited in memory line by line. Section and key names match without
// regard to case; values are trimmed. Writing replaces a key's value in place,
// appends a new key after the last key of its section and a new section at the
// end; every other line keeps its bytes and its line end.
class TIniFile {
public:
    TIniFile() = default;
    explicit TIniFile(const QByteArray& AContent);

    // An absent or unreadable file reads as empty.
    static TIniFile Load(const QString& AFileName);
    // Writes the whole text in one piece; raises EWriteError.
    void Save(const QString& AFileName) const;

    std::optional<QString> ReadString(const QString& ASection, const QString& AKey) const;
    void WriteString(const QString& ASection, const QString& AKey, const QString& AValue);

    QByteArray Content() const;

private:
    struct TLine {
        QByteArray Text;
        QByteArray End; // "\n", "\r\n" or empty for a last line without one
    };
    int FindSection(const QByteArray& ASection) const;
    int SectionEnd(int ASectionLine) const;
    int FindKey(int ASectionLine, const QByteArray& AKey) const;
    QByteArray NewLineEnd() const;

    std::vector<TLine> FLines;
};
