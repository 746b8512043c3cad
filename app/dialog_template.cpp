// Dialog layouts kept as data: one table per dialog, converted from dialog units to pixels.
#include "app/dialog_template.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>

namespace {

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
    const QString text = QString::fromUtf8(item.text);
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
        button->setAutoDefault(item.kind == TemplateItem::Kind::DefaultButton);
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
    dialog.setWindowTitle(QString::fromUtf8(layout.title));
    dialog.resize(units.toPixels(layout.units));
    for (const TemplateItem& item : layout.items) {
        QWidget* control = makeControl(dialog, item);
        control->setObjectName(QString::fromUtf8(item.name));
        QRect place = units.toPixels(item.units);
        // Fonts wider than the one the table was drawn for would clip a label's last letters;
        // labels sit left of their neighbours with room to spare.
        if (item.kind == TemplateItem::Kind::Label) {
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
