#include "script/ScriptWindow.h"

#include "animation/AnimationModel.h"
#include "game/GameConsole.h"
#include "platform/Platform.h"
#include "platform/ScreenFit.h"
#include "platform/Prompts.h"
#include "platform/SafeSave.h"
#include "platform/TextFile.h"
#include "script/ScriptCheck.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptParts.h"
#include "script/AutoexecBind.h"
#include "script/ScriptRepeat.h"
#include "script/ScriptSave.h"
#include "animation/Settings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QThread>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString BindTitle = QStringLiteral("Bind to key");

// A long report would take longer to show than the rest of the window.
constexpr int MaxReportLines = 500;

QString partCaption(int part, qsizetype bytes, int limit)
{
    return QStringLiteral("Part %1: %L2 bytes%3").arg(part).arg(bytes).arg(bytes > limit ? QStringLiteral(" - too large") : QString());
}

} // namespace

ScriptWindow::ScriptWindow(const AnimationModel &model, const Settings &settings, FileDialogState &dialog,
                           Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_model(model), m_settings(settings), m_folders(settings.folders()),
      m_passes(settings.passes), m_dialog(dialog), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmScript"));
    setWindowTitle(QStringLiteral("Generate %1 Script").arg(Games::ScriptGameName(settings.rules())));
    ResizeOnScreen(*this, QSize(760, 560));

    auto *menuBar = new QMenuBar(this);
    auto *saveAction = menuBar->addAction(QStringLiteral("&Save"));
    saveAction->setObjectName(QStringLiteral("mnuSave"));
    connect(saveAction, &QAction::triggered, this, &ScriptWindow::save);
    m_saveIntoGame = menuBar->addAction(QStringLiteral("Save into the &game folder"));
    m_saveIntoGame->setObjectName(QStringLiteral("mnuSaveIntoGame"));
    connect(m_saveIntoGame, &QAction::triggered, this, &ScriptWindow::saveIntoGameFolder);
    m_bind = menuBar->addAction(QStringLiteral("&Bind to key..."));
    m_bind->setObjectName(QStringLiteral("mnuBind"));
    connect(m_bind, &QAction::triggered, this, &ScriptWindow::bindToKey);
    m_unbind = menuBar->addAction(QStringLiteral("&Remove the bind"));
    m_unbind->setObjectName(QStringLiteral("mnuUnbind"));
    connect(m_unbind, &QAction::triggered, this, &ScriptWindow::removeBind);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_summary->setContentsMargins(6, 4, 6, 4);

    // No key stops a running script: the count of passes is the script's own.
    m_repeat = new QSpinBox(this);
    m_repeat->setObjectName(QStringLiteral("spnRepeat"));
    m_repeat->setRange(1, ScriptRepeat::MaxPasses);
    m_repeat->setValue(m_passes);
    m_repeat->setSuffix(QStringLiteral(" time(s)"));
    m_repeat->setKeyboardTracking(false);  // a count typed digit by digit is cut once, not per digit
    m_repeat->setToolTip(QStringLiteral("How many times the script plays the animation in the game"));
    auto *repeatLabel = new QLabel(QStringLiteral("Re&peat:"), this);
    repeatLabel->setObjectName(QStringLiteral("lblRepeat"));
    repeatLabel->setBuddy(m_repeat);
    auto *repeatRow = new QHBoxLayout;
    repeatRow->setContentsMargins(6, 0, 6, 4);
    repeatRow->addWidget(repeatLabel);
    repeatRow->addWidget(m_repeat);
    repeatRow->addStretch(1);
    connect(m_repeat, &QSpinBox::valueChanged, this, &ScriptWindow::setPasses);

    m_partList = new QListWidget(this);
    m_partList->setObjectName(QStringLiteral("lstParts"));
    m_partList->setUniformItemSizes(true);  // about 90 captions at the line limit: one is measured, not each
    m_text = new QPlainTextEdit(this);
    m_text->setTabChangesFocus(true);  // a keyboard user must be able to leave the script box
    m_text->setObjectName(QStringLiteral("txtScript"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    m_text->setFont(font);
    m_report = new QPlainTextEdit(this);
    m_report->setTabChangesFocus(true);
    m_report->setObjectName(QStringLiteral("txtReport"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *parts = new QSplitter(Qt::Horizontal);
    parts->addWidget(m_partList);
    parts->addWidget(m_text);
    parts->setStretchFactor(1, 1);
    parts->setSizes({170, 590});
    auto *rows = new QSplitter(Qt::Vertical);
    rows->addWidget(parts);
    rows->addWidget(m_report);
    rows->setStretchFactor(0, 1);
    rows->setSizes({420, 110});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_summary);
    layout->addLayout(repeatRow);
    layout->addWidget(rows, 1);

    // The list's verdict when it plays for the same game; else one play worked out beside the script.
    const bool listHasVerdict = model.hasLinePlayer() && model.frameRate() == settings.fps()
                                && model.game() == settings.game && model.passes() == m_passes;
    GameVerdict verdict;
    std::unique_ptr<QThread> player;
    if (!listHasVerdict) {
        player.reset(QThread::create([&verdict, lines = model.lines(), frameRate = settings.fps(),
                                      &rules = settings.rules(), passes = m_passes] {
            verdict = PlayLines(lines, frameRate, rules, passes);
        }));
        player->start();
    }

    // Built before the window shows, so each bad Time is told while loading.
    const GeneratedScript script = GenerateScript(model.lines(), [&prompts](const QString &message) {
        prompts.message(message, AppTitle, PromptIcon::None, PromptButtons::Ok);
    });
    const ExecTarget target = ExecTargetOf(savedOrAssumedPath(), m_folders);
    connect(m_partList, &QListWidget::currentRowChanged, this, &ScriptWindow::showPart);
    showGenerated(ScriptPartList(script, target.name, settings.partLimit, settings.rules(), m_passes));
    if (player)
        player->wait();
    else
        verdict = model.gameVerdict();
    showVerdict(verdict);
}

void ScriptWindow::showVerdict(const GameVerdict &verdict)
{
    m_playMs = verdict.ms;
    const QVector<LineMark> &marks = verdict.marks;
    if (const GameRules &rules = m_settings.rules(); rules.nameChangeMs > 0) {
        m_nameChanges = QStringLiteral("%1 servers take one name change every %2 seconds by default: %3 of %4 names "
                                       "will be seen.")
                            .arg(QLatin1String(rules.title))
                            .arg(rules.nameChangeMs / 1000)
                            .arg(verdict.names - verdict.unseenNames)
                            .arg(verdict.names);
    }
    showSummary();
    m_droppingRows = DroppingRows(marks);

    QStringList report;
    for (const LineMark &mark : marks.first(qMin<qsizetype>(marks.size(), MaxReportLines))) {
        // Appended, not arg(): the report is built each time the window opens.
        QString line = QLatin1String("line ") + QString::number(mark.row + 1) + QLatin1String(": ") + mark.reason;
        if (!mark.shown.isEmpty())
            line += QLatin1String(" - the others see: ") + mark.shown;
        report << line;
    }
    if (marks.size() > MaxReportLines)
        report << QStringLiteral("... and %1 lines more").arg(marks.size() - MaxReportLines);
    m_report->setPlainText(marks.isEmpty() ? QStringLiteral("The game plays every line as the preview shows it.")
                                           : QStringLiteral("The game plays %1 line(s) otherwise:\n").arg(marks.size())
                                                 + report.join(QLatin1Char('\n')));
}

QString ScriptWindow::savedOrAssumedPath() const
{
    if (!m_dialog.fileName.isEmpty())
        return m_dialog.fileName;
    // Where the save dialog starts: the exec line names that until the player chooses.
    const QString folder = !m_settings.generateDir.isEmpty() ? m_settings.generateDir
                           : !m_folders.homeBase.isEmpty()   ? m_folders.homeBase
                                                             : Platform::PlayerFilesFolder();
    return QDir(folder).filePath(QStringLiteral("script.cfg"));
}

void ScriptWindow::showSummary()
{
    const QString path = savedOrAssumedPath();
    const ExecTarget target = ExecTargetOf(path, m_folders);
    qsizetype total = 0;
    for (int i = 0; i < m_parts.size(); ++i)
        total += partBytes(i);
    // Before the first save the name is a guess: say so.
    const QString start = m_dialog.fileName.isEmpty()
                              ? QStringLiteral("exec and the name you save it as (%1 for %2)").arg(ExecLine(target.first), target.first)
                              : ExecLine(target.first);
    QString text = QStringLiteral("%L1 bytes in %2 part(s) of at most %L3 bytes, checked against %4. "
                                  "Start it in the game with: %5")
                       .arg(total).arg(m_parts.size()).arg(m_settings.partLimit)
                       .arg(QLatin1String(m_settings.rules().title), start);
    if (!target.underGameFolder) {
        text += QLatin1Char('\n') + OutsideGameMessage(path, m_folders, m_settings.rules());
        if (!m_folders.homeBase.isEmpty())
            text += QStringLiteral(" \"Save into the game folder\" saves it as %1.")
                        .arg(QDir::toNativeSeparators(m_folders.intoGameFolder(path)));
    }
    m_saveIntoGame->setEnabled(!target.underGameFolder && !m_folders.homeBase.isEmpty());
    if (const QString problem = ExecPathProblem(target, static_cast<int>(m_parts.size()), m_passes);
        !problem.isEmpty())
        text += QLatin1Char('\n') + problem;
    if (m_mostPasses > 0)
        text += QLatin1Char('\n') + ScriptRepeat::TooManyPassesMessage(m_passes, m_mostPasses);
    else if (m_passes > 1)
        text += QStringLiteral("\nIt plays the animation %1 times and then stops by itself: part 1 keeps the count "
                               "and is written for the name you save it as.").arg(m_passes);
    if (!m_nameChanges.isEmpty())
        text += QLatin1Char('\n') + m_nameChanges;
    text += QLatin1Char('\n') + KeysWaitMessage(m_playMs);
    m_summary->setText(text);
    showBindState();
}

QString ScriptWindow::autoexecPath() const
{
    return m_folders.homeBase.isEmpty() ? QString() : QDir(m_folders.homeBase).filePath(QStringLiteral("autoexec.cfg"));
}

void ScriptWindow::showBindState()
{
    const ExecTarget target = ExecTargetOf(savedOrAssumedPath(), m_folders);
    const std::optional<QString> command = BindCommandOf(target.name, target.first);
    const bool saved = !m_dialog.fileName.isEmpty() && target.underGameFolder;
    m_unbind->setEnabled(saved && command && !autoexecPath().isEmpty()
                         && !FindBind(FileBytes(autoexecPath()), *command).isEmpty());
}

std::optional<QString> ScriptWindow::bindCommand()
{
    const ExecTarget target = ExecTargetOf(savedOrAssumedPath(), m_folders);
    QString why;
    if (m_dialog.fileName.isEmpty() || !target.underGameFolder)
        why = QStringLiteral("Save the script into the game folder first: the bind runs it by its path there.");
    else if (autoexecPath().isEmpty())
        why = OutsideGameMessage(m_dialog.fileName, m_folders, m_settings.rules());
    const std::optional<QString> command = BindCommandOf(target.name, target.first);
    if (why.isEmpty() && !command)
        why = QStringLiteral("A bind can't run %1: its path holds a blank, a quote or a semicolon. Save the script "
                             "under a name without them.").arg(target.first);
    if (!why.isEmpty()) {
        m_prompts.message(why, BindTitle, PromptIcon::Exclamation, PromptButtons::Ok);
        return std::nullopt;
    }
    return command;
}

void ScriptWindow::bindToKey()
{
    const std::optional<QString> command = bindCommand();
    if (!command)
        return;
    const QString typed = m_prompts.input(QStringLiteral("The key that starts the script (F5, k, KP_ENTER, MOUSE4 ...):"),
                                          BindTitle, QStringLiteral("F5"));
    if (typed.trimmed().isEmpty())
        return;
    const std::optional<QString> key = GameKeyName(typed);
    if (!key) {
        m_prompts.message(QStringLiteral("The game has no key named %1.").arg(typed.trimmed()), BindTitle,
                          PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    const QString path = autoexecPath();
    const QByteArray before = FileBytes(path);
    BindEdit edit = AddBind(before, *key, *command, false);
    if (!edit.boundTo.isEmpty()) {
        const QString question = QStringLiteral("%1 is bound in %2 to:\n%3\n\nReplace it?")
                                     .arg(*key, QDir::toNativeSeparators(path), edit.boundTo);
        if (m_prompts.message(question, BindTitle, PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
            return;
        edit = AddBind(before, *key, *command, true);
    }
    if (edit.changed) {
        if (const TextWriteResult written = SaveBytes(path, edit.bytes); !written.ok) {
            m_prompts.message(QStringLiteral("Can't write %1: %2\nNothing was changed.")
                                  .arg(QDir::toNativeSeparators(path), written.errorString),
                              BindTitle, PromptIcon::Critical, PromptButtons::Ok);
            return;
        }
    }
    m_prompts.message(QStringLiteral("%1 %2:\n%3\n\nThe game runs autoexec.cfg when it starts.")
                          .arg(edit.changed ? QStringLiteral("Added to") : QStringLiteral("Already in"),
                               QDir::toNativeSeparators(path), BindLine(*key, *command)),
                      BindTitle, PromptIcon::Information, PromptButtons::Ok);
    showBindState();
}

void ScriptWindow::removeBind()
{
    const std::optional<QString> command = bindCommand();
    if (!command)
        return;
    const QString path = autoexecPath();
    const QByteArray before = FileBytes(path);
    const QString line = FindBind(before, *command);
    bool removed = false;
    const QByteArray after = RemoveBind(before, *command, &removed);
    if (removed) {
        if (const TextWriteResult written = SaveBytes(path, after); !written.ok) {
            m_prompts.message(QStringLiteral("Can't write %1: %2\nNothing was changed.")
                                  .arg(QDir::toNativeSeparators(path), written.errorString),
                              BindTitle, PromptIcon::Critical, PromptButtons::Ok);
            return;
        }
    }
    m_prompts.message(removed ? QStringLiteral("Removed from %1:\n%2").arg(QDir::toNativeSeparators(path), line)
                              : QStringLiteral("%1 binds no key to %2.").arg(QDir::toNativeSeparators(path), *command),
                      BindTitle, PromptIcon::Information, PromptButtons::Ok);
    showBindState();
}

void ScriptWindow::setPasses(int passes)
{
    if (passes == m_passes)
        return;
    if (edited()) {
        const QString question = QStringLiteral("Repeating cuts the script into parts anew: the changes you made in "
                                                "its parts are lost.\n\nGo on?");
        if (m_prompts.message(question, AppTitle, PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes) {
            const QSignalBlocker quiet(m_repeat);
            m_repeat->setValue(m_passes);
            return;
        }
    }
    m_passes = passes;
    emit passesChosen(passes);
    const ExecTarget target = ExecTargetOf(savedOrAssumedPath(), m_folders);
    showGenerated(ScriptPartList(m_generated.script(), target.name, m_settings.partLimit, m_settings.rules(), passes));
    const bool listHasVerdict = m_model.hasLinePlayer() && m_model.frameRate() == m_settings.fps()
                                && m_model.game() == m_settings.game && m_model.passes() == passes;
    showVerdict(listHasVerdict ? m_model.gameVerdict()
                               : PlayLines(m_model.lines(), m_settings.fps(), m_settings.rules(), passes));
}

bool ScriptWindow::edited() const
{
    const QStringList current = parts();
    for (int i = 0; i < current.size(); ++i) {
        if (current.at(i) != m_generated.part(i))
            return true;
    }
    return false;
}

void ScriptWindow::showGenerated(const ScriptPartList &generated)
{
    m_generated = generated;
    // Told with the most the buffer holds; worked out only then, as it cuts the script many times.
    m_mostPasses = generated.passes() > 1 && !generated.fits()
                       ? MostPasses(generated.script(), ExecTargetOf(savedOrAssumedPath(), m_folders).name,
                                    m_settings.partLimit, m_settings.rules())
                       : 0;
    if (m_mostPasses >= generated.passes())
        m_mostPasses = 0;  // a part too large at any count: told as before, per part
    m_parts = QStringList(m_generated.size());  // each part is put together when it is first shown or saved
    m_shown = -1;
    QStringList captions;  // added at once: the list lays itself out once, not per part
    for (int i = 0; i < m_generated.size(); ++i)
        captions << partCaption(i + 1, partBytes(i), m_generated.room(i));
    const QSignalBlocker quiet(m_partList);
    m_partList->clear();
    m_partList->addItems(captions);
    m_partList->setCurrentRow(0);
    showPart(0);
}

void ScriptWindow::showPart(int part)
{
    if (m_shown >= 0 && m_shown < m_parts.size())
        m_parts[m_shown] = parts().at(m_shown);
    m_shown = part;
    if (part < 0 || part >= m_parts.size())
        return;
    m_text->setReadOnly(m_generated.isStarter(part));  // written anew for the name the script is saved as
    // The box keeps lines, not line ends: show them with LF, give them back with CR LF.
    QString shown = partText(part);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_text->setPlainText(shown);
}

qsizetype ScriptWindow::partBytes(int part) const
{
    return m_parts.at(part).isNull() ? m_generated.fileBytes(part) : PartFileBytes(m_parts.at(part));
}

QString ScriptWindow::partText(int part) const
{
    if (m_parts.at(part).isNull())
        m_parts[part] = m_generated.part(part);
    return m_parts.at(part);
}

QStringList ScriptWindow::parts() const
{
    QStringList result;
    result.reserve(m_parts.size());
    for (int i = 0; i < m_parts.size(); ++i)
        result << partText(i);
    if (m_shown < 0 || m_shown >= m_parts.size())
        return result;
    // Raw text: plain text would turn a no-break space of a name into a blank.
    const QString raw = m_text->document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (QChar c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0:  // frame start and end: not in a plain text box, but they are line ends too
        case 0xfdd1:
            text += QLatin1String("\r\n");
            break;
        default:
            text += c;
        }
    }
    result[m_shown] = text;
    return result;
}

void ScriptWindow::save()
{
    saveThrough([this](const auto &partsFor, QStringList *saved) {
        return SaveScriptParts(partsFor,
                               {m_settings.generateDir, m_folders, Games::ScriptGameName(m_settings.rules()), m_passes},
                               m_dialog, m_prompts, saved);
    });
}

void ScriptWindow::saveIntoGameFolder()
{
    const QString path = m_folders.intoGameFolder(savedOrAssumedPath());
    saveThrough([this, path](const auto &partsFor, QStringList *saved) {
        if (!SaveScriptPartsAt(path, partsFor, {{}, m_folders, {}, m_passes}, m_prompts, saved))
            return false;
        m_dialog.fileName = path;
        return true;
    });
}

void ScriptWindow::saveThrough(const std::function<bool(const std::function<QStringList(const QString &)> &partsFor,
                                                        QStringList *saved)> &write)
{
    if (!m_droppingRows.isEmpty()) {
        const QString question = QStringLiteral("%1 drops you from the server for a name over 35 bytes or none, at "
                                                "line(s) %2.\n\nSave anyway?")
                                     .arg(QLatin1String(m_settings.rules().title), m_droppingRows);
        if (m_prompts.message(question, SaveScriptTitle, PromptIcon::Exclamation, PromptButtons::YesNo)
            != PromptAnswer::Yes)
            return;
    }
    if (m_mostPasses > 0) {
        m_prompts.message(ScriptRepeat::TooManyPassesMessage(m_passes, m_mostPasses), SaveScriptTitle,
                          PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    const QStringList current = parts();
    // A part whose line that runs the next was edited away ends the animation there: said, not kept quiet.
    if (const QList<int> unchained = PartsNotChained(current, m_passes); !unchained.isEmpty()) {
        QStringList which;
        for (const int part : unchained)
            which << QStringLiteral("Part %1 no longer runs part %2.").arg(part).arg(part + 1);
        const QString question = QStringLiteral("%1\nThe game stops there.\n\nSave anyway?").arg(which.join(u'\n'));
        if (m_prompts.message(question, SaveScriptTitle, PromptIcon::Exclamation, PromptButtons::YesNo)
            != PromptAnswer::Yes)
            return;
    }
    QStringList tooLarge;
    for (int i = 0; i < current.size(); ++i) {
        const qsizetype bytes = PartFileBytes(current.at(i));
        const int room =
            i < m_generated.size() ? m_generated.room(i) : PartRoom(m_settings.partLimit, i, m_settings.rules());
        if (bytes > room)
            tooLarge << QStringLiteral("Part %1: %L2 bytes").arg(i + 1).arg(bytes);
    }
    if (!tooLarge.isEmpty()) {
        const QString question =
            QStringLiteral("An edited part no longer fits the limit of %L1 bytes: the game refuses a file over %L2 "
                           "bytes, and a large part blocks your own keys while it plays.\n%3\n\nSave anyway?")
                .arg(m_settings.partLimit).arg(m_settings.rules().maxPartBytes()).arg(tooLarge.join(QLatin1Char('\n')));
        if (m_prompts.message(question, SaveScriptTitle, PromptIcon::Exclamation, PromptButtons::YesNo)
            != PromptAnswer::Yes)
            return;
    }
    // Untouched, the script is cut anew for the chosen file, exactly as generate -o cuts it; edited, the
    // player's parts are kept and chained by that file.
    const bool edited = this->edited();
    const auto partsFor = [&](const QString &path) {
        return edited ? RechainParts(current, ExecTargetOf(path, m_folders).name, m_passes)
                      : ScriptPartsFor(m_generated.script(), path, m_settings.partLimit, m_settings.rules(), m_folders,
                                       m_passes);
    };
    QStringList saved;
    if (!write(partsFor, &saved))
        return;
    const ExecTarget target = ExecTargetOf(m_dialog.fileName, m_folders);
    if (!edited) {
        showGenerated(ScriptPartList(m_generated.script(), target.name, m_settings.partLimit, m_settings.rules(),
                                     m_passes));
    } else {
        m_parts = saved;
        const int shown = m_shown;
        m_shown = -1;  // the box's text is in m_parts already
        showPart(shown);
    }
    showSummary();
    // The chain as saved, played as check plays it: where the game would stop it is said at once.
    const ScriptCheck check = CheckScriptFile(m_dialog.fileName, m_settings.fps(), m_settings.rules(), m_folders);
    if (!check.stopped.isEmpty())
        m_prompts.message(ChainStopsMessage(check.stopped), SaveScriptTitle, PromptIcon::Exclamation,
                          PromptButtons::Ok);
}
