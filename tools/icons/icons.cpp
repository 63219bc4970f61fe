// Writes the program's icon as <folder>/<n>x<n>/apps/<name>.png for every installed size.
#include "platform/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: marqueemaster-icons FOLDER NAME\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : AppIconSizes) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(dir) || !AppIconImage(size).save(QDir(dir).filePath(name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "marqueemaster-icons: can't write into %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
