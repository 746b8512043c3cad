// COptionTree: the property grid, with its list of rows and its description pane.
#pragma once

#include "model/option_tree_if.h"
#include "optiontree/option_tree_item.h"

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>

class COptionTreeInfo;
class COptionTreeList;

// Creation options of the tree.
namespace OptionTreeOption {
constexpr std::uint32_t kShowInfo = 0x01;        // the description pane across the bottom
constexpr std::uint32_t kNotify = 0x02;          // notifications reach the receiver
constexpr std::uint32_t kDefaultInfoText = 0x04; // the pane explains itself with no row focused
constexpr std::uint32_t kShadeMargin = 0x08;     // the left margin in the button face colour
constexpr std::uint32_t kShadeRootItems = 0x10;  // top-level rows on their own background
} // namespace OptionTreeOption

// What the tree tells its receiver. The codes are negative, as control notifications are.
namespace OptionTreeNotify {
constexpr int kInsertItem = -1101;
constexpr int kDeleteItem = -1102;
constexpr int kItemChanged = -1105;
constexpr int kSelectionChanged = -1107;
constexpr int kItemExpanding = -1108; // a non-zero answer keeps the row as it is
constexpr int kColumnClick = -1109;   // a non-zero answer stops the divider drag
constexpr int kPropertyClick = -1110; // a non-zero answer keeps the editor closed
} // namespace OptionTreeNotify

// Where a point lies, for hit tests.
namespace OptionTreeHit {
constexpr int kLabel = 2024;
constexpr int kColumn = 2025;
constexpr int kExpand = 2026;
constexpr int kAttribute = 2027;
constexpr int kClient = 2028;
} // namespace OptionTreeHit

class COptionTree;

// Receives the tree's notifications, synchronously.
class OptionTreeReceiver {
public:
    virtual ~OptionTreeReceiver() = default;
    // The answer vetoes the three vetoable codes when non-zero and is ignored otherwise.
    virtual long treeNotify(COptionTree& tree, int code, COptionTreeItem* item) = 0;
    // A movable row was dragged to just before `before`, one of its movable siblings, or after
    // the last of them when that is null. The receiver moves what the rows stand for.
    virtual void rowDropped(COptionTree& /*tree*/, COptionTreeItem* /*row*/,
                            COptionTreeItem* /*before*/) {}
    // The user asked for a row's menu (the right button, the menu key), to show at that point.
    virtual void rowMenuRequested(COptionTree& /*tree*/, COptionTreeItem* /*row*/,
                                  const QPoint& /*globalPosition*/) {}
};

class COptionTree : public QWidget, public OptionTree {
    Q_OBJECT

public:
    static constexpr int kInfoHeight = 100;
    static constexpr int kMargin = 16;
    static constexpr int kInitialColumn = 150;

    COptionTree(std::uint32_t options, QWidget* parent = nullptr, int id = 0);
    ~COptionTree() override;

    std::uint32_t options() const { return options_; }
    int id() const { return id_; }
    COptionTreeList* list() const { return list_; }
    COptionTreeInfo* info() const { return info_; }

    // The divider between label and value column, kept at least 16 and inside the list.
    int columnPosition() const { return column_; }
    void setColumnPosition(int x);
    int scrollOffset() const { return scrollOffset_; }
    void setScrollOffset(int offset);
    bool isInputDisabled() const { return inputDisabled_; }
    void setInputDisabled(bool disabled) { inputDisabled_ = disabled; }

    // Switches notifications (option bit 1) and names their receiver; null stops them.
    void setNotify(bool on, OptionTreeReceiver* receiver);
    // Sends a notification when they are on and a receiver is set; 0 otherwise.
    long notify(int code, COptionTreeItem* item);
    // Tell the receiver of a row dragged to another place, and of a row's menu asked for.
    void dropRow(COptionTreeItem* row, COptionTreeItem* before);
    void requestRowMenu(COptionTreeItem* row, const QPoint& globalPosition);

    // Appends the item as the last child of parent (the root when null); the tree owns it.
    COptionTreeItem* insertItem(std::unique_ptr<COptionTreeItem> item,
                                COptionTreeItem* parent = nullptr);
    // Deletes the item and everything under it; null deletes every row.
    void deleteItem(COptionTreeItem* item);
    void deleteAllItems(bool redraw = true);
    COptionTreeItem* rootItem() const { return root_.get(); }
    // Whether the item is one of this tree's rows (still alive).
    bool containsItem(const COptionTreeItem* item) const;

    COptionTreeItem* focusedItem() const { return focused_; }
    void setFocusedItem(COptionTreeItem* item);
    // Expands the item's ancestors and scrolls until its row is in view.
    void ensureVisible(COptionTreeItem* item);
    // Sets or clears the marks of the item and all under it; of every row when null.
    void selectItems(COptionTreeItem* item, bool marked);
    // Places the editors of the subtree (all rows when null) and updates the scroll range.
    void refreshItems(COptionTreeItem* item = nullptr);
    // Moves every editor onto its value rectangle.
    void moveEditors();

    // Makes item the focused row with only it marked; tells the receiver when it changed.
    void focusItem(COptionTreeItem* item);
    // Moves the focus along the visible rows, marking the new one.
    void focusFirst();
    void focusLast();
    void focusNext();
    void focusPrevious();

    // Hit test of a point in the list's coordinates; see OptionTreeHit.
    int hitTest(const QPoint& point) const;
    COptionTreeItem* itemAt(const QPoint& point) const;
    // The right edge of the widest label drawn so far, 0 when none.
    int widestLabelRight() const;
    // The height of every top-level row with the expanded rows under it.
    int contentHeight() const;
    void updateScrollRange();
    // After rows were inserted: the range is brought up to date before it is used.
    void updateScrollRangeIfDirty();

    // The rows in on-screen order, as the last paint laid them out.
    COptionTreeItem* firstVisible() const { return firstVisible_; }
    // Lays out the visible chain and the rows' rectangles without painting.
    void layoutRows();

    const QFont& normalFont() const { return normalFont_; }
    const QFont& boldFont() const { return boldFont_; }

    // Tells a screen reader which row has the focus now.
    void announceFocus();
    // The description pane shows the focused row's texts.
    void updateInfo();
    // Repaints the list (and the pane) now or later.
    void redraw();

    // The row interface's tree.
    OptionRow* insertRow(RowKind kind, OptionRow* parent) override;
    std::uint32_t faceColor() const override;
    std::uint32_t windowColor() const override;

    // Called by the list and the rows.
    void beginVisibleChain();
    void appendVisible(COptionTreeItem* item);
    // Clears the focus when the focused row is no longer shown, telling the receiver.
    void dropHiddenFocus();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layoutChildren();
    void updateFonts();
    void deleteSubtree(COptionTreeItem* item);
    void unlink(COptionTreeItem* item);

    std::uint32_t options_ = 0;
    int id_ = 0;
    COptionTreeInfo* info_ = nullptr;
    std::unique_ptr<COptionTreeItem> root_;
    COptionTreeItem* firstVisible_ = nullptr;
    COptionTreeItem* lastVisible_ = nullptr;
    COptionTreeItem* focused_ = nullptr;
    COptionTreeList* list_ = nullptr;
    int column_ = kInitialColumn;
    int scrollOffset_ = 0;
    bool inputDisabled_ = false;
    bool scrollRangeDirty_ = false;
    int itemCounter_ = 0;
    OptionTreeReceiver* receiver_ = nullptr;
    QFont normalFont_;
    QFont boldFont_;
};
