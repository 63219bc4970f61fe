#include "DesktopFiles.h"
#include "Version.h"
#include "FolderContents.h"
#include "OptionsUnderTest.h"
#include "platform/AppIcon.h"
#include "platform/FreedesktopShell.h"
#include "platform/UserDesktopFiles.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>

namespace {

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

// An install ("build": none, run from the build; "home": the data folder; "system": a system data folder;
// "lone": that without any other application),
// mimeapps.list before ("<missing>": no file), and the clicks: a button, then what the page shows after it:
// the association (N none, O another program: a text editor once the type is known, M Marqueemaster), "Open with" (1/0), the user's own entry (e/-).
// An earlier version's association: the backup it kept in the store, and the list it leaves.
struct ShellCase { QString install; QByteArray before; QStringList steps; QString earlierBackup = {}; QByteArray after = {}; };

const QString EntryFile = QStringLiteral("applications/" MARQUEE_APP_ID ".desktop");
const QString PackageFile = QStringLiteral("mime/packages/" MARQUEE_APP_ID ".xml");
const QString IconFile = QStringLiteral("icons/hicolor/256x256/apps/" MARQUEE_APP_ID ".png");

// What cmake --install writes to a file of the data folder; another file gets someone else's bytes.
QByteArray installedBytes(const QString &file)
{
    if (file == EntryFile)
        return DesktopEntryText;
    if (file == PackageFile)
        return MimePackageText;
    if (file != IconFile)
        return "someone else's\n";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    AppIconImage(256).save(&buffer, "PNG");
    return png;
}

} // namespace
Q_DECLARE_METATYPE(ShellCase)

// The "Registry Options" page on a freedesktop system: every folder the desktop
// reads is a temporary one.
class FreedesktopShellTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;

    QString at(const QString &relative) const { return QDir(m_root.path()).filePath(relative); }

private slots:
    void initTestCase()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps file types in the registry; desktop entries and mimeapps.list mean nothing there.");
#endif
        for (const char *tool : {"gio", "xdg-mime", "update-mime-database", "update-desktop-database"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("gio (libglib2.0-bin), xdg-utils, shared-mime-info and desktop-file-utils are needed");
    }

    void init()
    {
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(m_root.path());
        qputenv("XDG_CONFIG_HOME", at("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", at("etc").toUtf8());
        qputenv("XDG_DATA_HOME", at("data").toUtf8());
        // The system's MIME types, without its applications.
        QVERIFY(QDir().mkpath(at("os")) && QFile::link(QStringLiteral("/usr/share/mime"), at("os/mime")));
        qputenv("XDG_DATA_DIRS", (at("system") + QLatin1Char(':') + at("os")).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
    }

    // The buttons in the orders a user clicks them. After each click the page says what the desktop
    // (gio) says; at the end mimeapps.list and the user's data folder are byte for byte as before.
    void buttons_data()
    {
        QTest::addColumn<ShellCase>("c");
        const QByteArray odd = "# mine\n[Default Applications]\napplication/x-marqueemaster-animation=viewer.desktop\n"
                               "text/x-rtcw-script = editor.desktop\n\n[Added Associations]\ntext/x-rtcw-script = vim.desktop";
        QTest::newRow("build, a viewer was default, odd spacing: Associate, Restore")
            << ShellCase{"build", odd, {"cmdAssociate M0e", "cmdRestore O0-"}};
        QTest::newRow("build: Add, Remove; the editor stays the scripts' default")
            << ShellCase{"build", odd, {"cmdAddContext O1e", "cmdRemoveContext O0-"}};
        QTest::newRow("build: the entry stays while Open with uses it")
            << ShellCase{"build", "[Added Associations]\nimage/png=viewer.desktop;\n",
                         {"cmdAssociate M0e", "cmdAddContext M1e", "cmdRestore O1e", "cmdRemoveContext N0-"}};
        QTest::newRow("build: and while the association uses it")
            << ShellCase{"build", "<missing>", {"cmdAddContext O1e", "cmdAssociate M1e", "cmdRemoveContext M0e", "cmdRestore N0-"}};
        QTest::newRow("build: Add after the desktop removed the program")
            << ShellCase{"build", "[Removed Associations]\ntext/x-rtcw-script=" MARQUEE_APP_ID ".desktop;\n",
                         {"cmdAddContext O1e", "cmdRemoveContext N0-"}};
        QTest::newRow("installed in the data folder: used as it is")
            << ShellCase{"home", odd, {"cmdAssociate M0-", "cmdAddContext M1-", "cmdRestore O1-", "cmdRemoveContext O0-"}};
        QTest::newRow("system install declares the type: Restore leaves it out, Associate takes it back")
            << ShellCase{"system", "<missing>", {"cmdRestore O0-", "cmdAssociate M0-", "cmdRestore O0-", "cmdAssociate M0-"}};
        QTest::newRow("an earlier version associated: Restore puts back the default it kept")
            << ShellCase{"system", "[Default Applications]\napplication/x-marqueemaster-animation=" MARQUEE_APP_ID ".desktop;\n",
                         {"cmdRestore O0-"}, "viewer.desktop;", "[Default Applications]\napplication/x-marqueemaster-animation=viewer.desktop;\n"};
        QTest::newRow("system install, no other application: Restore, Add, Associate, Remove")
            << ShellCase{"lone", "<missing>", {"cmdRestore N0-", "cmdAddContext N1-", "cmdAssociate M1-", "cmdRemoveContext M0-"}};
    }
    void buttons()
    {
        QFETCH(ShellCase, c);
        auto [install, before, steps, earlierBackup, after] = c;
        QVERIFY(QDir().mkpath(at("bin")) && QDir().mkpath(at("data")));
        const QString program = at("bin/marqueemaster");  // the desktop passes over entries without their program
        QVERIFY(WriteFileBytes(program, "#!/bin/sh\n") && QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        writeEntry(at("system/applications/viewer.desktop"), program, QStringLiteral("image/png;"));  // a default only by name
        if (install != QLatin1String("lone")) {
            writeEntry(at("system/applications/editor.desktop"), program, QStringLiteral("text/plain;"));
            writeEntry(at("system/applications/vim.desktop"), program, QStringLiteral("text/plain;"));
        }
        if (install != QLatin1String("build")) {
            const QString prefix = at(install == QLatin1String("home") ? "data" : "system");
            writeEntry(prefix + QStringLiteral("/applications/") + Ours, program, DesktopNames::AnimationType + QLatin1Char(';'));
            QVERIFY(QDir().mkpath(prefix + QStringLiteral("/mime/packages")));
            QVERIFY(WriteFileBytes(prefix + QStringLiteral("/mime/packages/" MARQUEE_APP_ID ".xml"), MimePackageText));
            QCOMPARE(QProcess::execute(QStringLiteral("update-mime-database"), {prefix + QStringLiteral("/mime")}), 0);
        }
        QCOMPARE(QProcess::execute(QStringLiteral("update-desktop-database"), {at("system/applications")}), 0);
        if (install == QLatin1String("home"))
            QCOMPARE(QProcess::execute(QStringLiteral("update-desktop-database"), {at("data/applications")}), 0);
        if (before != "<missing>")
            QVERIFY(QDir().mkpath(at("config")) && WriteFileBytes(at("config/mimeapps.list"), before));
        const QStringList dataBefore = FilesWithHashes(at("data"));

        TestStore store;
        FakePrompts prompts;
        if (!earlierBackup.isEmpty())
            store.store->setValue(RegHive::ClassesRoot, QStringLiteral(".ras"), QStringLiteral("prev_backup"), earlierBackup);
        const OptionsUnderTest page(*store.store, store.dir.filePath("leet.ini"), program, prompts, 2);  // "Registry Options"
        for (const QString &step : steps) {
            page.click(step.section(' ', 0, 0));
            const QString gioAnimation = ask("gio", {"mime", DesktopNames::AnimationType});
            const QString gioScript = ask("gio", {"mime", DesktopNames::ScriptType});
            const QString status = qobject_cast<QLineEdit *>(page["txtAssociation"])->text();
            const QChar entry = QFileInfo::exists(at("data/applications/") + Ours) && install == "build" ? 'e' : '-';
            const QString shown = QString("NOM"[status.endsWith("Marqueemaster") ? 2 : status.contains("other") ? 1 : 0])
                                  + (page["picON"]->isVisible() ? '1' : '0') + entry;
            const QString said = QString("NOM"[gioAnimation.contains(": " + Ours) ? 2 : gioAnimation.contains("No default") ? 0 : 1])
                                 + (gioScript.contains(Ours) ? '1' : '0') + entry;
            QCOMPARE(step + ' ' + shown, step + ' ' + step.section(' ', 1));
            QCOMPARE(step + ' ' + said, step + ' ' + step.section(' ', 1));
            QCOMPARE(page["cmdAssociate"]->isEnabled(), !shown.startsWith('M'));
            const QString xdgMime = ask("xdg-mime", {"query", "default", DesktopNames::AnimationType});
            // (xdg-mime reads no "Removed Associations": with no other application it can't say "none")
            if (!shown.startsWith('N'))
                QCOMPARE(step + ' ' + xdgMime, step + ' ' + (shown.startsWith('M') ? Ours : xdgMime == Ours ? QString() : xdgMime));
            QVERIFY(install == "build" || FilesWithHashes(at("data")) == dataBefore);  // an install is used as it is
            // The editor stays the scripts' default.
            QVERIFY2(install == "lone" || !gioScript.section('\n', 0, 0).contains(Ours), qPrintable(gioScript));
        }
        QCOMPARE(ReadFileBytes(at("config/mimeapps.list")), after.isEmpty() ? before : after);
        QCOMPARE(FilesWithHashes(at("data")), dataBefore);
    }

    // The files the program gives a build, when an installation writes over them or a manifest
    // comes from a version that kept no hashes ("old"). "install" writes the row's files as
    // cmake --install does, with the README's database updates; "moved" runs the build from the
    // other of two folders. At the end the installation's files hold its bytes, and nothing of the
    // program's is left.
    void userFiles_data()
    {
        Columns<QStringList, QStringList>("steps", "installed");
        const QStringList all = {EntryFile, PackageFile, IconFile};
        QTest::newRow("still ours, the build moved and back: Add rewrites the entry, Remove takes every file back")
            << QStringList{"associate", "moved", "add", "moved", "restore", "remove"} << QStringList{};
        QTest::newRow("a manifest without hashes: files as the program writes them go")
            << QStringList{"associate", "old", "restore"} << QStringList{};
        QTest::newRow("cmake --install over them, then Restore and Remove: every installed file stays")
            << QStringList{"associate", "add", "install", "restore", "remove"} << all;
        QTest::newRow("an installation's package and icon: Add writes neither, Restore and Remove keep them")
            << QStringList{"associate", "install", "add", "restore", "remove"} << QStringList{PackageFile, IconFile};
        QTest::newRow("a manifest without hashes, then cmake --install: every installed file stays")
            << QStringList{"add", "old", "install", "remove"} << all;
        QTest::newRow("someone else's file in the MIME folder it made: the folder stays")
            << QStringList{"associate", "install", "restore"} << QStringList{"mime/notes"};
    }
    void userFiles()
    {
        auto [steps, installed] = Fetch<QStringList, QStringList>("steps", "installed");
        const QByteArray path = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });
        qputenv("PATH", at("bin").toUtf8() + ':' + path);  // where the installed entry finds the program
        QString program = at("bin/marqueemaster");
        for (const QString &copy : {program, at("moved/marqueemaster")}) {
            QVERIFY(QDir().mkpath(QFileInfo(copy).path()) && WriteFileBytes(copy, "#!/bin/sh\n"));
            QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
        }
        QVERIFY(QDir().mkpath(at("data")));
        const QDir data(at("data"));
        TestStore store;
        for (const QString &step : steps) {
            FreedesktopShell shell(*store.store, program);
            using Click = void (FreedesktopShell::*)();
            const QHash<QString, Click> clicks{{"associate", &FreedesktopShell::associate}, {"add", &FreedesktopShell::addContextEntry},
                {"restore", &FreedesktopShell::restoreAssociation}, {"remove", &FreedesktopShell::removeContextEntry}};
            if (const Click click = clicks.value(step))
                (shell.*click)();
            else if (step == QLatin1String("moved"))
                program = at(program == at("bin/marqueemaster") ? "moved/marqueemaster" : "bin/marqueemaster");
            else if (step == QLatin1String("old")) {
                const QString manifest = QString::fromUtf8(ReadFileBytes(UserDesktopFiles::ManifestPath()));
                const QRegularExpression hash(QStringLiteral("^[0-9a-f]{64}  "), QRegularExpression::MultilineOption);
                QVERIFY(WriteFileBytes(UserDesktopFiles::ManifestPath(), QString(manifest).remove(hash).toUtf8()));
            } else {
                for (const QString &file : installed)
                    QVERIFY(data.mkpath(QFileInfo(file).path()) && WriteFileBytes(data.filePath(file), installedBytes(file)));
                if (data.exists(QStringLiteral("mime/packages")))
                    QCOMPARE(QProcess::execute(QStringLiteral("update-mime-database"), {data.filePath(QStringLiteral("mime"))}), 0);
                if (data.exists(QStringLiteral("applications")))
                    QCOMPARE(QProcess::execute(QStringLiteral("update-desktop-database"), {data.filePath(QStringLiteral("applications"))}), 0);
            }
            // Add writes the program's own entry again for the build where it is now.
            if (step == QLatin1String("add") && !installed.contains(EntryFile))
                QVERIFY(ReadFileBytes(data.filePath(EntryFile)).contains("\nExec=" + FreedesktopShell::ExecLine(program).toUtf8() + '\n'));
        }
        for (const QString &file : installed)
            QVERIFY2(ReadFileBytes(data.filePath(file)) == installedBytes(file), qPrintable(file));
        for (const QString &file : QStringList{EntryFile, PackageFile, IconFile, UserDesktopFiles::ManifestPath()})
            QVERIFY2(installed.contains(file) || !data.exists(file), qPrintable(file));
        if (installed.isEmpty())
            QCOMPARE(FilesWithHashes(at("data")), QStringList());
    }
};

QTEST_MAIN(FreedesktopShellTest)
#include "tst_FreedesktopShell.moc"
