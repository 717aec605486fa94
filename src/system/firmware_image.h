// What a downloaded firmware image must be before it is staged: an executable for the
// processor it is to run on, signed by one of the keys the build trusts. Whoever answers for
// the firmware server (or sits between it and the device) can change the image, the version
// file and its MD5 together; only the signature tells the publisher's image from theirs.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace firmware {

// The processor an image must be built for: the one this program runs on.
struct Machine {
    int elfClass;   // 1: 32-bit, 2: 64-bit
    int elfMachine; // e_machine: 40 ARM, 183 AArch64, 62 x86-64, 3 i386
};
Machine runningMachine();

// Why `head` (the image's first bytes, at least 20 of them) is not a little-endian ELF
// executable for `machine`; "" when it is one.
QString imageHeadProblem(const QByteArray& head, Machine machine = runningMachine());

// An Ed25519 signature is 64 bytes; a public key 32.
constexpr int kSignatureBytes = 64;
constexpr int kPublicKeyBytes = 32;

// True when `signature` is a valid Ed25519 signature of `message` by one of `publicKeys`
// (raw keys). Keys of the wrong length never verify anything.
bool signedByOneOf(const uchar* message, size_t size, const QByteArray& signature,
                   const QList<QByteArray>& publicKeys);

// The same over the bytes of a file, which is mapped rather than read into memory; false
// when it cannot be read.
bool fileSignedByOneOf(const QString& path, const QByteArray& signature,
                       const QList<QByteArray>& publicKeys);

// The keys compiled into this build (from the deployment profile, or the simulator's
// development key).
QList<QByteArray> trustedKeys();

} // namespace firmware
