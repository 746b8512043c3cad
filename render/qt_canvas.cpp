// The Canvas the clock draws through, painted with QPainter on a caller-owned QImage.
#include "render/qt_canvas.h"

#include "clock/segment_part.h"
#include "render/bounded_image_decoder.h"
#include "render/byte_view.h"
#include "render/qt_text.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Rows of an image drawn in one call; see drawImage.
constexpr int kImageBandRows = 64;

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// A negative width draws like its absolute value, so a slice whose inner radius exceeds its
// outer one still shows the band between the two radii.
double penWidth(const Pen& pen) {
    return std::fabs(static_cast<double>(pen.width));
}

// Unknown stored values end flat, like NoAnchor.
LineCap knownCap(LineCap cap) {
    switch (cap) {
    case LineCap::Square:
    case LineCap::Round:
    case LineCap::Triangle:
    case LineCap::SquareAnchor:
    case LineCap::RoundAnchor:
    case LineCap::DiamondAnchor:
    case LineCap::ArrowAnchor:
        return cap;
    default:
        return LineCap::Flat;
    }
}

bool isQtCap(LineCap cap) {
    return cap == LineCap::Flat || cap == LineCap::Square || cap == LineCap::Round;
}

Qt::PenCapStyle qtCap(LineCap cap) {
    if (cap == LineCap::Square) {
        return Qt::SquareCap;
    }
    return cap == LineCap::Round ? Qt::RoundCap : Qt::FlatCap;
}

// Every polygon of a line goes in with the winding of QPainterPath::addEllipse, so that the
// winding fill of the whole path is the union of its parts: a translucent line and its caps
// are blended once, also where they overlap.
void addPolygon(QPainterPath& path, QPolygonF polygon) {
    double area = 0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF& p = polygon[i];
        const QPointF& q = polygon[(i + 1) % polygon.size()];
        area += p.x() * q.y() - q.x() * p.y();
    }
    if (area < 0) {
        std::reverse(polygon.begin(), polygon.end());
    }
    path.addPolygon(polygon);
    path.closeSubpath();
}

// The shape at one end of a line of the given width; `out` is the unit direction pointing away
// from the line. Anchors are centred on the end point and span two widths, so they stand out
// around the line they end.
void addCap(QPainterPath& path, LineCap cap, QPointF end, QPointF out, double width) {
    const double h = width / 2;
    const QPointF n(-out.y(), out.x());
    switch (cap) {
    case LineCap::Square:
        addPolygon(path, {end + h * n, end + h * n + h * out, end - h * n + h * out, end - h * n});
        return;
    case LineCap::Round:
        path.addEllipse(end, h, h);
        return;
    case LineCap::Triangle:
        addPolygon(path, {end + h * n, end + h * out, end - h * n});
        return;
    case LineCap::SquareAnchor:
        addPolygon(path, {end + width * (n + out), end + width * (out - n), end - width * (n + out),
                          end + width * (n - out)});
        return;
    case LineCap::RoundAnchor:
        path.addEllipse(end, width, width);
        return;
    case LineCap::DiamondAnchor:
        addPolygon(path, {end + width * n, end + width * out, end - width * n, end - width * out});
        return;
    case LineCap::ArrowAnchor:
        addPolygon(path, {end + width * out, end - width * out - width * n,
                          end - width * out + width * n});
        return;
    default:
        return;
    }
}

// Clips the segment a-b to the box; false when no part of it is inside.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& box) {
    const QPointF d = b - a;
    const std::optional<SegmentPart> part = segmentPartInside(
        a.x(), a.y(), d.x(), d.y(), box.left(), box.top(), box.right(), box.bottom());
    if (!part) {
        return false;
    }
    const QPointF start = a + part->from * d;
    b = a + part->to * d;
    a = start;
    return true;
}

double wrapDegrees(double degrees) {
    return std::remainder(degrees, 360.0);
}

// The angle an arc starts or ends at is the direction from the ellipse's centre, as with
// circles; Qt's arcs take the ellipse's parameter instead. Both agree at multiples of 90
// degrees, so the result stays within 90 degrees of the input and the sweep keeps its turn.
double parameterAngle(double degrees, double a, double b) {
    if (a == b) {
        return degrees;
    }
    const double radians = degrees * std::numbers::pi / 180;
    const double parameter =
        std::atan2(a * std::sin(radians), b * std::cos(radians)) * 180 / std::numbers::pi;
    return degrees + wrapDegrees(parameter - degrees);
}

// Distances from a point to the nearest and the farthest point of a rectangle.
std::pair<double, double> distanceRange(QPointF p, const QRectF& rect) {
    const double dx = std::max({rect.left() - p.x(), 0.0, p.x() - rect.right()});
    const double dy = std::max({rect.top() - p.y(), 0.0, p.y() - rect.bottom()});
    const double fx = std::max(std::fabs(p.x() - rect.left()), std::fabs(p.x() - rect.right()));
    const double fy = std::max(std::fabs(p.y() - rect.top()), std::fabs(p.y() - rect.bottom()));
    return {std::hypot(dx, dy), std::hypot(fx, fy)};
}

} // namespace

QtCanvas::QtCanvas(QImage& target) : QtCanvas(target, QPoint(), target.size()) {}

QtCanvas::QtCanvas(QImage& target, QPoint origin, QSize frame)
    : frame_(QPoint(0, 0), frame), part_(QPoint(0, 0), target.size()),
      ratio_(target.devicePixelRatio()), painter_(&target) {
    setPart(origin);
}

void QtCanvas::setPart(QPoint origin) {
    clearUncleared();
    part_.moveTopLeft(origin);
    // The caller sized and placed everything in the target's pixels already.
    if (painter_.isActive()) {
        painter_.setWorldTransform(QTransform::fromTranslate(-origin.x(), -origin.y()) *
                                   QTransform::fromScale(1 / ratio_, 1 / ratio_));
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    setTextAntialias(true);
}

QtCanvas::~QtCanvas() {
    clearUncleared();
}

void QtCanvas::clear() {
    // Cleared when something is first drawn there: a background image put in place replaces
    // the pixels instead, which spares a pass over all of them.
    uncleared_ = QRegion(part_);
}

void QtCanvas::clearUncleared(const QRect& replaced) {
    if (uncleared_.isEmpty()) {
        return;
    }
    const QRegion area = uncleared_.subtracted(replaced);
    uncleared_ = QRegion();
    const QPainter::CompositionMode mode = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : area) {
        painter_.fillRect(rect, Qt::transparent);
    }
    painter_.setCompositionMode(mode);
}

void QtCanvas::setSmoothingMode(std::int32_t mode) {
    painter_.setRenderHint(QPainter::Antialiasing,
                           mode != static_cast<std::int32_t>(SmoothingMode::HighSpeed));
}

void QtCanvas::setTextAntialias(bool on) {
    textAntialias_ = on;
    painter_.setRenderHint(QPainter::TextAntialiasing, on);
}

// Pens, coordinates and radii may come from any stored percentage, up to billions of pixels.
// QPainter slows down badly with such geometry, so nothing wider or farther away than this
// reaches it: beyond it a stroke covers the whole target or misses it.
double QtCanvas::strokeLimit() const {
    return 4 * std::hypot(frame_.width(), frame_.height()) + 64;
}

void QtCanvas::drawLine(const Pen& pen, PointF from, PointF to) {
    clearUncleared();
    if (!painter_.isActive() || !allFinite({pen.width, from.x, from.y, to.x, to.y})) {
        return;
    }
    const double width = std::min(penWidth(pen), strokeLimit());
    QPointF a(from.x, from.y);
    QPointF b(to.x, to.y);
    const QPointF delta = b - a;
    const double length = std::hypot(delta.x(), delta.y());
    // A line of no length points straight up, so that its caps still show.
    const QPointF direction = length > 0 ? delta / length : QPointF(0, -1);
    // Caps reach at most 1.5 widths beyond their end point: what lies outside this box, caps
    // at clipped ends included, cannot show. Only the part of a long hand that can reach the
    // target is traced.
    const double margin = 2 * std::max(width, 1.0) + 8;
    const QRectF box = QRectF(part_).adjusted(-margin, -margin, margin, margin);
    const QPointF wholeFrom = a;
    const QPointF wholeTo = b;
    if (!clipSegment(a, b, box)) {
        return;
    }
    const QColor color = QColor::fromRgba(pen.argb);
    // An end cut off lies so far outside that its cap cannot show: it is left flat, which is
    // quicker to draw.
    const LineCap startCap = a == wholeFrom ? knownCap(pen.startCap) : LineCap::Flat;
    const LineCap endCap = b == wholeTo ? knownCap(pen.endCap) : LineCap::Flat;
    if (length > 0 && startCap == endCap && isQtCap(startCap)) {
        // Width 0 is Qt's cosmetic pen: the thinnest line, one pixel wide.
        painter_.setPen(QPen(color, width, Qt::SolidLine, qtCap(startCap)));
        painter_.drawLine(QLineF(a, b));
        return;
    }
    fillLineWithCaps(color, width > 0 ? width : 1.0, a, b, startCap, endCap, direction);
}

void QtCanvas::fillLineWithCaps(const QColor& color, double width, QPointF from, QPointF to,
                                LineCap startCap, LineCap endCap, QPointF direction) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const QPointF side = QPointF(-direction.y(), direction.x()) * (width / 2);
    if (from != to) {
        addPolygon(path, {from + side, to + side, to - side, from - side});
    }
    addCap(path, startCap, from, -direction, width);
    // A dot's two equal caps are one shape: drawn twice, the winding fill would count the
    // coverage of their edge pixels twice, and the dot's rim would lose its antialiasing.
    if (from != to || endCap != startCap) {
        addCap(path, endCap, to, direction, width);
    }
    painter_.fillPath(path, color);
}

void QtCanvas::drawEllipse(const Pen& pen, const RectF& bounds) {
    clearUncleared();
    if (!allFinite({pen.width, bounds.x, bounds.y, bounds.width, bounds.height})) {
        return;
    }
    strokeArc(pen, QRectF(bounds.x, bounds.y, bounds.width, bounds.height), 0, 360);
}

void QtCanvas::drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                       float sweepDegrees) {
    clearUncleared();
    if (!allFinite({pen.width, bounds.x, bounds.y, bounds.width, bounds.height, startDegrees,
                    sweepDegrees}) ||
        sweepDegrees == 0) {
        return;
    }
    strokeArc(pen, QRectF(bounds.x, bounds.y, bounds.width, bounds.height), startDegrees,
              sweepDegrees);
}

// Bounds of negative size keep their sign: the arc is mirrored, as a negative radius lies on
// the other side of the centre.
void QtCanvas::strokeArc(const Pen& pen, QRectF bounds, double startDegrees, double sweepDegrees) {
    if (!painter_.isActive()) {
        return;
    }
    double width = penWidth(pen);
    const double limit = strokeLimit();
    const QRectF image(frame_);
    const auto moderate = [&] {
        const QPointF offset = bounds.center() - image.center();
        return std::max({std::fabs(offset.x()), std::fabs(offset.y()), std::fabs(bounds.width()),
                         std::fabs(bounds.height()), width}) <= limit;
    };
    if (!moderate()) {
        // Only rings keep a simple shape when cut down: the part of the band that can reach
        // the target lies between the target's nearest and farthest distances from the centre.
        // A huge ellipse of another shape, or a huge ring around a far centre, draws nothing.
        const QPointF centre = bounds.center();
        const double a = std::fabs(bounds.width() / 2);
        const double b = std::fabs(bounds.height() / 2);
        if (std::fabs(a - b) > 1e-3 * std::max(a, b)) {
            return;
        }
        const auto [nearest, farthest] = distanceRange(centre, image);
        const double radius = (a + b) / 2;
        const double inner = std::max({radius - width / 2, nearest - 2, 0.0});
        const double outer = std::min(radius + width / 2, farthest + 2);
        if (inner >= outer) {
            return;
        }
        width = outer - inner;
        const double mid = (inner + outer) / 2;
        const double sx = bounds.width() < 0 ? -mid : mid;
        const double sy = bounds.height() < 0 ? -mid : mid;
        bounds = QRectF(centre.x() - sx, centre.y() - sy, 2 * sx, 2 * sy);
        if (!moderate()) {
            return;
        }
    }
    // Arcs end flat; width 0 is Qt's cosmetic pen.
    strokeArcDirect(QPen(QColor::fromRgba(pen.argb), width, Qt::SolidLine, Qt::FlatCap), bounds,
                    startDegrees, sweepDegrees);
}

void QtCanvas::strokeArcDirect(const QPen& pen, const QRectF& bounds, double startDegrees,
                               double sweepDegrees) {
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    if (std::fabs(sweepDegrees) >= 360) {
        painter_.drawEllipse(bounds);
        return;
    }
    // Our angles grow clockwise on a y-down surface, Qt's counter-clockwise.
    const double a = std::fabs(bounds.width());
    const double b = std::fabs(bounds.height());
    const double start = wrapDegrees(startDegrees);
    const double qtStart = -parameterAngle(start, a, b);
    const double qtSweep = -parameterAngle(start + sweepDegrees, a, b) - qtStart;
    QPainterPath path;
    path.arcMoveTo(bounds, qtStart);
    path.arcTo(bounds, qtStart, qtSweep);
    painter_.drawPath(path);
}

void QtCanvas::drawImage(const CanvasImage& image, float x, float y) {
    const auto* own = dynamic_cast<const QtCanvasImage*>(&image);
    if (own == nullptr || !painter_.isActive() || !allFinite({x, y})) {
        return;
    }
    const QRectF placed(x, y, own->width(), own->height());
    if (!placed.intersects(QRectF(part_))) {
        return;
    }
    const QImage& source = own->image();
    // An image on whole pixels, one to one, replaces what is still to be cleared under it.
    const bool replaces = !uncleared_.isEmpty() && x == std::floor(x) && y == std::floor(y) &&
                          source.devicePixelRatio() == 1;
    const QPainter::CompositionMode mode = painter_.compositionMode();
    if (replaces) {
        clearUncleared(placed.toRect());
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
    } else {
        clearUncleared();
    }
    // Only the rows that reach into the target and the clip.
    QRectF reached(part_);
    if (painter_.hasClipping()) {
        reached &= painter_.clipBoundingRect();
    }
    const int first =
        std::clamp(static_cast<int>(std::floor(reached.top() - y)), 0, source.height());
    const int end =
        std::clamp(static_cast<int>(std::ceil(reached.bottom() - y)) + 1, first, source.height());
    // Qt hands blends of more than about a hundred rows to its worker threads; for a clock's
    // background that costs more than it saves and wakes those threads every frame. Bands of
    // rows stay on this thread.
    for (int top = first; top < end; top += kImageBandRows) {
        int rows = std::min(kImageBandRows, end - top);
        painter_.drawImage(QPointF(x, y + top), source, QRect(0, top, source.width(), rows));
    }
    painter_.setCompositionMode(mode);
}

// Qt rounds font sizes to whole pixels, which would make texts jump in steps while the window
// is resized. The font is made at a fixed size instead and scaled to the em size, so the em
// size is exact, and a change of size alone reuses the font.
const QtCanvas::CachedFont* QtCanvas::fontFor(const FontSpec& request) {
    const double em = request.emSize;
    if (!std::isfinite(em) || em <= 0 || em > kMaxEmSize) {
        return nullptr;
    }
    FontSpec key = request;
    key.emSize = 0;
    if (font_ && font_->key == key && font_->antialias == textAntialias_) {
        return &*font_;
    }
    QFont font;
    const QString family = toQString(request.family);
    // QFontDatabase::hasFamily costs a tenth of a millisecond; the cached list is much cheaper.
    if (!family.isEmpty() && QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        font.setFamily(family);
    } else {
        font.setFamily(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(kFontPixels);
    font.setBold(request.bold);
    font.setItalic(request.italic);
    if (!textAntialias_) {
        // The painter's hint alone does not switch antialiasing off for text.
        font.setStyleStrategy(QFont::NoAntialias);
    }
    font_.emplace(CachedFont{key, textAntialias_, font, QFontMetricsF(font)});
    return &*font_;
}

// The box: the widest line's advance with a sixth of the em of room on either side, so that
// overhanging glyphs stay inside, and the font's line spacing for every line.
std::optional<SizeF> QtCanvas::measureText(const FontSpec& font, std::u16string_view text) {
    const CachedFont* cached = fontFor(font);
    if (cached == nullptr) {
        return std::nullopt;
    }
    if (text.empty()) {
        return SizeF{};
    }
    const QStringList lines = toQString(text).split(QLatin1Char('\n'));
    double advance = 0;
    for (const QString& line : lines) {
        advance = std::max(advance, cached->metrics.horizontalAdvance(line));
    }
    const double scale = font.emSize / kFontPixels;
    return SizeF{static_cast<float>(advance * scale + font.emSize / 3.0),
                 static_cast<float>(lines.size() * cached->metrics.lineSpacing() * scale)};
}

void QtCanvas::drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                        PointF topLeft) {
    clearUncleared();
    if (!painter_.isActive() || text.empty() || !allFinite({topLeft.x, topLeft.y})) {
        return;
    }
    const std::optional<SizeF> box = measureText(font, text);
    if (!box || !QRectF(topLeft.x, topLeft.y, box->width, box->height).intersects(QRectF(part_))) {
        return;
    }
    const CachedFont& cached = *font_;
    const double scale = font.emSize / kFontPixels;
    painter_.save();
    painter_.translate(topLeft.x + font.emSize / 6.0, topLeft.y);
    painter_.scale(scale, scale);
    painter_.setFont(cached.font);
    painter_.setPen(QColor::fromRgba(argb));
    double baseline = cached.metrics.ascent();
    for (const QString& line : toQString(text).split(QLatin1Char('\n'))) {
        painter_.drawText(QPointF(0, baseline), line);
        baseline += cached.metrics.lineSpacing();
    }
    painter_.restore();
}

std::unique_ptr<CanvasImage> QtCanvas::decodeImageData(std::span<const std::uint8_t> bytes) {
    ImageDecodeBudget budget;
    budget.keepWithin = imageKeepSize_;
    const QByteArray data = byteView(bytes);
    QElapsedTimer timer;
    timer.start();
    DecodedImage decoded = BoundedImageDecoder(budget).decode(data);
    if (!decoded.ok() || decoded.image.width() > kMaxImageSide ||
        decoded.image.height() > kMaxImageSide) {
        return nullptr;
    }
    return std::make_unique<QtCanvasImage>(std::move(decoded.image), decoded.declared,
                                           decodeWorthKeeping(timer.elapsed(), decoded.pixelScans));
}

bool QtCanvas::decodeWorthKeeping(qint64 elapsedMs, std::int64_t pixelScans) {
    // A usual background decodes in a few milliseconds, about what scaling it takes. One of
    // up to a megapixel that took longer met a busy machine, not a costly file: kept, it
    // would hold several times its scaled copy for the whole session.
    constexpr qint64 kCostlyDecodeMs = 25;
    constexpr std::int64_t kQuickPixelScans = std::int64_t{1} << 20;
    return elapsedMs >= kCostlyDecodeMs && (pixelScans == 0 || pixelScans > kQuickPixelScans);
}

std::shared_ptr<const CanvasImage> QtCanvas::keepImage(const CanvasImage& image) {
    const auto* own = dynamic_cast<const QtCanvasImage*>(&image);
    if (own == nullptr) {
        return nullptr;
    }
    return std::make_shared<QtCanvasImage>(own->image());
}

std::unique_ptr<CanvasImage> QtCanvas::scaleImage(const CanvasImage& image, int width, int height) {
    const auto* own = dynamic_cast<const QtCanvasImage*>(&image);
    if (own == nullptr || width <= 0 || height <= 0 || width > kMaxImageSide ||
        height > kMaxImageSide) {
        return nullptr;
    }
    QImage scaled =
        own->image().scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) {
        return nullptr;
    }
    return std::make_unique<QtCanvasImage>(
        std::move(scaled).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}
