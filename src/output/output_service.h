// What leaves the device as a document: receipts through the cloud printing service and
// the result mail from the built-in account. GUI thread only (inside the progress
// dialog's jobs).
#pragma once

#include <QString>

class Settings;
class HttpClient;
class ScreeningSession;
struct ScreeningRecord;

// A receipt sent to the cloud printer: printed, refused by the service (an unknown printer,
// a bad signature), or no answer at all.
enum class PrintOutcome { Printed, Refused, Unreachable };

// The result mail: sent, or where it failed.
enum class MailOutcome { Sent, BadAddress, Unreachable, LoginRefused, SendRefused };
// The text the operator is told: "OK", or the failure's ("Failed to login!", ...).
QString mailOutcomeText(MailOutcome outcome);

class OutputService {
public:
    OutputService(const Settings& settings, const ScreeningSession& screening, HttpClient& http);

    PrintOutcome httpPrintString(QString& text);
    // The receipt of the screening under way.
    PrintOutcome httpPrintResult();
    // The receipt of a screening from the history (one delivered later, for instance).
    PrintOutcome httpPrintRecord(const ScreeningRecord& record);
    PrintOutcome httpPrintTestpage();

    // The result mail: the recipient, HTML body and spreadsheet attachment set by the
    // export, sent by the mail job. An address that is not one (isMailAddress) is refused
    // before anything is sent.
    static inline const QString kBadMailAddress = QStringLiteral("E-mail address is not valid!");
    void setReport(const QString& to, const QString& html, const QByteArray& csv = {});
    QString reportRecipient() const { return m_mailTo; }
    QString reportBody() const { return m_mailBody; }
    QByteArray reportCsv() const { return m_mailCsv; }
    // ssl: implicit TLS on the SSL port; otherwise STARTTLS on the other port, and a server
    // without it gets no login ("Failed to login!").
    // A non-empty csv goes with the HTML as the attachment kExportCsvName.
    MailOutcome smtpSend(const QString& to, const QString& subject, const QString& html, bool ssl,
                         const QByteArray& csv = {});
    MailOutcome smtpSendReport();

private:
    const Settings& m_settings;
    const ScreeningSession& m_screening;
    HttpClient& m_http;
    QString m_mailTo;
    QString m_mailBody;
    QByteArray m_mailCsv;
};
