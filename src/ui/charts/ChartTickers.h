// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <qcustomplot.h>

// Writes tick labels with one of the program's number patterns in the user's locale.
class TFormatTicker : public QCPAxisTicker {
public:
    explicit TFormatTicker(QString APattern) : FPattern(std::move(APattern)) {}

    const QString& Pattern() const { return FPattern; }

protected:
    // Steps the labels show exactly: a whole number of the pattern's last decimal.
    double getTickStep(const QCPRange& ARange) override;
    QString getTickLabel(double ATick, const QLocale& ALocale, QChar AFormatChar,
                         int APrecision) override;

private:
    QString FPattern;
};

// The same labels on a logarithmic axis, at its decades.
class TFormatLogTicker : public QCPAxisTickerLog {
public:
    explicit TFormatLogTicker(QString APattern) : FPattern(std::move(APattern)) {}

protected:
    QString getTickLabel(double ATick, const QLocale& ALocale, QChar AFormatChar,
                         int APrecision) override;

private:
    QString FPattern;
};
