#include "platform/ShellIntegration.h"

#include "platform/Platform.h"
#include "platform/RegistryOps.h"

#include <QFileInfo>

namespace {

QString classesRootDefault(const RegistryStore &store, const QString &key)
{
    return GetRegValue(store, RegHive::ClassesRoot, key, QString());
}

QString cfgClass(const RegistryStore &store)
{
    return classesRootDefault(store, ShellKeys::CfgExtension);
}

} // namespace

QString WindowsProgramCommand(const QString &executablePath)
{
    QString path = executablePath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    QString folder = slash < 0 ? QString() : path.left(slash + 1);
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('\\');
    // Quoted: a folder with blanks (Program Files) would otherwise end the program's path at its first blank,
    // and a file name with two blanks in a row would reach the program cut in pieces.
    return QLatin1Char('"') + folder + name + QLatin1String(".exe\" \"%1\"");
}

QString ProgramIconOf(const QString &programCommand)
{
    const QString program = programCommand.startsWith(QLatin1Char('"'))
                                ? programCommand.section(QLatin1Char('"'), 1, 1)
                                : programCommand.section(QLatin1String(" %1"), 0, 0);
    return program + QLatin1String(",0");
}

QString ProgramCommand(const QString &executablePath)
{
    if (Platform::ProgramsEndInExe())
        return WindowsProgramCommand(executablePath);
    return QFileInfo(executablePath).absoluteFilePath() + QLatin1String(" %1");
}

AssociationStatus AssociationStatusOf(AssociationState state)
{
    AssociationStatus status;
    status.state = state;
    switch (state) {
    case AssociationState::NotAssociated:
        status.text = QStringLiteral("[Not associated yet]");
        status.canAssociate = true;
        status.canRestore = false;
        break;
    case AssociationState::OtherProgram:
        status.text = QStringLiteral("Associated with [other program]");
        status.canAssociate = true;
        status.canRestore = true;
        break;
    case AssociationState::Marqueemaster:
        status.text = QStringLiteral("Associated with Marqueemaster");
        status.canAssociate = false;
        status.canRestore = true;
        break;
    }
    status.IsAssociated = state == AssociationState::Marqueemaster;
    return status;
}

AssociationStatus ReadAssociationStatus(const RegistryStore &store)
{
    const QString current = classesRootDefault(store, ShellKeys::RasExtension);
    if (current.isEmpty())
        return AssociationStatusOf(AssociationState::NotAssociated);
    return AssociationStatusOf(current == ShellKeys::RasClass ? AssociationState::Marqueemaster
                                                              : AssociationState::OtherProgram);
}

void AssociateRasFiles(RegistryStore &store, const QString &programCommand)
{
    const QString previous = classesRootDefault(store, ShellKeys::RasExtension);
    if (previous == ShellKeys::RasClass)
        return;
    if (!previous.isEmpty())
        SetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue, previous);
    SetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasExtension, QString(), ShellKeys::RasClass);
    SetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasCommandKey, QString(), programCommand);
    SetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasClass + QLatin1String("\\DefaultIcon"), QString(),
                ProgramIconOf(programCommand));
}

void RestoreRasAssociation(RegistryStore &store)
{
    if (classesRootDefault(store, ShellKeys::RasExtension) != ShellKeys::RasClass)
        return;
    const QString backup = GetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue);
    if (backup.isEmpty())
        DeleteRegKey(store, RegHive::ClassesRoot, ShellKeys::RasExtension);
    else
        SetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasExtension, QString(), backup);
}

ContextMenuStatus ReadContextMenuStatus(const RegistryStore &store)
{
    ContextMenuStatus status;
    status.cfgClass = cfgClass(store);
    status.present = !status.cfgClass.isEmpty()
                     && !classesRootDefault(store, status.cfgClass + ShellKeys::ContextEntry).isEmpty();
    status.canAdd = !status.present;
    status.canRemove = status.present;
    return status;
}

void AddContextMenuEntry(RegistryStore &store, const QString &programCommand)
{
    const QString cls = cfgClass(store);
    if (cls.isEmpty())
        return;
    const QString entry = cls + ShellKeys::ContextEntry;
    SetRegValue(store, RegHive::ClassesRoot, entry, QString(), ShellKeys::ContextCaption);
    SetRegValue(store, RegHive::ClassesRoot, entry + QLatin1String("\\command"), QString(), programCommand);
}

void RemoveContextMenuEntry(RegistryStore &store)
{
    const QString cls = cfgClass(store);
    if (cls.isEmpty())
        return;
    DeleteRegKey(store, RegHive::ClassesRoot, cls + QLatin1String("\\shell\\importmarqueemaster"));
}

QStringList RegistryTraces(const RegistryStore &store)
{
    QStringList traces;
    if (ReadAssociationStatus(store).IsAssociated) {
        const QString backup = GetRegValue(store, RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue);
        traces << (backup.isEmpty() ? QStringLiteral("the association of .ras files with Marqueemaster")
                                    : QStringLiteral("the association of .ras files with Marqueemaster (they go back "
                                                     "to %1)")
                                          .arg(backup));
    }
    if (ReadContextMenuStatus(store).present)
        traces << QStringLiteral("the \"Import script in Marqueemaster\" entry of the .cfg files' menu");
    if (store.value(RegHive::ClassesRoot, ShellKeys::RasCommandKey, QString()))
        traces << QStringLiteral("the file type %1").arg(ShellKeys::RasClass);
    return traces;
}

QStringList RemoveRegistryTraces(RegistryStore &store)
{
    RestoreRasAssociation(store);
    RemoveContextMenuEntry(store);
    store.deleteValue(RegHive::ClassesRoot, ShellKeys::RasExtension, ShellKeys::BackupValue);
    DeleteRegKey(store, RegHive::ClassesRoot, ShellKeys::RasClass);
    QStringList left;
    if (const QString ras = classesRootDefault(store, ShellKeys::RasExtension); !ras.isEmpty())
        left << QStringLiteral(".ras files keep the file type %1, another program's.").arg(ras);
    // The machine's classes show through where the user's are gone: an administrator's installation made them.
    if (store.value(RegHive::ClassesRoot, ShellKeys::RasCommandKey, QString()))
        left << QStringLiteral("The file type %1 of all users: only an administrator can remove it.").arg(ShellKeys::RasClass);
    return left;
}
