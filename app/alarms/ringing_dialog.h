// The clock's own notice of an alarm or a timer, where no notification service answers.
#pragma once

#include <QDialog>
#include <QString>

class RingingDialog : public QDialog {
    Q_OBJECT
public:
    // Beside the clock's window, above other windows, until answered; it deletes itself then.
    RingingDialog(const QString& summary, const QString& body, bool canSnooze,
                  QWidget* clockWindow);

signals:
    void dismissed();
    void snoozed();

private:
    bool snoozed_ = false;
};
