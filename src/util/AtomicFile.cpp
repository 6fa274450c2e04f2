#include "util/AtomicFile.h"

#include "util/Errors.h"

#include <QFileInfo>
#include <QSaveFile>

bool IsReplaceable(const QFileInfo& AInfo) {
    constexpr auto AnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return AInfo.isFile() && AInfo.isWritable() && (AInfo.permissions() & AnyWrite);
}

void WriteFileAtomically(const QString& AFileName, const QByteArray& AContent) {
    const QFileInfo Info(AFileName);
    if (Info.exists() && !IsReplaceable(Info))
        throw EWriteError(AFileName);
    QSaveFile File(AFileName);
    if (!File.open(QIODevice::WriteOnly))
        throw EWriteError(AFileName);
    if (File.write(AContent) != AContent.size()) {
        File.cancelWriting();
        throw EWriteError(AFileName);
    }
    if (!File.commit())
        throw EWriteError(AFileName);
}
