// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/DrawGridModel.h"

int TDrawGridModel::rowCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : FRows;
}

int TDrawGridModel::columnCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : FColumns;
}

QVariant TDrawGridModel::data(const QModelIndex& /*AIndex*/, int /*ARole*/) const {
    return {};
}

Qt::ItemFlags TDrawGridModel::flags(const QModelIndex& AIndex) const {
    if (!AIndex.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

// Rows and columns come and go at the end, so the current cell keeps its place.
void TDrawGridModel::SetRows(int AValue) {
    AValue = std::max(AValue, 0);
    if (AValue > FRows) {
        beginInsertRows(QModelIndex(), FRows, AValue - 1);
        FRows = AValue;
        endInsertRows();
    } else if (AValue < FRows) {
        beginRemoveRows(QModelIndex(), AValue, FRows - 1);
        FRows = AValue;
        endRemoveRows();
    }
}

void TDrawGridModel::SetColumns(int AValue) {
    AValue = std::max(AValue, 0);
    if (AValue > FColumns) {
        beginInsertColumns(QModelIndex(), FColumns, AValue - 1);
        FColumns = AValue;
        endInsertColumns();
    } else if (AValue < FColumns) {
        beginRemoveColumns(QModelIndex(), AValue, FColumns - 1);
        FColumns = AValue;
        endRemoveColumns();
    }
}

// The meta-object code of the class, compiled with this source.
#include "moc_DrawGridModel.cpp"
