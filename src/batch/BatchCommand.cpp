#include "batch/BatchCommand.h"

#include "analysis/Recalculation.h"
#include "analysis/TextExport.h"
#include "model/ProjectFile.h"
#include "model/Signals.h"
#include "util/AtomicFile.h"
#include "util/Errors.h"
#include "util/IniFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

const char* const Usage =
    "Использование: vibrona-batch ПРОЕКТ.vbf [--curve ФАЙЛ] [--spectrum ФАЙЛ]\n"
    "                             [--samples ФАЙЛ] [--save-project ФАЙЛ]\n"
    "Открывает проект, пересчитывает его и записывает результаты.\n"
    "  --curve ФАЙЛ          кривая: время и значение\n"
    "  --spectrum ФАЙЛ       спектр: частота и амплитуда\n"
    "  --samples ФАЙЛ        характерные отсчеты спектра: частота, амплитуда, пик\n"
    "  --save-project ФАЙЛ   проект после пересчета, с вычисленными фазами\n"
    "  --help                эта справка\n"
    "Вместо ФАЙЛ можно указать \"-\": тогда результат пишется в стандартный вывод.\n";

struct TOptions {
    QString Project;
    std::vector<std::pair<QString, QString>> Outputs; // option and file, in the given order
};

const QStringList OutputOptions = {QStringLiteral("--curve"), QStringLiteral("--spectrum"),
                                   QStringLiteral("--samples"), QStringLiteral("--save-project")};

std::optional<TOptions> ParseArguments(const QStringList& AArguments) {
    TOptions Options;
    for (int i = 0; i < AArguments.size(); ++i) {
        const QString& Arg = AArguments[i];
        if (OutputOptions.contains(Arg)) {
            const bool Repeated =
                std::any_of(Options.Outputs.begin(), Options.Outputs.end(),
                            [&](const auto& AOutput) { return AOutput.first == Arg; });
            if (i + 1 >= AArguments.size() || Repeated)
                return std::nullopt;
            Options.Outputs.emplace_back(Arg, AArguments[++i]);
        } else if (Arg.startsWith(QLatin1String("--")) || !Options.Project.isEmpty()) {
            return std::nullopt;
        } else {
            Options.Project = Arg;
        }
    }
    if (Options.Project.isEmpty())
        return std::nullopt;
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

} // namespace

int RunBatch(const QStringList& AArguments, std::FILE* AOut, std::FILE* AErr) {
    if (AArguments.contains(QStringLiteral("--help"))) {
        Print(AOut, Usage);
        return 0;
    }
    const auto Options = ParseArguments(AArguments);
    if (!Options) {
        Print(AErr, Usage);
        return 2;
    }
    try {
        if (!QFileInfo(Options->Project).isReadable() || !QFileInfo(Options->Project).isFile())
            throw EVibronaError(
                QStringLiteral("Не удается прочитать файл проекта %1").arg(Options->Project));
        // The window's state at start-up: default settings and one signal.
        TCalcSettings Settings;
        TSignals Signals;
        Signals.Add(std::make_unique<TSignal>(1, 0, 50, 60));
        OpenProject(Options->Project, Settings, Signals);
        const TCalcResult Result = Recalculate(Signals, Settings);

        std::vector<std::pair<QString, QByteArray>> Files;
        QByteArray Stdout;
        for (const auto& [Option, Name] : Options->Outputs) {
            QByteArray Content;
            if (Option == QLatin1String("--curve")) {
                Content = PointsText(Result.CurveTime, Result.CurveValue);
            } else if (Option == QLatin1String("--spectrum")) {
                Content = PointsText(Result.SpectrumFrequency, Result.SpectrumMagnitude);
            } else if (Option == QLatin1String("--samples")) {
                Content = CharacteristicText(Result.Characteristic);
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
