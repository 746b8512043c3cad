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

} // namespace

FileProperty::FileProperty(const FileProperty& other)
    : Property(other), sourcePath_(other.sourcePath_) {
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
    std::string error;
    temporary_ = TemporaryFile::create(&error);
    if (temporary_ == nullptr) {
        in.fail(error);
        return;
    }
    FileByteStream file(temporary_->path(), FileByteStream::Mode::OverwritePrivate);
    std::uint64_t at = in.position();
    std::uint64_t copied = file.isOpen() ? in.byteStream().copyTo(file, size) : 0;
    if (!file.close() || copied != size) {
        in.fail("cannot store the carried file in " + temporary_->path().string(), at);
    }
}

void FileProperty::write(ObjectOStream& out) const {
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
    if (temporary_ == nullptr) {
        copyIntoNewTemporary(toPath(sourcePath_));
    }
    return temporary_ != nullptr ? temporary_->path() : std::filesystem::path();
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
    copyIntoNewTemporary({});
    if (temporary_ == nullptr) {
        return false;
    }
    FileByteStream target(temporary_->path(), FileByteStream::Mode::OverwritePrivate);
    bool written = target.write(bytes.data(), bytes.size());
    if (!target.close() || !written) {
        temporary_->truncate();
        lastError_ = temporary_->path().string() + ": cannot store the file";
        return false;
    }
    return true;
}

void FileProperty::copyIntoNewTemporary(const std::filesystem::path& from) {
    lastError_.clear();
    temporary_ = TemporaryFile::create(&lastError_);
    if (temporary_ == nullptr || from.empty()) {
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
    if (!target.close() || copied != size) {
        temporary_->truncate();
        lastError_ = from.string() + ": cannot copy the file";
    }
}
