// The way Tab takes through a window, as a user pressing it sees it.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

// Presses Tab on the widget with the focus; the widget that has it then.
inline QWidget* pressTab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget();
}

// The widgets Tab reaches from start until it comes back there (start last), at most limit.
inline std::vector<QWidget*> tabStops(QWidget* start, std::size_t limit = 40) {
    start->setFocus(Qt::OtherFocusReason);
    std::vector<QWidget*> stops;
    while (stops.size() < limit) {
        stops.push_back(pressTab());
        if (stops.back() == start || stops.back() == nullptr) {
            break;
        }
    }
    return stops;
}

// The stops as a failure message tells them, one a line.
inline std::string describeStops(const std::vector<QWidget*>& stops) {
    std::string text;
    for (const QWidget* widget : stops) {
        text += widget == nullptr ? std::string("none")
                                  : std::string(widget->metaObject()->className()) + " " +
                                        widget->objectName().toStdString() + " \"" +
                                        widget->accessibleName().toStdString() + "\"";
        text += "\n";
    }
    return text;
}
