// A property that carries a whole file (the background image) inside the scheme.
#pragma once

#include "model/property.h"
#include "model/temporary_file.h"

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

// The carried bytes live in a temporary file of the property's own; the chosen path is
// only a label once a copy exists. Without a usable temporary folder (none writable, a full
// disk) they are kept in memory instead, so a scheme still loads, draws and saves.
class FileProperty : public Property {
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

    const std::u16string& sourcePath() const { return sourcePath_; }
    // The file holding the carried bytes, copied from the source path at the first ask;
    // empty when no temporary file could be made, with the reason in lastError().
    std::filesystem::path temporaryFilePath();
    // The carried bytes when they are kept in memory for want of a temporary copy; empty
    // while they are in a temporary file.
    std::span<const std::uint8_t> bytesInMemory() const;
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
    // A fresh temporary file holding a copy of the file at from (empty if it can't be read),
    // or the bytes in memory when no temporary file can be made or written.
    void copyIntoNewTemporary(const std::filesystem::path& from);
    void keepInMemory(std::vector<std::uint8_t> bytes, std::string whyNoCopy);

    std::u16string sourcePath_;
    std::unique_ptr<TemporaryFile> temporary_;
    // Immutable once made, so clones (the editor's undo copies) share rather than copy it.
    std::shared_ptr<const std::vector<std::uint8_t>> memory_;
    std::string whyNoCopy_;
    OptionRow* row_ = nullptr;
    std::string lastError_;
};
