// Whom the device believes on a TLS connection: the system's certificate store plus the
// authorities the deployment names (compiled in from the profile), and in the simulator
// build the stand-ins' own authority, which they create as they start (the PEM file named by
// VISTREL_SIM_CA). Verification is always on; nothing here can turn it off.
#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace tls {

// The authorities trusted besides the system's store.
QList<QSslCertificate> extraAuthorities();

// Qt's default configuration with those authorities added and peers always verified.
QSslConfiguration clientConfiguration();

} // namespace tls
