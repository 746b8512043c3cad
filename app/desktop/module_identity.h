// The build a module of the program belongs to, read from its file before it is loaded.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A module runs inside the program and against its private library: one from another build
// (a copy left in a folder, a half-updated installation) may expect other classes and other
// layouts, and loading it would run its code before anything could tell. Every module
// carries the identity of its build in an ELF section of its own, which the program reads
// from the file and compares with its own before loading the module.
class ModuleIdentity {
public:
    // The name of the section a module's identity is kept in.
    static constexpr const char* kSectionName = ".velmora.build";

    // The identity of this build of the program.
    static QByteArray program();

    // The identity recorded in the shared object at path; nothing, with the reason, when the
    // file cannot be read or is no shared object of this machine's kind that carries one.
    static std::optional<QByteArray> ofFile(const QString& path, QString& why);
};
