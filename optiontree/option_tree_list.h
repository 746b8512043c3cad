// COptionTreeList: paints the option tree's rows and takes its mouse and keyboard input.
#pragma once

#include <QAbstractScrollArea>
#include <QCursor>

class COptionTree;
class COptionTreeItem;

class COptionTreeList : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Moves the focus to the next (or previous) row and opens its editor, as Tab does.
    void editAdjacent(bool back);
    explicit COptionTreeList(COptionTree& tree);

    bool isDragging() const { return dragging_; }
    int dragX() const { return dragX_; }
    // The page of the scroll range: the viewport's height plus one.
    int pageHeight() const;
    // Applies the tree's content height and scroll offset to the scroll bar.
    void applyScrollRange(int contentHeight);

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
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool acceptsInput() const;
    void pressOnRow(COptionTreeItem* item, int hit);
    void toggleExpanded(COptionTreeItem* item);
    // Opens the focused row's editor; with showChoices a list or pop-up of choices too, as
    // Enter asks.
    void activateFocused(bool showChoices);
    void updateCursor(const QPoint& position);
    void drawDragLine(QPainter& painter);

    COptionTree& tree_;
    bool dragging_ = false;
    int dragX_ = 0;
    // The row whose editor the last press opened: its choices show on the release.
    COptionTreeItem* clickOpened_ = nullptr;
    QCursor dividerCursor_;
    bool settingScroll_ = false;
};
