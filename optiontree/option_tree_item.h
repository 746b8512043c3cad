// COptionTreeItem: a row of the option tree, the base of every editor row kind.
#pragma once

#include "model/option_tree_if.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

class COptionTree;
class QFontMetrics;
class QPainter;
class QWidget;

// A plain row is a group without an editor; the editor kinds derive from it. The value
// operations of the row interface do nothing here and are answered by the kind that has
// that value.
class COptionTreeItem : public OptionRow {
public:
    static constexpr int kDefaultHeight = 21;

    // The kind codes rows report, as stored with each row.
    enum KindCode : int {
        PlainCode = 1,
        CheckBoxCode = 2,
        ColorCode = 3,
        ComboBoxCode = 4,
        EditCode = 6,
        SpinnerCode = 9,
        FileCode = 11,
    };

    COptionTreeItem() = default;
    ~COptionTreeItem() override;
    COptionTreeItem(const COptionTreeItem&) = delete;
    COptionTreeItem& operator=(const COptionTreeItem&) = delete;

    // The row interface, common part.
    RowKind kind() const override { return RowKind::Plain; }
    // A plain row has no editor: it only needs to be in a tree.
    bool createEditor(std::uint32_t options) override;
    void setLabel(const std::u16string& text) override;
    void setInfo(const std::u16string& text) override;
    void setBackgroundColors(std::uint32_t value, std::uint32_t label) override;
    void setMarked(bool marked) override;
    bool isMarked() const override { return marked_; }
    void setExpanded(bool expanded) override;
    bool isExpanded() const override { return expanded_; }

    // The row interface, values of the other kinds: ignored by a plain row.
    void setNumber(double) override {}
    void setLimits(double, double) override {}
    std::int32_t number() const override { return 0; }
    void setChecked(bool) override {}
    bool isChecked() const override { return false; }
    void addEntry(const std::u16string&, std::int32_t) override {}
    void selectByPrefix(const std::u16string&) override {}
    std::int32_t selectedData() const override { return -1; }
    std::u16string selectedText() const override { return {}; }
    void setColor(std::uint32_t) override {}
    void setAutomaticColor(std::uint32_t) override {}
    std::uint32_t color() const override { return 0; }
    void setText(const std::u16string&) override {}
    std::u16string text() const override { return {}; }
    void setFileDialog(const std::u16string&, const std::u16string&, const std::u16string&,
                       std::uint32_t) override {}

    virtual int kindCode() const { return PlainCode; }
    // The value as the row shows it in words; empty for a group.
    virtual QString valueText() const { return {}; }

    // Texts.
    const QString& labelText() const { return label_; }
    void setLabelText(const QString& text) { label_ = text; }
    const QString& description() const { return description_; }
    void setDescription(const QString& text) { description_ = text; }

    // Links and place in the tree.
    int id() const { return id_; }
    COptionTree* tree() const { return tree_; }
    COptionTreeItem* parentItem() const { return parent_; }
    COptionTreeItem* nextSibling() const { return nextSibling_; }
    COptionTreeItem* firstChild() const { return firstChild_; }
    COptionTreeItem* nextVisible() const { return nextVisible_; }
    bool hasChildren() const { return firstChild_ != nullptr; }
    // A top-level row is a child of the tree's invisible root.
    bool isRootLevel() const;
    // Whether this row lies in the subtree of ancestor (itself included).
    bool isDescendantOf(const COptionTreeItem* ancestor) const;

    // The row's accessible interface in Qt's cache, 0 until a screen reader asks for it.
    unsigned accessibleId() const { return accessibleId_; }
    void setAccessibleId(unsigned id) { accessibleId_ = id; }

    // Geometry as last painted, in the list's coordinates (the scroll offset applied).
    QPoint location() const { return location_; }
    QRect valueRect() const { return valueRect_; }
    QRect plusMinusRect() const { return plusMinusRect_; }
    QRect labelTextRect() const { return labelTextRect_; }
    int height() const { return height_; }
    void setHeight(int height) { height_ = height; }
    // The row's full rectangle on screen as last painted.
    QRect rowRect() const;

    bool isActivated() const { return activated_; }
    bool isCommitted() const { return committed_; }
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // A movable row can be dragged by its label to another place among its movable siblings;
    // the tree tells its receiver, which moves what the row stands for.
    bool isMovable() const { return movable_; }
    void setMovable(bool movable) { movable_ = movable; }
    bool isLabelAtTop() const { return labelAtTop_; }
    void setLabelAtTop(bool atTop) { labelAtTop_ = atTop; }

    // Colours; unset ones follow the palette (window, button text, button face).
    QColor valueBackground(const QPalette& palette) const;
    QColor valueTextColor(const QPalette& palette) const;
    QColor rootBackground(const QPalette& palette) const;
    QColor labelTextColor(const QPalette& palette) const;
    QColor labelBackground(const QPalette& palette) const;
    void setValueBackground(const QColor& color) { valueBackground_ = color; }
    void setValueTextColor(const QColor& color) { valueTextColor_ = color; }
    void setRootBackground(const QColor& color) { rootBackground_ = color; }
    void setLabelTextColor(const QColor& color) { labelTextColor_ = color; }
    void setLabelBackground(const QColor& color) { labelBackground_ = color; }
    // A small square of the colour before the label, such as an element's own colour.
    void setSwatch(std::optional<QColor> color) { swatch_ = color; }
    std::optional<QColor> swatch() const { return swatch_; }

    // Opens the editor: the tree's side of an activation.
    void activate();
    // Takes the editor's value: once per activation, then the tree is told (-1105).
    void commit();
    // Takes a value set without the editor (by a screen reader): the tree is told as after
    // an edit.
    void commitValue();
    // Closes the open editor without taking its value: the row shows its value as it was
    // when the editor opened, and the tree is not told.
    void cancelEdit();

    // Lays out and paints the row at indent x and top y (list coordinates), then its
    // expanded children; returns the height drawn, children included. Without a painter it
    // only lays out.
    int drawItem(QPainter* painter, int x, int y);

    // The editor window, when the kind has one, made on demand (tests use it).
    virtual QWidget* editorWidget() const { return nullptr; }
    // The editor window if it has been made; the common editor steps below work on it.
    virtual QWidget* existingEditor() const { return nullptr; }

    // What the kinds do at each step. Moving, placing and hiding the editor is common to
    // all kinds with one; the rest does nothing here.
    virtual void drawValue(QPainter& painter, const QRect& valueRect);
    virtual void showEditor();
    virtual void repositionEditor();
    virtual void placeEditor();
    virtual void commitEditor();
    virtual void destroyEditor();
    virtual void deselected();
    virtual void selected();
    virtual void expandChanged(bool expanded);
    // The value the editor shows, kept when it opens and put back when the edit is cancelled.
    virtual void rememberEditorValue() {}
    virtual void restoreEditorValue() {}
    // Kinds whose value is picked from a list or a pop-up show it at once, for the click (at
    // its global position) or the Enter that opened the editor; the others do nothing.
    virtual void showChoices(std::optional<QPoint> /*globalPosition*/) {}

protected:
    // Whether the focus is in the shown editor, which then covers the value.
    bool editorHasFocus() const;
    // Where editors live: the list's viewport; null until the row is in a tree.
    QWidget* editorParent() const;
    // The tree's normal font, for editors and values.
    QFont normalFont() const;
    // The palette the tree paints with.
    QPalette palette() const;
    // Whether the tree is enabled (rows draw grey otherwise).
    bool treeEnabled() const;
    // Wires a newly made editor to the row. The row commits when the focus moves from the
    // editor to another widget inside the tree (focus going to another window leaves the
    // editor open). In the editor, Esc cancels the edit, Enter commits it, and Tab and
    // Shift+Tab commit it and open the next or previous row.
    void watchEditor(QWidget* editor);
    // Single-line text vertically centred in the rectangle, in the value text colour (grey
    // for a read-only row or a disabled tree), cut with "..." when too long.
    void drawValueText(QPainter& painter, const QRect& rect, const QString& text) const;

private:
    friend class COptionTree;
    class EditorKeys;

    // ExpandChanged for the rows under a row whose expanded state changed.
    void setExpandedFromAncestor(bool expanded);
    void layoutLabel(const QRect& labelArea, bool rootLevel);
    void paintRow(QPainter& painter, const QRect& labelArea, bool rootLevel);
    void paintPlusMinus(QPainter& painter, bool rootLevel) const;
    static int swatchSize(const QFontMetrics& metrics);
    void paintSwatch(QPainter& painter, const QFontMetrics& metrics) const;
    // The label as drawn: cut to fit the width, ending in "..." when cut.
    QString fittedLabel(const QFont& font, int width) const;

    QString label_;
    QString description_;
    int id_ = 0;
    COptionTreeItem* parent_ = nullptr;
    COptionTreeItem* nextSibling_ = nullptr;
    COptionTreeItem* firstChild_ = nullptr;
    COptionTreeItem* nextVisible_ = nullptr;
    QRect plusMinusRect_;
    COptionTree* tree_ = nullptr;
    QPoint location_;
    QRect valueRect_;
    bool committed_ = false;
    int height_ = kDefaultHeight;
    QRect labelTextRect_;
    bool marked_ = false;
    bool expanded_ = false;
    bool activated_ = false;
    bool readOnly_ = false;
    bool movable_ = false;
    bool labelAtTop_ = false;
    unsigned accessibleId_ = 0;
    std::optional<QColor> valueBackground_;
    std::optional<QColor> valueTextColor_;
    std::optional<QColor> rootBackground_;
    std::optional<QColor> labelTextColor_;
    std::optional<QColor> labelBackground_;
    std::optional<QColor> swatch_;
};
