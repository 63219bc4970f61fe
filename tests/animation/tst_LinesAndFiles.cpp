#include "ScriptFixtures.h"

#include "animation/AnimationFileCommands.h"
#include "animation/EditLineDialog.h"
#include "animation/LineCommands.h"
#include "animation/Settings.h"
#include "script/PasteCommands.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The file's bytes and the lines loading it gives; with saved set, the bytes are what saving those lines writes.
struct FileCase { QByteArray bytes; Lines loaded; std::optional<Lines> saved; };

// "A,B,^1Bob,#3": A, B and C are lines whose every field differs, so a copy of the
// wrong line or field shows; "#3" is three lines "x"; any other name is a pasted line.
Lines linesNamed(const QString &names)
{
    const Lines abc{Line("A", "1", "say"), Line("^1B", "x", "Echo"), Line("C", " 30 ")};
    Lines lines;
    for (const QString &name : names.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (name.startsWith(QLatin1Char('#')))
            lines += Lines(name.mid(1).toInt(), Line("x"));
        else
            lines += name.size() == 1 ? abc.at(name.at(0).unicode() - 'A') : NameLine(name);
    }
    return lines;
}

// command "copy lines M:N": CopyLines in mode M, N typed in its count box; clipboard: afterwards, and what a paste
// starts with; events: input boxes shown, messages told, then "preview".
struct CommandCase { QString command, start; int current; QString result, clipboard; QStringList events; };

// keys: typed over the whole Time field, "\b" is Backspace; downs: Down keys in the
// action list; how: ok, cancel, enter, enter-in-list or escape.
// problem: the line shown beside a refused Time; the dialog then stays open, the line as it was
struct EditCase { QString time, action, keys; int downs; QString how, newTime, newAction; QString problem = {}; };

} // namespace

class LinesAndFilesTest : public QObject {
    Q_OBJECT
private slots:
    void file_data()
    {
        QTest::addColumn<FileCase>("c");
        QTest::newRow("no file") << FileCase{"<missing>", {}};
        QTest::newRow("zero bytes") << FileCase{"", {}};
        QTest::newRow("empty animation") << FileCase{"#v050#\r\n", {}, Lines{}};
        const Lines plain{Line("^1Hi", " 2x", "say"), Line("\u00e9\u20ac")};
        QTest::newRow("fields as they are, code page")
            << FileCase{"#v050#\r\n^1Hi\r\n 2x\r\nsay\r\n\xe9\x80\r\n15\r\nset name\r\n", plain, plain};
        QTest::newRow("CR LF in a field") << FileCase{"#v050#\r\na\nb\r\n1\n5\r\nsay\r\n", {Line("a\nb", "1\n5", "say")},
                                                      Lines{Line("a\r\nb", "1\r5", "say")}};
        QTest::newRow("last line open") << FileCase{"#v050#\r\na\r\n15\r\necho", {Line("a", "15", "echo")}};
        QTest::newRow("record cut off after its Time") << FileCase{"#v050#\r\na\r\n1\r\nsay\r\nb\r\n15\r\n", {Line("a", "1", "say")}};
        QTest::newRow("action in capitals") << FileCase{"#v050#\r\na\r\n15\r\nSAY\r\n", {Line("a")}};
        QTest::newRow("header in other case: older layout") << FileCase{"#V050#\r\na\r\n\r\nsay", {Line("a"), Line(""), Line("say")}};
        QTest::newRow("LF-only file") << FileCase{"#v050#\na\n15\nsay\n", {}};
    }

    void file()
    {
        QFETCH(FileCase, c);
        const QString path = m_dir.filePath(QStringLiteral("a.ras"));
        QFile::remove(path);
        AnimationModel model;
        model.setLines(c.saved ? *c.saved : LinesFromTexts({"old 1", "old 2", "old 3", "old 4", "old 5"}));
        FakePrompts prompts;
        if (c.saved) {
            QVERIFY(SaveAnimation(model, path, prompts));
            QCOMPARE(ReadFileBytes(path), c.bytes);
        } else if (c.bytes != "<missing>") {
            PutBytes(path, c.bytes);
        }
        LoadAnimation(model, path, prompts);
        QCOMPARE(model.lines(), c.loaded);
        QVERIFY(prompts.messages.isEmpty());
    }

    void otherCommands_data()
    {
        QTest::addColumn<CommandCase>("c");
        const QStringList preview{"preview"}, cantRemove{"Can't remove line."}, asked{"Delete all lines?"};
        const QString howMany = "Copy selected line x times|Copy the selected line how many times?|5";
        QTest::newRow("copy selected line") << CommandCase{"copy lines 1", "A,B,C", 1, "A,B,C,B", "-", {}};
        QTest::newRow("copy all lines") << CommandCase{"copy lines 3", "A,B,C", 1, "A,B,C,A,B,C", "-", {}};
        QTest::newRow("copy all lines reversed") << CommandCase{"copy lines 4", "A,B,C", 1, "A,B,C,C,B,A", "-", {}};
        QTest::newRow("copy selected, no current row") << CommandCase{"copy lines 1", "A,B,C", -1, "A,B,C", "-", {}};
        QTest::newRow("x times 3") << CommandCase{"copy lines 2:3", "A,B,C", 1, "A,B,C,B,B,B", "-", {howMany}};
        QTest::newRow("x times 1") << CommandCase{"copy lines 2:1", "A,B,C", 1, "A,B,C,B", "-", {howMany}};
        QTest::newRow("x times 0") << CommandCase{"copy lines 2:0", "A,B,C", 1, "A,B,C", "-", {howMany}};
        QTest::newRow("x times abc") << CommandCase{"copy lines 2:abc", "A,B,C", 1, "A,B,C", "-",
                                                    {howMany, "Can't copy the selected line. Invalid input (abc)"}};
        for (int mode = 1; mode <= 4; ++mode)
            QTest::addRow("copy lines, empty list, mode %d", mode)
                << CommandCase{QStringLiteral("copy lines %1:3").arg(mode), "", -1, "", "-", {"There are no lines to copy"}};
        QTest::newRow("all lines one too many") << CommandCase{"copy lines 3", "#16384", 0, "#32767", "-", {LineLimitMessage()}};
        QTest::newRow("x times past the limit") << CommandCase{"copy lines 2:5", "#32765", 0, "#32767", "-", {howMany, LineLimitMessage()}};
        QTest::newRow("remove") << CommandCase{"remove", "A,B,C", 1, "A,C", "-", {}};
        QTest::newRow("remove, no current row") << CommandCase{"remove", "A,B,C", -1, "A,B,C", "-", cantRemove};
        QTest::newRow("delete all, yes") << CommandCase{"delete Yes", "A,B,C", 1, "", "-", asked};
        QTest::newRow("edit") << CommandCase{"edit", "A,B", 1, "A,B", "-", {"dialog 1"}};
        QTest::newRow("edit, empty list") << CommandCase{"edit", "", -1, "", "-", {"No items to edit"}};
        QTest::newRow("cut") << CommandCase{"cut", "A,B,C", 1, "A,C", "^1B", preview};
        QTest::newRow("copy Text") << CommandCase{"copy", "A,B,C", 1, "A,B,C", "^1B", {}};
        QTest::newRow("paste after the current row") << CommandCase{"paste", "A,B,C", 1, "A,B,^1Bob,C", "^1Bob", preview};
        QTest::newRow("paste two-line text") << CommandCase{"paste", "", -1, "a\r\nb", "a\r\nb", preview};
        QTest::newRow("paste into a full list") << CommandCase{"paste", "#32767", 3, "#32767", "x", {LineLimitMessage(), "preview"}};
        QTest::newRow("default name") << CommandCase{"name", "A,B", 0, "A,[XY]Bob,B", "-", preview};
        QTest::newRow("open") << CommandCase{"open open.ras", "A", 0, "one", "-", {}};
        QTest::newRow("open a file gone") << CommandCase{"open none.ras", "A", 0, "A", "-", {"File not found!\n" + m_dir.filePath("none.ras")}};
        QTest::newRow("a save that fails keeps the old file") << CommandCase{"save", "A", 0, "A", "-", {"<save error>", "kept old"}};
        QTest::newRow("default name, reversed") << CommandCase{"name reversed", "A,B", 0, "A,Bob[XY],B", "-", preview};
    }

    void otherCommands()
    {
        QFETCH(CommandCase, c);
        AnimationModel model;
        model.setLines(linesNamed(c.start));
        QGuiApplication::clipboard()->setText(c.command == "paste" ? c.clipboard : QStringLiteral("-"));
        FakePrompts prompts;
        prompts.answers = {c.command.endsWith("No") ? PromptAnswer::No : PromptAnswer::Yes};
        prompts.inputAnswers = {c.command.section(u':', 1)};
        QStringList happened;
        const auto setPreview = [&] { happened << QStringLiteral("preview"); };
        const std::optional<int> row = c.current < 0 ? std::nullopt : std::optional<int>(c.current);
        const Settings settings{.name = QStringLiteral("Bob"), .clanTag = QStringLiteral("[XY]"), .reverse = c.command.endsWith("reversed")};
        if (c.command == "remove")
            RemoveLine(model, row, prompts);
        else if (c.command.startsWith("delete"))
            DeleteAllLines(model, prompts);
        else if (c.command == "cut")
            CutLine(model, row, setPreview);
        else if (c.command.startsWith("copy lines"))
            CopyLines(model, row, prompts, c.command.mid(11, 1).toInt());
        else if (c.command.startsWith("open ")) {  // the file chosen in the dialog, of the test's folder
            WriteAnimationFile(m_dir.filePath("open.ras"), {"one"});
            prompts.fileAnswers = {m_dir.filePath(c.command.mid(5))};
            FileDialogState dialog;
            if (const QString path = ChooseAnimationToOpen(dialog, Settings{}, prompts); !path.isEmpty())
                LoadAnimation(model, path, prompts);
        } else if (c.command == "save") {  // at the longest name allowed: no room for the safe write's temporary file
            const QString path = PutBytes(m_dir.filePath(QString(250, QLatin1Char('n'))), "old");
            happened << (SaveAnimation(model, path, prompts) ? "saved " : "kept ") + QString::fromLatin1(ReadFileBytes(path));
        } else if (c.command == "copy")
            CopyLineText(model, row);
        else if (c.command == "edit")
            EditLine(model, row, prompts, [&](int opened) { happened << QStringLiteral("dialog %1").arg(opened); });
        else if (c.command == "paste")
            PasteFromClipboard(model, row, prompts, setPreview);
        else
            PasteDefaultName(model, row, settings, prompts, setPreview);
        QCOMPARE(model.lines(), linesNamed(c.result));
        QCOMPARE(QGuiApplication::clipboard()->text(), c.clipboard);
        QStringList told = prompts.messageTexts();
        std::replace_if(told.begin(), told.end(), IsSaveError, QStringLiteral("<save error>"));
        QCOMPARE(prompts.inputPrompts + told + happened, c.events);
    }

    void editDialog_data()
    {
        QTest::addColumn<EditCase>("c");
        QTest::newRow("OK") << EditCase{"15", "say", "25", 2, "ok", "25", "vsay"};
        QTest::newRow("Enter in the Time field") << EditCase{"15", "say", "150", 1, "enter", "150", "say_team"};
        QTest::newRow("Cancel") << EditCase{"15", "say", "25", 2, "cancel", "15", "say"};
        QTest::newRow("Escape") << EditCase{"15", "say", "25", 2, "escape", "15", "say"};
        const QString notNumber = "Not a number: type the frames to wait, e.g. 20.";
        QTest::newRow("letter after a number") << EditCase{"15", "say", "15a", 0, "ok", "15a", "say", notNumber};
        QTest::newRow("field emptied") << EditCase{"15", "say", "\b", 0, "ok", "", "say", "Type the frames to wait, e.g. 20."};
        QTest::newRow("emptied, then typed") << EditCase{"15", "say", "\b30", 0, "ok", "30", "say"};
        QTest::newRow("letter taken back") << EditCase{"15", "say", "x\b45", 0, "enter", "45", "say"};
        QTest::newRow("told on leaving the box") << EditCase{"15", "say", "abc", 0, "tab", "abc", "say", notNumber};
        QTest::newRow("Enter on a refused Time") << EditCase{"15", "say", "abc", 0, "enter", "abc", "say", notNumber};
        QTest::newRow("too large") << EditCase{"15", "say", "99999999999", 0, "ok", "99999999999", "say", "Too large: at most 32767."};
        QTest::newRow("too small") << EditCase{"15", "say", "-40000", 0, "ok", "-40000", "say", "Too small: at least -32768."};
        QTest::newRow("fraction and blank kept") << EditCase{"15", "say", "7.5 ", 0, "ok", "7.5 ", "say"};
        QTest::newRow("Time no number opens as 20") << EditCase{"fast", "say", "", 0, "ok", "20", "say"};
        QTest::newRow("unknown action opens as set name") << EditCase{"15", "shout", "", 1, "ok", "15", "say"};
    }

    void editDialog()
    {
        QFETCH(EditCase, c);
        AnimationModel model;
        model.setLines({Line("A"), {QStringLiteral("B"), c.time, c.action}, Line("C")});
        EditLineDialog dialog(model, 1);
        auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("txtTime"));
        auto *list = dialog.findChild<QComboBox *>(QStringLiteral("cmbAction"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
        field->selectAll();
        for (QChar key : c.keys)
            key == u'\b' ? QTest::keyClick(field, Qt::Key_Backspace) : QTest::keyClicks(field, QString(key));
        for (int i = 0; i < c.downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        auto *problem = dialog.findChild<QLabel *>(QStringLiteral("lblTimeProblem"));
        if (c.how == "tab") {
            QTest::keyClick(field, Qt::Key_Tab);
            QCOMPARE(problem->isVisible() ? problem->text() : QString(), c.problem);
            c.how = "ok";
        }
        if (c.how == "ok" || c.how == "cancel")
            QTest::mouseClick(dialog.findChild<QPushButton *>(c.how == "ok" ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
        else
            QTest::keyClick(c.how == "enter-in-list" ? static_cast<QWidget *>(list) : field,
                            c.how == "escape" ? Qt::Key_Escape : Qt::Key_Return);
        if (!c.problem.isEmpty())
            QCOMPARE(field->text(), c.newTime);  // what was typed stays
        QCOMPARE(problem->isVisible() ? problem->text() : QString(), c.problem);
        QCOMPARE(dialog.isVisible(), !c.problem.isEmpty());
        const bool kept = !c.problem.isEmpty();  // a refused Time leaves the line as it was
        QCOMPARE(model.lines(), (Lines{Line("A"), {"B", kept ? c.time : c.newTime, kept ? c.action : c.newAction}, Line("C")}));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(LinesAndFilesTest)
#include "tst_LinesAndFiles.moc"
