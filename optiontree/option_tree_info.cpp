// COptionTreeInfo: the option tree's description pane.
#include "optiontree/option_tree_info.h"

#include "optiontree/keyboard_focus.h"
#include "optiontree/rtf_reader.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

COptionTreeInfo::COptionTreeInfo(QWidget* parent) : QTextBrowser(parent) {
    setReadOnly(true);
    setOpenLinks(false);
    setUndoRedoEnabled(false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // The button face behind the text; the role follows palette changes (dark themes).
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    setFont(paneFont()); // also the document's default font
}

void COptionTreeInfo::paintEvent(QPaintEvent* event) {
    QTextBrowser::paintEvent(event);
    // Tab stops here, to read a long description with the arrow keys: it shows.
    if (hasFocus()) {
        QPainter painter(viewport());
        drawKeyboardFocus(painter, viewport()->rect(), palette().color(QPalette::Text));
    }
}

void COptionTreeInfo::focusInEvent(QFocusEvent* event) {
    QTextBrowser::focusInEvent(event);
    viewport()->update();
}

void COptionTreeInfo::focusOutEvent(QFocusEvent* event) {
    QTextBrowser::focusOutEvent(event);
    viewport()->update();
}

QFont COptionTreeInfo::paneFont() {
    static const QString family = [] {
        const QString tahoma = QStringLiteral("Tahoma");
        if (QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive)) {
            return tahoma;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    QFont font(family);
    font.setPointSizeF(kPointSize);
    return font;
}

void COptionTreeInfo::showDescription(const QString& title, const QString& text) {
    if (shownOnce_ && title == lastTitle_ && text == lastText_) {
        return;
    }
    shownOnce_ = true;
    lastTitle_ = title;
    lastText_ = text;
    richTextError_.clear();
    richText_ = RtfReader::looksLikeRtf(text);

    QTextDocument* doc = document();
    if (richText_) {
        // The whole content is replaced by the converted text; no title.
        RtfReader::read(text, *doc, &richTextError_);
    } else {
        doc->clear();
        if (!title.isEmpty() || !text.isEmpty()) {
            QTextCharFormat normal;
            normal.setFont(paneFont());
            normal.setFontWeight(QFont::Normal);
            QTextCharFormat bold = normal;
            bold.setFontWeight(QFont::Bold);
            QTextCursor cursor(doc);
            cursor.setBlockCharFormat(bold);
            cursor.insertText(title, bold);
            cursor.insertBlock(QTextBlockFormat(), normal);
            cursor.insertBlock(QTextBlockFormat(), normal);
            QString body = text;
            body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            cursor.insertText(body, normal);
        }
    }
    // The new text is read from its start: the pane's own cursor (which followed the
    // insertions to the end) goes back to the start, so that the view does not follow it down.
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}
