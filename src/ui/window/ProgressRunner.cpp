// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/ProgressRunner.h"

#include "ui/window/WaitCursor.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <thread>

namespace {

constexpr int ProgressSteps = 1000;
constexpr int PollMilliseconds = 50;

// What the worker and the interface thread share for the length of one run.
struct TSharedRun {
    std::atomic<double> Done{0};
    std::atomic<bool> Cancel{false};
    std::atomic<bool> Finished{false};
    std::exception_ptr Error;
};

// A small modal window with the progress of a run and "Отмена". Cancel, Escape and
// closing the window all ask the run to stop; the window stays until it has.
class TProgressWindow : public QDialog {
public:
    TProgressWindow(QWidget* AOwner, std::function<void()> ACancel)
        : QDialog(AOwner), FCancel(std::move(ACancel)), FLabel(new QLabel(this)),
          FBar(new QProgressBar(this)), FButton(new QPushButton(QStringLiteral("Отмена"), this)) {
        setObjectName(QStringLiteral("dlgProgress"));
        setWindowTitle(AOwner ? AOwner->windowTitle() : QString());
        setWindowModality(Qt::ApplicationModal);
        FLabel->setText(QStringLiteral("Расчет..."));
        FBar->setRange(0, ProgressSteps);
        FBar->setValue(0);
        auto* Layout = new QVBoxLayout(this);
        Layout->addWidget(FLabel);
        Layout->addWidget(FBar);
        Layout->addWidget(FButton, 0, Qt::AlignRight);
        connect(FButton, &QPushButton::clicked, this, &TProgressWindow::reject);
        setMinimumWidth(300);
    }

    void SetDone(double ADone) { FBar->setValue(static_cast<int>(ADone * ProgressSteps)); }

    void reject() override {
        if (!FButton->isEnabled())
            return;
        FButton->setEnabled(false);
        FLabel->setText(QStringLiteral("Расчет прерывается..."));
        FCancel();
    }

protected:
    void closeEvent(QCloseEvent* AEvent) override {
        AEvent->ignore();
        reject();
    }

private:
    std::function<void()> FCancel;
    QLabel* FLabel;
    QProgressBar* FBar;
    QPushButton* FButton;
};

} // namespace

void TProgressRunner::Run(double ASeconds, const TWork& AWork) const {
    if (ASeconds <= LongRunSeconds) {
        const TWaitCursor Wait;
        AWork({});
        return;
    }
    RunInBackground(AWork);
}

void TProgressRunner::RunInBackground(const TWork& AWork) const {
    TSharedRun Run;
    TProgressWindow Progress(FOwner, [&Run] { Run.Cancel = true; });

    QEventLoop Loop;
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, &Loop, [&] {
        Progress.SetDone(Run.Done.load());
        if (Run.Finished.load())
            Loop.quit();
    });
    std::thread Worker([&Run, &AWork] {
        try {
            AWork([&Run](double ADone) {
                Run.Done = ADone;
                return !Run.Cancel.load();
            });
        } catch (...) {
            Run.Error = std::current_exception();
        }
        Run.Finished = true;
    });
    Poll.start(PollMilliseconds);
    Progress.show();
    // The window stays up, modal, until the worker has really stopped.
    Loop.exec();
    Worker.join();
    Progress.hide();
    if (Run.Error)
        std::rethrow_exception(Run.Error);
}
