#pragma once

#include <QString>

// The maker's addresses, shown in the script banner and the help windows.
namespace Contact {
inline const QString WebPage = QStringLiteral("https://marqueemaster.example.org/");
inline const QString Mail = QStringLiteral("maker@marqueemaster.example.org");  // 31 characters: fits the banner frame
inline const QString Icq = QStringLiteral("123456789");
inline const QString MakerName = QStringLiteral("[XKR]OceloT");
} // namespace Contact
