#include "output/output_service.h"

#include "core/endpoints.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "net/tls_trust.h"
#include "output/export_table.h"
#include "output/receipt.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "smtp/smtpclient.h"

#include <QFile>
#include <QSslCertificate>

OutputService::OutputService(const Settings& settings, const ScreeningSession& screening,
                             HttpClient& http)
    : m_settings(settings), m_screening(screening), m_http(http) {}

QString mailOutcomeText(MailOutcome outcome) {
    switch (outcome) {
    case MailOutcome::Sent:
        return QStringLiteral("OK");
    case MailOutcome::BadAddress:
        return OutputService::kBadMailAddress;
    case MailOutcome::Unreachable:
        return QStringLiteral("Failed to connect to host!");
    case MailOutcome::LoginRefused:
        return QStringLiteral("Failed to login!");
    case MailOutcome::SendRefused:
        break;
    }
    return QStringLiteral("Failed to send mail!");
}

PrintOutcome OutputService::httpPrintString(QString& text) {
    // Seconds since 1970 from the system clock, not shifted by the time zone.
    const QString reqTime = QString::number(board::currentSecsSinceEpoch());
    const QString deviceID = m_settings.printerId();
    const QString url = endpoints::baseUrl(endpoints::printService()) + "/apisc/sendMsg";
    const QString reply =
        m_http.httpPostRequest(url, printRequestBody(reqTime, deviceID, text), 30);
    qCDebug(lcOutput, "%s", qPrintable(reply));
    if (printAccepted(reply))
        return PrintOutcome::Printed;
    qCWarning(lcOutput, "the receipt was not printed: %s",
              reply.isEmpty() ? "no answer" : "the service refused it");
    return reply.isEmpty() ? PrintOutcome::Unreachable : PrintOutcome::Refused;
}

PrintOutcome OutputService::httpPrintResult() {
    QString text = resultReceipt(m_screening.record(), localTime(m_settings));
    return httpPrintString(text);
}

PrintOutcome OutputService::httpPrintRecord(const ScreeningRecord& record) {
    QString text = resultReceipt(record, localTime(m_settings));
    return httpPrintString(text);
}

PrintOutcome OutputService::httpPrintTestpage() {
    QString text = testPageReceipt(localTime(m_settings));
    return httpPrintString(text);
}

MailOutcome OutputService::smtpSend(const QString& to, const QString& subject, const QString& html,
                                    bool ssl, const QByteArray& csv) {
    const endpoints::Endpoint server = ssl ? endpoints::smtpSsl() : endpoints::smtpPlain();
    // The second way in is STARTTLS on the submission port, never a login in clear.
    SmtpClient client(server.host, server.port,
                      ssl ? SmtpClient::SslConnection : SmtpClient::TlsConnection);
    client.addCaCertificates(tls::extraAuthorities());
    client.setUser(endpoints::mailSender());
    client.setPassword(endpoints::mailPassword());

    MimeMessage message(csv.isEmpty());
    EmailAddress sender(endpoints::mailSender(), endpoints::mailSender());
    EmailAddress recipient(to, to);
    message.setSender(&sender);
    message.addRecipient(&recipient);
    message.setSubject(subject);
    if (csv.isEmpty()) {
        message.addPart(new MimeHtml(html));
    } else {
        // A body and a file beside it: multipart/mixed, as mail readers expect attachments.
        auto* mixed = new MimeMultiPart(MimeMultiPart::Mixed);
        mixed->addPart(new MimeHtml(html));
        auto* file = new MimeAttachment(csv, QString::fromLatin1(kExportCsvName));
        file->setContentType("text/csv");
        file->setCharset("utf-8");
        mixed->addPart(file);
        message.setContent(mixed);
    }

    if (!client.connectToHost())
        return MailOutcome::Unreachable;
    if (!client.login())
        return MailOutcome::LoginRefused;
    if (!client.sendMail(message))
        return MailOutcome::SendRefused;
    client.quit();
    return MailOutcome::Sent;
}

MailOutcome OutputService::smtpSendReport() {
    if (!isMailAddress(m_mailTo))
        return MailOutcome::BadAddress;
    MailOutcome result = smtpSend(m_mailTo, "Report", m_mailBody, true, m_mailCsv);
    if (result != MailOutcome::Sent)
        result = smtpSend(m_mailTo, "Report", m_mailBody, false, m_mailCsv);
    if (result != MailOutcome::Sent)
        qCWarning(lcOutput, "the result mail was not sent: %s",
                  qPrintable(mailOutcomeText(result)));
    return result;
}

void OutputService::setReport(const QString& to, const QString& html, const QByteArray& csv) {
    m_mailTo = to;
    m_mailBody = html;
    m_mailCsv = csv;
}
