// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>
#include <span>

#include <unistd.h>

class QFileInfo;

// A regular file whose mode allows writing. The mode bits decide even for root,
// so a file the user marked read-only is never replaced behind their back.
bool IsReplaceable(const QFileInfo& AInfo);

// The system calls that put a staged file on disk. Tests put in failing ones for
// the faults they cannot cause otherwise, such as a sync or a close that fails.
struct TFileCalls {
    ssize_t (*Write)(int, const void*, size_t) = ::write;
    int (*Sync)(int) = ::fsync;
    int (*Close)(int) = ::close;
    int (*Rename)(const char*, const char*) = ::rename;
};

// A file written under a temporary name beside its target and renamed onto it only
// when complete, so a reader sees the old file or the new one, never a half-written
// one. Any error of the writes, the sync, the close or the rename raises EWriteError
// naming the file; the temporary is then removed and the target stays byte for byte
// as it was. So does a temporary that is never committed. A read-only target counts
// as one that cannot be written, although its folder may allow the rename. An
// existing target keeps its permissions; a link keeps leading to the replaced file.
class TStagedFile {
public:
    explicit TStagedFile(const QString& AFileName, const TFileCalls& ACalls = {});
    TStagedFile(TStagedFile&& AOther) noexcept;
    TStagedFile& operator=(TStagedFile&&) = delete;
    ~TStagedFile();

    void Append(QByteArrayView AChunk);
    // Writes out what is buffered, syncs and closes the temporary: the content is on
    // disk, the target not yet touched. Does nothing the second time.
    void Complete();
    // Completes the file and renames it onto the target.
    void Commit();
    const QString& FileName() const { return FFileName; }

private:
    void WriteOut(QByteArrayView AData);
    [[noreturn]] void Fail();
    void Abandon() noexcept;

    QString FFileName;     // as the caller named it, for the message
    QByteArray FTarget;    // the file replaced, links followed
    QByteArray FTemporary; // empty once renamed or removed
    TFileCalls FCalls;
    QByteArray FBuffer;
    int FHandle = -1;
};

// Replaces several files as a group: every one is complete on disk before the first
// is renamed, so a failed write leaves all the targets as they were. Only the renames,
// one after another, are not one step: a failing rename leaves the earlier ones done.
void CommitTogether(std::span<TStagedFile> AFiles);

void WriteFileAtomically(const QString& AFileName, QByteArrayView AContent);
