// COptionTreeColorPopUp: the colour row's pop-up grid of named colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

// What the pop-up tells its row. The numbers are the row's message codes.
enum class ColorPopUpMessage : int {
    Highlight = 2025, // the highlight moved to an entry, carrying that entry's colour
    SetColor = 2027,  // a colour is set without ending (sent by no pop-up, kept for callers)
    End = 2028,       // the selection ended with a colour
    Cancel = 2029,    // the selection was cancelled; the colour is the one it started with
};

struct NamedColor {
    const char* name;
    QRgb rgb;
};

// The grid in rows of eight. "Pale Green " keeps its trailing blank: it is the name shown.
// The names are shown translated (colorName()).
inline constexpr std::array<NamedColor, 40> kPopUpColors{{
    {QT_TRANSLATE_NOOP("OptionTree", "Black"), 0xFF000000},
    {QT_TRANSLATE_NOOP("OptionTree", "Brown"), 0xFFA52A00},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Olive Green"), 0xFF004040},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Green"), 0xFF005500},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Teal"), 0xFF00005E},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Blue"), 0xFF00008B},
    {QT_TRANSLATE_NOOP("OptionTree", "Indigo"), 0xFF4B0082},
    {QT_TRANSLATE_NOOP("OptionTree", "Gray-80%"), 0xFF282828},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Red"), 0xFF8B0000},
    {QT_TRANSLATE_NOOP("OptionTree", "Orange"), 0xFFFF6820},
    {QT_TRANSLATE_NOOP("OptionTree", "Dark Yellow"), 0xFF8B8B00},
    {QT_TRANSLATE_NOOP("OptionTree", "Green"), 0xFF009300},
    {QT_TRANSLATE_NOOP("OptionTree", "Teal"), 0xFF388E8E},
    {QT_TRANSLATE_NOOP("OptionTree", "Blue"), 0xFF0000FF},
    {QT_TRANSLATE_NOOP("OptionTree", "Blue-Gray"), 0xFF7B7BC0},
    {QT_TRANSLATE_NOOP("OptionTree", "Gray-50%"), 0xFF666666},
    {QT_TRANSLATE_NOOP("OptionTree", "Red"), 0xFFFF0000},
    {QT_TRANSLATE_NOOP("OptionTree", "Light Orange"), 0xFFFFAD5B},
    {QT_TRANSLATE_NOOP("OptionTree", "Lime"), 0xFF32CD32},
    {QT_TRANSLATE_NOOP("OptionTree", "Sea Green"), 0xFF3CB371},
    {QT_TRANSLATE_NOOP("OptionTree", "Aqua"), 0xFF7FFFD4},
    {QT_TRANSLATE_NOOP("OptionTree", "Light Blue"), 0xFF7D9EC0},
    {QT_TRANSLATE_NOOP("OptionTree", "Violet"), 0xFF800080},
    {QT_TRANSLATE_NOOP("OptionTree", "Gray-40%"), 0xFF7F7F7F},
    {QT_TRANSLATE_NOOP("OptionTree", "Pink"), 0xFFFFC0CB},
    {QT_TRANSLATE_NOOP("OptionTree", "Gold"), 0xFFFFD700},
    {QT_TRANSLATE_NOOP("OptionTree", "Yellow"), 0xFFFFFF00},
    {QT_TRANSLATE_NOOP("OptionTree", "Bright Green"), 0xFF00FF00},
    {QT_TRANSLATE_NOOP("OptionTree", "Turquoise"), 0xFF40E0D0},
    {QT_TRANSLATE_NOOP("OptionTree", "Skyblue"), 0xFFC0FFFF},
    {QT_TRANSLATE_NOOP("OptionTree", "Plum"), 0xFF480048},
    {QT_TRANSLATE_NOOP("OptionTree", "Gray-25%"), 0xFFC0C0C0},
    {QT_TRANSLATE_NOOP("OptionTree", "Rose"), 0xFFFFE4E1},
    {QT_TRANSLATE_NOOP("OptionTree", "Tan"), 0xFFD2B48C},
    {QT_TRANSLATE_NOOP("OptionTree", "Light Yellow"), 0xFFFFFFE0},
    {QT_TRANSLATE_NOOP("OptionTree", "Pale Green "), 0xFF98FB98},
    {QT_TRANSLATE_NOOP("OptionTree", "Pale Turquoise"), 0xFFAFEEEE},
    {QT_TRANSLATE_NOOP("OptionTree", "Pale Blue"), 0xFF68838B},
    {QT_TRANSLATE_NOOP("OptionTree", "Lavender"), 0xFFE6E6FA},
    {QT_TRANSLATE_NOOP("OptionTree", "White"), 0xFFFFFFFF},
}};

// Where the pop-up's entries lie, worked out from the font alone so that painting, the mouse
// and tests agree.
class ColorPopUpLayout {
public:
    static constexpr int kMargin = 2;
    static constexpr int kBox = 18;
    static constexpr int kColumns = 8;
    static constexpr int kRows = static_cast<int>(kPopUpColors.size() + kColumns - 1) / kColumns;
    // Entry indexes besides the colours 0 to 39.
    static constexpr int kNoEntry = -1;
    static constexpr int kDefaultEntry = -2;
    static constexpr int kCustomEntry = -3;

    ColorPopUpLayout(const QFont& font, const QString& defaultText, const QString& customText);

    QSize size() const { return size_; }
    QRect entryRect(int entry) const;
    // The entry under point, kNoEntry between entries or outside.
    int entryAt(const QPoint& point) const;
    // The entry an arrow key leads to from entry (kNoEntry starts at the first colour).
    static int step(int entry, int key);

    // Where a pop-up of size opened at point sits so that it stays inside available.
    static QPoint placeOnScreen(const QPoint& point, const QSize& size, const QRect& available);

private:
    QRect defaultBox_;
    QRect customBox_;
    QPoint gridOrigin_;
    QSize size_;
};

// A pop-up window that does not take activation: Qt routes the mouse and keys to the open
// pop-up, so it sees clicks outside itself and can cancel. It reports once, End or Cancel,
// then deletes itself.
class COptionTreeColorPopUp : public QWidget {
    Q_OBJECT

public:
    using Listener = std::function<void(ColorPopUpMessage message, QColor color)>;
    // Runs the colour dialog; the chosen colour, or nothing when it is cancelled. Tests put
    // their choice here instead of a modal dialog.
    using ColorDialog =
        std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    COptionTreeColorPopUp(const QColor& color, const QColor& automaticColor, const QFont& font,
                          Listener listener, ColorDialog colorDialog = {},
                          QWidget* dialogParent = nullptr);
    ~COptionTreeColorPopUp() override;

    static const QString& defaultText();
    static const QString& customText();
    // The name of a grid colour in the user's language, as its tool tip shows it.
    static QString colorName(int entry);

    // Shows the pop-up with its top-left corner at the global point, kept on that screen.
    void popUp(const QPoint& globalPoint);
    // Stops reporting: the row is going away.
    void detach() { listener_ = nullptr; }

    int highlighted() const { return highlighted_; }
    const ColorPopUpLayout& layout() const { return layout_; }
    // The colour an entry stands for.
    QColor entryColor(int entry) const;
    QString toolTipAt(const QPoint& point) const;
    // Ends the selection with the entry, as a click on it does.
    void chooseEntry(int entry) { choose(entry); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void highlight(int entry);
    void choose(int entry);
    void finish(ColorPopUpMessage message, const QColor& color);
    void paintTextBox(QPainter& painter, int entry, const QString& text);
    void paintColorBox(QPainter& painter, int entry);

    QColor initial_;
    QColor automatic_;
    ColorPopUpLayout layout_;
    Listener listener_;
    ColorDialog colorDialog_;
    QPointer<QWidget> dialogParent_;
    int highlighted_ = ColorPopUpLayout::kNoEntry;
    bool finished_ = false;
};
