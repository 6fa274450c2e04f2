#pragma once

#include "analysis/Dft.h"
#include "model/CalcSettings.h"
#include "model/SignalList.h"
#include "model/Spectrum.h"
#include "platform/PlatformServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCPAbstractPlottable;
class QCPGraph;
class QMouseEvent;
class QStyleOptionViewItem;
class TSpectrumBars;
class QCustomPlot;
class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class TCategoryPanel;
class TCategoryPanelGroup;
class TCountListModel;
class TDrawGrid;
class TValueListEditor;
struct TGridDrawState;

// The one set of calculation settings of the running program.
extern TCalcSettings CalcSettings;

// The application title: the window caption at start and the caption of message boxes.
QString ApplicationTitle();
// Tahoma 8 pt where it is installed, otherwise the desktop's sans-serif at 8 pt.
QFont ProgramFont();

// The main window. It owns the signals, the spectrum samples and the project file
// name, holds every control and routes every command.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(IPlatformServices& APlatform, QWidget* AParent = nullptr);
    ~TfrmMain() override;

    const TSignals& Signals() const { return *FSignals; }
    const TSpectrum& Spectrum() const { return *FSpectrum; }
    const QString& FileName() const { return FFileName; }
    QString StatusPanelText(int APanel) const;

    // The guard every command runs in: an error escaping ACommand ends the command and
    // is shown in the application's error box. Returns false when the command failed.
    bool RunCommand(const std::function<void()>& ACommand);

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private slots:
    // Commands that are not available yet keep their actions disabled; these stay
    // empty until then.
    void OpenFile();
    void SaveFile();
    void Recalculate();

private:
    // Window set-up.
    void FormCreate();
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateParamsPanel();
    void CreateResultsPanel();
    void CreateStatusBar();
    void ConnectHandlers();
    void DetachHandlers();
    QAction* NewAction(const char* AName, const QString& AIcon, const QString& AHint,
                       bool AEnabled);
    QToolButton* NewToolButton(QToolBar* AToolBar, const char* AName, QAction* AAction,
                               QMenu* AMenu = nullptr);
    void ConnectCommand(QAction* AAction, void (TfrmMain::*AHandler)());

    // Shortcuts and the frame.
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void AdjustGridColumns();
    void SelectGridCell(TDrawGrid& Grid, int ACol, int ARow);
    void Splitter2Moved();
    void hSplitterMoved();
    void SetStatusPanelText(int APanel, const QString& AText);

    // The signal grid.
    void dgSignalsParamsDrawCell(QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                                 const TGridDrawState& AState);
    void dgSignalsParamsSelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
    void dgSignalsParamsGetEditText(QObject* Sender, int ACol, int ARow, QString& Value);
    void dgSignalsParamsSetEditText(QObject* Sender, int ACol, int ARow, const QString& Value);
    void dgSignalsParamsMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void dgSignalsParamsMouseLeave(QObject* Sender);

    // The settings editors.
    void InitParamEditors();
    // Takes over the rows being typed in first when ATakeOverEditing; opening a project
    // drops them instead.
    void ShowSettings(bool ATakeOverEditing);
    // Validates the current row of each editor, as if the user had left it.
    void ValidateEditedSettings();
    double ReadFloatSetting(TValueListEditor& Editor, const QString& Key, double Default);
    int ReadIntSetting(TValueListEditor& Editor, const QString& Key, int Default,
                       const QString& Fmt);
    void vleCmnParamsValidate(QObject* Sender, int ACol, int ARow, const QString& KeyName,
                              const QString& KeyValue);
    void vleDftParamsValidate(QObject* Sender, int ACol, int ARow, const QString& KeyName,
                              const QString& KeyValue);
    void vleDftParamsSetEditText(QObject* Sender, int ACol, int ARow, const QString& Value);
    void vleCmnParamsMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void vleDftParamsMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void vleParamsMouseLeave(QObject* Sender);

    // Results: the recalculation's series, the chart mouse and the sample list.
    void ConnectResultHandlers();
    QCPGraph* AddLineSeries(QCustomPlot* AChart, bool ARemoveFirst, int AWidth,
                            const QColor& AColor);
    TSpectrumBars* AddBarSeries(QCustomPlot* AChart, bool ARemoveFirst, const QColor& AColor);
    void tcCurveMouseMove(QCustomPlot* Sender, QMouseEvent* AEvent);
    void tcCurveMouseDown(QCustomPlot* Sender, QMouseEvent* AEvent);
    void tcCurveClickSeries(QCustomPlot* Sender, QCPAbstractPlottable* Series, int ValueIndex,
                            QMouseEvent* AEvent);
    void lbSpectrumDrawItem(QPainter& ACanvas, int Index, const QRect& Rect,
                            const QStyleOptionViewItem& State);

    // Generators and list editing.
    void GenerateSignal(int AKind);
    void CheckHarmonicsCount(QObject* Sender, const QStringList& Values, bool& CanClose);
    void btnInsSignalClick();
    void btnDelSignalClick();

    IPlatformServices& FPlatform;
    std::unique_ptr<TSignals> FSignals;
    std::unique_ptr<TSpectrum> FSpectrum;
    // The FFT plan and buffer, kept from one recalculation to the next.
    std::unique_ptr<TDftWorkspace> FDftWorkspace = std::make_unique<TDftWorkspace>();
    // Where the last press on the curve chart landed.
    QPointF FCurvePress;
    QString FFileName;
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

    // Controls.
    QStatusBar* sBar = nullptr;
    std::array<QLabel*, 3> FStatusPanels{};
    QSplitter* vSplitter = nullptr;
    QWidget* pnlParams = nullptr;
    QToolBar* tbMain = nullptr;
    QToolBar* tbSignals = nullptr;
    QToolButton* btnOpen = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnRefresh = nullptr;
    QToolButton* btnSaveCurve = nullptr;
    QToolButton* btnSaveSpectrum = nullptr;
    QToolButton* btnGenSignal = nullptr;
    QToolButton* btnInsSignal = nullptr;
    QToolButton* btnDelSignal = nullptr;
    QToolButton* btnHelp = nullptr;
    QToolButton* btnAbout = nullptr;
    TCategoryPanelGroup* cpgParams = nullptr;
    TCategoryPanel* cpCmnParams = nullptr;
    TCategoryPanel* cpDftParams = nullptr;
    TCategoryPanel* cpSpectrum = nullptr;
    TValueListEditor* vleCmnParams = nullptr;
    TValueListEditor* vleDftParams = nullptr;
    // The characteristic samples: a virtual list whose rows are drawn from FSpectrum.
    QListView* lbSpectrum = nullptr;
    TCountListModel* lbSpectrumItems = nullptr;
    QWidget* pnlResults = nullptr;
    QSplitter* Splitter2 = nullptr;
    QSplitter* hSplitter = nullptr;
    TDrawGrid* dgSignalsParams = nullptr;
    QCustomPlot* tcCurve = nullptr;
    QCustomPlot* tcSpectrum = nullptr;
};
