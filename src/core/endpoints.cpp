#include "core/endpoints.h"

namespace endpoints {
namespace {

struct Table {
    const char* analysis[4]; // US, India, China, Philippines
    Endpoint print;
    Endpoint smtpSsl;
    Endpoint smtpPlain;
    Endpoint time;
    Endpoint firmware;
};

#ifdef VISTREL_SIM
// Stand-ins on loopback; high ports so nothing privileged or already running on the
// host is needed.
const Table kTable = {
    {"127.0.0.1", "127.0.0.2", "127.0.0.3", "127.0.0.4"},
    {"127.0.0.1", 18081},
    {"127.0.0.1", 10465},
    {"127.0.0.1", 10025},
    {"127.0.0.1", 10123},
    {"127.0.0.1", 18082},
};
#else
// Deployment values: replace the example.net placeholders with the production hosts.
const Table kTable = {
    {"us.analysis.example.net", "in.analysis.example.net", "cn.analysis.example.net",
     "ph.analysis.example.net"},
    {"print.example.net", 80},
    {"smtp.example.net", 465},
    {"smtp.example.net", 25},
    {"time.example.net", 123},
    {"firmware.example.net", 80},
};
#endif

} // namespace

// The printing account. The simulator's print stand-in is set up with the same account.
#ifdef VISTREL_SIM
const char* const kMemberCode = "5f3c9a1e0b7d42c8a6e19f04d2b83c71";
const char* const kSigningKey = "Q7M2K9XA";
#else
// Deployment values: the production account of the printing service.
const char* const kMemberCode = "00000000000000000000000000000000";
const char* const kSigningKey = "CHANGEME";
#endif

// The mail account. Device: the mailbox is a deployment value.
#ifdef VISTREL_SIM
const char* const kMailSender = "screening@vistrel.test";
#else
const char* const kMailSender = "screening@example.net";
#endif
const char* const kMailPassword = "Mqlvord482917";

QString mailSender() {
    return QString::fromLatin1(kMailSender);
}
QString mailPassword() {
    return QString::fromLatin1(kMailPassword);
}

QString printMemberCode() {
    return QString::fromLatin1(kMemberCode);
}
QString printSigningKey() {
    return QString::fromLatin1(kSigningKey);
}

QString analysisHost(int region) {
    if (region < 0 || region > 3)
        region = 0;
    return QString::fromLatin1(kTable.analysis[region]);
}

Endpoint printService() {
    return kTable.print;
}
Endpoint smtpSsl() {
    return kTable.smtpSsl;
}
Endpoint smtpPlain() {
    return kTable.smtpPlain;
}
Endpoint timeServer() {
    return kTable.time;
}
Endpoint firmwareServer() {
    return kTable.firmware;
}

QString regionName(int region) {
    switch (region) {
    case 1:
        return QStringLiteral("india");
    case 2:
        return QStringLiteral("china");
    default:
        return QStringLiteral("us");
    }
}

QString analysisUploadUrl(int region, const QString& identity) {
    const QString path = region == 2 ? "/upload_pupil_images/" : "/production/";
    return "http://" + endpoints::analysisHost(region) + ":" +
           QString::number(endpoints::kAnalysisPort) + path + identity;
}

} // namespace endpoints
