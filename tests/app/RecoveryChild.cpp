// A copy of the program as the recovery tests need it, to be killed at a chosen moment:
//   app_recovery_child FOLDER ANSWER [FILE] [--change]
// starts as the program does with FILE, keeping its recovery file in FOLDER, and answers a recovery question with
// ANSWER ("yes", "no", or "hang": say "asking" and never answer). --change adds a line afterwards. It says "ready"
// when started, "kept" once its recovery file is written, and then waits to be killed.
#include "FakePrompts.h"
#include "TestStore.h"

#include "animation/AnimationModel.h"
#include "app/MainWindow.h"
#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {

struct ChildPrompts final : FakePrompts {
    QString answer;
    PromptAnswer message(const QString &text, const QString &, PromptIcon, PromptButtons) override
    {
        if (!text.startsWith(QLatin1String("Restore")))
            return PromptAnswer::Discard;
        if (answer == QLatin1String("hang")) {
            std::puts("asking");
            std::fflush(stdout);
            for (;;)
                QThread::sleep(1);
        }
        return answer == QLatin1String("yes") ? PromptAnswer::Restore : PromptAnswer::Delete;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    ChildPrompts prompts;
    prompts.answer = args.value(1);
    // Beside the recovery files, in the test's own folder: a copy killed mid-work removes nothing itself.
    JsonRegistryStore store(QDir(args.value(0)).filePath(QStringLiteral("child-registry-%1.json").arg(QCoreApplication::applicationPid())));
    MainWindow window(store, &prompts);
    const QStringList files = args.mid(2).filter(QRegularExpression(QStringLiteral("^[^-]")));
    OpenAtStart(window, files, args.value(0));
    if (args.contains(QLatin1String("--change"))) {
        AnimationStep step(window.model(), QStringLiteral("Add line"));
        window.model().appendLine(NameLine(QStringLiteral("^2added")));
    }
    std::puts("ready");
    std::fflush(stdout);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.document().recovery() && QFile::exists(window.document().recovery()->path())) {
            std::puts("kept");
            std::fflush(stdout);
            poll.stop();
        }
    });
    poll.start(50);
    return app.exec();
}
