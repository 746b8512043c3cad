// CTrueColorToolBar: a toolbar whose button images come from one strip of full-colour images.
#pragma once

#include <QString>
#include <QToolBar>
#include <span>

class QAction;
class QEvent;
class QKeyEvent;
class QResizeEvent;

// A button of the toolbar; id 0 stands for a separator. The caption, when given, is the short
// word the button shows beside or under its image in the desktop's font; the tip says more.
struct ToolBarButton {
    int id;
    const char* toolTip;
    const char* caption = nullptr;
};

class CTrueColorToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit CTrueColorToolBar(QWidget* parent = nullptr);

    // Makes one action per button, in order; button ids are the commands triggered sends.
    void setButtons(std::span<const ToolBarButton> buttons);
    // Gives the buttons, in order, the images of a strip of buttonWidth-wide images: the
    // normal ones, and where named those shown under the mouse and when disabled. A file
    // beside a strip with "@2x" before its extension serves screens of double density. An
    // image without alpha is made transparent where it has the colour of its bottom-left
    // pixel. False when a strip cannot be read or holds fewer images than there are buttons.
    bool loadButtonImages(int buttonWidth, const QString& normal, const QString& hot = {},
                          const QString& disabled = {});

    // The action of a button, or null.
    QAction* action(int id) const;

    // Buttons with captions show them beside their images where the toolbar is wide enough,
    // else under them where it is tall enough, else only the images (the captions stay as tips).
    // Follows every resize and font change.
    void updateButtonStyle();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool hasCaptions_ = false;
    bool updatingStyle_ = false;

signals:
    void commandTriggered(int id);
};
