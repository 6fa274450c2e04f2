// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/SpectrumListPanel.h"

#include "model/Spectrum.h"
#include "ui/controls/CategoryPanelGroup.h"
#include "ui/controls/CountListModel.h"
#include "ui/controls/OwnerDrawDelegate.h"
#include "util/NumberFormat.h"

#include <QListView>
#include <QPainter>
#include <QPointer>

namespace {

const QColor StrongestRowColor(255, 255, 192);
const QColor PeakRowColor(255, 200, 240);
constexpr int StrongestRows = 5;

} // namespace

TSpectrumListPanel::TSpectrumListPanel(const TSpectrum& ASpectrum, TCategoryPanel& AParent)
    : FSpectrum(ASpectrum), lbSpectrum(new QListView(&AParent)) {
    lbSpectrum->setObjectName(QStringLiteral("lbSpectrum"));
    lbSpectrumItems = new TCountListModel(lbSpectrum); // owned by the list
    lbSpectrum->setModel(lbSpectrumItems);
    lbSpectrum->setUniformItemSizes(true);
    lbSpectrum->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are as wide as the list; a vertical scroll bar narrows them, never scrolls them.
    lbSpectrum->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The list may outlive the panel by a moment; then its rows are left blank.
    lbSpectrum->setItemDelegate(new TOwnerDrawDelegate(
        lbSpectrum, [Self = QPointer(this)](QPainter& ACanvas, int AIndex, const QRect& ARect,
                                            const QStyleOptionViewItem& AState) {
            if (Self)
                Self->lbSpectrumDrawItem(ACanvas, AIndex, ARect, AState);
        }));
    AParent.SetContent(lbSpectrum);
}

TSpectrumListPanel::~TSpectrumListPanel() = default;

void TSpectrumListPanel::SetCount(int ACount) {
    lbSpectrumItems->SetCount(ACount);
    lbSpectrum->viewport()->update();
}

void TSpectrumListPanel::lbSpectrumDrawItem(QPainter& ACanvas, int Index, const QRect& Rect,
                                            const QStyleOptionViewItem& State) {
    if (Index < 0 || Index >= FSpectrum.Count())
        return;
    const TSpectrumSample& Sample = FSpectrum[Index];
    const bool Selected = State.state & QStyle::State_Selected;
    QColor Brush = State.palette.color(QPalette::Base);
    if (Selected) {
        Brush = State.palette.color(QPalette::Highlight);
    } else {
        if (Index < StrongestRows)
            Brush = StrongestRowColor;
        if (Sample.Peak())
            Brush = PeakRowColor;
    }
    ACanvas.fillRect(Rect, Brush);
    ACanvas.setPen(State.palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
    ACanvas.setFont(State.font);
    const int Flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    ACanvas.drawText(Rect, Flags, FormatFloat(ShortFloatFormat, Sample.Frequency()));
    QRect Magnitude = Rect;
    Magnitude.setLeft((Rect.right() + 1 - Rect.left()) / 2);
    ACanvas.drawText(Magnitude, Flags, FormatFloat(FloatFormat, Sample.Magnitude()));
    if (State.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect Focus;
        Focus.rect = Rect;
        Focus.state = State.state;
        Focus.backgroundColor = Brush;
        lbSpectrum->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, &ACanvas, lbSpectrum);
    }
}

// The meta-object code of the class, compiled with this source.
#include "moc_SpectrumListPanel.cpp"
