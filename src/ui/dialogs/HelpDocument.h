// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

class IPlatformServices;

// The user manual: "help.pdf" in the program's folder or, for an installed program,
// in ../share/vibrona/ beside it (not in share/doc, which a system may leave out);
// nothing when neither exists.
std::optional<QString> HelpDocumentPath(const QString& AProgramFolder);

// Opens the manual with the desktop's PDF viewer. A missing manual or a failure to
// open it is not reported.
void OpenHelpDocument(IPlatformServices& APlatform, const QString& AProgramFolder);
