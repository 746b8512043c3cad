// The binding between properties and the option tree editor, in both directions.
#pragma once

#include <cstdint>
#include <string>

// Creation options of the editor rows, as the rows understand them.
namespace RowOption {
constexpr std::uint32_t kTyping = 0x400;           // spinner: the edit accepts typing
constexpr std::uint32_t kWrapAround = 0x40000;     // spinner: stepping past a limit wraps
constexpr std::uint32_t kFlatCheckBox = 0x400;     // check box: drawn flat
constexpr std::uint32_t kFileOpenDialog = 0x20000; // file: an open dialog, not a save dialog
constexpr std::uint32_t kFileShowName = 0x400;     // file: the value shows the file name
constexpr std::uint32_t kSpinner = kTyping | kWrapAround;
} // namespace RowOption

// The kinds of editor row a property can ask the tree for.
enum class RowKind { Plain, Spinner, CheckBox, ComboBox, Color, Edit, File };

// A row of the option tree as the properties see it. Every kind supports the common
// operations; the value operations of other kinds than the row's own are ignored.
class OptionRow {
public:
    virtual ~OptionRow() = default;

    virtual RowKind kind() const = 0;
    // Creates the row's editor with the kind's creation options; false if it cannot be made.
    virtual bool createEditor(std::uint32_t options) = 0;
    virtual void setLabel(const std::u16string& text) = 0;
    virtual void setInfo(const std::u16string& text) = 0;
    // Colours as 0x00RRGGBB.
    virtual void setBackgroundColors(std::uint32_t value, std::uint32_t label) = 0;
    virtual void setMarked(bool marked) = 0;
    virtual bool isMarked() const = 0;
    virtual void setExpanded(bool expanded) = 0;
    virtual bool isExpanded() const = 0;

    // Spinner.
    virtual void setNumber(double value) = 0;
    virtual void setLimits(double lower, double upper) = 0;
    // The integer at the start of the row's text, 0 when it starts with none.
    virtual std::int32_t number() const = 0;

    // Check box.
    virtual void setChecked(bool checked) = 0;
    virtual bool isChecked() const = 0;

    // Combo box.
    virtual void addEntry(const std::u16string& text, std::int32_t data) = 0;
    // Selects the first entry that starts with text, ignoring case.
    virtual void selectByPrefix(const std::u16string& text) = 0;
    // The data of the selected entry, -1 when none is selected.
    virtual std::int32_t selectedData() const = 0;
    virtual std::u16string selectedText() const = 0;

    // Colour, as 0x00RRGGBB.
    virtual void setColor(std::uint32_t rgb) = 0;
    virtual void setAutomaticColor(std::uint32_t rgb) = 0;
    virtual std::uint32_t color() const = 0;

    // Edit and file rows: the text (for a file row, its first path).
    virtual void setText(const std::u16string& text) = 0;
    virtual std::u16string text() const = 0;
    // File row: what its file dialog starts with and offers; set before createEditor.
    virtual void setFileDialog(const std::u16string& path, const std::u16string& defaultExtension,
                               const std::u16string& filter, std::uint32_t flags) = 0;
};

// The tree that owns the rows.
class OptionTree {
public:
    virtual ~OptionTree() = default;

    // A new row of the kind as the last child of parent (null = top level), owned by the tree.
    virtual OptionRow* insertRow(RowKind kind, OptionRow* parent) = 0;
    // The system's face and window colours (0x00RRGGBB) that group rows are tinted with.
    virtual std::uint32_t faceColor() const = 0;
    virtual std::uint32_t windowColor() const = 0;
};

// How a property shows itself in the option tree.
class OptionTreeIf {
public:
    virtual ~OptionTreeIf() = default;

    // Creates the property's row(s) as the last child of parent; null if it could not.
    virtual OptionRow* createItem(OptionTree& tree, OptionRow* parent) = 0;
    // Takes the row's current value into the property.
    virtual void commitItem() = 0;
    // Drops the row pointers: the tree is about to be emptied.
    virtual void forgetItem() = 0;
    // Remembers the row's state for the next createItem.
    virtual void saveItemState() = 0;
};
