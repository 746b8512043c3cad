// "Schemes...": the installed examples and the user's own schemes as pictures of the clock at
// the current time, drawn by the renderer and kept running; a click applies one.
#include "app/dialogs/scheme_chooser.h"

#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "render/qt_canvas.h"
#include "render/qt_text.h"
#include "time/packed_date_time.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 4;
constexpr int kRedrawMs = 1000;

} // namespace

struct SchemeChooser::Entry {
    QString path;
    std::unique_ptr<Clock> clock;
    QToolButton* button = nullptr;
};

QStringList SchemeChooser::schemeFiles(const QStringList& folders) {
    QStringList files;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        const QFileInfoList found =
            QDir(folder).entryInfoList({QStringLiteral("*.Velmora"), QStringLiteral("*.velmora")},
                                       QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : found) {
            const QString path = file.canonicalFilePath();
            if (!path.isEmpty() && !files.contains(path)) {
                files.append(path);
            }
        }
    }
    return files;
}

SchemeChooser::SchemeChooser(const QStringList& folders, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("SchemeChooser", "Schemes"));
    auto* grid = new QGridLayout;
    for (const QString& file : schemeFiles(folders)) {
        if (count() == kMaxSchemes) {
            break;
        }
        // A file that is no scheme is left out rather than shown as a blank.
        std::unique_ptr<Clock> clock = readSchemeFile(qStringToPath(file), nullptr);
        if (clock == nullptr) {
            continue;
        }
        auto entry = std::make_unique<Entry>();
        entry->path = file;
        entry->clock = std::move(clock);
        entry->button = new QToolButton(this);
        entry->button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        entry->button->setIconSize(QSize(kPictureSide, kPictureSide));
        entry->button->setText(QFileInfo(file).completeBaseName());
        entry->button->setToolTip(QDir::toNativeSeparators(file));
        entry->button->setAutoRaise(true);
        connect(entry->button, &QToolButton::clicked, this, [this, file] { emit chosen(file); });
        grid->addWidget(entry->button, count() / kColumns, count() % kColumns);
        entries_.push_back(std::move(entry));
    }
    auto* content = new QWidget;
    content->setLayout(grid);
    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    if (entries_.empty()) {
        layout->addWidget(
            new QLabel(QCoreApplication::translate("SchemeChooser", "No schemes were found.")));
    } else {
        layout->addWidget(scroll);
    }
    redraw();
    // The pictures show the time, so they move on with it while the window is open.
    timer_.setInterval(kRedrawMs);
    connect(&timer_, &QTimer::timeout, this, &SchemeChooser::redraw);
    timer_.start();
}

SchemeChooser::~SchemeChooser() = default;

QString SchemeChooser::path(int index) const {
    return entries_.at(static_cast<std::size_t>(index))->path;
}

QToolButton* SchemeChooser::button(int index) const {
    return entries_.at(static_cast<std::size_t>(index))->button;
}

void SchemeChooser::redraw() {
    const velmora::PackedDateTime now = velmora::currentUtcDateTime();
    const qreal ratio = devicePixelRatioF();
    const int side = static_cast<int>(kPictureSide * ratio);
    for (const auto& entry : entries_) {
        QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        {
            QtCanvas canvas(picture);
            entry->clock->layoutAndDraw(canvas, {0, 0, side, side}, now);
        }
        picture.setDevicePixelRatio(ratio);
        entry->button->setIcon(QIcon(QPixmap::fromImage(picture)));
    }
}
