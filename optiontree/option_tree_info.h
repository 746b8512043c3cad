// COptionTreeInfo: the option tree's description pane, across the bottom of the tree.
//
// It shows the focused row's label as a bold title, a blank line, then the row's description,
// in an 8.5-point font (Tahoma when installed, else the system's sans serif) on the button face
// colour. A description beginning with "{\rtf" is rich text: it is converted (RtfReader) and
// shown formatted, without the title. The text takes the palette's text colour, so that the
// pane stays readable under a dark palette.
#pragma once

#include <QString>
#include <QTextBrowser>

class COptionTreeInfo : public QTextBrowser {
public:
    static constexpr double kPointSize = 8.5; // 170 twips

    explicit COptionTreeInfo(QWidget* parent = nullptr);

    // Shows a row's texts; does nothing when both equal the texts shown last.
    void showDescription(const QString& title, const QString& text);

    const QString& lastTitle() const { return lastTitle_; }
    const QString& lastText() const { return lastText_; }
    // Whether the last text was shown as rich text, and what the converter objected to in it
    // (empty when it was well-formed; the pane then shows what was converted before the problem).
    bool showsRichText() const { return richText_; }
    const QString& richTextError() const { return richTextError_; }

    // The pane's font: 8.5 points of Tahoma when installed, else of the system's sans serif.
    static QFont paneFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString lastTitle_;
    QString lastText_;
    bool shownOnce_ = false;
    bool richText_ = false;
    QString richTextError_;
};
