// The window as an operator sees it on a desktop: a real X window under Xvfb, placed away
// from the screen's corner, with the keyboards, a notice and the progress dialog over it.
// Each case checks the placement or the text and keeps a picture of the whole screen area
// of the window in <build>/test-artifacts/screens/.
#include "app/gdata.h"
#include "knobs.h"
#include "screening/screening_session.h"
#include "testkit/window_fixture.h"
#include "ui/maildlg.h"
#include "ui/maindialog.h"
#include "ui/msgdialog.h"
#include "ui/screening_controller.h"
#include "ui/uploaddlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest>

#include <functional>

namespace {

const QPoint kWindowOrigin(96, 64); // where a desktop might put the window

// The shown window of a class (with no window manager nothing is activated, so the active
// modal widget is not to be relied on).
QWidget* shownWindow(const QByteArray& className) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && QByteArray(w->metaObject()->className()) == className)
            return w;
    return nullptr;
}

// Once the next window of `className` has been shown for `settleMs`, runs `fn` on it;
// closes it afterwards unless `keepOpen`.
void whenModal(const QByteArray& className, int settleMs, std::function<void(QWidget*)> fn,
               bool keepOpen = false) {
    auto* poll = new QTimer(qApp);
    QTimer::singleShot(30000, poll, &QObject::deleteLater);
    QObject::connect(poll, &QTimer::timeout, [=] {
        QWidget* modal = shownWindow(className);
        if (!modal)
            return;
        poll->stop();
        QPointer<QWidget> target(modal);
        QTimer::singleShot(settleMs, qApp, [=] {
            if (target) {
                fn(target);
                if (!keepOpen)
                    target->close();
            }
        });
        poll->deleteLater();
    });
    poll->start(20);
}

// True when `text` laid out in `label` (its font, word wrap, alignment) fits inside it.
bool fitsIn(QLabel* label, const QString& text, int* lines = nullptr) {
    label->ensurePolished();
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetrics fm(label->font());
    // A label breaks a line once at "\r\n".
    const QRect needed = fm.boundingRect(room, flags, QString(text).replace("\r\n", "\n"));
    if (lines)
        *lines = (needed.height() + fm.lineSpacing() / 2) / fm.lineSpacing();
    return room.contains(needed);
}

} // namespace

class TstScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;

    MainDialog& window() { return m_fx->window(); }

    // The screen's pixels where the window is: the window and whatever is over it.
    QImage screenOfWindow() {
        const QRect r = window().frameGeometry();
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .toImage();
    }
    static bool save(const QImage& image, const QString& name) {
        const QString dir = QStringLiteral(VISTREL_TEST_ARTIFACTS) + "/screens";
        return image.save(dir + "/" + name + ".png");
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs a real X display (run under xvfb-run)");
    }

    void init() {
        m_fx = std::make_unique<testkit::WindowFixture>();
        window().move(kWindowOrigin);
        QTRY_COMPARE(window().frameGeometry().topLeft(), kWindowOrigin);
        m_fx->widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        m_fx->widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(0);
        m_fx->widget<QStackedWidget>("stackedWidgetWithMenu")->setCurrentIndex(0);
        QTest::qWait(100);
    }

    void cleanup() {
        m_fx.reset();
        testkit::services::clearKnob(serviceKnobs::kAnalysisDelayMs);
    }

    // The keyboards open inside the window, below the field they type into.
    void keyboardsOverTheInputPage_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("notice"); // a date left unfilled is refused afterwards
        QTest::newRow("name") << "editName"
                              << "KeypadDlg" << false;
        QTest::newRow("birth date") << "editDate"
                                    << "NumKeypadDlg" << true;
    }
    void keyboardsOverTheInputPage() {
        QFETCH(QString, edit);
        QFETCH(QString, dialog);
        QFETCH(bool, notice);
        auto* field = window().findChild<QLineEdit*>(edit);
        QVERIFY(field);
        QRect keyboard;
        QImage shot;
        bool seen = false;
        whenModal(dialog.toLatin1(), 300, [&](QWidget* w) {
            seen = true;
            keyboard = w->frameGeometry();
            shot = screenOfWindow();
            if (notice)
                whenModal("MsgDialog", 0, [](QWidget*) {});
        });
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(seen);
        QVERIFY(save(shot, "pageInfoInput_" + dialog));
        const QRect windowRect = window().frameGeometry();
        QVERIFY2(windowRect.contains(keyboard), qPrintable(QString("%1,%2 %3x%4")
                                                               .arg(keyboard.x())
                                                               .arg(keyboard.y())
                                                               .arg(keyboard.width())
                                                               .arg(keyboard.height())));
        const QRect fieldRect(field->mapToGlobal(QPoint(0, 0)), field->size());
        QVERIFY(!keyboard.intersects(fieldRect));
        QVERIFY(keyboard.top() >= fieldRect.bottom());
    }

    // The address dialog stays in view above the keyboard its field opens.
    void mailDialogWithItsKeyboard() {
        m_fx->widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(1);
        m_fx->widget<QStackedWidget>("stackedWidgetNoMenu")
            ->setCurrentIndex(MainDialog::PageHistory);
        MailDlg mail;
        QRect keyboard, field;
        QImage shot;
        whenModal("MailDlg", 200, [&](QWidget* w) {
            auto* edit = w->findChild<QLineEdit*>("editEmail");
            edit->setText("nurse@clinic.test");
            field = QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size());
            whenModal("KeypadDlg", 300, [&](QWidget* k) {
                keyboard = k->frameGeometry();
                shot = screenOfWindow();
            });
            QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(10, 10));
        });
        mail.exec();
        QVERIFY(!shot.isNull());
        QVERIFY(save(shot, "MailDlg_KeypadDlg"));
        QVERIFY(window().frameGeometry().contains(mail.frameGeometry()));
        QVERIFY(window().frameGeometry().contains(keyboard));
        QVERIFY(!keyboard.intersects(field));
    }

    // A notice that the operator reads at once: centred on the window, wrapped in at most
    // two lines inside its label.
    void noticeOverTheCameraPage() {
        const QString text = "Please lower the ambient \r\nbrightness to below 20";
        QImage shot;
        QRect box;
        QLabel* label = nullptr;
        int lines = 0;
        bool fits = false;
        whenModal("MsgDialog", 300, [&](QWidget* w) {
            box = w->frameGeometry();
            label = w->findChild<QLabel*>("labelTitleMsg");
            fits = fitsIn(label, label->text(), &lines);
            shot = screenOfWindow();
        });
        MsgDialog dlg;
        dlg.Init(text, "", "", "OK", "");
        dlg.exec();
        QVERIFY(label);
        QVERIFY(save(shot, "MsgDialog_lowerBrightness"));
        QVERIFY(fits);
        QVERIFY2(lines <= 2, qPrintable(QString::number(lines)));
        QCOMPARE(box.center(), window().frameGeometry().center());
    }

    // The progress dialog while the analysis server takes its time: the job's text is whole
    // and the percentage moves.
    void uploadInProgress() {
        testkit::services::setKnob(serviceKnobs::kAnalysisDelayMs, "3600");
        QVERIFY(testkit::writeFile(m_fx->board().root() + "/tmp/pupil_video.avi", "RIFF"));
        ScreeningSession& session = m_fx->data().screening();
        testkit::beginExample(m_fx->data());
        UploadDlg dlg(UploadDlg::Upload, [&session] { session.uploadAVIFile(); });
        QStringList percentages;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            const QString p = dlg.findChild<QLabel*>("labelTimer")->text();
            if (percentages.isEmpty() || percentages.last() != p)
                percentages << p;
        });
        watch.start(100);
        QImage shot;
        bool fits = false;
        whenModal(
            "UploadDlg", 2500,
            [&](QWidget* w) {
                auto* label = w->findChild<QLabel*>("label");
                fits = fitsIn(label, label->text());
                shot = screenOfWindow();
            },
            true);
        dlg.exec();
        QVERIFY(!shot.isNull());
        QVERIFY(save(shot, "UploadDlg_uploading"));
        QVERIFY(fits);
        QVERIFY2(percentages.size() >= 3, qPrintable(percentages.join(' ')));
        QCOMPARE(dlg.jobsRun(), 1);
    }
};

QTEST_MAIN(TstScreens)
#include "tst_screens.moc"
