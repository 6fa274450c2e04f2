// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QCustomPlot;
class QWidget;
class TCommandGuard;
class TProject;

// "Подобрать колебания...": the identification dialog over the curve of the last
// recalculation, the first series of ACurveChart, and the project's records, run at
// once over the whole curve.
// When it closes with "Заменить сигналы" or "Добавить сигналы" the checked
// oscillations go into the project's signals, and the records they came from are
// switched off. Returns true when the project changed.
bool RunIdentifyDialog(QWidget* AOwner, TProject& AProject, QCustomPlot& ACurveChart,
                       const TCommandGuard& AGuard, const QString& ACaption);
