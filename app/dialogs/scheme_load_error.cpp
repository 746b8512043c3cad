// Why a scheme file could not be loaded, told in the user's language: what happened and what
// to do, with the reader's own words kept as the detail.
#include "app/dialogs/scheme_load_error.h"

#include "model/object_stream.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstring>

namespace {

struct Words {
    QString happened;
    QString advice;
};

Words wordsFor(const ReadError& error) {
    switch (error.kind) {
    case ReadError::Kind::Unopened:
        if (error.systemError == ENOENT || error.systemError == ENOTDIR) {
            return {QCoreApplication::translate("SchemeLoadError", "The file was not found."),
                    QCoreApplication::translate(
                        "SchemeLoadError",
                        "It may have been moved, renamed or deleted. Choose the file again.")};
        }
        if (error.systemError == EACCES || error.systemError == EPERM) {
            return {QCoreApplication::translate("SchemeLoadError",
                                                "You are not allowed to read this file."),
                    QCoreApplication::translate("SchemeLoadError",
                                                "Ask for access to it, or choose another file.")};
        }
        if (error.systemError == 0) {
            return {QCoreApplication::translate("SchemeLoadError",
                                                "This is not a file that can be loaded."),
                    QCoreApplication::translate(
                        "SchemeLoadError",
                        "It is a folder, a pipe or a device. Choose a scheme file.")};
        }
        return {
            QCoreApplication::translate("SchemeLoadError", "The file could not be opened."),
            QCoreApplication::translate("SchemeLoadError", "Try again, or choose another file.")};
    case ReadError::Kind::NotAScheme:
        return {
            QCoreApplication::translate("SchemeLoadError", "This file is not a Velmora scheme."),
            QCoreApplication::translate("SchemeLoadError",
                                        "Choose a scheme file, one that ends in .Velmora.")};
    case ReadError::Kind::Damaged:
        break;
    }
    return {QCoreApplication::translate("SchemeLoadError",
                                        "This scheme file is damaged or incomplete."),
            QCoreApplication::translate(
                "SchemeLoadError",
                "It may have been cut short while it was copied. Choose another copy of it.")};
}

} // namespace

SchemeLoadError SchemeLoadError::of(const QString& path, const ReadError& error) {
    const Words words = wordsFor(error);
    SchemeLoadError result;
    result.text = QCoreApplication::translate("SchemeLoadError",
                                              "%1\n\n%2\n\n%3 The clock keeps the scheme it shows.")
                      .arg(words.happened, QDir::toNativeSeparators(path), words.advice);
    if (error.kind == ReadError::Kind::Unopened) {
        result.detail = error.systemError != 0
                            ? QString::fromLocal8Bit(std::strerror(error.systemError))
                            : QString::fromStdString(error.reason);
    } else {
        result.detail = QCoreApplication::translate("SchemeLoadError", "%1 (at byte %2)")
                            .arg(QString::fromStdString(error.reason))
                            .arg(error.offset);
    }
    return result;
}
