// The element toolbar: images from the artwork strips at both densities, captions in the
// desktop's font, and a button style that always fits the room the toolbar has.
#include "app/editor/true_color_tool_bar.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QSignalSpy>
#include <QToolButton>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The customize dialog's buttons, in its order, with the words they show.
constexpr ToolBarButton kButtons[] = {
    {40049, "Copy the selected element", "Copy"},
    {0, nullptr},
    {40046, "New hand", "New hand"},
    {40047, "New time slice", "New slice"},
    {40048, "New digital display", "New text"},
    {0, nullptr},
    {40045, "Delete the selected element", "Delete"},
    {0, nullptr},
    {40043, "Move the selected element down (drawn later)", "Move down"},
    {40044, "Move the selected element up (drawn earlier)", "Move up"},
};

const QString kIcons = QStringLiteral(":/toolbar/element_icons.png");

std::vector<QAction*> buttonActions(const CTrueColorToolBar& bar) {
    std::vector<QAction*> buttons;
    for (QAction* action : bar.actions()) {
        if (!action->isSeparator()) {
            buttons.push_back(action);
        }
    }
    return buttons;
}

QSize neededFor(CTrueColorToolBar& bar, Qt::ToolButtonStyle style) {
    const Qt::ToolButtonStyle before = bar.toolButtonStyle();
    bar.setToolButtonStyle(style);
    const QSize needed = bar.layout()->sizeHint();
    bar.setToolButtonStyle(before);
    return needed;
}

TEST(TrueColorToolBar, ImagesComeFromTheArtworkAtBothDensities) {
    CTrueColorToolBar bar;
    bar.setButtons(kButtons);
    ASSERT_TRUE(bar.loadButtonImages(16, kIcons));
    EXPECT_EQ(bar.iconSize(), QSize(16, 16));
    const QImage dense(QStringLiteral(":/toolbar/element_icons@2x.png"));
    ASSERT_EQ(dense.size(), QSize(7 * 32, 32));
    std::vector<QImage> seen;
    for (QAction* action : buttonActions(bar)) {
        const QPixmap one = action->icon().pixmap(QSize(16, 16), 1.0);
        const QPixmap two = action->icon().pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(one.size(), QSize(16, 16));
        // At double density the button shows the 2x artwork itself, not the 1x image scaled.
        const QImage expected = dense.copy(static_cast<int>(seen.size()) * 32, 0, 32, 32);
        EXPECT_EQ(two.toImage().convertToFormat(QImage::Format_ARGB32),
                  expected.convertToFormat(QImage::Format_ARGB32));
        for (const QImage& other : seen) {
            EXPECT_NE(one.toImage(), other) << "two buttons look alike";
        }
        seen.push_back(one.toImage());
    }
    EXPECT_EQ(seen.size(), 7u);

    CTrueColorToolBar broken;
    broken.setButtons(kButtons);
    EXPECT_FALSE(broken.loadButtonImages(16, QStringLiteral(":/toolbar/missing.png")));
    EXPECT_FALSE(broken.loadButtonImages(20, kIcons)) << "too few images";
}

TEST(TrueColorToolBar, ButtonsShowTheirCaptionsAndSendTheirIds) {
    CTrueColorToolBar bar;
    bar.setButtons(kButtons);
    std::vector<int> ids;
    for (QAction* action : bar.actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    }
    EXPECT_EQ(ids, (std::vector<int>{40049, 0, 40046, 40047, 40048, 0, 40045, 0, 40043, 40044}));
    QAction* down = bar.action(40043);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->text(), "Move down");
    EXPECT_EQ(down->toolTip(), "Move the selected element down (drawn later)");
    QSignalSpy sent(&bar, &CTrueColorToolBar::commandTriggered);
    down->trigger();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent.front().front().toInt(), 40043);
    EXPECT_EQ(bar.action(0), nullptr);
}

// Beside the images where the toolbar is wide enough, under them where it is tall enough,
// else images alone: no button is ever pushed behind the extension arrow.
TEST(TrueColorToolBar, StyleFitsTheRoomGiven) {
    // Placed in a dialog as the customize dialog places it, by its geometry.
    QWidget dialog;
    dialog.resize(1200, 200);
    auto* bar = new CTrueColorToolBar(&dialog);
    bar->setButtons(kButtons);
    ASSERT_TRUE(bar->loadButtonImages(16, kIcons));
    dialog.show();
    const QSize beside = neededFor(*bar, Qt::ToolButtonTextBesideIcon);
    const QSize under = neededFor(*bar, Qt::ToolButtonTextUnderIcon);
    const QSize bare = neededFor(*bar, Qt::ToolButtonIconOnly);
    ASSERT_LT(under.width(), beside.width());
    ASSERT_GT(under.height(), beside.height());

    struct Room {
        QSize size;
        Qt::ToolButtonStyle style;
    };
    const Room rooms[] = {
        {beside, Qt::ToolButtonTextBesideIcon},
        {QSize(beside.width() - 1, under.height()), Qt::ToolButtonTextUnderIcon},
        {QSize(beside.width() - 1, under.height() - 1), Qt::ToolButtonIconOnly},
        {QSize(bare.width(), beside.height()), Qt::ToolButtonIconOnly},
        {QSize(beside.width() + 200, beside.height() + 40), Qt::ToolButtonTextBesideIcon},
    };
    for (const Room& room : rooms) {
        bar->resize(room.size);
        QApplication::processEvents();
        EXPECT_EQ(bar->toolButtonStyle(), room.style)
            << room.size.width() << "x" << room.size.height();
        for (QAction* action : buttonActions(*bar)) {
            EXPECT_TRUE(bar->widgetForAction(action)->isVisible()) << action->text().toStdString();
        }
    }
    // The words are in the desktop's font, the size the user reads everywhere else.
    const auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(bar->action(40046)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->font().pointSizeF(), QApplication::font().pointSizeF());

    // Without captions the buttons show their images alone, however much room there is.
    CTrueColorToolBar plain;
    plain.setButtons(std::vector<ToolBarButton>{{1, "one"}, {2, "two"}});
    plain.resize(800, 100);
    plain.show();
    QApplication::processEvents();
    EXPECT_EQ(plain.toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(plain.action(2)->text(), "two");
}

} // namespace
