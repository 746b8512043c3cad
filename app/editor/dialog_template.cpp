// Dialog layouts kept as data: one table per dialog, converted from dialog units to pixels.
#include "app/editor/dialog_template.h"

#include "app/dialogs/window_aligner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr const char* kTemplateContext = "DialogTemplate";

// The average width the dialog units count in: that of the 52 Latin letters, rounded, which
// is what dialog templates were designed against.
int averageLetterWidth(const QFontMetrics& metrics) {
    const int total = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (total / 26 + 1) / 2;
}

// A label showing a path: when it is too narrow, the middle of the text gives way, so the
// start of the folder and the file name stay readable.
class PathLabel : public QLabel {
public:
    explicit PathLabel(QWidget* parent) : QLabel(parent) {}

    void setPath(const QString& path) {
        if (path == path_) {
            return;
        }
        path_ = path;
        setToolTip(path);
        elide();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide() { setText(fontMetrics().elidedText(path_, Qt::ElideMiddle, width())); }

    QString path_;
};

QWidget* makeControl(QWidget& dialog, const TemplateItem& item) {
    // The tables mark their texts with QT_TRANSLATE_NOOP in this context.
    const QString text = QCoreApplication::translate(kTemplateContext, item.text);
    switch (item.kind) {
    case TemplateItem::Kind::Label:
        return new QLabel(text, &dialog);
    case TemplateItem::Kind::PathLabel: {
        auto* label = new PathLabel(&dialog);
        label->setPath(text);
        return label;
    }
    case TemplateItem::Kind::Button:
    case TemplateItem::Kind::DefaultButton: {
        auto* button = new QPushButton(text, &dialog);
        button->setDefault(item.kind == TemplateItem::Kind::DefaultButton);
        // Enter presses the button that has the focus, else the default one: Enter on Cancel
        // must not mean OK.
        button->setAutoDefault(true);
        return button;
    }
    case TemplateItem::Kind::Frame: {
        auto* frame = new QFrame(&dialog);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->hide();
        return frame;
    }
    case TemplateItem::Kind::GroupBox: {
        auto* group = new QGroupBox(text, &dialog);
        // Made before the controls it surrounds, it stays behind them.
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case TemplateItem::Kind::CheckBox:
        return new QCheckBox(text, &dialog);
    case TemplateItem::Kind::ReadOnlyEdit: {
        auto* edit = new QLineEdit(text, &dialog);
        edit->setReadOnly(true);
        return edit;
    }
    case TemplateItem::Kind::DropDownList:
        return new QComboBox(&dialog);
    }
    return nullptr;
}

// The width a button, check box or group box needs to show its whole text; 0 for the controls
// whose text may give way (labels widen on their own, paths elide).
int textWidthNeeded(QWidget& control) {
    if (auto* button = qobject_cast<QPushButton*>(&control)) {
        // Not the size hint: styles give every button a minimum width the table may undercut.
        const QStyle* style = button->style();
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        return button->fontMetrics().horizontalAdvance(text) +
               2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                    style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
    }
    if (auto* check = qobject_cast<QCheckBox*>(&control)) {
        return check->sizeHint().width();
    }
    if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        return group->minimumSizeHint().width();
    }
    return 0;
}

// The room a table leaves between neighbouring controls, in dialog units.
constexpr int kGapUnits = 3;

bool sameRow(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// Widens control i by up to `extra` pixels into the free room beside it in its row: to the left
// for a control anchored to the right edge (its right edge stays), else to the right.
void growIntoFreeRoom(std::vector<QRect>& places, const DialogTemplate& layout, std::size_t i,
                      int extra, int gap, int dialogWidth) {
    QRect& place = places[i];
    const bool keepsRightEdge = (layout.items[i].anchors & CWindowAligner::MoveRight) != 0;
    int limit = keepsRightEdge ? gap : dialogWidth - gap;
    for (std::size_t j = 0; j < places.size(); ++j) {
        // Group boxes lie behind the controls they group and take no room from them.
        if (j == i || layout.items[j].kind == TemplateItem::Kind::GroupBox ||
            !sameRow(places[j], place)) {
            continue;
        }
        if (keepsRightEdge && places[j].right() < place.left()) {
            limit = std::max(limit, places[j].right() + 1 + gap);
        } else if (!keepsRightEdge && places[j].left() > place.right()) {
            limit = std::min(limit, places[j].left() - gap);
        }
    }
    if (keepsRightEdge) {
        place.setLeft(place.left() - std::clamp(place.left() - limit, 0, extra));
    } else {
        place.setRight(place.right() + std::clamp(limit - place.right() - 1, 0, extra));
    }
}

// How much wider than the table the dialog is made so that no button, check box or group title
// is cut where the room beside it did not suffice: every position and width across grows alike,
// so the table's alignments and gaps stay. 1 where the widths hold the texts.
double widthScale(const std::vector<QRect>& places, const std::vector<QWidget*>& controls) {
    double scale = 1.0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int needed = textWidthNeeded(*controls[i]);
        if (places[i].width() > 0 && needed > places[i].width()) {
            scale = std::max(scale, static_cast<double>(needed) / places[i].width());
        }
    }
    return scale;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    charWidth_ = std::max(1, averageLetterWidth(metrics));
    lineHeight_ = std::max(1, metrics.height());
}

QRect DialogUnits::toPixels(const QRect& units) const {
    return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

QSize DialogUnits::toPixels(const QSize& units) const {
    return QSize(x(units.width()), y(units.height()));
}

void createTemplateControls(QWidget& dialog, const DialogTemplate& layout) {
    const DialogUnits units(dialog.font());
    dialog.setWindowTitle(QCoreApplication::translate(kTemplateContext, layout.title));
    const QSize size = units.toPixels(layout.units);
    std::vector<QWidget*> controls;
    std::vector<QRect> places;
    for (const TemplateItem& item : layout.items) {
        controls.push_back(makeControl(dialog, item));
        controls.back()->setObjectName(QString::fromUtf8(item.name));
        places.push_back(units.toPixels(item.units));
    }
    // A translated text may be longer than the table allowed for: it takes the room beside it
    // first, and only then widens the whole dialog.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int extra = textWidthNeeded(*controls[i]) - places[i].width();
        if (extra > 0 && places[i].width() > 0) {
            growIntoFreeRoom(places, layout, i, extra, units.x(kGapUnits), size.width());
        }
    }
    const double scale = widthScale(places, controls);
    const auto across = [scale](int pixels) {
        return static_cast<int>(std::lround(pixels * scale));
    };
    dialog.resize(across(size.width()), size.height());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* control = controls[i];
        QRect place(across(places[i].x()), places[i].y(), across(places[i].width()),
                    places[i].height());
        // Fonts wider than the one the table was drawn for would clip a label's last letters;
        // labels sit left of their neighbours with room to spare.
        if (layout.items[i].kind == TemplateItem::Kind::Label) {
            place.setWidth(std::max(place.width(), control->sizeHint().width()));
        }
        // The table's height of a drop-down list counts its opened list: the closed box takes
        // the height the style gives it, and the list shows as many rows as the rest holds.
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            const int closed = list->sizeHint().height();
            list->setMaxVisibleItems(std::max(1, (place.height() - closed) / units.lineHeight()));
            place.setHeight(closed);
        }
        control->setGeometry(place);
    }
}

void setTemplatePath(QWidget& control, const QString& path) {
    if (auto* label = dynamic_cast<PathLabel*>(&control)) {
        label->setPath(path);
    }
}
