// What leaves the device as a document: receipts through the cloud printing service and
// the result mail from the built-in account. GUI thread only (inside the progress
// dialog's jobs).
#pragma once

#include <QString>

class Settings;
class HttpClient;
class ScreeningSession;
struct ScreeningRecord;

class OutputService {
public:
    OutputService(const Settings& settings, const ScreeningSession& screening, HttpClient& http);

    // Receipts: "OK" or "Error".
    QString httpPrintString(QString& text);
    QString httpPrintResult();
    // The receipt of a screening from the history (one delivered later, for instance).
    QString httpPrintRecord(const ScreeningRecord& record);
    QString httpPrintTestpage();

    // The result mail: the recipient, HTML body and spreadsheet attachment set by the
    // export, sent by the mail job. "OK" or the failure's text; an address that is not one
    // (isMailAddress) is refused with kBadMailAddress before anything is sent.
    static inline const QString kBadMailAddress = QStringLiteral("E-mail address is not valid!");
    void setReport(const QString& to, const QString& html, const QByteArray& csv = {});
    QString reportRecipient() const { return m_mailTo; }
    QString reportBody() const { return m_mailBody; }
    QByteArray reportCsv() const { return m_mailCsv; }
    // ssl: implicit TLS on the SSL port; otherwise STARTTLS on the other port, and a server
    // without it gets no login ("Failed to login!").
    // A non-empty csv goes with the HTML as the attachment kExportCsvName.
    QString smtpSend(const QString& to, const QString& subject, const QString& html, bool ssl,
                     const QByteArray& csv = {});
    QString smtpSendReport();

private:
    const Settings& m_settings;
    const ScreeningSession& m_screening;
    HttpClient& m_http;
    QString m_mailTo;
    QString m_mailBody;
    QByteArray m_mailCsv;
};
