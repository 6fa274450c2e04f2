// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Precompiled for the sources that use the charts: the chart library's header without
// the whole of Qt Print Support, which it includes though none of its declarations need
// it. Qt's include guard of that module header stands in for the module.
#define QT_QTPRINTSUPPORT_MODULE_H
#include <QtWidgets/QWidget>
#include <qcustomplot.h>
