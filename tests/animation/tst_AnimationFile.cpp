#include "FakePrompts.h"
#include "TestLines.h"

#include "animation/AnimationFile.h"
#include "animation/AnimationFileCommands.h"
#include "animation/AnimationModel.h"
#include "animation/LineLimit.h"
#include "settings/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QVector<AnimationLine>;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

AnimationLine line(const char *text, const char *time, const char *action)
{
    return {QString::fromUtf8(text), QString::fromUtf8(time), QString::fromUtf8(action)};
}

const QString AnimationFilter = QStringLiteral("RtCW Animation Script (*.ras)|*.ras");

} // namespace

class AnimationFileTest : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void unreadableFileLeavesEmptyList();
    void save_data();
    void save();
    void roundTrip_data();
    void roundTrip();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void fullAnimationRoundTrips();
    void oversizedFileStopsAtLimit();
    void openAnimation_data();
    void openAnimation();
    void saveAnimationAs_data();
    void saveAnimationAs();

private:
    QTemporaryDir m_dir;
};

void AnimationFileTest::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("zero bytes") << QByteArray() << Lines{};
    QTest::newRow("header alone") << QByteArray("#v050#\r\n") << Lines{};
    QTest::newRow("two records") << QByteArray("#v050#\r\n^1Hello\r\n15\r\nset name\r\n^2World\r\n20\r\nsay\r\n")
                                 << Lines{line("^1Hello", "15", "set name"), line("^2World", "20", "say")};
    QTest::newRow("last line without line end") << QByteArray("#v050#\r\na\r\n15\r\necho")
                                                 << Lines{line("a", "15", "echo")};
    QTest::newRow("record cut short is dropped") << QByteArray("#v050#\r\na\r\n15\r\nsay\r\nb\r\n")
                                                 << Lines{line("a", "15", "say")};
    QTest::newRow("record without action is dropped") << QByteArray("#v050#\r\na\r\n15\r\nsay\r\nb\r\n20\r\n")
                                                      << Lines{line("a", "15", "say")};
    QTest::newRow("action in capitals") << QByteArray("#v050#\r\na\r\n15\r\nSAY\r\n") << Lines{line("a", "15", "set name")};
    QTest::newRow("unknown action") << QByteArray("#v050#\r\na\r\n15\r\njump\r\n") << Lines{line("a", "15", "set name")};
    QTest::newRow("action with blank") << QByteArray("#v050#\r\na\r\n15\r\nsay \r\n") << Lines{line("a", "15", "set name")};
    QTest::newRow("time not a number kept") << QByteArray("#v050#\r\na\r\n 2x \r\nvsay\r\n") << Lines{line("a", " 2x ", "vsay")};
    QTest::newRow("empty fields kept") << QByteArray("#v050#\r\n\r\n\r\nsay_team\r\n") << Lines{line("", "", "say_team")};
    QTest::newRow("header in other case is older layout")
        << QByteArray("#V050#\r\na\r\n20\r\nsay\r\n")
        << Lines{line("a", "15", "set name"), line("20", "15", "set name"), line("say", "15", "set name")};
    QTest::newRow("older layout skips first line") << QByteArray("anything\r\n^1x\r\n\r\ny")
                                                   << Lines{line("^1x", "15", "set name"), line("", "15", "set name"),
                                                            line("y", "15", "set name")};
    QTest::newRow("LF-only file is one older line") << QByteArray("#v050#\na\n15\nsay\n") << Lines{};
    QTest::newRow("lone CR ends a line") << QByteArray("#v050#\ra\r15\rsay\r") << Lines{line("a", "15", "say")};
    QTest::newRow("lone LF stays in the text") << QByteArray("#v050#\r\na\nb\r\n15\r\nsay\r\n")
                                               << Lines{line("a\nb", "15", "say")};
    QTest::newRow("code page bytes") << QByteArray("#v050#\r\nd\xe9j\xe0 \x80\r\n15\r\nsay\r\n")
                                     << Lines{line("d\u00e9j\u00e0 \u20ac", "15", "say")};
}

void AnimationFileTest::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Lines, lines);
    const QString path = m_dir.filePath(QStringLiteral("load.ras"));
    QVERIFY(writeBytes(path, bytes));
    AnimationModel model;
    model.setLines(LinesFromTexts({QStringLiteral("old 1"), QStringLiteral("old 2"), QStringLiteral("old 3"),
                                   QStringLiteral("old 4"), QStringLiteral("old 5")}));
    FakePrompts prompts;
    LoadAnimation(model, path, prompts);
    QCOMPARE(model.lines(), lines);
    QVERIFY(prompts.messages.isEmpty());
}

void AnimationFileTest::unreadableFileLeavesEmptyList()
{
    AnimationModel model;
    model.setLines(LinesFromTexts({QStringLiteral("old")}));
    FakePrompts prompts;
    LoadAnimation(model, m_dir.filePath(QStringLiteral("nowhere.ras")), prompts);
    QCOMPARE(model.count(), 0);
    LoadAnimation(model, m_dir.path(), prompts);  // a folder can't be read as a file
    QCOMPARE(model.count(), 0);
    QVERIFY(prompts.messages.isEmpty());
}

void AnimationFileTest::save_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty animation") << Lines{} << QByteArray("#v050#\r\n");
    QTest::newRow("two lines") << Lines{line("^1Hello", "15", "set name"), line("^2World", "20", "say")}
                               << QByteArray("#v050#\r\n^1Hello\r\n15\r\nset name\r\n^2World\r\n20\r\nsay\r\n");
    QTest::newRow("fields as they are") << Lines{line("", " 2x", "set name")} << QByteArray("#v050#\r\n\r\n 2x\r\nset name\r\n");
    QTest::newRow("CR LF in text written as LF") << Lines{line("a\r\nb", "15", "say")}
                                                 << QByteArray("#v050#\r\na\nb\r\n15\r\nsay\r\n");
    QTest::newRow("lone CR in text written as LF") << Lines{line("a\rb", "15", "say")}
                                                   << QByteArray("#v050#\r\na\nb\r\n15\r\nsay\r\n");
    QTest::newRow("code page") << Lines{line("\u00e9\u20ac", "15", "say")} << QByteArray("#v050#\r\n\xe9\x80\r\n15\r\nsay\r\n");
}

void AnimationFileTest::save()
{
    QFETCH(Lines, lines);
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("save.ras"));
    AnimationModel model;
    model.setLines(lines);
    FakePrompts prompts;
    QVERIFY(SaveAnimation(model, path, prompts));
    QCOMPARE(readBytes(path), bytes);
    QVERIFY(prompts.messages.isEmpty());
}

void AnimationFileTest::roundTrip_data()
{
    // What the animation holds after saving and opening again.
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<Lines>("reloaded");
    const Lines plain{line("^1Mar^7quee", "15", "set name"), line("", "abc", "echo"), line(" x ", "99", "vsay_team")};
    QTest::newRow("plain fields") << plain << plain;
    QTest::newRow("CR LF in text keeps the records") << Lines{line("a\r\nb", "15", "say"), line("c", "20", "echo")}
                                                      << Lines{line("a\nb", "15", "say"), line("c", "20", "echo")};
    QTest::newRow("lone LF in text") << Lines{line("a\nb\n", "15", "say"), line("c", "20", "echo")}
                                     << Lines{line("a\nb\n", "15", "say"), line("c", "20", "echo")};
    QTest::newRow("CR in time") << Lines{line("a", "1\r5", "say"), line("c", "20", "echo")}
                                << Lines{line("a", "1\n5", "say"), line("c", "20", "echo")};
    QTest::newRow("empty") << Lines{} << Lines{};
}

void AnimationFileTest::roundTrip()
{
    QFETCH(Lines, lines);
    QFETCH(Lines, reloaded);
    const QString path = m_dir.filePath(QStringLiteral("round.ras"));
    AnimationModel model;
    model.setLines(lines);
    FakePrompts prompts;
    QVERIFY(SaveAnimation(model, path, prompts));
    AnimationModel again;
    LoadAnimation(again, path, prompts);
    QCOMPARE(again.lines(), reloaded);
    QVERIFY(prompts.messages.isEmpty());
}

void AnimationFileTest::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hadFile");
    // The safe write needs a name a few characters longer than the target for
    // its temporary file: at the file system's longest name it can't create it.
    QTest::newRow("no room for the temporary file") << QString(250, QLatin1Char('n')) << true;
    QTest::newRow("missing folder") << QStringLiteral("missing/a.ras") << false;
}

void AnimationFileTest::failedSaveKeepsOldFile()
{
    QFETCH(QString, name);
    QFETCH(bool, hadFile);
    const QString path = m_dir.filePath(name);
    QCOMPARE(writeBytes(path, "#v050#\r\nold\r\n15\r\nsay\r\n"), hadFile);
    AnimationModel model;
    model.setLines(LinesFromTexts({QStringLiteral("new")}));
    FakePrompts prompts;
    QVERIFY(!SaveAnimation(model, path, prompts));
    QCOMPARE(prompts.messages.size(), 1);
    const FakePrompts::Message &message = prompts.messages.first();
    QCOMPARE(message.title, QStringLiteral("Error"));
    QCOMPARE(message.icon, PromptIcon::Critical);
    const QStringList parts = message.text.split(QLatin1Char('\n'));
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0), QStringLiteral("Error saving script!"));
    bool isNumber = false;
    QVERIFY(parts.at(1).toInt(&isNumber) != 0 && isNumber);
    QVERIFY(!parts.at(2).isEmpty());
    QCOMPARE(readBytes(path), hadFile ? QByteArray("#v050#\r\nold\r\n15\r\nsay\r\n") : QByteArray("<missing>"));
    QCOMPARE(TextsOf(model), QStringList{QStringLiteral("new")});
}

void AnimationFileTest::fullAnimationRoundTrips()
{
    Lines lines;
    lines.reserve(AnimationModel::MaxLines);
    for (int i = 0; i < AnimationModel::MaxLines; ++i)
        lines.append({QStringLiteral("^%1line %2").arg(i % 10).arg(i), QString::number(i % 120), ActionList().at(i % 6)});
    AnimationModel model;
    QCOMPARE(model.setLines(lines), AnimationModel::MaxLines);
    const QString path = m_dir.filePath(QStringLiteral("full.ras"));
    FakePrompts prompts;
    QVERIFY(SaveAnimation(model, path, prompts));
    AnimationModel again;
    LoadAnimation(again, path, prompts);
    QCOMPARE(again.count(), AnimationModel::MaxLines);
    QVERIFY(again.lines() == lines);
    QVERIFY(prompts.messages.isEmpty());
}

void AnimationFileTest::oversizedFileStopsAtLimit()
{
    QByteArray bytes("#v050#\r\n");
    for (int i = 0; i < 100000; ++i)
        bytes += "r" + QByteArray::number(i) + "\r\n15\r\nsay\r\n";
    const QString path = m_dir.filePath(QStringLiteral("big.ras"));
    QVERIFY(writeBytes(path, bytes));
    AnimationModel model;
    FakePrompts prompts;
    LoadAnimation(model, path, prompts);
    QCOMPARE(model.count(), AnimationModel::MaxLines);
    QCOMPARE(model.line(0).text, QStringLiteral("r0"));
    QCOMPARE(model.line(AnimationModel::MaxLines - 1).text, QStringLiteral("r32766"));
    QCOMPARE(prompts.messageTexts(), QStringList{LineLimitMessage()});
}

void AnimationFileTest::openAnimation_data()
{
    // Path chosen in the dialog ("" cancels; "file" is an existing two-line
    // animation), the OpenDir setting, and what the list holds afterwards.
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("openDir");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("startFolder");
    const QStringList before{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("cancel") << "" << "/anims" << before << QStringList{} << "/anims";
    QTest::newRow("replaces the whole list") << "file" << "/anims" << QStringList{"one", "two"} << QStringList{}
                                             << "/anims";
    QTest::newRow("no setting keeps last folder") << "file" << "" << QStringList{"one", "two"} << QStringList{}
                                                  << "/last";
    QTest::newRow("path that doesn't exist") << "nothing.ras" << "" << before
                                             << QStringList{"File not found!\n%1"} << "/last";
    QTest::newRow("folder is not a file") << "." << "" << before << QStringList{"File not found!\n%1"} << "/last";
}

void AnimationFileTest::openAnimation()
{
    QFETCH(QString, choice);
    QFETCH(QString, openDir);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, messages);
    QFETCH(QString, startFolder);
    const QString file = m_dir.filePath(QStringLiteral("open.ras"));
    QVERIFY(writeBytes(file, "#v050#\r\none\r\n15\r\nsay\r\ntwo\r\n20\r\necho\r\n"));
    const QString chosen = choice.isEmpty() ? QString() : choice == QLatin1String("file") ? file : m_dir.filePath(choice);

    AnimationModel model;
    model.setLines(LinesFromTexts({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    Settings settings;
    settings.openDir = openDir;
    FileDialogState dialog{QStringLiteral("Save Script"), QStringLiteral("x|*.cfg"), QStringLiteral("/last/s.cfg"),
                           QStringLiteral("/last")};
    FakePrompts prompts;
    prompts.fileAnswers = {chosen};
    OpenAnimation(model, dialog, settings, prompts);

    QCOMPARE(TextsOf(model), texts);
    QCOMPARE(prompts.dialogs.size(), 1);
    const FakePrompts::Dialog &shown = prompts.dialogs.first();
    QCOMPARE(shown.kind, QStringLiteral("open"));
    QCOMPARE(shown.state.title, QStringLiteral("Open RtCW Animation"));
    QCOMPARE(shown.state.filter, AnimationFilter);
    QCOMPARE(shown.state.fileName, QString());
    QCOMPARE(shown.state.initialDir, startFolder);
    QCOMPARE(prompts.messages.size(), messages.size());
    for (qsizetype i = 0; i < messages.size(); ++i) {
        QCOMPARE(prompts.messages.at(i).text, messages.at(i).arg(chosen));
        QCOMPARE(prompts.messages.at(i).title, QStringLiteral("Error"));
        QCOMPARE(prompts.messages.at(i).icon, PromptIcon::Critical);
    }
}

void AnimationFileTest::saveAnimationAs_data()
{
    // Whether "taken.ras" exists; answers to "File exists! Overwrite?"; paths
    // chosen in the dialogs ("" cancels); which file ends up written.
    QTest::addColumn<QList<PromptAnswer>>("answers");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("written");
    using A = PromptAnswer;
    QTest::newRow("cancel the dialog") << QList<A>{} << QStringList{""} << 1 << "";
    QTest::newRow("new file") << QList<A>{} << QStringList{"fresh.ras"} << 1 << "fresh.ras";
    QTest::newRow("name typed without extension") << QList<A>{} << QStringList{"fresh"} << 1 << "fresh";
    QTest::newRow("overwrite yes") << QList<A>{A::Yes} << QStringList{"taken.ras"} << 1 << "taken.ras";
    QTest::newRow("overwrite cancel") << QList<A>{A::Cancel} << QStringList{"taken.ras", "fresh.ras"} << 1 << "";
    QTest::newRow("no reopens the dialog") << QList<A>{A::No} << QStringList{"taken.ras", "fresh.ras"} << 2
                                           << "fresh.ras";
    QTest::newRow("no, then cancel") << QList<A>{A::No} << QStringList{"taken.ras", ""} << 2 << "";
}

void AnimationFileTest::saveAnimationAs()
{
    QFETCH(QList<PromptAnswer>, answers);
    QFETCH(QStringList, choices);
    QFETCH(int, dialogs);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QByteArray old("#v050#\r\nold\r\n15\r\nsay\r\n");
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("taken.ras")), old));

    AnimationModel model;
    model.setLines({line("new", "20", "echo")});
    Settings settings;
    settings.saveDir = QStringLiteral("/anims");
    FileDialogState dialog{QString(), QString(), QStringLiteral("/last/chosen.ras"), QStringLiteral("/last")};
    FakePrompts prompts;
    prompts.answers = answers;
    for (const QString &choice : choices)
        prompts.fileAnswers << (choice.isEmpty() ? QString() : dir.filePath(choice));
    SaveAnimationAs(model, dialog, settings, prompts);

    QCOMPARE(prompts.dialogs.size(), dialogs);
    const FakePrompts::Dialog &first = prompts.dialogs.first();
    QCOMPARE(first.kind, QStringLiteral("save"));
    QCOMPARE(first.state.title, QStringLiteral("Save RtCW Animation"));
    QCOMPARE(first.state.filter, AnimationFilter);
    QCOMPARE(first.state.fileName, QStringLiteral("/last/chosen.ras"));
    QCOMPARE(first.state.initialDir, QStringLiteral("/anims"));
    for (const FakePrompts::Message &message : prompts.messages) {
        QCOMPARE(message.text, QStringLiteral("File exists! Overwrite?"));
        QCOMPARE(message.title, QStringLiteral("Save RtCW Animation"));
        QCOMPARE(message.icon, PromptIcon::Question);
        QCOMPARE(message.buttons, PromptButtons::YesNoCancel);
    }
    const QByteArray saved("#v050#\r\nnew\r\n20\r\necho\r\n");
    for (const QString &name : {QStringLiteral("taken.ras"), QStringLiteral("fresh.ras"), QStringLiteral("fresh")}) {
        const QByteArray expected = name == written ? saved
            : name == QLatin1String("taken.ras") ? old
                                                 : QByteArray("<missing>");
        QCOMPARE(readBytes(dir.filePath(name)), expected);
    }
}

QTEST_MAIN(AnimationFileTest)
#include "tst_AnimationFile.moc"
