// The help links: page and web URLs, the feedback address, the docs folder and its pages.
#include "app/dialogs/help_links.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct LinkRow {
    const char* name;
    HelpLink link;
    const char* page;
    const char* webPath;
};

const LinkRow kLinkRows[] = {
    {"Site", HelpLink::Site, "index.html", "/"},
    {"Usage", HelpLink::Usage, "usage.html", "/usage"},
    {"Customizing", HelpLink::Customizing, "customizing.html", "/customizing"},
    {"Faq", HelpLink::Faq, "faq.html", "/faq"},
    {"Download", HelpLink::Download, "download.html", "/download"},
};

QString buildDocsDir() {
    return HelpConfig::fromBuild().docsDir;
}

class PageLinkTest : public testing::TestWithParam<LinkRow> {};

TEST_P(PageLinkTest, DefaultsToTheBundledPage) {
    const LinkRow& row = GetParam();
    const QUrl url = helpUrl(row.link);
    ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    EXPECT_EQ(url.toLocalFile(), QDir(buildDocsDir()).filePath(QLatin1String(row.page)));
    EXPECT_TRUE(QFileInfo(url.toLocalFile()).isFile());
}

TEST_P(PageLinkTest, AWebBaseGetsThePathAppended) {
    const LinkRow& row = GetParam();
    for (const char* base : {"https://example.org/velmora", "https://example.org/velmora/"}) {
        const HelpConfig config{QLatin1String(base), {}, QStringLiteral("/unused")};
        EXPECT_EQ(helpUrl(row.link, config).toString(),
                  QStringLiteral("https://example.org/velmora") + QLatin1String(row.webPath));
    }
}

TEST_P(PageLinkTest, AFileBaseNamesAFolderOfPages) {
    const LinkRow& row = GetParam();
    const HelpConfig config{QStringLiteral("file:///opt/pages"), {}, QStringLiteral("/unused")};
    EXPECT_EQ(helpUrl(row.link, config),
              QUrl::fromLocalFile(QStringLiteral("/opt/pages/") + QLatin1String(row.page)));
}

INSTANTIATE_TEST_SUITE_P(Pages, PageLinkTest, testing::ValuesIn(kLinkRows),
                         [](const testing::TestParamInfo<LinkRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(HelpLinksTest, FeedbackIsAMailtoLinkOnlyWithAnAddress) {
    HelpConfig config{{}, {}, buildDocsDir()};
    EXPECT_TRUE(helpUrl(HelpLink::Feedback, config).isEmpty());
    config.feedbackAddress = QStringLiteral("   ");
    EXPECT_TRUE(helpUrl(HelpLink::Feedback, config).isEmpty());
    // Meant for the user: where to report, not how to build the program.
    EXPECT_TRUE(feedbackUnsetMessage().contains(QLatin1String("bug tracker")));
    EXPECT_FALSE(feedbackUnsetMessage().contains(QLatin1String("CMake")));

    config.feedbackAddress = QStringLiteral("clock@example.org");
    EXPECT_EQ(helpUrl(HelpLink::Feedback, config).toString(),
              QStringLiteral("mailto:clock@example.org"));

    // Whatever the address holds stays in the address: no extra recipients or body.
    config.feedbackAddress = QStringLiteral("a@example.org?cc=b@example.org&body=x");
    const QUrl smuggled = helpUrl(HelpLink::Feedback, config);
    EXPECT_FALSE(smuggled.hasQuery());
    EXPECT_EQ(smuggled.path(), config.feedbackAddress);
}

TEST(HelpLinksTest, DocsFolderPrefersTheInstalledLayout) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    EXPECT_EQ(findDocsDir(bin, QStringLiteral("/src/docs")), QStringLiteral("/src/docs"));

    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/velmora/docs")));
    EXPECT_EQ(findDocsDir(bin, QStringLiteral("/src/docs")),
              QDir::cleanPath(prefix.filePath(QStringLiteral("share/velmora/docs"))));
}

// Every relative link between the pages, and every #anchor, leads somewhere.
TEST(HelpLinksTest, EveryLinkBetweenThePagesResolves) {
    const QDir docs(buildDocsDir());
    const QStringList pages = docs.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 5);
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const QString& page : pages) {
        QFile file(docs.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const auto& match : href.globalMatch(html)) {
            const QString target = match.captured(1);
            SCOPED_TRACE((page + QStringLiteral(" -> ") + target).toStdString());
            ASSERT_FALSE(target.contains(QLatin1String("://")));
            ASSERT_FALSE(target.startsWith(QLatin1String("mailto:")));
            const QString path = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString linked = path.isEmpty() ? docs.filePath(page) : docs.filePath(path);
            ASSERT_TRUE(QFileInfo(linked).isFile());
            if (anchor.isEmpty()) {
                continue;
            }
            QFile target_file(linked);
            ASSERT_TRUE(target_file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(
                target_file.readAll().contains(QStringLiteral("id=\"%1\"").arg(anchor).toUtf8()));
        }
    }
}

class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

TEST(HelpLinksTest, OpeningGoesToTheDesktopOrExplainsAMissingAddress) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    const HelpConfig config{{}, {}, buildDocsDir()};

    EXPECT_TRUE(openHelpLink(HelpLink::Faq, nullptr, config));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], helpUrl(HelpLink::Faq, config));

    QString shown;
    QTimer::singleShot(50, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(openHelpLink(HelpLink::Feedback, nullptr, config));
    EXPECT_EQ(shown, feedbackUnsetMessage());
    EXPECT_EQ(catcher.opened.size(), 1);

    // With an address the mail program opens; without one on the desktop, the address is shown.
    HelpConfig withAddress = config;
    withAddress.feedbackAddress = QStringLiteral("clock@example.org");
    EXPECT_TRUE(openHelpLink(HelpLink::Feedback, nullptr, withAddress));
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[1], QUrl(QStringLiteral("mailto:clock@example.org")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    shown.clear();
    QTimer::singleShot(50, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(openHelpLink(HelpLink::Feedback, nullptr, withAddress));
    EXPECT_EQ(shown, feedbackAddressMessage(QStringLiteral("clock@example.org")));
    EXPECT_TRUE(shown.contains(QLatin1String("clock@example.org")));

    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

} // namespace

#include "help_links_test.moc"
