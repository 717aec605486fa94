// A small SMTP client on Qt's blocking socket waits: TCP, SSL or STARTTLS, PLAIN or LOGIN
// authentication, one message at a time.
#pragma once

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>

#include "smtp/mime.h"

class QTcpSocket;

class SmtpClient : public QObject {
    Q_OBJECT
public:
    enum AuthMethod { AuthPlain = 0, AuthLogin = 1 };
    enum SmtpError {
        ConnectionTimeoutError = 0,
        ResponseTimeoutError = 1,
        SendDataTimeoutError = 2,
        AuthenticationFailedError = 3,
        ServerError = 4, // reply 4xx
        ClientError = 5  // reply 5xx
    };
    Q_ENUM(SmtpError)
    enum ConnectionType { TcpConnection = 0, SslConnection = 1, TlsConnection = 2 };

    // What the client keeps of a reply line not yet ended.
    static constexpr qint64 kMaxReplyBytes = 4096;

    class ResponseTimeoutException {};
    class SendMessageTimeoutException {};

    SmtpClient(const QString& host = "localhost", int port = 25,
               ConnectionType connectionType = TcpConnection);
    ~SmtpClient() override;

    void setUser(const QString& user) { m_user = user; }
    void setPassword(const QString& password) { m_password = password; }
    void setAuthMethod(AuthMethod method) { m_authMethod = method; }
    void setName(const QString& name) { m_name = name; }
    void setConnectionTimeout(int ms) { m_connectionTimeout = ms; }
    void setResponseTimeout(int ms) { m_responseTimeout = ms; }
    void setSendMessageTimeout(int ms) { m_sendMessageTimeout = ms; }
    // Certificates trusted besides the system's for this connection.
    void addCaCertificates(const QList<QSslCertificate>& certificates);

    const QString& getResponseText() const { return m_responseText; }
    int getResponseCode() const { return m_responseCode; }

    bool connectToHost();
    bool login();
    bool login(const QString& user, const QString& password, AuthMethod method = AuthPlain);
    bool sendMail(MimeMessage& email);
    void quit();

    // Whether a reply line is the last one of its reply.
    static bool endsReply(const QString& line);

signals:
    void smtpError(SmtpClient::SmtpError e);

protected:
    void waitForResponse();
    void sendMessage(const QString& text);

private slots:
    void socketStateChanged(int state);
    void socketError(int error);
    void socketReadyRead();

private:
    bool expect(int code); // waits for the reply; true when it carries `code`

    QTcpSocket* m_socket = nullptr;
    QString m_host;
    int m_port;
    ConnectionType m_connectionType;
    QString m_name = QStringLiteral("localhost");
    QString m_user;
    QString m_password;
    AuthMethod m_authMethod = AuthPlain;
    int m_connectionTimeout = 5000;
    int m_responseTimeout = 5000;
    int m_sendMessageTimeout = 60000;
    QString m_responseText;
    int m_responseCode = 0;
    bool m_encrypted = false; // login sends nothing over a connection in clear
};
