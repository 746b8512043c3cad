// Image bytes decoded within a budget of pixels, scans and time, or refused with a reason.
#include "render/bounded_image_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

enum class Format { Png, Jpeg, Other };

// What the bytes say of themselves before any decoder sees them.
struct Inspection {
    Format format = Format::Other;
    QSize declared;
    std::int64_t scans = 1;
    bool truncated = false;
};

std::uint32_t bigEndian32(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

int bigEndian16(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    return (int{p[0]} << 8) | int{p[1]};
}

unsigned char byteAt(const QByteArray& bytes, qsizetype at) {
    return static_cast<unsigned char>(bytes[at]);
}

// The header and the chunk walk: a zero size makes libpng print an error before it fails, and
// a file cut short is told apart from a damaged one.
void inspectPng(const QByteArray& bytes, Inspection& out) {
    out.format = Format::Png;
    constexpr qsizetype kIhdrData = 16;
    if (bytes.size() < kIhdrData + 8) {
        out.truncated = true;
        return;
    }
    if (bytes.mid(12, 4) == "IHDR") {
        const std::uint32_t width = bigEndian32(bytes, kIhdrData);
        const std::uint32_t height = bigEndian32(bytes, kIhdrData + 4);
        // PNG sizes stop at 2^31 - 1; larger values are refused by the pixel budget anyway.
        out.declared = QSize(static_cast<int>(std::min<std::uint32_t>(width, INT32_MAX)),
                             static_cast<int>(std::min<std::uint32_t>(height, INT32_MAX)));
    }
    qsizetype at = 8;
    while (at + 8 <= bytes.size()) {
        const std::uint64_t length = bigEndian32(bytes, at);
        if (bytes.mid(at + 4, 4) == "IEND") {
            return;
        }
        // Length, type, data and checksum.
        const std::uint64_t next = static_cast<std::uint64_t>(at) + 12 + length;
        if (next > static_cast<std::uint64_t>(bytes.size())) {
            break;
        }
        at = static_cast<qsizetype>(next);
    }
    out.truncated = true;
}

bool isStartOfFrame(unsigned char marker) {
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Past the entropy-coded data of a scan: to the next marker that is neither a stuffed zero
// nor a restart.
qsizetype skipEntropyData(const QByteArray& bytes, qsizetype at) {
    while (at + 1 < bytes.size()) {
        if (byteAt(bytes, at) == 0xFF) {
            const unsigned char next = byteAt(bytes, at + 1);
            if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) {
                return at;
            }
        }
        ++at;
    }
    return bytes.size();
}

// The frame's size and the number of scans, from the markers alone: each scan of a
// progressive file makes the decoder pass over every block again.
void inspectJpeg(const QByteArray& bytes, Inspection& out) {
    out.format = Format::Jpeg;
    out.scans = 0;
    qsizetype at = 2;
    while (at < bytes.size()) {
        if (byteAt(bytes, at) != 0xFF) {
            // Stray bytes between segments; decoders skip them with a warning.
            ++at;
            continue;
        }
        while (at < bytes.size() && byteAt(bytes, at) == 0xFF) {
            ++at;
        }
        if (at >= bytes.size()) {
            break;
        }
        const unsigned char marker = byteAt(bytes, at++);
        if (marker == 0xD9) {
            out.scans = std::max<std::int64_t>(out.scans, 1);
            return;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            continue;
        }
        if (at + 2 > bytes.size()) {
            break;
        }
        const int length = bigEndian16(bytes, at);
        if (length < 2 || at + length > bytes.size()) {
            break;
        }
        if (isStartOfFrame(marker) && length >= 7 && !out.declared.isValid()) {
            out.declared = QSize(bigEndian16(bytes, at + 5), bigEndian16(bytes, at + 3));
        }
        at += length;
        if (marker == 0xDA) {
            ++out.scans;
            at = skipEntropyData(bytes, at);
        }
    }
    out.truncated = true;
}

Inspection inspect(const QByteArray& bytes) {
    Inspection out;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
        inspectPng(bytes, out);
    } else if (bytes.startsWith("\xFF\xD8")) {
        inspectJpeg(bytes, out);
    }
    return out;
}

DecodedImage refused(ImageRefusal refusal, QString reason, QSize declared = {}) {
    DecodedImage result;
    result.refusal = refusal;
    result.reason = std::move(reason);
    result.declared = declared;
    return result;
}

QString sizeText(QSize size) {
    return QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
}

// The refusal of a declared size beyond the pixel budget, whether the headers or the reader
// told it; nothing within the budget.
std::optional<DecodedImage> refusedForPixels(QSize declared, const ImageDecodeBudget& budget) {
    if (std::int64_t{declared.width()} * declared.height() <= budget.maxPixels) {
        return std::nullopt;
    }
    return refused(ImageRefusal::OverSizeLimit,
                   QStringLiteral("over the size limit: ") + sizeText(declared), declared);
}

// Reads the bytes until told to stop; then reads fail, which every Qt image reader takes as
// the end of the file. Not a QBuffer: Qt's JPEG reader hands a QBuffer's whole memory to the
// library at once, and the library would then never ask again.
class StoppableDevice : public QIODevice {
public:
    StoppableDevice(QByteArray bytes, const std::atomic<bool>& stop)
        : bytes_(std::move(bytes)), stop_(stop) {}

    bool isSequential() const override { return false; }
    qint64 size() const override { return bytes_.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (stop_.load(std::memory_order_relaxed)) {
            return -1;
        }
        const qint64 left = bytes_.size() - pos();
        const qint64 count = std::min(maxSize, std::max<qint64>(left, 0));
        std::memcpy(data, bytes_.constData() + pos(), static_cast<std::size_t>(count));
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray bytes_;
    const std::atomic<bool>& stop_;
};

QSize keptSize(QSize size, QSize within) {
    if (within.isEmpty() || (size.width() <= within.width() && size.height() <= within.height())) {
        return size;
    }
    return size.scaled(within, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

} // namespace

// The decode proper, on the worker: owns its copy of the bytes and its result.
struct BoundedImageDecoder::Job {
    QByteArray bytes;
    Inspection inspection;
    ImageDecodeBudget budget;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    DecodedImage result;

    DecodedImage run() {
        StoppableDevice device(bytes, stop);
        // Unbuffered, as QBuffer opens itself: readData() reads at pos().
        device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        QImageReader reader(&device);
        if (inspection.format == Format::Png) {
            reader.setFormat("png");
            reader.setAutoDetectImageFormat(false);
        } else if (inspection.format == Format::Jpeg) {
            reader.setFormat("jpeg");
            reader.setAutoDetectImageFormat(false);
        } else {
            reader.setDecideFormatFromContent(true);
        }
        // Qt's own allocation limit in MiB, matched to the pixel budget in ARGB.
        reader.setAllocationLimit(
            static_cast<int>(std::max<std::int64_t>(1, (budget.maxPixels * 4) >> 20) + 1));
        QSize declared = inspection.declared;
        if (!declared.isValid()) {
            declared = reader.size();
        }
        if (declared.isValid() && declared.width() > 0 && declared.height() > 0) {
            if (auto refusal = refusedForPixels(declared, budget)) {
                return std::move(*refusal);
            }
            // JPEG decodes straight to a smaller size, a fraction of the work.
            const QSize kept = keptSize(declared, budget.keepWithin);
            if (kept != declared && inspection.format == Format::Jpeg) {
                reader.setScaledSize(kept);
            }
        }
        QImage image = reader.read();
        if (stop.load()) {
            return refused(ImageRefusal::TooSlow, QStringLiteral("takes too long to decode"),
                           declared);
        }
        if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
            return refused(ImageRefusal::NotAnImage, QStringLiteral("not an image"), declared);
        }
        const QSize kept = keptSize(image.size(), budget.keepWithin);
        if (kept != image.size()) {
            image = image.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        DecodedImage result;
        // In place where the formats allow it, so that a large image is not held twice.
        result.image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        result.declared = declared.isValid() ? declared : result.image.size();
        if (inspection.format != Format::Other) {
            result.pixelScans = std::int64_t{result.declared.width()} * result.declared.height() *
                                std::max<std::int64_t>(inspection.scans, 1);
        }
        if (result.image.isNull()) {
            return refused(ImageRefusal::OverSizeLimit, QStringLiteral("over the size limit"),
                           declared);
        }
        return result;
    }
};

namespace {

// The refusals the bytes' own headers already give, before anything is decoded.
std::optional<DecodedImage> refusedByHeaders(const Inspection& inspection,
                                             const ImageDecodeBudget& budget) {
    const QSize declared = inspection.declared;
    if (inspection.format == Format::Other) {
        return std::nullopt;
    }
    if (inspection.truncated) {
        return refused(ImageRefusal::Truncated, QStringLiteral("truncated"), declared);
    }
    if (!declared.isValid() || declared.width() <= 0 || declared.height() <= 0) {
        return refused(ImageRefusal::NotAnImage, QStringLiteral("not an image: it has no pixels"),
                       declared);
    }
    if (auto refusal = refusedForPixels(declared, budget)) {
        return refusal;
    }
    const std::int64_t pixels = std::int64_t{declared.width()} * declared.height();
    if (inspection.scans > 1 && pixels > budget.maxPixelScans / inspection.scans) {
        return refused(ImageRefusal::OverSizeLimit,
                       QStringLiteral("over the size limit: ") + sizeText(declared) +
                           QStringLiteral(" in %1 scans").arg(inspection.scans),
                       declared);
    }
    return std::nullopt;
}

} // namespace

DecodedImage BoundedImageDecoder::decode(const QByteArray& bytes) const {
    if (bytes.isEmpty()) {
        return refused(ImageRefusal::Empty, QStringLiteral("empty"));
    }
    const Inspection inspection = inspect(bytes);
    if (auto refusal = refusedByHeaders(inspection, budget_)) {
        return *refusal;
    }
    auto job = std::make_shared<Job>();
    // A copy of its own: the caller's bytes may be raw data that goes before the decode does.
    job->bytes = QByteArray(bytes.constData(), bytes.size());
    job->inspection = inspection;
    job->budget = budget_;
    // Detached: a decode past the budget is told to stop but not waited for; it keeps the
    // job alive through its own reference.
    try {
        std::thread([job] {
            DecodedImage result = job->run();
            const std::lock_guard lock(job->mutex);
            job->result = std::move(result);
            job->done = true;
            job->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: decoded here, within the budget of work the headers allow.
        return job->run();
    }
    std::unique_lock lock(job->mutex);
    if (!job->finished.wait_for(lock, budget_.time, [&job] { return job->done; })) {
        job->stop.store(true);
        abandoned_ = job;
        return refused(ImageRefusal::TooSlow, QStringLiteral("takes too long to decode"),
                       inspection.declared);
    }
    return std::move(job->result);
}

bool BoundedImageDecoder::waitForAbandoned(std::chrono::milliseconds wait) const {
    if (abandoned_ == nullptr) {
        return true;
    }
    std::unique_lock lock(abandoned_->mutex);
    return abandoned_->finished.wait_for(lock, wait, [this] { return abandoned_->done; });
}

std::optional<QString> reasonImageCannotBeShown(const QByteArray& bytes) {
    // Whether it decodes, not how it looks: a JPEG then decodes straight to a small size.
    ImageDecodeBudget budget;
    budget.keepWithin = QSize(256, 256);
    DecodedImage decoded = BoundedImageDecoder(budget).decode(bytes);
    if (decoded.ok()) {
        return std::nullopt;
    }
    return decoded.reason;
}
