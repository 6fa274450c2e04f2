// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/CountListModel.h"

// The model is all in its header; its meta-object code is compiled here, with the
// other sources of the controls.
#include "moc_CountListModel.cpp"
