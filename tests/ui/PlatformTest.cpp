// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "platform/InputQueryDialog.h"
#include "platform/MemoryLimits.h"
#include "platform/QtPlatformServices.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <sys/resource.h>

namespace {

QPushButton* Button(QDialog& ADialog, QDialogButtonBox::StandardButton AWhich) {
    return ADialog.findChild<QDialogButtonBox*>()->button(AWhich);
}

void Type(QDialog& ADialog, const QString& AText) {
    auto* Edit = ADialog.findChild<QLineEdit*>(QStringLiteral("edValue"));
    Edit->selectAll();
    QTest::keyClicks(Edit, AText);
}

} // namespace

class TPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void inputBoxStaysOpenWhileRefused() {
        const auto OnlySeven = [](const QString& AText) { return AText == "7"; };
        TInputQueryDialog Dialog(nullptr, "Количество гармоник", "Введите количество гармоник", "5",
                                 OnlySeven);
        Dialog.show();
        QCOMPARE(Dialog.Value(), QStringLiteral("5"));
        Type(Dialog, "0");
        QTest::mouseClick(Button(Dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(Dialog.isVisible());
        Type(Dialog, "7");
        QTest::mouseClick(Button(Dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(!Dialog.isVisible());
        QCOMPARE(Dialog.result(), int(QDialog::Accepted));
    }

    void inputQueryReturnsTheAcceptedTextAndCancelKeepsIt() {
        TQtPlatformServices Platform;
        const auto Answer = [](const QString& AText, QDialogButtonBox::StandardButton AButton) {
            QTimer::singleShot(0, [AText, AButton] {
                auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(Dialog);
                Type(*Dialog, AText);
                QTest::mouseClick(Button(*Dialog, AButton), Qt::LeftButton);
            });
        };
        const auto Positive = [](const QString& AText) { return AText.toInt() > 0; };
        QString Value = "5";
        Answer("12", QDialogButtonBox::Ok);
        QVERIFY(Platform.InputQuery(nullptr, "C", "P", Value, Positive));
        QCOMPARE(Value, QStringLiteral("12"));
        Answer("3", QDialogButtonBox::Cancel);
        QVERIFY(!Platform.InputQuery(nullptr, "C", "P", Value, Positive));
        QCOMPARE(Value, QStringLiteral("12"));
    }

    void questionAnswersWithTheRussianButtons() {
        TQtPlatformServices Platform;
        for (const bool Yes : {true, false}) {
            QTimer::singleShot(0, [Yes] {
                auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(Box);
                QCOMPARE(Box->text(), QStringLiteral("Установить?"));
                QStringList Texts;
                for (QAbstractButton* b : Box->buttons())
                    Texts << b->text();
                Texts.sort();
                QCOMPARE(Texts, (QStringList{"Да", "Нет"}));
                QTest::mouseClick(Box->button(Yes ? QMessageBox::Yes : QMessageBox::No),
                                  Qt::LeftButton);
            });
            QCOMPARE(Platform.Question(nullptr, "Установить?", "Vibrona"), Yes);
        }
    }

    void filterPairsBecomeNameFilters() {
        QCOMPARE(NameFiltersFromPairs("Проекты (*.vbf)|*.vbf|Все файлы|*.*"),
                 (QStringList{"Проекты (*.vbf)", "Все файлы (*.*)"}));
        QCOMPARE(NameFiltersFromPairs("Текст|*.txt;*.csv"), QStringList{"Текст (*.txt *.csv)"});
        QCOMPARE(NameFiltersFromPairs(""), QStringList{});
        // The extension a typed name gets follows the chosen filter where it names one.
        QCOMPARE(SingleExtensionOf("PNG (*.png)"), QStringLiteral("png"));
        QCOMPARE(SingleExtensionOf("Все файлы (*.*)"), QString());
        QCOMPARE(SingleExtensionOf("Текст (*.txt *.csv)"), QString());
    }

    // Reading a file to tell its type can block for good in /proc: the dialog reads names.
    void fileDialogTellsTypesByNameOnly() {
        QTemporaryDir Dir;
        const auto Write = [&](const char* AName, const QByteArray& AData) {
            QFile File(Dir.filePath(AName));
            QVERIFY(File.open(QIODevice::WriteOnly) && File.write(AData) == AData.size());
        };
        const QByteArray PngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        Write("picture", PngStart);
        Write("c.png", "plain text");
        const QString Png = QMimeDatabase().mimeTypeForName("image/png").comment();
        QString PictureType, NamedType;
        QTimer::singleShot(0, [&] {
            auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(Dialog);
            auto* Model = Dialog->findChild<QFileSystemModel*>();
            QVERIFY(Model);
            const QModelIndex Picture = Model->index(Dir.filePath("picture"));
            const QModelIndex Named = Model->index(Dir.filePath("c.png"));
            QTRY_VERIFY(!Model->type(Picture).isEmpty() && !Model->type(Named).isEmpty());
            PictureType = Model->type(Picture);
            NamedType = Model->type(Named);
            Dialog->reject();
        });
        TFileDialogOptions Options;
        Options.InitialDir = Dir.path();
        TQtPlatformServices Platform;
        QVERIFY(!Platform.SaveFileDialog(nullptr, Options));
        QVERIFY(PictureType != Png);
        QCOMPARE(NamedType, Png);
    }

    void documentsAndAddresses() {
        QCOMPARE(DocumentUrl("/opt/vibrona/help.pdf"),
                 QUrl::fromLocalFile("/opt/vibrona/help.pdf"));
        QVERIFY(DocumentUrl("help.pdf").isLocalFile());
        QCOMPARE(DocumentUrl("https://example.org/vibrona").scheme(), QStringLiteral("https"));
        QCOMPARE(DocumentUrl("mailto:someone@example.org").scheme(), QStringLiteral("mailto"));
    }

    void memoryFromMemInfo() {
        const QByteArray Text = "MemTotal:       16777216 kB\nMemFree:  1 kB\n"
                                "MemAvailable:    3145728 kB\nBuffers: 2 kB\n";
        const auto Status = MemoryStatusFromMemInfo(Text);
        QVERIFY(Status);
        QCOMPARE(Status->TotalPhys, 16ull << 30);
        QCOMPARE(Status->AvailPhys, 3ull << 30);
        QVERIFY(!MemoryStatusFromMemInfo("MemTotal: 16777216 kB\n"));
    }

    void memoryLimitsFromSystemTexts() {
        // A hybrid system lists the legacy hierarchies too; only the unified one counts.
        QCOMPARE(CgroupPathFromText("4:memory:/old\n0::/user.slice/app.scope\n"),
                 std::optional<QByteArray>("/user.slice/app.scope"));
        QVERIFY(!CgroupPathFromText("4:memory:/old\n"));
        QCOMPARE(CgroupMountFromText("cgroup /sys/fs/cgroup/memory cgroup rw 0 0\n"
                                     "cgroup2 /sys/fs/cgroup/a\\040b cgroup2 rw 0 0\n"),
                 std::optional<QByteArray>("/sys/fs/cgroup/a b"));
        QVERIFY(!CgroupMountFromText("tmpfs /tmp tmpfs rw 0 0\n"));
        const struct {
            const char *Max, *Current;
            std::optional<std::uint64_t> Room;
        } Groups[] = {{"1073741824\n", "268435456\n", 805306368},
                      {"max\n", "268435456\n", std::nullopt},
                      {"", "", std::nullopt}, // no memory controller there
                      {"100\n", "300\n", 0}};
        for (const auto& g : Groups)
            QCOMPARE(CgroupRoomFromText(g.Max, g.Current), g.Room);
        QCOMPARE(StatusBytes("Name:\tx\nVmSize:\t  2048 kB\nVmData:\t 512 kB\n", "VmData:"),
                 std::optional<std::uint64_t>(512 * 1024));
    }

    // The usable memory shrinks to what a lowered address-space limit leaves.
    void addressSpaceLimitBoundsTheUsableMemory() {
        QFile Status(QStringLiteral("/proc/self/status"));
        QVERIFY(Status.open(QIODevice::ReadOnly));
        const std::uint64_t Used = StatusBytes(Status.readAll(), "VmSize:").value_or(0);
        QVERIFY(Used > 0);
        constexpr std::uint64_t Room = std::uint64_t{256} << 20;
        rlimit Old{};
        QCOMPARE(getrlimit(RLIMIT_AS, &Old), 0);
        if (Old.rlim_max != RLIM_INFINITY && Old.rlim_max < Used + Room)
            QSKIP("the hard limit is lower still");
        rlimit Lowered = Old;
        Lowered.rlim_cur = Used + Room;
        QCOMPARE(setrlimit(RLIMIT_AS, &Lowered), 0);
        const TMemoryStatus Memory = TQtPlatformServices().MemoryStatus();
        QCOMPARE(setrlimit(RLIMIT_AS, &Old), 0);
        QVERIFY(Memory.AvailProcess <= Room);
        QVERIFY(Memory.AvailProcess > Room / 2); // the query itself takes little
        QCOMPARE(Memory.Usable(), std::min(Memory.AvailPhys, Memory.AvailProcess));
    }

    void physicalMemory() {
        TQtPlatformServices Platform;
        const TMemoryStatus Status = Platform.MemoryStatus();
        QVERIFY(Status.TotalPhys > 0);
        QVERIFY(Status.AvailPhys <= Status.TotalPhys);
    }
};

VIBRONA_UI_TEST(PlatformTest, TPlatformTest)
#include "PlatformTest.moc"
