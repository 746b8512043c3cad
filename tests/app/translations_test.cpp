// The translations: every marked text translated in each language, the language chosen as the
// desktop asks, and dialogs that show every text whole in each language.
#include "app/alarms/clock_chimes.h"
#include "app/alarms/notifier.h"
#include "app/desktop/command_line.h"
#include "app/desktop/translation_loader.h"
#include "app/dialogs/scheme_chooser.h"
#include "app/editor/dialog_template.h"
#include "app/editor/options_dial.h"
#include "app/editor/timezones_dial.h"
#include "app/editor/zone_picker.h"
#include "app/planner/alarms_dialog.h"
#include "app/window/clock_menu.h"
#include "clock/clock.h"
#include "model/string_table.h"
#include "optiontree/option_tree_color_pop_up.h"
#include "optiontree/rtf_reader.h"
#include "optiontree/string_table_translation.h"
#include "resources/default_scheme.h"
#include "resources/string_table.h"
#include "tests/clock/memory_settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

const QString kFolder = QStringLiteral(VELMORA_TRANSLATIONS_DIR);
const QStringList kLanguages{QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es")};

struct Message {
    QString context;
    QString source;
};

// The texts the sources mark now, as the translation tools read them at build time.
std::vector<Message> markedTexts() {
    QFile file(kFolder + QStringLiteral("/velmora_sources.ts"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            messages.push_back({context, xml.readElementText()});
        }
    }
    return messages;
}

class Translated : public testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_TRUE(translator_.load(QStringLiteral("velmora_") + GetParam(), kFolder))
            << "no catalogue for " << GetParam().toStdString() << " in " << kFolder.toStdString();
    }
    bool has(const QString& context, const QString& source) const {
        return !translator_.translate(context.toUtf8().constData(), source.toUtf8().constData())
                    .isEmpty();
    }

    QTranslator translator_;
};

TEST_P(Translated, EveryMarkedTextHasATranslation) {
    const std::vector<Message> messages = markedTexts();
    // The menu, the dialogs and the string table hold far more; fewer means the list was not read.
    ASSERT_GT(messages.size(), 150u);
    for (const Message& message : messages) {
        EXPECT_TRUE(has(message.context, message.source))
            << GetParam().toStdString() << " lacks [" << message.context.toStdString() << "] \""
            << message.source.toStdString() << "\"";
    }
}

// The letter after "&" in a text, lower case; none without one ("&&" is a plain "&").
QChar acceleratorOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return text[i + 1].toLower();
            }
            ++i;
        }
    }
    return {};
}

// Each context holds one menu or dialog: its accelerators reach one item each, in every
// language. The dialog templates' texts are those of several dialogs, and the alarms dialog
// shows one page at a time: both are checked on the dialogs themselves (DialogsIn).
TEST_P(Translated, AcceleratorsAreUniqueWithinEachMenuAndDialog) {
    std::map<QString, std::map<QChar, QString>> taken;
    for (const Message& message : markedTexts()) {
        if (message.context == QLatin1String("DialogTemplate") ||
            message.context == QLatin1String("AlarmsDialog") ||
            acceleratorOf(message.source).isNull()) {
            continue;
        }
        const QString shown = translator_.translate(message.context.toUtf8().constData(),
                                                    message.source.toUtf8().constData());
        const QChar key = acceleratorOf(shown);
        EXPECT_FALSE(key.isNull()) << GetParam().toStdString() << " drops the accelerator of \""
                                   << message.source.toStdString() << "\"";
        auto [held, fresh] = taken[message.context].emplace(key, shown);
        EXPECT_TRUE(fresh || key.isNull())
            << GetParam().toStdString() << ": \"" << shown.toStdString() << "\" and \""
            << held->second.toStdString() << "\" share Alt+" << QString(key).toStdString();
    }
}

// The string table is translated at display time by its English texts; each label and
// description must be found so, whatever the list the tools read.
TEST_P(Translated, EveryStringTableTextHasATranslation) {
    for (const StringTableEntry& entry : stringTableEntries()) {
        const PropertyTexts texts = splitPropertyText(entry.text);
        for (const std::u16string* part : {&texts.label, &texts.description}) {
            if (!part->empty()) {
                EXPECT_TRUE(has(QStringLiteral("StringTable"), QString::fromStdU16String(*part)))
                    << GetParam().toStdString() << " lacks entry " << entry.id << ": \""
                    << QString::fromStdU16String(*part).toStdString() << "\"";
            }
        }
    }
}

// A description in rich text stays well-formed in translation: the pane shows all of it.
TEST_P(Translated, RichTextDescriptionsStayWellFormed) {
    for (const StringTableEntry& entry : stringTableEntries()) {
        const QString source = QString::fromStdU16String(splitPropertyText(entry.text).description);
        if (!RtfReader::looksLikeRtf(source)) {
            continue;
        }
        const QString text = translator_.translate("StringTable", source.toUtf8().constData());
        QTextDocument document;
        QString error;
        EXPECT_TRUE(RtfReader::read(text, document, &error))
            << GetParam().toStdString() << " entry " << entry.id << ": " << error.toStdString();
        EXPECT_GT(document.toPlainText().size(), source.size() / 2) << entry.id;
    }
}

// Software centres and file managers show these texts in the desktop's language: each text
// a packaging file carries in English it carries in every language the program claims.
TEST_P(Translated, PackagingTextsAreTranslatedWhole) {
    const QString folder = QStringLiteral(VELMORA_PACKAGING_DIR);
    for (const QString& name :
         {QStringLiteral("velmora.metainfo.xml"), QStringLiteral("velmora-mime.xml")}) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        std::map<QString, int> english;
        std::map<QString, int> translated;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            const QString element = xml.name().toString();
            // Release notes stay in English, as the changelog does.
            if (element == QLatin1String("releases")) {
                xml.skipCurrentElement();
                continue;
            }
            if (!QStringList{"summary", "p", "li", "keyword", "comment"}.contains(element) ||
                xml.attributes().hasAttribute(QStringLiteral("translate"))) {
                continue;
            }
            if (xml.attributes().value(QStringLiteral("xml:lang")).isEmpty()) {
                ++english[element];
            } else if (xml.attributes().value(QStringLiteral("xml:lang")) == GetParam()) {
                ++translated[element];
            }
        }
        ASSERT_FALSE(xml.hasError())
            << name.toStdString() << ": " << xml.errorString().toStdString();
        ASSERT_FALSE(english.empty()) << name.toStdString();
        for (const auto& [element, count] : english) {
            EXPECT_EQ(translated[element], count)
                << GetParam().toStdString() << " in " << name.toStdString() << ": <"
                << element.toStdString() << ">";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Translated, testing::ValuesIn(kLanguages),
                         [](const auto& info) { return info.param.toStdString(); });

TranslationLoader::Environment
environment(std::initializer_list<std::pair<const char*, const char*>> values) {
    std::map<std::string, QString> variables;
    for (const auto& [name, value] : values) {
        variables[name] = QString::fromLatin1(value);
    }
    return [variables](const char* name) {
        const auto found = variables.find(name);
        return found == variables.end() ? QString() : found->second;
    };
}

TEST(TranslationLoader, ReadsTheLanguageAsGettextDoes) {
    using L = TranslationLoader;
    EXPECT_EQ(L::wantedLanguages(environment({})), QStringList());
    EXPECT_EQ(L::wantedLanguages(environment({{"LANG", "de_DE.UTF-8"}})), QStringList{"de_DE"});
    EXPECT_EQ(L::wantedLanguages(environment({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR"}})),
              QStringList{"fr_FR"});
    EXPECT_EQ(
        L::wantedLanguages(environment({{"LC_MESSAGES", "fr_FR"}, {"LC_ALL", "es_ES.UTF-8@euro"}})),
        QStringList{"es_ES"});
    EXPECT_EQ(L::wantedLanguages(environment({{"LANGUAGE", "fr:de"}, {"LANG", "es_ES.UTF-8"}})),
              (QStringList{"fr", "de", "es_ES"}));
    // The C locale, which scripts and these tests set, keeps English whatever LANGUAGE says.
    EXPECT_EQ(L::wantedLanguages(environment({{"LANGUAGE", "de"}, {"LC_ALL", "C"}})),
              QStringList());
    EXPECT_EQ(L::wantedLanguages(environment({{"LANGUAGE", "de"}, {"LANG", "POSIX"}})),
              QStringList());
}

TEST(TranslationLoader, FallsBackFromTheRegionToTheLanguageAndToEnglish) {
    TranslationLoader austrian;
    EXPECT_TRUE(austrian.load({QStringLiteral("xx"), QStringLiteral("de_AT")}, {kFolder}));
    EXPECT_EQ(austrian.language(), QStringLiteral("de"));
    TranslationLoader klingon;
    EXPECT_FALSE(klingon.load({QStringLiteral("tlh")}, {kFolder}));
    EXPECT_EQ(klingon.language(), QString());
}

// Installs the language's catalogue for a test, and takes it out again.
class InLanguage {
public:
    explicit InLanguage(const QString& language) {
        if (!language.isEmpty() && loader_.load({language}, {kFolder})) {
            loader_.install();
        }
    }

private:
    TranslationLoader loader_;
};

std::string describe(const QWidget& widget, const QString& text) {
    return (widget.metaObject()->className() + QStringLiteral(" ") + widget.objectName() +
            QStringLiteral(" \"") + text + QStringLiteral("\""))
        .toStdString();
}

// The widgets of a dialog whose text does not fit them.
std::vector<std::string> clippedTexts(const QWidget& dialog) {
    std::vector<std::string> clipped;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisible()) {
            continue;
        }
        const QFontMetrics metrics = widget->fontMetrics();
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
            if (metrics.horizontalAdvance(text) + 2 * margin > button->width()) {
                clipped.push_back(describe(*widget, text));
            }
        } else if (const auto* check = qobject_cast<const QCheckBox*>(widget)) {
            if (check->sizeHint().width() > check->width()) {
                clipped.push_back(describe(*widget, check->text()));
            }
        } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->wordWrap() && label->textFormat() != Qt::RichText &&
                metrics.horizontalAdvance(label->text()) > label->contentsRect().width()) {
                clipped.push_back(describe(*widget, label->text()));
            }
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            if (metrics.horizontalAdvance(group->title()) > group->width()) {
                clipped.push_back(describe(*widget, group->title()));
            }
        }
    }
    return clipped;
}

class DialogsIn : public testing::TestWithParam<QString> {};

TEST_P(DialogsIn, NoTextIsWiderThanItsWidget) {
    const InLanguage language(GetParam());
    MemorySettings settings;
    {
        CTimezonesDial zones(settings);
        zones.show();
        QApplication::processEvents();
        for (const std::string& text : clippedTexts(zones)) {
            ADD_FAILURE() << "time zones: " << text;
        }
        if (GetParam().isEmpty()) {
            // The table's own size where no text asks for more.
            EXPECT_EQ(zones.size(), DialogUnits(zones.font()).toPixels(QSize(257, 226)));
        }
    }
    {
        // Without schemes the chooser says so in a line of its own.
        SchemeChooser chooser({});
        chooser.show();
        QApplication::processEvents();
        for (const std::string& text : clippedTexts(chooser)) {
            ADD_FAILURE() << "schemes: " << text;
        }
    }
    Clock clock;
    clock.adopt(*readDefaultScheme());
    COptionsDial customize(clock, settings);
    customize.show();
    QApplication::processEvents();
    for (const std::string& text : clippedTexts(customize)) {
        ADD_FAILURE() << "customize: " << text;
    }
    if (GetParam().isEmpty()) {
        // In English every button keeps the place its table gives it.
        const DialogUnits units(customize.font());
        for (const TemplateItem& item : COptionsDial::dialogTemplate().items) {
            if (item.kind == TemplateItem::Kind::Button ||
                item.kind == TemplateItem::Kind::DefaultButton) {
                const auto* button = customize.findChild<QWidget*>(QString::fromUtf8(item.name));
                ASSERT_NE(button, nullptr) << item.name;
                EXPECT_EQ(button->geometry(), units.toPixels(item.units)) << item.name;
            }
        }
    }
}

// What is wrong with the accelerators of what a window shows now: two controls with one letter
// (Alt+letter would reach only the first), or a button or check box without a letter. A text
// shown on several buttons at once (a row repeated for each sound) cannot be told apart by a
// letter and needs none; nor do the small tool buttons.
std::vector<std::string> acceleratorFaults(const QWidget& window) {
    std::vector<QString> texts;
    std::vector<const QAbstractButton*> buttons;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) {
            continue;
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts.push_back(button->text());
            if (widget->inherits("QToolButton") == false) {
                buttons.push_back(button);
            }
        } else if (const auto* label = qobject_cast<const QLabel*>(widget);
                   label != nullptr && label->buddy() != nullptr) {
            texts.push_back(label->text());
        } else if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
            for (int tab = 0; tab < bar->count(); ++tab) {
                texts.push_back(bar->tabText(tab));
            }
        }
    }
    std::vector<std::string> faults;
    std::map<QChar, QString> taken;
    for (const QString& text : texts) {
        const QChar key = acceleratorOf(text);
        if (key.isNull()) {
            continue;
        }
        const auto [held, fresh] = taken.emplace(key, text);
        if (!fresh) {
            faults.push_back(
                ("\"" + text + "\" and \"" + held->second + "\" share Alt+" + key).toStdString());
        }
    }
    for (const QAbstractButton* button : buttons) {
        const QString text = button->text();
        const bool hasLetter =
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        if (hasLetter && acceleratorOf(text).isNull() &&
            std::count(texts.begin(), texts.end(), text) == 1) {
            faults.push_back(("\"" + text + "\" has no accelerator").toStdString());
        }
    }
    return faults;
}

class QuietNotifier : public Notifier {
public:
    void show(const Notice&, std::function<void(quint32 id)> shown) override { shown(1); }
    void close(quint32) override {}
};

// Each dialog's buttons, check boxes, field labels and tabs have a letter each, one letter
// reaching one control of what the dialog shows at a time (a page of the alarms dialog), in
// every language.
TEST_P(DialogsIn, EachDialogsControlsHaveAcceleratorsOfTheirOwn) {
    const InLanguage language(GetParam());
    MemorySettings settings;
    Clock clock;
    clock.adopt(*readDefaultScheme());
    const auto check = [](QWidget& dialog, const char* name) {
        dialog.show();
        QApplication::processEvents();
        for (const std::string& fault : acceleratorFaults(dialog)) {
            ADD_FAILURE() << GetParam().toStdString() << " " << name << ": " << fault;
        }
    };
    COptionsDial customize(clock, settings);
    check(customize, "customize");
    CTimezonesDial zones(settings);
    check(zones, "time zones");
    ZonePicker picker;
    check(picker, "zone picker");
    QuietNotifier notifier;
    AlarmService alarms(settings, notifier);
    ClockChimes chimes(settings);
    alarms.addAlarm(velmora::Alarm{60, 0, true, {}, 0, 0});
    alarms.addTimer(velmora::Timer{60, {}, 0, 0});
    AlarmsDialog planner(alarms, chimes, nullptr);
    for (int page = 0; page < planner.tabs()->count(); ++page) {
        planner.tabs()->setCurrentIndex(page);
        check(planner, "alarms");
    }
}

TEST_P(DialogsIn, TheMenuSpeaksTheLanguage) {
    const InLanguage language(GetParam());
    ClockMenu menu(QStringLiteral("Velmora"));
    const QString exit = menu.action(MenuCommand::Exit)->text();
    const QString expected = GetParam() == QLatin1String("de")   ? QStringLiteral("Bee&nden")
                             : GetParam() == QLatin1String("fr") ? QStringLiteral("&Quitter")
                             : GetParam() == QLatin1String("es") ? QStringLiteral("Sa&lir")
                                                                 : QStringLiteral("E&xit");
    EXPECT_EQ(exit, expected);
}

// Every item of the clock's menu has a letter of its own, in every language.
TEST_P(DialogsIn, EachMenuItemHasAnAcceleratorOfItsOwn) {
    const InLanguage language(GetParam());
    ClockMenu clockMenu(QStringLiteral("Velmora"));
    std::map<QChar, QString> taken;
    for (QAction* item : clockMenu.menu().actions()) {
        if (item->isSeparator() || item == clockMenu.action(MenuCommand::ClockTitle) ||
            item == clockMenu.action(MenuCommand::NextAlarm)) {
            continue;
        }
        const QChar key = acceleratorOf(item->text());
        EXPECT_FALSE(key.isNull()) << GetParam().toStdString() << ": \""
                                   << item->text().toStdString() << "\" has no accelerator";
        const auto [held, fresh] = taken.emplace(key, item->text());
        EXPECT_TRUE(fresh) << GetParam().toStdString() << ": \"" << item->text().toStdString()
                           << "\" and \"" << held->second.toStdString() << "\" share Alt+"
                           << QString(key).toStdString();
    }
    EXPECT_GE(taken.size(), 17u);
}

// The help reads as a table on an 80-column terminal in every language: the usage lines under
// each other, each option's description in one column, no line that the terminal wraps.
TEST_P(DialogsIn, TheHelpKeepsItsColumns) {
    const InLanguage language(GetParam());
    const QStringList lines = CommandLine::usage(QStringLiteral("velmora")).split(u'\n');
    ASSERT_GT(lines.size(), 10);
    const qsizetype program = lines[0].indexOf(QStringLiteral("velmora"));
    EXPECT_EQ(lines[1].indexOf(QStringLiteral("velmora")), program) << lines[1].toStdString();
    EXPECT_EQ(lines[2].indexOf(QStringLiteral("velmora")), program) << lines[2].toStdString();
    static const QRegularExpression option(QStringLiteral("^  \\S+( \\S+)? +(?=\\S)"));
    static const QRegularExpression continued(QStringLiteral("^ {3,}(?=\\S)"));
    qsizetype column = 0;
    int options = 0;
    for (const QString& line : lines) {
        EXPECT_LE(line.size(), 79) << GetParam().toStdString() << ": " << line.toStdString();
        QRegularExpressionMatch match = option.match(line);
        if (!match.hasMatch()) {
            match = continued.match(line);
            if (!match.hasMatch() || column == 0) {
                continue;
            }
        } else {
            ++options;
        }
        if (column == 0) {
            column = match.capturedLength();
        }
        EXPECT_EQ(match.capturedLength(), column)
            << GetParam().toStdString() << ": " << line.toStdString();
    }
    EXPECT_GE(options, 8);
}

// The colour grid's tool tips and a screen reader name each colour; in every language each
// name tells one colour.
TEST_P(DialogsIn, EachGridColourHasANameOfItsOwn) {
    const InLanguage language(GetParam());
    std::set<QString> names;
    for (int entry = 0; entry < static_cast<int>(kPopUpColors.size()); ++entry) {
        const QString name = COptionTreeColorPopUp::colorName(entry).trimmed();
        EXPECT_TRUE(names.insert(name).second)
            << GetParam().toStdString() << ": " << name.toStdString();
    }
    if (GetParam() == QLatin1String("fr")) {
        EXPECT_EQ(COptionTreeColorPopUp::colorName(0), QStringLiteral("Noir"));
    }
}

// Row labels join a label with what the element shows; the table's parts are translated, a
// format or a font name is not.
TEST(RowLabels, TranslateTheTablesPartsOnly) {
    EXPECT_EQ(translatedRowLabel(u"hand: minute (continuous) #2"),
              QStringLiteral("hand: minute (continuous) #2"));
    const InLanguage german(QStringLiteral("de"));
    EXPECT_EQ(translatedRowLabel(u"hand: minute (continuous) #2"),
              QStringLiteral("Zeiger: Minute (stufenlos) #2"));
    EXPECT_EQ(translatedRowLabel(u"hand second"), QStringLiteral("Zeiger Sekunde"));
    EXPECT_EQ(translatedRowLabel(u"digital display: %A #3"),
              QStringLiteral("Digitalanzeige: %A #3"));
    EXPECT_EQ(translatedRowLabel(u"digital display \"second\""),
              QStringLiteral("Digitalanzeige \"second\""));
    EXPECT_EQ(translatedRowLabel(u"round Sans"), QStringLiteral("round Sans"));
    EXPECT_EQ(translatedTableText(u"DejaVu Sans"), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(translatedTableEntry(49).left(9), QStringLiteral("VELMORA\n\n"));
    EXPECT_TRUE(translatedTableEntry(49).contains(QStringLiteral("Rechtsklick")));
    // A choice the model formats from a table pattern with a number.
    EXPECT_EQ(translatedTableText(u"CPU #0 performance (%)"),
              QStringLiteral("CPU 0 Auslastung (%)"));
    EXPECT_EQ(translatedTableText(u"CPU #x performance (%)"),
              QStringLiteral("CPU #x performance (%)"));
    const InLanguage french(QStringLiteral("fr"));
    // French labels start with a capital; what follows the colon does not.
    EXPECT_EQ(translatedRowLabel(u"hand: second #2"), QStringLiteral("Aiguille\u00a0: seconde #2"));
    EXPECT_EQ(translatedTableText(u"background image"), QStringLiteral("Image d’arrière-plan"));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogsIn,
                         testing::Values(QString(), QStringLiteral("de"), QStringLiteral("fr"),
                                         QStringLiteral("es")),
                         [](const auto& info) {
                             return info.param.isEmpty() ? std::string("en")
                                                         : info.param.toStdString();
                         });

} // namespace
