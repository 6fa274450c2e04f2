// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/StatusPanels.h"

#include <QLabel>

namespace {
constexpr int PanelWidth = 96;
} // namespace

TStatusPanels::TStatusPanels(QWidget* AParent) : QStatusBar(AParent) {
    setObjectName(QStringLiteral("sBar"));
    setFixedHeight(19);
    for (std::size_t i = 0; i < FPanels.size(); ++i) {
        auto* Panel = new QLabel(this);
        Panel->setObjectName(QStringLiteral("sBarPanel%1").arg(i));
        Panel->setFrameShape(QFrame::Panel);
        Panel->setFrameShadow(QFrame::Sunken);
        // The last panel runs on to the right edge, so long row descriptions show.
        const bool Last = i + 1 == FPanels.size();
        if (Last)
            Panel->setMinimumWidth(PanelWidth);
        else
            Panel->setFixedWidth(PanelWidth);
        addWidget(Panel, Last ? 1 : 0);
        FPanels[i] = Panel;
    }
}

QString TStatusPanels::Text(int APanel) const {
    if (APanel < 0 || APanel >= static_cast<int>(FPanels.size()))
        return {};
    return FPanels[APanel]->text();
}

void TStatusPanels::SetText(int APanel, const QString& AText) {
    if (APanel >= 0 && APanel < static_cast<int>(FPanels.size()))
        FPanels[APanel]->setText(AText);
}

// The meta-object code of the class, compiled with this source.
#include "moc_StatusPanels.cpp"
