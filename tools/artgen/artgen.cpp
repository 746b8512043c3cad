// velmora-artgen: paints the bundled scheme artwork so it can be rebuilt from source.
#include <QColor>
#include <QConicalGradient>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <span>
#include <string_view>

namespace {

constexpr QSize dialSize{447, 451};

// Exit status for a malformed command line; main answers it with the usage text.
constexpr int usageError = 2;

// The clock pivots its hands on the image centre and scales them by min(w, h) / 2, so all dial
// geometry is expressed in that unit: a length of 1.0 is the hand radius.
double handRadius(QSize size) {
    return std::min(size.width(), size.height()) / 2.0;
}

void useHandCoordinates(QPainter& p, QSize size) {
    p.translate(size.width() / 2.0, size.height() / 2.0);
    const double r = handRadius(size);
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
// tick the same distance from the hand tips; the image's four extra rows simply stay transparent.
struct DialRings {
    double rimOuter;   // one pixel inside the narrower image edge, so antialiasing stays inside
    double bezelInner; // where the convex outer rim turns into the sloping inner wall
    double faceEdge;   // where the wall meets the face
};

DialRings dialRings(QSize size) {
    const double pixel = 1.0 / handRadius(size);
    return {1.0 - pixel, 0.952, 0.928};
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
    useHandCoordinates(p, size);
    const double pixel = 1.0 / handRadius(size);
    const DialRings rings = dialRings(size);
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

int runDial(std::span<char*> args) {
    if (args.size() != 1) {
        return usageError;
    }
    return savePng(paintDial(dialSize), args[0]) ? 0 : 1;
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
    useHandCoordinates(p, image.size());
    paintHands(p);
    p.end();
    return savePng(image, args[1]) ? 0 : 1;
}

// New artwork is added as another row here.
struct Command {
    std::string_view name;
    std::string_view arguments;
    int (*run)(std::span<char*>);
};

constexpr Command commands[] = {
    {"dial", "OUT.png", runDial},
    {"preview", "IN.png OUT.png", runPreview},
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
