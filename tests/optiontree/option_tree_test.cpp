// COptionTree: divider, hit tests, scrolling, focus keys, notifications and vetoes.
#include "optiontree/option_tree.h"
#include "optiontree/option_tree_geometry.h"
#include "optiontree/option_tree_info.h"
#include "optiontree/option_tree_list.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Records every notification; answers the codes listed in vetoes with 1.
class Receiver : public OptionTreeReceiver {
public:
    struct Note {
        int code;
        COptionTreeItem* item;
    };
    long treeNotify(COptionTree&, int code, COptionTreeItem* item) override {
        notes.push_back({code, item});
        return std::find(vetoes.begin(), vetoes.end(), code) != vetoes.end() ? 1 : 0;
    }
    int count(int code) const {
        return static_cast<int>(std::count_if(notes.begin(), notes.end(),
                                              [code](const Note& n) { return n.code == code; }));
    }
    const Note* last(int code) const {
        for (auto it = notes.rbegin(); it != notes.rend(); ++it) {
            if (it->code == code) {
                return &*it;
            }
        }
        return nullptr;
    }
    void rowDropped(COptionTree&, COptionTreeItem* row, COptionTreeItem* before) override {
        drops.push_back({row, before});
    }
    void rowMenuRequested(COptionTree&, COptionTreeItem* row, const QPoint&) override {
        menus.push_back(row);
    }
    std::vector<Note> notes;
    std::vector<int> vetoes;
    std::vector<std::pair<COptionTreeItem*, COptionTreeItem*>> drops;
    std::vector<COptionTreeItem*> menus;
};

// A row with an editor that only counts what the tree asks of it.
class CountingRow : public COptionTreeItem {
public:
    void showEditor() override { ++shown; }
    void commitEditor() override { ++committed; }
    void repositionEditor() override { ++repositioned; }
    int shown = 0;
    int committed = 0;
    int repositioned = 0;
};

using namespace OptionTreeNotify;

class OptionTreeTest : public testing::Test {
protected:
    void SetUp() override {
        tree_.resize(300, 400);
        tree_.show();
        tree_.setNotify(true, &receiver_);
    }

    COptionTreeItem* group(const char* label, COptionTreeItem* parent = nullptr) {
        auto* row = tree_.insertItem(std::make_unique<COptionTreeItem>(), parent);
        row->setLabelText(QString::fromUtf8(label));
        return row;
    }
    CountingRow* leaf(const char* label, COptionTreeItem* parent) {
        auto* row =
            static_cast<CountingRow*>(tree_.insertItem(std::make_unique<CountingRow>(), parent));
        row->setLabelText(QString::fromUtf8(label));
        return row;
    }
    // body { a, element { b, c } }, everything expanded.
    void buildSmallTree() {
        body_ = group("clock body");
        a_ = leaf("a", body_);
        element_ = group("hand", body_);
        b_ = leaf("b", element_);
        c_ = leaf("c", element_);
        body_->setExpanded(true);
        element_->setExpanded(true);
        tree_.updateScrollRange();
        tree_.layoutRows();
    }
    QWidget* viewport() { return tree_.list()->viewport(); }
    QPoint rowPoint(const COptionTreeItem* row, int x) {
        return QPoint(x, row->location().y() + row->height() / 2);
    }
    void press(const QPoint& point) { QTest::mouseClick(viewport(), Qt::LeftButton, {}, point); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(tree_.list(), k, modifiers);
    }

    Receiver receiver_;
    COptionTree tree_{OptionTreeOption::kShowInfo | OptionTreeOption::kShadeMargin |
                      OptionTreeOption::kShadeRootItems};
    COptionTreeItem* body_ = nullptr;
    CountingRow* a_ = nullptr;
    COptionTreeItem* element_ = nullptr;
    CountingRow* b_ = nullptr;
    CountingRow* c_ = nullptr;
};

TEST_F(OptionTreeTest, ColumnIsClampedToTheMarginAndTheListWidth) {
    const int width = viewport()->width();
    ASSERT_EQ(width, 300);
    struct Row {
        int asked;
        int expected;
    } rows[] = {{-5, 16},
                {0, 16},
                {15, 16},
                {16, 16},
                {160, 160},
                {width - 17, width - 17},
                {width - 16, width - 16},
                {5000, width - 16}};
    for (const Row& row : rows) {
        tree_.setColumnPosition(row.asked);
        EXPECT_EQ(tree_.columnPosition(), row.expected) << "asked " << row.asked;
    }
    EXPECT_EQ(OptionTreeGeometry::releasedColumn(40, width), 41);
    EXPECT_EQ(OptionTreeGeometry::releasedColumn(-100, width), 41);
    EXPECT_EQ(OptionTreeGeometry::releasedColumn(41, width), 41);
    EXPECT_EQ(OptionTreeGeometry::releasedColumn(290, width), width - 25);
}

TEST_F(OptionTreeTest, DraggingTheDividerMovesTheColumnWithinItsLimits) {
    buildSmallTree();
    tree_.setColumnPosition(150);
    auto drag = [&](int toX) {
        QPoint from = rowPoint(a_, tree_.columnPosition() + 2);
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        EXPECT_TRUE(tree_.list()->isDragging());
        QMouseEvent move(QEvent::MouseMove, QPointF(toX, from.y()), QPointF(toX, from.y()),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
        EXPECT_EQ(tree_.list()->dragX(), toX);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(toX, from.y()));
        EXPECT_FALSE(tree_.list()->isDragging());
    };
    drag(30);
    EXPECT_EQ(tree_.columnPosition(), 41);
    drag(200);
    EXPECT_EQ(tree_.columnPosition(), 200);
    drag(299);
    EXPECT_EQ(tree_.columnPosition(), 300 - 25);
    EXPECT_EQ(receiver_.count(kColumnClick), 3);

    receiver_.vetoes = {kColumnClick};
    QTest::mousePress(viewport(), Qt::LeftButton, {}, rowPoint(a_, tree_.columnPosition()));
    EXPECT_FALSE(tree_.list()->isDragging());
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, rowPoint(a_, 60));
    EXPECT_EQ(tree_.columnPosition(), 300 - 25);
}

TEST_F(OptionTreeTest, DoubleClickOnTheDividerFitsTheWidestLabel) {
    buildSmallTree();
    c_->setLabelText(QStringLiteral("a rather long label here"));
    tree_.setColumnPosition(250);
    tree_.layoutRows();
    const int widest = tree_.widestLabelRight();
    QFontMetrics metrics(tree_.boldFont());
    EXPECT_GE(widest, 16 + 5 + metrics.horizontalAdvance(QStringLiteral("clock body")));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowPoint(a_, 250));
    EXPECT_EQ(tree_.columnPosition(), std::min(widest + 5, 300 - 25));
}

TEST_F(OptionTreeTest, GroupLabelsLongerThanTheColumnRunPastTheDivider) {
    buildSmallTree();
    const QString text = QStringLiteral("a label longer than the label column");
    element_->setLabelText(text);
    a_->setLabelText(text);
    tree_.setColumnPosition(60);
    tree_.layoutRows();
    const int full = QFontMetrics(tree_.normalFont()).horizontalAdvance(text);
    ASSERT_LT(16 + 5 + full, 300);
    EXPECT_EQ(element_->labelTextRect().width(), full);
    EXPECT_GT(element_->labelTextRect().right(), 60);
    // A leaf's label is shortened to end before the divider.
    EXPECT_LT(a_->labelTextRect().width(), full);
    EXPECT_LE(a_->labelTextRect().right() + 1, 60);
    EXPECT_EQ(tree_.widestLabelRight(), element_->labelTextRect().right() + 1);
}

TEST_F(OptionTreeTest, HitTestNamesEachZoneOfARow) {
    buildSmallTree();
    tree_.setColumnPosition(150);
    tree_.layoutRows();
    EXPECT_EQ(tree_.hitTest(rowPoint(a_, 60)), OptionTreeHit::kLabel);
    EXPECT_EQ(tree_.hitTest(rowPoint(a_, 145)), OptionTreeHit::kColumn);
    EXPECT_EQ(tree_.hitTest(rowPoint(a_, 155)), OptionTreeHit::kColumn);
    EXPECT_EQ(tree_.hitTest(rowPoint(a_, 156)), OptionTreeHit::kAttribute);
    EXPECT_EQ(tree_.hitTest(rowPoint(a_, 144)), OptionTreeHit::kLabel);
    // The divider belongs to rows below the top level only.
    EXPECT_EQ(tree_.hitTest(rowPoint(body_, 150)), OptionTreeHit::kLabel);
    EXPECT_EQ(tree_.hitTest(rowPoint(body_, 155)), OptionTreeHit::kLabel);
    EXPECT_EQ(tree_.hitTest(rowPoint(body_, 156)), OptionTreeHit::kAttribute);
    EXPECT_EQ(tree_.hitTest(QPoint(8, element_->location().y() + 9)), OptionTreeHit::kExpand);
    EXPECT_EQ(tree_.hitTest(QPoint(8, a_->location().y() + 9)), OptionTreeHit::kLabel);
    EXPECT_EQ(tree_.hitTest(QPoint(60, 5 * 21 + 3)), OptionTreeHit::kClient);
    EXPECT_EQ(tree_.itemAt(QPoint(60, 5 * 21 + 3)), nullptr);
    EXPECT_EQ(tree_.itemAt(rowPoint(c_, 60)), c_);
}

TEST_F(OptionTreeTest, RowsLayOutOneBelowTheOtherWithTheirIndents) {
    buildSmallTree();
    tree_.setColumnPosition(150);
    tree_.layoutRows();
    std::vector<COptionTreeItem*> chain;
    for (COptionTreeItem* row = tree_.firstVisible(); row != nullptr; row = row->nextVisible()) {
        chain.push_back(row);
    }
    ASSERT_EQ(chain, (std::vector<COptionTreeItem*>{body_, a_, element_, b_, c_}));
    EXPECT_EQ(body_->location(), QPoint(0, 0));
    EXPECT_EQ(a_->location(), QPoint(0, 21));
    EXPECT_EQ(element_->location(), QPoint(0, 42));
    // Rows two levels down are indented by the margin.
    EXPECT_EQ(b_->location(), QPoint(16, 63));
    EXPECT_EQ(a_->valueRect(), QRect(155, 21, 300 - 155, 20));
    EXPECT_EQ(element_->plusMinusRect(), QRect(4, 47, 9, 9));
    EXPECT_TRUE(a_->plusMinusRect().isEmpty());
}

TEST_F(OptionTreeTest, ScrollRangeFollowsExpansionAndTheOffsetReturnsWhenAllFits) {
    body_ = group("clock body");
    std::vector<COptionTreeItem*> elements;
    for (int i = 0; i < 20; ++i) {
        COptionTreeItem* element = group("hand", body_);
        for (int j = 0; j < 4; ++j) {
            leaf("value", element);
        }
        element->setExpanded(true);
        elements.push_back(element);
    }
    EXPECT_EQ(tree_.contentHeight(), 21);
    body_->setExpanded(true);
    EXPECT_EQ(tree_.contentHeight(), 21 + 20 * 5 * 21);
    elements[3]->setExpanded(false);
    EXPECT_EQ(tree_.contentHeight(), 21 + 19 * 5 * 21 + 21);
    elements[3]->firstChild()->setHeight(40);
    elements[3]->setExpanded(true);
    EXPECT_EQ(tree_.contentHeight(), 21 + 20 * 5 * 21 + 19);

    tree_.updateScrollRange();
    const int page = tree_.list()->pageHeight();
    EXPECT_EQ(tree_.list()->verticalScrollBar()->maximum(), tree_.contentHeight() - page);
    tree_.setScrollOffset(100000);
    EXPECT_EQ(tree_.scrollOffset(), tree_.contentHeight() - page);
    tree_.setScrollOffset(-5);
    EXPECT_EQ(tree_.scrollOffset(), 0);
    tree_.setScrollOffset(500);
    EXPECT_EQ(tree_.scrollOffset(), 500);
    tree_.layoutRows();
    EXPECT_EQ(body_->location().y(), -500);

    // The wheel scrolls by lines; one notch is the system's number of lines.
    QWheelEvent wheel(QPointF(50, 50), viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_EQ(tree_.scrollOffset(), 500 + std::max(1, QApplication::wheelScrollLines()) * 21);

    body_->setExpanded(false);
    tree_.updateScrollRange();
    EXPECT_EQ(tree_.scrollOffset(), 0);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_EQ(tree_.scrollOffset(), 0);
}

TEST_F(OptionTreeTest, KeysMoveTheFocusAlongTheVisibleRows) {
    buildSmallTree();
    tree_.list()->setFocus();
    key(Qt::Key_Down);
    EXPECT_EQ(tree_.focusedItem(), body_);
    EXPECT_TRUE(body_->isMarked());
    key(Qt::Key_Down);
    EXPECT_EQ(tree_.focusedItem(), a_);
    EXPECT_FALSE(body_->isMarked());
    EXPECT_TRUE(a_->isMarked());
    key(Qt::Key_End);
    EXPECT_EQ(tree_.focusedItem(), c_);
    const int changes = receiver_.count(kSelectionChanged);
    key(Qt::Key_Down);
    EXPECT_EQ(tree_.focusedItem(), c_);
    EXPECT_EQ(receiver_.count(kSelectionChanged), changes);
    key(Qt::Key_Up);
    EXPECT_EQ(tree_.focusedItem(), b_);
    key(Qt::Key_Home);
    EXPECT_EQ(tree_.focusedItem(), body_);
    key(Qt::Key_Up);
    EXPECT_EQ(tree_.focusedItem(), body_);

    // Left collapses an expanded group, then moves up; Right expands, then moves down.
    tree_.setFocusedItem(element_);
    key(Qt::Key_Left);
    EXPECT_FALSE(element_->isExpanded());
    EXPECT_EQ(tree_.focusedItem(), element_);
    key(Qt::Key_Left);
    EXPECT_EQ(tree_.focusedItem(), a_);
    tree_.setFocusedItem(element_);
    key(Qt::Key_Right);
    EXPECT_TRUE(element_->isExpanded());
    key(Qt::Key_Right);
    EXPECT_EQ(tree_.focusedItem(), b_);
    EXPECT_EQ(receiver_.last(kSelectionChanged)->item, b_);
}

TEST_F(OptionTreeTest, TabAndEnterOpenEditorsWithoutAskingTheReceiver) {
    buildSmallTree();
    tree_.list()->setFocus();
    receiver_.vetoes = {kPropertyClick};
    tree_.setFocusedItem(a_);
    key(Qt::Key_Return);
    EXPECT_EQ(a_->shown, 1);
    EXPECT_TRUE(a_->isActivated());
    key(Qt::Key_Tab);
    // Tab from a leaf moves to the next row and opens it, even when it is a group: groups
    // have no editor.
    EXPECT_EQ(tree_.focusedItem(), element_);
    key(Qt::Key_Tab);
    EXPECT_EQ(tree_.focusedItem(), b_);
    EXPECT_EQ(b_->shown, 1);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(tree_.focusedItem(), element_);
    // A top-level row neither moves on Tab nor opens.
    tree_.setFocusedItem(body_);
    key(Qt::Key_Tab);
    EXPECT_EQ(tree_.focusedItem(), body_);
    EXPECT_EQ(receiver_.count(kPropertyClick), 0);

    // Read-only rows never open.
    c_->setReadOnly(true);
    tree_.setFocusedItem(c_);
    key(Qt::Key_Return);
    EXPECT_EQ(c_->shown, 0);
}

// Tab leaves the list where it would stay put among the rows (on the top-level row, past the
// last row), and Ctrl+Tab from any row: the keyboard is never caught in the list.
TEST_F(OptionTreeTest, TabLeavesTheListWhereNoRowLiesThatWay) {
    buildSmallTree();
    QApplication::setActiveWindow(&tree_);
    const auto tabFrom = [this](COptionTreeItem* row, Qt::KeyboardModifiers modifiers) {
        tree_.list()->setFocus();
        tree_.setFocusedItem(row);
        key(Qt::Key_Tab, modifiers);
        return QApplication::focusWidget() != tree_.list();
    };
    ASSERT_TRUE(tree_.info()->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(tabFrom(body_, {}));
    EXPECT_EQ(tree_.focusedItem(), body_);
    EXPECT_FALSE(tabFrom(a_, {}));
    EXPECT_TRUE(tabFrom(a_, Qt::ControlModifier));
    EXPECT_EQ(tree_.focusedItem(), a_);
    tree_.focusLast();
    COptionTreeItem* last = tree_.focusedItem();
    EXPECT_TRUE(tabFrom(last, {}));
    EXPECT_EQ(tree_.focusedItem(), last);
    EXPECT_FALSE(last->isActivated());
}

TEST_F(OptionTreeTest, MouseClicksOpenEditorsUnlessTheReceiverVetoes) {
    buildSmallTree();
    tree_.setColumnPosition(150);
    tree_.layoutRows();
    press(rowPoint(a_, 60));
    EXPECT_EQ(tree_.focusedItem(), a_);
    EXPECT_EQ(a_->shown, 0);
    EXPECT_EQ(receiver_.last(kSelectionChanged)->item, a_);

    press(rowPoint(b_, 200));
    EXPECT_EQ(b_->shown, 1);
    EXPECT_EQ(receiver_.last(kPropertyClick)->item, b_);
    EXPECT_EQ(tree_.focusedItem(), b_);

    receiver_.vetoes = {kPropertyClick};
    press(rowPoint(c_, 200));
    EXPECT_EQ(c_->shown, 0);
    EXPECT_EQ(tree_.focusedItem(), c_);
    EXPECT_TRUE(c_->isMarked());
    EXPECT_FALSE(b_->isMarked());

    // A click on no row clears the marks and the focus.
    press(QPoint(60, 390));
    EXPECT_EQ(tree_.focusedItem(), nullptr);
    EXPECT_FALSE(c_->isMarked());
    EXPECT_EQ(receiver_.notes.back().code, kSelectionChanged);
    EXPECT_EQ(receiver_.notes.back().item, nullptr);
}

TEST_F(OptionTreeTest, CollapsingTheParentOfTheFocusedRowClearsTheFocus) {
    buildSmallTree();
    tree_.setFocusedItem(b_);
    b_->setMarked(true);
    press(QPoint(8, element_->location().y() + 9));
    EXPECT_FALSE(element_->isExpanded());
    EXPECT_EQ(tree_.focusedItem(), nullptr);
    EXPECT_FALSE(b_->isMarked());
    ASSERT_FALSE(receiver_.notes.empty());
    EXPECT_EQ(receiver_.notes.back().code, kSelectionChanged);
    EXPECT_EQ(receiver_.notes.back().item, nullptr);
    EXPECT_EQ(receiver_.last(kItemExpanding)->item, element_);

    // Vetoed, the box changes nothing.
    receiver_.vetoes = {kItemExpanding};
    press(QPoint(8, element_->location().y() + 9));
    EXPECT_FALSE(element_->isExpanded());
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowPoint(element_, 60));
    EXPECT_FALSE(element_->isExpanded());
    receiver_.vetoes.clear();
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowPoint(element_, 60));
    EXPECT_TRUE(element_->isExpanded());
    EXPECT_EQ(tree_.focusedItem(), element_);
}

TEST_F(OptionTreeTest, NotificationsReachOnlyAnEnabledReceiver) {
    body_ = group("clock body");
    EXPECT_EQ(receiver_.count(kInsertItem), 1);
    EXPECT_EQ(receiver_.notes.back().item, body_);
    tree_.setNotify(false, &receiver_);
    group("x", body_);
    EXPECT_EQ(receiver_.count(kInsertItem), 1);
    EXPECT_EQ(tree_.notify(kColumnClick, nullptr), 0);
    tree_.setNotify(true, nullptr);
    EXPECT_EQ(tree_.notify(kColumnClick, nullptr), 0);
    tree_.setNotify(true, &receiver_);
    receiver_.vetoes = {-2, kColumnClick};
    EXPECT_EQ(tree_.notify(-2, nullptr), 0);
    EXPECT_EQ(tree_.notify(kColumnClick, nullptr), 1);
    receiver_.notes.clear();
    tree_.deleteAllItems();
    // Children go first, each told before it goes.
    ASSERT_EQ(receiver_.count(kDeleteItem), 2);
    EXPECT_EQ(receiver_.notes.front().item, body_);
    EXPECT_EQ(tree_.rootItem()->firstChild(), nullptr);
}

TEST_F(OptionTreeTest, ACommitIsReportedOncePerActivation) {
    buildSmallTree();
    a_->commit();
    a_->commit();
    EXPECT_EQ(receiver_.count(kItemChanged), 1);
    EXPECT_EQ(a_->committed, 1);
    a_->activate();
    EXPECT_TRUE(a_->isActivated());
    a_->commit();
    EXPECT_FALSE(a_->isActivated());
    a_->commit();
    EXPECT_EQ(receiver_.count(kItemChanged), 2);
    EXPECT_EQ(receiver_.last(kItemChanged)->item, a_);
}

// A receiver that rebuilds the tree from inside a notification, as the customize dialog does.
class RebuildingReceiver : public OptionTreeReceiver {
public:
    long treeNotify(COptionTree& tree, int code, COptionTreeItem*) override {
        if (code == kItemChanged || code == kSelectionChanged) {
            tree.deleteAllItems();
            tree.insertItem(std::make_unique<COptionTreeItem>());
        }
        return 0;
    }
};

TEST_F(OptionTreeTest, RowsSurviveAReceiverThatRebuildsTheTree) {
    buildSmallTree();
    RebuildingReceiver rebuilding;
    tree_.setNotify(true, &rebuilding);
    tree_.setColumnPosition(150);
    tree_.layoutRows();
    press(rowPoint(b_, 200));
    ASSERT_NE(tree_.rootItem()->firstChild(), nullptr);
    EXPECT_EQ(tree_.rootItem()->firstChild()->nextSibling(), nullptr);
    auto* row = tree_.insertItem(std::make_unique<CountingRow>());
    row->activate();
    row->commit();
    EXPECT_EQ(tree_.rootItem()->firstChild()->nextSibling(), nullptr);
}

TEST_F(OptionTreeTest, ALongLabelEndsInDotsInsideTheColumn) {
    buildSmallTree();
    tree_.setColumnPosition(80);
    a_->setLabelText(QStringLiteral("a label much too long for the label column"));
    tree_.layoutRows();
    const QRect text = a_->labelTextRect();
    EXPECT_LE(text.right() + 1, 80);
    EXPECT_EQ(text.left(), 16 + 5);
    QImage image(300, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    tree_.list()->paintList(painter);
    painter.end();
    // Nothing of the label is painted right of the divider.
    const QColor value = a_->valueBackground(tree_.palette());
    for (int x = 81; x < 150; ++x) {
        for (int y = text.top(); y <= text.bottom(); ++y) {
            ASSERT_EQ(image.pixelColor(x, y), value) << x << "," << y;
        }
    }
}

TEST_F(OptionTreeTest, InfoPaneDescribesTheFocusedRow) {
    COptionTree tree(OptionTreeOption::kShowInfo | OptionTreeOption::kDefaultInfoText);
    tree.resize(300, 400);
    tree.show();
    tree.updateInfo();
    EXPECT_EQ(tree.info()->lastTitle(), QStringLiteral("No Item Selected"));
    EXPECT_EQ(tree.info()->lastText(), QStringLiteral("Select an item to see its description."));
    auto* row = tree.insertItem(std::make_unique<COptionTreeItem>());
    row->setLabel(u"thickness (%)");
    row->setInfo(u"Sets the line's thickness.");
    tree.setFocusedItem(row);
    EXPECT_EQ(tree.info()->lastTitle(), QStringLiteral("thickness (%)"));
    EXPECT_EQ(tree.info()->lastText(), QStringLiteral("Sets the line's thickness."));
    EXPECT_EQ(tree.list()->geometry(), QRect(0, 0, 300, 300));
    EXPECT_EQ(tree.info()->geometry(), QRect(0, 300, 300, 100));
    // A short tree, as on a small screen, keeps most of its height for the rows.
    tree.resize(300, 150);
    EXPECT_EQ(tree.list()->geometry(), QRect(0, 0, 300, 90));
    EXPECT_EQ(tree.info()->geometry(), QRect(0, 90, 300, 60));
}

// Movable rows (an element's group) are dragged by their labels among their movable
// siblings; the receiver is told where each landed.
TEST_F(OptionTreeTest, MovableRowsAreDraggedBetweenTheirSiblings) {
    COptionTreeItem* body = group("clock body");
    CountingRow* property = leaf("x", body);
    COptionTreeItem* first = group("first", body);
    COptionTreeItem* second = group("second", body);
    COptionTreeItem* third = group("third", body);
    body->setExpanded(true);
    for (COptionTreeItem* row : {first, second, third}) {
        row->setMovable(true);
    }
    tree_.updateScrollRange();
    tree_.layoutRows();
    auto drag = [this](const COptionTreeItem* row, QPoint to) {
        const QPoint from = rowPoint(row, 60);
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        // Qt's test moves carry no buttons; the list reads them from the event.
        for (const QPoint& at : {from + QPoint(0, 4), to}) {
            QMouseEvent move(QEvent::MouseMove, at, viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport(), &move);
        }
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    };
    // Into the upper half of the first: before it.
    drag(third, rowPoint(first, 60) - QPoint(0, 5));
    ASSERT_EQ(receiver_.drops.size(), 1u);
    EXPECT_EQ(receiver_.drops[0], std::make_pair(third, first));
    // Below the last: after every one.
    drag(first, rowPoint(third, 60) + QPoint(0, 8));
    ASSERT_EQ(receiver_.drops.size(), 2u);
    EXPECT_EQ(receiver_.drops[1], std::make_pair(first, static_cast<COptionTreeItem*>(nullptr)));
    // A row that is not movable is not dragged, nor is a short twitch a drag.
    drag(property, rowPoint(third, 60));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowPoint(second, 60));
    EXPECT_EQ(receiver_.drops.size(), 2u);
    // The menu key and the right button ask for the row's menu.
    tree_.setFocusedItem(second);
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            tree_.list()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tree_.list(), &byKey);
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, rowPoint(third, 60),
                              viewport()->mapToGlobal(rowPoint(third, 60)));
    QApplication::sendEvent(viewport(), &byMouse);
    EXPECT_EQ(receiver_.menus, (std::vector<COptionTreeItem*>{second, third}));
}

TEST_F(OptionTreeTest, ForeignParentsAreRefused) {
    CountingRow stranger;
    EXPECT_EQ(tree_.insertRow(RowKind::Plain, &stranger), nullptr);
    OptionRow* row = tree_.insertRow(RowKind::Plain, nullptr);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->createEditor(0));
    EXPECT_TRUE(stranger.isRootLevel() == false);
    EXPECT_FALSE(stranger.createEditor(0));
}

} // namespace
