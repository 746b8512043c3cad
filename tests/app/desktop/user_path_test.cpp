// Paths as the user hands them over: a dropped URL and a name Qt's file dialog returns keep
// the bytes of a name that is not UTF-8.
#include "app/desktop/user_path.h"
#include "render/qt_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string bytesOf(const QString& path) {
    return qStringToPath(path).native();
}

TEST(UserPathTest, AFileUrlKeepsEveryByte) {
    EXPECT_EQ(bytesOf(UserPath::fromUrl(QUrl::fromEncoded("file:///tmp/r%E9d%0Ax.Velmora"))),
              "/tmp/r\xe9"
              "d\nx.Velmora");
    EXPECT_EQ(bytesOf(UserPath::fromUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/\u00e9 a")))),
              "/tmp/\xc3\xa9 a");
    EXPECT_TRUE(UserPath::fromUrl(QUrl(QStringLiteral("https://example.org/a"))).isEmpty());
}

// The dialog shows U+FFFD for each byte that is not UTF-8, in folders and names alike.
TEST(UserPathTest, ANameTheDialogShowsLeadsToItsFile) {
    QTemporaryDir folder;
    const std::string root = QFile::encodeName(folder.path()).toStdString();
    const std::string odd = root + "/d\xe9r/\xe9t\xe9.Velmora";
    ASSERT_EQ(::mkdir((root + "/d\xe9r").c_str(), 0700), 0);
    const int fd = ::open(odd.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QString shown = QFile::decodeName(QByteArray::fromStdString(odd));
    EXPECT_EQ(bytesOf(UserPath::fromDialog(shown)), odd);
    // A new name typed for Save As, and a name that exists as given, stay as they are.
    const QString fresh =
        QFile::decodeName(QByteArray::fromStdString(root + "/d\xe9r/new.Velmora"));
    EXPECT_EQ(bytesOf(UserPath::fromDialog(fresh)), root + "/d\xe9r/new.Velmora");
    EXPECT_EQ(UserPath::fromDialog(folder.path()), folder.path());
    EXPECT_EQ(bytesOf(UserPath::absolute(pathToQString(std::filesystem::path(odd + "/../x")))),
              root + "/d\xe9r/x");
    ::unlink(odd.c_str());
    ::rmdir((root + "/d\xe9r").c_str());
}

} // namespace
