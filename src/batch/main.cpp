// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch/BatchCommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard stream that the caller closed keeps its number taken, read-only: no
// file the command opens can become standard output or error, and a result written
// to the stream fails as it should.
void HoldClosedStreams() {
    for (const int Stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(Stream, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_RDONLY); // the lowest free number: this stream's
}

} // namespace

int main(int argc, char* argv[]) {
    HoldClosedStreams();
    QStringList Arguments;
    for (int i = 1; i < argc; ++i)
        Arguments << QString::fromLocal8Bit(argv[i]);
    // Charts are widgets: pictures need a GUI application, which without a display
    // draws on the offscreen platform. Texts alone need neither.
    std::unique_ptr<QCoreApplication> App;
    if (NeedsPictures(Arguments)) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        App = std::make_unique<QApplication>(argc, argv);
    } else {
        App = std::make_unique<QCoreApplication>(argc, argv);
    }
    return RunBatch(App->arguments().mid(1), stdout, stderr);
}
