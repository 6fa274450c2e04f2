// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

// The window's status bar: panel 0 and 1 for the chart readout, panel 2 for the
// description of the grid or editor row under the mouse.
class TStatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusPanels(QWidget* AParent);

    QString Text(int APanel) const;
    void SetText(int APanel, const QString& AText);

private:
    std::array<QLabel*, 3> FPanels{};
};
