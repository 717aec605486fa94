#include "core/endpoints.h"

#ifndef VISTREL_SIM
#include "core/deployment.h"
#endif

namespace endpoints {
namespace {

struct Table {
    const char* analysis[4]; // US, India, China, Philippines
    bool analysisTls;
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
    true,
    {"127.0.0.1", 18081, true},
    {"127.0.0.1", 10465},
    {"127.0.0.1", 10025},
    {"127.0.0.1", 10123},
    {"127.0.0.1", 18082, true},
};

// The stand-ins answer both; a run can ask for plain HTTP to try what field servers speak.
bool plainHttp() {
    static const bool plain = qEnvironmentVariable("VISTREL_SIM_PLAIN_HTTP") == "1";
    return plain;
}
#else
// The deployment profile chosen at configure time (cmake/deploy/).
const Table kTable = {
    {VISTREL_DEPLOY_ANALYSIS_US, VISTREL_DEPLOY_ANALYSIS_INDIA, VISTREL_DEPLOY_ANALYSIS_CHINA,
     VISTREL_DEPLOY_ANALYSIS_PHILIPPINES},
    VISTREL_DEPLOY_ANALYSIS_TLS,
    {VISTREL_DEPLOY_PRINT_HOST, VISTREL_DEPLOY_PRINT_PORT, VISTREL_DEPLOY_PRINT_TLS},
    {VISTREL_DEPLOY_SMTP_HOST, VISTREL_DEPLOY_SMTP_SSL_PORT},
    {VISTREL_DEPLOY_SMTP_HOST, VISTREL_DEPLOY_SMTP_PLAIN_PORT},
    {VISTREL_DEPLOY_TIME_HOST, VISTREL_DEPLOY_TIME_PORT},
    {VISTREL_DEPLOY_FIRMWARE_HOST, VISTREL_DEPLOY_FIRMWARE_PORT, VISTREL_DEPLOY_FIRMWARE_TLS},
};

bool plainHttp() {
    return false;
}
#endif

Endpoint http(Endpoint server) {
    server.tls = server.tls && !plainHttp();
    return server;
}

} // namespace

// The printing account. The simulator's print stand-in is set up with the same account.
#ifdef VISTREL_SIM
const char* const kMemberCode = "5f3c9a1e0b7d42c8a6e19f04d2b83c71";
const char* const kSigningKey = "Q7M2K9XA";
#else
const char* const kMemberCode = VISTREL_DEPLOY_PRINT_MEMBER_CODE;
const char* const kSigningKey = VISTREL_DEPLOY_PRINT_SIGNING_KEY;
#endif

// The mail account.
#ifdef VISTREL_SIM
const char* const kMailSender = "screening@vistrel.test";
const char* const kMailPassword = "Mqlvord482917";
#else
const char* const kMailSender = VISTREL_DEPLOY_MAIL_SENDER;
const char* const kMailPassword = VISTREL_DEPLOY_MAIL_PASSWORD;
#endif

#ifdef VISTREL_SIM
int outboxMaxItems() {
    const int knob = qEnvironmentVariableIntValue("VISTREL_SIM_OUTBOX_MAX_ITEMS");
    return knob > 0 ? knob : 200;
}
qint64 outboxMinFreeBytes() {
    return 64ll << 20;
}
#else
int outboxMaxItems() {
    return VISTREL_DEPLOY_OUTBOX_MAX_ITEMS;
}
qint64 outboxMinFreeBytes() {
    return qint64(VISTREL_DEPLOY_OUTBOX_MIN_FREE_MB) << 20;
}
#endif

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

QString baseUrl(const Endpoint& server) {
    return QString("%1://%2:%3").arg(server.tls ? "https" : "http", server.host).arg(server.port);
}

Endpoint analysisServer(int region) {
    return http({analysisHost(region), kAnalysisPort, kTable.analysisTls});
}

Endpoint printService() {
    return http(kTable.print);
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
    return http(kTable.firmware);
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
    return baseUrl(analysisServer(region)) + path + identity;
}

} // namespace endpoints
