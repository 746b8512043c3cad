// COptionTreeCheckButton: a check box row's editor, a box that toggles on a click or Space.
#pragma once

#include <QString>
#include <QWidget>

class QPainter;
class QPalette;

class COptionTreeCheckButton : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBoxSize = 14;
    static constexpr int kTextGap = 5;

    explicit COptionTreeCheckButton(QWidget* parent);

    bool isChecked() const { return checked_; }
    void setChecked(bool checked);
    // With the state text the whole width right of the box's left edge toggles.
    bool showsText() const { return showText_; }
    void setShowText(bool show);
    void setStateTexts(const QString& checkedText, const QString& uncheckedText);
    QString stateText() const { return checked_ ? checkedText_ : uncheckedText_; }
    // Where the box lies, and the part of the window a release toggles in.
    QRect boxRect() const;
    QRect toggleRect() const;
    // Whether the tree it lives in is enabled; a disabled tree paints on the button face.
    void setTreeEnabled(bool enabled);

    // A check box in box, flat (a thin frame in the text colour) or sunken in two steps of the
    // palette's shades, ticked when checked.
    static void drawBox(QPainter& painter, const QRect& box, bool checked, bool flat, bool enabled,
                        const QPalette& colors);

    // Turns the box over, as a click or Space does.
    void toggle();

signals:
    void toggled(bool checked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void announceState();

    bool checked_ = false;
    bool showText_ = false;
    bool treeEnabled_ = true;
    QString checkedText_;
    QString uncheckedText_;
};
