#include "about/AboutText.h"

#include "Version.h"
#include "script/Contact.h"

#include <QDesktopServices>

LinkOpener DefaultLinkOpener()
{
    return [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

QUrl WebPageUrl()
{
    return QUrl(Contact::WebPage);
}

QUrl MailUrl()
{
    return QUrl(QStringLiteral("mailto:") + Contact::Mail);
}

QString VersionLine(int major, int minor, int patch)
{
    return QStringLiteral("Version ^8%1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString LicenceText()
{
    return QStringLiteral("Marqueemaster is free software: you may share and change it under the GNU General Public "
                          "License, version 3 or later. It comes with no warranty.");
}

QString AboutText()
{
    return QStringLiteral("^1Marquee^7master\n")
           + VersionLine(MARQUEE_VERSION_MAJOR, MARQUEE_VERSION_MINOR, MARQUEE_VERSION_PATCH)
           + QStringLiteral("\n\n^8Made by ^7") + Contact::MakerName;
}
