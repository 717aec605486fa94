#include "ui/keypaddlg.h"

#include "core/log.h"
#include "ui_keypaddlg.h"

#include <QDebug>
#include <QLineEdit>

namespace {

const QString kLetters = "QWERTYUIOPASDFGHJKLZXCVBNM";
// The symbols of the letter keys in layouts 2 and 3, in kLetters order.
const QString kSymbols2 = "1234567890~/:;()@\"'-_#?!,.";
const QString kSymbols3 = "1234567890%$^&*<>+={}[]|,.";

} // namespace

QString keypadCharacter(QChar key, int mode) {
    const qsizetype i = kLetters.indexOf(key.toUpper());
    if (i < 0)
        return QString();
    switch (mode) {
    case 0:
        return QString(key.toLower());
    case 1:
        return QString(key.toUpper());
    case 2:
        return QString(kSymbols2[i]);
    default:
        return QString(kSymbols3[i]);
    }
}

KeypadDlg::KeypadDlg(QLineEdit* edit, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::KeypadDlg), m_pLineEdit(edit) {
    ui->setupUi(this);
    setClosesWhenCovered(true);
    for (QChar c : kLetters)
        connect(key(c), &QPushButton::clicked, this,
                [this, c] { LineEditAppendString(keypadCharacter(c, m_nMode)); });
    qCDebug(lcUi, "KeypadDlg Init");
}

KeypadDlg::~KeypadDlg() {
    delete ui;
}

QPushButton* KeypadDlg::key(QChar letter) const {
    return findChild<QPushButton*>(QString("button") + letter.toUpper());
}

void KeypadDlg::LineEditAppendString(const QString& text) {
    if (m_pLineEdit)
        m_pLineEdit->setText(m_pLineEdit->text() + text);
}

void KeypadDlg::UpdateKeypad() {
    for (QChar c : kLetters) {
        QString label = keypadCharacter(c, m_nMode);
        if (label == "&")
            label = "&&"; // a single "&" would mark a mnemonic
        key(c)->setText(label);
    }
    ui->buttonNumber->setText(m_nMode < 2 ? ".?123" : "abc");
}

void KeypadDlg::on_buttonShift_clicked() {
    static const int next[] = {1, 0, 3, 2};
    m_nMode = next[m_nMode];
    UpdateKeypad();
}

void KeypadDlg::on_buttonNumber_clicked() {
    m_nMode = m_nMode < 2 ? 2 : 0;
    UpdateKeypad();
}

void KeypadDlg::on_buttonSpace_clicked() {
    LineEditAppendString(" ");
}

void KeypadDlg::on_buttonDel_clicked() {
    if (!m_pLineEdit)
        return;
    QString text = m_pLineEdit->text();
    if (!text.isEmpty())
        text.chop(1);
    m_pLineEdit->setText(text);
}

// Enter finishes the entry, as the numeric keypad's Enter does.
void KeypadDlg::on_buttonEnter_clicked() {
    accept();
}

void KeypadDlg::on_buttonCloseKeypad_clicked() {
    close();
}

QString NumKeypadLogic::input(const QString& text, int length, bool templateMode, int digit) {
    QString out = text;
    const QChar d = QChar('0' + digit);
    if (templateMode) {
        for (int i = 0; i < length && i < out.size(); ++i) {
            if (out[i] == '_') {
                out[i] = d;
                break;
            }
        }
    } else if (out.size() < length) {
        out.append(d);
    }
    return out;
}

QString NumKeypadLogic::remove(const QString& text, int length, bool templateMode) {
    QString out = text;
    if (!templateMode) {
        if (!out.isEmpty())
            out.chop(1);
        return out;
    }
    for (int i = length - 1; i >= 0; --i) {
        const bool beyond = i >= out.size();
        if (beyond || (out[i] != '-' && out[i] != '_')) {
            if (beyond)
                out = out.leftJustified(i + 1, '_');
            out[i] = '_';
            break;
        }
    }
    return out;
}
