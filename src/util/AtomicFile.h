#pragma once

#include <QByteArray>
#include <QString>

class QFileInfo;

// Replaces AFileName by AContent in one rename: a reader sees the old file or the
// new one, never a half-written one. Raises EWriteError naming the file when it
// cannot be written; the old file then stays as it was. A read-only file counts
// as one that cannot be written, although its folder may allow the rename.
// A regular file whose mode allows writing. The mode bits decide even for root,
// so a file the user marked read-only is never replaced behind their back.
bool IsReplaceable(const QFileInfo& AInfo);

void WriteFileAtomically(const QString& AFileName, const QByteArray& AContent);
