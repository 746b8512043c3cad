// A property that carries a whole file (the background image) inside the scheme.
#include "model/file_property.h"

#include "model/utf.h"

namespace {

constexpr std::uint32_t kFileDialogMustExist = 0x1800;
constexpr const char16_t* kFileDialogFilter =
    u"Images|*.png;*.jpg;*.jpeg;*.gif;*.bmp|All files (*.*)|*.*|";

std::string tooLargeMessage(const std::filesystem::path& path, std::uintmax_t size) {
    return path.string() + ": file too large (" + std::to_string(size) +
           " bytes; a background image may have at most " +
           std::to_string(FileProperty::kMaxCarriedBytes / (1024 * 1024)) + " MiB)";
}

// The whole file at path, for carrying it in memory; none, with a reason, when it cannot be
// read or is over the limit.
void readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string* error) {
    FileByteStream source(path, FileByteStream::Mode::Read);
    if (!source.isOpen()) {
        *error = path.string() + ": cannot read the file: " + source.openError();
        return;
    }
    std::uint64_t size = source.remaining();
    if (size > FileProperty::kMaxCarriedBytes) {
        *error = tooLargeMessage(path, size);
        return;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (source.read(bytes.data(), bytes.size()) != bytes.size()) {
        *error = path.string() + ": cannot read the file";
        bytes.clear();
    }
}

} // namespace

// A clone shares the bytes and makes a temporary copy of its own only when asked for one.
FileProperty::FileProperty(const FileProperty& other)
    : Property(other), sourcePath_(other.sourcePath_), bytes_(other.bytes_), owner_(other.owner_) {}

bool FileProperty::isKindOf(std::string_view typeName) const {
    return typeName == kTypeName || Property::isKindOf(typeName);
}

std::string FileProperty::classPath() const {
    return Property::classPath() + ":" + kTypeName;
}

void FileProperty::read(ObjectIStream& in) {
    Property::read(in);
    in.readWString(sourcePath_);
    std::uint64_t sizeOffset = in.position();
    std::uint32_t size = 0;
    in.read32(size);
    // The same limit as for choosing or building a file, so every scheme that reads can
    // also be written and built again.
    if (size > kMaxCarriedBytes && !in.failed()) {
        in.fail(tooLargeMessage("carried file", size), sizeOffset);
        return;
    }
    if (!in.expectBytes(size, 1, "carried file size", sizeOffset)) {
        return;
    }
    if (auto lent = in.byteStream().lendLasting(size); size != 0 && lent.size() == size) {
        carryLasting(lent);
        return;
    }
    std::vector<std::uint8_t> bytes(size);
    std::uint64_t at = in.position();
    if (in.byteStream().read(bytes.data(), bytes.size()) != bytes.size()) {
        in.fail("cannot read the carried file", at);
        return;
    }
    carry(std::move(bytes));
}

void FileProperty::write(ObjectOStream& out) const {
    // Sizes were checked against the limit when the bytes came in, so they fit the format.
    const std::size_t size = bytes_ ? bytes_->size() : 0;
    Property::write(out);
    out.writeWString(sourcePath_);
    out.write32(static_cast<std::uint32_t>(size));
    if (size != 0 && !out.byteStream().write(bytes_->data(), size)) {
        out.markFailed();
    }
}

std::unique_ptr<Property> FileProperty::clone() const {
    return std::unique_ptr<Property>(new FileProperty(*this));
}

OptionRow* FileProperty::createItem(OptionTree& tree, OptionRow* parent) {
    OptionRow* row = tree.insertRow(RowKind::File, parent);
    if (row == nullptr) {
        return row_ = nullptr;
    }
    // The images the clock decodes first; any other file stays one choice away.
    row->setFileDialog(sourcePath_, u"", kFileDialogFilter, kFileDialogMustExist);
    if (!row->createEditor(RowOption::kFileOpenDialog | RowOption::kFileShowName)) {
        return row_ = nullptr;
    }
    row->setLabel(label());
    row->setInfo(description());
    return row_ = row;
}

void FileProperty::commitItem() {
    if (row_ == nullptr) {
        return;
    }
    std::u16string chosen = row_->text();
    if (chosen.empty() || chosen == sourcePath_) {
        return;
    }
    chooseSource(chosen);
}

std::filesystem::path FileProperty::temporaryFilePath() {
    if (temporary_ != nullptr) {
        return temporary_->path();
    }
    const std::span<const std::uint8_t> carried = bytes();
    std::string whyNoCopy;
    std::unique_ptr<TemporaryFile> copy = TemporaryFile::create(&whyNoCopy);
    if (copy != nullptr) {
        FileByteStream target(copy->path(), FileByteStream::Mode::OverwritePrivate);
        const bool written = target.write(carried.data(), carried.size());
        if (target.close() && written) {
            temporary_ = std::move(copy);
            return temporary_->path();
        }
        whyNoCopy = copy->path().string() + ": cannot store the carried file";
    }
    lastError_ = "the carried file has no temporary copy: " + whyNoCopy;
    return {};
}

std::span<const std::uint8_t> FileProperty::bytes() {
    if (!bytes_) {
        carryFileBytes(toPath(sourcePath_));
    }
    return *bytes_;
}

bool FileProperty::chooseSource(const std::u16string& path) {
    return carryFile(path, toPath(path));
}

bool FileProperty::carryFile(std::u16string sourcePath, const std::filesystem::path& bytesFrom) {
    std::error_code code;
    std::uintmax_t size = std::filesystem::file_size(bytesFrom, code);
    if (!code && size > kMaxCarriedBytes) {
        lastError_ = tooLargeMessage(bytesFrom, size);
        return false;
    }
    sourcePath_ = std::move(sourcePath);
    carryFileBytes(bytesFrom);
    return lastError_.empty();
}

bool FileProperty::carryBytes(std::u16string sourcePath, std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxCarriedBytes) {
        lastError_ = tooLargeMessage(toPath(sourcePath), bytes.size());
        return false;
    }
    sourcePath_ = std::move(sourcePath);
    lastError_.clear();
    carry({bytes.begin(), bytes.end()});
    return true;
}

void FileProperty::carryFileBytes(const std::filesystem::path& from) {
    lastError_.clear();
    std::vector<std::uint8_t> bytes;
    if (!from.empty()) {
        readWholeFile(from, bytes, &lastError_);
    }
    carry(std::move(bytes));
}

void FileProperty::carry(std::vector<std::uint8_t> bytes) {
    auto owner = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    bytes_ = std::span<const std::uint8_t>(*owner);
    owner_ = std::move(owner);
    temporary_.reset();
}

void FileProperty::carryLasting(std::span<const std::uint8_t> bytes) {
    bytes_ = bytes;
    owner_.reset();
    temporary_.reset();
}
