// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Dft.h"
#include "model/Project.h"
#include "model/Spectrum.h"
#include "ui/window/CommandGuard.h"

#include <QMainWindow>
#include <QPointer>
#include <QWindow>

#include <functional>
#include <memory>

class IPlatformServices;
class QAction;
class QCustomPlot;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class TCategoryPanel;
class TCategoryPanelGroup;
class TChartsPanel;
class TFileCommands;
class TRecordCommands;
class TRecordsPanel;
class TSettingsPanel;
class TSignalGridPanel;
class TSpectrumListPanel;
class TStatusPanels;

// The application title: the window caption at start and the caption of message boxes.
QString ApplicationTitle();

// The main window: a frame that creates the panels, owns the toolbars, the commands,
// the shortcuts and the status bar, and routes every command. It owns the project
// (signals, settings, file name) and the spectrum samples of the last recalculation.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(IPlatformServices& APlatform, QWidget* AParent = nullptr);
    ~TfrmMain() override;

    const TProject& Project() const { return *FProject; }
    const TSignals& Signals() const { return FProject->Signals(); }
    const TSpectrum& Spectrum() const { return *FSpectrum; }
    const QString& FileName() const { return FProject->FileName(); }
    QString StatusPanelText(int APanel) const;

    // Opens a project named from outside (the command line, a drop) as the open
    // command does after its dialog; an unreadable file shows the error box.
    void OpenProjectFile(const QString& AFileName);
    // Adds record files named from outside (a drop) as the add command does after
    // its dialog.
    void AddRecordFiles(const QStringList& AFiles);

    // Runs ACommand in the guard every command runs in. Returns false when it failed.
    bool RunCommand(const std::function<void()>& ACommand);

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;
    // A project file dragged from the file manager opens when dropped; record files
    // (audio, text columns, universal files) become records; nothing else is taken.
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;

private:
    // Set-up.
    void FormCreate();
    void CreateActions();
    void CreateMenus();
    void CreateToolBars(QWidget* AParent);
    QWidget* CreateParamsPanel(QWidget* AParent);
    QWidget* CreateResultsPanel(QWidget* AParent);
    void ConnectHandlers();
    QAction* NewAction(const char* AName, const QString& AIcon, const QString& AHint,
                       bool AEnabled);
    QToolButton* NewToolButton(QToolBar* AToolBar, const char* AName, QAction* AAction,
                               QMenu* AMenu = nullptr);
    void ConnectCommand(QAction* AAction, const std::function<void()>& ACommand);

    // Shortcuts and the frame.
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void Splitter2Moved();

    // Commands.
    void OpenFile();
    void SaveFile();
    // The text exports write the chart's data in linear units, whatever the view.
    void SaveChartAsText(QCustomPlot& AChart);
    void SaveChartPicture(QCustomPlot& AChart);
    void Recalculate();
    // Refreshes the grid's columns and the settings editors; GenerateSignal takes over
    // what is being typed in an editor, opening a project drops it.
    void ShowSettings(bool ATakeOverEditing);
    // The window after a project was opened: caption, grid columns, editors and
    // records, then the message about record files that could not be read, if any.
    void ShowOpenedProject(const QString& ARecordProblems);
    // The record panel and the delete command after the records changed.
    void ShowRecords();
    void AddRecordFile();
    void DeleteRecord();
    void GenerateSignal(int AKind);
    void CheckHarmonicsCount(const QStringList& Values, bool& CanClose);
    void btnInsSignalClick();
    void btnDelSignalClick();
    void ChangeSignals();
    void IdentifySignals();

    IPlatformServices& FPlatform;
    TCommandGuard FGuard;
    std::unique_ptr<TProject> FProject = std::make_unique<TProject>();
    std::unique_ptr<TSpectrum> FSpectrum = std::make_unique<TSpectrum>();
    // The FFT plan and buffer, kept from one recalculation to the next.
    std::unique_ptr<TDftWorkspace> FDftWorkspace = std::make_unique<TDftWorkspace>();
    std::unique_ptr<TFileCommands> FFiles;
    std::unique_ptr<TRecordCommands> FRecordCommands;
    QPointer<QWindow> FKeyPreviewWindow;

    // Commands.
    QAction* acOpen = nullptr;
    QAction* acSave = nullptr;
    QAction* acRefresh = nullptr;
    QAction* acSaveCurve = nullptr;
    QAction* acSaveSpectrum = nullptr;
    QAction* acGenSignal = nullptr;
    QAction* acInsSignal = nullptr;
    QAction* acDelSignal = nullptr;
    QAction* acAddRecord = nullptr;
    QAction* acDelRecord = nullptr;
    QAction* acHelp = nullptr;
    QAction* acAbout = nullptr;
    QMenu* pmSaveCurve = nullptr;
    QMenu* pmSaveSpectrum = nullptr;
    QMenu* pmGenSignal = nullptr;
    QAction* miSaveCurveToTxt = nullptr;
    QAction* pmSaveSpectrumToTxt = nullptr;
    QAction* pmSaveCharacteristicFrequenciesToTxt = nullptr;
    QAction* miSineWave = nullptr;
    QAction* miDampedOscillation = nullptr;
    QAction* miMeander = nullptr;
    QAction* miTriangle = nullptr;
    QAction* miLeftSaw = nullptr;
    QAction* miRigthSaw = nullptr;
    QAction* miSignalsChange = nullptr;
    QAction* miIdentify = nullptr;

    // The frame's own controls; the panels own the rest.
    TStatusPanels* sBar = nullptr;
    QToolBar* tbMain = nullptr;
    QToolBar* tbSignals = nullptr;
    TCategoryPanelGroup* cpgParams = nullptr;
    TCategoryPanel* cpCmnParams = nullptr;
    TCategoryPanel* cpDftParams = nullptr;
    TCategoryPanel* cpSpectrum = nullptr;
    TCategoryPanel* cpRecords = nullptr;
    QSplitter* vSplitter = nullptr;
    QSplitter* Splitter2 = nullptr;

    // Destroyed before the controls they handle, and after the project they show.
    std::unique_ptr<TSignalGridPanel> FGridPanel;
    std::unique_ptr<TSettingsPanel> FSettingsPanel;
    std::unique_ptr<TChartsPanel> FChartsPanel;
    std::unique_ptr<TSpectrumListPanel> FSpectrumListPanel;
    std::unique_ptr<TRecordsPanel> FRecordsPanel;
};
