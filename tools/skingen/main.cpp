// Draws every skin image of Solvane into a png folder, and the desktop icon into a folder of
// hicolor sizes: skingen OUTPUT_FOLDER [ICON_FOLDER]
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtGui/QGuiApplication>

#include <cstdio>

#include "SkinFiles.h"

namespace {

bool Write(const QString& root, const skingen::SkinFile& file) {
    const QString path = root + QLatin1Char('/') + file.path;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "skingen: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    // Written whole or not at all, so an interrupted build never leaves a broken image.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !file.image.save(&out, "PNG") || !out.commit()) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 3) {
        std::fprintf(stderr, "usage: skingen OUTPUT_FOLDER [ICON_FOLDER]\n");
        return 2;
    }
    skingen::SkinFiles files;
    skingen::AddMainWindow(files);
    skingen::AddPanel(files);
    skingen::AddKeyAssignment(files);
    skingen::AddMacroManager(files);
    skingen::AddProfileManager(files);
    skingen::AddBitmaps(files);
    bool ok = true;
    const auto writeAll = [&ok](const skingen::SkinFiles& all, const QString& root) {
        for (const skingen::SkinFile& file : all) {
            ok = Write(root, file) && ok;
        }
    };
    writeAll(files, arguments[1]);
    if (arguments.size() == 3) {
        skingen::SkinFiles icons;
        skingen::AddAppIcons(icons);
        writeAll(icons, arguments[2]);
    }
    return ok ? 0 : 1;
}
