// File names as the user hands them over (a dropped URL, a name a file dialog shows) turned
// into the program's form of a path, whose bytes name the file even where they are not UTF-8.
#pragma once

#include <QString>

class QUrl;

class UserPath {
public:
    // The local file of a file URL, every percent-encoded byte kept; empty when the URL names
    // no local file.
    static QString fromUrl(const QUrl& url);
    // The file a file dialog means by the name it returns. Qt's dialogs show a name's bytes
    // that are not UTF-8 as U+FFFD and return that text, which names no file: each part of
    // the path that does not exist as given is looked up among its folder's entries by the
    // name the dialog would show. The path as given where nothing matches.
    static QString fromDialog(const QString& shown);
    // The path made absolute against the working folder and cleaned of "." and "..", its
    // bytes untouched.
    static QString absolute(const QString& path);
};
