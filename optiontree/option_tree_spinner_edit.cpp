// COptionTreeSpinnerEdit: the text field of a spinner row, with arrow keys and a guarded menu.
#include "optiontree/option_tree_spinner_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

namespace {

// Keys that change the text other than by a printable character.
bool editsText(const QKeyEvent* event) {
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
           event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
           event->matches(QKeySequence::DeleteEndOfWord) ||
           event->matches(QKeySequence::DeleteStartOfWord) ||
           event->matches(QKeySequence::DeleteEndOfLine);
}

} // namespace

COptionTreeSpinnerEdit::COptionTreeSpinnerEdit(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

std::unique_ptr<QMenu> COptionTreeSpinnerEdit::buildContextMenu() {
    if (!typing_) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(this);
    const bool selection = hasSelectedText();
    const bool writable = !isReadOnly();

    QAction* undoAction = menu->addAction(tr("&Undo"), this, &QLineEdit::undo);
    undoAction->setEnabled(writable && isUndoAvailable());
    menu->addSeparator();
    QAction* cutAction = menu->addAction(tr("Cu&t"), this, &QLineEdit::cut);
    cutAction->setEnabled(writable && selection);
    QAction* copyAction = menu->addAction(tr("&Copy"), this, &QLineEdit::copy);
    copyAction->setEnabled(selection);
    QAction* deleteAction = menu->addAction(tr("&Delete"), this, [this] { del(); });
    deleteAction->setEnabled(writable && selection);
    const QClipboard* clipboard = QGuiApplication::clipboard();
    QAction* pasteAction = menu->addAction(tr("&Paste"), this, &QLineEdit::paste);
    pasteAction->setEnabled(writable && clipboard != nullptr && !clipboard->text().isEmpty());
    menu->addSeparator();
    QAction* selectAllAction = menu->addAction(tr("Select &All"), this, &QLineEdit::selectAll);
    selectAllAction->setEnabled(!text().isEmpty() && selectedText() != text());
    return menu;
}

void COptionTreeSpinnerEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit stepRequested(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    if (!typing_ && (editsText(event) || !event->text().isEmpty())) {
        // Navigation and copying still work; Enter and Escape go on to the parents.
        const bool passOn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                            event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab ||
                            event->key() == Qt::Key_Backtab || event->matches(QKeySequence::Copy);
        if (!passOn) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void COptionTreeSpinnerEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = buildContextMenu();
    if (menu != nullptr) {
        menu->exec(event->globalPos());
    }
    event->accept();
}
