// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageBreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Rows shorter than this stay together with their table's other rows.
constexpr int MinRowsOnAPage = 2;
// A table shorter than this part of a page moves whole rather than divides.
constexpr double ShortTable = 0.3;
// Each round mends one place and lays the document out again.
constexpr int MaxRounds = 200;
constexpr double Epsilon = 0.01;

struct TSpan {
    double Top;
    double Bottom;
};

class TPages {
public:
    explicit TPages(QTextDocument& ADocument)
        : FDocument(ADocument), FHeight(ADocument.pageSize().height()) {}

    int PageOf(double AY) const { return static_cast<int>(std::floor((AY + Epsilon) / FHeight)); }
    int LastPageOf(const TSpan& ASpan) const {
        return static_cast<int>(std::floor((ASpan.Bottom - Epsilon) / FHeight));
    }

    // Lines are what moves to a new page, not the block that holds them.
    TSpan Lines(const QTextBlock& AFirst, const QTextBlock& ALast) const {
        const QRectF First = FDocument.documentLayout()->blockBoundingRect(AFirst);
        const QRectF Last = FDocument.documentLayout()->blockBoundingRect(ALast);
        const QTextLayout* FirstLayout = AFirst.layout();
        const QTextLayout* LastLayout = ALast.layout();
        const double Top = FirstLayout->lineCount() > 0
                               ? First.top() + FirstLayout->lineAt(0).rect().top()
                               : First.top();
        const double Bottom =
            LastLayout->lineCount() > 0
                ? Last.top() + LastLayout->lineAt(LastLayout->lineCount() - 1).rect().bottom()
                : Last.bottom();
        return {Top, Bottom};
    }

    std::vector<TSpan> Rows(QTextTable& ATable) const {
        std::vector<TSpan> Result;
        for (int Row = 0; Row < ATable.rows(); ++Row) {
            TSpan Span{1e300, -1e300};
            for (int Col = 0; Col < ATable.columns(); ++Col) {
                const QTextTableCell Cell = ATable.cellAt(Row, Col);
                if (Cell.row() != Row || Cell.column() != Col)
                    continue;
                const TSpan Lines = this->Lines(Cell.firstCursorPosition().block(),
                                                Cell.lastCursorPosition().block());
                Span.Top = std::min(Span.Top, Lines.Top);
                Span.Bottom = std::max(Span.Bottom, Lines.Bottom);
            }
            Result.push_back(Span);
        }
        return Result;
    }

    double Height() const { return FHeight; }

private:
    QTextDocument& FDocument;
    double FHeight;
};

// One element of the document's top level: a paragraph or a table.
struct TElement {
    QTextBlock Block;
    QTextTable* Table = nullptr;
};

std::vector<TElement> Elements(QTextDocument& ADocument) {
    std::vector<TElement> Result;
    for (auto It = ADocument.rootFrame()->begin(); !It.atEnd(); ++It) {
        if (auto* Table = qobject_cast<QTextTable*>(It.currentFrame()))
            Result.push_back({{}, Table});
        else if (It.currentBlock().isValid() && !It.currentBlock().text().isEmpty())
            Result.push_back({It.currentBlock(), nullptr});
    }
    return Result;
}

bool BreaksBefore(const TElement& AElement) {
    const QTextFormat Format = AElement.Table ? QTextFormat(AElement.Table->format())
                                              : QTextFormat(AElement.Block.blockFormat());
    return Format.intProperty(QTextFormat::PageBreakPolicy) & QTextFormat::PageBreak_AlwaysBefore;
}

void BreakBefore(const TElement& AElement) {
    if (AElement.Table) {
        QTextTableFormat Format = AElement.Table->format();
        Format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        AElement.Table->setFormat(Format);
        return;
    }
    QTextBlockFormat Format = AElement.Block.blockFormat();
    Format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(AElement.Block).setBlockFormat(Format);
}

// A heading, or one line that ends in a colon, belongs with what follows it.
bool LeadsIn(const TElement& AElement) {
    if (AElement.Table)
        return false;
    if (AElement.Block.blockFormat().headingLevel() > 0)
        return true;
    return AElement.Block.text().trimmed().endsWith(QLatin1Char(':')) &&
           AElement.Block.layout()->lineCount() == 1;
}

TSpan SpanOf(const TPages& APages, const TElement& AElement) {
    if (!AElement.Table)
        return APages.Lines(AElement.Block, AElement.Block);
    const std::vector<TSpan> Rows = APages.Rows(*AElement.Table);
    return {Rows.front().Top, Rows.back().Bottom};
}

// Moves element AIndex to a new page together with the lead-ins before it on its page.
// False when it already starts one.
bool MoveToNextPage(const TPages& APages, const std::vector<TElement>& AElements,
                    std::size_t AIndex) {
    const int Page = APages.PageOf(SpanOf(APages, AElements[AIndex]).Top);
    std::size_t First = AIndex;
    while (First > 0 && !BreaksBefore(AElements[First]) && LeadsIn(AElements[First - 1]) &&
           APages.LastPageOf(SpanOf(APages, AElements[First - 1])) == Page)
        --First;
    if (BreaksBefore(AElements[First]))
        return false;
    BreakBefore(AElements[First]);
    return true;
}

// Column widths as measured, so that both parts of a divided table line up.
void FixColumnWidths(QTextDocument& ADocument, QTextTable& ATable) {
    std::vector<double> Lefts;
    for (int Col = 0; Col < ATable.columns(); ++Col)
        Lefts.push_back(ADocument.documentLayout()
                            ->blockBoundingRect(ATable.cellAt(0, Col).firstCursorPosition().block())
                            .left());
    const QRectF Frame = ADocument.documentLayout()->frameBoundingRect(&ATable);
    Lefts.push_back(Frame.right());
    const double Total = Lefts.back() - Lefts.front();
    QList<QTextLength> Widths;
    for (std::size_t Col = 0; Col + 1 < Lefts.size(); ++Col)
        Widths.append(QTextLength(QTextLength::PercentageLength,
                                  100 * (Lefts[Col + 1] - Lefts[Col]) / Total));
    QTextTableFormat Format = ATable.format();
    Format.setColumnWidthConstraints(Widths);
    ATable.setFormat(Format);
}

// Moves the rows from ARow on into a table of their own on the next page, under a copy
// of the header row.
void DivideTable(QTextDocument& ADocument, QTextTable& ATable, int ARow) {
    FixColumnWidths(ADocument, ATable);
    const int Header = std::max(1, ATable.format().headerRowCount());
    const int Rows = ATable.rows();
    const int Cols = ATable.columns();
    QTextTableFormat Format = ATable.format();
    Format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor After = ATable.lastCursorPosition();
    After.movePosition(QTextCursor::NextBlock);
    QTextTable* Rest = After.insertTable(Header + Rows - ARow, Cols, Format);
    int Target = 0;
    for (int Row = 0; Row < Rows; ++Row) {
        if (Row >= Header && Row < ARow)
            continue;
        for (int Col = 0; Col < Cols; ++Col) {
            const QTextTableCell From = ATable.cellAt(Row, Col);
            QTextCursor Content = From.firstCursorPosition();
            Content.setPosition(From.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextTableCell To = Rest->cellAt(Target, Col);
            To.setFormat(From.format());
            To.firstCursorPosition().insertFragment(Content.selection());
        }
        ++Target;
    }
    ATable.removeRows(ARow, Rows - ARow);
}

// Mends the first table that a page break cuts badly; false when none does.
bool MendTable(QTextDocument& ADocument, const TPages& APages,
               const std::vector<TElement>& AElements, std::size_t AIndex) {
    QTextTable& Table = *AElements[AIndex].Table;
    const std::vector<TSpan> Rows = APages.Rows(Table);
    const int Count = static_cast<int>(Rows.size());
    const int Header = std::max(1, Table.format().headerRowCount());
    for (int Row = 1; Row < Count; ++Row) {
        const TSpan& Span = Rows[static_cast<std::size_t>(Row)];
        const bool Cut = APages.PageOf(Span.Top) != APages.LastPageOf(Span);
        const bool Moved =
            APages.PageOf(Span.Top) > APages.LastPageOf(Rows[static_cast<std::size_t>(Row - 1)]);
        if (!Cut && !Moved)
            continue;
        int Divide = Row;
        if (Count - Divide < MinRowsOnAPage)
            Divide = Count - MinRowsOnAPage;
        // A short table reads better in one piece.
        const bool Short = Rows.back().Bottom - Rows.front().Top < APages.Height() * ShortTable;
        if (Short || Divide - Header < MinRowsOnAPage) {
            if (MoveToNextPage(APages, AElements, AIndex))
                return true;
            // The table starts a page and still does not fit: divide where it has to.
            Divide = std::max(Row, Header + 1);
            if (Divide >= Count || (!Cut && Divide == Row && Row <= Header))
                return false;
        }
        DivideTable(ADocument, Table, Divide);
        return true;
    }
    return false;
}

bool MendFirstPlace(QTextDocument& ADocument) {
    ADocument.pageCount(); // lays the whole document out
    const TPages Pages(ADocument);
    const std::vector<TElement> All = Elements(ADocument);
    for (std::size_t i = 0; i < All.size(); ++i) {
        if (All[i].Table && MendTable(ADocument, Pages, All, i))
            return true;
        if (i + 1 < All.size() && LeadsIn(All[i]) && !BreaksBefore(All[i]) &&
            Pages.PageOf(SpanOf(Pages, All[i + 1]).Top) > Pages.LastPageOf(SpanOf(Pages, All[i])) &&
            MoveToNextPage(Pages, All, i))
            return true;
    }
    return false;
}

// Qt draws a block on every page it reaches, the last line above a page included; a block
// that ends at a page break keeps each line to its own page. The part on the new page
// continues the text without a margin, list marker or first-line indent of its own.
void EndBlocksAtPageBreaks(QTextDocument& ADocument) {
    ADocument.pageCount();
    const TPages Pages(ADocument);
    for (QTextBlock Block = ADocument.begin(); Block.isValid(); Block = Block.next()) {
        const QTextLayout* Layout = Block.layout();
        if (Layout->lineCount() < 2)
            continue;
        const QRectF Box = ADocument.documentLayout()->blockBoundingRect(Block);
        const int FirstPage = Pages.PageOf(Box.top() + Layout->lineAt(0).rect().top());
        int Line = 1;
        while (Line < Layout->lineCount() &&
               Pages.PageOf(Box.top() + Layout->lineAt(Line).rect().top()) == FirstPage)
            ++Line;
        if (Line >= Layout->lineCount())
            continue;
        QTextBlockFormat Ended = Block.blockFormat();
        Ended.setBottomMargin(0);
        QTextBlockFormat Continued = Ended;
        Continued.setTopMargin(0);
        Continued.setTextIndent(0);
        Continued.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        QTextCursor Cursor(Block);
        Cursor.setBlockFormat(Ended);
        Cursor.setPosition(Block.position() + Layout->lineAt(Line).textStart());
        const QTextCharFormat Char = Cursor.charFormat();
        Cursor.insertBlock(Continued, Char);
        if (QTextList* List = Cursor.block().textList()) {
            List->remove(Cursor.block());
            Continued.setIndent(List->format().indent());
            Cursor.setBlockFormat(Continued);
        }
        ADocument.pageCount();
    }
}

} // namespace

void KeepTogether(QTextDocument& ADocument) {
    int Round = 0;
    while (Round < MaxRounds && MendFirstPlace(ADocument))
        ++Round;
    if (Round == MaxRounds)
        std::fprintf(stderr, "page breaks: gave up after %d rounds\n", MaxRounds);
    EndBlocksAtPageBreaks(ADocument);
}
