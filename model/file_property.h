// A property that carries a whole file (the background image) inside the scheme.
#pragma once

#include "model/property.h"
#include "model/temporary_file.h"
#include "velmora_export.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// The carried bytes live in memory, shared by clones (the editor's undo copies). A private
// temporary copy is made only for a caller that needs a path, so reading, cloning and drawing
// a scheme touch no disk and work where no temporary folder is usable.
class VELMORA_EXPORT FileProperty : public Property {
public:
    static constexpr const char* kTypeName = "FileProperty";
    // Larger files are refused when chosen, built or read: no background image is that big,
    // and a scheme must stay loadable.
    static constexpr std::uint64_t kMaxCarriedBytes = 64ull * 1024 * 1024;

    FileProperty() = default;
    FileProperty(std::u16string name, std::int32_t textId, std::u16string sourcePath)
        : Property(std::move(name), textId), sourcePath_(std::move(sourcePath)) {}

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    std::u16string valueText() const override { return sourcePath_; }
    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;
    std::unique_ptr<Property> clone() const override;

    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;
    void forgetItem() override { row_ = nullptr; }
    OptionRow* row() const { return row_; }

    const std::u16string& sourcePath() const { return sourcePath_; }
    // A private file holding the carried bytes, made at the first ask; empty when no
    // temporary file could be made, with the reason in lastError().
    std::filesystem::path temporaryFilePath();
    // The carried bytes. A property made with a source path reads them from there at the
    // first ask; none, with the reason in lastError(), when that file cannot be read.
    std::span<const std::uint8_t> bytes();
    // Takes the bytes of a newly chosen file at once. A file over the size limit is refused
    // and nothing changes; an unreadable one is kept as the path with no bytes. Both give
    // false and a reason in lastError().
    bool chooseSource(const std::u16string& path);
    // Carries the bytes of the file at bytesFrom under the shown sourcePath, with the same
    // rules as chooseSource.
    bool carryFile(std::u16string sourcePath, const std::filesystem::path& bytesFrom);
    // Carries the given bytes under the shown sourcePath; false and lastError() when they are
    // over the size limit.
    bool carryBytes(std::u16string sourcePath, std::span<const std::uint8_t> bytes);
    const std::string& lastError() const { return lastError_; }

private:
    FileProperty(const FileProperty& other);
    // Carries the bytes of the file at from (none for no path, or when it cannot be read,
    // with the reason in lastError()).
    void carryFileBytes(const std::filesystem::path& from);
    void carry(std::vector<std::uint8_t> bytes);
    // Carries bytes that last as long as the program (the built-in scheme's) without a copy.
    void carryLasting(std::span<const std::uint8_t> bytes);

    std::u16string sourcePath_;
    // Immutable once made, so clones share rather than copy them; kept alive by owner_ unless
    // they are the program's own. Unset until the bytes of a property made with a source path
    // are first asked for.
    std::optional<std::span<const std::uint8_t>> bytes_;
    std::shared_ptr<const void> owner_;
    std::unique_ptr<TemporaryFile> temporary_;
    OptionRow* row_ = nullptr;
    std::string lastError_;
};
