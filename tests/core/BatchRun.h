// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

// What a run of the real vibrona-batch gave.
struct TBatchRun {
    int Status;
    QByteArray Out, Err;
};

// Runs vibrona-batch in AFolder under ALocale, without a display; ASetup may prepare
// the process further (a limit, a closed descriptor).
inline TBatchRun RunBatch(const QString& AFolder, const QStringList& AArgs,
                          const char* ALocale = "ru_RU.UTF-8",
                          const std::function<void(QProcess&)>& ASetup = {}) {
    QProcess p;
    if (ASetup)
        ASetup(p);
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(ALocale));
    Env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(Env);
    p.setWorkingDirectory(AFolder);
    p.start(QStringLiteral(VIBRONA_BATCH), AArgs);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
