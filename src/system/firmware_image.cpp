#include "system/firmware_image.h"

#include "core/trust.h"

#include <QFile>

#include <openssl/evp.h>

#include <memory>

namespace firmware {

Machine runningMachine() {
#if defined(__aarch64__)
    return {2, 183};
#elif defined(__arm__)
    return {1, 40};
#elif defined(__x86_64__)
    return {2, 62};
#elif defined(__i386__)
    return {1, 3};
#else
#error "Name the ELF machine of this processor"
#endif
}

QString imageHeadProblem(const QByteArray& head, Machine machine) {
    if (head.size() < 20)
        return QStringLiteral("shorter than an ELF header");
    const auto byte = [&head](int i) { return uchar(head[i]); };
    if (!head.startsWith("\x7f"
                         "ELF"))
        return QStringLiteral("not an ELF file");
    if (byte(4) != machine.elfClass)
        return QStringLiteral("ELF class %1, this device runs class %2")
            .arg(byte(4))
            .arg(machine.elfClass);
    if (byte(5) != 1)
        return QStringLiteral("not little-endian");
    const int type = byte(16) | byte(17) << 8;
    if (type != 2 && type != 3) // an executable, or a position-independent one
        return QStringLiteral("ELF type %1 is no executable").arg(type);
    const int elfMachine = byte(18) | byte(19) << 8;
    if (elfMachine != machine.elfMachine)
        return QStringLiteral("built for ELF machine %1, this device is %2")
            .arg(elfMachine)
            .arg(machine.elfMachine);
    return QString();
}

bool signedByOneOf(const uchar* message, size_t size, const QByteArray& signature,
                   const QList<QByteArray>& publicKeys) {
    if (signature.size() != kSignatureBytes)
        return false;
    for (const QByteArray& key : publicKeys) {
        if (key.size() != kPublicKeyBytes)
            continue;
        std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> pkey(
            EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr,
                                        reinterpret_cast<const uchar*>(key.constData()),
                                        size_t(key.size())),
            EVP_PKEY_free);
        std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(),
                                                                    EVP_MD_CTX_free);
        if (!pkey || !ctx ||
            EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, pkey.get()) != 1)
            continue;
        // Ed25519 signs the message itself, not a digest: it is verified in one call.
        static const uchar kEmpty = 0;
        if (EVP_DigestVerify(ctx.get(), reinterpret_cast<const uchar*>(signature.constData()),
                             size_t(signature.size()), size ? message : &kEmpty, size) == 1)
            return true;
    }
    return false;
}

bool fileSignedByOneOf(const QString& path, const QByteArray& signature,
                       const QList<QByteArray>& publicKeys) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size == 0)
        return signedByOneOf(nullptr, 0, signature, publicKeys);
    uchar* bytes = file.map(0, size);
    if (!bytes)
        return false;
    const bool ok = signedByOneOf(bytes, size_t(size), signature, publicKeys);
    file.unmap(bytes);
    return ok;
}

QList<QByteArray> trustedKeys() {
    QList<QByteArray> keys;
    for (const char* hex : std::initializer_list<const char*>{VISTREL_FIRMWARE_KEYS})
        keys.append(QByteArray::fromHex(hex));
    return keys;
}

} // namespace firmware
