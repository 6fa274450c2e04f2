// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>

#include <algorithm>

// The shape of a TDrawGrid without its fixed row and column: the grid keeps no cell
// data, so the model knows only how many cells there are.
class TDrawGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole) const override;
    Qt::ItemFlags flags(const QModelIndex& AIndex) const override;

    void SetRows(int AValue);
    void SetColumns(int AValue);

private:
    int FRows = 0;
    int FColumns = 0;
};
