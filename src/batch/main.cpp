#include "batch/BatchCommand.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication App(argc, argv);
    QStringList Arguments = App.arguments();
    Arguments.removeFirst();
    return RunBatch(Arguments, stdout, stderr);
}
