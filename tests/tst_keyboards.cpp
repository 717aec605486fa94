// The on-screen keyboards.
#include "testkit/board_fixture.h"
#include "ui/keypaddlg.h"
#include "ui/numkeypaddlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstKeyboards : public QObject {
    Q_OBJECT

    static void click(QDialog& dlg, const char* name) {
        dlg.findChild<QPushButton*>(name)->click();
    }

private slots:
    void templateFill() {
        QLineEdit edit("____-__-__");
        NumKeypadDlg pad(&edit, 10);
        for (const char* d : {"button2", "button0", "button1", "button9", "button0", "button5",
                              "button1", "button7"})
            click(pad, d);
        QCOMPARE(edit.text(), QString("2019-05-17"));
        click(pad, "button3"); // an eleventh digit changes nothing
        QCOMPARE(edit.text(), QString("2019-05-17"));
        testkit::saveScreen(&pad, "NumKeypadDlg");
    }

    void templateDelete_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("year and month typed") << "2019-05-__"
                                              << "2019-0_-__";
        QTest::newRow("full") << "2019-05-17"
                              << "2019-05-1_";
        QTest::newRow("empty template unchanged") << "____-__-__"
                                                  << "____-__-__";
        QTest::newRow("positions past the end count as typed") << "2019"
                                                               << "2019______";
        QTest::newRow("empty text") << ""
                                    << "__________";
    }

    void templateDelete() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(NumKeypadLogic::remove(before, 10, true), after);
    }

    void appendMode() {
        QCOMPARE(NumKeypadLogic::input("12", 3, false, 7), QString("127"));
        QCOMPARE(NumKeypadLogic::input("123", 3, false, 7), QString("123"));
        QCOMPARE(NumKeypadLogic::remove("123", 3, false), QString("12"));
        QCOMPARE(NumKeypadLogic::remove("", 3, false), QString());
        QCOMPARE(NumKeypadLogic::input("__", 1, true, 4), QString("4_"));
        QCOMPARE(NumKeypadLogic::input("", 10, true, 4), QString()); // no underscore to fill
    }

    void numericEnterCloses() {
        NumKeypadDlg pad;
        pad.show();
        QVERIFY(pad.isVisible());
        click(pad, "buttonEnter");
        QVERIFY(!pad.isVisible());
    }

    void layouts() {
        QLineEdit edit;
        KeypadDlg keys(&edit);
        QCOMPARE(keys.mode(), 0);
        click(keys, "buttonQ");
        click(keys, "buttonShift");
        QCOMPARE(keys.key('Q')->text(), QString("Q"));
        click(keys, "buttonQ");
        testkit::saveScreen(&keys, "KeypadDlg_upper");
        click(keys, "buttonNumber");
        QCOMPARE(keys.mode(), 2);
        QCOMPARE(keys.findChild<QPushButton*>("buttonNumber")->text(), QString("abc"));
        click(keys, "buttonJ"); // @
        testkit::saveScreen(&keys, "KeypadDlg_symbols");
        click(keys, "buttonShift");
        QCOMPARE(keys.mode(), 3);
        QCOMPARE(keys.key('F')->text(), QString("&&")); // shown as a single "&"
        click(keys, "buttonF");
        click(keys, "buttonB");
        testkit::saveScreen(&keys, "KeypadDlg_symbols2");
        click(keys, "buttonShift"); // back to the first symbol layout, not to letters
        QCOMPARE(keys.mode(), 2);
        click(keys, "buttonShift");
        click(keys, "buttonNumber"); // from either symbol layout to lower case
        QCOMPARE(keys.mode(), 0);
        QCOMPARE(keys.findChild<QPushButton*>("buttonNumber")->text(), QString(".?123"));
        testkit::saveScreen(&keys, "KeypadDlg");
        QCOMPARE(edit.text(), QString("qQ@&|"));
    }

    void characterTable() {
        const QString letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
        QString mode2, mode3;
        for (QChar c : letters) {
            mode2 += keypadCharacter(c, 2);
            mode3 += keypadCharacter(c, 3);
        }
        QCOMPARE(mode2, QString("1234567890~/:;()@\"'-_#?!,."));
        QCOMPARE(mode3, QString("1234567890%$^&*<>+={}[]|,."));
    }

    void deleteAndSpace() {
        QLineEdit edit;
        KeypadDlg keys(&edit);
        click(keys, "buttonDel");
        QCOMPARE(edit.text(), QString());
        click(keys, "buttonSpace");
        QCOMPARE(edit.text(), QString(" "));
        click(keys, "buttonA");
        click(keys, "buttonDel");
        QCOMPARE(edit.text(), QString(" "));
        click(keys, "buttonEnter"); // no effect of its own
        QCOMPARE(edit.text(), QString(" "));
    }

    // Showing sends no z-order change on this platform, so the first one sent here is the
    // first the keyboard sees.
    void closesOnTheSecondZOrderChange() {
        KeypadDlg keys;
        NumKeypadDlg pad;
        for (QDialog* dlg : {static_cast<QDialog*>(&keys), static_cast<QDialog*>(&pad)}) {
            dlg->show();
            QEvent first(QEvent::ZOrderChange);
            QApplication::sendEvent(dlg, &first);
            QVERIFY(dlg->isVisible());
            QEvent second(QEvent::ZOrderChange);
            QApplication::sendEvent(dlg, &second);
            QVERIFY(!dlg->isVisible());
        }
    }

    // The close key and Enter both finish the entry.
    void closeKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("close") << "buttonCloseKeypad";
        QTest::newRow("enter") << "buttonEnter";
    }
    void closeKeys() {
        QFETCH(QString, key);
        KeypadDlg keys;
        keys.show();
        click(keys, qPrintable(key));
        QVERIFY(!keys.isVisible());
    }
};

QTEST_MAIN(TstKeyboards)
#include "tst_keyboards.moc"
