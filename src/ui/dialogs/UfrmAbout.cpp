// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/UfrmAbout.h"

#include "platform/CellText.h"
#include "platform/Drawing.h"
#include "platform/PlatformServices.h"
#include "ui/dialogs/AboutInfo.h"
#include "ui/dialogs/FixedDialog.h"
#include "util/NumberFormat.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int AboutWidth = 411;
constexpr int AboutHeight = 190;
const QColor BandStartColor(255, 204, 0); // amber
const QColor BandEndColor(255, 251, 240); // near white
constexpr std::uint64_t MiB = 1048576;
const char* const MemoryPattern = "0,###";

// A rectangle given by its edges, the right and bottom ones outside it.
QRect EdgeRect(int ALeft, int ATop, int ARight, int ABottom) {
    return QRect(ALeft, ATop, ARight - ALeft, ABottom - ATop);
}

QString MemoryText(const QString& ACaption, std::uint64_t ABytes) {
    return ACaption + FormatFloat(MemoryPattern, static_cast<double>(ABytes / MiB)) +
           QStringLiteral(" МБ");
}

QLabel* NewLink(QWidget* AParent, const char* AName, const QString& ACaption, int ALeft, int ATop) {
    if (ACaption.isEmpty())
        return nullptr;
    auto* Label = new QLabel(ACaption, AParent); // owned by the box
    Label->setObjectName(QLatin1String(AName));
    Label->setTextFormat(Qt::PlainText);
    Label->setForegroundRole(QPalette::Link);
    Label->setCursor(Qt::PointingHandCursor);
    Label->move(ALeft, ATop);
    Label->adjustSize();
    return Label;
}

} // namespace

TAboutContacts ConfiguredAboutContacts() {
    return {AboutHolder(), AboutEmail(), AboutWebsite()};
}

QString TotalMemoryText(std::uint64_t ABytes) {
    return MemoryText(QStringLiteral("Всего физической памяти: "), ABytes);
}

QString AvailableMemoryText(std::uint64_t ABytes) {
    return MemoryText(QStringLiteral("Доступно физической памяти: "), ABytes);
}

TfrmAbout::TfrmAbout(QWidget* AOwner, IPlatformServices& APlatform, QString ATitle,
                     TAboutContacts AContacts)
    : QDialog(AOwner, FixedDialogFlags), FPlatform(APlatform), FTitle(std::move(ATitle)),
      FHolder(std::move(AContacts.Holder)) {
    setObjectName(QStringLiteral("frmAbout"));
    // Takes the owner's font before the links are sized to their text.
    setAttribute(Qt::WA_WindowPropagation);
    lblMail = NewLink(this, "lblMail", AContacts.Email, 232, 76);
    lblInternet = NewLink(this, "lblInternet", AContacts.Website, 232, 92);
    btnOk = new QPushButton(QStringLiteral("OK"), this); // owned by the box
    setFixedSize(AboutWidth, AboutHeight);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(328, 156, 75, 22);
    btnOk->setDefault(true);
    // Enter presses the default button; Escape closes with Cancel (QDialog's own keys).
    connect(btnOk, &QPushButton::clicked, this, &TfrmAbout::accept);
    btnOk->setFocus();

    for (QLabel* Link : {lblMail, lblInternet})
        if (Link)
            Link->installEventFilter(this);
}

void TfrmAbout::paintEvent(QPaintEvent* /*AEvent*/) {
    QPainter Canvas(this);
    FormPaint(Canvas);
}

void TfrmAbout::FormPaint(QPainter& ACanvas) {
    const int CW = width();
    const int CH = height();
    ACanvas.setBackgroundMode(Qt::TransparentMode);
    ACanvas.setPen(palette().color(QPalette::WindowText));

    DrawEtchedBottomEdge(ACanvas, EdgeRect(1, 1, CW - 1, 72), palette());
    FillGradient(ACanvas, EdgeRect(1, 1, CW - 1, 69), BandStartColor, BandEndColor,
                 GradientLeftToRight);
    const QIcon Icon = windowIcon();
    const QSize IconSize = Icon.availableSizes().value(0, QSize(32, 32));
    ACanvas.drawPixmap(16, 16, Icon.pixmap(IconSize));

    QRect Text = EdgeRect(65, 9, CW - 1, 29);
    QFont Bold = font();
    Bold.setBold(true);
    ACanvas.setFont(Bold);
    DrawCellText(ACanvas, Text, FTitle, false);
    ACanvas.setFont(font());
    Text.translate(0, 16);
    DrawCellText(ACanvas, Text, QStringLiteral("Синтез сигналов и дискретное преобразование Фурье"),
                 false);
    Text.translate(0, 16);
    DrawCellText(ACanvas, Text, QStringLiteral("Версия 1, 2020"), false);
    Text.translate(0, 32);
    DrawCellText(ACanvas, Text, QStringLiteral("© ") + FHolder, false);

    Text.translate(0, 36);
    try {
        const TMemoryStatus Memory = FPlatform.MemoryStatus();
        DrawCellText(ACanvas, Text, TotalMemoryText(Memory.TotalPhys), false);
        Text.translate(0, fontMetrics().height());
        DrawCellText(ACanvas, Text, AvailableMemoryText(Memory.AvailPhys), false);
    } catch (const std::exception&) {
        // Painting cannot show an error box; a note takes the place of the figures.
        DrawCellText(ACanvas, Text, QStringLiteral("Сведения о памяти недоступны"), false);
    }
    DrawEtchedBottomEdge(ACanvas, EdgeRect(1, 1, CW - 1, CH - 48), palette());
}

bool TfrmAbout::eventFilter(QObject* AObject, QEvent* AEvent) {
    auto* Label = qobject_cast<QLabel*>(AObject);
    if (!Label || (Label != lblMail && Label != lblInternet))
        return QDialog::eventFilter(AObject, AEvent);
    switch (AEvent->type()) {
    case QEvent::Enter:
        SetLinkHovered(*Label, true);
        break;
    case QEvent::Leave:
        SetLinkHovered(*Label, false);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* Mouse = static_cast<QMouseEvent*>(AEvent);
        if (Mouse->button() == Qt::LeftButton &&
            Label->rect().contains(Mouse->position().toPoint()))
            Label == lblMail ? lblMailClick() : lblInternetClick();
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(AObject, AEvent);
}

void TfrmAbout::SetLinkHovered(QLabel& ALabel, bool AHovered) {
    QFont Font = ALabel.font();
    Font.setUnderline(AHovered);
    ALabel.setFont(Font);
}

void TfrmAbout::lblMailClick() {
    OpenLink(QStringLiteral("mailto:") + lblMail->text());
}

void TfrmAbout::lblInternetClick() {
    OpenLink(lblInternet->text());
}

void TfrmAbout::OpenLink(const QString& AAddress) {
    // Whether a program opened the address is not reported, as with the help document.
    try {
        FPlatform.OpenDocument(AAddress);
    } catch (const std::exception&) {
    }
}

bool ShowAboutBox(QWidget* AOwner, IPlatformServices& APlatform, const QString& ATitle) {
    TfrmAbout Box(AOwner, APlatform, ATitle);
    Box.setWindowTitle(QStringLiteral("О программе \"%1\"").arg(ATitle));
    return Box.exec() == QDialog::Accepted;
}

// The meta-object code of the class, compiled with this source.
#include "moc_UfrmAbout.cpp"
