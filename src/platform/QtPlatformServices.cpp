// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/QtPlatformServices.h"

#include "platform/InputQueryDialog.h"
#include "platform/MemoryLimits.h"
#include "platform/NameOnlyIconProvider.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <sys/sysinfo.h>

void TQtPlatformServices::MessageBox(QWidget* AOwner, const QString& AText, const QString& ACaption,
                                     TMessageKind AKind) {
    const QMessageBox::Icon Icon =
        AKind == TMessageKind::Error ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox Box(Icon, ACaption, AText, QMessageBox::Ok, AOwner);
    Box.exec();
}

bool TQtPlatformServices::Question(QWidget* AOwner, const QString& AText, const QString& ACaption) {
    QMessageBox Box(QMessageBox::Question, ACaption, AText, QMessageBox::Yes | QMessageBox::No,
                    AOwner);
    Box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    Box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    Box.setDefaultButton(QMessageBox::No);
    Box.setEscapeButton(QMessageBox::No);
    return Box.exec() == QMessageBox::Yes;
}

bool TQtPlatformServices::InputQuery(QWidget* AOwner, const QString& ACaption,
                                     const QString& APrompt, QString& AValue,
                                     const TCloseQuery& ACloseQuery) {
    TInputQueryDialog Dialog(AOwner, ACaption, APrompt, AValue, ACloseQuery);
    if (Dialog.exec() != QDialog::Accepted)
        return false;
    AValue = Dialog.Value();
    return true;
}

QStringList NameFiltersFromPairs(const QString& AFilter) {
    QStringList Result;
    const QStringList Parts = AFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < Parts.size(); i += 2) {
        const QString Masks = QString(Parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString& Description = Parts[i];
        if (Description.endsWith(QStringLiteral("(%1)").arg(Masks)))
            Result << Description;
        else
            Result << QStringLiteral("%1 (%2)").arg(Description, Masks);
    }
    return Result;
}

namespace {

// The open and the save dialog differ only in what they accept. The default extension
// follows the chosen filter when that names one extension, so that a name typed
// without one gets the extension of the chosen file type.
std::optional<QString> RunFileDialog(QWidget* AOwner, const TFileDialogOptions& AOptions,
                                     QFileDialog::AcceptMode AMode) {
    // Made before the dialog, which uses it until it is gone.
    TNameOnlyIconProvider Icons;
    QFileDialog Dialog(AOwner);
    Dialog.setIconProvider(&Icons);
    Dialog.setWindowTitle(AOptions.Title);
    Dialog.setSizeGripEnabled(true);
    Dialog.setAcceptMode(AMode);
    Dialog.setFileMode(AMode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    const QStringList Filters = NameFiltersFromPairs(AOptions.Filter);
    if (!Filters.isEmpty())
        Dialog.setNameFilters(Filters);
    Dialog.setDefaultSuffix(AOptions.DefaultExt);
    QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog,
                     [&Dialog, &AOptions](const QString& AFilter) {
                         const QString Ext = SingleExtensionOf(AFilter);
                         Dialog.setDefaultSuffix(Ext.isEmpty() ? AOptions.DefaultExt : Ext);
                     });
    if (!AOptions.InitialDir.isEmpty())
        Dialog.setDirectory(AOptions.InitialDir);
    if (!AOptions.FileName.isEmpty())
        Dialog.selectFile(AOptions.FileName);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Dialog.selectedFiles().constFirst();
}

} // namespace

QString SingleExtensionOf(const QString& AFilter) {
    const qsizetype Open = AFilter.lastIndexOf(QLatin1Char('('));
    const QString Masks = AFilter.mid(Open + 1).remove(QLatin1Char(')')).trimmed();
    if (Masks.contains(QLatin1Char(' ')) || !Masks.startsWith(QStringLiteral("*.")))
        return {};
    const QString Ext = Masks.mid(2);
    return Ext.contains(QLatin1Char('*')) || Ext.contains(QLatin1Char('?')) ? QString() : Ext;
}

std::optional<QString> TQtPlatformServices::OpenFileDialog(QWidget* AOwner,
                                                           const TFileDialogOptions& AOptions) {
    return RunFileDialog(AOwner, AOptions, QFileDialog::AcceptOpen);
}

std::optional<QString> TQtPlatformServices::SaveFileDialog(QWidget* AOwner,
                                                           const TFileDialogOptions& AOptions) {
    return RunFileDialog(AOwner, AOptions, QFileDialog::AcceptSave);
}

QUrl DocumentUrl(const QString& ADocument) {
    const QUrl Url(ADocument);
    // Absolute paths and bare names carry no scheme; a drive letter parses as one.
    if (Url.scheme().size() > 1)
        return Url;
    return QUrl::fromLocalFile(QFileInfo(ADocument).absoluteFilePath());
}

void TQtPlatformServices::OpenDocument(const QString& ADocument) {
    QDesktopServices::openUrl(DocumentUrl(ADocument));
}

std::optional<TMemoryStatus> MemoryStatusFromMemInfo(const QByteArray& AText) {
    std::optional<std::uint64_t> Total;
    std::optional<std::uint64_t> Available;
    for (const QByteArray& Raw : AText.split('\n')) {
        const QList<QByteArray> Fields = Raw.simplified().split(' ');
        if (Fields.size() < 2)
            continue;
        bool Ok = false;
        const std::uint64_t KiB = Fields[1].toULongLong(&Ok);
        if (!Ok)
            continue;
        if (Fields[0] == "MemTotal:")
            Total = KiB * 1024;
        else if (Fields[0] == "MemAvailable:")
            Available = KiB * 1024;
    }
    if (!Total || !Available)
        return std::nullopt;
    return TMemoryStatus{*Total, *Available};
}

TMemoryStatus TQtPlatformServices::MemoryStatus() {
    // MemAvailable counts reclaimable caches, unlike sysinfo's freeram.
    QFile File(QStringLiteral("/proc/meminfo"));
    if (File.open(QIODevice::ReadOnly))
        if (auto Status = MemoryStatusFromMemInfo(File.readAll())) {
            Status->AvailProcess = ProcessMemoryRoom();
            return *Status;
        }
    struct sysinfo Info {};
    if (sysinfo(&Info) != 0)
        throw EPlatformError(QStringLiteral("Системная ошибка: объём памяти недоступен"));
    return {static_cast<std::uint64_t>(Info.totalram) * Info.mem_unit,
            static_cast<std::uint64_t>(Info.freeram) * Info.mem_unit, ProcessMemoryRoom()};
}
