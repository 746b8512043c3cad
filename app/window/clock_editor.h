// What the clock asks of its editor (the customize and time zone dialogs, and editing on the
// clock itself), which lives in a module of its own.
#pragma once

#include "time/packed_date_time.h"
#include "velmora_export.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <functional>
#include <memory>

class Clock;
class QDialog;
class QKeyEvent;
class QWidget;
class SettingsStore;

class VELMORA_EXPORT ClockEditor {
public:
    virtual ~ClockEditor() = default;

    // A customize dialog on the clock, not yet shown, told of each edit through `edited`;
    // null when it could not be made. It deletes itself when it closes.
    virtual QDialog* openCustomize(Clock& clock, SettingsStore& settings, QWidget* parent,
                                   std::function<void()> edited) = 0;
    // Gives the customize dialog a size to fit where it opens, which is not saved as the size
    // the user chose.
    virtual void fitCustomize(QDialog& customize, QSize size) = 0;
    // How many customize dialogs are open in the program: one at most may be.
    virtual int customizeCount() const = 0;
    // Closes the customize dialog as its OK does: unsaved edits are saved or discarded as the
    // user answers. False, and the dialog stays, when the user keeps editing.
    virtual bool closeCustomize(QDialog& customize) = 0;
    // A time zone dialog, for the caller to run.
    virtual std::unique_ptr<QDialog> makeTimezones(SettingsStore& settings, QWidget* parent) = 0;

    // A press on the clock at position (logical pixels of its window, ratio device pixels
    // each) at the moment utc, while the customize dialog is open: true when it picked an
    // element, which the dialog then selects; the window must not move for this press.
    virtual bool pressOnClock(QDialog& customize, Clock& clock, QPointF position,
                              QPoint globalPosition, qreal ratio,
                              const velmora::PackedDateTime& utc) = 0;
    // The pointer moved with the button held: the picked element follows it.
    virtual void moveOnClock(QPoint globalPosition, qreal ratio) = 0;
    // The button was released: a move becomes one step of the dialog's history.
    virtual void releaseOnClock() = 0;
    virtual bool movingOnClock() const = 0;
    // A key pressed while the clock has the keyboard and the customize dialog is open: the
    // editor's keys (Ctrl+Z, Ctrl+Shift+Z, Delete, the arrows nudging the selected element by
    // a pixel, with Shift by ten; ratio device pixels each). True when it took the key.
    virtual bool keyOnClock(QDialog& customize, Clock& clock, const QKeyEvent& key,
                            qreal ratio) = 0;
};
