// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Turns the user manual's Markdown into an A4 PDF with Qt alone: headings, tables,
// pictures, a table of contents in place of a "[TOC]" paragraph whose lines lead to
// their pages, bookmarks of the chapters and sections, a new page before every chapter
// and page numbers in the footer.
//
//     vibrona-manual-pdf MANUAL.md OUTPUT.pdf FOOTER-TEXT

#include "PageBreaks.h"
#include "PdfOutline.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Device units are pixels at 96 dpi, the unit the document lays out in.
constexpr int Resolution = 96;
constexpr double FooterHeight = 28;
const QString TocMarker = QStringLiteral("[TOC]");
const QString PagePlaceholder = QStringLiteral("000");

struct THeading {
    QTextBlock Block;
    int Level;
};

std::vector<THeading> Headings(const QTextDocument& ADocument, int AMaxLevel) {
    std::vector<THeading> Result;
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        const int Level = Block.blockFormat().headingLevel();
        if (Level >= 1 && Level <= AMaxLevel)
            Result.push_back({Block, Level});
    }
    return Result;
}

void StyleDocument(QTextDocument& ADocument) {
    bool First = true;
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        QTextBlockFormat Format = Block.blockFormat();
        const int Level = Format.headingLevel();
        if (Level == 0)
            continue;
        // Every chapter but the title starts a page.
        if (Level == 1 && !First)
            Format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        Format.setTopMargin(Level == 1 ? 0 : 14);
        Format.setBottomMargin(Level == 1 ? 12 : 6);
        QTextCursor(Block).setBlockFormat(Format);
        // A size adjustment, as the Markdown reader gives headings, would win over a size.
        for (auto It = Block.begin(); !It.atEnd(); ++It) {
            const QTextFragment Fragment = It.fragment();
            QTextCharFormat Char = Fragment.charFormat();
            Char.clearProperty(QTextFormat::FontSizeAdjustment);
            Char.setFontWeight(QFont::Bold);
            Char.setFontPointSize(First ? 28 : Level == 1 ? 18 : Level == 2 ? 13 : 11);
            Char.setForeground(QColor(Level == 1 ? 0x8a : 0x30, 0x30, 0x30));
            QTextCursor Cursor(&ADocument);
            Cursor.setPosition(Fragment.position());
            Cursor.setPosition(Fragment.position() + Fragment.length(), QTextCursor::KeepAnchor);
            Cursor.setCharFormat(Char);
        }
        First = false;
    }
}

// The Markdown reader may open a table right after a code block with an empty line in
// its first cell, which also takes the header's bold type.
void DropLeadingEmptyLine(const QTextTableCell& ACell) {
    QTextBlock First = ACell.firstCursorPosition().block();
    if (!First.text().isEmpty() || First == ACell.lastCursorPosition().block())
        return;
    const QTextBlock Second = First.next();
    const QTextBlockFormat Format = Second.blockFormat();
    QTextCursor Cursor(First);
    Cursor.deleteChar();
    Cursor.setBlockFormat(Format);
}

// Thin single lines around table cells, a shaded bold header row; code on a grey ground.
void StyleTablesAndCode(QTextDocument& ADocument) {
    std::vector<QTextFrame*> Frames{ADocument.rootFrame()};
    while (!Frames.empty()) {
        QTextFrame* Frame = Frames.back();
        Frames.pop_back();
        const QList<QTextFrame*> Children = Frame->childFrames();
        Frames.insert(Frames.end(), Children.begin(), Children.end());
        auto* Table = qobject_cast<QTextTable*>(Frame);
        if (!Table)
            continue;
        QTextTableFormat Format = Table->format();
        Format.setBorderCollapse(true);
        Format.setBorder(1);
        Format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        Format.setBorderBrush(QColor(0xa0, 0xa0, 0xa0));
        Format.setCellSpacing(0);
        Format.setCellPadding(3);
        // The full text width lets long cells wrap; the header row repeats on a new page.
        Format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        Format.setHeaderRowCount(1);
        Format.setTopMargin(4);
        Format.setBottomMargin(6);
        Table->setFormat(Format);
        for (int Col = 0; Col < Table->columns(); ++Col) {
            QTextTableCell Cell = Table->cellAt(0, Col);
            QTextTableCellFormat CellFormat = Cell.format().toTableCellFormat();
            CellFormat.setBackground(QColor(0xee, 0xee, 0xe8));
            Cell.setFormat(CellFormat);
            DropLeadingEmptyLine(Cell);
            QTextCursor Content = Cell.firstCursorPosition();
            Content.setPosition(Cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat Bold;
            Bold.setFontWeight(QFont::Bold);
            Content.mergeCharFormat(Bold);
        }
    }
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        QTextBlockFormat Format = Block.blockFormat();
        if (!Format.hasProperty(QTextFormat::BlockCodeFence))
            continue;
        Format.setBackground(QColor(0xf3, 0xf3, 0xf0));
        Format.setLeftMargin(8);
        QTextCursor(Block).setBlockFormat(Format);
    }
}

// Keeps formulas whole: no line ends after a "/" or beside a "·".
void GlueFormulas(QTextDocument& ADocument) {
    const QChar WordJoiner(0x2060);
    const QChar NoBreakSpace(0x00A0);
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        if (Block.blockFormat().hasProperty(QTextFormat::BlockCodeFence))
            continue;
        const QString Text = Block.text();
        // From the end, so that the earlier positions stay where they are.
        for (int i = Text.size() - 2; i >= 1; --i) {
            QTextCursor Cursor(&ADocument);
            Cursor.setPosition(Block.position() + i);
            if (Text[i] == QLatin1Char('/') && !Text[i + 1].isSpace()) {
                Cursor.movePosition(QTextCursor::NextCharacter);
                Cursor.insertText(WordJoiner);
            } else if (Text[i] == QLatin1Char(' ') &&
                       (Text[i - 1] == QChar(0x00B7) || Text[i + 1] == QChar(0x00B7))) {
                Cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
                Cursor.insertText(NoBreakSpace);
            }
        }
    }
}

// Qt draws a superscript or subscript at two thirds of its size; from the body size that
// is too small to read, so the scripts start from a larger size.
void EnlargeScripts(QTextDocument& ADocument, double ABodySize) {
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        for (auto It = Block.begin(); !It.atEnd(); ++It) {
            const QTextFragment Fragment = It.fragment();
            QTextCharFormat Char = Fragment.charFormat();
            if (Char.verticalAlignment() != QTextCharFormat::AlignSuperScript &&
                Char.verticalAlignment() != QTextCharFormat::AlignSubScript)
                continue;
            Char.setFontPointSize(ABodySize * 1.25);
            QTextCursor Cursor(&ADocument);
            Cursor.setPosition(Fragment.position());
            Cursor.setPosition(Fragment.position() + Fragment.length(), QTextCursor::KeepAnchor);
            Cursor.setCharFormat(Char);
        }
    }
}

// Pictures wider than the text shrink to its width, keeping their proportions.
void FitImages(QTextDocument& ADocument, const QString& ABaseFolder, double AMaxWidth) {
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        for (auto It = Block.begin(); !It.atEnd(); ++It) {
            const QTextFragment Fragment = It.fragment();
            if (!Fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat Image = Fragment.charFormat().toImageFormat();
            const QSize Size = QImageReader(ABaseFolder + QLatin1Char('/') + Image.name()).size();
            if (!Size.isValid()) {
                std::fprintf(stderr, "picture not found: %s\n", qPrintable(Image.name()));
                std::exit(1);
            }
            const double Scale = std::min(1.0, AMaxWidth / Size.width());
            Image.setWidth(Size.width() * Scale);
            Image.setHeight(Size.height() * Scale);
            QTextCursor Cursor(&ADocument);
            Cursor.setPosition(Fragment.position());
            Cursor.setPosition(Fragment.position() + Fragment.length(), QTextCursor::KeepAnchor);
            Cursor.setCharFormat(Image);
        }
    }
}

// Replaces the "[TOC]" paragraph by one line per chapter and section, each ending in
// a page number placeholder; returns the lines' blocks in heading order.
std::vector<QTextBlock> InsertContents(QTextDocument& ADocument,
                                       const std::vector<THeading>& AHeadings, double AWidth) {
    std::vector<QTextBlock> Lines;
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        if (Block.text().trimmed() != TocMarker)
            continue;
        QTextCursor Cursor(Block);
        Cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Cursor.removeSelectedText();
        bool FirstLine = true;
        for (const THeading& Heading : AHeadings) {
            QTextBlockFormat Format;
            Format.setIndent(Heading.Level - 1);
            Format.setTopMargin(Heading.Level == 1 ? 5 : 0);
            // Tab positions count from the indented edge.
            const double Indent = (Heading.Level - 1) * ADocument.indentWidth();
            Format.setTabPositions({QTextOption::Tab(AWidth - 4 - Indent, QTextOption::RightTab)});
            QTextCharFormat Char;
            Char.setFontWeight(Heading.Level == 1 ? QFont::Bold : QFont::Normal);
            if (!FirstLine)
                Cursor.insertBlock(Format, Char);
            else
                Cursor.setBlockFormat(Format);
            FirstLine = false;
            Cursor.insertText(Heading.Block.text() + QLatin1Char('\t') + PagePlaceholder, Char);
            Lines.push_back(Cursor.block());
        }
        break;
    }
    return Lines;
}

// Where the block's first line is: a line that did not fit moved to the next page
// without its block.
TPdfPlace PlaceOf(const QTextDocument& ADocument, const QTextBlock& ABlock) {
    const QRectF Box = ADocument.documentLayout()->blockBoundingRect(ABlock);
    const double Top =
        Box.top() + (ABlock.layout()->lineCount() > 0 ? ABlock.layout()->lineAt(0).y() : 0);
    const double Height = ADocument.pageSize().height();
    const int Page = static_cast<int>(std::floor(Top / Height));
    return {Page, Top - Page * Height};
}

void FillPageNumbers(QTextDocument& ADocument, const std::vector<QTextBlock>& ALines,
                     const std::vector<THeading>& AHeadings) {
    std::vector<int> Pages;
    for (const THeading& Heading : AHeadings)
        Pages.push_back(PlaceOf(ADocument, Heading.Block).Page + 1);
    for (std::size_t i = 0; i < ALines.size(); ++i) {
        QTextCursor Cursor(ALines[i]);
        Cursor.movePosition(QTextCursor::EndOfBlock);
        Cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                            static_cast<int>(PagePlaceholder.size()));
        Cursor.insertText(QString::number(Pages[i]));
    }
}

// Bookmarks of the headings and links from the lines of the contents, in points on the
// PDF's pages: APaintArea is the page's printable area, in which the document lies.
void AddNavigation(const QString& APath, const QTextDocument& ADocument,
                   const std::vector<QTextBlock>& ALines, const std::vector<THeading>& AHeadings,
                   const QRectF& APaintArea) {
    const double Scale = 72.0 / Resolution;
    const auto OnPaper = [&](TPdfPlace APlace) {
        return TPdfPlace{APlace.Page, APaintArea.top() + APlace.Top * Scale};
    };
    std::vector<TPdfBookmark> Bookmarks;
    std::vector<TPdfLink> Links;
    for (std::size_t i = 0; i < AHeadings.size(); ++i) {
        const TPdfPlace Target = OnPaper(PlaceOf(ADocument, AHeadings[i].Block));
        Bookmarks.push_back({AHeadings[i].Block.text(), AHeadings[i].Level, Target});
        if (i >= ALines.size())
            continue;
        const TPdfPlace Line = OnPaper(PlaceOf(ADocument, ALines[i]));
        const QRectF Box = ADocument.documentLayout()->blockBoundingRect(ALines[i]);
        const double Height = ALines[i].layout()->lineAt(0).height() * Scale;
        Links.push_back(
            {Line.Page,
             QRectF(APaintArea.left() + Box.left() * Scale, Line.Top, Box.width() * Scale, Height),
             Target});
    }
    const QString Error = AddBookmarksAndLinks(APath, Bookmarks, Links);
    if (!Error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(Error));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed to lay out and write a PDF.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application(argc, argv);
    const QStringList Args = Application.arguments();
    if (Args.size() != 4) {
        std::fprintf(stderr, "usage: vibrona-manual-pdf MANUAL.md OUTPUT.pdf FOOTER-TEXT\n");
        return 2;
    }
    QFile Source(Args[1]);
    if (!Source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(Args[1]));
        return 1;
    }
    const QString BaseFolder = QFileInfo(Args[1]).absolutePath();

    QPdfWriter Writer(Args[2]);
    Writer.setResolution(Resolution);
    Writer.setPageSize(QPageSize(QPageSize::A4));
    Writer.setPageMargins(QMarginsF(20, 16, 18, 14), QPageLayout::Millimeter);
    Writer.setTitle(QStringLiteral("Vibrona"));
    Writer.setCreator(QStringLiteral("vibrona-manual-pdf"));
    const QSizeF Page(Writer.width(), Writer.height() - FooterHeight);

    QTextDocument Document;
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPointSizeF(9.5);
    Document.setDefaultFont(Font);
    Document.setDocumentMargin(0);
    Document.setBaseUrl(QUrl::fromLocalFile(BaseFolder + QLatin1Char('/')));
    Document.setMarkdown(QString::fromUtf8(Source.readAll()), QTextDocument::MarkdownDialectGitHub);
    Document.setPageSize(Page);

    StyleDocument(Document);
    StyleTablesAndCode(Document);
    GlueFormulas(Document);
    EnlargeScripts(Document, Font.pointSizeF());
    FitImages(Document, BaseFolder, Page.width());
    std::vector<THeading> Contents = Headings(Document, 2);
    if (!Contents.empty())
        Contents.erase(Contents.begin()); // the title itself
    const std::vector<QTextBlock> Lines = InsertContents(Document, Contents, Page.width());
    KeepTogether(Document);
    FillPageNumbers(Document, Lines, Contents);

    QPainter Painter(&Writer);
    const int Pages = Document.pageCount();
    for (int i = 0; i < Pages; ++i) {
        if (i > 0)
            Writer.newPage();
        Painter.save();
        Painter.translate(0, -i * Page.height());
        // Lines start at a page's top edge and end at its foot; a clip a little inside
        // them keeps the lines of the pages before and after out of this page's text.
        Document.drawContents(&Painter,
                              QRectF(0, i * Page.height() + 0.5, Page.width(), Page.height() - 1));
        Painter.restore();
        if (i == 0)
            continue; // the title page carries no footer
        const QRectF Footer(0, Page.height(), Page.width(), FooterHeight);
        QFont Small = Font;
        Small.setPointSizeF(8);
        Painter.setFont(Small);
        Painter.setPen(QColor(0x80, 0x80, 0x80));
        Painter.drawLine(
            QLineF(Footer.topLeft() + QPointF(0, 8), Footer.topRight() + QPointF(0, 8)));
        const QRectF Text = Footer.adjusted(0, 10, 0, 0);
        Painter.drawText(Text, Qt::AlignLeft | Qt::AlignVCenter, Args[3]);
        Painter.drawText(Text, Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 1));
    }
    if (!Painter.end()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(Args[2]));
        return 1;
    }
    AddNavigation(Args[2], Document, Lines, Contents,
                  Writer.pageLayout().paintRect(QPageLayout::Point));
    return 0;
}
