#include "batch/BatchCommand.h"

#include "analysis/Recalculation.h"
#include "analysis/TextExport.h"
#include "model/ProjectFile.h"
#include "model/Signals.h"
#include "util/AtomicFile.h"
#include "util/Errors.h"
#include "util/IniFile.h"

#include "platform/QtPlatformServices.h"
#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartSeries.h"
#include "ui/pictures/ChartPicture.h"
#include "ui/pictures/PictureFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSize>

#include <qcustomplot.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace {

const char* const Usage =
    "Использование: vibrona-batch ПРОЕКТ.vbf [--curve ФАЙЛ] [--spectrum ФАЙЛ]\n"
    "                             [--samples ФАЙЛ] [--save-project ФАЙЛ]\n"
    "                             [--curve-picture ФАЙЛ] [--spectrum-picture ФАЙЛ]\n"
    "                             [--picture-size ШxВ]\n"
    "Открывает проект, пересчитывает его и записывает результаты.\n"
    "  --curve ФАЙЛ              кривая: время и значение\n"
    "  --spectrum ФАЙЛ           спектр: частота и амплитуда\n"
    "  --samples ФАЙЛ            характерные отсчеты спектра: частота, амплитуда, пик\n"
    "  --save-project ФАЙЛ       проект после пересчета, с вычисленными фазами\n"
    "  --curve-picture ФАЙЛ      рисунок кривой (.emf, .svg, .pdf или .png)\n"
    "  --spectrum-picture ФАЙЛ   рисунок спектра (.emf, .svg, .pdf или .png)\n"
    "  --picture-size ШxВ        размер рисунков в пикселях, по умолчанию как в окне\n"
    "  --help                    эта справка\n"
    "Вместо ФАЙЛ текстовых результатов можно указать \"-\": тогда результат пишется\n"
    "в стандартный вывод.\n";

struct TOptions {
    QString Project;
    std::vector<std::pair<QString, QString>> Outputs; // option and file, in the given order
    std::optional<QSize> PictureSize;
};

const QString CurvePicture = QStringLiteral("--curve-picture");
const QString SpectrumPicture = QStringLiteral("--spectrum-picture");
const QString SaveProjectOption = QStringLiteral("--save-project");
const QStringList OutputOptions = {QStringLiteral("--curve"),
                                   QStringLiteral("--spectrum"),
                                   QStringLiteral("--samples"),
                                   SaveProjectOption,
                                   CurvePicture,
                                   SpectrumPicture};

bool IsPicture(const QString& AOption) {
    return AOption == CurvePicture || AOption == SpectrumPicture;
}

// A wrong command line: the reason goes before the usage text, the exit status is 2.
class EUsage : public EVibronaError {
public:
    using EVibronaError::EVibronaError;
};

// "640x480", both sides from 1 to 10,000 pixels.
QSize ParsePictureSize(const QString& AText) {
    const QStringList Sides = AText.toLower().split(QLatin1Char('x'));
    bool WidthOk = false, HeightOk = false;
    const int Width = Sides.size() == 2 ? Sides[0].toInt(&WidthOk) : 0;
    const int Height = Sides.size() == 2 ? Sides[1].toInt(&HeightOk) : 0;
    if (!WidthOk || !HeightOk || Width < 1 || Height < 1 || Width > 10000 || Height > 10000)
        throw EUsage(QStringLiteral("Неверный размер рисунка: %1").arg(AText));
    return {Width, Height};
}

// The same file however it is named; names of files yet to be made compare cleaned.
QString FileIdentity(const QString& AName) {
    const QFileInfo Info(AName);
    const QString Canonical = Info.canonicalFilePath();
    return Canonical.isEmpty() ? QDir::cleanPath(Info.absoluteFilePath()) : Canonical;
}

// Every output names a file of its own, and only --save-project may name the project.
void CheckOutputs(const TOptions& AOptions) {
    const QString Project = FileIdentity(AOptions.Project);
    QStringList Seen;
    for (const auto& [Option, Name] : AOptions.Outputs) {
        if (IsPicture(Option) && !PictureFormatOf(Name))
            throw EUsage(QStringLiteral("Неизвестный формат рисунка %1: допустимы расширения "
                                        ".emf, .svg, .pdf и .png")
                             .arg(Name));
        if (Name == QLatin1String("-"))
            continue;
        const QString Identity = FileIdentity(Name);
        if (Option != SaveProjectOption && Identity == Project)
            throw EUsage(QStringLiteral("%1 заменил бы сам файл проекта %2").arg(Option, Name));
        if (Seen.contains(Identity))
            throw EUsage(QStringLiteral("Два результата в одном файле %1").arg(Name));
        Seen << Identity;
    }
}

TOptions ParseArguments(const QStringList& AArguments) {
    TOptions Options;
    for (int i = 0; i < AArguments.size(); ++i) {
        const QString& Arg = AArguments[i];
        const bool HasValue = i + 1 < AArguments.size();
        if (OutputOptions.contains(Arg)) {
            const bool Repeated =
                std::any_of(Options.Outputs.begin(), Options.Outputs.end(),
                            [&](const auto& AOutput) { return AOutput.first == Arg; });
            if (!HasValue || Repeated)
                throw EUsage(QString());
            Options.Outputs.emplace_back(Arg, AArguments[++i]);
        } else if (Arg == QLatin1String("--picture-size")) {
            if (!HasValue || Options.PictureSize)
                throw EUsage(QString());
            Options.PictureSize = ParsePictureSize(AArguments[++i]);
        } else if (Arg.startsWith(QLatin1String("--")) || !Options.Project.isEmpty()) {
            throw EUsage(QString());
        } else {
            Options.Project = Arg;
        }
    }
    if (Options.Project.isEmpty())
        throw EUsage(QString());
    CheckOutputs(Options);
    return Options;
}

void Print(std::FILE* AStream, const QByteArray& AText) {
    std::fwrite(AText.constData(), 1, static_cast<std::size_t>(AText.size()), AStream);
    std::fflush(AStream);
}

// Writes every file to a temporary beside it first and renames them all only when
// every one was written, so an error leaves the existing files as they were.
void WriteAll(const std::vector<std::pair<QString, QByteArray>>& AFiles) {
    std::vector<std::unique_ptr<QSaveFile>> Staged;
    for (const auto& [Name, Content] : AFiles) {
        const QFileInfo Info(Name);
        if (Info.exists() && !IsReplaceable(Info))
            throw EWriteError(Name);
        auto File = std::make_unique<QSaveFile>(Name);
        if (!File->open(QIODevice::WriteOnly) || File->write(Content) != Content.size())
            throw EWriteError(Name);
        Staged.push_back(std::move(File));
    }
    for (auto& File : Staged)
        if (!File->commit())
            throw EWriteError(File->fileName());
}

// A chart as the window draws it after a recalculation, in the picture format of AName.
QByteArray ChartPicture(const QString& AOption, const QString& AName, const TCalcResult& AResult,
                        const TCalcSettings& ASettings, std::optional<QSize> ASize) {
    const bool Curve = AOption == CurvePicture;
    const QSize Size = ASize.value_or(Curve ? CurveChartSize : SpectrumChartSize);
    QCustomPlot Chart;
    SetupChart(Chart);
    Chart.resize(Size);
    Chart.replot(); // lays the chart out at its size before the axes are fitted
    if (Curve)
        ShowCurve(Chart, AResult.CurveTime, AResult.CurveValue);
    else
        ShowSpectrum(Chart, AResult.SpectrumFrequency, AResult.SpectrumMagnitude,
                     1.0 / (ASettings.N * ASettings.dt));
    const QByteArray Picture = RenderChartPicture(Chart, *PictureFormatOf(AName), Size);
    if (Picture.isEmpty())
        throw EWriteError(AName);
    return Picture;
}

// The physical memory free for a run; without an answer from the system, no limit.
std::uint64_t AvailableMemory() {
    try {
        return TQtPlatformServices().MemoryStatus().AvailPhys;
    } catch (const EPlatformError&) {
        return std::numeric_limits<std::uint64_t>::max();
    }
}

} // namespace

bool NeedsPictures(const QStringList& AArguments) {
    return AArguments.contains(CurvePicture) || AArguments.contains(SpectrumPicture);
}

int RunBatch(const QStringList& AArguments, std::FILE* AOut, std::FILE* AErr) {
    if (AArguments.contains(QStringLiteral("--help"))) {
        Print(AOut, Usage);
        return 0;
    }
    TOptions Options;
    try {
        Options = ParseArguments(AArguments);
    } catch (const EUsage& e) {
        if (!e.Message().isEmpty())
            Print(AErr, (ErrorBoxText(e.Message()) + QLatin1Char('\n')).toLocal8Bit());
        Print(AErr, Usage);
        return 2;
    }
    try {
        if (!QFileInfo(Options.Project).isReadable() || !QFileInfo(Options.Project).isFile())
            throw EVibronaError(
                QStringLiteral("Не удается прочитать файл проекта %1").arg(Options.Project));
        // The window's state at start-up: default settings and one signal.
        TCalcSettings Settings;
        TSignals Signals;
        Signals.Add(std::make_unique<TSignal>(1, 0, 50, 60));
        OpenProject(Options.Project, Settings, Signals);
        TRecalcOptions Run;
        Run.AvailableBytes = AvailableMemory();
        const TCalcResult Result = Recalculate(Signals, Settings, Run);

        std::vector<std::pair<QString, QByteArray>> Files;
        QByteArray Stdout;
        for (const auto& [Option, Name] : Options.Outputs) {
            QByteArray Content;
            const TTextSink Sink = [&Content](QByteArrayView APiece) { Content.append(APiece); };
            if (Option == QLatin1String("--curve")) {
                WritePointsText(Result.CurveTime, Result.CurveValue, Sink);
            } else if (Option == QLatin1String("--spectrum")) {
                WritePointsText(Result.SpectrumFrequency, Result.SpectrumMagnitude, Sink);
            } else if (Option == QLatin1String("--samples")) {
                WriteCharacteristicText(Result.Characteristic, Sink);
            } else if (IsPicture(Option)) {
                Content = ChartPicture(Option, Name, Result, Settings, Options.PictureSize);
            } else {
                TIniFile Ini = Name == QLatin1String("-") ? TIniFile() : TIniFile::Load(Name);
                WriteSettings(Ini, Settings);
                WriteSignals(Ini, Signals);
                Content = Ini.Content();
            }
            if (Name == QLatin1String("-"))
                Stdout += Content;
            else
                Files.emplace_back(Name, Content);
        }
        WriteAll(Files);
        Print(AOut, Stdout);
        return 0;
    } catch (const EVibronaError& e) {
        Print(AErr, (ErrorBoxText(e.Message()) + QLatin1Char('\n')).toLocal8Bit());
    } catch (const std::exception& e) {
        Print(AErr,
              (ErrorBoxText(QString::fromLocal8Bit(e.what())) + QLatin1Char('\n')).toLocal8Bit());
    }
    return 1;
}
