// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PdfOutline.h"

#include <QFile>
#include <QRegularExpression>

#include <map>

namespace {

// The parts of the writer's PDF the update refers to. QPdfWriter writes one classic
// cross-reference table, a catalog with its page tree and an annotation array per page.
struct TPdf {
    QByteArray Bytes;
    qint64 XrefOffset = 0;
    int Size = 0;
    int Root = 0;
    int Info = 0;
    std::vector<qint64> Offsets; // by object number
    std::vector<int> Pages;      // object numbers in page order
    std::vector<double> Heights; // of the pages, in points
};

QString Capture(const QByteArray& AText, const char* APattern, QByteArray& AResult) {
    const QRegularExpressionMatch Match =
        QRegularExpression(QLatin1String(APattern)).match(QLatin1String(AText));
    if (!Match.hasMatch())
        return QStringLiteral("no %1 in the PDF").arg(QLatin1String(APattern));
    AResult = Match.captured(1).toLatin1();
    return {};
}

QByteArray ObjectText(const TPdf& APdf, int ANumber) {
    if (ANumber <= 0 || ANumber >= static_cast<int>(APdf.Offsets.size()))
        return {};
    const qint64 Start = APdf.Offsets[static_cast<std::size_t>(ANumber)];
    const qint64 End = APdf.Bytes.indexOf("endobj", Start);
    if (End < 0)
        return {};
    const qint64 Body = APdf.Bytes.indexOf("obj", Start) + 3;
    return APdf.Bytes.mid(Body, End - Body).trimmed();
}

QString ReadPdf(const QString& APath, TPdf& APdf) {
    QFile File(APath);
    if (!File.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(APath);
    APdf.Bytes = File.readAll();
    const QByteArray Tail = APdf.Bytes.right(1024);
    QByteArray Value;
    if (QString Error = Capture(Tail, "startxref\\s+(\\d+)", Value); !Error.isEmpty())
        return Error;
    APdf.XrefOffset = Value.toLongLong();
    const QByteArray Trailer = APdf.Bytes.mid(APdf.Bytes.lastIndexOf("trailer"));
    for (auto [Pattern, Field] : {std::pair{"/Size\\s+(\\d+)", &APdf.Size},
                                  std::pair{"/Root\\s+(\\d+)\\s+0\\s+R", &APdf.Root},
                                  std::pair{"/Info\\s+(\\d+)\\s+0\\s+R", &APdf.Info}}) {
        if (QString Error = Capture(Trailer, Pattern, Value); !Error.isEmpty())
            return Error;
        *Field = Value.toInt();
    }
    // One subsection "0 Size" of twenty-byte entries.
    const qint64 Table = APdf.Bytes.indexOf('\n', APdf.Bytes.indexOf('\n', APdf.XrefOffset) + 1);
    APdf.Offsets.resize(static_cast<std::size_t>(APdf.Size));
    for (int i = 0; i < APdf.Size; ++i)
        APdf.Offsets[static_cast<std::size_t>(i)] =
            APdf.Bytes.mid(Table + 1 + 20 * i, 10).toLongLong();

    if (QString Error = Capture(ObjectText(APdf, APdf.Root), "/Pages\\s+(\\d+)\\s+0\\s+R", Value);
        !Error.isEmpty())
        return Error;
    QByteArray Kids;
    if (QString Error = Capture(ObjectText(APdf, Value.toInt()), "/Kids\\s*\\[([^\\]]*)\\]", Kids);
        !Error.isEmpty())
        return Error;
    QRegularExpressionMatchIterator It =
        QRegularExpression(QStringLiteral("(\\d+)\\s+0\\s+R")).globalMatch(QLatin1String(Kids));
    while (It.hasNext()) {
        const int Page = It.next().captured(1).toInt();
        if (QString Error =
                Capture(ObjectText(APdf, Page),
                        "/MediaBox\\s*\\[\\s*\\S+\\s+\\S+\\s+\\S+\\s+(\\S+)\\s*\\]", Value);
            !Error.isEmpty())
            return Error;
        APdf.Pages.push_back(Page);
        APdf.Heights.push_back(Value.toDouble());
    }
    return {};
}

QByteArray Decimal(double AValue) {
    return QByteArray::number(AValue, 'f', 2);
}

// A text string in UTF-16 with its byte order mark, as PDF readers expect for Cyrillic.
QByteArray TextString(const QString& AText) {
    QByteArray Hex = "<FEFF";
    for (const QChar Char : AText)
        Hex += QByteArray::number(Char.unicode(), 16).rightJustified(4, '0').toUpper();
    return Hex + '>';
}

QByteArray Destination(const TPdf& APdf, const TPdfPlace& APlace) {
    const std::size_t Page = static_cast<std::size_t>(APlace.Page);
    return "[" + QByteArray::number(APdf.Pages[Page]) + " 0 R /XYZ null " +
           Decimal(APdf.Heights[Page] - APlace.Top) + " null]";
}

// The new objects of the update, by number, written after the file's old end.
class TUpdate {
public:
    explicit TUpdate(int ANextNumber) : FNext(ANextNumber) {}
    int Reserve() { return FNext++; }
    void Set(int ANumber, QByteArray AText) { FObjects[ANumber] = std::move(AText); }
    int Size() const { return FNext; }

    QByteArray Write(const TPdf& APdf) const {
        QByteArray Out = APdf.Bytes.endsWith('\n') ? QByteArray() : QByteArray("\n");
        std::map<int, qint64> Offsets;
        for (const auto& [Number, Text] : FObjects) {
            Offsets[Number] = APdf.Bytes.size() + Out.size();
            Out += QByteArray::number(Number) + " 0 obj\n" + Text + "\nendobj\n";
        }
        const qint64 Xref = APdf.Bytes.size() + Out.size();
        Out += "xref\n";
        for (const auto& [Number, Offset] : Offsets)
            Out += QByteArray::number(Number) + " 1\n" +
                   QByteArray::number(Offset).rightJustified(10, '0') + " 00000 n \n";
        Out += "trailer\n<<\n/Size " + QByteArray::number(FNext) + "\n/Root " +
               QByteArray::number(APdf.Root) + " 0 R\n/Info " + QByteArray::number(APdf.Info) +
               " 0 R\n/Prev " + QByteArray::number(APdf.XrefOffset) + "\n>>\nstartxref\n" +
               QByteArray::number(Xref) + "\n%%EOF\n";
        return Out;
    }

private:
    int FNext;
    std::map<int, QByteArray> FObjects;
};

// The outline tree: chapters under the root, sections under the chapter before them.
// Chapters start closed, so that the pane lists the chapters alone.
void AddOutline(const TPdf& APdf, const std::vector<TPdfBookmark>& ABookmarks, TUpdate& AUpdate,
                QByteArray& ACatalog) {
    if (ABookmarks.empty())
        return;
    const int Root = AUpdate.Reserve();
    std::vector<int> Numbers;
    std::vector<int> Parents; // index of the parent item, -1 for the root
    for (const TPdfBookmark& Mark : ABookmarks) {
        Numbers.push_back(AUpdate.Reserve());
        int Parent = -1;
        if (Mark.Level > 1)
            for (int i = static_cast<int>(Parents.size()) - 1; i >= 0; --i)
                if (ABookmarks[static_cast<std::size_t>(i)].Level < Mark.Level) {
                    Parent = i;
                    break;
                }
        Parents.push_back(Parent);
    }
    const auto NumberOf = [&](int AIndex) { return AIndex < 0 ? Root : Numbers[AIndex]; };
    const auto Children = [&](int AParent) {
        std::vector<int> Result;
        for (std::size_t i = 0; i < Parents.size(); ++i)
            if (Parents[i] == AParent)
                Result.push_back(static_cast<int>(i));
        return Result;
    };
    const auto Ref = [](int ANumber) { return QByteArray::number(ANumber) + " 0 R"; };
    for (int Parent = -1; Parent < static_cast<int>(ABookmarks.size()); ++Parent) {
        const std::vector<int> Kids = Children(Parent);
        for (std::size_t k = 0; k < Kids.size(); ++k) {
            const int i = Kids[k];
            const TPdfBookmark& Mark = ABookmarks[static_cast<std::size_t>(i)];
            QByteArray Item = "<<\n/Title " + TextString(Mark.Title) + "\n/Parent " +
                              Ref(NumberOf(Parent)) + "\n/Dest " + Destination(APdf, Mark.Target);
            if (k > 0)
                Item += "\n/Prev " + Ref(NumberOf(Kids[k - 1]));
            if (k + 1 < Kids.size())
                Item += "\n/Next " + Ref(NumberOf(Kids[k + 1]));
            const std::vector<int> Grandchildren = Children(i);
            if (!Grandchildren.empty())
                Item += "\n/First " + Ref(NumberOf(Grandchildren.front())) + "\n/Last " +
                        Ref(NumberOf(Grandchildren.back())) + "\n/Count -" +
                        QByteArray::number(Grandchildren.size());
            AUpdate.Set(NumberOf(i), Item + "\n>>");
        }
        if (Parent == -1)
            AUpdate.Set(Root, "<<\n/Type /Outlines\n/First " + Ref(NumberOf(Kids.front())) +
                                  "\n/Last " + Ref(NumberOf(Kids.back())) + "\n/Count " +
                                  QByteArray::number(Kids.size()) + "\n>>");
    }
    ACatalog += "\n/Outlines " + Ref(Root) + "\n/PageMode /UseOutlines";
}

// Each page's links join the annotations the writer gave it.
QString AddLinks(const TPdf& APdf, const std::vector<TPdfLink>& ALinks, TUpdate& AUpdate) {
    std::map<int, QByteArray> Added; // page index, annotation references
    for (const TPdfLink& Link : ALinks) {
        const std::size_t Page = static_cast<std::size_t>(Link.Page);
        const double Height = APdf.Heights[Page];
        const int Number = AUpdate.Reserve();
        AUpdate.Set(Number,
                    "<<\n/Type /Annot\n/Subtype /Link\n/Rect [" + Decimal(Link.Area.left()) + " " +
                        Decimal(Height - Link.Area.bottom()) + " " + Decimal(Link.Area.right()) +
                        " " + Decimal(Height - Link.Area.top()) + "]\n/Border [0 0 0]\n/Dest " +
                        Destination(APdf, Link.Target) + "\n>>");
        Added[Link.Page] += QByteArray::number(Number) + " 0 R ";
    }
    for (const auto& [Page, References] : Added) {
        QByteArray Annots;
        if (QString Error = Capture(ObjectText(APdf, APdf.Pages[static_cast<std::size_t>(Page)]),
                                    "/Annots\\s+(\\d+)\\s+0\\s+R", Annots);
            !Error.isEmpty())
            return Error;
        QByteArray Array = ObjectText(APdf, Annots.toInt());
        if (!Array.startsWith('[') || !Array.endsWith(']'))
            return QStringLiteral("an annotation array that is not an array");
        Array.chop(1);
        AUpdate.Set(Annots.toInt(), Array + References + "]");
    }
    return {};
}

} // namespace

QString AddBookmarksAndLinks(const QString& APath, const std::vector<TPdfBookmark>& ABookmarks,
                             const std::vector<TPdfLink>& ALinks) {
    TPdf Pdf;
    if (QString Error = ReadPdf(APath, Pdf); !Error.isEmpty())
        return Error;
    const auto OnAPage = [&Pdf](const TPdfPlace& APlace) {
        return APlace.Page >= 0 && APlace.Page < static_cast<int>(Pdf.Pages.size());
    };
    for (const TPdfBookmark& Mark : ABookmarks)
        if (!OnAPage(Mark.Target))
            return QStringLiteral("a bookmark beyond the last page");
    for (const TPdfLink& Link : ALinks)
        if (!OnAPage(Link.Target) || !OnAPage({Link.Page, 0}))
            return QStringLiteral("a link beyond the last page");

    TUpdate Update(Pdf.Size);
    QByteArray Catalog = ObjectText(Pdf, Pdf.Root);
    if (!Catalog.endsWith(">>"))
        return QStringLiteral("a catalog that is not a dictionary");
    Catalog.chop(2);
    Catalog = Catalog.trimmed();
    AddOutline(Pdf, ABookmarks, Update, Catalog);
    Update.Set(Pdf.Root, Catalog + "\n>>");
    if (QString Error = AddLinks(Pdf, ALinks, Update); !Error.isEmpty())
        return Error;

    QFile File(APath);
    if (!File.open(QIODevice::Append) || File.write(Update.Write(Pdf)) < 0 || !File.flush())
        return QStringLiteral("cannot write %1").arg(APath);
    return {};
}
