// The option tree's description pane: bold title, blank line and text; rich text without a
// title; the button face behind the palette's text colour, at any device pixel ratio.
#include "model/string_table.h"
#include "optiontree/option_tree_info.h"
#include "tests/optiontree/text_fragment_format.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

QString formatDescription() {
    return QString::fromStdU16String(propertyTexts(55).description);
}

QImage shot(QWidget& widget) {
    widget.show();
    QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The share of pixels in the rectangle that differ clearly from the colour.
double shareUnlike(const QImage& image, const QRect& rect, QColor colour) {
    int differing = 0;
    int all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            ++all;
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) >
                60) {
                ++differing;
            }
        }
    }
    return all == 0 ? 0 : double(differing) / all;
}

TEST(OptionTreeInfoTest, IsAReadOnlyFramedPaneWithAVerticalScrollBar) {
    COptionTreeInfo pane(nullptr);
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_NE(pane.frameShape(), QFrame::NoFrame);
    EXPECT_NE(pane.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_DOUBLE_EQ(pane.font().pointSizeF(), 8.5);
    EXPECT_EQ(pane.viewport()->backgroundRole(), QPalette::Button);
}

TEST(OptionTreeInfoTest, APlainDescriptionIsABoldTitleABlankLineAndTheText) {
    COptionTreeInfo pane(nullptr);
    pane.showDescription(QStringLiteral("opacity"), QStringLiteral("Sets the item's opacity."));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("opacity\n\nSets the item's opacity."));
    EXPECT_EQ(pane.lastTitle(), QStringLiteral("opacity"));
    EXPECT_EQ(pane.lastText(), QStringLiteral("Sets the item's opacity."));
    EXPECT_FALSE(pane.showsRichText());

    const QTextDocument& document = *pane.document();
    ASSERT_EQ(document.blockCount(), 3);
    const QTextCharFormat title = formatOf(document, QStringLiteral("opacity"));
    const QTextCharFormat text = formatOf(document, QStringLiteral("Sets"));
    EXPECT_GE(title.fontWeight(), QFont::Bold);
    EXPECT_LT(text.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 8.5);
    EXPECT_DOUBLE_EQ(text.fontPointSize(), 8.5);
    EXPECT_EQ(title.fontFamilies(), text.fontFamilies());
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), COptionTreeInfo::paneFont().family());
    // The texts take the palette's text colour, so that dark themes stay readable.
    EXPECT_FALSE(title.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(text.hasProperty(QTextFormat::ForegroundBrush));
}

TEST(OptionTreeInfoTest, NoItemSelectedTexts) {
    COptionTreeInfo pane(nullptr);
    pane.showDescription(QStringLiteral("No Item Selected"),
                         QStringLiteral("Select an item to see its description."));
    EXPECT_EQ(pane.toPlainText(),
              QStringLiteral("No Item Selected\n\nSelect an item to see its description."));
    pane.showDescription(QString(), QString());
    EXPECT_EQ(pane.toPlainText(), QString());
}

TEST(OptionTreeInfoTest, AnRtfDescriptionIsShownFormattedWithoutABoldTitle) {
    COptionTreeInfo pane(nullptr);
    pane.showDescription(QStringLiteral("format"), formatDescription());
    EXPECT_TRUE(pane.showsRichText());
    EXPECT_TRUE(pane.richTextError().isEmpty()) << pane.richTextError().toStdString();
    const QString shown = pane.toPlainText();
    EXPECT_FALSE(shown.startsWith(QStringLiteral("format")));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Sets the format of the text. Codes starting")));
    EXPECT_FALSE(shown.contains(QStringLiteral("\\rtf")));
    EXPECT_FALSE(shown.contains(QStringLiteral("fonttbl")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("%H:%M:%S shows 12:41:29.")));

    const QTextDocument& document = *pane.document();
    EXPECT_GE(formatOf(document, QStringLiteral("Sets the format")).fontWeight(), QFont::Bold);
    EXPECT_LT(formatOf(document, QStringLiteral("Codes starting")).fontWeight(), QFont::Bold);
    EXPECT_GE(formatOf(document, QStringLiteral("%Y")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatOf(document, QStringLiteral("weekday")).fontPointSize(), 8.0);
    // More than fits into the pane's 100 pixels: the scroll bar is there for it.
    pane.resize(360, 100);
    pane.show();
    QApplication::processEvents();
    EXPECT_GT(pane.verticalScrollBar()->maximum(), 0);
    // Shown from its start.
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
    EXPECT_EQ(pane.cursorForPosition(QPoint(20, 8)).block().text().left(15),
              QStringLiteral("Sets the format"));

    // The next text is shown from its start too, even after scrolling down.
    pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->maximum());
    pane.showDescription(QStringLiteral("format"), formatDescription() + QStringLiteral(" "));
    QApplication::processEvents();
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
}

TEST(OptionTreeInfoTest, UnchangedTextsLeaveThePaneAsItIs) {
    COptionTreeInfo pane(nullptr);
    pane.resize(360, 100);
    pane.show();
    pane.showDescription(QStringLiteral("format"), formatDescription());
    QApplication::processEvents();
    pane.verticalScrollBar()->setValue(40);
    const int revision = pane.document()->revision();
    pane.showDescription(QStringLiteral("format"), formatDescription());
    EXPECT_EQ(pane.document()->revision(), revision);
    EXPECT_EQ(pane.verticalScrollBar()->value(), 40);
}

TEST(OptionTreeInfoTest, APlainTextAfterRichTextIsShownAgain) {
    // The rich text counts as shown too, so going back to the row shown before the rich one
    // does not leave the rich text standing.
    COptionTreeInfo pane(nullptr);
    pane.showDescription(QStringLiteral("opacity"), QStringLiteral("Sets the opacity."));
    pane.showDescription(QStringLiteral("format"), formatDescription());
    pane.showDescription(QStringLiteral("opacity"), QStringLiteral("Sets the opacity."));
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("opacity\n\nSets the opacity."));
    EXPECT_FALSE(pane.showsRichText());
}

TEST(OptionTreeInfoTest, MalformedRichTextShowsWhatConvertedAndSaysWhy) {
    COptionTreeInfo pane(nullptr);
    pane.showDescription(QStringLiteral("bad"),
                         QStringLiteral("{\\rtf1 good {\\b part}") + QString(100000, u'{'));
    EXPECT_TRUE(pane.showsRichText());
    EXPECT_FALSE(pane.richTextError().isEmpty());
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("good part"));
}

TEST(OptionTreeInfoTest, BackgroundIsTheButtonFaceAndTextThePalettesTextColour) {
    for (const bool dark : {false, true}) {
        COptionTreeInfo pane(nullptr);
        QPalette palette = pane.palette();
        if (dark) {
            palette.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
            palette.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
            palette.setColor(QPalette::Base, QColor(0x19, 0x19, 0x19));
            palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
            palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
            palette.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        } else {
            palette.setColor(QPalette::Button, QColor(0xef, 0xeb, 0xe7));
            palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xff));
            palette.setColor(QPalette::Text, QColor(0, 0, 0));
        }
        pane.setPalette(palette);
        pane.resize(360, 100);
        pane.showDescription(QStringLiteral("format"), formatDescription());
        const QImage image = shot(pane);
        const qreal ratio = pane.devicePixelRatioF();
        ASSERT_EQ(image.width(), qRound(360 * ratio));

        const QColor button = palette.color(QPalette::Button);
        const QColor text = palette.color(QPalette::Text);
        // Inside the frame, away from the text and the scroll bar: button face.
        const QRect viewport = pane.viewport()->geometry();
        const QPoint corner((viewport.right() - 4) * ratio, (viewport.bottom() - 2) * ratio);
        const QColor background = image.pixelColor(corner);
        EXPECT_EQ(background.rgb(), button.rgb()) << "dark " << dark;
        // The first line is drawn in the text colour: some pixels near it, none far off.
        const QRect firstLine(int(viewport.left() * ratio), int((viewport.top() + 2) * ratio),
                              int(120 * ratio), int(10 * ratio));
        int nearText = 0;
        for (int y = firstLine.top(); y <= firstLine.bottom(); ++y) {
            for (int x = firstLine.left(); x <= firstLine.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.red() - text.red()) < 40 &&
                    std::abs(pixel.green() - text.green()) < 40 &&
                    std::abs(pixel.blue() - text.blue()) < 40) {
                    ++nearText;
                }
            }
        }
        EXPECT_GT(nearText, 20) << "dark " << dark;
        EXPECT_GT(shareUnlike(image, firstLine, button), 0.05) << "dark " << dark;

        const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            image.save(QStringLiteral("%1/info_pane_%2_x%3.png")
                           .arg(folder, dark ? QStringLiteral("dark") : QStringLiteral("light"))
                           .arg(ratio));
        }
    }
}

TEST(OptionTreeInfoTest, LaysOutTheSameInLogicalPixelsAtAnyScale) {
    // Run a second time by ctest under QT_SCALE_FACTOR=2 (tests named Dpr2.*).
    COptionTreeInfo pane(nullptr);
    pane.resize(360, 100);
    pane.showDescription(QStringLiteral("format"), formatDescription());
    const QImage image = shot(pane);
    const qreal ratio = pane.devicePixelRatioF();
    EXPECT_EQ(image.height(), qRound(100 * ratio));
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    if (!factor.isEmpty()) {
        EXPECT_DOUBLE_EQ(ratio, factor.toDouble());
    }
    // 8.5 points at 96 dpi are about 11 pixels: the scroll range in logical pixels is the
    // same at any scale, a page of 100 pixels showing some of the 27 paragraphs.
    const int lines = pane.document()->blockCount();
    EXPECT_EQ(lines, 27);
    const double documentHeight = pane.document()->size().height();
    EXPECT_GT(documentHeight, lines * 10.0);
    EXPECT_LT(documentHeight, lines * 20.0);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
