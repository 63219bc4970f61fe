#include "FakePrompts.h"

#include "animation/AnimationModel.h"
#include "platform/TextFile.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptWindow.h"
#include "settings/Settings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

} // namespace

class ScriptWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void showsScriptBuiltOnOpening();
    void saveWritesWindowTextWithFinalLineEnd();
    void saveWritesWhatTheUserTyped();
    void keepsNoBreakSpaces();
    void fillsWindow();

private:
    AnimationModel m_model;
    Settings m_settings;
    FileDialogState m_dialog;
    FakePrompts m_prompts;
    QTemporaryDir m_dir;
};

void ScriptWindowTest::init()
{
    m_model.setLines({
        {QStringLiteral("^1Mar^7quee"), QStringLiteral("10"), QStringLiteral("set name")},
        {QString(), QStringLiteral("0"), QStringLiteral("set name")},
        {QStringLiteral("hello"), QStringLiteral("2x"), QStringLiteral("say_team")},
        {QStringLiteral("^2bye"), QStringLiteral("150"), QStringLiteral("say")},
    });
    m_settings = Settings{};
    m_settings.generateDir = m_dir.path();
    m_dialog = FileDialogState{};
    m_prompts.clear();
}

void ScriptWindowTest::showsScriptBuiltOnOpening()
{
    ScriptWindow window(m_model, m_settings, m_dialog, m_prompts);
    // The bad Time is told while building, before the window shows.
    QCOMPARE(m_prompts.messages.size(), 1);
    QCOMPARE(m_prompts.messages.first().text, QStringLiteral("no number _2x_"));
    QCOMPARE(m_prompts.messages.first().title, AppTitle);
    QCOMPARE(m_prompts.messages.first().buttons, PromptButtons::Ok);

    QCOMPARE(window.objectName(), QStringLiteral("frmScript"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Generate RtCW Script"));
    auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtScript"));
    QVERIFY(box);
    QVERIFY(!box->isReadOnly());
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(box->font().pointSizeF(), 9.75);
    const QStringList shown = box->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), 16);
    QCOMPARE(shown.first(), QString());
    QCOMPARE(shown.at(8), QStringLiteral("set name \"^1Mar^7quee\""));
    QCOMPARE(shown.last(), QStringLiteral("wait 99"));
    QCOMPARE(window.scriptText(), BuildScriptText(m_model.lines(), {}));
    // The script is built anew for each window: the model changed since.
    m_model.setTime(2, QStringLiteral("20"));
    m_prompts.clear();
    ScriptWindow again(m_model, m_settings, m_dialog, m_prompts);
    QVERIFY(m_prompts.messages.isEmpty());
    QVERIFY(again.scriptText().contains(QStringLiteral("say_team \"hello\"\r\nwait 20\r\n")));
}

void ScriptWindowTest::saveWritesWindowTextWithFinalLineEnd()
{
    ScriptWindow window(m_model, m_settings, m_dialog, m_prompts);
    const QString path = m_dir.filePath(QStringLiteral("name.cfg"));
    m_prompts.fileAnswers = {path};
    auto *save = window.findChild<QAction *>(QStringLiteral("mnuSave"));
    QVERIFY(save);
    save->trigger();
    QCOMPARE(m_prompts.dialogs.size(), 1);
    QCOMPARE(m_prompts.dialogs.first().state.initialDir, m_dir.path());
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes, EncodeAnsi(ScriptFileText(BuildScriptText(m_model.lines(), {}))));
    QVERIFY(bytes.startsWith("\r\n//"));
    QVERIFY(bytes.endsWith("say \"^2bye\"\r\nwait 99\r\n"));
    QCOMPARE(bytes.count("\r\n"), 16);
    QCOMPARE(bytes.count('\n'), 16);
}

void ScriptWindowTest::saveWritesWhatTheUserTyped()
{
    ScriptWindow window(m_model, m_settings, m_dialog, m_prompts);
    auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtScript"));
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(QStringLiteral("\necho \"done\""));
    const QString path = m_dir.filePath(QStringLiteral("typed.cfg"));
    m_prompts.fileAnswers = {path};
    window.findChild<QAction *>(QStringLiteral("mnuSave"))->trigger();
    QVERIFY(readBytes(path).endsWith("wait 99\r\necho \"done\"\r\n"));
}

void ScriptWindowTest::keepsNoBreakSpaces()
{
    m_model.setLines({{QString::fromUtf8("a\u00a0b"), QStringLiteral("15"), QStringLiteral("say")}});
    ScriptWindow window(m_model, m_settings, m_dialog, m_prompts);
    QVERIFY(window.scriptText().endsWith(QString::fromUtf8("say \"a\u00a0b\"\r\nwait 15")));
}

void ScriptWindowTest::fillsWindow()
{
    ScriptWindow window(m_model, m_settings, m_dialog, m_prompts);
    window.resize(500, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *box = window.findChild<QPlainTextEdit *>(QStringLiteral("txtScript"));
    QCOMPARE(box->x(), 0);
    QCOMPARE(box->width(), window.width());
    QCOMPARE(box->geometry().bottom(), window.rect().bottom());
    window.resize(700, 520);
    QApplication::processEvents();
    QCOMPARE(box->width(), 700);
    QCOMPARE(box->geometry().bottom(), window.rect().bottom());
}

QTEST_MAIN(ScriptWindowTest)
#include "tst_ScriptWindow.moc"
