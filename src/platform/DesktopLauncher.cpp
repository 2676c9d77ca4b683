#include "platform/DesktopLauncher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QUrl>

namespace solvane {
namespace {

QString ToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

Status DesktopLauncher::Launch(const LaunchRequest& request) {
    const QString target = ToQString(request.target);
    const QFileInfo info(target);
    // A "program" that is not executable (a script without the bit, a document) opens like a
    // file, as the desktop would do with a double-click.
    if (request.kind == KIND_LAUNCH_PROGRAM && info.isFile() && info.isExecutable()) {
        if (QProcess::startDetached(target, {}, ToQString(request.folder))) {
            return Status::Ok();
        }
        return {ErrorCode::FileError, "cannot start " + request.target.string()};
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(target))) {
        return Status::Ok();
    }
    return {ErrorCode::FileError, "cannot open " + request.target.string()};
}

}  // namespace solvane
