#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Opens a link with the platform's own handler (web browser, mail program).
// Windows take one so tests can see the address without starting anything.
using LinkOpener = std::function<void(const QUrl &url)>;
LinkOpener DefaultLinkOpener();

QUrl WebPageUrl();
// "mailto:" and the maker's address: the mail program starts a new message.
QUrl MailUrl();

// "Version ^8" and major.minor.patch of this build.
QString VersionLine(int major, int minor, int patch);
// The colour-coded text of the about window.
QString AboutText();
// The licence, as About names it.
QString LicenceText();
