#include "platform/QtPlatformServices.h"
#include "ui/window/ProgramFont.h"
#include "ui/window/UfrmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
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
    return QApplication::exec();
}
