#include "about/HelpFacts.h"

#include <QDir>

HelpFacts HelpFactsOf(const GameRules &game, const GameFolders &folders)
{
    HelpFacts facts;
    facts.game = QLatin1String(game.title);
    for (const GameFolder &folder : folders.search)
        facts.folders << QDir::toNativeSeparators(folder.path);
    facts.gameFolder = QDir::toNativeSeparators(folders.homeBase);
    facts.baseName = folders.baseName;
    facts.blackInNames = game.blackAllowed;
    facts.config = game.game == Game::Et || game.game == Game::EtLegacy ? QStringLiteral("etconfig.cfg")
                                                                         : QStringLiteral("wolfconfig_mp.cfg");
    return facts;
}

QString FillHelpPage(QString html, const HelpFacts &facts)
{
    const QString unknown = QStringLiteral("(not known yet: choose the game's install folder on Edit ▸ Options ▸ Game)");
    QStringList folders;
    for (const QString &folder : facts.folders)
        folders << QStringLiteral("<code>%1</code>").arg(folder.toHtmlEscaped());
    const QString gameFolder = facts.gameFolder.isEmpty() ? unknown
                                                          : QStringLiteral("<code>%1</code>").arg(facts.gameFolder.toHtmlEscaped());
    const QString autoexec = facts.gameFolder.isEmpty()
                                 ? QStringLiteral("<code>autoexec.cfg</code> in the game's %1 folder").arg(facts.baseName)
                                 : QStringLiteral("<code>%1</code>")
                                       .arg(QDir::toNativeSeparators(facts.gameFolder + QStringLiteral("/autoexec.cfg"))
                                                .toHtmlEscaped());
    html.replace(QLatin1String("{game}"), facts.game.toHtmlEscaped());
    html.replace(QLatin1String("{folders}"), folders.isEmpty() ? unknown : folders.join(QStringLiteral(", then ")));
    html.replace(QLatin1String("{gameFolder}"), gameFolder);
    html.replace(QLatin1String("{autoexec}"), autoexec);
    html.replace(QLatin1String("{baseName}"), facts.baseName);
    html.replace(QLatin1String("{config}"), facts.config);
    html.replace(QLatin1String("{black}"),
                 facts.blackInNames
                     ? QStringLiteral("On %1 black stays in names, so Colorize and the colour buttons offer it.")
                           .arg(facts.game.toHtmlEscaped())
                     : QStringLiteral("On %1 the game removes a black code from a name: the code goes, the letter after "
                                      "it stays and shows in the colour before it (the line gets a <a href=\"marks.html\">! "
                                      "mark</a> that shows what the others see); black still works in chat lines.")
                           .arg(facts.game.toHtmlEscaped()));
    return html;
}
