// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/QtPlatformServices.h"
#include "ui/window/CommandLine.h"
#include "ui/window/ProgramFont.h"
#include "ui/window/UfrmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

void Print(std::FILE* AStream, const QString& AText) {
    const QByteArray Bytes = AText.toLocal8Bit();
    std::fwrite(Bytes.constData(), 1, static_cast<std::size_t>(Bytes.size()), AStream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before the application exists, so that --help and --version need no display.
    QStringList Arguments;
    for (int i = 1; i < argc; ++i)
        Arguments << QString::fromLocal8Bit(argv[i]);
    const TCommandLine CommandLine = ParseCommandLine(Arguments);
    switch (CommandLine.Action) {
    case TCommandLine::Help:
        Print(stdout, CommandLineUsage());
        return 0;
    case TCommandLine::Version:
        Print(stdout, VersionText());
        return 0;
    case TCommandLine::Refuse:
        Print(stderr, CommandLineUsage());
        return 2;
    case TCommandLine::Start:
        break;
    }

    QApplication Application(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    // Where the few view choices the program remembers are kept.
    QApplication::setOrganizationName(ApplicationTitle());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vibrona.png")));
    LoadProgramFonts();
    QApplication::setFont(ProgramFont());

    // Standard buttons and dialogs speak Russian like the rest of the program.
    QTranslator QtTranslations;
    if (QtTranslations.load(QStringLiteral("qtbase_ru"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&QtTranslations);

    TQtPlatformServices Platform;
    TfrmMain frmMain(Platform);
    frmMain.show();
    // A project named on the command line opens once the window is there.
    if (!CommandLine.ProjectFile.isEmpty())
        QTimer::singleShot(0, &frmMain, [&frmMain, File = CommandLine.ProjectFile] {
            frmMain.OpenProjectFile(File);
        });
    return QApplication::exec();
}
