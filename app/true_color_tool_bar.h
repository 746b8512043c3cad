// CTrueColorToolBar: a toolbar whose button images come from one strip of full-colour images.
#pragma once

#include <QString>
#include <QToolBar>
#include <span>

class QAction;

// A button of the toolbar; id 0 stands for a separator.
struct ToolBarButton {
    int id;
    const char* toolTip;
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

signals:
    void commandTriggered(int id);
};
