// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

// The drop-down of a pick-list row. It writes the chosen item where the cell writes
// its text and keeps only a narrow strip at the right edge for the arrow, so that an
// item that fits the cell is not cut while the row is being edited, however much room
// the style's own drop-downs take for their frame and button.
class TPickListBox : public QComboBox {
    Q_OBJECT
public:
    explicit TPickListBox(QWidget* AParent);

    // Where the chosen item is written.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent* AEvent) override;

private:
    int ArrowWidth() const;
};
