// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/AtomicFile.h"
#include "util/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include <sys/stat.h>

namespace {

// Faults of a full disk, a failing device or a network file system.
ssize_t FailWrite(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}
int FailSync(int) {
    errno = EIO;
    return -1;
}
int FailClose(int AHandle) {
    ::close(AHandle);
    errno = EIO;
    return -1;
}
int FailRename(const char*, const char*) {
    errno = EXDEV;
    return -1;
}

// What each sync was given: a file or a folder.
std::vector<bool> SyncedFolders;
int RecordSync(int AHandle) {
    struct stat Info {};
    ::fstat(AHandle, &Info);
    SyncedFolders.push_back(S_ISDIR(Info.st_mode));
    return ::fsync(AHandle);
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Write("a.txt", "old a");
        Write("b.txt", "old b");
    }
    void Write(const char* AName, const QByteArray& AContent) {
        QFile f(Path(AName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(AContent);
    }
    QByteArray Read(const char* AName) const {
        QFile f(Path(AName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString Path(const char* AName) const { return Dir.filePath(QString::fromLatin1(AName)); }
    QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files | QDir::System); }

    QTemporaryDir Dir;
};

// The file's data reach the disk before the rename, and the rename after it.
TEST_F(AtomicFileTest, CommitSyncsTheFileThenItsFolder) {
    SyncedFolders.clear();
    TStagedFile File(Path("a.txt"), {.Sync = RecordSync});
    File.Append("new a");
    File.Commit();
    EXPECT_EQ(SyncedFolders, std::vector<bool>({false, true}));
    EXPECT_EQ(Read("a.txt"), QByteArray("new a"));
}

TEST_F(AtomicFileTest, AnyFailedStepLeavesEveryTargetAsItWas) {
    const struct {
        TFileCalls Calls;
        const char* Step;
        const char* FirstAfter;
    } Faults[] = {
        {{.Write = FailWrite}, "write", "old a"},
        {{.Sync = FailSync}, "sync", "old a"},
        {{.Close = FailClose}, "close", "old a"},
        // The renames follow one another: the one before the failure is done.
        {{.Rename = FailRename}, "rename", "new a"},
    };
    for (const auto& Fault : Faults) {
        Write("a.txt", "old a");
        // The second file of a group fails; the first is complete by then.
        std::vector<TStagedFile> Group;
        Group.emplace_back(Path("a.txt")).Append("new a");
        Group.emplace_back(Path("b.txt"), Fault.Calls).Append("new b");
        try {
            CommitTogether(Group);
            ADD_FAILURE() << Fault.Step;
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to %1").arg(Path("b.txt")));
        }
        Group.clear();
        EXPECT_EQ(Read("a.txt"), QByteArray(Fault.FirstAfter)) << Fault.Step;
        EXPECT_EQ(Read("b.txt"), QByteArray("old b")) << Fault.Step;
        EXPECT_EQ(Files(), QStringList({"a.txt", "b.txt"})) << Fault.Step; // no temporary left
    }
}

TEST_F(AtomicFileTest, ChunksReplaceTheFileBehindItsLinkAndKeepItsMode) {
    ASSERT_EQ(::chmod(QFile::encodeName(Path("a.txt")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(Path("a.txt"), Path("link.txt")));
    const QByteArray Long(200'000, 'x'); // longer than any buffer
    TStagedFile File(Path("link.txt"));
    for (const QByteArray& Chunk : {QByteArray("head "), Long, QByteArray(" tail")})
        File.Append(Chunk);
    EXPECT_EQ(Read("a.txt"), QByteArray("old a")); // nothing shows before the commit
    File.Commit();
    EXPECT_EQ(Read("a.txt"), "head " + Long + " tail");
    EXPECT_TRUE(QFileInfo(Path("link.txt")).isSymLink());
    struct stat Mode {};
    ASSERT_EQ(::stat(QFile::encodeName(Path("a.txt")).constData(), &Mode), 0);
    EXPECT_EQ(Mode.st_mode & 0777, 0640u);
    EXPECT_EQ(Files(), QStringList({"a.txt", "b.txt", "link.txt"}));
}

} // namespace
