// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// Base of every error the program raises on purpose. The message is the exact
// text that the application's error box shows.
class EVibronaError : public std::exception {
public:
    explicit EVibronaError(QString AMessage)
        : FMessage(std::move(AMessage)), FUtf8(FMessage.toUtf8()) {}
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// A position outside a list: "List index out of bounds (%d)".
class EListError : public EVibronaError {
public:
    explicit EListError(int AIndex)
        : EVibronaError(QStringLiteral("List index out of bounds (%1)").arg(AIndex)) {}
};

// A floating-point division by zero that the arithmetic itself would not report.
class EZeroDivide : public EVibronaError {
public:
    EZeroDivide() : EVibronaError(QStringLiteral("Floating point division by zero")) {}
};

// A file that cannot be written: "Unable to write to %s".
class EWriteError : public EVibronaError {
public:
    explicit EWriteError(const QString& AFileName)
        : EVibronaError(QStringLiteral("Unable to write to %1").arg(AFileName)) {}
};

// A file that exists but cannot be read: no permission, a folder, an I/O error.
class EReadError : public EVibronaError {
public:
    explicit EReadError(const QString& AFileName)
        : EVibronaError(QStringLiteral("Не удается прочитать файл %1").arg(AFileName)) {}
};

// The text of the application's error box: a "." is appended when the message's
// last character sorts after "."; texts ending in "!" or "." stay as they are.
inline QString ErrorBoxText(const QString& AMessage) {
    if (!AMessage.isEmpty() && AMessage.back() > QLatin1Char('.'))
        return AMessage + QLatin1Char('.');
    return AMessage;
}
