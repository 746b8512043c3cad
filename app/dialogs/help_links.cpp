// The "Web help" links: the bundled user pages, an optional web base and the feedback address.
#include "app/dialogs/help_links.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <array>

// VELMORA_SOURCE_DOCS_DIR, VELMORA_HELP_BASE_URL and VELMORA_FEEDBACK_ADDRESS come from the build
// (app/about_help.cmake).

namespace {

struct Page {
    HelpLink link;
    const char* path; // appended to a web base
    const char* file; // the bundled page; a file: URL cannot map "/usage" to a page by itself
};

constexpr std::array<Page, 5> kPages{{
    {HelpLink::Site, "/", "index.html"},
    {HelpLink::Usage, "/usage", "usage.html"},
    {HelpLink::Customizing, "/customizing", "customizing.html"},
    {HelpLink::Faq, "/faq", "faq.html"},
    {HelpLink::Download, "/download", "download.html"},
}};

const Page* pageOf(HelpLink link) {
    for (const Page& page : kPages) {
        if (page.link == link) {
            return &page;
        }
    }
    return nullptr;
}

bool isWebUrl(const QUrl& url) {
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

QUrl webPageUrl(QString base, const Page& page) {
    while (base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    return QUrl(base + QLatin1String(page.path));
}

QUrl pageUrl(const Page& page, const HelpConfig& config) {
    const QUrl base(config.baseUrl.trimmed());
    if (isWebUrl(base)) {
        return webPageUrl(config.baseUrl.trimmed(), page);
    }
    const QString dir = base.isLocalFile() ? base.toLocalFile() : config.docsDir;
    return QUrl::fromLocalFile(QDir(dir).filePath(QLatin1String(page.file)));
}

QUrl feedbackUrl(const HelpConfig& config) {
    const QString address = config.feedbackAddress.trimmed();
    if (address.isEmpty()) {
        return {};
    }
    // The address goes into the path, so a '?' in it is encoded and cannot smuggle in headers.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    return url;
}

void showFeedbackNote(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("VELMORA"), text, QMessageBox::Ok,
                    parent);
    // The address or the advice is there to be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace

HelpConfig HelpConfig::fromBuild() {
    return {QStringLiteral(VELMORA_HELP_BASE_URL), QStringLiteral(VELMORA_FEEDBACK_ADDRESS),
            findDocsDir(QCoreApplication::applicationDirPath(),
                        QStringLiteral(VELMORA_SOURCE_DOCS_DIR))};
}

QString findDocsDir(const QString& executableDir, const QString& sourceDocsDir) {
    const QString installed =
        QDir::cleanPath(executableDir + QStringLiteral("/" VELMORA_DATA_FROM_BIN "/docs"));
    if (!executableDir.isEmpty() && QFileInfo(installed).isDir()) {
        return installed;
    }
    return sourceDocsDir;
}

QUrl helpUrl(HelpLink link, const HelpConfig& config) {
    if (link == HelpLink::Feedback) {
        return feedbackUrl(config);
    }
    const Page* page = pageOf(link);
    return page != nullptr ? pageUrl(*page, config) : QUrl();
}

QString feedbackUnsetMessage() {
    return QCoreApplication::translate(
        "HelpLinks",
        "This copy of Velmora has no feedback address set up, so no e-mail can be started.\n\n"
        "To report a fault or suggest an improvement, please contact whoever provided this "
        "copy, for example your distribution's bug tracker or the maintainer of the package "
        "you installed.\n\nThe FAQ in the \"Web help\" menu may already answer your "
        "question.");
}

QString feedbackAddressMessage(const QString& address) {
    return QCoreApplication::translate("HelpLinks",
                                       "No mail program could be started.\n\nPlease send your "
                                       "feedback by e-mail to:\n%1")
        .arg(address);
}

bool openHelpLink(HelpLink link, QWidget* parent, const HelpConfig& config) {
    const QUrl url = helpUrl(link, config);
    if (url.isEmpty()) {
        showFeedbackNote(parent, feedbackUnsetMessage());
        return false;
    }
    if (QDesktopServices::openUrl(url)) {
        return true;
    }
    if (link == HelpLink::Feedback) {
        showFeedbackNote(parent, feedbackAddressMessage(url.path()));
    }
    return false;
}
