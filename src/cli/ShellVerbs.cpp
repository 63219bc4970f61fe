#include "cli/CliVerbs.h"
#include "cli/VerbArguments.h"

#include "platform/ProgramFolders.h"
#include "platform/RegistryStore.h"
#include "platform/ShellIntegration.h"
#include "platform/SystemShell.h"
#include "settings/ProgramTraces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

// The desktop program beside this one: the shell's entries name it, not the command-line tool.
QString desktopProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("marqueemaster"));
}

bool desktopProgramFound(CliStreams &streams)
{
    const QString program = desktopProgram();
    if (QFileInfo::exists(program) || QFileInfo::exists(program + QStringLiteral(".exe")))
        return true;
    streams.err << "marqueemaster is not in " << QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                << ": the association would name a program that isn't there\n";
    return false;
}

void writeList(CliStreams &streams, const QString &heading, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    WriteText(streams.out, (heading + QStringLiteral("\n  ") + lines.join(QStringLiteral("\n  ")) + QLatin1Char('\n')));
}

int runAssociate(const VerbArguments &arguments, CliStreams &streams)
{
    if (!arguments.positional.isEmpty())
        return UsageError(streams, QStringLiteral("associate takes no file"));
    if (!desktopProgramFound(streams))
        return 1;
    const std::unique_ptr<DesktopShell> shell = SystemDesktopShell(SystemRegistryStore(), desktopProgram());
    if (!shell->associationStatus().IsAssociated)
        shell->associate();
    if (!shell->associationStatus().IsAssociated) {
        streams.err << "the association could not be written\n";
        return 1;
    }
    return 0;
}

int runRemoveSettings(const VerbArguments &arguments, CliStreams &streams)
{
    if (!arguments.positional.isEmpty())
        return UsageError(streams, QStringLiteral("remove-settings takes no file"));
    RegistryStore &store = SystemRegistryStore();
    const std::unique_ptr<DesktopShell> shell = SystemDesktopShell(store, desktopProgram());
    ProgramTraces traces(store, *shell, ProgramFolders::All());
    if (const QString running = traces.otherCopyRunning(); !running.isEmpty()) {
        streams.err << running << '\n';
        return 1;
    }
    const QStringList found = traces.list();
    if (found.isEmpty()) {
        WriteText(streams.out, QStringLiteral("Marqueemaster keeps nothing on this computer outside its own folder.\n"));
        return 0;
    }
    if (arguments.isSet(QStringLiteral("list"))) {
        writeList(streams, QStringLiteral("Would remove:"), found);
        return 0;
    }
    const QStringList left = traces.remove();
    writeList(streams, QStringLiteral("Removed:"), found);
    writeList(streams, QStringLiteral("Left:"), left);
    return 0;
}

const bool associateRegistered = RegisterCliVerb(
    {QStringLiteral("associate"), [] { return VerbSyntax{{}, {}}; }, runAssociate,
     QStringLiteral("Makes .ras files open in marqueemaster (beside this program), as Options' Associate button "
                    "does; another program's association is kept to be restored.")});

const bool removeRegistered = RegisterCliVerb(
    {QStringLiteral("remove-settings"),
     [] {
         return VerbSyntax{{}, {{{QStringLiteral("list")}, {}, QStringLiteral("only list what would be removed")}}};
     },
     runRemoveSettings,
     QStringLiteral("Removes everything Marqueemaster keeps outside its own folder: its associations (another "
                    "program's are restored), its settings and its folders. Run it before deleting the program.")});

} // namespace
