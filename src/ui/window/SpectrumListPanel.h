// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QListView;
class QPainter;
class QRect;
class QStyleOptionViewItem;
class TCategoryPanel;
class TCountListModel;
class TSpectrum;

// The list of characteristic samples: a virtual list whose rows are drawn from the
// spectrum samples of the last recalculation, the five strongest first, then the peaks.
class TSpectrumListPanel : public QObject {
    Q_OBJECT
public:
    TSpectrumListPanel(const TSpectrum& ASpectrum, TCategoryPanel& AParent);
    ~TSpectrumListPanel() override;

    // As many rows as ASpectrum has samples; 0 empties the list.
    void SetCount(int ACount);

private:
    void lbSpectrumDrawItem(QPainter& ACanvas, int Index, const QRect& Rect,
                            const QStyleOptionViewItem& State);

    const TSpectrum& FSpectrum;
    QListView* lbSpectrum; // owned by the category panel, the model by the list
    TCountListModel* lbSpectrumItems = nullptr;
};
