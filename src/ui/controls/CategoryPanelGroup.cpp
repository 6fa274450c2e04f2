// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/CategoryPanelGroup.h"

#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int TitleHeight = 24;
constexpr int FillPanelMinHeight = 80;
} // namespace

TCategoryPanel::TCategoryPanel(const QString& ACaption, QWidget* AParent)
    : QWidget(AParent), FTitle(new QToolButton(this)), FLayout(new QVBoxLayout(this)) {
    FTitle->setText(ACaption);
    FTitle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FTitle->setArrowType(Qt::DownArrow);
    FTitle->setAutoRaise(false);
    FTitle->setFixedHeight(TitleHeight);
    FTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont Bold = FTitle->font();
    Bold.setBold(true);
    FTitle->setFont(Bold);
    connect(FTitle, &QToolButton::clicked, this, [this] { SetCollapsed(!FCollapsed); });

    FLayout->setContentsMargins(0, 0, 0, 0);
    FLayout->setSpacing(0);
    FLayout->addWidget(FTitle);
}

void TCategoryPanel::SetContent(QWidget* AContent) {
    FContent = AContent;
    FContent->setParent(this);
    FLayout->addWidget(FContent, 1);
    FContent->setVisible(!FCollapsed);
}

void TCategoryPanel::SetExpandedHeight(int AValue) {
    FExpandedHeight = AValue;
    UpdateHeight();
}

void TCategoryPanel::SetCollapsed(bool AValue) {
    if (FCollapsed == AValue)
        return;
    FCollapsed = AValue;
    FTitle->setArrowType(FCollapsed ? Qt::RightArrow : Qt::DownArrow);
    if (FContent)
        FContent->setVisible(!FCollapsed);
    UpdateHeight();
    emit CollapsedChanged();
}

void TCategoryPanel::UpdateHeight() {
    if (FCollapsed) {
        setFixedHeight(TitleHeight);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    } else if (FExpandedHeight > 0) {
        setFixedHeight(FExpandedHeight);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    } else {
        setMinimumHeight(FillPanelMinHeight);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }
}

TCategoryPanelGroup::TCategoryPanelGroup(QWidget* AParent) : QScrollArea(AParent) {
    auto* Inner = new QWidget(this);
    FLayout = new QVBoxLayout(Inner);
    FLayout->setContentsMargins(0, 0, 0, 0);
    FLayout->setSpacing(0);
    FLayout->addStretch(1);
    setWidget(Inner);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(true);
}

TCategoryPanel* TCategoryPanelGroup::AddPanel(const QString& ACaption, int AExpandedHeight) {
    auto* Panel = new TCategoryPanel(ACaption, widget());
    Panel->SetExpandedHeight(AExpandedHeight);
    // Panels stack above the closing stretch.
    FLayout->insertWidget(FLayout->count() - 1, Panel);
    return Panel;
}

void TCategoryPanelGroup::SetFillPanel(TCategoryPanel* APanel) {
    APanel->SetExpandedHeight(0);
    const int Index = FLayout->indexOf(APanel);
    if (Index >= 0)
        FLayout->setStretch(Index, 1);
    // While the fill panel is open it takes the room the stretch would have.
    auto UpdateStretch = [this, APanel] {
        FLayout->setStretch(FLayout->count() - 1, APanel->Collapsed() ? 1 : 0);
    };
    connect(APanel, &TCategoryPanel::CollapsedChanged, this, UpdateStretch);
    UpdateStretch();
}

// The meta-object code of the class, compiled with this source.
#include "moc_CategoryPanelGroup.cpp"
