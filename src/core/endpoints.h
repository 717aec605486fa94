// Where the device's servers are: one table per build, kept here and nowhere else.
//
// The device build's hosts and accounts come from the deployment profile chosen when
// configuring (cmake/deploy/, VISTREL_DEPLOY_PROFILE); the default one holds placeholders
// under example.net. The simulator build points every server at its local stand-in on
// loopback (sim/services/).
// A leaf of the core: it depends on nothing else of the application.
#pragma once

#include <QString>

namespace endpoints {

struct Endpoint {
    QString host;
    quint16 port;
};

// Analysis server of a region (0 US, 1 India, 2 China, 3 Philippines; others count as US).
// Plain HTTP on port 15000 on both builds.
QString analysisHost(int region);
constexpr quint16 kAnalysisPort = 15000;

// "us", "india" or "china": the region's name on the firmware server (1 India, 2 China,
// everything else US).
QString regionName(int region);

// "http://<host>:15000<path><identity>" for the region (the China server has its own path).
QString analysisUploadUrl(int region, const QString& identity);

Endpoint printService();   // cloud receipt printing, HTTP
Endpoint smtpSsl();        // mail, implicit TLS
Endpoint smtpPlain();      // mail, plain TCP
Endpoint timeServer();     // SNTP over UDP
Endpoint firmwareServer(); // version lists and images, HTTP

// The cloud printing account: member code (32 lower-case hex digits) and signing key
// (8 upper-case letters and digits). The key signs requests and is never sent.
QString printMemberCode();
QString printSigningKey();

// The built-in sender account of the result mail: mailbox (login, sender address and
// display name) and password.
QString mailSender();
QString mailPassword();

} // namespace endpoints
