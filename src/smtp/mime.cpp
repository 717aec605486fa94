#include "smtp/mime.h"

#include "smtp/quotedprintable.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimeZone>

bool isMailAddress(const QString& address) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*)"
                       R"(@([A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?\.)+)"
                       R"([A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?$)"));
    return address.size() <= 254 && shape.match(address).hasMatch();
}

EmailAddress::EmailAddress(const QString& address, const QString& name)
    : m_name(name), m_address(address) {}

QString MimeContentFormatter::format(const QString& content, bool quotedPrintable) const {
    QString out;
    int length = 0; // characters on the current line
    if (!quotedPrintable) {
        for (QChar c : content) {
            out.append(c);
            if (++length == m_maxLength) {
                out.append("\r\n");
                length = 0;
            }
        }
        return out;
    }
    // Quoted-printable: an escape ("=XX") is one token of three characters, and a line keeps
    // room for the "=" of its soft break.
    for (int i = 0; i < content.size();) {
        const int width = (content[i] == '=' && i + 2 < content.size()) ? 3 : 1;
        if (length + width > m_maxLength - 1) {
            out.append("=\r\n");
            length = 0;
        }
        out.append(content.mid(i, width));
        length += width;
        i += width;
    }
    return out;
}

QString toCrlf(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    out.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return out;
}

bool hasLineLongerThan(const QByteArray& bytes, int octets) {
    int length = 0;
    for (char c : bytes) {
        if (c == '\n' || c == '\r') {
            length = 0;
        } else if (++length > octets) {
            return true;
        }
    }
    return false;
}

MimePart::MimePart() = default;
MimePart::~MimePart() = default;

QString MimePart::toString() {
    if (!m_prepared)
        prepare();
    return m_mimeString;
}

void MimePart::prepare() {
    QString s = "Content-Type: " + m_cType;
    if (!m_cName.isEmpty())
        s += "; name=\"" + m_cName + "\"";
    if (!m_cCharset.isEmpty())
        s += "; charset=" + m_cCharset;
    if (!m_cBoundary.isEmpty())
        s += "; boundary=" + m_cBoundary;
    s += "\r\n";
    static const char* const encodings[] = {"7bit", "8bit", "base64", "quoted-printable"};
    s += QString("Content-Transfer-Encoding: ") + encodings[m_cEncoding] + "\r\n";
    if (!m_cId.isEmpty())
        s += "Content-ID: <" + m_cId + ">\r\n";
    s += m_header + "\r\n";
    switch (m_cEncoding) {
    case _7Bit:
    case _8Bit:
        s += toCrlf(QString::fromUtf8(m_content)); // mail knows no other line end
        break;
    case Base64:
        s += m_formatter.format(QString::fromLatin1(m_content.toBase64()));
        break;
    case QuotedPrintable:
        s += m_formatter.format(QuotedPrintable::encode(m_content), true);
        break;
    }
    s += "\r\n";
    m_mimeString = s;
    m_prepared = true;
}

MimeText::MimeText(const QString& text) : m_text(text) {
    m_cType = "text/plain";
    m_cCharset = "utf-8";
    m_cEncoding = _8Bit;
}

void MimeText::prepare() {
    m_content = m_text.toUtf8();
    // A mail line holds at most 998 octets (RFC 5321 4.5.3.1.6): a text with a longer line,
    // such as an export table, travels quoted-printable, whose lines stay within 76.
    if ((m_cEncoding == _7Bit || m_cEncoding == _8Bit) &&
        hasLineLongerThan(m_content, kMaxLineOctets))
        m_cEncoding = QuotedPrintable;
    MimePart::prepare();
}

MimeHtml::MimeHtml(const QString& html) : MimeText(html) {
    m_cType = "text/html";
}

MimeFile::MimeFile(QFile* file) : m_file(file) {
    m_cType = "application/octet-stream";
    m_cName = QFileInfo(*file).fileName();
    m_cEncoding = Base64;
}

MimeFile::MimeFile(const QByteArray& stream, const QString& fileName) {
    m_cEncoding = Base64;
    m_cType = "application/octet-stream";
    m_cName = fileName;
    m_content = stream;
}

MimeFile::~MimeFile() {
    delete m_file;
}

void MimeFile::prepare() {
    if (m_file && m_file->open(QIODevice::ReadOnly)) {
        m_content = m_file->readAll();
        m_file->close();
    }
    MimePart::prepare();
}

MimeAttachment::MimeAttachment(QFile* file) : MimeFile(file) {}
MimeAttachment::MimeAttachment(const QByteArray& stream, const QString& fileName)
    : MimeFile(stream, fileName) {}

void MimeAttachment::prepare() {
    m_header += "Content-disposition: attachment\r\n";
    MimeFile::prepare();
}

MimeInlineFile::MimeInlineFile(QFile* file) : MimeFile(file) {}

void MimeInlineFile::prepare() {
    m_header += "Content-Disposition: inline\r\n";
    MimeFile::prepare();
}

MimeMultiPart::MimeMultiPart(MultiPartType type) {
    setMimeType(type);
    m_cEncoding = _8Bit;
    const QByteArray seed = QByteArray::number(QRandomGenerator::global()->generate());
    m_cBoundary =
        QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Md5).toHex());
}

MimeMultiPart::~MimeMultiPart() {
    qDeleteAll(m_parts);
}

void MimeMultiPart::setMimeType(MultiPartType type) {
    static const char* const types[] = {
        "multipart/mixed",  "multipart/digest", "multipart/alternative", "multipart/related",
        "multipart/report", "multipart/signed", "multipart/encrypted"};
    m_type = type;
    m_cType = types[type];
}

void MimeMultiPart::prepare() {
    m_content.clear();
    for (MimePart* part : m_parts)
        m_content += ("--" + m_cBoundary + "\r\n" + part->toString()).toUtf8();
    m_content += ("--" + m_cBoundary + "--\r\n").toUtf8();
    MimePart::prepare();
}

MimeMessage::MimeMessage(bool createAutoMimeContent) {
    if (createAutoMimeContent)
        m_content = new MimeMultiPart(MimeMultiPart::Related);
}

MimeMessage::~MimeMessage() {
    delete m_content;
}

void MimeMessage::setSender(EmailAddress* sender) {
    m_sender = sender;
}

void MimeMessage::addRecipient(EmailAddress* recipient, RecipientType type) {
    (type == To ? m_recipientsTo : type == Cc ? m_recipientsCc : m_recipientsBcc) << recipient;
}

const QList<EmailAddress*>& MimeMessage::getRecipients(RecipientType type) const {
    return type == To ? m_recipientsTo : type == Cc ? m_recipientsCc : m_recipientsBcc;
}

void MimeMessage::addPart(MimePart* part) {
    if (auto* multi = dynamic_cast<MimeMultiPart*>(m_content))
        multi->addPart(part);
}

void MimeMessage::setContent(MimePart* content) {
    if (content != m_content)
        delete m_content;
    m_content = content;
}

QString MimeMessage::headerWord(const QString& text) const {
    switch (m_hEncoding) {
    case MimePart::Base64:
        return " =?utf-8?B?" + QString::fromLatin1(text.toUtf8().toBase64()) + "?=";
    case MimePart::QuotedPrintable:
        return " =?utf-8?Q?" +
               QuotedPrintable::encode(text.toUtf8()).replace(' ', "_").replace(':', "=3A") + "?=";
    default:
        return " " + text;
    }
}

// A display name written as it is must be a valid phrase: one holding special characters
// (an address used as its own name, for instance) is quoted, or readers lose it.
QString MimeMessage::nameWord(const QString& name) const {
    static const QRegularExpression special(R"([()<>\[\]:;@\\,."])");
    if ((m_hEncoding == MimePart::_7Bit || m_hEncoding == MimePart::_8Bit) &&
        name.contains(special)) {
        QString quoted = name;
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return " \"" + quoted + "\"";
    }
    return headerWord(name);
}

QString MimeMessage::addressList(const QList<EmailAddress*>& list) const {
    QStringList items;
    for (const EmailAddress* a : list)
        items << (a->getName().isEmpty() ? QString() : nameWord(a->getName()) + " ") + "<" +
                     a->getAddress() + ">";
    QString joined = items.join(',');
    if (!joined.startsWith(' '))
        joined.prepend(' ');
    return joined;
}

QString MimeMessage::toString() {
    QString mime = "From:";
    if (m_sender) {
        if (!m_sender->getName().isEmpty())
            mime += nameWord(m_sender->getName());
        mime += " <" + m_sender->getAddress() + ">\r\n";
    } else {
        mime += "\r\n";
    }
    mime += "To:" + addressList(m_recipientsTo) + "\r\n";
    if (!m_recipientsCc.isEmpty())
        mime += "Cc:" + addressList(m_recipientsCc) + "\r\n";
    mime += "Subject:" + headerWord(m_subject) + "\r\n";
    if (m_replyTo)
        mime += "Reply-To: <" + m_replyTo->getAddress() + ">\r\n";
    mime += "MIME-Version: 1.0\r\n";
    if (!m_inReplyTo.isEmpty()) {
        mime += "In-Reply-To: <" + m_inReplyTo + ">\r\n";
        mime += "References: <" + m_inReplyTo + ">\r\n";
    }
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc() / 60;
    const QLocale c = QLocale::c();
    const QString zone = QString("%1%2%3")
                             .arg(offset >= 0 ? '+' : '-')
                             .arg(qAbs(offset) / 60, 2, 10, QChar('0'))
                             .arg(qAbs(offset) % 60, 2, 10, QChar('0'));
    mime += "Date: " +
            QString("%1, %2 %3 %4 %5")
                .arg(c.dayName(now.date().dayOfWeek(), QLocale::ShortFormat), now.toString("dd"),
                     c.monthName(now.date().month(), QLocale::ShortFormat),
                     now.toString("yyyy hh:mm:ss"), zone) +
            "\r\n";
    if (m_content)
        mime += m_content->toString();
    return mime;
}
