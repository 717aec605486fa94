#include "net/tls_trust.h"

#include "core/trust.h"

namespace tls {

QList<QSslCertificate> extraAuthorities() {
    QList<QSslCertificate> authorities =
        QSslCertificate::fromData(QByteArrayLiteral(VISTREL_EXTRA_CA_PEM), QSsl::Pem);
#ifdef VISTREL_SIM
    const QString simAuthority = qEnvironmentVariable("VISTREL_SIM_CA");
    if (!simAuthority.isEmpty())
        authorities += QSslCertificate::fromPath(simAuthority);
#endif
    return authorities;
}

QSslConfiguration clientConfiguration() {
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.addCaCertificates(extraAuthorities());
    conf.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return conf;
}

} // namespace tls
