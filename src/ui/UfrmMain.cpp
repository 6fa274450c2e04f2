#include "ui/UfrmMain.h"

#include "ui/CategoryPanelGroup.h"
#include "ui/ChartSetup.h"
#include "ui/DrawGrid.h"
#include "ui/ErrorGuard.h"
#include "ui/SignalGenerators.h"
#include "ui/SignalGridRows.h"
#include "ui/ValueListEditor.h"
#include "util/NumberFormat.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <qcustomplot.h>

namespace {

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

} // namespace

QString ApplicationTitle() {
    return QStringLiteral("Vibrona");
}

QFont ProgramFont() {
    QFont Font = QFontDatabase::families().contains(QStringLiteral("Tahoma"))
                     ? QFont(QStringLiteral("Tahoma"))
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    Font.setPointSize(8);
    return Font;
}

TfrmMain::TfrmMain(IPlatformServices& APlatform, QWidget* AParent)
    : QMainWindow(AParent), FPlatform(APlatform) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(ProgramFont());
    setWindowIcon(QIcon(QStringLiteral(":/icons/vibrona.png")));

    CreateActions();
    CreateMenus();
    vSplitter = new QSplitter(Qt::Horizontal, this);
    vSplitter->setObjectName(QStringLiteral("vSplitter"));
    vSplitter->setHandleWidth(3);
    vSplitter->setChildrenCollapsible(false);
    vSplitter->setOpaqueResize(true);
    CreateParamsPanel();
    CreateResultsPanel();
    vSplitter->setStretchFactor(0, 0);
    vSplitter->setStretchFactor(1, 1);
    vSplitter->setSizes({169, 833 - 169 - 3});
    setCentralWidget(vSplitter);
    CreateStatusBar();

    resize(833, 659);
    if (const QScreen* Screen = screen())
        move(Screen->availableGeometry().center() - rect().center());

    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    // Controls destroyed below may still report focus and mouse changes.
    DetachHandlers();
    FSpectrum.reset();
    FSignals.reset();
}

void TfrmMain::FormCreate() {
    setWindowTitle(ApplicationTitle());
    dgSignalsParams->SetRowCount(SignalGridRowCount);
    // One signal column from the start, so the first cell can be made current now.
    dgSignalsParams->SetColCount(2);
    dgSignalsParams->SetDefaultRowHeight(20);
    SelectGridCell(*dgSignalsParams, 1, grAmplitude);
    for (TValueListEditor* Editor : {vleCmnParams, vleDftParams})
        Editor->SetTitleCaptions(QStringLiteral("Параметр"), QStringLiteral("Значение"));
    InitParamEditors();
    CalcSettings = TCalcSettings();
    FSignals = std::make_unique<TSignals>();
    GenerateSignal(gkDampedOscillation);
    for (QCustomPlot* Chart : {tcSpectrum, tcCurve}) {
        SetAxisLabelFormat(*Chart->yAxis, QString::fromLatin1(ShortFloatFormat));
        SetAxisLabelFormat(*Chart->xAxis, QString::fromLatin1(ShortFloatFormat));
    }
    FSpectrum = std::make_unique<TSpectrum>();
    cpgParams->SetFillPanel(cpSpectrum);
}

void TfrmMain::ConnectCommand(QAction* AAction, void (TfrmMain::*AHandler)()) {
    connect(AAction, &QAction::triggered, this,
            [this, AHandler] { RunCommand([this, AHandler] { (this->*AHandler)(); }); });
}

void TfrmMain::ConnectHandlers() {
    ConnectCommand(acOpen, &TfrmMain::OpenFile);
    ConnectCommand(acSave, &TfrmMain::SaveFile);
    ConnectCommand(acRefresh, &TfrmMain::Recalculate);
    ConnectResultHandlers();
    ConnectCommand(acInsSignal, &TfrmMain::btnInsSignalClick);
    ConnectCommand(acDelSignal, &TfrmMain::btnDelSignalClick);
    const std::pair<QAction*, int> Generators[] = {{acGenSignal, gkSineWave},
                                                   {miSineWave, gkSineWave},
                                                   {miDampedOscillation, gkDampedOscillation},
                                                   {miMeander, gkMeander},
                                                   {miTriangle, gkTriangle},
                                                   {miLeftSaw, gkLeftSaw},
                                                   {miRigthSaw, gkRightSaw}};
    for (const auto& [Action, Kind] : Generators)
        connect(Action, &QAction::triggered, this,
                [this, Kind = Kind] { RunCommand([this, Kind] { GenerateSignal(Kind); }); });

    connect(Splitter2, &QSplitter::splitterMoved, this,
            [this] { RunCommand([this] { Splitter2Moved(); }); });
    connect(hSplitter, &QSplitter::splitterMoved, this,
            [this] { RunCommand([this] { hSplitterMoved(); }); });

    TDrawGrid& Grid = *dgSignalsParams;
    Grid.OnDrawCell = [this](QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                             const TGridDrawState& AState) {
        // A paint cannot open a dialog; the error box follows once painting is over.
        try {
            dgSignalsParamsDrawCell(ACanvas, ACol, ARow, ARect, AState);
        } catch (const std::exception& E) {
            const QString Message = QString::fromLocal8Bit(E.what());
            QTimer::singleShot(0, this, [this, Message] {
                RunCommand([Message] { throw EVibronaError(Message); });
            });
        }
    };
    Grid.OnSelectCell = [this](int ACol, int ARow, bool& CanSelect) {
        if (!RunCommand([&] { dgSignalsParamsSelectCell(dgSignalsParams, ACol, ARow, CanSelect); }))
            CanSelect = false;
    };
    Grid.OnGetEditText = [this](int ACol, int ARow, QString& Value) {
        RunCommand([&] { dgSignalsParamsGetEditText(dgSignalsParams, ACol, ARow, Value); });
    };
    Grid.OnSetEditText = [this](int ACol, int ARow, const QString& Value) {
        RunCommand([&] { dgSignalsParamsSetEditText(dgSignalsParams, ACol, ARow, Value); });
    };
    Grid.OnMouseMove = [this](Qt::KeyboardModifiers Shift, int X, int Y) {
        RunCommand([&] { dgSignalsParamsMouseMove(dgSignalsParams, Shift, X, Y); });
    };
    Grid.OnMouseLeave = [this] {
        RunCommand([this] { dgSignalsParamsMouseLeave(dgSignalsParams); });
    };
    // The client width settles only after the grid's own geometry has.
    Grid.OnClientResize = [this] { RunCommand([this] { AdjustGridColumns(); }); };

    vleCmnParams->OnValidate = [this](QObject* Sender, int ACol, int ARow, const QString& KeyName,
                                      const QString& KeyValue) {
        RunCommand([&] { vleCmnParamsValidate(Sender, ACol, ARow, KeyName, KeyValue); });
    };
    vleDftParams->OnValidate = [this](QObject* Sender, int ACol, int ARow, const QString& KeyName,
                                      const QString& KeyValue) {
        RunCommand([&] { vleDftParamsValidate(Sender, ACol, ARow, KeyName, KeyValue); });
    };
    vleDftParams->OnSetEditText = [this](QObject* Sender, int ACol, int ARow,
                                         const QString& Value) {
        RunCommand([&] { vleDftParamsSetEditText(Sender, ACol, ARow, Value); });
    };
    vleCmnParams->OnMouseMove = [this](Qt::KeyboardModifiers Shift, int X, int Y) {
        RunCommand([&] { vleCmnParamsMouseMove(vleCmnParams, Shift, X, Y); });
    };
    vleDftParams->OnMouseMove = [this](Qt::KeyboardModifiers Shift, int X, int Y) {
        RunCommand([&] { vleDftParamsMouseMove(vleDftParams, Shift, X, Y); });
    };
    vleCmnParams->OnMouseLeave = [this] {
        RunCommand([this] { vleParamsMouseLeave(vleCmnParams); });
    };
    vleDftParams->OnMouseLeave = [this] {
        RunCommand([this] { vleParamsMouseLeave(vleDftParams); });
    };
}

void TfrmMain::DetachHandlers() {
    if (FKeyPreviewWindow)
        FKeyPreviewWindow->removeEventFilter(this);
    TDrawGrid& Grid = *dgSignalsParams;
    Grid.OnDrawCell = nullptr;
    Grid.OnSelectCell = nullptr;
    Grid.OnGetEditText = nullptr;
    Grid.OnSetEditText = nullptr;
    Grid.OnMouseMove = nullptr;
    Grid.OnMouseLeave = nullptr;
    Grid.OnClientResize = nullptr;
    for (TValueListEditor* Editor : {vleCmnParams, vleDftParams}) {
        Editor->OnValidate = nullptr;
        Editor->OnSetEditText = nullptr;
        Editor->OnMouseMove = nullptr;
        Editor->OnMouseLeave = nullptr;
    }
}

bool TfrmMain::RunCommand(const std::function<void()>& ACommand) {
    return RunGuarded(FPlatform, this, ApplicationTitle(), ACommand);
}

void TfrmMain::OpenFile() {}

void TfrmMain::SaveFile() {}

QString TfrmMain::StatusPanelText(int APanel) const {
    if (APanel < 0 || APanel >= static_cast<int>(FStatusPanels.size()))
        return {};
    return FStatusPanels[APanel]->text();
}

void TfrmMain::SetStatusPanelText(int APanel, const QString& AText) {
    if (APanel >= 0 && APanel < static_cast<int>(FStatusPanels.size()))
        FStatusPanels[APanel]->setText(AText);
}

void TfrmMain::resizeEvent(QResizeEvent* AEvent) {
    QMainWindow::resizeEvent(AEvent);
    RunCommand([this] { AdjustGridColumns(); });
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

void TfrmMain::AdjustGridColumns() {
    TDrawGrid& Grid = *dgSignalsParams;
    Grid.SetDefaultColWidth(
        FittedColumnWidth(Grid.ColCount(), Grid.ClientWidth(), Grid.GridLineWidth(), 72));
}

void TfrmMain::SelectGridCell(TDrawGrid& Grid, int ACol, int ARow) {
    Grid.SetCurrentCell(ACol, ARow);
}
