// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/UfrmMain.h"

#include "analysis/CharacteristicSamples.h"
#include "analysis/Recalculation.h"
#include "model/SignalGenerators.h"
#include "model/SignalGridRows.h"
#include "model/records/RecordReader.h"
#include "platform/PlatformServices.h"
#include "ui/charts/ChartLook.h"
#include "ui/controls/CategoryPanelGroup.h"
#include "ui/controls/DrawGrid.h"
#include "ui/dialogs/HelpDocument.h"
#include "ui/dialogs/UfrmAbout.h"
#include "ui/dialogs/UfrmSignalsChange.h"
#include "ui/window/ChartsPanel.h"
#include "ui/window/FileCommands.h"
#include "ui/window/IdentifyCommand.h"
#include "ui/window/ProgramFont.h"
#include "ui/window/ProgressRunner.h"
#include "ui/window/RecordCommands.h"
#include "ui/window/RecordsPanel.h"
#include "ui/window/SettingsPanel.h"
#include "ui/window/SignalGridPanel.h"
#include "ui/window/SpectrumListPanel.h"
#include "ui/window/StatusPanels.h"
#include "ui/window/WaitCursor.h"
#include "util/TextConvert.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The chart panel's signals carry charts, whose type a connection needs whole.
#include <qcustomplot.h>

namespace {

constexpr int ParamsPanelWidth = 169;
constexpr int ResultsPanelMinWidth = 169;
constexpr int ClientWidth = 833;
constexpr int ClientHeight = 659;
constexpr int ResultsHeight = 640;
constexpr int GridHeight = 160;
constexpr int CollapsedGridHeight = 30;
constexpr int EditorPanelHeight = 120;
// The least room in which both charts keep readable axes, with the grid and the
// spectrum chart at their first heights.
constexpr int ReadableChartWidth = 380;
constexpr int ReadableCurveHeight = 120;
constexpr int MinimumClientWidth = ParamsPanelWidth + 3 + ReadableChartWidth;
constexpr int MinimumClientHeight =
    19 + GridHeight + 3 + ReadableCurveHeight + 4 + SpectrumChartSize.height();

// With a Russian layout the letter keys report Cyrillic letters; the shortcuts
// follow the keys, so Щ, К and Ы stand for O, R and S as on a Latin layout.
int LatinKey(int AKey) {
    switch (AKey) {
    case 0x0429: // Щ
        return Qt::Key_O;
    case 0x041A: // К
        return Qt::Key_R;
    case 0x042B: // Ы
        return Qt::Key_S;
    default:
        return AKey;
    }
}

QSplitter* NewSplitter(Qt::Orientation AOrientation, int AHandleWidth, const char* AName,
                       QWidget* AParent) {
    auto* Splitter = new QSplitter(AOrientation, AParent); // owned by AParent
    Splitter->setObjectName(QLatin1String(AName));
    Splitter->setHandleWidth(AHandleWidth);
    Splitter->setOpaqueResize(true);
    return Splitter;
}

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("Vibrona");
}

TfrmMain::TfrmMain(IPlatformServices& APlatform, QWidget* AParent)
    : QMainWindow(AParent), FPlatform(APlatform), FGuard(APlatform, this, ApplicationTitle()),
      FFiles(std::make_unique<TFileCommands>(*FProject, APlatform, this)),
      FRecordCommands(
          std::make_unique<TRecordCommands>(*FProject, APlatform, this, ApplicationTitle())) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(ProgramFont());
    setWindowIcon(QIcon(QStringLiteral(":/icons/vibrona.png")));

    CreateActions();
    CreateMenus();
    sBar = new TStatusPanels(this);
    setStatusBar(sBar);
    vSplitter = NewSplitter(Qt::Horizontal, 3, "vSplitter", this);
    vSplitter->setChildrenCollapsible(false);
    CreateParamsPanel(vSplitter);
    CreateResultsPanel(vSplitter);
    vSplitter->setStretchFactor(0, 0);
    vSplitter->setStretchFactor(1, 1);
    vSplitter->setSizes({ParamsPanelWidth, ClientWidth - ParamsPanelWidth - 3});
    setCentralWidget(vSplitter);

    setMinimumSize(MinimumClientWidth, MinimumClientHeight);
    setAcceptDrops(true);
    resize(ClientWidth, ClientHeight);
    if (const QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());

    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (FKeyPreviewWindow)
        FKeyPreviewWindow->removeEventFilter(this);
}

void TfrmMain::FormCreate() {
    setWindowTitle(ApplicationTitle());
    FGridPanel->SelectGridCell(FGridPanel->Grid(), 1, grAmplitude);
    FSettingsPanel->InitParamEditors();
    FProject->CalcSettings = TCalcSettings();
    GenerateSignal(gkDampedOscillation);
    cpgParams->SetFillPanel(cpSpectrum);
}

QAction* TfrmMain::NewAction(const char* AName, const QString& AIcon, const QString& AHint,
                             bool AEnabled) {
    auto* Action = new QAction(this); // owned by the window
    Action->setObjectName(QLatin1String(AName));
    if (!AIcon.isEmpty())
        Action->setIcon(QIcon(AIcon));
    Action->setText(AHint);
    Action->setToolTip(AHint);
    Action->setEnabled(AEnabled);
    return Action;
}

void TfrmMain::CreateActions() {
    acOpen = NewAction("acOpen", QStringLiteral(":/icons/open.png"),
                       QStringLiteral("Открыть... (Ctrl+O)"), true);
    acSave = NewAction("acSave", QStringLiteral(":/icons/save.png"),
                       QStringLiteral("Сохранить... (Ctrl+S)"), true);
    acRefresh = NewAction("acRefresh", QStringLiteral(":/icons/refresh.png"),
                          QStringLiteral("Обновить (Ctrl+R)"), true);
    acSaveCurve = NewAction("acSaveCurve", QStringLiteral(":/icons/save-curve.png"),
                            QStringLiteral("Сохранить кривую"), true);
    acSaveSpectrum = NewAction("acSaveSpectrum", QStringLiteral(":/icons/save-spectrum.png"),
                               QStringLiteral("Сохранить спектр"), true);
    acGenSignal = NewAction("acGenSignal", QStringLiteral(":/icons/signal.png"),
                            QStringLiteral("Сигнал"), true);
    acInsSignal = NewAction("acInsSignal", QStringLiteral(":/icons/insert.png"),
                            QStringLiteral("Вставить сигнал"), true);
    acDelSignal = NewAction("acDelSignal", QStringLiteral(":/icons/delete.png"),
                            QStringLiteral("Удалить сигнал"), true);
    acAddRecord = NewAction("acAddRecord", QStringLiteral(":/icons/add-record.png"),
                            QStringLiteral("Добавить запись..."), true);
    acDelRecord = NewAction("acDelRecord", QStringLiteral(":/icons/delete-record.png"),
                            QStringLiteral("Удалить запись"), false);
    acHelp =
        NewAction("acHelp", QStringLiteral(":/icons/help.png"), QStringLiteral("Справка"), true);
    acAbout = NewAction("acAbout", QStringLiteral(":/icons/about.png"),
                        QStringLiteral("О программе..."), true);
}

void TfrmMain::CreateMenus() {
    pmSaveCurve = new QMenu(this);
    pmSaveCurve->setObjectName(QStringLiteral("pmSaveCurve"));
    miSaveCurveToTxt = NewAction("miSaveCurveToTxt", {},
                                 QStringLiteral("Сохранить кривую как текстовый файл..."), true);
    pmSaveCurve->addAction(miSaveCurveToTxt);

    pmSaveSpectrum = new QMenu(this);
    pmSaveSpectrum->setObjectName(QStringLiteral("pmSaveSpectrum"));
    pmSaveSpectrumToTxt = NewAction("pmSaveSpectrumToTxt", {},
                                    QStringLiteral("Сохранить спектр как текстовый файл..."), true);
    pmSaveCharacteristicFrequenciesToTxt =
        NewAction("pmSaveCharacteristicFrequenciesToTxt", {},
                  QStringLiteral("Сохранить характерные отсчеты спектра..."), true);
    pmSaveSpectrum->addAction(pmSaveSpectrumToTxt);
    pmSaveSpectrum->addAction(pmSaveCharacteristicFrequenciesToTxt);

    pmGenSignal = new QMenu(this);
    pmGenSignal->setObjectName(QStringLiteral("pmGenSignal"));
    miSineWave = NewAction("miSineWave", {}, QStringLiteral("Синусоидальное колебание"), true);
    miDampedOscillation =
        NewAction("miDampedOscillation", {}, QStringLiteral("Затухающее колебание"), true);
    miMeander = NewAction("miMeander", {}, QStringLiteral("Меандр..."), true);
    miTriangle = NewAction("miTriangle", {}, QStringLiteral("Треугольник..."), true);
    miLeftSaw = NewAction("miLeftSaw", {}, QStringLiteral("Левосторонняя пила..."), true);
    miRigthSaw = NewAction("miRigthSaw", {}, QStringLiteral("Правосторонняя пила..."), true);
    miSignalsChange =
        NewAction("miSignalsChange", {}, QStringLiteral("Изменить параметры сигналов..."), true);
    // The default item, the one the button's face runs, is shown in bold.
    QFont Bold = miSineWave->font();
    Bold.setBold(true);
    miSineWave->setFont(Bold);
    pmGenSignal->addActions({miSineWave, miDampedOscillation});
    pmGenSignal->addSeparator();
    pmGenSignal->addActions({miMeander, miTriangle, miLeftSaw, miRigthSaw});
    pmGenSignal->addSeparator();
    pmGenSignal->addAction(miSignalsChange);
    pmGenSignal->addSeparator();
    miIdentify = NewAction("miIdentify", QStringLiteral(":/icons/identify.png"),
                           QStringLiteral("Подобрать колебания..."), true);
    pmGenSignal->addAction(miIdentify);
    pmGenSignal->setDefaultAction(miSineWave);
}

QToolButton* TfrmMain::NewToolButton(QToolBar* AToolBar, const char* AName, QAction* AAction,
                                     QMenu* AMenu) {
    auto* Button = new QToolButton(AToolBar); // owned by the toolbar
    Button->setObjectName(QLatin1String(AName));
    Button->setDefaultAction(AAction);
    Button->setAutoRaise(true);
    if (AMenu) {
        // The face runs the command, the arrow opens the menu.
        Button->setMenu(AMenu);
        Button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    AToolBar->addWidget(Button);
    return Button;
}

void TfrmMain::CreateToolBars(QWidget* AParent) {
    const auto NewToolBar = [AParent](const char* AName, int AHeight) {
        auto* ToolBar = new QToolBar(AParent); // owned by the panel
        ToolBar->setObjectName(QLatin1String(AName));
        ToolBar->setMovable(false);
        ToolBar->setFloatable(false);
        ToolBar->setIconSize(QSize(16, 16));
        ToolBar->setFixedHeight(AHeight);
        ToolBar->setContentsMargins(2, 2, 2, 2);
        return ToolBar;
    };
    tbMain = NewToolBar("tbMain", 30);
    NewToolButton(tbMain, "btnOpen", acOpen);
    NewToolButton(tbMain, "btnSave", acSave);
    tbMain->addSeparator();
    NewToolButton(tbMain, "btnRefresh", acRefresh);
    tbMain->addSeparator();
    NewToolButton(tbMain, "btnSaveCurve", acSaveCurve, pmSaveCurve);
    NewToolButton(tbMain, "btnSaveSpectrum", acSaveSpectrum, pmSaveSpectrum);

    tbSignals = NewToolBar("tbSignals", 33);
    NewToolButton(tbSignals, "btnGenSignal", acGenSignal, pmGenSignal);
    tbSignals->addSeparator();
    NewToolButton(tbSignals, "btnInsSignal", acInsSignal);
    NewToolButton(tbSignals, "btnDelSignal", acDelSignal);
    tbSignals->addSeparator();
    NewToolButton(tbSignals, "btnHelp", acHelp);
    tbSignals->addSeparator();
    NewToolButton(tbSignals, "btnAbout", acAbout);
}

QWidget* TfrmMain::CreateParamsPanel(QWidget* AParent) {
    auto* pnlParams = new QWidget(AParent); // owned by the splitter
    pnlParams->setObjectName(QStringLiteral("pnlParams"));
    pnlParams->setMinimumWidth(ParamsPanelWidth);
    CreateToolBars(pnlParams);

    cpgParams = new TCategoryPanelGroup(pnlParams);
    cpgParams->setObjectName(QStringLiteral("cpgParams"));
    cpCmnParams = cpgParams->AddPanel(QStringLiteral("Параметры"), EditorPanelHeight);
    cpCmnParams->setObjectName(QStringLiteral("cpCmnParams"));
    cpDftParams = cpgParams->AddPanel(QStringLiteral("Параметры DFT"), EditorPanelHeight);
    cpDftParams->setObjectName(QStringLiteral("cpDftParams"));
    cpSpectrum = cpgParams->AddPanel(QStringLiteral("Спектр"), EditorPanelHeight);
    cpSpectrum->setObjectName(QStringLiteral("cpSpectrum"));
    cpSpectrum->setToolTip(QStringLiteral("Характерные отсчеты спектра"));
    cpRecords = cpgParams->AddPanel(QStringLiteral("Записи"), EditorPanelHeight);
    cpRecords->setObjectName(QStringLiteral("cpRecords"));
    cpRecords->setToolTip(QStringLiteral("Измеренные записи"));
    FSettingsPanel =
        std::make_unique<TSettingsPanel>(*FProject, *sBar, FGuard, *cpCmnParams, *cpDftParams);
    FSpectrumListPanel = std::make_unique<TSpectrumListPanel>(*FSpectrum, *cpSpectrum);
    FRecordsPanel = std::make_unique<TRecordsPanel>(*FProject, *sBar, FGuard, *cpRecords,
                                                    *acAddRecord, *acDelRecord);

    auto* Layout = new QVBoxLayout(pnlParams);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    // Tight buttons, so that both toolbars fit the panel's width; the second one
    // has a single line along its top edge.
    pnlParams->setStyleSheet(
        QStringLiteral("QToolBar { border: none; spacing: 0px; padding: 1px; }"
                       "QToolBar#tbSignals { border-top: 1px solid palette(mid); }"
                       "QToolBar::separator { width: 8px; }"));
    Layout->addWidget(tbMain);
    Layout->addWidget(tbSignals);
    Layout->addWidget(cpgParams, 1);
    return pnlParams;
}

QWidget* TfrmMain::CreateResultsPanel(QWidget* AParent) {
    auto* pnlResults = new QWidget(AParent); // owned by the splitter
    pnlResults->setObjectName(QStringLiteral("pnlResults"));
    pnlResults->setMinimumWidth(ResultsPanelMinWidth);

    Splitter2 = NewSplitter(Qt::Vertical, 3, "Splitter2", pnlResults);
    FGridPanel = std::make_unique<TSignalGridPanel>(*FProject, *sBar, FGuard, Splitter2);
    // The splitter's handler collapses the grid once it is dragged 30 high or less.
    FGridPanel->Grid().setMinimumHeight(1);
    FChartsPanel = std::make_unique<TChartsPanel>(*sBar, FGuard, Splitter2);
    Splitter2->setCollapsible(0, true);
    Splitter2->setCollapsible(1, false);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({GridHeight, ResultsHeight - GridHeight - 3});

    auto* Layout = new QVBoxLayout(pnlResults);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Splitter2);
    return pnlResults;
}

void TfrmMain::ConnectCommand(QAction* AAction, const std::function<void()>& ACommand) {
    connect(AAction, &QAction::triggered, this, [this, ACommand] { RunCommand(ACommand); });
}

void TfrmMain::ConnectHandlers() {
    ConnectCommand(acOpen, [this] { OpenFile(); });
    ConnectCommand(acSave, [this] { SaveFile(); });
    ConnectCommand(acRefresh, [this] { Recalculate(); });
    ConnectCommand(acSaveCurve, [this] { SaveChartPicture(FChartsPanel->Curve()); });
    ConnectCommand(miSaveCurveToTxt, [this] { SaveChartAsText(FChartsPanel->Curve()); });
    ConnectCommand(acSaveSpectrum, [this] { SaveChartPicture(FChartsPanel->Spectrum()); });
    ConnectCommand(pmSaveSpectrumToTxt, [this] { SaveChartAsText(FChartsPanel->Spectrum()); });
    connect(FChartsPanel.get(), &TChartsPanel::SavePictureRequested, this,
            [this](QCustomPlot* AChart) { RunCommand([&] { SaveChartPicture(*AChart); }); });
    connect(FChartsPanel.get(), &TChartsPanel::SaveTextRequested, this,
            [this](QCustomPlot* AChart) { RunCommand([&] { SaveChartAsText(*AChart); }); });
    ConnectCommand(pmSaveCharacteristicFrequenciesToTxt,
                   [this] { FFiles->SaveCharacteristicFrequencies(*FSpectrum); });
    ConnectCommand(acInsSignal, [this] { btnInsSignalClick(); });
    ConnectCommand(acDelSignal, [this] { btnDelSignalClick(); });
    ConnectCommand(miSignalsChange, [this] { ChangeSignals(); });
    ConnectCommand(miIdentify, [this] { IdentifySignals(); });
    ConnectCommand(acAddRecord, [this] { AddRecordFile(); });
    ConnectCommand(acDelRecord, [this] { DeleteRecord(); });
    ConnectCommand(acHelp,
                   [this] { OpenHelpDocument(FPlatform, QCoreApplication::applicationDirPath()); });
    ConnectCommand(acAbout, [this] { ShowAboutBox(this, FPlatform, ApplicationTitle()); });
    const std::pair<QAction*, int> Generators[] = {{acGenSignal, gkSineWave},
                                                   {miSineWave, gkSineWave},
                                                   {miDampedOscillation, gkDampedOscillation},
                                                   {miMeander, gkMeander},
                                                   {miTriangle, gkTriangle},
                                                   {miLeftSaw, gkLeftSaw},
                                                   {miRigthSaw, gkRightSaw}};
    for (const auto& [Action, Kind] : Generators)
        ConnectCommand(Action, [this, Kind = Kind] { GenerateSignal(Kind); });
    connect(Splitter2, &QSplitter::splitterMoved, this,
            [this] { RunCommand([this] { Splitter2Moved(); }); });
}

bool TfrmMain::RunCommand(const std::function<void()>& ACommand) {
    return FGuard.Run(ACommand);
}

QString TfrmMain::StatusPanelText(int APanel) const {
    return sBar->Text(APanel);
}

void TfrmMain::resizeEvent(QResizeEvent* AEvent) {
    QMainWindow::resizeEvent(AEvent);
    RunCommand([this] { FGridPanel->AdjustGridColumns(); });
}

void TfrmMain::showEvent(QShowEvent* AEvent) {
    QMainWindow::showEvent(AEvent);
    // Key preview: the native window sees every key before the focused control does.
    if (QWindow* Handle = windowHandle(); Handle && Handle != FKeyPreviewWindow) {
        Handle->installEventFilter(this);
        FKeyPreviewWindow = Handle;
    }
}

bool TfrmMain::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject == FKeyPreviewWindow && AEvent->type() == QEvent::KeyPress) {
        auto* Key = static_cast<QKeyEvent*>(AEvent);
        RunCommand([&] { FormKeyDown(LatinKey(Key->key()), Key->modifiers()); });
    }
    // The key goes on to the focused control.
    return QMainWindow::eventFilter(AObject, AEvent);
}

void TfrmMain::FormKeyDown(int Key, Qt::KeyboardModifiers Shift) {
    if (!(Shift & Qt::ControlModifier))
        return;
    // Disabled commands ignore their shortcut as they ignore their button.
    switch (Key) {
    case Qt::Key_O:
        acOpen->trigger();
        break;
    case Qt::Key_R:
        acRefresh->trigger();
        break;
    case Qt::Key_S:
        acSave->trigger();
        break;
    default:
        break;
    }
}

// Shows the grid again only when it is dragged more than 30 high.
void TfrmMain::Splitter2Moved() {
    const QList<int> Sizes = Splitter2->sizes();
    if (Sizes.size() == 2 && Sizes[0] > 0 && Sizes[0] <= CollapsedGridHeight)
        Splitter2->setSizes({0, Sizes[0] + Sizes[1]});
    FGridPanel->AdjustGridColumns();
}

void TfrmMain::OpenFile() {
    if (const auto Problems = FFiles->OpenFile())
        ShowOpenedProject(*Problems);
}

void TfrmMain::OpenProjectFile(const QString& AFileName) {
    RunCommand([&] { ShowOpenedProject(FFiles->Open(AFileName)); });
}

void TfrmMain::ShowOpenedProject(const QString& ARecordProblems) {
    setWindowTitle(FFiles->Caption(ApplicationTitle()));
    // The loaded settings are shown as read; what was being typed is dropped.
    ShowSettings(false);
    ShowRecords();
    if (!ARecordProblems.isEmpty())
        FPlatform.MessageBox(this, ErrorBoxText(ARecordProblems), ApplicationTitle(),
                             TMessageKind::Warning);
}

void TfrmMain::ShowRecords() {
    FRecordsPanel->ShowRecordColumns();
    acDelRecord->setEnabled(FProject->Records().Count() > 0);
}

void TfrmMain::AddRecordFile() {
    // What is being typed in an editor counts first, so that settings taken from the
    // record are not overwritten by it afterwards.
    FSettingsPanel->ValidateEditedSettings();
    if (!FRecordCommands->AddRecordFile())
        return;
    FSettingsPanel->ShowSettings(false);
    ShowRecords();
}

void TfrmMain::AddRecordFiles(const QStringList& AFiles) {
    RunCommand([&] {
        FSettingsPanel->ValidateEditedSettings();
        if (!FRecordCommands->AddRecords(AFiles))
            return;
        FSettingsPanel->ShowSettings(false);
        ShowRecords();
    });
}

void TfrmMain::DeleteRecord() {
    FRecordCommands->DeleteRecord(FRecordsPanel->CurrentRecord());
    ShowRecords();
}

namespace {

// What a drag from the file manager carries: one project file, or record files only.
struct TDraggedFiles {
    QString Project;
    QStringList Records;
};

TDraggedFiles DraggedFiles(const QMimeData* AData) {
    if (!AData || AData->urls().isEmpty())
        return {};
    QStringList Files;
    for (const QUrl& Url : AData->urls()) {
        if (!Url.isLocalFile())
            return {};
        Files << Url.toLocalFile();
    }
    if (Files.size() == 1 && Files.front().endsWith(QStringLiteral(".vbf"), Qt::CaseInsensitive))
        return {Files.front(), {}};
    if (std::all_of(Files.begin(), Files.end(), IsRecordFileName))
        return {{}, Files};
    return {};
}

} // namespace

void TfrmMain::dragEnterEvent(QDragEnterEvent* AEvent) {
    const TDraggedFiles Files = DraggedFiles(AEvent->mimeData());
    if (!Files.Project.isEmpty() || !Files.Records.isEmpty())
        AEvent->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* AEvent) {
    const TDraggedFiles Files = DraggedFiles(AEvent->mimeData());
    if (Files.Project.isEmpty() && Files.Records.isEmpty())
        return;
    AEvent->acceptProposedAction();
    if (!Files.Project.isEmpty())
        OpenProjectFile(Files.Project);
    else
        AddRecordFiles(Files.Records);
}

void TfrmMain::SaveFile() {
    if (FFiles->SaveFile())
        setWindowTitle(FFiles->Caption(ApplicationTitle()));
}

void TfrmMain::SaveChartAsText(QCustomPlot& AChart) {
    FFiles->SaveChartAsText(AChart, FChartsPanel->DataPoints(AChart));
}

void TfrmMain::SaveChartPicture(QCustomPlot& AChart) {
    FFiles->SaveChartPicture(AChart);
}

namespace {

// The input of a run as it was before Ctrl+R, so that a cancelled run leaves no trace.
class TProjectSnapshot {
public:
    explicit TProjectSnapshot(const TProject& AProject) : FSettings(AProject.CalcSettings) {
        for (int i = 0; i < AProject.Signals().Count(); ++i)
            FSignals.push_back(AProject.Signals()[i]);
    }
    void Restore(TProject& AProject) const {
        AProject.CalcSettings = FSettings;
        for (int i = 0; i < AProject.Signals().Count() && i < static_cast<int>(FSignals.size());
             ++i)
            AProject.Signals()[i] = FSignals[static_cast<std::size_t>(i)];
    }

private:
    TCalcSettings FSettings;
    std::vector<TSignal> FSignals;
};

} // namespace

void TfrmMain::Recalculate() {
    const TProjectSnapshot Before(*FProject);
    // Text typed into the current rows of the editors counts, as if the rows were left.
    FSettingsPanel->ValidateEditedSettings();
    const TCalcSettings& Settings = FProject->CalcSettings;
    TRecalcOptions Options;
    Options.Workspace = FDftWorkspace.get();
    Options.Runner = TProgressRunner(this);
    try {
        Options.AvailableBytes = FPlatform.MemoryStatus().Usable();
    } catch (const EPlatformError&) {
        // Without an answer the run is not refused ahead; an allocation failure still is.
    }
    TCalcResult Result;
    try {
        // An invalid signal or too little memory ends the run here, before anything of
        // the results changes.
        Result = ::Recalculate(FProject->Signals(), FProject->Records(), Settings, Options);
    } catch (const ECancelled&) {
        Before.Restore(*FProject);
        FSettingsPanel->ShowSettings(false);
        FGridPanel->Repaint();
        return;
    }
    {
        const TWaitCursor Wait;
        FGridPanel->Repaint();
        FSpectrumListPanel->SetCount(0);
        FSpectrum->Clear();
        FChartsPanel->ShowResults(Result, 1.0 / (Settings.N * Settings.dt));
        FillSpectrum(*FSpectrum, Result.Characteristic);
    }
    FSpectrumListPanel->SetCount(FSpectrum->Count());
}

void TfrmMain::ShowSettings(bool ATakeOverEditing) {
    FGridPanel->ShowSignalColumns();
    FSettingsPanel->ShowSettings(ATakeOverEditing);
}

void TfrmMain::GenerateSignal(int AKind) {
    int Harmonics = 1;
    if (GeneratorNeedsCount(AKind)) {
        // The count starts at 5 every time; the last one is not remembered.
        QString Value = QStringLiteral("5");
        const auto CloseQuery = [this](const QString& AValue) {
            bool CanClose = false;
            CheckHarmonicsCount({AValue}, CanClose);
            return CanClose;
        };
        if (!FPlatform.InputQuery(this, QStringLiteral("Количество гармоник"),
                                  QStringLiteral("Введите количество гармоник"), Value, CloseQuery))
            return;
        Harmonics = TextToIntDef(Value, 1);
    }
    GenerateSignals(FProject->Signals(), AKind, Harmonics);
    FProject->SetFileName({});
    ShowSettings(true);
}

void TfrmMain::CheckHarmonicsCount(const QStringList& Values, bool& CanClose) {
    int Count = 0;
    CanClose = !Values.isEmpty() && TryTextToInt(Values.front(), Count) &&
               Count >= MinHarmonicsCount && Count <= MaxHarmonicsCount;
}

void TfrmMain::btnInsSignalClick() {
    FGridPanel->InsertSignal();
}

void TfrmMain::btnDelSignalClick() {
    if (FProject->Signals().Count() == 1) {
        FPlatform.MessageBox(this, QStringLiteral("Последний сигнал не может быть удален!"),
                             ApplicationTitle(), TMessageKind::Warning);
        return;
    }
    FGridPanel->DeleteSignal();
}

void TfrmMain::ChangeSignals() {
    TSignalParams Param = spAmplitude;
    TChangeOperations Operation = choMultiplication;
    double Value = 0;
    if (!ExecuteSignalsChange(this, Param, Operation, Value))
        return;
    // Every signal, active or not; nothing is recalculated.
    FProject->Signals().ChangeParam(Param, Operation, Value);
    FGridPanel->Repaint();
}

void TfrmMain::IdentifySignals() {
    // The curve of the last recalculation; without one, a recalculation makes it.
    if (FChartsPanel->Curve().plottableCount() == 0)
        Recalculate();
    if (FChartsPanel->Curve().plottableCount() == 0)
        return;
    // What is being typed counts, as on Ctrl+R; the replaced C is shown afterwards.
    FSettingsPanel->ValidateEditedSettings();
    if (RunIdentifyDialog(this, *FProject, FChartsPanel->Curve(), FGuard, ApplicationTitle())) {
        ShowSettings(false);
        ShowRecords(); // the records the model now stands for are switched off
    }
}

// The meta-object code of the class, compiled with this source.
#include "moc_UfrmMain.cpp"
