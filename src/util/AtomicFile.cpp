// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/AtomicFile.h"

#include "util/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Small texts go out in one write at the end; long ones in pieces of this size.
constexpr qsizetype BufferSize = 64 * 1024;

// Deeper than the system itself follows links.
constexpr int MaxLinkDepth = 40;

// The file that a write to AFileName replaces: the end of its chain of links.
QByteArray TargetOf(const QString& AFileName) {
    QFileInfo Info(AFileName);
    for (int Depth = 0; Info.isSymLink() && Depth < MaxLinkDepth; ++Depth)
        Info.setFile(Info.symLinkTarget());
    return QFile::encodeName(Info.isSymLink() ? AFileName : Info.filePath());
}

// A new file beside ATarget under a name nobody else holds. A new target gets the
// usual mode of new files; an existing one only its owner's access until its own
// mode is copied.
int CreateTemporary(const QByteArray& ATarget, QByteArray& AName) {
    struct stat Existing {};
    const bool Exists = ::stat(ATarget.constData(), &Existing) == 0;
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int Attempt = 0; Attempt < 100; ++Attempt) {
        AName = ATarget + '.';
        for (int i = 0; i < 6; ++i)
            AName += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)];
        const int Handle = ::open(AName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                  Exists ? 0600 : 0666);
        if (Handle >= 0 && Exists && ::fchmod(Handle, Existing.st_mode & 07777) != 0) {
            ::close(Handle);
            ::unlink(AName.constData());
            break;
        }
        if (Handle >= 0 || errno != EEXIST)
            return Handle;
    }
    AName.clear();
    return -1;
}

// The rename is an entry of the folder: synced too, so that a crash soon after a save
// cannot bring the old file back. The new file is in place by then whatever the sync
// answers, so a folder that cannot be synced is left as it is.
void SyncFolderOf(const QByteArray& ATarget, int (*ASync)(int)) {
    const QByteArray Folder =
        QFile::encodeName(QFileInfo(QFile::decodeName(ATarget)).absolutePath());
    const int Handle = ::open(Folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Handle < 0)
        return;
    ASync(Handle);
    ::close(Handle);
}

} // namespace

bool IsReplaceable(const QFileInfo& AInfo) {
    constexpr auto AnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return AInfo.isFile() && AInfo.isWritable() && (AInfo.permissions() & AnyWrite);
}

TStagedFile::TStagedFile(const QString& AFileName, const TFileCalls& ACalls)
    : FFileName(AFileName), FTarget(TargetOf(AFileName)), FCalls(ACalls) {
    const QFileInfo Info(AFileName);
    if (Info.exists() && !IsReplaceable(Info))
        throw EWriteError(AFileName);
    FHandle = CreateTemporary(FTarget, FTemporary);
    if (FHandle < 0)
        throw EWriteError(AFileName);
}

TStagedFile::TStagedFile(TStagedFile&& AOther) noexcept
    : FFileName(std::move(AOther.FFileName)), FTarget(std::move(AOther.FTarget)),
      FTemporary(std::exchange(AOther.FTemporary, {})), FCalls(AOther.FCalls),
      FBuffer(std::move(AOther.FBuffer)), FHandle(std::exchange(AOther.FHandle, -1)) {}

TStagedFile::~TStagedFile() {
    Abandon();
}

void TStagedFile::Append(QByteArrayView AChunk) {
    Q_ASSERT(FHandle >= 0); // a completed file is final
    if (FBuffer.size() + AChunk.size() > BufferSize) {
        WriteOut(FBuffer);
        FBuffer.clear();
    }
    if (AChunk.size() >= BufferSize)
        WriteOut(AChunk);
    else
        FBuffer.append(AChunk);
}

void TStagedFile::Complete() {
    if (FHandle < 0)
        return;
    WriteOut(FBuffer);
    FBuffer = QByteArray();
    if (FCalls.Sync(FHandle) != 0)
        Fail();
    // Closed whatever close answers; an error there may be a write that never landed.
    if (FCalls.Close(std::exchange(FHandle, -1)) != 0)
        Fail();
}

void TStagedFile::Commit() {
    Q_ASSERT(!FTemporary.isEmpty()); // committed once
    Complete();
    if (FCalls.Rename(FTemporary.constData(), FTarget.constData()) != 0)
        Fail();
    FTemporary.clear();
    SyncFolderOf(FTarget, FCalls.Sync);
}

void TStagedFile::WriteOut(QByteArrayView AData) {
    const char* Next = AData.data();
    qsizetype Left = AData.size();
    while (Left > 0) {
        const ssize_t Written = FCalls.Write(FHandle, Next, static_cast<size_t>(Left));
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            Fail();
        Next += Written;
        Left -= Written;
    }
}

void TStagedFile::Fail() {
    Abandon();
    throw EWriteError(FFileName);
}

void TStagedFile::Abandon() noexcept {
    if (FHandle >= 0)
        ::close(std::exchange(FHandle, -1));
    if (!FTemporary.isEmpty())
        ::unlink(std::exchange(FTemporary, {}).constData());
}

void CommitTogether(std::span<TStagedFile> AFiles) {
    for (TStagedFile& File : AFiles)
        File.Complete();
    for (TStagedFile& File : AFiles)
        File.Commit();
}

void WriteFileAtomically(const QString& AFileName, QByteArrayView AContent) {
    TStagedFile File(AFileName);
    File.Append(AContent);
    File.Commit();
}
