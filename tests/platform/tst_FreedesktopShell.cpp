#include "DesktopFiles.h"
#include "FileFixtures.h"
#include "TestLines.h"
#include "TestStore.h"
#include "Version.h"
#include "animation/AnimationFile.h"
#include "platform/FreedesktopShell.h"
#include "settings/OptionsDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>

namespace {

const QString Viewer = QStringLiteral("viewer.desktop");
const QString Ours = QStringLiteral(MARQUEE_APP_ID ".desktop");

// What the desktop's own tools answer, under the test's XDG folders.
QString ask(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void writeEntry(const QString &path, const QString &exec, const QString &mimeTypes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(WriteFileBytes(path, QStringLiteral("[Desktop Entry]\nType=Application\nName=App\nExec=%1 %f\nMimeType=%2\n")
                                     .arg(exec, mimeTypes).toUtf8()));
}

} // namespace

// The "Registry Options" page on a freedesktop system: every folder the desktop
// reads is a temporary one.
class FreedesktopShellTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

    QString at(const QString &relative) const { return QDir(m_root.path()).filePath(relative); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
            QSKIP("xdg-utils and shared-mime-info are not installed");
    }

    void init()
    {
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(m_root.path());
        qputenv("XDG_CONFIG_HOME", at("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", at("etc").toUtf8());
        qputenv("XDG_DATA_HOME", at("data").toUtf8());
        qputenv("XDG_DATA_DIRS", (at("system") + QStringLiteral(":/usr/share")).toUtf8());  // the system's MIME types
        qunsetenv("XDG_CURRENT_DESKTOP");
    }

    // The Exec line of the user's own entry: quoted only where the path needs it.
    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/mm/marqueemaster" << "/opt/mm/marqueemaster %f";
        QTest::newRow("blank") << "/home/a b/mm" << "\"/home/a b/mm\" %f";
        QTest::newRow("dollar, quote, backslash") << "/x/$\"\\" << "\"/x/\\\\$\\\\\"\\\\\\\\\" %f";
        QTest::newRow("percent") << "/x/100%" << "/x/100%% %f";
    }
    void execLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(FreedesktopShell::ExecLine(program), exec);
    }

    // statuses: before "Associate", after it, after "Restore".
    void associateAndRestore_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QStringList>("statuses");
        const QString none = QStringLiteral("[Not associated yet]");
        const QString ours = QStringLiteral("Associated with Marqueemaster");
        const QString other = QStringLiteral("Associated with [other program]");
        QTest::newRow("run from the build, fresh desktop") << false << "" << QStringList{none, ours, none};
        QTest::newRow("run from the build, a viewer was default") << false << Viewer << QStringList{other, ours, other};
        QTest::newRow("installed, a viewer was default") << true << Viewer << QStringList{other, ours, other};
        QTest::newRow("a list of defaults comes back as it was") << false << "viewer.desktop;gone.desktop;"
                                                                 << QStringList{other, ours, other};
    }
    void associateAndRestore()
    {
        QFETCH(bool, installed);
        QFETCH(QString, previous);
        QFETCH(QStringList, statuses);
        const QString mimeApps = at("config/mimeapps.list");
        if (installed) {
            writeEntry(at("system/applications/") + Ours, qEnvironmentVariable("MARQUEE_APP"), DesktopNames::AnimationType + QLatin1Char(';'));
            QDir().mkpath(at("system/mime/packages"));
            QVERIFY(WriteFileBytes(at("system/mime/packages/" MARQUEE_APP_ID ".xml"), MimePackageText));
            QCOMPARE(QProcess::execute(QStringLiteral("update-mime-database"), {at("system/mime")}), 0);
        }
        writeEntry(at("data/applications/") + Viewer, qEnvironmentVariable("MARQUEE_APP"), QStringLiteral("image/png;"));
        QByteArray before = "# kept\n[Added Associations]\nimage/png=viewer.desktop;\n";
        if (!previous.isEmpty())
            before += "\n[Default Applications]\napplication/x-marqueemaster-animation=" + previous.toUtf8() + "\n";
        QDir().mkpath(at("config"));
        QVERIFY(WriteFileBytes(mimeApps, before));

        TestStore store;
        LeetTable leet;
        FakePrompts prompts;
        const QString program = at("bin/marqueemaster");  // the desktop passes over entries without their program
        QVERIFY(QDir().mkpath(at("bin")) && WriteFileBytes(program, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        OptionsDialog dialog(*store.store, leet, at("leet.ini"), program, prompts, {});
        dialog.show();
        QTabBar *tabs = dialog.findChild<QTabBar *>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        auto *status = dialog.findChild<QLineEdit *>(QStringLiteral("txtAssociation"));
        auto *associate = dialog.findChild<QPushButton *>(QStringLiteral("cmdAssociate"));
        auto *restore = dialog.findChild<QPushButton *>(QStringLiteral("cmdRestore"));
        const QString xdgMime = QStringLiteral("xdg-mime");
        const QStringList queryDefault{QStringLiteral("query"), QStringLiteral("default"), DesktopNames::AnimationType};
        QCOMPARE(status->text(), statuses[0]);

        QTest::mouseClick(associate, Qt::LeftButton);
        QCOMPARE(status->text(), statuses[1]);
        QVERIFY(!associate->isEnabled() && restore->isEnabled());
        QCOMPARE(ask(xdgMime, queryDefault), Ours);
        const QString userEntry = at("data/applications/") + Ours;
        QCOMPARE(QFileInfo::exists(userEntry), !installed);
        if (!installed)  // the user's own entry starts this program
            QVERIFY(ReadFileBytes(userEntry).contains("\nExec=" + program.toUtf8() + " %f\n"));

        // A saved animation is ours; a real raster image under the same extension stays an image.
        AnimationModel model;
        model.setLines(LinesFromTexts({QStringLiteral("^1Name")}));
        QVERIFY(SaveAnimation(model, at("name.ras"), prompts));
        QVERIFY(WriteFileBytes(at("photo.ras"), QByteArray::fromHex("59a66a95000000100000001000000008")));
        QCOMPARE(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), at("name.ras")}), DesktopNames::AnimationType);
        QCOMPARE(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), at("photo.ras")}), QStringLiteral("image/x-cmu-raster"));

        store.reopen();  // the backup outlives the program, as the next run finds it
        OptionsDialog again(*store.store, leet, at("leet.ini"), program, prompts, {});
        again.show();
        QTest::mouseClick(again.findChild<QPushButton *>(QStringLiteral("cmdRestore")), Qt::LeftButton);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("txtAssociation"))->text(), statuses[2]);
        QCOMPARE(ReadFileBytes(mimeApps), before);
        QVERIFY(!QFileInfo::exists(userEntry));  // the user's own entry and types went with the association
        QCOMPARE(ask(xdgMime, queryDefault), previous.isEmpty() ? QString() : Viewer);
    }

    // "Add" and "Remove" make the program an "Open with" choice of game scripts; the text editor
    // stays their default.
    void openWithForScripts_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("run from the build") << false;
        QTest::newRow("installed") << true;
    }
    void openWithForScripts()
    {
        QFETCH(bool, installed);
        for (const char *tool : {"gio", "update-desktop-database"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("gio (libglib2.0-bin) and desktop-file-utils are needed");
        }
        const QString app = qEnvironmentVariable("MARQUEE_APP");
        writeEntry(at("system/applications/editor.desktop"), app, QStringLiteral("text/plain;"));
        if (installed)
            writeEntry(at("system/applications/") + Ours, app, DesktopNames::AnimationType + QLatin1Char(';'));
        QCOMPARE(QProcess::execute(QStringLiteral("update-desktop-database"), {at("system/applications")}), 0);
        TestStore store;
        LeetTable leet;
        FakePrompts prompts;
        OptionsDialog dialog(*store.store, leet, at("leet.ini"), app, prompts, {});
        dialog.show();
        QTabBar *tabs = dialog.findChild<QTabBar *>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        const auto gio = [] { return ask(QStringLiteral("gio"), {QStringLiteral("mime"), DesktopNames::ScriptType}); };
        // picON, picOFF, Add, Remove: "1001" while the entry is there, "0110" while it is not.
        const auto shown = [&] {
            return QStringLiteral("%1%2%3%4")
                .arg(dialog.findChild<QLabel *>(QStringLiteral("picON"))->isVisible())
                .arg(dialog.findChild<QLabel *>(QStringLiteral("picOFF"))->isVisible())
                .arg(dialog.findChild<QPushButton *>(QStringLiteral("cmdAddContext"))->isEnabled())
                .arg(dialog.findChild<QPushButton *>(QStringLiteral("cmdRemoveContext"))->isEnabled());
        };
        QCOMPARE(shown(), QStringLiteral("0110"));
        QVERIFY(!gio().contains(Ours));
        for (const char *button : {"cmdAddContext", "cmdRemoveContext", "cmdAddContext"}) {
            QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
            const bool added = QByteArray(button) == "cmdAddContext";
            QCOMPARE(shown(), added ? QStringLiteral("1001") : QStringLiteral("0110"));
            QCOMPARE(gio().contains(Ours), added);
            QVERIFY2(gio().section(QLatin1Char('\n'), 0, 0).endsWith(QLatin1String(": editor.desktop")), qPrintable(gio()));
        }
        QCOMPARE(ask(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), DesktopNames::ScriptType}),
                 QStringLiteral("editor.desktop"));
    }
};

QTEST_MAIN(FreedesktopShellTest)
#include "tst_FreedesktopShell.moc"
