// File names as the user hands them over (a dropped URL, a name a file dialog shows) turned
// into the program's form of a path, whose bytes name the file even where they are not UTF-8.
#include "app/desktop/user_path.h"

#include "render/qt_text.h"

#include <QFile>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace {

// The entry of the folder that a dialog shows as this name, when exactly one does.
std::filesystem::path entryShownAs(const std::filesystem::path& folder, const QString& name) {
    std::error_code code;
    std::filesystem::path found;
    std::filesystem::directory_iterator entries(folder, code);
    for (auto end = std::filesystem::directory_iterator(); !code && entries != end;
         entries.increment(code)) {
        const std::string& bytes = entries->path().filename().native();
        if (QFile::decodeName(QByteArray::fromStdString(bytes)) != name) {
            continue;
        }
        if (!found.empty()) {
            return {};
        }
        found = entries->path().filename();
    }
    return found;
}

} // namespace

QString UserPath::fromUrl(const QUrl& url) {
    if (!url.isLocalFile()) {
        return {};
    }
    // toLocalFile() decodes the bytes as UTF-8 and loses those that are not.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return pathToQString(std::filesystem::path(bytes.toStdString()));
}

QString UserPath::fromDialog(const QString& shown) {
    const std::filesystem::path given = qStringToPath(shown);
    std::error_code code;
    if (shown.isEmpty() || std::filesystem::exists(std::filesystem::symlink_status(given, code))) {
        return shown;
    }
    std::filesystem::path resolved;
    for (const std::filesystem::path& part : given) {
        std::filesystem::path next = resolved / part;
        if (!std::filesystem::exists(std::filesystem::symlink_status(next, code)) &&
            part != given.root_path()) {
            const std::filesystem::path entry = entryShownAs(resolved, pathToQString(part));
            if (!entry.empty()) {
                next = resolved / entry;
            }
        }
        resolved = std::move(next);
    }
    return pathToQString(resolved);
}

QString UserPath::absolute(const QString& path) {
    return pathToQString(std::filesystem::absolute(qStringToPath(path)).lexically_normal());
}
