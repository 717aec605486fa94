// Where the device's servers are: one table per build, kept here and nowhere else.
//
// The device build's hosts, schemes and accounts come from the deployment profile chosen
// when configuring (cmake/deploy/, VISTREL_DEPLOY_PROFILE); the default one holds
// placeholders under example.net. The simulator build points every server at its local
// stand-in on loopback (sim/services/), over TLS unless VISTREL_SIM_PLAIN_HTTP=1 asks for
// the plain HTTP that field servers may still speak.
// A leaf of the core: it depends on nothing else of the application.
#pragma once

#include <QString>

namespace endpoints {

struct Endpoint {
    QString host;
    quint16 port;
    bool tls = false; // HTTP servers: "https://" (certificates verified), else "http://"
};

// "<scheme>://<host>:<port>" of an HTTP server.
QString baseUrl(const Endpoint& server);

// Analysis server of a region (0 US, 1 India, 2 China, 3 Philippines; others count as US),
// on port 15000 in both builds.
QString analysisHost(int region);
constexpr quint16 kAnalysisPort = 15000;
Endpoint analysisServer(int region);

// "us", "india" or "china": the region's name on the firmware server (1 India, 2 China,
// everything else US).
QString regionName(int region);

// "<scheme>://<host>:15000<path><identity>" for the region (the China server has its own
// path).
QString analysisUploadUrl(int region, const QString& identity);

Endpoint printService();   // cloud receipt printing, HTTP(S)
Endpoint smtpSsl();        // mail, implicit TLS
Endpoint smtpPlain();      // mail, the submission port: STARTTLS before any login
Endpoint timeServer();     // SNTP over UDP
Endpoint firmwareServer(); // version lists and images, HTTP(S)

// The cloud printing account: member code (32 lower-case hex digits) and signing key
// (8 upper-case letters and digits). The key signs requests and is never sent.
QString printMemberCode();
QString printSigningKey();

// How many screenings may wait for the analysis, and the free space they must leave for the
// settings, calibration and history (the profile's, or the board's defaults).
int outboxMaxItems();
qint64 outboxMinFreeBytes();

// The built-in sender account of the result mail: mailbox (login, sender address and
// display name) and password.
QString mailSender();
QString mailPassword();

} // namespace endpoints
