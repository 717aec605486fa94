#include "output/output_service.h"

#include "core/endpoints.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "output/receipt.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "smtp/smtpclient.h"

#include <QFile>
#include <QSslCertificate>

OutputService::OutputService(const Settings& settings, const ScreeningSession& screening,
                             HttpClient& http)
    : m_settings(settings), m_screening(screening), m_http(http) {}

QString OutputService::httpPrintString(QString& text) {
    // Seconds since 1970 from the system clock, not shifted by the time zone.
    const QString reqTime = QString::number(board::currentSecsSinceEpoch());
    const QString deviceID = m_settings.printerId();
    const endpoints::Endpoint service = endpoints::printService();
    const QString url = QString("http://%1:%2/apisc/sendMsg").arg(service.host).arg(service.port);
    const QString reply =
        m_http.httpPostRequest(url, printRequestBody(reqTime, deviceID, text), 30);
    qCDebug(lcOutput, "%s", qPrintable(reply));
    return printAccepted(reply) ? "OK" : "Error";
}

QString OutputService::httpPrintResult() {
    QString text = resultReceipt(m_screening.record(), localTime(m_settings));
    return httpPrintString(text);
}

QString OutputService::httpPrintTestpage() {
    QString text = testPageReceipt(localTime(m_settings));
    return httpPrintString(text);
}

namespace {

// The simulator's mail stand-in makes its own certificate when it starts; the simulator
// build trusts that one besides the system's (VISTREL_SIM_MAIL_CERT, set by run-sim.sh and
// the suites), and nothing else. The device build trusts the system store only and never
// turns verification off.
QList<QSslCertificate> extraTrust() {
#ifdef VISTREL_SIM
    return QSslCertificate::fromPath(qEnvironmentVariable("VISTREL_SIM_MAIL_CERT"));
#else
    return {};
#endif
}

} // namespace

QString OutputService::smtpSend(const QString& to, const QString& subject, const QString& html,
                                bool ssl) {
    const endpoints::Endpoint server = ssl ? endpoints::smtpSsl() : endpoints::smtpPlain();
    // The second way in is STARTTLS on the submission port, never a login in clear.
    SmtpClient client(server.host, server.port,
                      ssl ? SmtpClient::SslConnection : SmtpClient::TlsConnection);
    client.addCaCertificates(extraTrust());
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

QString OutputService::smtpSendReport() {
    if (!isMailAddress(m_mailTo))
        return kBadMailAddress;
    QString result = smtpSend(m_mailTo, "Report", m_mailBody, true);
    if (result != "OK")
        result = smtpSend(m_mailTo, "Report", m_mailBody, false);
    return result;
}

void OutputService::setReport(const QString& to, const QString& html) {
    m_mailTo = to;
    m_mailBody = html;
}
