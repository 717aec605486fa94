// GData's result mail from the built-in account: SSL first, then one plain attempt.
#include "app/gdata.h"

#include "core/endpoints.h"
#include "smtp/smtpclient.h"

#include <QFile>
#include <QSslCertificate>

namespace {

// The simulator's mail stand-in makes its own certificate when it starts; the simulator
// build trusts that one besides the system's, and nothing else. The device build trusts
// the system store only and never turns verification off.
QList<QSslCertificate> extraTrust(const QString& appDir) {
#ifdef VISTREL_SIM
    QString file = qEnvironmentVariable("VISTREL_SIM_MAIL_CERT");
    if (file.isEmpty())
        file = appDir + "/services/mail/cert.pem";
    return QSslCertificate::fromPath(file);
#else
    Q_UNUSED(appDir);
    return {};
#endif
}

} // namespace

QString GData::smtpSend(const QString& to, const QString& subject, const QString& html, bool ssl) {
    const endpoints::Endpoint server = ssl ? endpoints::smtpSsl() : endpoints::smtpPlain();
    SmtpClient client(server.host, server.port,
                      ssl ? SmtpClient::SslConnection : SmtpClient::TcpConnection);
    client.addCaCertificates(extraTrust(appDir()));
    client.setUser(endpoints::mailSender());
    client.setPassword(endpoints::mailPassword());

    MimeMessage message(true);
    EmailAddress sender(endpoints::mailSender(), endpoints::mailSender());
    EmailAddress recipient(to, to);
    message.setSender(&sender);
    message.addRecipient(&recipient);
    message.setSubject(subject);
    message.addPart(new MimeHtml(html));

    if (!client.connectToHost())
        return "Failed to connect to host!";
    if (!client.login())
        return "Failed to login!";
    if (!client.sendMail(message))
        return "Failed to send mail!";
    client.quit();
    return "OK";
}

QString GData::smtpSendReport() {
    QString result = smtpSend(m_strMailTo, "Report", m_strMailBody, true);
    if (result != "OK")
        result = smtpSend(m_strMailTo, "Report", m_strMailBody, false);
    return result;
}
