// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <cstdint>

class IPlatformServices;
class QLabel;
class QPushButton;

// Whom the box names after "© " and how they are reached; an empty address gets no link.
struct TAboutContacts {
    QString Holder;
    QString Email;
    QString Website;
};

// The holder and the addresses the program was configured with.
TAboutContacts ConfiguredAboutContacts();

// The About box: a title band with the icon, the title, the subtitle and the version,
// the holder line, the machine's physical memory (read anew on every paint) and the
// links that open a new mail and the web site.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(QWidget* AOwner, IPlatformServices& APlatform, QString ATitle,
              TAboutContacts AContacts = ConfiguredAboutContacts());

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void FormPaint(QPainter& ACanvas);
    void lblMailClick();
    void lblInternetClick();
    void SetLinkHovered(QLabel& ALabel, bool AHovered);
    void OpenLink(const QString& AAddress);

    IPlatformServices& FPlatform;
    QString FTitle;
    QString FHolder;
    QLabel* lblMail = nullptr; // the controls are owned by the box; no link, no label
    QLabel* lblInternet = nullptr;
    QPushButton* btnOk = nullptr;
};

// Shows the About box of ATitle modally; true when it closed with OK.
bool ShowAboutBox(QWidget* AOwner, IPlatformServices& APlatform, const QString& ATitle);

// The memory lines of the box for the given byte counts: whole MiB, digits grouped by
// the locale.
QString TotalMemoryText(std::uint64_t ABytes);
QString AvailableMemoryText(std::uint64_t ABytes);
