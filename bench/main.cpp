// Times the operations a user runs on the largest animations. Prints a table
// of median and worst milliseconds over several runs, and peak memory.
#include "Measure.h"

#include "animation/AnimationFile.h"
#include "app/MainWindow.h"
#include "colors/ColoredText.h"
#include "settings/JsonRegistryStore.h"
#include "SilentPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>
#include <cstdio>

namespace {

constexpr int kRuns = 9;

QVector<AnimationLine> manyLines(int count)
{
    QVector<AnimationLine> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append({QStringLiteral("^%1Line ^7number %2").arg(i % 10).arg(i), QString::number(10 + i % 90),
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
    QTest::qWaitForWindowExposed(&window);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argc, argv);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    JsonRegistryStore store(dir.filePath(QStringLiteral("registry.json")));
    SilentPrompts prompts;
    QVector<Measurement> rows;
    const QVector<AnimationLine> full = manyLines(AnimationModel::MaxLines);

    // .ras save and load
    {
        AnimationModel model;
        model.setLines(full);
        const QString path = dir.filePath(QStringLiteral("big.ras"));
        rows << Measure("save .ras", "32,767 lines", 30, kRuns, [] {}, [&] { SaveAnimation(model, path, prompts); });
        rows << Measure("load .ras", "32,767 lines", 30, kRuns, [] {}, [&] { LoadAnimation(model, path, prompts); });
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

    // Memory a full animation adds to a shown main window.
    double addedMb = 0;
    {
        MainWindow window(store);
        window.setPrompts(&prompts);
        window.show();
        QTest::qWaitForWindowExposed(&window);
        QCoreApplication::processEvents();
        const double before = CurrentMemoryMb();
        window.model().setLines(full);
        QCoreApplication::processEvents();
        addedMb = CurrentMemoryMb() - before;
    }

    // Start-up, in a process of its own.
    rows << Measure("start-up to main window shown (offscreen)", "empty animation", 300, kRuns, [] {}, [&] {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-probe")});
        probe.waitForFinished(30000);
    });

    PrintTable(rows);
    std::printf("\nMemory added by a shown 32,767-line animation: %.1f MB (budget 15 MB)\n", addedMb);
    return 0;
}
