// A property that carries a whole file (the background image) inside the scheme.
#include "model/file_property.h"

#include "model/utf.h"

#include <limits>

namespace {

constexpr std::uint32_t kFileDialogMustExist = 0x1800;

std::string tooLargeMessage(const std::filesystem::path& path, std::uintmax_t size) {
    return path.string() + ": file too large (" + std::to_string(size) +
           " bytes; a background image may have at most " +
           std::to_string(FileProperty::kMaxCarriedBytes / (1024 * 1024)) + " MiB)";
}

// The whole file at path, for carrying it in memory; false with a reason when it cannot be
// read or is over the limit.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                   std::string* error) {
    FileByteStream source(path, FileByteStream::Mode::Read);
    if (!source.isOpen()) {
        *error = path.string() + ": cannot read the file: " + source.openError();
        return false;
    }
    std::uint64_t size = source.remaining();
    if (size > FileProperty::kMaxCarriedBytes) {
        *error = tooLargeMessage(path, size);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (source.read(bytes.data(), bytes.size()) != bytes.size()) {
        *error = path.string() + ": cannot read the file";
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace

FileProperty::FileProperty(const FileProperty& other)
    : Property(other), sourcePath_(other.sourcePath_), memory_(other.memory_),
      whyNoCopy_(other.whyNoCopy_) {
    if (other.temporary_ != nullptr) {
        copyIntoNewTemporary(other.temporary_->path());
    }
}

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
    temporary_.reset();
    memory_.reset();
    whyNoCopy_.clear();
    std::string whyNoCopy;
    temporary_ = TemporaryFile::create(&whyNoCopy);
    ByteStream& stream = in.byteStream();
    std::uint64_t at = in.position();
    std::uint64_t streamAt = stream.position();
    if (temporary_ != nullptr) {
        FileByteStream file(temporary_->path(), FileByteStream::Mode::OverwritePrivate);
        std::uint64_t copied = file.isOpen() ? stream.copyTo(file, size) : 0;
        if (file.close() && copied == size) {
            return;
        }
        whyNoCopy = "cannot store the carried file in " + temporary_->path().string();
        temporary_.reset();
        // Back to the carried bytes, to read them into memory instead.
        if (!stream.seek(-static_cast<std::int64_t>(stream.position() - streamAt))) {
            in.fail(whyNoCopy, at);
            return;
        }
    }
    std::vector<std::uint8_t> bytes(size);
    if (stream.read(bytes.data(), bytes.size()) != bytes.size()) {
        in.fail("cannot read the carried file", at);
        return;
    }
    keepInMemory(std::move(bytes), std::move(whyNoCopy));
}

void FileProperty::write(ObjectOStream& out) const {
    if (memory_ != nullptr) {
        Property::write(out);
        out.writeWString(sourcePath_);
        out.write32(static_cast<std::uint32_t>(memory_->size()));
        if (!memory_->empty() && !out.byteStream().write(memory_->data(), memory_->size())) {
            out.markFailed();
        }
        return;
    }
    std::unique_ptr<FileByteStream> source;
    std::uint64_t size = 0;
    if (temporary_ != nullptr) {
        source = std::make_unique<FileByteStream>(temporary_->path(), FileByteStream::Mode::Read);
        size = source->isOpen() ? source->remaining() : 0;
    }
    // A temporary file that vanished or outgrew the format is stored as no file, so the
    // record stays consistent.
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        size = 0;
    }
    Property::write(out);
    out.writeWString(sourcePath_);
    out.write32(static_cast<std::uint32_t>(size));
    if (size == 0) {
        return;
    }
    std::uint64_t copied = source->copyTo(out.byteStream(), size);
    if (copied != size) {
        // The file shrank or vanished since its size was taken: keep the framing intact and
        // let the caller know the save is not good.
        out.writeZeros(size - copied);
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
    row->setFileDialog(sourcePath_, u"", u"All files (*.*)|*.*|", kFileDialogMustExist);
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
    if (temporary_ == nullptr && memory_ == nullptr) {
        copyIntoNewTemporary(toPath(sourcePath_));
    }
    if (temporary_ == nullptr && memory_ != nullptr) {
        lastError_ = "the carried file has no temporary copy and is kept in memory: " + whyNoCopy_;
    }
    return temporary_ != nullptr ? temporary_->path() : std::filesystem::path();
}

std::span<const std::uint8_t> FileProperty::bytesInMemory() const {
    if (memory_ == nullptr) {
        return {};
    }
    return *memory_;
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
    temporary_.reset();
    copyIntoNewTemporary(bytesFrom);
    return lastError_.empty();
}

bool FileProperty::carryBytes(std::u16string sourcePath, std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxCarriedBytes) {
        lastError_ = tooLargeMessage(toPath(sourcePath), bytes.size());
        return false;
    }
    sourcePath_ = std::move(sourcePath);
    temporary_.reset();
    memory_.reset();
    lastError_.clear();
    std::string whyNoCopy;
    temporary_ = TemporaryFile::create(&whyNoCopy);
    if (temporary_ != nullptr) {
        FileByteStream target(temporary_->path(), FileByteStream::Mode::OverwritePrivate);
        bool written = target.write(bytes.data(), bytes.size());
        if (target.close() && written) {
            return true;
        }
        whyNoCopy = temporary_->path().string() + ": cannot store the file";
        temporary_.reset();
    }
    keepInMemory({bytes.begin(), bytes.end()}, std::move(whyNoCopy));
    return true;
}

void FileProperty::copyIntoNewTemporary(const std::filesystem::path& from) {
    lastError_.clear();
    memory_.reset();
    whyNoCopy_.clear();
    std::string whyNoCopy;
    temporary_ = TemporaryFile::create(&whyNoCopy);
    if (temporary_ != nullptr) {
        if (from.empty()) {
            return;
        }
        FileByteStream source(from, FileByteStream::Mode::Read);
        if (!source.isOpen()) {
            lastError_ = from.string() + ": cannot read the file: " + source.openError();
            return;
        }
        std::uint64_t size = source.remaining();
        if (size > kMaxCarriedBytes) {
            lastError_ = tooLargeMessage(from, size);
            return;
        }
        FileByteStream target(temporary_->path(), FileByteStream::Mode::OverwritePrivate);
        std::uint64_t copied = target.isOpen() ? source.copyTo(target, size) : 0;
        if (target.close() && copied == size) {
            return;
        }
        whyNoCopy = temporary_->path().string() + ": cannot store a copy of " + from.string();
        temporary_.reset();
    }
    std::vector<std::uint8_t> bytes;
    if (!from.empty() && !readWholeFile(from, bytes, &lastError_)) {
        return;
    }
    keepInMemory(std::move(bytes), std::move(whyNoCopy));
}

void FileProperty::keepInMemory(std::vector<std::uint8_t> bytes, std::string whyNoCopy) {
    memory_ = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    whyNoCopy_ = std::move(whyNoCopy);
}
