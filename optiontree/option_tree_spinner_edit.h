// COptionTreeSpinnerEdit: the text field of a spinner row, with arrow keys and a guarded menu.
#pragma once

#include <QLineEdit>
#include <memory>

class QMenu;

class COptionTreeSpinnerEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit COptionTreeSpinnerEdit(QWidget* parent);

    // Without typing the edit swallows every key that would change its text, and has no menu.
    bool acceptsTyping() const { return typing_; }
    void setAcceptsTyping(bool typing) { typing_ = typing; }

    // The context menu under the typing option, its entries enabled as the text allows;
    // null without the typing option.
    std::unique_ptr<QMenu> buildContextMenu();

signals:
    // Up and Down step the spinner; -1 or +1.
    void stepRequested(int direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool typing_ = false;
};
