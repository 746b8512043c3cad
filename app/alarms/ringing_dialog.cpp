// The clock's own notice of an alarm or a timer, where no notification service answers.
#include "app/alarms/ringing_dialog.h"

#include "app/desktop/program_icon.h"
#include "app/dialogs/dialog_placement.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

RingingDialog::RingingDialog(const QString& summary, const QString& body, bool canSnooze,
                             QWidget* clockWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    showProgramIconFromNowOn();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Velmora - %1").arg(summary));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(summary, this);
    QFont large = title->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.3);
    title->setFont(large);
    title->setTextFormat(Qt::PlainText);
    layout->addWidget(title);
    auto* text = new QLabel(body, this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* dismiss = buttons->addButton(
        QCoreApplication::translate("AlarmService", "Dismiss"), QDialogButtonBox::AcceptRole);
    dismiss->setDefault(true);
    if (canSnooze) {
        QPushButton* snooze =
            buttons->addButton(QCoreApplication::translate("AlarmService", "Snooze 5 minutes"),
                               QDialogButtonBox::ActionRole);
        connect(snooze, &QPushButton::clicked, this, [this] {
            snoozed_ = true;
            emit snoozed();
            close();
        });
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Esc, the window's close button and Dismiss all answer the ring.
    connect(this, &QDialog::finished, this, [this] {
        if (!snoozed_) {
            emit dismissed();
        }
    });
    adjustSize();
    const QScreen* screen = clockWindow != nullptr ? clockWindow->screen() : nullptr;
    if (screen != nullptr) {
        move(placeBeside(clockWindow->frameGeometry(), frameGeometry().size(),
                         screen->availableGeometry()));
    }
}
