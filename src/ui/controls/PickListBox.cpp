// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/PickListBox.h"

#include <QPainter>
#include <QStyleOption>

#include <algorithm>

TPickListBox::TPickListBox(QWidget* AParent) : QComboBox(AParent) {}

int TPickListBox::ArrowWidth() const {
    return std::min(height(), 14);
}

QRect TPickListBox::TextRect() const {
    // The item views' own margin before a cell's text.
    const int Margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return rect().adjusted(Margin, 0, -ArrowWidth(), 0);
}

void TPickListBox::paintEvent(QPaintEvent* AEvent) {
    // A box that can be typed into has the style's line editor over its text.
    if (isEditable()) {
        QComboBox::paintEvent(AEvent);
        return;
    }
    QPainter Painter(this);
    Painter.fillRect(rect(), palette().color(QPalette::Base));
    Painter.setPen(palette().color(QPalette::Text));
    Painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     currentText());
    QStyleOption Arrow;
    Arrow.initFrom(this);
    Arrow.rect = QRect(width() - ArrowWidth(), 0, ArrowWidth(), height());
    Painter.setPen(palette().color(QPalette::Mid));
    Painter.drawLine(Arrow.rect.topLeft(), Arrow.rect.bottomLeft());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Arrow, &Painter, this);
}

// The meta-object code of the class, compiled with this source.
#include "moc_PickListBox.cpp"
