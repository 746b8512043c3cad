// The build a module of the program belongs to, read from its file before it is loaded.
#include "app/desktop/module_identity.h"

#include "velmora_build_identity.h"

#include <QFile>
#include <cstring>
#include <elf.h>
#include <link.h>

namespace {

// An identity is a version and a hash; a section much larger is no identity of ours.
constexpr quint64 kMaxIdentitySize = 256;

// Whether [offset, offset + size) lies within a file of fileSize bytes.
bool within(quint64 offset, quint64 size, quint64 fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

} // namespace

QByteArray ModuleIdentity::program() {
    return QByteArrayLiteral(VELMORA_BUILD_IDENTITY);
}

std::optional<QByteArray> ModuleIdentity::ofFile(const QString& path, QString& why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const quint64 fileSize = static_cast<quint64>(file.size());
    // Mapped, not read: only the pages of the headers and the one section are touched.
    const uchar* bytes = fileSize >= sizeof(ElfW(Ehdr)) ? file.map(0, file.size()) : nullptr;
    const auto notOurs = [&] {
        why = QStringLiteral("%1: not a module of this program (no %2 section)")
                  .arg(path, QLatin1String(kSectionName));
        return std::nullopt;
    };
    if (bytes == nullptr) {
        return notOurs();
    }
    ElfW(Ehdr) header;
    std::memcpy(&header, bytes, sizeof header);
    // The program's own kind: its word size and byte order.
    const bool elf =
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
        header.e_ident[EI_CLASS] == (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) &&
        header.e_ident[EI_DATA] == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? ELFDATA2LSB : ELFDATA2MSB) &&
        header.e_type == ET_DYN && header.e_shentsize == sizeof(ElfW(Shdr));
    if (!elf || header.e_shstrndx >= header.e_shnum ||
        !within(header.e_shoff, quint64{header.e_shnum} * sizeof(ElfW(Shdr)), fileSize)) {
        return notOurs();
    }
    const auto section = [&](int index) {
        ElfW(Shdr) entry;
        std::memcpy(&entry, bytes + header.e_shoff + quint64(index) * sizeof entry, sizeof entry);
        return entry;
    };
    const ElfW(Shdr) names = section(header.e_shstrndx);
    if (!within(names.sh_offset, names.sh_size, fileSize)) {
        return notOurs();
    }
    const char* nameTable = reinterpret_cast<const char*>(bytes + names.sh_offset);
    const quint64 wanted = std::strlen(kSectionName) + 1;
    for (int i = 0; i < header.e_shnum; ++i) {
        const ElfW(Shdr) entry = section(i);
        if (entry.sh_name >= names.sh_size || names.sh_size - entry.sh_name < wanted ||
            std::memcmp(nameTable + entry.sh_name, kSectionName, wanted) != 0) {
            continue;
        }
        if (entry.sh_size > kMaxIdentitySize || !within(entry.sh_offset, entry.sh_size, fileSize)) {
            return notOurs();
        }
        QByteArray identity(reinterpret_cast<const char*>(bytes + entry.sh_offset),
                            static_cast<qsizetype>(entry.sh_size));
        // Kept as a C string in the module.
        const qsizetype end = identity.indexOf('\0');
        return end < 0 ? identity : identity.left(end);
    }
    return notOurs();
}
