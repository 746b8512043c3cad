// Image bytes decoded within a budget of pixels and scans, or refused with a reason.
#pragma once

#include "velmora_export.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

// What one image may cost. A file chooses its declared size and, as a progressive JPEG, how
// many times the decoder walks over every pixel; either can make a few kilobytes cost minutes.
struct ImageDecodeBudget {
    // Declared pixels, whatever the format.
    std::int64_t maxPixels = 64LL << 20;
    // Declared pixels times the scans of a progressive JPEG: ordinary files have about ten.
    std::int64_t maxPixelScans = 1LL << 30;
    // Wall time the caller waits; the decode is then abandoned. Only a last resort: whether
    // an image is taken is decided by the work above, which is the same on every machine,
    // and the largest image within it (a 64-megapixel PNG) decodes in about two seconds on
    // a machine busy with other work, far within this.
    std::chrono::milliseconds time{20000};
    // A larger image is scaled down into this size, its aspect kept, so that what is held
    // stays near what can be shown. Empty: kept at the decoded size.
    QSize keepWithin;
};

// Why an image cannot be shown.
enum class ImageRefusal {
    None,
    Empty,
    NotAnImage,
    Truncated,
    OverSizeLimit,
    TooSlow,
};

struct DecodedImage {
    // Premultiplied ARGB; null when refused.
    QImage image;
    ImageRefusal refusal = ImageRefusal::None;
    // Plain words for a message ("truncated", "over the size limit: ..."), empty when decoded.
    QString reason;
    // The size the file declares, when it could be read.
    QSize declared;
    // The work the headers declare: the pixels, times the scans of a progressive JPEG; 0 for
    // a format whose headers are not read.
    std::int64_t pixelScans = 0;

    bool ok() const { return refusal == ImageRefusal::None; }
};

// Decodes on a thread of its own and waits at most the time budget for it, so that a caller
// on the window's thread never waits longer whatever the bytes do; a decode left behind is
// told to stop and ends on its own, touching nothing of the caller's.
class VELMORA_EXPORT BoundedImageDecoder {
public:
    explicit BoundedImageDecoder(ImageDecodeBudget budget = {}) : budget_(budget) {}

    DecodedImage decode(const QByteArray& bytes) const;
    const ImageDecodeBudget& budget() const { return budget_; }
    // Waits up to `wait` for the last decode left behind to end; true when none is running.
    // For tests, which must not end the process under a running decoder.
    bool waitForAbandoned(std::chrono::milliseconds wait) const;

private:
    struct Job;
    ImageDecodeBudget budget_;
    mutable std::shared_ptr<Job> abandoned_;
};

// Why the bytes, as a carried image, cannot be shown with the default budget; nothing when
// they can. For checking a file the user picks before taking it.
VELMORA_EXPORT std::optional<QString> reasonImageCannotBeShown(const QByteArray& bytes);
