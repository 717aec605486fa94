// Message and progress dialogs.
#include "testkit/board_fixture.h"
#include "ui/msgdialog.h"
#include "ui/send_guard.h"
#include "ui/uploaddlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TstDialogs : public QObject {
    Q_OBJECT

    static bool shown(QDialog& d, const char* name) {
        return !d.findChild<QWidget*>(name)->isHidden();
    }
    static QString text(QDialog& d, const char* name) {
        if (auto* b = d.findChild<QPushButton*>(name))
            return b->text();
        return d.findChild<QLabel*>(name)->text();
    }

private slots:
    void layouts_data() {
        QTest::addColumn<QStringList>("args"); // title, message, left, middle, right
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("screen");
        QTest::newRow("error") << QStringList{"Error", "Date is not valid!", "", "OK", ""}
                               << QStringList{"labelTitle", "labelMsg", "buttonMiddle1"}
                               << "buttonMiddle1" << 1 << "MsgDialog_one";
        QTest::newRow("notice, right text unused")
            << QStringList{"No Record Selected", "", "", "OK", "ignored"}
            << QStringList{"labelTitleMsg", "buttonMiddle1"} << "buttonMiddle1" << 1
            << "MsgDialog_notice";
        QTest::newRow("two buttons, right")
            << QStringList{"Connect to the unsafe network?", "Clinic-Guest", "Cancel", "",
                           "Connect"}
            << QStringList{"labelTitle", "labelMsg", "buttonLeft1", "buttonRight1"}
            << "buttonRight1" << 2 << "MsgDialog_two";
        QTest::newRow("two buttons, left")
            << QStringList{"System Update", "", "Yes", "", "No"}
            << QStringList{"labelTitleMsg", "buttonLeft1", "buttonRight1"} << "buttonLeft1" << 0
            << "";
        QTest::newRow("three buttons")
            << QStringList{"Connect to Network", "Clinic-Staff", "Cancel", "Delete", "Connect"}
            << QStringList{"labelTitle", "labelMsg", "buttonLeft", "buttonMiddle", "buttonRight"}
            << "buttonMiddle" << 1 << "MsgDialog_three";
    }

    void layouts() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, visible);
        QFETCH(QString, pressed);
        QFETCH(int, result);
        QFETCH(QString, screen);
        MsgDialog dlg;
        dlg.Init(args[0], args[1], args[2], args[3], args[4]);
        for (const char* name :
             {"labelTitle", "labelMsg", "labelTitleMsg", "buttonMiddle1", "buttonLeft1",
              "buttonRight1", "buttonLeft", "buttonMiddle", "buttonRight"})
            QCOMPARE(shown(dlg, name), visible.contains(name));
        if (args[1].isEmpty())
            QCOMPARE(text(dlg, "labelTitleMsg"), args[0]);
        else
            QCOMPARE(text(dlg, "labelMsg"), args[1]);
        dlg.show();
        if (!screen.isEmpty())
            QVERIFY(testkit::saveScreen(&dlg, screen));
        dlg.findChild<QPushButton*>(pressed)->click();
        QCOMPARE(int(dlg.choice()), result);
        QVERIFY(!dlg.isVisible());
    }

    void emptyMessageAndTitle() {
        MsgDialog dlg;
        dlg.Init("", "", "", "", "");
        QVERIFY(shown(dlg, "labelTitleMsg"));
        QVERIFY(shown(dlg, "buttonMiddle1"));
        QCOMPARE(dlg.choice(), MsgDialog::Closed);
    }

    // The dialog runs the job it is handed once, on screen with the job's text, and
    // returns what the job returned.
    void uploadRunsItsJobOnceAndCloses() {
        int runs = 0;
        QString shownText;
        const int result = UploadDlg::run(UploadDlg::VersionCheck, [&] {
            ++runs;
            shownText = QApplication::activeModalWidget()->findChild<QLabel*>("label")->text();
            return 7;
        });
        QCOMPARE(result, 7);
        QCOMPARE(runs, 1);
        QCOMPARE(shownText, QString("Version checking, Please wait..."));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A guard that refuses (a doubled tap) runs nothing and returns nothing.
    void refusedTapRunsNothing() {
        SendGuard guard;
        int runs = 0;
        QCOMPARE(UploadDlg::run(guard, UploadDlg::SendMail, [&] { return ++runs; }),
                 std::optional<int>(1));
        QCOMPARE(UploadDlg::run(guard, UploadDlg::SendMail, [&] { return ++runs; }),
                 std::optional<int>());
        QCOMPARE(runs, 1);
    }

    void progressStopsAt90() {
        UploadDlg dlg(UploadDlg::Upload, nullptr); // no job: this test only drives the percentage
        for (int i = 0; i < 45; ++i)
            dlg.on_timer();
        QCOMPARE(dlg.findChild<QLabel*>("labelTimer")->text(), QString("45%"));
        dlg.show();
        QVERIFY(testkit::saveScreen(&dlg, "UploadDlg"));
        for (int i = 0; i < 200; ++i)
            dlg.on_timer();
        QCOMPARE(dlg.progress(), 90);
        QCOMPARE(dlg.findChild<QLabel*>("labelTimer")->text(), QString("90%"));
    }

    void jobTexts() {
        QCOMPARE(UploadDlg::jobText(0), QString("Data is processing, Please wait..."));
        QCOMPARE(UploadDlg::jobText(1), QString("File is downloading, Please wait..."));
        QCOMPARE(UploadDlg::jobText(4), QString("It is printing, Please wait..."));
        QCOMPARE(UploadDlg::jobText(5), QString("It is printing, Please wait..."));
        QCOMPARE(UploadDlg::jobText(7), QString("Sending Result, Please wait..."));
    }
};

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
