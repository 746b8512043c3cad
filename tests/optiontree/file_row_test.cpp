// The file row: the dialog it asks for, the filter in Qt's form, the lines it shows, its height
// with several paths, its commits, and a file property edited through it.
#include "model/file_property.h"
#include "optiontree/option_tree_item_file.h"
#include "row_test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <iterator>

namespace {

using rowtest::RowTest;
using Mode = COptionTreeFileDlg::Mode;
constexpr int kChanged = OptionTreeNotify::kItemChanged;
constexpr std::uint32_t kMustExist =
    FileDialogFlag::kPathMustExist | FileDialogFlag::kFileMustExist;

struct FilterRow {
    const char* name;
    const char* filter;
    QStringList expected;
};

// Named rows print by name (the padding between members is not initialised).
void PrintTo(const FilterRow& row, std::ostream* out) {
    *out << row.name;
}

class FileDlgFilterTest : public testing::TestWithParam<FilterRow> {};

TEST_P(FileDlgFilterTest, BecomesQtNameFilters) {
    EXPECT_EQ(COptionTreeFileDlg::toNameFilters(QString::fromUtf8(GetParam().filter)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileDlgFilterTest,
    testing::Values(FilterRow{"AllFiles", "All files (*.*)|*.*|", {"All files (*)"}},
                    FilterRow{"PatternsAdded", "Images|*.png;*.jpg|", {"Images (*.png *.jpg)"}},
                    FilterRow{"BracketsRewritten",
                              "Images (*.png;*.jpg)|*.png;*.jpg|",
                              {"Images (*.png *.jpg)"}},
                    FilterRow{"OtherBracketsKeptAndPatternsAdded",
                              "Pictures (PNG, JPEG)|*.png; *.jpg|Text|*.txt|",
                              {"Pictures (PNG, JPEG) (*.png *.jpg)", "Text (*.txt)"}},
                    FilterRow{"NoFinalBar", "Docs|*.doc", {"Docs (*.doc)"}},
                    // Names without a dot count as files too.
                    FilterRow{"EveryFileWithoutDot", "Everything|*.*|", {"Everything (*)"}},
                    FilterRow{"DescriptionWithoutPattern", "Docs|", {}},
                    FilterRow{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct DialogRow {
    const char* name;
    std::uint32_t rowOptions;
    std::uint32_t flags;
    Mode mode;
    QFileDialog::FileMode fileMode;
    QFileDialog::Options options;
};

void PrintTo(const DialogRow& row, std::ostream* out) {
    *out << row.name;
}

class FileDlgModeTest : public testing::TestWithParam<DialogRow> {};

TEST_P(FileDlgModeTest, FollowsTheRowOptionsAndTheFlags) {
    const DialogRow& row = GetParam();
    COptionTree tree(0);
    auto* item = static_cast<COptionTreeItemFile*>(tree.insertRow(RowKind::File, nullptr));
    item->setFileDialog(u"/tmp/a.png", u".png", u"All files (*.*)|*.*|", row.flags);
    ASSERT_TRUE(item->createEditor(row.rowOptions));
    const COptionTreeFileDlg dialog = item->dialog();
    EXPECT_EQ(dialog.mode(), row.mode);
    EXPECT_EQ(dialog.fileMode(), row.fileMode);
    EXPECT_EQ(dialog.options(), row.options);
    EXPECT_EQ(dialog.acceptMode(),
              row.mode == Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.initialPath(), "/tmp/a.png");
    if (row.mode == Mode::Folder) {
        EXPECT_EQ(dialog.title(), "Select Folder");
    } else {
        EXPECT_EQ(dialog.defaultSuffix(), "png");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"All files (*)"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FileDlgModeTest,
    testing::Values(
        DialogRow{"OpenExisting",
                  FileRowOption::kOpenDialog | FileRowOption::kShowName,
                  kMustExist,
                  Mode::Open,
                  QFileDialog::ExistingFile,
                  {}},
        DialogRow{"OpenMany",
                  FileRowOption::kOpenDialog,
                  FileDialogFlag::kAllowMultiSelect,
                  Mode::Open,
                  QFileDialog::ExistingFiles,
                  {}},
        DialogRow{
            "OpenAnyName", FileRowOption::kOpenDialog, 0, Mode::Open, QFileDialog::AnyFile, {}},
        DialogRow{"SaveSilently", 0, 0, Mode::Save, QFileDialog::AnyFile,
                  QFileDialog::DontConfirmOverwrite},
        DialogRow{"SaveAsking",
                  0,
                  FileDialogFlag::kOverwritePrompt,
                  Mode::Save,
                  QFileDialog::AnyFile,
                  {}},
        DialogRow{"FolderWinsOverOpen", FileRowOption::kFolder | FileRowOption::kOpenDialog,
                  FileDialogFlag::kNoDereferenceLinks, Mode::Folder, QFileDialog::Directory,
                  QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileDlgExecTest, TheRealDialogIsSetUpFromTheDescriptionAndCancelGivesNothing) {
    QTemporaryDir folder;
    const QString start = folder.filePath("start.png");
    const COptionTreeFileDlg description(Mode::Save, start, QStringLiteral(".png"),
                                         "Images|*.png;*.jpg|All files (*.*)|*.*|", 0);
    QFileDialog* seen = nullptr;
    QStringList filters;
    QString suffix;
    QString directory;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (seen != nullptr) {
            filters = seen->nameFilters();
            suffix = seen->defaultSuffix();
            directory = seen->directory().absolutePath();
            EXPECT_EQ(seen->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(seen->testOption(QFileDialog::DontConfirmOverwrite));
            seen->reject();
        }
    });
    EXPECT_FALSE(description.exec(nullptr).has_value());
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(filters, (QStringList{"Images (*.png *.jpg)", "All files (*)"}));
    EXPECT_EQ(suffix, "png");
    EXPECT_EQ(directory, QDir(folder.path()).absolutePath());
}

// A file known only by name, or whose folder is gone, starts the dialog in the user's
// pictures (else home), not in the program's working folder.
TEST(FileDlgExecTest, AFileWithoutAFolderHereStartsWhereThePicturesAre) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    EXPECT_EQ(COptionTreeFileDlg::startFolder(), QDir::homePath()) << "no pictures folder yet";
    ASSERT_TRUE(QDir().mkpath(home.filePath("Pictures")));
    for (const char* path : {"night.png", "/gone/folder/night.png"}) {
        const COptionTreeFileDlg description(Mode::Open, path, {}, "Images|*.png|", 0);
        QString directory;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                directory = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        description.exec(nullptr);
        EXPECT_EQ(directory, COptionTreeFileDlg::startFolder()) << path;
    }
    qputenv("HOME", savedHome);
}

// With a preview, the dialog shows the picture of the file under the cursor, and says so
// where a file has none.
TEST(FileDlgExecTest, APreviewShowsTheFileUnderTheCursor) {
    QTemporaryDir folder;
    const QString picture = folder.filePath("dial.png");
    const QString text = folder.filePath("notes.txt");
    std::ofstream(text.toStdString()) << "no picture";
    QImage red(400, 200, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));
    COptionTreeFileDlg description(Mode::Open, picture, {}, "Images|*.png|", 0);
    QStringList asked;
    description.setPreview([&](const QString& path, const QSize& within) {
        asked.append(path);
        const QImage image(path);
        return image.isNull() ? image : image.scaled(within, Qt::KeepAspectRatio);
    });
    QLabel* shown = nullptr;
    QSize first;
    QString second;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        shown = dialog->findChild<QLabel*>("preview");
        if (shown != nullptr) {
            first = shown->pixmap().deviceIndependentSize().toSize();
            emit dialog->currentChanged(text);
            second = shown->pixmap().isNull() ? shown->text() : QString("a picture");
        }
        dialog->reject();
    });
    EXPECT_FALSE(description.exec(nullptr).has_value());
    ASSERT_NE(shown, nullptr);
    const int side = COptionTreeFileDlg::kPreviewSide;
    EXPECT_EQ(first, QSize(side, side / 2)) << "the picture fills the preview's width";
    EXPECT_EQ(second, "No preview");
    EXPECT_EQ(asked, (QStringList{picture, text}));
}

class FileRowTest : public RowTest {
protected:
    void SetUp() override {
        RowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        existing = folder.filePath("face.plate.png");
        writeFile(existing, "PNG bytes");
    }

    static void writeFile(const QString& path, const std::string& bytes) {
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }

    COptionTreeItemFile* insertFile(std::uint32_t options, const QStringList& paths) {
        auto* row = insert<COptionTreeItemFile>(RowKind::File, options);
        if (row != nullptr) {
            row->setPaths(paths);
        }
        layout();
        return row;
    }

    QTemporaryDir folder;
    QString existing;
};

TEST_F(FileRowTest, ShowsThePartTheFirstDisplayOptionAsksFor) {
    const QString missing = folder.filePath("gone.png");
    const QStringList both{existing, missing};
    EXPECT_EQ(insertFile(FileRowOption::kShowPath | FileRowOption::kShowName, both)->displayLines(),
              both);
    EXPECT_EQ(
        insertFile(FileRowOption::kShowName | FileRowOption::kShowTitle, both)->displayLines(),
        QStringList{"face.plate.png"});
    EXPECT_EQ(insertFile(FileRowOption::kShowTitle, both)->displayLines(),
              QStringList{"face.plate"});
    EXPECT_EQ(insertFile(FileRowOption::kShowName, {missing})->displayLines(),
              QStringList{"No selection made."});
    EXPECT_EQ(insertFile(0, {})->displayLines(), QStringList{"No selection made."});
}

TEST_F(FileRowTest, ThreeChosenPathsGrowTheRowWithItsLabelAtTheTopAndOneShrinksItBack) {
    auto* row = insertFile(FileRowOption::kOpenDialog | FileRowOption::kShowPath, {existing});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->height(), COptionTreeItem::kDefaultHeight);
    EXPECT_FALSE(row->isLabelAtTop());

    QStringList answer{"/a/one.png", "/a/two.png", "/a/three.png"};
    QString offeredPath;
    row->setDialogRunner([&](const COptionTreeFileDlg& dialog, QWidget* parent) {
        offeredPath = dialog.initialPath();
        EXPECT_EQ(parent, tree.get());
        return std::optional<QStringList>(answer);
    });
    clickValue(row);
    EXPECT_EQ(offeredPath, existing);
    EXPECT_EQ(row->paths(), answer);
    EXPECT_EQ(row->text(), u"/a/one.png");
    EXPECT_EQ(row->height(), 3 * row->lineHeight() + 5);
    EXPECT_TRUE(row->isLabelAtTop());
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    layout();
    EXPECT_EQ(row->valueRect().height(), row->height() - 1);

    answer = QStringList{"/a/four.png"};
    clickValue(row);
    EXPECT_EQ(row->height(), COptionTreeItem::kDefaultHeight);
    EXPECT_FALSE(row->isLabelAtTop());
    EXPECT_EQ(receiver.count(kChanged, row), 2);
}

TEST_F(FileRowTest, ACancelledDialogChangesNothingAndSendsNothing) {
    auto* row = insertFile(FileRowOption::kOpenDialog, {existing});
    ASSERT_NE(row, nullptr);
    int runs = 0;
    row->setDialogRunner([&](const COptionTreeFileDlg&, QWidget*) {
        ++runs;
        return std::optional<QStringList>();
    });
    clickValue(row);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(row->paths(), QStringList{existing});
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(FileRowTest, ARowDeletedWhileItsDialogIsUpTakesNoChoice) {
    auto* row = insertFile(FileRowOption::kOpenDialog, {existing});
    ASSERT_NE(row, nullptr);
    row->setDialogRunner([this, row](const COptionTreeFileDlg&, QWidget*) {
        tree->deleteItem(row);
        return std::optional<QStringList>(QStringList{"/a/b.png"});
    });
    clickValue(row);
    EXPECT_EQ(group->firstChild(), nullptr);
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(FileRowTest, MakesItsEditorOnceAndOnlyInATree) {
    COptionTreeItemFile loose;
    EXPECT_FALSE(loose.createEditor(0));
    loose.setText(u"/x/y.png");
    EXPECT_EQ(loose.text(), u"/x/y.png");
    loose.setText(u"");
    EXPECT_TRUE(loose.paths().isEmpty());

    auto* row = insertFile(0, {});
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->createEditor(0));
}

TEST_F(FileRowTest, AFilePropertyCarriesTheFileChosenInItsRow) {
    FileProperty property(u"Background", 0, existing.toStdU16String());
    ASSERT_NE(property.createItem(*tree, group), nullptr);
    auto* row = dynamic_cast<COptionTreeItemFile*>(group->firstChild());
    ASSERT_NE(row, nullptr);
    layout();
    EXPECT_EQ(row->displayLines(), QStringList{"face.plate.png"});

    const QString chosen = folder.filePath("other.png");
    writeFile(chosen, "other picture");
    row->setDialogRunner([&](const COptionTreeFileDlg& dialog, QWidget*) {
        EXPECT_EQ(dialog.mode(), Mode::Open);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(),
                  (QStringList{"Images (*.png *.jpg *.jpeg *.gif *.bmp)", "All files (*)"}));
        return std::optional<QStringList>(QStringList{chosen});
    });
    clickValue(row);
    ASSERT_EQ(receiver.count(kChanged, row), 1);
    property.commitItem();
    EXPECT_EQ(property.sourcePath(), chosen.toStdU16String());
    std::ifstream carried(property.temporaryFilePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(carried), {}), "other picture");
}

} // namespace
