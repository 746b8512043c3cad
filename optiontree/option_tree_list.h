// COptionTreeList: paints the option tree's rows and takes its mouse and keyboard input.
#pragma once

#include <QAbstractScrollArea>
#include <QCursor>

class COptionTree;
class COptionTreeItem;

class COptionTreeList : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit COptionTreeList(COptionTree& tree);

    // Moves the focus to the next (or previous) row and opens its editor, as Tab does.
    void editAdjacent(bool back);
    COptionTree& tree() const { return tree_; }
    // Opens the focused row's editor; with showChoices a list or pop-up of choices too, as
    // Enter asks.
    void activateFocused(bool showChoices);

    bool isDragging() const { return dragging_; }
    int dragX() const { return dragX_; }
    // The page of the scroll range: the viewport's height plus one.
    int pageHeight() const;
    // Applies the tree's content height and scroll offset to the scroll bar.
    void applyScrollRange(int contentHeight);

    // Expands or collapses the row unless the receiver vetoes it.
    void toggleExpanded(COptionTreeItem* item);

    // Paints the whole list into painter, as the viewport shows it.
    void paintList(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool acceptsInput() const;
    // Whether Tab (next) or Shift+Tab leaves the list rather than moving between its rows.
    bool tabLeaves(bool next);
    void pressOnRow(COptionTreeItem* item, int hit);
    void updateCursor(const QPoint& position);
    void drawDragLine(QPainter& painter);
    void drawFocus(QPainter& painter);
    // Moving a row by its label: follows the pointer at y, scrolling near the edges, and finds
    // the gap among the row's movable siblings nearest to it.
    void moveRowTo(int y);
    void endRowMove();

    COptionTree& tree_;
    bool dragging_ = false;
    int dragX_ = 0;
    // The row whose editor the last press opened: its choices show on the release.
    COptionTreeItem* clickOpened_ = nullptr;
    // A press on a movable row's label, which a drag turns into moving the row; where it
    // would go (before that sibling, after the last when null) and the line showing it.
    COptionTreeItem* pressedRow_ = nullptr;
    QPoint pressPoint_;
    bool movingRow_ = false;
    COptionTreeItem* dropBefore_ = nullptr;
    int dropY_ = -1;
    QCursor dividerCursor_;
    bool settingScroll_ = false;
};
