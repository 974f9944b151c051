// Writes the program's icons as the PNG files of the hicolor icon theme, drawn by
// the same code as the window icons:
//   nuv_icons FOLDER APP-ICON MODEL-ICON
// makes FOLDER/<n>x<n>/apps/APP-ICON.png (the program) and
// FOLDER/<n>x<n>/mimetypes/MODEL-ICON.png (a model file) for every icon size.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "res/Images.h"

namespace {

bool Write(const QPixmap& image, const QString& folder, const QString& context, const QString& name)
{
    const QString size = QString("%1x%2").arg(image.width()).arg(image.height());
    const QString dir = QDir(folder).filePath(size + "/" + context);
    const QString file = dir + "/" + name + ".png";
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
        std::fprintf(stderr, "nuv_icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER APP-ICON MODEL-ICON\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int size : IconSizes()) {
        if (!Write(ApplicationImage(size), folder, "apps", QString::fromLocal8Bit(argv[2])) ||
            !Write(EditorImage(size), folder, "mimetypes", QString::fromLocal8Bit(argv[3])))
            return 1;
    }
    return 0;
}
