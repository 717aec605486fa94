// The screens in every language: the Language page and a switch through all four, which
// keeps what the operator typed; every page and dialog pictured per language under
// <build>/test-artifacts/screens/<language>/; every text measured against the widget that
// shows it; every character of the translations in the fonts the device has; and every
// translation finished.
#include "app/gdata.h"
#include "core/settings.h"
#include "testkit/window_fixture.h"
#include "ui/clockdlg.h"
#include "ui/device_dialog.h"
#include "ui/history_controller.h"
#include "ui/keypaddlg.h"
#include "ui/language.h"
#include "ui/maildlg.h"
#include "ui/maindialog.h"
#include "ui/msgdialog.h"
#include "ui/numkeypaddlg.h"
#include "ui/reasondlg.h"
#include "ui/settings_controller.h"
#include "ui/status_bar.h"
#include "ui/text_fit.h"
#include "ui/timedlg.h"
#include "ui/uploaddlg.h"
#include "ui/versiondlg.h"
#include "ui/wifipwddlg.h"
#include "ui/zonedlg.h"

#include <QDir>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QStackedWidget>
#include <QTableView>
#include <QTextLayout>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QStringList kCodes{"en", "hi", "zh_CN", "fil"};

// The messages of a translation file: context, source and translation.
struct Entry {
    QString context, source, translation;
    bool finished = true;
};
QList<Entry> entriesOf(const QString& code) {
    QFile file(VISTREL_SOURCE_DIR "/translations/vistrel_" + code + ".ts");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Entry> entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry e;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            e = {context, xml.readElementText(QXmlStreamReader::IncludeChildElements), {}, true};
        else if (xml.name() == u"translation") {
            e.finished = xml.attributes().value("type").isEmpty();
            e.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries << e;
        }
    }
    return entries;
}

// Every text of a window that does not fit its widget.
QStringList clipsIn(QWidget* window) {
    QStringList clips;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString why = text_fit::clipOf(w);
        if (!why.isEmpty())
            clips << w->objectName() + ": " + why;
    }
    return clips;
}

} // namespace

class TstLanguages : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    void click(const char* name) { widget<QPushButton>(name)->click(); }
    void choose(const QString& code) {
        const char* const rows[] = {"buttonLanguageEnglish2", "buttonLanguageHindi2",
                                    "buttonLanguageChinese2", "buttonLanguageFilipino2"};
        click(rows[kCodes.indexOf(code)]);
        QCoreApplication::processEvents(); // the LanguageChange Qt posts
    }
    bool save(QWidget* w, const QString& code, const QString& name) {
        QDir().mkpath(QStringLiteral(VISTREL_TEST_ARTIFACTS) + "/screens/" + code);
        return testkit::saveScreen(w, code + "/" + name);
    }

private slots:
    void init() { m_fx = std::make_unique<testkit::WindowFixture>(); }
    void cleanup() {
        m_fx->window().languages().apply("en");
        m_fx.reset();
    }

    // Reached from the setup page; the choice applies at once, is stored, keeps a typed
    // name, and a factory reset brings English back.
    void switchThroughAllFour() {
        widget<QLineEdit>("editName")->setText("Asha");
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonSetup");
        click("buttonLanguage");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(),
                 int(MainDialog::PageLanguage));
        const QStringList titles{"Language", QString::fromUtf8("भाषा"), QString::fromUtf8("语言"),
                                 "Wika"};
        for (const QString& code : {QString("hi"), QString("zh_CN"), QString("fil")}) {
            choose(code);
            QCOMPARE(m_fx->window().languages().current(), code);
            QCOMPARE(m_fx->data().settings().language(), code);
            QCOMPARE(widget<QLabel>("labelLanguageTitle")->text(), titles[kCodes.indexOf(code)]);
            QCOMPARE(widget<QLineEdit>("editName")->text(), QString("Asha"));
            QCOMPARE(widget<QLabel>("labelReferral")->text(), QString("Arnold"));
            QVERIFY(save(&m_fx->window(), code, "pageLanguage"));
        }
        choose("en");
        QCOMPARE(widget<QPushButton>("buttonLanguage")->text(), QString("Language"));
        choose("zh_CN");
        testkit::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("buttonLeft1")->click(); },
                             1, "MsgDialog");
        m_fx->window().settings().on_buttonFactory_clicked();
        QCoreApplication::processEvents();
        QCOMPARE(m_fx->window().languages().current(), QString("en"));
        QCOMPARE(widget<QPushButton>("buttonLanguage")->text(), QString("Language"));
    }

    // Every page and dialog in every language: pictured, and no text clipped.
    void everyTextFits_data() {
        QTest::addColumn<QString>("code");
        for (const QString& code : kCodes)
            QTest::newRow(qPrintable(code)) << code;
    }
    void everyTextFits() {
        QFETCH(QString, code);
        QVERIFY(m_fx->window().languages().apply(code));
        QCoreApplication::processEvents();
        QStringList clips;
        // A child with every outcome, on the list and the detail page.
        QVERIFY(
            testkit::writeFile(m_fx->board().appDir() + "/CAMCFG/result.txt",
                               QString::fromUtf8("Lán 兰,Female,2019-05-03|2026-12-10 09:00,-0.75,"
                                                 "-0.25,10,-1.25,-0.50,175,62.5,Pass\n"
                                                 "Lán 兰,Female,2019-05-03|2026-12-10 09:05,,,,,,,,"
                                                 "Unable to screen\n"
                                                 "Lán 兰,Female,2019-05-03|2026-12-10 09:10,-3.00,"
                                                 "-0.25,10,-1.25,-0.50,175,62.5,Refer\n")
                                   .toUtf8()));
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonHistory");
        auto* list = widget<QTableView>("tableViewSearchResult");
        m_fx->window().history().on_tableViewSearchResult_clicked(list->model()->index(0, 1));
        // The detail's cells: at most two lines in a row.
        auto* detail = widget<QTableView>("tableViewUserDetail");
        detail->ensurePolished();
        const QFontMetrics cellFont(detail->font());
        for (int r = 0; r < detail->model()->rowCount(); ++r)
            for (int c = 0; c < detail->model()->columnCount(); ++c) {
                const QString text = detail->model()->index(r, c).data().toString();
                const QRect room(0, 0, detail->columnWidth(c) - 4, detail->rowHeight(r));
                if (!room.contains(
                        cellFont.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text)))
                    clips << QString("detail cell \"%1\"").arg(text);
            }
        // The status bar's longest notice, as the window sets it.
        dialogs::setFittingText(widget<QLabel>("labelWaiting"), waitingText(12, true));
        auto* base = widget<QStackedWidget>("stackedWidgetBase");
        auto* main = widget<QStackedWidget>("stackedWidgetMain");
        auto* withMenu = widget<QStackedWidget>("stackedWidgetWithMenu");
        auto* noMenu = widget<QStackedWidget>("stackedWidgetNoMenu");
        base->setCurrentIndex(MainDialog::PageMain);
        for (int page = 0; page < withMenu->count(); ++page) {
            main->setCurrentIndex(0);
            withMenu->setCurrentIndex(page);
            QVERIFY(save(&m_fx->window(), code, withMenu->currentWidget()->objectName()));
        }
        for (int page = 0; page < noMenu->count(); ++page) {
            main->setCurrentIndex(1);
            noMenu->setCurrentIndex(page);
            QVERIFY(save(&m_fx->window(), code, noMenu->currentWidget()->objectName()));
        }
        main->setCurrentIndex(1);
        noMenu->setCurrentIndex(MainDialog::PageReferral);
        auto* referral = widget<QStackedWidget>("stackedWidgetReferral");
        for (int page = 0; page < referral->count(); ++page) {
            referral->setCurrentIndex(page);
            QVERIFY(save(&m_fx->window(), code, referral->currentWidget()->objectName()));
        }
        base->setCurrentIndex(MainDialog::PageWifi);
        QVERIFY(save(&m_fx->window(), code, "pageWIFI"));
        base->setCurrentIndex(MainDialog::PageCamera);
        QVERIFY(save(&m_fx->window(), code, "pageCamera"));
        clips << clipsIn(&m_fx->window());

        GData& data = m_fx->data();
        std::vector<std::pair<QString, std::unique_ptr<QWidget>>> dialogs;
        dialogs.emplace_back("ReasonDlg", std::make_unique<ReasonDlg>());
        dialogs.emplace_back("ClockDlg", std::make_unique<ClockDlg>("0", 0));
        dialogs.emplace_back("MailDlg", std::make_unique<MailDlg>());
        dialogs.emplace_back("KeypadDlg", std::make_unique<KeypadDlg>());
        dialogs.emplace_back("NumKeypadDlg", std::make_unique<NumKeypadDlg>());
        dialogs.emplace_back("TimeDlg", std::make_unique<TimeDlg>());
        dialogs.emplace_back("ZoneDlg", std::make_unique<ZoneDlg>());
        dialogs.emplace_back("UploadDlg", std::make_unique<UploadDlg>(UploadDlg::Upload, nullptr));
        dialogs.emplace_back("WifiPwdDlg", std::make_unique<WifiPwdDlg>());
        dialogs.emplace_back("versiondlg", std::make_unique<versiondlg>(data));
        for (auto& [name, dialog] : dialogs) {
            QVERIFY(save(dialog.get(), code, name));
            for (const QString& clip : clipsIn(dialog.get()))
                clips << name + "/" + clip;
        }
        // Every message, as a notice and as an error with its title.
        for (const Entry& e : entriesOf(code == "en" ? "hi" : code)) {
            if (e.context != "Messages")
                continue;
            for (bool asError : {false, true}) {
                MsgDialog box;
                if (asError)
                    box.Init("Error", e.source, "", "OK", "");
                else
                    box.Init(e.source, "", "Yes", "", "No");
                for (const QString& clip : clipsIn(&box))
                    clips << "MsgDialog \"" + e.source + "\"/" + clip;
            }
        }
        MsgDialog sample;
        sample.Init("Error", "No Response", "OK", "", "Unable to screen");
        QVERIFY(save(&sample, code, "MsgDialog"));
        if (!clips.isEmpty())
            qWarning().noquote() << code << "clips:\n" + clips.join('\n');
        QVERIFY2(clips.isEmpty(), qPrintable(QString("%1 texts do not fit").arg(clips.size())));
    }

    // Every character a translation uses is in the device's fonts: Latin in its own font,
    // anything else in an embedded one.
    void everyCharacterHasAGlyph() {
        m_fx->window().languages().loadFonts();
        QList<QRawFont> embedded;
        for (const QString& file : QDir(":/fonts").entryList(QDir::Files)) {
            QFile f(":/fonts/" + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            embedded << QRawFont(f.readAll(), 20);
            QVERIFY(embedded.last().isValid());
        }
        QCOMPARE(embedded.size(), 2);
        QStringList missing;
        for (const QString& code : {QString("hi"), QString("zh_CN"), QString("fil")})
            for (const Entry& e : entriesOf(code))
                for (QChar c : e.translation) {
                    if (c.unicode() < 0x250 || c.isSpace())
                        continue;
                    const bool found =
                        std::any_of(embedded.begin(), embedded.end(),
                                    [c](const QRawFont& f) { return f.supportsCharacter(c); });
                    if (!found)
                        missing << QString("%1 U+%2 in \"%3\"")
                                       .arg(code)
                                       .arg(c.unicode(), 4, 16, QChar('0'))
                                       .arg(e.translation);
                }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }

    // The embedded fonts only fill in: Latin letters, spaces and quotes keep the device's
    // own font, and Devanagari and Chinese come from the embedded ones.
    void embeddedFontsOnlyFillIn() {
        m_fx->window().languages().loadFonts();
        const QStringList embedded = m_fx->window().languages().embeddedFamilies();
        auto families = [](const QString& text) {
            QTextLayout layout(text, QApplication::font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            QStringList out;
            for (const QGlyphRun& run : layout.glyphRuns())
                out << run.rawFont().familyName();
            return out;
        };
        for (const QString& family : families(QString::fromUtf8("choose “Arnold” now")))
            QVERIFY2(!embedded.contains(family), qPrintable(family));
        QVERIFY(embedded.contains(families(QString::fromUtf8("भाषा")).value(0)));
        QVERIFY(embedded.contains(families(QString::fromUtf8("语言")).value(0)));
    }

    void everyTranslationFinished() {
        for (const QString& code : {QString("hi"), QString("zh_CN"), QString("fil")}) {
            const QList<Entry> entries = entriesOf(code);
            QVERIFY(entries.size() > 150);
            for (const Entry& e : entries) {
                QVERIFY2(e.finished && !e.translation.isEmpty(),
                         qPrintable(code + ": " + e.source));
                // The same arguments in the same number.
                QCOMPARE(e.translation.count("%1"), e.source.count("%1"));
            }
        }
    }
};

QTEST_MAIN(TstLanguages)
#include "tst_languages.moc"
