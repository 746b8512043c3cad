// COptionTreeItemColor: the color row of the option tree.
#pragma once

#include "optiontree/option_tree_color_pop_up.h"
#include "optiontree/option_tree_item.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

// Creation options of the colour row.
namespace ColorRowOption {
constexpr std::uint32_t kLivePreview = 0x400; // the row takes each colour the pop-up highlights
constexpr std::uint32_t kHexText = 0x40000;   // the value reads "#RRGGBB" instead of "RGB (...)"
} // namespace ColorRowOption

// A colour shown as a swatch and its numbers. The row owns a small editor window laid over
// the value; releasing the mouse on it (or Enter, Space, F4 or Alt+Down) opens the pop-up grid.
// The window is made the first time it is shown or handed out: most rows of a large tree are
// never opened, and making their windows up front dominated filling the tree.
class COptionTreeItemColor : public COptionTreeItem {
public:
    static constexpr int kSwatchSize = 16;
    static constexpr int kTextGap = 5;

    COptionTreeItemColor();
    ~COptionTreeItemColor() override;

    RowKind kind() const override { return RowKind::Color; }
    int kindCode() const override { return ColorCode; }

    bool createEditor(std::uint32_t options) override;
    void setColor(std::uint32_t rgb) override;
    void setAutomaticColor(std::uint32_t rgb) override;
    std::uint32_t color() const override { return rgb_; }
    std::uint32_t automaticColor() const { return automaticRgb_; }

    // The text beside the swatch.
    QString valueText() const override;
    // Makes the editor window if the row has asked for one and it does not exist yet.
    QWidget* editorWidget() const override;
    // The pop-up while one is open.
    COptionTreeColorPopUp* popUp() const { return popUp_.data(); }
    // Replaces the modal colour dialog of the pop-ups this row opens.
    void setColorDialog(COptionTreeColorPopUp::ColorDialog dialog) {
        colorDialog_ = std::move(dialog);
    }
    // Opens the pop-up with its corner at the global point; false when it cannot be opened.
    bool openPopUp(const QPoint& globalPoint);
    // What the row does with each message of its pop-up.
    void popUpMessage(ColorPopUpMessage message, const QColor& color);

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;
    // The pop-up, at the click or under the value.
    void showChoices(std::optional<QPoint> globalPosition) override;
    void destroyEditor() override;
    QWidget* existingEditor() const override;

private:
    class Window;

    // The editor window, made on first use; null before createEditor or after destroyEditor.
    Window* ensureWindow();
    void paintSwatchAndText(QPainter& painter, const QRect& rect) const;
    void takeColor(const QColor& color);
    void redraw();

    std::unique_ptr<Window> window_;
    // createEditor succeeded and destroyEditor has not run since.
    bool editorWanted_ = false;
    QPointer<COptionTreeColorPopUp> popUp_;
    COptionTreeColorPopUp::ColorDialog colorDialog_;
    std::uint32_t options_ = 0;
    std::uint32_t rgb_ = 0;
    std::uint32_t automaticRgb_ = 0;
};
