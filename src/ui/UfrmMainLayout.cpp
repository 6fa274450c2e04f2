// Building the controls of the main window.
#include "ui/UfrmMain.h"

#include "ui/CategoryPanelGroup.h"
#include "ui/ChartSetup.h"
#include "ui/CountListModel.h"
#include "ui/DrawGrid.h"
#include "ui/SignalGridRows.h"
#include "ui/ValueListEditor.h"

#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace {

constexpr int ParamsPanelWidth = 169;
constexpr int ResultsPanelMinWidth = 169;
constexpr int GridHeight = 160;
constexpr int SpectrumChartHeight = 232;
constexpr int ChartPaneMinHeight = 201;
constexpr int CurveMinHeight = 30;
constexpr int StatusPanelWidth = 96;

QSplitter* NewSplitter(Qt::Orientation AOrientation, int AHandleWidth, const char* AName,
                       QWidget* AParent) {
    auto* Splitter = new QSplitter(AOrientation, AParent);
    Splitter->setObjectName(QLatin1String(AName));
    Splitter->setHandleWidth(AHandleWidth);
    Splitter->setOpaqueResize(true);
    return Splitter;
}

QCustomPlot* NewChart(const char* AName, QWidget* AParent) {
    auto* Chart = new QCustomPlot(AParent);
    Chart->setObjectName(QLatin1String(AName));
    SetupChart(*Chart);
    return Chart;
}

} // namespace

QAction* TfrmMain::NewAction(const char* AName, const QString& AIcon, const QString& AHint,
                             bool AEnabled) {
    auto* Action = new QAction(this);
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
                       QStringLiteral("Открыть... (Ctrl+O)"), false);
    acSave = NewAction("acSave", QStringLiteral(":/icons/save.png"),
                       QStringLiteral("Сохранить... (Ctrl+S)"), false);
    acRefresh = NewAction("acRefresh", QStringLiteral(":/icons/refresh.png"),
                          QStringLiteral("Обновить (Ctrl+R)"), true);
    acSaveCurve = NewAction("acSaveCurve", QStringLiteral(":/icons/save-curve.png"),
                            QStringLiteral("Сохранить кривую"), false);
    acSaveSpectrum = NewAction("acSaveSpectrum", QStringLiteral(":/icons/save-spectrum.png"),
                               QStringLiteral("Сохранить спектр"), false);
    acGenSignal = NewAction("acGenSignal", QStringLiteral(":/icons/signal.png"),
                            QStringLiteral("Сигнал"), true);
    acInsSignal = NewAction("acInsSignal", QStringLiteral(":/icons/insert.png"),
                            QStringLiteral("Вставить сигнал"), true);
    acDelSignal = NewAction("acDelSignal", QStringLiteral(":/icons/delete.png"),
                            QStringLiteral("Удалить сигнал"), true);
    acHelp =
        NewAction("acHelp", QStringLiteral(":/icons/help.png"), QStringLiteral("Справка"), false);
    acAbout = NewAction("acAbout", QStringLiteral(":/icons/about.png"),
                        QStringLiteral("О программе..."), false);
}

void TfrmMain::CreateMenus() {
    pmSaveCurve = new QMenu(this);
    pmSaveCurve->setObjectName(QStringLiteral("pmSaveCurve"));
    miSaveCurveToTxt = NewAction("miSaveCurveToTxt", {},
                                 QStringLiteral("Сохранить кривую как текстовый файл..."), false);
    pmSaveCurve->addAction(miSaveCurveToTxt);

    pmSaveSpectrum = new QMenu(this);
    pmSaveSpectrum->setObjectName(QStringLiteral("pmSaveSpectrum"));
    pmSaveSpectrumToTxt = NewAction(
        "pmSaveSpectrumToTxt", {}, QStringLiteral("Сохранить спектр как текстовый файл..."), false);
    pmSaveCharacteristicFrequenciesToTxt =
        NewAction("pmSaveCharacteristicFrequenciesToTxt", {},
                  QStringLiteral("Сохранить характерные отсчеты спектра..."), false);
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
        NewAction("miSignalsChange", {}, QStringLiteral("Изменить параметры сигналов..."), false);
    // The default item, the one the button's face runs, is shown in bold.
    QFont Bold = miSineWave->font();
    Bold.setBold(true);
    miSineWave->setFont(Bold);
    pmGenSignal->addAction(miSineWave);
    pmGenSignal->addAction(miDampedOscillation);
    pmGenSignal->addSeparator();
    pmGenSignal->addAction(miMeander);
    pmGenSignal->addAction(miTriangle);
    pmGenSignal->addAction(miLeftSaw);
    pmGenSignal->addAction(miRigthSaw);
    pmGenSignal->addSeparator();
    pmGenSignal->addAction(miSignalsChange);
    pmGenSignal->setDefaultAction(miSineWave);
}

QToolButton* TfrmMain::NewToolButton(QToolBar* AToolBar, const char* AName, QAction* AAction,
                                     QMenu* AMenu) {
    auto* Button = new QToolButton(AToolBar);
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

void TfrmMain::CreateToolBars() {
    tbMain = new QToolBar(pnlParams);
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    tbMain->setFloatable(false);
    tbMain->setIconSize(QSize(16, 16));
    tbMain->setFixedHeight(30);
    tbMain->setContentsMargins(2, 2, 2, 2);
    btnOpen = NewToolButton(tbMain, "btnOpen", acOpen);
    btnSave = NewToolButton(tbMain, "btnSave", acSave);
    tbMain->addSeparator();
    btnRefresh = NewToolButton(tbMain, "btnRefresh", acRefresh);
    tbMain->addSeparator();
    btnSaveCurve = NewToolButton(tbMain, "btnSaveCurve", acSaveCurve, pmSaveCurve);
    btnSaveSpectrum = NewToolButton(tbMain, "btnSaveSpectrum", acSaveSpectrum, pmSaveSpectrum);

    tbSignals = new QToolBar(pnlParams);
    tbSignals->setObjectName(QStringLiteral("tbSignals"));
    tbSignals->setMovable(false);
    tbSignals->setFloatable(false);
    tbSignals->setIconSize(QSize(16, 16));
    tbSignals->setFixedHeight(33);
    tbSignals->setContentsMargins(2, 2, 2, 2);
    btnGenSignal = NewToolButton(tbSignals, "btnGenSignal", acGenSignal, pmGenSignal);
    tbSignals->addSeparator();
    btnInsSignal = NewToolButton(tbSignals, "btnInsSignal", acInsSignal);
    btnDelSignal = NewToolButton(tbSignals, "btnDelSignal", acDelSignal);
    tbSignals->addSeparator();
    btnHelp = NewToolButton(tbSignals, "btnHelp", acHelp);
    tbSignals->addSeparator();
    btnAbout = NewToolButton(tbSignals, "btnAbout", acAbout);
}

void TfrmMain::CreateParamsPanel() {
    pnlParams = new QWidget(vSplitter);
    pnlParams->setObjectName(QStringLiteral("pnlParams"));
    pnlParams->setMinimumWidth(ParamsPanelWidth);
    CreateToolBars();

    cpgParams = new TCategoryPanelGroup(pnlParams);
    cpgParams->setObjectName(QStringLiteral("cpgParams"));
    cpCmnParams = cpgParams->AddPanel(QStringLiteral("Параметры"), 120);
    cpCmnParams->setObjectName(QStringLiteral("cpCmnParams"));
    vleCmnParams = new TValueListEditor(cpCmnParams);
    vleCmnParams->setObjectName(QStringLiteral("vleCmnParams"));
    cpCmnParams->SetContent(vleCmnParams);

    cpDftParams = cpgParams->AddPanel(QStringLiteral("Параметры DFT"), 120);
    cpDftParams->setObjectName(QStringLiteral("cpDftParams"));
    vleDftParams = new TValueListEditor(cpDftParams);
    vleDftParams->setObjectName(QStringLiteral("vleDftParams"));
    cpDftParams->SetContent(vleDftParams);

    cpSpectrum = cpgParams->AddPanel(QStringLiteral("Спектр"), 120);
    cpSpectrum->setObjectName(QStringLiteral("cpSpectrum"));
    cpSpectrum->setToolTip(QStringLiteral("Характерные отсчеты спектра"));
    lbSpectrum = new QListView(cpSpectrum);
    lbSpectrum->setObjectName(QStringLiteral("lbSpectrum"));
    lbSpectrumItems = new TCountListModel(lbSpectrum);
    lbSpectrum->setModel(lbSpectrumItems);
    lbSpectrum->setUniformItemSizes(true);
    lbSpectrum->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cpSpectrum->SetContent(lbSpectrum);

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
}

void TfrmMain::CreateResultsPanel() {
    pnlResults = new QWidget(vSplitter);
    pnlResults->setObjectName(QStringLiteral("pnlResults"));
    pnlResults->setMinimumWidth(ResultsPanelMinWidth);

    Splitter2 = NewSplitter(Qt::Vertical, 3, "Splitter2", pnlResults);
    dgSignalsParams = new TDrawGrid(Splitter2);
    dgSignalsParams->setObjectName(QStringLiteral("dgSignalsParams"));
    // The splitter's handler collapses the grid once it is 30 high or less.
    dgSignalsParams->setMinimumHeight(1);

    hSplitter = NewSplitter(Qt::Vertical, 4, "hSplitter", Splitter2);
    hSplitter->setChildrenCollapsible(false);
    tcCurve = NewChart("tcCurve", hSplitter);
    tcCurve->setMinimumHeight(CurveMinHeight);
    tcSpectrum = NewChart("tcSpectrum", hSplitter);
    tcSpectrum->setMinimumHeight(ChartPaneMinHeight);
    hSplitter->setStretchFactor(0, 1);
    hSplitter->setStretchFactor(1, 0);
    hSplitter->setSizes({640 - GridHeight - 3 - 4 - SpectrumChartHeight, SpectrumChartHeight});

    Splitter2->setCollapsible(0, true);
    Splitter2->setCollapsible(1, false);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({GridHeight, 640 - GridHeight - 3});

    auto* Layout = new QVBoxLayout(pnlResults);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Splitter2);
}

void TfrmMain::CreateStatusBar() {
    sBar = new QStatusBar(this);
    sBar->setObjectName(QStringLiteral("sBar"));
    sBar->setFixedHeight(19);
    for (std::size_t i = 0; i < FStatusPanels.size(); ++i) {
        auto* Panel = new QLabel(sBar);
        Panel->setObjectName(QStringLiteral("sBarPanel%1").arg(i));
        Panel->setFrameShape(QFrame::Panel);
        Panel->setFrameShadow(QFrame::Sunken);
        // The last panel runs on to the right edge, so long row descriptions show.
        const bool Last = i + 1 == FStatusPanels.size();
        if (Last)
            Panel->setMinimumWidth(StatusPanelWidth);
        else
            Panel->setFixedWidth(StatusPanelWidth);
        sBar->addWidget(Panel, Last ? 1 : 0);
        FStatusPanels[i] = Panel;
    }
    setStatusBar(sBar);
}

// Shows the grid again only when it is dragged more than 30 high.
void TfrmMain::Splitter2Moved() {
    QList<int> Sizes = Splitter2->sizes();
    if (Sizes.size() == 2 && Sizes[0] > 0 && Sizes[0] <= 30) {
        Splitter2->setSizes({0, Sizes[0] + Sizes[1]});
    }
    AdjustGridColumns();
}

// Neither chart is dragged smaller than 201 while there is room for both.
void TfrmMain::hSplitterMoved() {
    QList<int> Sizes = hSplitter->sizes();
    if (Sizes.size() != 2 || Sizes[0] + Sizes[1] < 2 * ChartPaneMinHeight)
        return;
    if (Sizes[0] < ChartPaneMinHeight)
        hSplitter->setSizes({ChartPaneMinHeight, Sizes[0] + Sizes[1] - ChartPaneMinHeight});
}
