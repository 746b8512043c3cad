// "Schemes...": the installed examples and the user's own schemes as pictures of the clock at
// the current time, drawn by the renderer and kept running; a click applies one.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <vector>

class Clock;
class QToolButton;

class SchemeChooser : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPictureSide = 120;
    // A folder of thousands of files would make a window no one can use, and cost memory.
    static constexpr int kMaxSchemes = 60;

    // Shows the schemes of these folders that can be read, each once.
    explicit SchemeChooser(const QStringList& folders, QWidget* parent = nullptr);
    ~SchemeChooser() override;

    // The *.Velmora files of the folders, sorted by name within each folder, each path once.
    static QStringList schemeFiles(const QStringList& folders);

    int count() const { return static_cast<int>(entries_.size()); }
    QString path(int index) const;
    QToolButton* button(int index) const;
    // Draws every picture for the current time.
    void redraw();

signals:
    // The user picked this scheme.
    void chosen(const QString& path);

private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> entries_;
    QTimer timer_;
};
