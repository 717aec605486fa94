#include "smtp/smtpclient.h"
#include "core/log.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QSslConfiguration>
#include <QSslSocket>

#include <algorithm>

SmtpClient::SmtpClient(const QString& host, int port, ConnectionType connectionType)
    : m_host(host), m_port(port), m_connectionType(connectionType) {
    if (connectionType == TcpConnection)
        m_socket = new QTcpSocket(this);
    else
        m_socket = new QSslSocket(this);
    m_socket->setReadBufferSize(kMaxReplyBytes);
    connect(m_socket, &QAbstractSocket::stateChanged, this,
            [this](QAbstractSocket::SocketState s) { socketStateChanged(int(s)); });
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError e) { socketError(int(e)); });
    connect(m_socket, &QIODevice::readyRead, this, &SmtpClient::socketReadyRead);
}

SmtpClient::~SmtpClient() = default;

void SmtpClient::addCaCertificates(const QList<QSslCertificate>& certificates) {
    auto* ssl = qobject_cast<QSslSocket*>(m_socket);
    if (!ssl)
        return;
    QSslConfiguration conf = ssl->sslConfiguration();
    conf.addCaCertificates(certificates);
    ssl->setSslConfiguration(conf);
}

bool SmtpClient::expect(int code) {
    waitForResponse();
    return m_responseCode == code;
}

bool SmtpClient::connectToHost() {
    if (m_connectionType == SslConnection)
        static_cast<QSslSocket*>(m_socket)->connectToHostEncrypted(m_host, quint16(m_port));
    else
        m_socket->connectToHost(m_host, quint16(m_port));
    if (!m_socket->waitForConnected(m_connectionTimeout)) {
        emit smtpError(ConnectionTimeoutError);
        return false;
    }
    m_encrypted = m_connectionType == SslConnection;
    try {
        if (!expect(220))
            return false;
        sendMessage("EHLO " + m_name);
        if (!expect(250))
            return false;
        if (m_connectionType == TlsConnection) {
            sendMessage("STARTTLS");
            if (!expect(220)) {
                // No encryption offered: the connection stays, but login will not send the
                // account over it.
                qCWarning(lcSmtp) << "SMTP: the server offers no STARTTLS";
                return true;
            }
            auto* ssl = static_cast<QSslSocket*>(m_socket);
            ssl->startClientEncryption();
            if (!ssl->waitForEncrypted(m_connectionTimeout)) {
                qCWarning(lcSmtp) << "SMTP: encryption failed:" << ssl->errorString();
                emit smtpError(ConnectionTimeoutError);
                return false;
            }
            m_encrypted = true;
            sendMessage("EHLO " + m_name);
            if (!expect(250))
                return false;
        }
    } catch (const ResponseTimeoutException&) {
        return false;
    } catch (const SendMessageTimeoutException&) {
        return false;
    }
    return true;
}

bool SmtpClient::login() {
    return login(m_user, m_password, m_authMethod);
}

bool SmtpClient::login(const QString& user, const QString& password, AuthMethod method) {
    if (!m_encrypted) {
        qCWarning(lcSmtp, "SMTP: no login over a connection in clear");
        emit smtpError(AuthenticationFailedError);
        return false;
    }
    try {
        if (method == AuthPlain) {
            const QByteArray token = QByteArray(1, '\0') + user.toUtf8() + '\0' + password.toUtf8();
            sendMessage("AUTH PLAIN " + QString::fromLatin1(token.toBase64()));
            if (!expect(235)) {
                emit smtpError(AuthenticationFailedError);
                return false;
            }
            return true;
        }
        sendMessage("AUTH LOGIN");
        bool ok = expect(334);
        if (ok) {
            sendMessage(QString::fromLatin1(user.toUtf8().toBase64()));
            ok = expect(334);
        }
        if (ok) {
            sendMessage(QString::fromLatin1(password.toUtf8().toBase64()));
            ok = expect(235);
        }
        if (!ok)
            emit smtpError(AuthenticationFailedError);
        return ok;
    } catch (const ResponseTimeoutException&) {
        emit smtpError(AuthenticationFailedError);
        return false;
    } catch (const SendMessageTimeoutException&) {
        emit smtpError(AuthenticationFailedError);
        return false;
    }
}

bool SmtpClient::sendMail(MimeMessage& email) {
    try {
        sendMessage("MAIL FROM:<" + email.getSender().getAddress() + ">");
        if (!expect(250))
            return false;
        for (auto type : {MimeMessage::To, MimeMessage::Cc, MimeMessage::Bcc}) {
            for (const EmailAddress* r : email.getRecipients(type)) {
                sendMessage("RCPT TO:<" + r->getAddress() + ">");
                if (!expect(250))
                    return false;
            }
        }
        sendMessage("DATA");
        if (!expect(354))
            return false;
        // Only CRLF line ends go out; then a line that begins with "." is sent with one
        // more, so that it cannot end the message early; the receiver takes it off again.
        QString text = toCrlf(email.toString());
        if (text.startsWith('.'))
            text.prepend('.');
        text.replace("\r\n.", "\r\n..");
        sendMessage(text);
        sendMessage(".");
        return expect(250);
    } catch (const ResponseTimeoutException&) {
        return false;
    } catch (const SendMessageTimeoutException&) {
        return false;
    }
}

void SmtpClient::quit() {
    try {
        sendMessage("QUIT");
    } catch (const SendMessageTimeoutException&) {
    }
}

// One reply, possibly of several lines, within the response time-out as a whole: a server
// that keeps sending continuation lines cannot hold the client longer than that.
void SmtpClient::waitForResponse() {
    const QDeadlineTimer deadline(m_responseTimeout);
    for (;;) {
        while (m_socket->canReadLine()) {
            m_responseText = QString::fromUtf8(m_socket->readLine());
            m_responseCode = m_responseText.left(3).toInt();
            if (m_responseCode / 100 == 4)
                emit smtpError(ServerError);
            if (m_responseCode / 100 == 5)
                emit smtpError(ClientError);
            if (endsReply(m_responseText))
                return;
        }
        // A reply line is at most 512 bytes: a server that sends more without a line end
        // is not answering, and its bytes must not grow without bound.
        if (m_socket->bytesAvailable() >= kMaxReplyBytes) {
            emit smtpError(ResponseTimeoutError);
            throw ResponseTimeoutException();
        }
        if (deadline.hasExpired() || !m_socket->waitForReadyRead(int(deadline.remainingTime()))) {
            emit smtpError(ResponseTimeoutError);
            throw ResponseTimeoutException();
        }
    }
}

// "250-..." continues a multi-line reply; "250 ..." ends it, and so does a bare "250" (the
// text after the code is optional).
bool SmtpClient::endsReply(const QString& line) {
    QStringView text(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return (text.size() == 3 || (text.size() > 3 && text[3] == u' ')) &&
           std::all_of(text.begin(), text.begin() + 3, [](QChar c) { return c.isDigit(); });
}

void SmtpClient::sendMessage(const QString& text) {
    m_socket->write(text.toUtf8() + "\r\n");
    if (!m_socket->waitForBytesWritten(m_sendMessageTimeout)) {
        emit smtpError(SendDataTimeoutError);
        throw SendMessageTimeoutException();
    }
}

void SmtpClient::socketStateChanged(int) {}

void SmtpClient::socketError(int error) {
    qCWarning(lcSmtp, "SMTP socket error %d: %s", error, qPrintable(m_socket->errorString()));
}

void SmtpClient::socketReadyRead() {}
