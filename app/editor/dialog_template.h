// Dialog layouts kept as data: one table per dialog, converted from dialog units to pixels.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <span>

class QWidget;

// Dialog units follow the dialog font: a quarter of its average character width across, an
// eighth of its line height down. Every conversion of a table goes through here.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int averageCharWidth() const { return charWidth_; }
    int lineHeight() const { return lineHeight_; }
    int x(int units) const { return units * charWidth_ / 4; }
    int y(int units) const { return units * lineHeight_ / 8; }
    QRect toPixels(const QRect& units) const;
    QSize toPixels(const QSize& units) const;

private:
    int charWidth_;
    int lineHeight_;
};

// One control of a dialog layout.
struct TemplateItem {
    enum class Kind {
        Label,         // static text
        PathLabel,     // static text that elides a path in its middle
        Button,        // push button
        DefaultButton, // the button Enter presses
        Frame,         // a placeholder marking where a control made in code goes
        GroupBox,      // a titled frame drawn behind the controls it groups
        CheckBox,      // a check box that toggles itself
        ReadOnlyEdit,  // a one-line text the user can select and scroll but not change
        DropDownList,  // a drop-down list; its height includes the opened list
    };

    int id;
    Kind kind;
    const char* text;
    // x, y, width, height in dialog units.
    QRect units;
    // The anchor flags the layout helper registers the control with (0: it stays put).
    unsigned anchors;
    // The object name the control is found by.
    const char* name;
};

struct DialogTemplate {
    int id;
    const char* title;
    // The client size in dialog units: the dialog's design and minimum size.
    QSize units;
    std::span<const TemplateItem> items;

    // The control with that id, or null.
    const TemplateItem* item(int controlId) const {
        for (const TemplateItem& entry : items) {
            if (entry.id == controlId) {
                return &entry;
            }
        }
        return nullptr;
    }
};

// Shows a path in a PathLabel control, eliding its middle when it does not fit.
void setTemplatePath(QWidget& control, const QString& path);

// Makes the template's controls as children of dialog, placed in pixels for the dialog's
// font, and sizes the dialog to the template. Frames are made hidden: they only mark places.
void createTemplateControls(QWidget& dialog, const DialogTemplate& layout);
