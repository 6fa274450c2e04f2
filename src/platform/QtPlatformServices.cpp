#include "platform/QtPlatformServices.h"

#include "platform/InputQueryDialog.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <sys/sysinfo.h>

void TQtPlatformServices::MessageBox(QWidget* AOwner, const QString& AText, const QString& ACaption,
                                     TMessageKind AKind) {
    const QMessageBox::Icon Icon =
        AKind == TMessageKind::Error ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox Box(Icon, ACaption, AText, QMessageBox::Ok, AOwner);
    Box.exec();
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

void SetUpFileDialog(QFileDialog& ADialog, const TFileDialogOptions& AOptions) {
    ADialog.setWindowTitle(AOptions.Title);
    ADialog.setSizeGripEnabled(true);
    const QStringList Filters = NameFiltersFromPairs(AOptions.Filter);
    if (!Filters.isEmpty())
        ADialog.setNameFilters(Filters);
    ADialog.setDefaultSuffix(AOptions.DefaultExt);
    if (!AOptions.InitialDir.isEmpty())
        ADialog.setDirectory(AOptions.InitialDir);
    if (!AOptions.FileName.isEmpty())
        ADialog.selectFile(AOptions.FileName);
}

std::optional<QString> RunFileDialog(QFileDialog& ADialog) {
    if (ADialog.exec() != QDialog::Accepted || ADialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ADialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> TQtPlatformServices::OpenFileDialog(QWidget* AOwner,
                                                           const TFileDialogOptions& AOptions) {
    QFileDialog Dialog(AOwner);
    SetUpFileDialog(Dialog, AOptions);
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(Dialog);
}

std::optional<QString> TQtPlatformServices::SaveFileDialog(QWidget* AOwner,
                                                           const TFileDialogOptions& AOptions) {
    QFileDialog Dialog(AOwner);
    SetUpFileDialog(Dialog, AOptions);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setFileMode(QFileDialog::AnyFile);
    return RunFileDialog(Dialog);
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

namespace {

// MemAvailable counts reclaimable caches, unlike sysinfo's freeram.
std::optional<std::uint64_t> MemAvailableFromProc() {
    QFile File(QStringLiteral("/proc/meminfo"));
    if (!File.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    while (!File.atEnd()) {
        const QByteArray Line = File.readLine().simplified();
        if (!Line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> Fields = Line.split(' ');
        bool Ok = false;
        const std::uint64_t KiB = Fields.size() >= 2 ? Fields[1].toULongLong(&Ok) : 0;
        if (Ok)
            return KiB * 1024;
    }
    return std::nullopt;
}

} // namespace

TMemoryStatus TQtPlatformServices::MemoryStatus() {
    struct sysinfo Info {};
    if (sysinfo(&Info) != 0)
        throw EPlatformError(QStringLiteral("Системная ошибка: объём памяти недоступен"));
    TMemoryStatus Result;
    Result.TotalPhys = static_cast<std::uint64_t>(Info.totalram) * Info.mem_unit;
    Result.AvailPhys =
        MemAvailableFromProc().value_or(static_cast<std::uint64_t>(Info.freeram) * Info.mem_unit);
    return Result;
}
