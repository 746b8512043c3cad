// The "Web help" links: the bundled user pages, an optional web base and the feedback address.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

enum class HelpLink {
    Site,
    Usage,
    Customizing,
    Faq,
    Feedback,
    Download,
};

// Where the links point. The build fills it from its cache variables; tests make their own.
struct HelpConfig {
    // An http(s) base gets the page paths ("/usage", ...) appended as they are. Empty, or a
    // file: URL, means pages on disk: docsDir, or the folder of the file: URL.
    QString baseUrl;
    // Empty means this copy has no address to send feedback to.
    QString feedbackAddress;
    QString docsDir;

    static HelpConfig fromBuild();
};

// The bundled pages: <executable dir>/../share/velmora/docs (the data folder) when installed, else
// the source tree's docs/ folder, so a program run from its build folder finds them too.
QString findDocsDir(const QString& executableDir, const QString& sourceDocsDir);

// Empty for the feedback link when no address is configured.
QUrl helpUrl(HelpLink link, const HelpConfig& config = HelpConfig::fromBuild());

// What the program says instead of opening a mail program without an address: where the
// user can report instead.
QString feedbackUnsetMessage();
// What the program says when the desktop has no mail program for the address: the address
// itself, to copy into whatever the user writes mail with.
QString feedbackAddressMessage(const QString& address);

// Opens the link with the desktop's handler; false when there was nothing to open or the
// desktop could not open it, which the caller may ignore. Feedback that cannot be sent by
// mail says where it can go instead.
bool openHelpLink(HelpLink link, QWidget* parent,
                  const HelpConfig& config = HelpConfig::fromBuild());
