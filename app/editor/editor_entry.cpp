// The velmora_editor module's entry point: the editor the clock asks for.
#include "app/editor/clock_editing.h"
#include "app/editor/options_dial.h"
#include "app/editor/timezones_dial.h"
#include "app/window/clock_editor.h"
#include "app/window/editor_module.h"

#include <type_traits>

namespace {

class LinkedClockEditor : public ClockEditor {
public:
    QDialog* openCustomize(Clock& clock, SettingsStore& settings, QWidget* parent,
                           std::function<void()> edited) override {
        auto* dialog = new COptionsDial(clock, settings, parent);
        if (!dialog->isInitialized()) {
            delete dialog;
            return nullptr;
        }
        QObject::connect(dialog, &COptionsDial::schemeChanged, dialog, std::move(edited));
        return dialog;
    }

    int customizeCount() const override { return COptionsDial::instanceCount(); }

    bool closeCustomize(QDialog& customize) override {
        return static_cast<COptionsDial&>(customize).closeKeeping();
    }

    std::unique_ptr<QDialog> makeTimezones(SettingsStore& settings, QWidget* parent) override {
        return std::make_unique<CTimezonesDial>(settings, parent);
    }

    bool pressOnClock(QDialog& customize, Clock& clock, QPointF position, QPoint globalPosition,
                      qreal ratio, const velmora::PackedDateTime& utc) override {
        return editing_.press(static_cast<COptionsDial&>(customize), clock, position,
                              globalPosition, ratio, utc);
    }

    void moveOnClock(QPoint globalPosition, qreal ratio) override {
        editing_.move(globalPosition, ratio);
    }

    void releaseOnClock() override { editing_.release(); }

    bool movingOnClock() const override { return editing_.isActive(); }

    void fitCustomize(QDialog& customize, QSize size) override {
        static_cast<COptionsDial&>(customize).resizeToFit(size);
    }
    bool keyOnClock(QDialog& customize, Clock& clock, const QKeyEvent& key, qreal ratio) override {
        return ClockEditing::key(static_cast<COptionsDial&>(customize), clock, key, ratio);
    }

private:
    // One pointer drags at a time, on the one customize dialog the program has open.
    ClockEditing editing_;
};

} // namespace

extern "C" Q_DECL_EXPORT ClockEditor* velmoraClockEditor() {
    static LinkedClockEditor editor;
    return &editor;
}

// The loader resolves this by name, so its type is checked here against the loader's.
static_assert(std::is_same_v<decltype(&velmoraClockEditor), EditorModule::Entry>);
