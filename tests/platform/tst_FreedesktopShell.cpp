#include "DesktopFiles.h"
#include "FileFixtures.h"
#include "TestLines.h"
#include "TestStore.h"
#include "Version.h"
#include "animation/AnimationFile.h"
#include "platform/FreedesktopShell.h"
#include "settings/OptionsDialog.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
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

    // The options window opened on its "Registry Options" page.
    struct Page {
        TestStore store;
        LeetTable leet;
        FakePrompts prompts;
        std::unique_ptr<OptionsDialog> dialog;
        void open(const QString &program)
        {
            dialog = std::make_unique<OptionsDialog>(*store.store, leet, store.dir.filePath("leet.ini"), program, prompts, std::function<void()>{});
            dialog->show();
            QTabBar *tabs = dialog->findChild<QTabBar *>();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        }
        QWidget *operator[](const char *name) const { return dialog->findChild<QWidget *>(QLatin1String(name)); }
    };

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

    // The status before "Associate" comes back after "Restore", and so does the earlier default.
    void associateAndRestore_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("previous");
        QTest::newRow("run from the build, fresh desktop") << false << "";
        QTest::newRow("run from the build, a viewer was default") << false << Viewer;
        QTest::newRow("installed, a list of defaults comes back as it was") << true << "viewer.desktop;gone.desktop;";
    }
    void associateAndRestore()
    {
        QFETCH(bool, installed);
        QFETCH(QString, previous);
        const QString status = previous.isEmpty() ? QStringLiteral("[Not associated yet]") : QStringLiteral("Associated with [other program]");
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

        const QString program = at("bin/marqueemaster");  // the desktop passes over entries without their program
        QVERIFY(QDir().mkpath(at("bin")) && WriteFileBytes(program, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        Page page;
        page.open(program);
        const auto shown = [&] { return qobject_cast<QLineEdit *>(page["txtAssociation"])->text(); };
        const QString xdgMime = QStringLiteral("xdg-mime");
        const QStringList queryDefault{QStringLiteral("query"), QStringLiteral("default"), DesktopNames::AnimationType};
        QCOMPARE(shown(), status);
        QTest::mouseClick(page["cmdAssociate"], Qt::LeftButton);
        QCOMPARE(shown(), QStringLiteral("Associated with Marqueemaster"));
        QVERIFY(!page["cmdAssociate"]->isEnabled() && page["cmdRestore"]->isEnabled());
        QCOMPARE(ask(xdgMime, queryDefault), Ours);
        const QString userEntry = at("data/applications/") + Ours;
        QCOMPARE(QFileInfo::exists(userEntry), !installed);
        if (!installed)  // the user's own entry starts this program
            QVERIFY(ReadFileBytes(userEntry).contains("\nExec=" + program.toUtf8() + " %f\n"));

        // A saved animation is ours; a real raster image under the same extension stays an image.
        AnimationModel model;
        model.setLines(LinesFromTexts({QStringLiteral("^1Name")}));
        QVERIFY(SaveAnimation(model, at("name.ras"), page.prompts));
        QVERIFY(WriteFileBytes(at("photo.ras"), QByteArray::fromHex("59a66a95000000100000001000000008")));
        QCOMPARE(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), at("name.ras")}), DesktopNames::AnimationType);
        QCOMPARE(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), at("photo.ras")}), QStringLiteral("image/x-cmu-raster"));

        page.dialog.reset();
        page.store.reopen();  // the backup outlives the program, as the next run finds it
        page.open(program);
        QTest::mouseClick(page["cmdRestore"], Qt::LeftButton);
        QCOMPARE(shown(), status);
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
        Page page;
        page.open(app);
        const auto gio = [] { return ask(QStringLiteral("gio"), {QStringLiteral("mime"), DesktopNames::ScriptType}); };
        // picON, picOFF, Add, Remove: "1001" while the entry is there, "0110" while it is not.
        const auto shown = [&] {
            return QStringLiteral("%1%2%3%4").arg(page["picON"]->isVisible()).arg(page["picOFF"]->isVisible())
                .arg(page["cmdAddContext"]->isEnabled()).arg(page["cmdRemoveContext"]->isEnabled());
        };
        QCOMPARE(shown(), QStringLiteral("0110"));
        QVERIFY(!gio().contains(Ours));
        for (const char *button : {"cmdAddContext", "cmdRemoveContext", "cmdAddContext"}) {
            QTest::mouseClick(page[button], Qt::LeftButton);
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
