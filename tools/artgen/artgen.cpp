// velmora-artgen: paints the bundled artwork and synthesises the info chime and the clock's
// sounds from source.
#include <QColor>
#include <QConicalGradient>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <numbers>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr QSize dialSize{447, 451};
// The default scheme's "X" = -1 % and "Y" = -3 %: its hands turn about this point, so the dial is
// drawn around it rather than around the image centre.
constexpr QPointF dialPivot{-0.01, -0.03};

// Exit status for a malformed command line; main answers it with the usage text.
constexpr int usageError = 2;

// The clock pivots its hands near the image centre and scales them by min(w, h) / 2, so all dial
// geometry is expressed in that unit: a length of 1.0 is the hand radius.
double handRadius(QSize size) {
    return std::min(size.width(), size.height()) / 2.0;
}

// The clock moves its pivot off the image centre by its "X" and "Y" percentages of the hand
// radius; pivot is that offset in hand-radius units.
void useHandCoordinates(QPainter& p, QSize size, QPointF pivot = {}) {
    const double r = handRadius(size);
    p.translate(size.width() / 2.0 + pivot.x() * r, size.height() / 2.0 + pivot.y() * r);
    p.scale(r, r);
}

QImage blankCanvas(QSize size) {
    // QPainter's raster engine blends fastest into premultiplied pixels.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool savePng(const QImage& image, const char* path) {
    QImageWriter writer(QString::fromLocal8Bit(path), "png");
    // Qt's PNG writer maps quality onto the zlib level; 0 gives the smallest file, which matters
    // because the picture is stored inside the scheme file.
    writer.setQuality(0);
    if (writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        return true;
    }
    std::fprintf(stderr, "velmora-artgen: cannot write %s: %s\n", path,
                 qPrintable(writer.errorString()));
    return false;
}

// Radii of the dial's rings, in hand-radius units. The face is a true circle rather than an
// ellipse stretched to the 447 x 451 image: the hands sweep a circle, so only a circle keeps every
// tick the same distance from the hand tips; the image's spare rows and columns stay transparent.
struct DialRings {
    double rimOuter;   // one pixel inside the image edge nearest the pivot, so nothing is cut off
    double bezelInner; // where the convex outer rim turns into the sloping inner wall
    double faceEdge;   // where the wall meets the face
};

DialRings dialRings(QSize size, QPointF pivot) {
    const double r = handRadius(size);
    const double x = size.width() / 2.0 + pivot.x() * r;
    const double y = size.height() / 2.0 + pivot.y() * r;
    const double nearestEdge = std::min({x, y, size.width() - x, size.height() - y});
    // The raised pivot leaves less room above it than the centre had, so the rim is narrower;
    // the face keeps its margin around the tick track.
    return {(nearestEdge - 1.0) / r, 0.946, 0.925};
}

void fillDisc(QPainter& p, double radius, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawEllipse(QPointF(0, 0), radius, radius);
}

void strokeCircle(QPainter& p, double radius, const QBrush& brush, double width) {
    p.setPen(QPen(brush, width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), radius, radius);
}

// Brushed-steel rim: a conical sweep gives the anisotropic glints of turned metal, lit from the
// upper left like the hand shadows imply.
void paintRim(QPainter& p, const DialRings& rings) {
    QConicalGradient steel(0, 0, 135);
    steel.setColorAt(0.00, QColor(0xc4, 0xcb, 0xd6));
    steel.setColorAt(0.12, QColor(0x6a, 0x72, 0x80));
    steel.setColorAt(0.25, QColor(0x3a, 0x40, 0x4b));
    steel.setColorAt(0.38, QColor(0x5d, 0x65, 0x72));
    steel.setColorAt(0.50, QColor(0x8e, 0x96, 0xa3));
    steel.setColorAt(0.62, QColor(0x4a, 0x51, 0x5d));
    steel.setColorAt(0.75, QColor(0x2b, 0x30, 0x39));
    steel.setColorAt(0.88, QColor(0x5a, 0x62, 0x6f));
    steel.setColorAt(1.00, QColor(0xc4, 0xcb, 0xd6));
    fillDisc(p, rings.rimOuter, steel);

    // Shading across the whole rim turns the flat sweep into a convex, lit bevel.
    QLinearGradient light(-0.7, -0.7, 0.7, 0.7);
    light.setColorAt(0.0, QColor(255, 255, 255, 70));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 110));
    fillDisc(p, rings.rimOuter, light);

    // The inner wall slopes away from the light, so it is shaded the opposite way round.
    QLinearGradient wall(-0.7, -0.7, 0.7, 0.7);
    wall.setColorAt(0.0, QColor(0x14, 0x17, 0x1d));
    wall.setColorAt(0.5, QColor(0x2a, 0x2f, 0x38));
    wall.setColorAt(1.0, QColor(0x6e, 0x76, 0x84));
    fillDisc(p, rings.bezelInner, wall);
}

// A crisp specular line on the outer lip and a dark seam where rim and wall meet separate the
// rings more clearly than the gradients alone.
void paintRimEdges(QPainter& p, const DialRings& rings, double pixel) {
    QLinearGradient lip(-0.7, -0.7, 0.7, 0.7);
    lip.setColorAt(0.0, QColor(255, 255, 255, 150));
    lip.setColorAt(0.5, QColor(255, 255, 255, 25));
    lip.setColorAt(1.0, QColor(255, 255, 255, 60));
    strokeCircle(p, rings.rimOuter - 1.0 * pixel, lip, 1.2 * pixel);
    strokeCircle(p, rings.bezelInner, QColor(0, 0, 0, 150), 1.5 * pixel);
}

void paintFace(QPainter& p, const DialRings& rings) {
    // The focal point sits above centre so the face reads as softly lit from the top.
    QRadialGradient slate(QPointF(0, 0), rings.faceEdge, QPointF(-0.12, -0.35));
    slate.setColorAt(0.0, QColor(0x2e, 0x44, 0x66));
    slate.setColorAt(0.55, QColor(0x19, 0x28, 0x42));
    slate.setColorAt(1.0, QColor(0x0a, 0x12, 0x22));
    fillDisc(p, rings.faceEdge, slate);
}

// The rim overhangs the face, so a shadow pools along the edge, deepest under the lit top side.
void paintInnerShadow(QPainter& p, const DialRings& rings) {
    QRadialGradient shade(QPointF(0.015, 0.03), rings.faceEdge);
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.82, QColor(0, 0, 0, 0));
    shade.setColorAt(0.93, QColor(0, 0, 0, 80));
    shade.setColorAt(1.0, QColor(0, 0, 0, 190));
    QPainterPath face;
    face.addEllipse(QPointF(0, 0), rings.faceEdge, rings.faceEdge);
    p.save();
    p.setClipPath(face);
    fillDisc(p, rings.faceEdge + 0.05, shade);
    p.restore();
}

// Tick track radii. The second hand stops at 0.85, just short of the minute ticks, so its tip
// points at them without covering them.
constexpr double trackOuter = 0.900;
constexpr double minuteInner = 0.862;
constexpr double hourInner = 0.775;

void drawRadialBar(QPainter& p, double angle, double inner, double outer, double width) {
    p.save();
    p.rotate(angle);
    p.drawRect(QRectF(-width / 2, -outer, width, outer - inner));
    p.restore();
}

void drawHourMark(QPainter& p, int hour, double pixel) {
    const double angle = hour * 30.0;
    if (hour == 0) {
        // A split bar marks twelve, so the dial has an unambiguous top without numerals.
        const double bar = 4.0 * pixel;
        const double gap = 3.0 * pixel;
        p.save();
        p.rotate(angle);
        p.drawRect(QRectF(-gap / 2 - bar, -trackOuter, bar, trackOuter - hourInner));
        p.drawRect(QRectF(gap / 2, -trackOuter, bar, trackOuter - hourInner));
        p.restore();
        return;
    }
    const bool quarter = hour % 3 == 0;
    drawRadialBar(p, angle, hourInner, trackOuter, (quarter ? 8.0 : 5.0) * pixel);
}

void drawTicks(QPainter& p, double pixel) {
    for (int minute = 0; minute < 60; ++minute) {
        if (minute % 5 == 0) {
            drawHourMark(p, minute / 5, pixel);
            continue;
        }
        drawRadialBar(p, minute * 6.0, minuteInner, trackOuter, 1.8 * pixel);
    }
}

// Ticks cast the same offset shadow as the hands, so marks and hands look lit by one light.
void paintTicks(QPainter& p, double pixel) {
    p.setPen(Qt::NoPen);
    p.save();
    p.translate(1.0 * pixel, 2.0 * pixel);
    p.setBrush(QColor(0, 0, 0, 110));
    drawTicks(p, pixel);
    p.restore();
    p.setBrush(QColor(0xee, 0xf2, 0xf8));
    drawTicks(p, pixel);
}

// A faint ring just outside the ticks gives the track an edge without drawing attention.
void paintTrackRing(QPainter& p, double pixel) {
    strokeCircle(p, trackOuter + 2.5 * pixel, QColor(0xc8, 0xd4, 0xe6, 60), 1.0 * pixel);
}

QImage paintDial(QSize size) {
    QImage image = blankCanvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    useHandCoordinates(p, size, dialPivot);
    const double pixel = 1.0 / handRadius(size);
    const DialRings rings = dialRings(size, dialPivot);
    paintRim(p, rings);
    paintRimEdges(p, rings, pixel);
    paintFace(p, rings);
    paintInnerShadow(p, rings);
    paintTrackRing(p, pixel);
    paintTicks(p, pixel);
    return image;
}

// Hands in hand-radius units, mirroring the default scheme so the preview judges the artwork
// against what the clock will actually draw over it.
struct HandStyle {
    double tail;
    double tip;
    double width;
    QColor colour;
    Qt::PenCapStyle cap;
};

constexpr double shadowDx = 0.01;
constexpr double shadowDy = 0.02;

void drawHand(QPainter& p, double angle, const HandStyle& hand, QPointF offset, QColor colour) {
    p.save();
    p.translate(offset);
    p.rotate(angle);
    p.setPen(QPen(colour, hand.width, Qt::SolidLine, hand.cap));
    p.drawLine(QPointF(0, hand.tail), QPointF(0, -hand.tip));
    p.restore();
}

void drawHandWithShadow(QPainter& p, double angle, const HandStyle& hand) {
    drawHand(p, angle, hand, QPointF(shadowDx, shadowDy), QColor(0, 0, 0, 0x64));
    drawHand(p, angle, hand, QPointF(0, 0), hand.colour);
}

void drawCentreDot(QPainter& p, double diameter, QColor colour) {
    fillDisc(p, diameter / 2, colour);
}

// 10:08:30 is the customary showcase time: the hands frame the top of the dial and stay apart.
void paintHands(QPainter& p) {
    const QColor orange(0xff, 0x68, 0x20);
    const HandStyle hour{0.15, 0.50, 0.09, Qt::white, Qt::RoundCap};
    const HandStyle minute{0.15, 0.78, 0.06, Qt::white, Qt::RoundCap};
    const HandStyle second{0.15, 0.85, 0.03, orange, Qt::FlatCap};
    drawHandWithShadow(p, (10 + 8.5 / 60) * 30, hour);
    drawHandWithShadow(p, 8.5 * 6, minute);
    drawHandWithShadow(p, 30 * 6, second);
    drawCentreDot(p, 0.15, orange);
    drawCentreDot(p, 0.02, Qt::black);
}

// A subcommand that paints one picture into the PNG file named by its only argument.
int runPicture(std::span<char*> args, QImage (*paint)()) {
    if (args.size() != 1) {
        return usageError;
    }
    return savePng(paint(), args[0]) ? 0 : 1;
}

int runDial(std::span<char*> args) {
    return runPicture(args, [] { return paintDial(dialSize); });
}

int runPreview(std::span<char*> args) {
    if (args.size() != 2) {
        return usageError;
    }
    QImage image(QString::fromLocal8Bit(args[0]));
    if (image.isNull()) {
        std::fprintf(stderr, "velmora-artgen: cannot read %s\n", args[0]);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    useHandCoordinates(p, image.size(), dialPivot);
    paintHands(p);
    p.end();
    return savePng(image, args[1]) ? 0 : 1;
}

// The info picture: the product mark on a dial, drawn from shapes only so the output does not
// depend on the fonts of the machine that generates it.
constexpr int infoSide = 298;

// A hand-made seven-segment digit set stands in for text; segments a-g clockwise from the top,
// then the middle bar.
constexpr unsigned char sevenSegments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                             0x6d, 0x7d, 0x07, 0x7f, 0x6f};

void drawSegment(QPainter& p, QPointF from, QPointF to, double thickness) {
    // Bevelled ends let neighbouring segments meet in a clean mitre like a real display.
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    const double half = thickness / 2;
    const QPointF a = from + along * half;
    const QPointF b = to - along * half;
    const QPointF polygon[] = {from, a + across * half, b + across * half,
                               to,   b - across * half, a - across * half};
    p.drawPolygon(polygon, int(std::size(polygon)));
}

void drawDigit(QPainter& p, int digit, QRectF box, double thickness) {
    const double gap = thickness * 0.18;
    const QPointF tl = box.topLeft();
    const QPointF tr = box.topRight();
    const QPointF ml(box.left(), box.center().y());
    const QPointF mr(box.right(), box.center().y());
    const QPointF bl = box.bottomLeft();
    const QPointF br = box.bottomRight();
    const QPointF dx(gap, 0);
    const QPointF dy(0, gap);
    const std::pair<QPointF, QPointF> segments[7] = {
        {tl + dx, tr - dx}, {tr + dy, mr - dy}, {mr + dy, br - dy}, {bl + dx, br - dx},
        {ml + dy, bl - dy}, {tl + dy, ml - dy}, {ml + dx, mr - dx},
    };
    for (int i = 0; i < 7; ++i) {
        if (sevenSegments[digit] & (1 << i)) {
            drawSegment(p, segments[i].first, segments[i].second, thickness);
        }
    }
}

// A digital readout of the showcase time, the third kind of clock element besides hands and
// slices.
void paintReadout(QPainter& p) {
    const QRectF panel(-0.32, 0.32, 0.64, 0.22);
    p.setPen(QPen(QColor(0x6f, 0xd6, 0xff, 70), 0.008));
    p.setBrush(QColor(0x04, 0x0a, 0x16, 200));
    p.drawRoundedRect(panel, 0.05, 0.05);

    const double height = 0.13;
    const double width = 0.07;
    const double thickness = 0.022;
    const double top = panel.center().y() - height / 2;
    const int digits[4] = {1, 0, 0, 8};
    const double lefts[4] = {-0.245, -0.145, 0.045, 0.145};
    const QColor glow(0x6f, 0xd6, 0xff);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QRectF box(lefts[i], top, width, height);
        // Unlit segments stay faintly visible, as on a real display.
        p.setBrush(QColor(0x6f, 0xd6, 0xff, 28));
        drawDigit(p, 8, box, thickness);
        p.setBrush(glow);
        drawDigit(p, digits[i], box, thickness);
    }
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, top + height * 0.3), 0.014, 0.014);
    p.drawEllipse(QPointF(0, top + height * 0.7), 0.014, 0.014);
}

// An orange ring slice standing for the elapsed seconds, the same accent as the second hand.
void paintSlice(QPainter& p, double radius, double width, double sweepDegrees) {
    QPen pen(QColor(0xff, 0x68, 0x20, 220), width, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // QPainter counts angles counter-clockwise from 3 o'clock in 1/16 degree.
    p.drawArc(QRectF(-radius, -radius, 2 * radius, 2 * radius), 90 * 16, -int(sweepDegrees * 16));
}

// A soft shadow under the whole badge lifts it off whatever lies behind the window.
void paintDropShadow(QPainter& p, double radius) {
    QRadialGradient shadow(QPointF(0.02, 0.05), radius + 0.06);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 150));
    shadow.setColorAt(0.88, QColor(0, 0, 0, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    fillDisc(p, radius + 0.06, shadow);
}

void paintBadgeDial(QPainter& p, double scale, double pixel) {
    // The badge reuses the scheme dial's rings, shrunk so the shadow fits inside the picture.
    p.save();
    p.scale(scale, scale);
    const DialRings rings{1.0 - pixel / scale, 0.952, 0.928};
    paintRim(p, rings);
    paintRimEdges(p, rings, pixel / scale);
    paintFace(p, rings);
    paintInnerShadow(p, rings);
    paintTrackRing(p, pixel / scale);
    paintTicks(p, pixel / scale);
    p.restore();
}

// The second hand stands at 20 s so that it clears the readout below the centre.
constexpr double infoSecond = 20;

void paintInfoHands(QPainter& p) {
    const QColor orange(0xff, 0x68, 0x20);
    const HandStyle hour{0.15, 0.50, 0.09, Qt::white, Qt::RoundCap};
    const HandStyle minute{0.15, 0.78, 0.06, Qt::white, Qt::RoundCap};
    const HandStyle second{0.15, 0.85, 0.03, orange, Qt::FlatCap};
    drawHandWithShadow(p, (10 + 8 / 60.0 + infoSecond / 3600) * 30, hour);
    drawHandWithShadow(p, (8 + infoSecond / 60) * 6, minute);
    drawHandWithShadow(p, infoSecond * 6, second);
    drawCentreDot(p, 0.15, orange);
    drawCentreDot(p, 0.02, Qt::black);
}

QImage paintInfo() {
    const QSize size(infoSide, infoSide);
    QImage image = blankCanvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    useHandCoordinates(p, size);
    const double pixel = 1.0 / handRadius(size);
    const double scale = 0.9;
    paintDropShadow(p, scale);
    paintBadgeDial(p, scale, pixel);
    paintSlice(p, 0.70 * scale, 0.05 * scale, infoSecond * 6.0);
    paintReadout(p);
    p.save();
    p.scale(scale, scale);
    paintInfoHands(p);
    p.restore();
    p.end();
    return image;
}

int runInfo(std::span<char*> args) {
    return runPicture(args, paintInfo);
}

// Corner marks: an L-shaped bracket hugging one corner of a 32 x 32 square. A dark outline under
// the colour keeps the bracket visible on light and dark desktops alike.
constexpr int cornerSide = 32;

enum class Corner { TopLeft, TopRight, BottomRight, BottomLeft };

QImage paintCorner(Corner corner, QColor colour) {
    QImage image = blankCanvas(QSize(cornerSide, cornerSide));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Every bracket is the top-left one turned about the square's centre.
    p.translate(cornerSide / 2.0, cornerSide / 2.0);
    p.rotate(90.0 * int(corner));
    p.translate(-cornerSide / 2.0, -cornerSide / 2.0);

    QPainterPath bracket;
    const double inset = 3.5;
    const double arm = 20.0;
    bracket.moveTo(inset, arm);
    bracket.lineTo(inset, inset);
    bracket.lineTo(arm, inset);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 200), 6.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.drawPath(bracket);
    p.setPen(QPen(colour, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.drawPath(bracket);
    p.end();
    return image;
}

int runCorners(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    struct Set {
        const char* name;
        QColor colour;
    };
    const Set sets[] = {{"red", QColor(0xff, 0x3b, 0x30)}, {"green", QColor(0x34, 0xd0, 0x58)}};
    const std::pair<Corner, const char*> corners[] = {{Corner::TopLeft, "tl"},
                                                      {Corner::TopRight, "tr"},
                                                      {Corner::BottomRight, "br"},
                                                      {Corner::BottomLeft, "bl"}};
    const QString directory = QString::fromLocal8Bit(args[0]);
    for (const Set& set : sets) {
        for (const auto& [corner, suffix] : corners) {
            const QByteArray path = QStringLiteral("%1/corner_%2_%3.png")
                                        .arg(directory, set.name, suffix)
                                        .toLocal8Bit();
            if (!savePng(paintCorner(corner, set.colour), path.constData())) {
                return 1;
            }
        }
    }
    return 0;
}

// The program icon: the dial reduced to what still reads at tray size (22 to 24 pixels): a light
// face, a dark rim, bold hands and the orange accent. Painted anew at each size the icon theme
// asks for, and written once more as SVG for the scalable one.
constexpr int iconSide = 128;
constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon's geometry, in hand-radius units, shared by the painted and the SVG icons.
namespace icon {
constexpr double rimFrom = -0.7;
constexpr double rimTo = 0.7;
constexpr double face = 0.84;
constexpr QPointF faceFocus(-0.1, -0.3);
constexpr double barInner = 0.60;
constexpr double barOuter = 0.78;
constexpr double barWidth = 0.11;
constexpr double sliceRadius = 0.70;
constexpr double sliceWidth = 0.12;
constexpr double sliceSweep = 130;
constexpr double hourTip = 0.42;
constexpr double hourWidth = 0.16;
constexpr double minuteTip = 0.66;
constexpr double minuteWidth = 0.12;
constexpr double hourAngle = (10 + 8.5 / 60) * 30;
constexpr double minuteAngle = 8.5 * 6;
constexpr double dot = 0.22;
} // namespace icon

QImage paintIcon(int side) {
    const QSize size(side, side);
    QImage image = blankCanvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    useHandCoordinates(p, size);
    const double pixel = 1.0 / handRadius(size);

    QLinearGradient rim(icon::rimFrom, icon::rimFrom, icon::rimTo, icon::rimTo);
    rim.setColorAt(0.0, QColor(0x4a, 0x55, 0x68));
    rim.setColorAt(1.0, QColor(0x12, 0x18, 0x24));
    fillDisc(p, 1.0 - pixel, rim);
    QRadialGradient face(QPointF(0, 0), icon::face, icon::faceFocus);
    face.setColorAt(0.0, QColor(0x2e, 0x44, 0x66));
    face.setColorAt(1.0, QColor(0x14, 0x20, 0x36));
    fillDisc(p, icon::face, face);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xee, 0xf2, 0xf8));
    for (int hour = 0; hour < 12; hour += 3) {
        drawRadialBar(p, hour * 30.0, icon::barInner, icon::barOuter, icon::barWidth);
    }
    paintSlice(p, icon::sliceRadius, icon::sliceWidth, icon::sliceSweep);

    const QColor orange(0xff, 0x68, 0x20);
    const HandStyle hourHand{0.0, icon::hourTip, icon::hourWidth, Qt::white, Qt::RoundCap};
    const HandStyle minuteHand{0.0, icon::minuteTip, icon::minuteWidth, Qt::white, Qt::RoundCap};
    drawHand(p, icon::hourAngle, hourHand, QPointF(0, 0), hourHand.colour);
    drawHand(p, icon::minuteAngle, minuteHand, QPointF(0, 0), minuteHand.colour);
    drawCentreDot(p, icon::dot, orange);
    p.end();
    return image;
}

int runIcon(std::span<char*> args) {
    return runPicture(args, [] { return paintIcon(iconSide); });
}

// The same drawing as SVG markup, in a view box of the hand radius.
QByteArray iconSvg() {
    const double sweep = icon::sliceSweep * std::numbers::pi / 180;
    const double endX = icon::sliceRadius * std::sin(sweep);
    const double endY = -icon::sliceRadius * std::cos(sweep);
    QString bars;
    for (int hour = 0; hour < 12; hour += 3) {
        bars += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" "
                               "fill=\"#eef2f8\" transform=\"rotate(%5)\"/>\n")
                    .arg(-icon::barWidth / 2)
                    .arg(-icon::barOuter)
                    .arg(icon::barWidth)
                    .arg(icon::barOuter - icon::barInner)
                    .arg(hour * 30);
    }
    const auto hand = [](double angle, double tip, double width) {
        return QStringLiteral("  <line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"%1\" stroke=\"#ffffff\" "
                              "stroke-width=\"%2\" stroke-linecap=\"round\" "
                              "transform=\"rotate(%3)\"/>\n")
            .arg(-tip)
            .arg(width)
            .arg(angle);
    };
    const QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
                       "viewBox=\"-1 -1 2 2\">\n"
                       "  <defs>\n"
                       "    <linearGradient id=\"rim\" gradientUnits=\"userSpaceOnUse\" x1=\"%1\" "
                       "y1=\"%1\" x2=\"%2\" y2=\"%2\">\n"
                       "      <stop offset=\"0\" stop-color=\"#4a5568\"/>\n"
                       "      <stop offset=\"1\" stop-color=\"#121824\"/>\n"
                       "    </linearGradient>\n"
                       "    <radialGradient id=\"face\" gradientUnits=\"userSpaceOnUse\" cx=\"0\" "
                       "cy=\"0\" r=\"%3\" fx=\"%4\" fy=\"%5\">\n"
                       "      <stop offset=\"0\" stop-color=\"#2e4466\"/>\n"
                       "      <stop offset=\"1\" stop-color=\"#142036\"/>\n"
                       "    </radialGradient>\n"
                       "  </defs>\n"
                       "  <circle r=\"0.984\" fill=\"url(#rim)\"/>\n"
                       "  <circle r=\"%3\" fill=\"url(#face)\"/>\n")
            .arg(icon::rimFrom)
            .arg(icon::rimTo)
            .arg(icon::face)
            .arg(icon::faceFocus.x())
            .arg(icon::faceFocus.y()) +
        bars +
        QStringLiteral("  <path d=\"M 0 %1 A %2 %2 0 0 1 %3 %4\" fill=\"none\" stroke=\"#ff6820\" "
                       "stroke-opacity=\"0.863\" stroke-width=\"%5\"/>\n")
            .arg(-icon::sliceRadius)
            .arg(icon::sliceRadius)
            .arg(endX, 0, 'f', 4)
            .arg(endY, 0, 'f', 4)
            .arg(icon::sliceWidth) +
        hand(icon::hourAngle, icon::hourTip, icon::hourWidth) +
        hand(icon::minuteAngle, icon::minuteTip, icon::minuteWidth) +
        QStringLiteral("  <circle r=\"%1\" fill=\"#ff6820\"/>\n</svg>\n").arg(icon::dot / 2);
    return svg.toUtf8();
}

// Every size of the icon theme: OUTDIR/NxN.png and OUTDIR/scalable.svg.
int runIcons(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    const QString directory = QString::fromLocal8Bit(args[0]);
    for (int side : iconSizes) {
        const QByteArray path =
            QStringLiteral("%1/%2x%2.png").arg(directory).arg(side).toLocal8Bit();
        if (!savePng(paintIcon(side), path.constData())) {
            return 1;
        }
    }
    QFile svg(directory + QStringLiteral("/scalable.svg"));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg()) < 0) {
        return 1;
    }
    return 0;
}

// The info chime and the clock's sounds, written as 16-bit mono PCM. Plain arithmetic keeps the
// files identical on every run.
constexpr int chimeRate = 44100;
constexpr double chimeSeconds = 0.6;
// The clock's own sounds reach no higher than a few kilohertz: half the rate serves them.
constexpr int soundRate = 22050;

struct BellNote {
    double start;     // seconds
    double frequency; // Hz
    double gain;
};

// Slightly inharmonic partials with faster decay for the higher ones give a bell rather than an
// organ tone; `ring` above 1 lets a deeper stroke sound longer.
double bellSample(const BellNote& note, double t, double ring = 1.0) {
    if (t < note.start) {
        return 0.0;
    }
    const double local = t - note.start;
    const double attack = std::min(1.0, local / 0.004);
    const double partials[][3] = {{1.0, 1.0, 5.5}, {2.01, 0.35, 9.0}, {3.0, 0.12, 14.0}};
    double sum = 0.0;
    for (const auto& [ratio, amplitude, decay] : partials) {
        sum += amplitude * std::exp(-decay / ring * local) *
               std::sin(2.0 * std::numbers::pi * note.frequency * ratio * local);
    }
    return note.gain * attack * sum;
}

// `seconds` of the sound at `rate`, its last 30 ms faded to silence so it ends without a click.
template <typename Sample>
std::vector<std::int16_t> renderSound(int rate, double seconds, const Sample& sample) {
    const int count = int(rate * seconds);
    std::vector<std::int16_t> samples(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double value = sample(t) * std::min(1.0, (seconds - t) / 0.03);
        samples[i] = std::int16_t(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
    }
    return samples;
}

std::vector<std::int16_t> synthesiseChime() {
    // A rising major sixth, E6 then C#7, reads as a friendly "hello".
    const BellNote notes[] = {{0.0, 1318.51, 0.30}, {0.14, 2217.46, 0.24}};
    return renderSound(chimeRate, chimeSeconds, [&notes](double t) {
        double value = 0.0;
        for (const BellNote& note : notes) {
            value += bellSample(note, t);
        }
        return value;
    });
}

// On the hour: three slow strokes falling G5, E5, C5, the last left to ring.
std::vector<std::int16_t> synthesiseHourChime() {
    const BellNote notes[] = {{0.0, 783.99, 0.30}, {0.5, 659.25, 0.30}, {1.0, 523.25, 0.34}};
    return renderSound(soundRate, 2.8, [&notes](double t) {
        double value = 0.0;
        for (const BellNote& note : notes) {
            value += bellSample(note, t, 2.4);
        }
        return value;
    });
}

// Each quarter: one light stroke, E6.
std::vector<std::int16_t> synthesiseQuarterChime() {
    const BellNote note{0.0, 1318.51, 0.26};
    return renderSound(soundRate, 1.2, [&note](double t) { return bellSample(note, t, 1.5); });
}

// An alarm: three short bright beeps and a rest, a pattern that loops while the alarm rings.
std::vector<std::int16_t> synthesiseAlarm() {
    constexpr double beep = 0.11;
    constexpr double step = 0.19;
    return renderSound(soundRate, 1.1, [](double t) {
        const int index = int(t / step);
        const double local = t - index * step;
        if (index > 2 || local > beep) {
            return 0.0;
        }
        // 8 ms in and out, so no beep clicks.
        const double envelope = std::min({1.0, local / 0.008, (beep - local) / 0.008});
        const double phase = 2.0 * std::numbers::pi * 1760.0 * local;
        return 0.34 * envelope * (std::sin(phase) + 0.25 * std::sin(2.0 * phase));
    });
}

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back((value >> (8 * i)) & 0xff);
    }
}

std::vector<unsigned char> waveFile(const std::vector<std::int16_t>& samples, int rate) {
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::vector<unsigned char> out;
    const auto tag = [&out](const char* text) { out.insert(out.end(), text, text + 4); };
    tag("RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, rate, 4);
    putLittleEndian(out, rate * 2, 4);
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, 16, 2);
    tag("data");
    putLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples) {
        putLittleEndian(out, std::uint16_t(sample), 2);
    }
    return out;
}

bool writeWave(const std::vector<std::int16_t>& samples, int rate, const char* path) {
    const std::vector<unsigned char> bytes = waveFile(samples, rate);
    std::FILE* file = std::fopen(path, "wb");
    const bool written =
        file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if ((file != nullptr && std::fclose(file) != 0) || !written) {
        std::fprintf(stderr, "velmora-artgen: cannot write %s\n", path);
        return false;
    }
    return true;
}

int runChime(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    return writeWave(synthesiseChime(), chimeRate, args[0]) ? 0 : 1;
}

// The clock's chimes and alarm sound, installed among its data.
int runSounds(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    const std::pair<const char*, std::vector<std::int16_t> (*)()> sounds[] = {
        {"hour_chime.wav", synthesiseHourChime},
        {"quarter_chime.wav", synthesiseQuarterChime},
        {"alarm.wav", synthesiseAlarm}};
    for (const auto& [name, synthesise] : sounds) {
        const std::string path = std::string(args[0]) + "/" + name;
        if (!writeWave(synthesise(), soundRate, path.c_str())) {
            return 1;
        }
    }
    return 0;
}

// The customize dialog's element toolbar: one 16 x 16 icon per button, side by side; the
// buttons carry their words as text in the desktop's font. Shapes sit on whole pixels (or on
// pixel centres for 1-pixel lines), so the 1x strip is sharp and the 2x strip, drawn afresh at
// double density rather than scaled, is sharp too.
constexpr int toolIconSide = 16;

const QColor iconInk(0x4a, 0x4f, 0x57);
const QColor iconPaper(0xfb, 0xfc, 0xfd);

void drawSheet(QPainter& p, QRectF sheet) {
    p.setPen(QPen(iconInk, 1.0));
    p.setBrush(iconPaper);
    p.drawRect(sheet);
}

void drawCopyIcon(QPainter& p) {
    drawSheet(p, QRectF(1.5, 1.5, 8, 10));
    drawSheet(p, QRectF(5.5, 4.5, 9, 11));
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 1.0, Qt::SolidLine, Qt::FlatCap));
    for (const double y : {7.5, 9.5, 11.5, 13.5}) {
        p.drawLine(QPointF(7.5, y), QPointF(y < 13 ? 13 : 11, y));
    }
}

// A small dial, the ground of the hand and slice icons.
void drawDial(QPainter& p) {
    p.setPen(QPen(iconInk, 1.0));
    p.setBrush(iconPaper);
    p.drawEllipse(QRectF(0.5, 0.5, 13, 13));
}

// The green plus that says "new", with a light rim parting it from the shape below.
void drawNewBadge(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 10, 8, 5));
    p.drawRect(QRectF(10, 8, 5, 8));
    p.setBrush(QColor(0x2a, 0x9d, 0x3c));
    p.drawRect(QRectF(9, 11, 7, 3));
    p.drawRect(QRectF(11, 9, 3, 7));
}

void drawNewHandIcon(QPainter& p) {
    drawDial(p);
    p.setPen(QPen(QColor(0x1f, 0x4f, 0x9f), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(10, 3));
    p.drawLine(QPointF(7, 7), QPointF(3.5, 7));
    drawNewBadge(p);
}

void drawNewSliceIcon(QPainter& p) {
    drawDial(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x84, 0x1a));
    // From twelve o'clock clockwise to four: Qt counts sixteenths of a degree anticlockwise.
    p.drawPie(QRectF(1.5, 1.5, 11, 11), 90 * 16, -120 * 16);
    drawNewBadge(p);
}

void drawNewTextIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(iconInk);
    p.drawRect(QRectF(1, 2, 11, 2));
    p.drawRect(QRectF(5, 2, 3, 12));
    drawNewBadge(p);
}

void drawDeleteIcon(QPainter& p) {
    p.setPen(QPen(QColor(0xc8, 0x32, 0x2d), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// A blue arrow pointing down, turned over for "up".
void drawMoveIcon(QPainter& p, bool up) {
    if (up) {
        p.translate(0, toolIconSide);
        p.scale(1, -1);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x5f, 0xbf));
    p.drawRect(QRectF(6, 1, 4, 7));
    const QPointF head[] = {{1, 7}, {15, 7}, {8, 15}};
    p.drawPolygon(head, int(std::size(head)));
}

// In the order of the toolbar's buttons: copy | new hand, slice, text | delete | down, up.
QImage paintToolbarIcons(int scale) {
    const std::function<void(QPainter&)> icons[] = {
        drawCopyIcon,
        drawNewHandIcon,
        drawNewSliceIcon,
        drawNewTextIcon,
        drawDeleteIcon,
        [](QPainter& p) { drawMoveIcon(p, false); },
        [](QPainter& p) { drawMoveIcon(p, true); },
    };
    const int count = int(std::size(icons));
    QImage image = blankCanvas(QSize(toolIconSide * count, toolIconSide) * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    for (int i = 0; i < count; ++i) {
        p.save();
        p.setClipRect(QRect(i * toolIconSide, 0, toolIconSide, toolIconSide));
        p.translate(i * toolIconSide, 0);
        icons[i](p);
        p.restore();
    }
    p.end();
    return image;
}

int runToolbar(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    const QString directory = QString::fromLocal8Bit(args[0]);
    const std::pair<int, const char*> strips[] = {{1, "element_icons.png"},
                                                  {2, "element_icons@2x.png"}};
    for (const auto& [scale, name] : strips) {
        const QByteArray path = QStringLiteral("%1/%2").arg(directory, name).toLocal8Bit();
        if (!savePng(paintToolbarIcons(scale), path.constData())) {
            return 1;
        }
    }
    return 0;
}

// Gallery artwork: one background per example scheme. Every picture is square in hand-radius
// units except the digital panel, and leaves its transparent margin to the clock's shape.
constexpr int galleryDialSide = 480;
constexpr QSize galleryPanelSize{560, 280};

// A soft shadow just below a disc separates light faces from light desktops.
void paintSoftShadow(QPainter& p, double radius, int alpha) {
    QRadialGradient shadow(QPointF(0.0, 0.025), radius);
    shadow.setColorAt(0.0, QColor(0, 0, 0, alpha));
    shadow.setColorAt(0.9, QColor(0, 0, 0, alpha * 2 / 3));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    fillDisc(p, radius, shadow);
}

// A gallery dial: a square canvas in hand coordinates, where the unit circle touches the
// edges, drawn by `draw` with the size of one pixel in those units.
QImage paintGalleryDial(void (*draw)(QPainter&, double)) {
    const QSize size(galleryDialSide, galleryDialSide);
    QImage image = blankCanvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    useHandCoordinates(p, size);
    draw(p, 1.0 / handRadius(size));
    p.end();
    return image;
}

// Station: a white railway face. The hands are plain black bars, so the marks carry the design:
// long bold hour bars and short minute strokes, as on platform clocks read from afar.
void drawStation(QPainter& p, double pixel) {
    paintSoftShadow(p, 1.0 - pixel, 90);

    QLinearGradient caseRing(-0.7, -0.7, 0.7, 0.7);
    caseRing.setColorAt(0.0, QColor(0x5c, 0x63, 0x6e));
    caseRing.setColorAt(1.0, QColor(0x1c, 0x1f, 0x24));
    fillDisc(p, 0.965, caseRing);
    QRadialGradient face(QPointF(0, 0), 0.915, QPointF(-0.15, -0.3));
    face.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    face.setColorAt(0.85, QColor(0xf6, 0xf6, 0xf4));
    face.setColorAt(1.0, QColor(0xdc, 0xdd, 0xdb));
    fillDisc(p, 0.915, face);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x14, 0x14, 0x16));
    for (int minute = 0; minute < 60; ++minute) {
        if (minute % 5 == 0) {
            drawRadialBar(p, minute * 6.0, 0.62, 0.86, 0.065);
        } else {
            drawRadialBar(p, minute * 6.0, 0.78, 0.86, 0.022);
        }
    }
}

// Rings: a charcoal disc with a faint track under each of the three slices, so the empty part
// of every ring still reads as a ring.
constexpr double ringsTrackRadii[3][2] = {{0.84, 0.94}, {0.70, 0.80}, {0.56, 0.66}};

void drawRings(QPainter& p, double pixel) {
    paintSoftShadow(p, 1.0 - pixel, 110);

    QRadialGradient face(QPointF(0, 0), 0.985, QPointF(-0.1, -0.35));
    face.setColorAt(0.0, QColor(0x2b, 0x30, 0x3a, 245));
    face.setColorAt(1.0, QColor(0x12, 0x14, 0x19, 245));
    fillDisc(p, 0.985, face);
    strokeCircle(p, 0.985 - pixel, QColor(255, 255, 255, 40), 1.2 * pixel);

    const QColor tracks[3] = {QColor(0x2e, 0xc4, 0xb6, 45), QColor(0xff, 0xb4, 0x00, 45),
                              QColor(0xff, 0x5a, 0x6a, 45)};
    for (int i = 0; i < 3; ++i) {
        const double inner = ringsTrackRadii[i][0];
        const double outer = ringsTrackRadii[i][1];
        strokeCircle(p, (inner + outer) / 2, tracks[i], outer - inner);
    }
    // Twelve dots just inside the outer edge mark the hours for the seconds ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * std::numbers::pi / 6;
        const double radius = hour % 3 == 0 ? 0.014 : 0.009;
        p.drawEllipse(QPointF(std::sin(angle) * 0.965, -std::cos(angle) * 0.965), radius, radius);
    }
}

// World: a rounded navy board with a faint globe graticule behind the local time and four
// recessed cells for the zone texts.
void drawWorld(QPainter& p, double pixel) {
    const QRectF board(-0.97, -0.97, 1.94, 1.94);
    QPainterPath outline;
    outline.addRoundedRect(board, 0.16, 0.16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(outline.translated(0.0, 0.02));
    QLinearGradient navy(0, -0.97, 0, 0.97);
    navy.setColorAt(0.0, QColor(0x1d, 0x35, 0x5c, 240));
    navy.setColorAt(1.0, QColor(0x0b, 0x16, 0x2b, 240));
    p.setBrush(navy);
    p.drawPath(outline);

    // The graticule: parallels as horizontal chords, meridians as ellipses of shrinking width.
    p.save();
    p.setClipPath(outline);
    p.translate(0, -0.38);
    const double globe = 0.52;
    const QColor grid(0x8f, 0xb8, 0xff, 38);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(grid, 1.2 * pixel));
    p.drawEllipse(QPointF(0, 0), globe, globe);
    for (int i = 1; i < 6; ++i) {
        p.drawEllipse(QPointF(0, 0), globe * std::sin(i * std::numbers::pi / 12), globe);
        const double y = globe * std::sin(i * std::numbers::pi / 12);
        const double w = std::sqrt(globe * globe - y * y);
        p.drawLine(QPointF(-w, y), QPointF(w, y));
        p.drawLine(QPointF(-w, -y), QPointF(w, -y));
    }
    p.drawLine(QPointF(-globe, 0), QPointF(globe, 0));
    p.restore();

    p.setPen(QPen(QColor(0x8f, 0xb8, 0xff, 70), 1.0 * pixel));
    p.drawLine(QPointF(-0.82, 0.06), QPointF(0.82, 0.06));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    for (const double x : {-0.88, 0.04}) {
        for (const double y : {0.14, 0.53}) {
            p.drawRoundedRect(QRectF(x, y, 0.84, 0.34), 0.06, 0.06);
        }
    }
}

// Digital: a frosted, translucent panel twice as wide as high; dark enough for white digits on
// a light desktop, light enough to let a dark one show through.
QImage paintDigitalPanel() {
    QImage image = blankCanvas(galleryPanelSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF panel = QRectF(QPointF(0, 0), QSizeF(galleryPanelSize)).adjusted(6, 4, -6, -10);
    const double corner = panel.height() * 0.2;
    // A shadow of stacked, ever wider translucent outlines stands in for a blur.
    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 10), i * 2.0));
        p.drawRoundedRect(panel.translated(0, 4), corner, corner);
    }
    QLinearGradient glass(0, panel.top(), 0, panel.bottom());
    glass.setColorAt(0.0, QColor(0x3a, 0x42, 0x52, 175));
    glass.setColorAt(1.0, QColor(0x14, 0x18, 0x22, 190));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.5));
    p.setBrush(glass);
    p.drawRoundedRect(panel, corner, corner);
    // A sheen on the upper half makes the glass read as a surface rather than a hole.
    QLinearGradient sheen(0, panel.top(), 0, panel.center().y());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 38));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(panel.adjusted(2, 2, -2, -panel.height() / 2), corner - 2, corner - 2);
    p.end();
    return image;
}

// Night: a deep translucent dial with luminous markers; each marker is a bright core in a
// wide, faint halo, as lume glows in the dark.
void drawGlowDot(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient halo(centre, radius * 3);
    QColor faint = colour;
    faint.setAlpha(90);
    halo.setColorAt(0.0, faint);
    faint.setAlpha(0);
    halo.setColorAt(1.0, faint);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius * 3, radius * 3);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void drawNight(QPainter& p, double pixel) {
    QRadialGradient face(QPointF(0, 0), 1.0 - pixel, QPointF(0, -0.25));
    face.setColorAt(0.0, QColor(0x10, 0x1a, 0x33, 215));
    face.setColorAt(0.8, QColor(0x05, 0x09, 0x16, 200));
    face.setColorAt(1.0, QColor(0x02, 0x04, 0x0a, 150));
    fillDisc(p, 1.0 - pixel, face);
    strokeCircle(p, 0.96, QColor(0x7c, 0xf5, 0xd2, 50), 1.5 * pixel);

    const QColor lume(0xa8, 0xff, 0xdf);
    for (int minute = 0; minute < 60; ++minute) {
        const double angle = minute * std::numbers::pi / 30;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        if (minute % 15 == 0) {
            drawGlowDot(p, direction * 0.84, 0.045, lume);
        } else if (minute % 5 == 0) {
            drawGlowDot(p, direction * 0.85, 0.03, lume);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xa8, 0xff, 0xdf, 90));
            p.drawEllipse(direction * 0.88, 0.008, 0.008);
        }
    }
}

struct GalleryArt {
    std::string_view name;
    QImage (*paint)();
};

constexpr GalleryArt galleryArt[] = {
    {"station", [] { return paintGalleryDial(drawStation); }},
    {"rings", [] { return paintGalleryDial(drawRings); }},
    {"world", [] { return paintGalleryDial(drawWorld); }},
    {"digital", paintDigitalPanel},
    {"night", [] { return paintGalleryDial(drawNight); }},
};

int runGallery(std::span<char*> args) {
    if (args.size() != 2) {
        return usageError;
    }
    const auto art = std::ranges::find(galleryArt, std::string_view(args[0]), &GalleryArt::name);
    if (art == std::end(galleryArt)) {
        std::fprintf(stderr, "velmora-artgen: no gallery artwork named %s\n", args[0]);
        return usageError;
    }
    return savePng(art->paint(), args[1]) ? 0 : 1;
}

// New artwork is added as another row here.
struct Command {
    std::string_view name;
    std::string_view arguments;
    int (*run)(std::span<char*>);
};

constexpr Command commands[] = {
    {"dial", "OUT.png", runDial},      {"preview", "IN.png OUT.png", runPreview},
    {"info", "OUT.png", runInfo},      {"corners", "OUTDIR", runCorners},
    {"icon", "OUT.png", runIcon},      {"icons", "OUTDIR", runIcons},
    {"chime", "OUT.wav", runChime},    {"sounds", "OUTDIR", runSounds},
    {"toolbar", "OUTDIR", runToolbar}, {"gallery", "NAME OUT.png", runGallery},
};

void printUsage() {
    std::fprintf(stderr, "usage:\n");
    for (const Command& command : commands) {
        std::fprintf(stderr, "  velmora-artgen %.*s %.*s\n", int(command.name.size()),
                     command.name.data(), int(command.arguments.size()), command.arguments.data());
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::span<char*> args(argv, argc);
    if (args.size() < 2) {
        printUsage();
        return usageError;
    }
    const std::string_view name = args[1];
    const auto command = std::ranges::find(commands, name, &Command::name);
    if (command == std::end(commands)) {
        printUsage();
        return usageError;
    }
    const int status = command->run(args.subspan(2));
    if (status == usageError) {
        printUsage();
    }
    return status;
}
