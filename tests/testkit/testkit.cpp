#include "testkit/testkit.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "screening/screening_session.h"
#include "system/firmware_image.h"

#include <QtTest>

#include <openssl/evp.h>
#include <openssl/pem.h>

namespace testkit {

DataFixture::DataFixture() : m_ownBoard(std::make_unique<ScopedBoard>()) {
    init(*m_ownBoard);
}

DataFixture::DataFixture(const ScopedBoard& onBoard) {
    init(onBoard);
}

void DataFixture::init(const ScopedBoard& onBoard) {
    m_board = &onBoard;
    m_data = std::make_unique<GData>();
    m_data->setAppDir(m_board->appDir());
    m_data->InitData();
    m_data->InitCommonAndConfig();
}

DataFixture::~DataFixture() {
    m_data->capture().AVIFileClose();
    m_data->capture().V4l2DeviceClose();
    m_data.reset(); // before the board it lives on
}

entry::Child exampleChild() {
    return {"Test", false, QDate(2019, 5, 3), QString()};
}

AnalysisValues exampleValues() {
    AnalysisValues v;
    v.odSph = "1.25";
    v.odCyl = "-0.50";
    v.odAxis = "180";
    v.osSph = "1.00";
    v.osCyl = "-0.75";
    v.osAxis = "175";
    v.pd = "58";
    return v;
}

ScreeningRecord exampleRecord(const QDateTime& testTime) {
    const entry::Child child = exampleChild();
    return withValues(
        withoutMeasurements(child.name, child.male, child.birth, testTime, "Pass", {}),
        exampleValues());
}

void beginExample(GData& d) {
    const QString problem = d.screening().begin(exampleChild());
    if (!problem.isEmpty())
        QTest::qFail(qPrintable("the example child was refused: " + problem), __FILE__, __LINE__);
}

namespace firmware {

QByteArray image(int size, char fill) {
    const ::firmware::Machine machine = ::firmware::runningMachine();
    QByteArray head("\x7f"
                    "ELF",
                    4);
    head += char(machine.elfClass);
    head += char(1); // little-endian
    head += char(1); // version
    head += QByteArray(9, '\0');
    head += char(2); // an executable
    head += char(0);
    head += char(machine.elfMachine & 0xff);
    head += char(machine.elfMachine >> 8);
    return (head + QByteArray(qMax(0, size - int(head.size())), fill)).left(size);
}

QString devKey() {
    return QStringLiteral(VISTREL_DEV_SIGNING_KEY);
}

namespace {
using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
}

QString makeKey(const QString& dir) {
    Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
    const QString path = dir + "/other-key.pem";
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new_file(qPrintable(path), "w"), BIO_free);
    if (!key || !out ||
        PEM_write_bio_PrivateKey(out.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return QString();
    return path;
}

QByteArray sign(const QByteArray& data, const QString& keyPath) {
    std::unique_ptr<BIO, decltype(&BIO_free)> in(BIO_new_file(qPrintable(keyPath), "r"), BIO_free);
    Key key(in ? PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr) : nullptr,
            EVP_PKEY_free);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    QByteArray signature(::firmware::kSignatureBytes, '\0');
    size_t length = size_t(signature.size());
    if (!key || !ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
        EVP_DigestSign(ctx.get(), reinterpret_cast<uchar*>(signature.data()), &length,
                       reinterpret_cast<const uchar*>(data.constData()), size_t(data.size())) != 1)
        return QByteArray();
    return signature.left(int(length));
}

} // namespace firmware
} // namespace testkit
