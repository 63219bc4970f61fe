// Times the operations a user runs on the largest animations. Prints a table
// of median and worst milliseconds over several runs, and peak memory.
#include "Measure.h"

#include "animation/AnimationFile.h"
#include "animation/LineCommands.h"
#include "app/MainWindow.h"
#include "animation/PlayClock.h"
#include "animation/PreviewPlayer.h"
#include "animation/RecoveryFile.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/RegistryOps.h"
#include "wizard/EffectList.h"
#include "script/ScriptGenerator.h"
#include "script/ScriptCheck.h"
#include "script/ScriptImport.h"
#include "script/ScriptParts.h"
#include "script/ScriptSave.h"
#include "script/ScriptWindow.h"
#include "animation/Settings.h"
#include "wizard/Effects.h"
#include "transforms/Colorize.h"
#include "colors/ColoredText.h"
#include "colors/PreviewBoxWidget.h"
#include "platform/JsonRegistryStore.h"
#include "platform/RegistryOps.h"
#include "platform/SilentPrompts.h"

#include <QDir>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>
#include <QUndoStack>
#include <cstdio>

namespace {

constexpr int kRuns = 9;

// A window measured before it is on screen would time nothing.
void waitUntilShown(QWidget &window)
{
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was never shown");
}

QVector<AnimationLine> manyLines(int count, const QString &prefix = {})
{
    QVector<AnimationLine> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append({prefix + QStringLiteral("^%1Line ^7number %2").arg(i % 10).arg(i), QString::number(10 + i % 90),
                      QStringLiteral("set name")});
    return lines;
}

// Start-up as the user sees it: a new process until the main window is shown.
int startupProbe(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    JsonRegistryStore store(dir.filePath(QStringLiteral("registry.json")));
    MainWindow window(store);
    window.show();
    waitUntilShown(window);
    return 0;
}

// A fresh process's main window, shown, and a full animation's file beside it.
struct ProbeWindow {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("big.ras"));
    JsonRegistryStore store{dir.filePath(QStringLiteral("registry.json"))};
    SilentPrompts prompts;
    MainWindow window{store};

    ProbeWindow()
    {
        WriteTextFile(path, AnimationFileText(manyLines(AnimationModel::MaxLines)));
        window.setPrompts(&prompts);
        window.show();
        waitUntilShown(window);
        QCoreApplication::processEvents();
    }
};

// The whole-animation commands a player repeats, in turn: the wizard's Finish (16,384 lines), Copy all, Colorize
// all (rainbow, from a colour of its own each time) and Delete all; each a step of the history.
void wholeAnimationCommand(MainWindow &window, Prompts &prompts, int i)
{
    AnimationModel &model = window.model();
    switch (i % 4) {
    case 0: {
        AnimationStep step(model, QStringLiteral("Finish"));
        model.setLines(manyLines(AnimationModel::MaxLines / 2, QStringLiteral("^%1step %2 ").arg(i % 10).arg(i)));
        break;
    }
    case 1: {
        AnimationStep step(model, QStringLiteral("Copy all lines"));
        CopyLines(model, 0, prompts, 3);
        break;
    }
    case 2: {
        QVector<AnimationLine> lines = model.lines();
        Colorize::Options rainbow;
        rainbow.colors = {1 + i % 7};
        for (AnimationLine &line : lines)
            line.text = Colorize::Apply(line.text, rainbow);
        AnimationStep step(model, QStringLiteral("Colorize all"));
        model.setLines(lines);
        break;
    }
    default: {
        AnimationStep step(model, QStringLiteral("Delete all lines"));
        model.clear();
    }
    }
}

// Memory that one hundred whole-animation undo steps at the line limit add, and how many are kept.
int undoMemoryProbe(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProbeWindow probe;
    probe.window.history().stack().clear();
    QCoreApplication::processEvents();
    const double before = CurrentMemoryMb();
    for (int i = 0; i < 100; ++i) {
        wholeAnimationCommand(probe.window, probe.prompts, i);
        QCoreApplication::processEvents();  // as between a player's commands
    }
    if (qEnvironmentVariableIsSet("MARQUEE_PROBE_DETAIL"))
        std::fprintf(stderr, "history counts %.1f MB\n", probe.window.history().memoryCost() / 1048576.0);
    std::printf("%.1f %d\n", CurrentMemoryMb() - before, probe.window.history().stack().count());
    return 0;
}

// Memory that a full animation, opened from its file, adds to a program whose
// main window is shown: measured in a fresh process so nothing is reused.
int memoryProbe(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProbeWindow probe;
    const double before = PeakMemoryMb();
    LoadAnimation(probe.window.model(), probe.path, probe.prompts);
    probe.window.list()->scrollToBottom();
    QCoreApplication::processEvents();
    std::printf("%.1f\n", PeakMemoryMb() - before);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--memory-probe") == 0)
        return memoryProbe(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--undo-memory-probe") == 0)
        return undoMemoryProbe(argc, argv);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    JsonRegistryStore store(dir.filePath(QStringLiteral("registry.json")));
    SilentPrompts prompts;
    QVector<Measurement> rows;
    const QVector<AnimationLine> full = manyLines(AnimationModel::MaxLines);

    // Script text
    rows << Measure("generate the script text", "32,767 lines", 20, kRuns, [] {},
                    [&] { BuildScriptText(full, [](const QString &) {}); });

    // The game: parts, names as the game shows them, the script window
    rows << Measure("generate and split the script into parts", "32,767 lines", 10, kRuns, [] {},
                    [&] { SplitScript(GenerateScript(full, {}), QStringLiteral("anims/ocelot"), 12288); });
    rows << Measure("check every line as the game plays it", "32,767 lines", 10, kRuns, [] {},
                    [&] { PlayLines(full, 125); });
    {
        const QString first = dir.filePath(QStringLiteral("chain/ocelot.cfg"));
        QDir(dir.path()).mkdir(QStringLiteral("chain"));
        WriteScriptParts(first, SplitScript(GenerateScript(full, {}), QStringLiteral("ocelot"), 12288));
        rows << Measure("check the saved chain (marqueemaster-cli check)", "32,767 lines", 100, kRuns, [] {},
                        [&] { CheckScriptFile(first, 125); });
    }
    {
        Settings settings;
        AnimationModel model;
        model.setFrameRate(settings.fps());
        model.setLinePlayer(PlayLines);
        model.setLines(full);
        model.gameVerdict();  // the list has shown its marks
        FileDialogState dialog;
        rows << Measure("script window shown", "32,767 lines", 16, kRuns, [] {}, [&] {
            ScriptWindow window(model, settings, dialog, prompts);
            window.show();
            QCoreApplication::processEvents();
        });
    }

    // .ras save and load
    {
        AnimationModel model;
        model.setLines(full);
        const QString path = dir.filePath(QStringLiteral("big.ras"));
        rows << Measure("save .ras", "32,767 lines", 30, kRuns, [] {}, [&] { SaveAnimation(model, path, prompts); });
        rows << Measure("load .ras", "32,767 lines", 30, kRuns, [] {}, [&] { LoadAnimation(model, path, prompts); });
    }

    // Import of a game script
    {
        QString script;
        for (const AnimationLine &line : full)
            script += QStringLiteral("set name \"%1\"\r\nwait %2\r\n").arg(line.text, line.time);
        const QString path = dir.filePath(QStringLiteral("big.cfg"));
        WriteTextFile(path, script);
        AnimationModel model;
        rows << Measure("import .cfg", "32,767 name commands", 30, kRuns, [] {},
                        [&] { ImportScript(model, path, prompts); });
    }

    // Commands into the list on screen
    {
        MainWindow window(store);
        window.setPrompts(&prompts);
        window.show();
        waitUntilShown(window);
        const QVector<AnimationLine> half = manyLines(16383);
        rows << Measure("\"Bounce\" 9 times, 15-character name, lvwMain shown", "15,841 lines", 30, kRuns,
                        [&] { window.model().clear(); QCoreApplication::processEvents(); },
                        [&] {
                            QString name = QStringLiteral("^1Marquee^7master15");
                            QString clan;
                            ApplyEffect(window.model(), name, QStringLiteral("Bounce"), QStringLiteral("9"), QString(),
                                        clan, false, prompts);
                            window.list()->viewport()->repaint();
                        });
        // 35 characters, codes included, so each frame can carry colour within 35 bytes.
        const QString waveName = QStringLiteral("^3Marquee^5master ^1colour ^2wave!!");
        for (const char *pattern : {"Rainbow", "Random"}) {
            rows << Measure(QStringLiteral("\"Colour wave\" (%1) 9 passes, lvwMain shown").arg(QLatin1String(pattern)),
                            QStringLiteral("35-character name"), 16, kRuns,
                            [&] { window.model().clear(); QCoreApplication::processEvents(); },
                            [&] {
                                QString name = waveName;
                                QString clan;
                                ApplyEffect(window.model(), name, EffectColourWave, QLatin1String(pattern),
                                            QStringLiteral("9"), clan, false, prompts);
                                window.list()->viewport()->repaint();
                            });
        }
        rows << Measure("\"Copy all lines\", lvwMain shown", "16,383 -> 32,766 lines", 30, kRuns,
                        [&] {
                            window.model().setLines(half);
                            window.setCurrentRow(0);
                            QCoreApplication::processEvents();
                        },
                        [&] {
                            CopyLines(window.model(), window.currentRow(), prompts, 3);
                            window.list()->viewport()->repaint();
                        });
    }

    // Undo and redo of whole-animation steps, and the recovery file, with the list on screen
    {
        MainWindow window(store);
        window.setPrompts(&prompts);
        window.show();
        waitUntilShown(window);
        QUndoStack &stack = window.history().stack();
        auto shown = [&] {
            window.list()->viewport()->repaint();
        };
        auto deleteAll = [&] {
            window.model().setLines(full);
            stack.clear();
            window.setCurrentRow(100);
            AnimationStep step(window.model(), QStringLiteral("Delete all lines"));
            window.model().clear();
        };
        auto finish = [&] {
            window.model().setLines(manyLines(3));
            stack.clear();
            window.setCurrentRow(1);
            AnimationStep step(window.model(), QStringLiteral("Bounce"));
            RunEffects(window.model(), QStringLiteral("^1Marquee^7master15"), QString(), false,
                       {{QStringLiteral("Bounce"), QStringLiteral("9"), QString()},
                        {QStringLiteral("Bounce"), QStringLiteral("9"), QString()}},
                       prompts);
        };
        rows << Measure("undo \"Delete all lines\", lvwMain shown", "32,767 lines", 16, kRuns,
                        [&] { deleteAll(); QCoreApplication::processEvents(); }, [&] { stack.undo(); shown(); });
        rows << Measure("redo \"Delete all lines\", lvwMain shown", "32,767 lines", 16, kRuns,
                        [&] { deleteAll(); stack.undo(); QCoreApplication::processEvents(); },
                        [&] { stack.redo(); shown(); });
        finish();
        const QString finishSize = QStringLiteral("3 -> %L1 lines").arg(window.model().count());
        rows << Measure("undo the wizard's Finish (Bounce 9, Bounce 9), lvwMain shown", finishSize, 16, kRuns,
                        [&] { finish(); QCoreApplication::processEvents(); }, [&] { stack.undo(); shown(); });
        rows << Measure("redo the wizard's Finish (Bounce 9, Bounce 9), lvwMain shown", finishSize, 16, kRuns,
                        [&] { finish(); stack.undo(); QCoreApplication::processEvents(); },
                        [&] { stack.redo(); shown(); });

        // Steps far back in a long history: their lines are packed, and unpacked by undo or redo.
        window.model().clear();
        stack.clear();
        for (int i = 0; i < 100; ++i) {
            wholeAnimationCommand(window, prompts, i);
            QCoreApplication::processEvents();
        }
        const auto atIndex = [&](int index) {
            stack.setIndex(index);
            QCoreApplication::processEvents();  // packs what only older steps keep
        };
        rows << Measure("undo \"Colorize all\" 97 steps back, lvwMain shown", "32,766 lines", 16, kRuns,
                        [&] { atIndex(3); }, [&] { stack.undo(); shown(); });
        rows << Measure("redo \"Colorize all\" 97 steps back, lvwMain shown", "32,766 lines", 16, kRuns,
                        [&] { atIndex(2); }, [&] { stack.redo(); shown(); });
        rows << Measure("\"Copy all lines\" with 100 steps kept, lvwMain shown", "16,383 -> 32,766 lines", 16, kRuns,
                        [&] { atIndex(100); wholeAnimationCommand(window, prompts, 100); QCoreApplication::processEvents(); },
                        [&] { wholeAnimationCommand(window, prompts, 101); shown(); });

        QTemporaryDir data;
        WatchedFile unsavedFile;
        RecoveryFile recovery(window.model(), window.history(), unsavedFile, data.path());
        rows << Measure("recovery file: the window blocked while it is written", "32,767 lines", 16, kRuns,
                        [&] { recovery.flush(); window.model().setLines(full); }, [&] { recovery.update(); });
        rows << Measure("recovery file: written on its worker thread", "32,767 lines", 1000, kRuns,
                        [&] { recovery.flush(); window.model().setLines(full); }, [&] { recovery.flush(); });
    }

    // Opening a file over unsaved changes, the question answered Discard
    {
        struct DiscardingPrompts final : Prompts {
            SilentPrompts silent;
            PromptAnswer message(const QString &text, const QString &title, PromptIcon icon, PromptButtons buttons) override
            {
                return buttons == PromptButtons::SaveDiscardCancel ? PromptAnswer::Discard
                                                                   : silent.message(text, title, icon, buttons);
            }
            QString input(const QString &p, const QString &t, const QString &a) override { return silent.input(p, t, a); }
            bool openFile(FileDialogState &state) override { return silent.openFile(state); }
            bool saveFile(FileDialogState &state) override { return silent.saveFile(state); }
            QString browseFolder(const QString &title) override { return silent.browseFolder(title); }
        } discarding;
        MainWindow window(store);
        window.setPrompts(&discarding);
        window.show();
        waitUntilShown(window);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("full.ras"));
        WriteTextFile(file, AnimationFileText(full));
        // What a restore checks: the file against the hash kept with the work (also taken at each open and save).
        rows << Measure("a file's stamp (MD5 of its bytes) for the restore check", "32,767 lines", 5, kRuns, [] {},
                        [&] { WatchedFile::Stamp::Of(file); });
        rows << Measure("open a file over unsaved changes, Discard, lvwMain shown", "32,767 lines", 16, kRuns,
                        [&] {
                            window.openFile(file);
                            AnimationStep step(window.model(), QStringLiteral("Add line"));
                            window.model().appendLine(full.first());
                            QCoreApplication::processEvents();
                        },
                        [&] {
                            window.openFile(file);
                            window.list()->viewport()->repaint();
                        });
    }

    // The chosen game's colours, with a full animation on screen
    {
        MainWindow window(store);
        window.setPrompts(&prompts);
        window.show();
        waitUntilShown(window);
        window.model().setLines(full);
        window.setCurrentRow(100);
        QCoreApplication::processEvents();
        int switches = 0;
        rows << Measure("switch the game (Options' OK): list marks and preview redrawn", "32,767 lines", 16, kRuns,
                        [] {}, [&] {
                            SetRegValue(store, RegHive::CurrentUser, SettingsKey, QStringLiteral("Game"),
                                        ++switches % 2 ? QStringLiteral("et") : QStringLiteral("rtcw"));
                            window.loadSettings();
                            window.list()->viewport()->repaint();
                            window.previewBox()->viewport()->repaint();
                        });
        QString rainbow;
        for (int i = 0; i < 34; i += 2)
            rainbow += QStringLiteral("^%1%2").arg(1 + i / 2 % 7).arg(QChar(u'a' + i / 2));
        QVector<AnimationLine> coloured(full.size(), {rainbow, QStringLiteral("15"), QStringLiteral("set name")});
        window.model().setLines(coloured);
        window.setCurrentRow(16000);
        QCoreApplication::processEvents();
        const int shownRows = window.list()->viewport()->height() / qMax(1, window.list()->sizeHintForRow(0));
        rows << Measure("paint a screen of coloured rows (lvwMain, codes shown)",
                        QStringLiteral("%1 rows of 17 colours").arg(shownRows), 2, kRuns, [] {},
                        [&] { window.list()->viewport()->repaint(); });
        // What the list costs without colours, for comparison: the same screen of one-colour rows.
        window.model().setLines(QVector<AnimationLine>(full.size(), {QString(34, QLatin1Char('x')), QStringLiteral("15"),
                                                                     QStringLiteral("set name")}));
        window.setCurrentRow(16000);
        QCoreApplication::processEvents();
        rows << Measure("paint a screen of uncoloured rows (lvwMain), for comparison",
                        QStringLiteral("%1 rows").arg(shownRows), 2, kRuns, [] {},
                        [&] { window.list()->viewport()->repaint(); });
        SetRegValue(store, RegHive::CurrentUser, SettingsKey, QStringLiteral("Game"), QStringLiteral("rtcw"));
    }

    // Game-speed play: each wake-up of the play's clock is one frame's work, the preview box drawn and painted.
    {
        SetRegValue(store, RegHive::CurrentUser, SettingsKey, QStringLiteral("PlayAtGameSpeed"), QStringLiteral("1"));
        MainWindow window(store);
        window.setPrompts(&prompts);
        window.show();
        waitUntilShown(window);
        window.model().setLines(full);
        ManualClock clock;
        window.player().gameSpeedPlayer()->setClock(&clock);
        const QString size = QStringLiteral("32,767 lines, 125 fps");
        Measurement frames{QStringLiteral("game-speed play, every frame with work (the worst counts)"), size, 4, {}, 0, true};
        // The same frames' own processor time: what other programs on the machine take is left out.
        Measurement cpu{QStringLiteral("game-speed play, every frame's processor time (the worst counts)"), size, 4, {}, 0,
                        true};
        auto frame = [&](const std::function<void()> &work) {
            QElapsedTimer timer;
            const double cpuBefore = ThreadCpuMs();
            timer.start();
            work();
            window.previewBox()->viewport()->repaint();
            frames.runsMs.append(timer.nsecsElapsed() / 1e6);
            cpu.runsMs.append(ThreadCpuMs() - cpuBefore);
        };
        frame([&] { window.runCommand(QStringLiteral("btnpreview")); });
        while (const std::optional<qint64> wake = clock.wakeMs())
            frame([&] { clock.advanceTo(*wake); });
        frames.peakMb = cpu.peakMb = PeakMemoryMb();
        rows << frames << cpu;
        SetRegValue(store, RegHive::CurrentUser, SettingsKey, QStringLiteral("PlayAtGameSpeed"), QStringLiteral("0"));
    }

    // Coloured drawing
    {
        QString text;
        for (int i = 0; text.size() < 1000; ++i)
            text += QStringLiteral("^%1x").arg(i % 10);
        text = text.left(1000);
        QTextDocument document;
        rows << Measure("RenderColoredText", "1,000 characters, a code every 3", 5, kRuns, [] {},
                        [&] { RenderColoredText(text, document); });
    }

    // Start-up, in a process of its own.
    rows << Measure("start-up to main window shown (offscreen)", "empty animation", 300, kRuns, [] {}, [&] {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-probe")});
        probe.waitForFinished(30000);
    });

    QProcess memory;
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-probe")});
    memory.waitForFinished(60000);
    const double addedMb = memory.readAllStandardOutput().trimmed().toDouble();

    QProcess undoMemory;
    undoMemory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--undo-memory-probe")});
    undoMemory.waitForFinished(300000);
    const QStringList undoFigures = QString::fromLatin1(undoMemory.readAllStandardOutput()).split(QLatin1Char(' '));

    PrintTable(rows);
    std::printf("\nPeak memory added by opening a 32,767-line animation in the shown main window: %.1f MB (budget 15 MB)\n", addedMb);
    std::printf("Memory added by 100 whole-animation undo steps at 32,767 lines: %.1f MB, %d steps kept (budget 64 MB)\n",
                undoFigures.value(0).toDouble(), undoFigures.value(1).trimmed().toInt());
    return 0;
}
