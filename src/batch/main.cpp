#include "batch/BatchCommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

int main(int argc, char* argv[]) {
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
