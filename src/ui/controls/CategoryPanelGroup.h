// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QScrollArea>
#include <QWidget>

class QToolButton;
class QVBoxLayout;

// A titled panel whose title bar folds its content away and back.
class TCategoryPanel : public QWidget {
    Q_OBJECT
public:
    TCategoryPanel(const QString& ACaption, QWidget* AParent);

    // The content fills the panel below its title bar.
    void SetContent(QWidget* AContent);
    QWidget* Content() const { return FContent; }
    QToolButton* TitleBar() const { return FTitle; }
    // The height when expanded; 0 lets the panel take what the group leaves.
    void SetExpandedHeight(int AValue);
    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool AValue);

signals:
    void CollapsedChanged();

private:
    void UpdateHeight();

    QToolButton* FTitle;
    QVBoxLayout* FLayout;
    QWidget* FContent = nullptr;
    int FExpandedHeight = 0;
    bool FCollapsed = false;
};

// A vertical stack of collapsible panels that scrolls when they do not fit.
class TCategoryPanelGroup : public QScrollArea {
    Q_OBJECT
public:
    explicit TCategoryPanelGroup(QWidget* AParent);

    TCategoryPanel* AddPanel(const QString& ACaption, int AExpandedHeight);
    // Makes APanel take all the height the other panels leave.
    void SetFillPanel(TCategoryPanel* APanel);

private:
    QVBoxLayout* FLayout;
};
