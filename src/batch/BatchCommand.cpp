// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch/BatchCommand.h"

#include "analysis/Recalculation.h"
#include "analysis/TextExport.h"
#include "analysis/identify/IdentifiedProject.h"
#include "batch/BatchIdentify.h"
#include "model/ProjectFile.h"
#include "model/Signals.h"
#include "util/AtomicFile.h"
#include "util/Errors.h"
#include "util/IniFile.h"
#include "util/TextConvert.h"

#include "platform/QtPlatformServices.h"
#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartSeries.h"
#include "ui/pictures/ChartPicture.h"
#include "ui/pictures/PictureFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QSize>

#include <qcustomplot.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

const char* const Usage =
    "Использование: vibrona-batch [ПРОЕКТ.vbf] [--record ФАЙЛ[:КАНАЛ]]...\n"
    "                             [--curve ФАЙЛ] [--spectrum ФАЙЛ]\n"
    "                             [--samples ФАЙЛ] [--save-project ФАЙЛ]\n"
    "                             [--curve-picture ФАЙЛ] [--spectrum-picture ФАЙЛ]\n"
    "                             [--picture-size ШxВ]\n"
    "                             [--identify ФАЙЛ [--identify-count N]]\n"
    "Открывает проект, добавляет записи, пересчитывает и записывает результаты.\n"
    "  --record ФАЙЛ[:КАНАЛ]     добавить запись: звук, текстовые столбцы или\n"
    "                            универсальный файл; канал с 1, по умолчанию первый.\n"
    "                            Без проекта нужна хотя бы одна запись: шаг, M, N\n"
    "                            и K берутся по первой из них\n"
    "  --curve ФАЙЛ              кривая: время и значение\n"
    "  --spectrum ФАЙЛ           спектр: частота и амплитуда\n"
    "  --samples ФАЙЛ            характерные отсчеты спектра: частота, амплитуда, пик\n"
    "  --save-project ФАЙЛ       проект после пересчета, с вычисленными фазами и записями\n"
    "  --curve-picture ФАЙЛ      рисунок кривой (.emf, .svg, .pdf или .png)\n"
    "  --spectrum-picture ФАЙЛ   рисунок спектра (.emf, .svg, .pdf или .png)\n"
    "  --picture-size ШxВ        размер рисунков в пикселях, по умолчанию как в окне\n"
    "  --identify ФАЙЛ           затухающие колебания кривой: F, D, A и V; с --save-project\n"
    "                            проект сохраняется с ними вместо прежних сигналов\n"
    "  --identify-count N        искать не более N колебаний, от 1 до 50, по умолчанию 10\n"
    "  --help                    эта справка\n"
    "  --version                 версия программы\n"
    "Вместо ФАЙЛ текстовых результатов можно указать \"-\": тогда результат пишется\n"
    "в стандартный вывод.\n";

static_assert(IdentifyMaxCount == 50 && IdentifyDefaultCount == 10, "the usage text names them");

// A record to add: its file and channel, from 1.
struct TRecordOption {
    QString File;
    int Channel = 1;
};

struct TOptions {
    QString Project; // empty when the records alone make the project
    std::vector<TRecordOption> Records;
    std::vector<std::pair<QString, QString>> Outputs; // option and file, in the given order
    std::optional<QSize> PictureSize;
    std::optional<int> IdentifyCount;
};

const QString CurvePicture = QStringLiteral("--curve-picture");
const QString SpectrumPicture = QStringLiteral("--spectrum-picture");
const QString SaveProjectOption = QStringLiteral("--save-project");
const QString RecordOption = QStringLiteral("--record");
const QStringList OutputOptions = {QStringLiteral("--curve"),
                                   QStringLiteral("--spectrum"),
                                   QStringLiteral("--samples"),
                                   SaveProjectOption,
                                   CurvePicture,
                                   SpectrumPicture,
                                   IdentifyOption};

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

// "FILE:CHANNEL" or "FILE". A name that itself ends in a colon and digits names an
// existing file, which then wins.
TRecordOption ParseRecord(const QString& AText) {
    const qsizetype Colon = AText.lastIndexOf(QLatin1Char(':'));
    if (Colon > 0 && !QFileInfo::exists(AText)) {
        const QString Number = AText.mid(Colon + 1);
        const bool Digits = !Number.isEmpty() && std::all_of(Number.begin(), Number.end(),
                                                             [](QChar c) { return c.isDigit(); });
        if (Digits) {
            int Channel = 0;
            if (!TryTextToInt(Number, Channel) || Channel < 1)
                throw EUsage(QStringLiteral("Неверный номер канала: %1").arg(AText));
            return {AText.left(Colon), Channel};
        }
    }
    return {AText, 1};
}

// Every output names a file of its own; only --save-project may name the project, and
// none a record's file.
void CheckOutputs(const TOptions& AOptions) {
    const QString Project = AOptions.Project.isEmpty() ? QString() : FileIdentity(AOptions.Project);
    QStringList Records;
    for (const TRecordOption& r : AOptions.Records)
        Records << FileIdentity(r.File);
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
        if (Records.contains(Identity))
            throw EUsage(QStringLiteral("%1 заменил бы файл записи %2").arg(Option, Name));
        if (Seen.contains(Identity))
            throw EUsage(QStringLiteral("Два результата в одном файле %1").arg(Name));
        Seen << Identity;
    }
}

bool Requested(const TOptions& AOptions, const QString& AOption) {
    return std::any_of(AOptions.Outputs.begin(), AOptions.Outputs.end(),
                       [&](const auto& AOutput) { return AOutput.first == AOption; });
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
        } else if (Arg == RecordOption) {
            if (!HasValue)
                throw EUsage(QString());
            Options.Records.push_back(ParseRecord(AArguments[++i]));
        } else if (Arg == QLatin1String("--picture-size")) {
            if (!HasValue || Options.PictureSize)
                throw EUsage(QString());
            Options.PictureSize = ParsePictureSize(AArguments[++i]);
        } else if (Arg == IdentifyCountOption) {
            if (!HasValue || Options.IdentifyCount)
                throw EUsage(QString());
            Options.IdentifyCount = ParseIdentifyCount(AArguments[++i]);
            if (!Options.IdentifyCount)
                throw EUsage(IdentifyCountError(AArguments[i]));
        } else if (Arg.startsWith(QLatin1String("--")) || !Options.Project.isEmpty()) {
            throw EUsage(QString());
        } else {
            Options.Project = Arg;
        }
    }
    if (Options.Project.isEmpty() && Options.Records.empty())
        throw EUsage(QStringLiteral("Нужен файл проекта или хотя бы одна запись (--record)"));
    if (Options.IdentifyCount && !Requested(Options, IdentifyOption))
        throw EUsage(QStringLiteral("%1 задается только вместе с %2")
                         .arg(IdentifyCountOption, IdentifyOption));
    CheckOutputs(Options);
    return Options;
}

// Messages: when standard error fails there is nowhere left to report it.
void Print(std::FILE* AStream, const QByteArray& AText) {
    std::fwrite(AText.constData(), 1, static_cast<std::size_t>(AText.size()), AStream);
    std::fflush(AStream);
}

int Failed(std::FILE* AErr, const QString& AMessage) {
    Print(AErr, (ErrorBoxText(AMessage) + QLatin1Char('\n')).toLocal8Bit());
    return 1;
}

// Results on standard output ("-"): a full disk or a closed stream is an error.
void WriteOut(std::FILE* AStream, const QByteArray& AText) {
    const auto Size = static_cast<std::size_t>(AText.size());
    if (std::fwrite(AText.constData(), 1, Size, AStream) != Size || std::fflush(AStream) != 0 ||
        std::ferror(AStream))
        throw EWriteError(QStringLiteral("-"));
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

// The memory free for a run, within the process's limits; without an answer from the
// system, no limit.
std::uint64_t AvailableMemory() {
    try {
        return TQtPlatformServices().MemoryStatus().Usable();
    } catch (const EPlatformError&) {
        return std::numeric_limits<std::uint64_t>::max();
    }
}

// Opens the project over the window's state at start-up (default settings, one
// signal); records whose files cannot be read stay and are told about on AErr.
void OpenProjectAsTheWindowDoes(const QString& AFileName, TProject& AProject, std::uint64_t AMemory,
                                std::FILE* AErr) {
    if (!QFileInfo(AFileName).isReadable() || !QFileInfo(AFileName).isFile())
        throw EVibronaError(QStringLiteral("Не удается прочитать файл проекта %1").arg(AFileName));
    AProject.Signals().Add(std::make_unique<TSignal>(1, 0, 50, 60));
    const QString Problems = RecordProblemsText(OpenProject(AFileName, AProject, AMemory));
    if (!Problems.isEmpty())
        Print(AErr, (ErrorBoxText(Problems) + QLatin1Char('\n')).toLocal8Bit());
}

// Appends the records of the command line. Without a project the first one gives
// the settings, over the defaults: no signal, C 0, no window.
void AddRecords(const std::vector<TRecordOption>& ARecords, bool AFromRecord, TProject& AProject,
                std::uint64_t AMemory) {
    for (const TRecordOption& Option : ARecords) {
        const std::uint64_t Held = AProject.Records().SampleBytes();
        AProject.Records().Add(
            ReadRecord(Option.File, Option.Channel, AMemory - std::min(AMemory, Held)));
    }
    if (AFromRecord && AProject.Records().Count() > 0)
        AProject.CalcSettings = SettingsForRecord(AProject.Records()[0], TCalcSettings());
}

} // namespace

bool NeedsPictures(const QStringList& AArguments) {
    return AArguments.contains(CurvePicture) || AArguments.contains(SpectrumPicture);
}

int RunBatch(const QStringList& AArguments, std::FILE* AOut, std::FILE* AErr) {
    const bool Help = AArguments.contains(QStringLiteral("--help"));
    if (Help || AArguments.contains(QStringLiteral("--version"))) {
        try {
            WriteOut(AOut,
                     Help ? QByteArray(Usage) : QByteArrayLiteral("Vibrona " VIBRONA_VERSION "\n"));
            return 0;
        } catch (const EWriteError& e) {
            return Failed(AErr, e.Message());
        }
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
        TProject Project;
        const std::uint64_t Memory = AvailableMemory();
        if (!Options.Project.isEmpty())
            OpenProjectAsTheWindowDoes(Options.Project, Project, Memory, AErr);
        AddRecords(Options.Records, Options.Project.isEmpty(), Project, Memory);
        TRecalcOptions Run;
        Run.AvailableBytes = Memory;
        const TCalcResult Result =
            Recalculate(Project.Signals(), Project.Records(), Project.CalcSettings, Run);
        TCalcSettings& Settings = Project.CalcSettings;
        std::optional<TIdentification> Identified;
        if (Requested(Options, IdentifyOption))
            Identified = IdentifyCurve(
                Result, Settings.dt, Options.IdentifyCount.value_or(IdentifyDefaultCount), Memory);

        std::vector<TStagedFile> Files;
        QByteArray Stdout;
        for (const auto& [Option, Name] : Options.Outputs) {
            // Texts go straight into their temporaries piece by piece; standard output
            // waits until every file is complete.
            const bool ToStdout = Name == QLatin1String("-");
            TStagedFile* File = ToStdout ? nullptr : &Files.emplace_back(Name);
            const TTextSink Sink = [&](QByteArrayView APiece) {
                if (File)
                    File->Append(APiece);
                else
                    Stdout.append(APiece);
            };
            QByteArray Content; // the outputs made whole: pictures and the project
            if (Option == QLatin1String("--curve")) {
                WritePointsText(Result.CurveTime, Result.CurveValue, Sink);
            } else if (Option == QLatin1String("--spectrum")) {
                WritePointsText(Result.SpectrumFrequency, Result.SpectrumMagnitude, Sink);
            } else if (Option == QLatin1String("--samples")) {
                WriteCharacteristicText(Result.Characteristic, Sink);
            } else if (Option == IdentifyOption) {
                Content = IdentificationText(*Identified);
            } else if (IsPicture(Option)) {
                Content = ChartPicture(Option, Name, Result, Settings, Options.PictureSize);
            } else {
                if (Identified) {
                    UseIdentifiedProject(Project.Signals(), Settings, *Identified);
                    // The model now stands for the measurement: keep it out of the curve.
                    SwitchOffIdentifiedRecords(Project.Records(), -1);
                }
                TIniFile Ini = ToStdout ? TIniFile() : TIniFile::Load(Name);
                WriteSettings(Ini, Settings);
                WriteSignals(Ini, Project.Signals());
                // Standard output has no folder: its records keep full paths.
                WriteRecords(Ini, Project.Records(),
                             ToStdout ? QString() : QFileInfo(Name).absolutePath());
                Content = Ini.Content();
            }
            Sink(Content);
        }
        // Every file is complete on disk before standard output is written, and that
        // before the first rename: an error up to then changes no file.
        for (TStagedFile& File : Files)
            File.Complete();
        WriteOut(AOut, Stdout);
        CommitTogether(Files);
        return 0;
    } catch (const EVibronaError& e) {
        return Failed(AErr, e.Message());
    } catch (const std::bad_alloc&) {
        // Outside the recalculation as well: the texts, the pictures, the project.
        return Failed(AErr, EOutOfMemory().Message());
    } catch (const std::exception& e) {
        return Failed(AErr, QString::fromLocal8Bit(e.what()));
    }
}
