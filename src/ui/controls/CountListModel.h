// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>

#include <algorithm>

// A virtual list: it knows only how many rows there are; a delegate draws each row
// from data kept elsewhere.
class TCountListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override {
        return AParent.isValid() ? 0 : FCount;
    }
    QVariant data(const QModelIndex& /*AIndex*/, int /*ARole*/) const override { return {}; }

    int Count() const { return FCount; }
    void SetCount(int AValue) {
        beginResetModel();
        FCount = std::max(AValue, 0);
        endResetModel();
    }

private:
    int FCount = 0;
};
