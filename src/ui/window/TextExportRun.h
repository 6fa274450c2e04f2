// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/TextExport.h"

#include <QString>

#include <functional>

class TProgressRunner;

// Writes the text of an export: hands the sink its pieces in order, reporting to the
// progress, which may stop it by raising ECancelled.
using TTextWriter = std::function<void(const TTextSink& ASink, TProgress* AProgress)>;

// Writes AFileName piece by piece through a staged file, so the whole text is never
// held at once and the target is replaced only when complete. An export estimated
// (AWork) above the runner's long run goes on a worker thread behind the progress
// window. Returns false when it was cancelled; then, as after an error, the target
// stays byte for byte as it was and no other file is left.
bool RunTextExport(const TProgressRunner& ARunner, const QString& AFileName, const TWork& AWork,
                   const TTextWriter& AWrite);
