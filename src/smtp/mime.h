// The MIME message model: parts that write themselves out as the text sent after DATA.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QFile;

// An address mail can be sent to: local@domain in ASCII, the local part without spaces,
// quotes or angle brackets, the domain of dot-separated labels (letters, digits, inner
// hyphens) with at least one dot. Nothing that could end the SMTP command it goes into.
bool isMailAddress(const QString& address);

class EmailAddress {
public:
    EmailAddress(const QString& address = QString(), const QString& name = QString());
    void setName(const QString& name) { m_name = name; }
    void setAddress(const QString& address) { m_address = address; }
    const QString& getName() const { return m_name; }
    const QString& getAddress() const { return m_address; }

private:
    QString m_name;
    QString m_address;
};

// Breaks text into lines of at most the maximum length, each ended by "\r\n". In
// quoted-printable mode a line is broken by "=" and the line end, never inside an escape.
class MimeContentFormatter {
public:
    explicit MimeContentFormatter(int maxLength = 76) : m_maxLength(maxLength) {}
    void setMaxLength(int length) { m_maxLength = length; }
    int getMaxLength() const { return m_maxLength; }
    QString format(const QString& content, bool quotedPrintable = false) const;

private:
    int m_maxLength;
};

class MimePart {
public:
    enum Encoding { _7Bit = 0, _8Bit = 1, Base64 = 2, QuotedPrintable = 3 };

    MimePart();
    virtual ~MimePart();

    const QString& getHeader() const { return m_header; }
    const QByteArray& getContent() const { return m_content; }
    void setContent(const QByteArray& content) { m_content = content; }
    void setHeader(const QString& header) { m_header = header; }
    void addHeaderLine(const QString& line) { m_header += line; }
    void setContentId(const QString& id) { m_cId = id; }
    const QString& getContentId() const { return m_cId; }
    void setContentName(const QString& name) { m_cName = name; }
    const QString& getContentName() const { return m_cName; }
    void setContentType(const QString& type) { m_cType = type; }
    const QString& getContentType() const { return m_cType; }
    void setCharset(const QString& charset) { m_cCharset = charset; }
    const QString& getCharset() const { return m_cCharset; }
    void setEncoding(Encoding encoding) { m_cEncoding = encoding; }
    Encoding getEncoding() const { return m_cEncoding; }
    MimeContentFormatter& getContentFormatter() { return m_formatter; }

    virtual QString toString();
    virtual void prepare();

protected:
    QString m_header;
    QByteArray m_content;
    QString m_cId;
    QString m_cName;
    QString m_cType;
    QString m_cCharset;
    QString m_cBoundary;
    Encoding m_cEncoding = _7Bit;
    QString m_mimeString;
    bool m_prepared = false;
    MimeContentFormatter m_formatter{76};
};

// Line ends as mail wants them: every "\n", "\r" and "\r\n" becomes "\r\n".
QString toCrlf(const QString& text);
// True when some line of `bytes` (between "\r" or "\n") holds more than `octets` octets.
bool hasLineLongerThan(const QByteArray& bytes, int octets);

// Text parts go as 8 bit unless a line is longer than a mail line may be; then they go
// quoted-printable.
class MimeText : public MimePart {
public:
    static constexpr int kMaxLineOctets = 998;
    explicit MimeText(const QString& text = QString());
    void setText(const QString& text) { m_text = text; }
    const QString& getText() const { return m_text; }
    void prepare() override;

protected:
    QString m_text;
};

class MimeHtml : public MimeText {
public:
    explicit MimeHtml(const QString& html = QString());
    void setHtml(const QString& html) { m_text = html; }
    const QString& getHtml() const { return m_text; }
};

class MimeFile : public MimePart {
public:
    explicit MimeFile(QFile* file);
    MimeFile(const QByteArray& stream, const QString& fileName);
    ~MimeFile() override;
    void prepare() override;

protected:
    QFile* m_file = nullptr;
};

class MimeAttachment : public MimeFile {
public:
    explicit MimeAttachment(QFile* file);
    MimeAttachment(const QByteArray& stream, const QString& fileName);
    void prepare() override;
};

class MimeInlineFile : public MimeFile {
public:
    explicit MimeInlineFile(QFile* file);
    void prepare() override;
};

class MimeMultiPart : public MimePart {
public:
    enum MultiPartType {
        Mixed = 0,
        Digest = 1,
        Alternative = 2,
        Related = 3,
        Report = 4,
        Signed = 5,
        Encrypted = 6
    };

    explicit MimeMultiPart(MultiPartType type = Related);
    ~MimeMultiPart() override;
    void setMimeType(MultiPartType type);
    MultiPartType getMimeType() const { return m_type; }
    void addPart(MimePart* part) { m_parts.append(part); }
    const QList<MimePart*>& getParts() const { return m_parts; }
    const QString& getBoundary() const { return m_cBoundary; }
    void prepare() override;

private:
    QList<MimePart*> m_parts;
    MultiPartType m_type;
};

class MimeMessage {
public:
    enum RecipientType { To, Cc, Bcc };

    explicit MimeMessage(bool createAutoMimeContent = true);
    ~MimeMessage();

    void setSender(EmailAddress* sender);
    void addRecipient(EmailAddress* recipient, RecipientType type = To);
    void addTo(EmailAddress* recipient) { addRecipient(recipient, To); }
    void addCc(EmailAddress* recipient) { addRecipient(recipient, Cc); }
    void addBcc(EmailAddress* recipient) { addRecipient(recipient, Bcc); }
    void setSubject(const QString& subject) { m_subject = subject; }
    void setReplyTo(EmailAddress* replyTo) { m_replyTo = replyTo; }
    void setInReplyTo(const QString& id) { m_inReplyTo = id; }
    void addPart(MimePart* part);
    void setContent(MimePart* content);
    void setHeaderEncoding(MimePart::Encoding encoding) { m_hEncoding = encoding; }

    const EmailAddress& getSender() const { return *m_sender; }
    const QList<EmailAddress*>& getRecipients(RecipientType type = To) const;
    const QString& getSubject() const { return m_subject; }
    MimePart& getContent() { return *m_content; }

    QString toString();

private:
    QString headerWord(const QString& text) const;
    QString nameWord(const QString& name) const;
    QString addressList(const QList<EmailAddress*>& list) const;

    EmailAddress* m_sender = nullptr;
    QList<EmailAddress*> m_recipientsTo, m_recipientsCc, m_recipientsBcc;
    QString m_subject;
    EmailAddress* m_replyTo = nullptr;
    QString m_inReplyTo;
    MimePart* m_content = nullptr;
    MimePart::Encoding m_hEncoding = MimePart::_8Bit;
};
