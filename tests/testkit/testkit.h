// The application fixture: a GData on a virtual board, initialised as main does, the example
// child, and the firmware images and keys; for the suites that exercise the composed
// application (vistrel_testkit). The board fixture is in testkit/board_fixture.h.
#pragma once

#include "screening/analysis.h"
#include "screening/child_entry.h"
#include "testkit/board_fixture.h"

#include <memory>

class GData;

namespace testkit {

// A virtual board and a GData on it, initialised as main does (display buffer, settings
// and calibration from the board's application folder).
class DataFixture {
public:
    DataFixture();                                    // on a board of its own
    explicit DataFixture(const ScopedBoard& onBoard); // on a board the test made already
    virtual ~DataFixture();
    DataFixture(const DataFixture&) = delete;
    DataFixture& operator=(const DataFixture&) = delete;

    GData& data() { return *m_data; }
    const ScopedBoard& board() const { return *m_board; }

private:
    void init(const ScopedBoard& onBoard);

    std::unique_ptr<ScopedBoard> m_ownBoard;
    const ScopedBoard* m_board;
    std::unique_ptr<GData> m_data;
};

// The example child used throughout the tests (Test, female, born 2019-05-03), its analysis
// (OD 1.25/-0.50/180, OS 1.00/-0.75/175, PD 58: a pass by every criterion), and the two as
// the record of a screening at `testTime`.
entry::Child exampleChild();
AnalysisValues exampleValues();
ScreeningRecord exampleRecord(const QDateTime& testTime);
// Begins the example child's screening on `data`'s session; the test fails if it is refused.
void beginExample(GData& data);

// Firmware images as the firmware server offers them.
namespace firmware {
// `size` bytes that start as an ELF executable for the processor the suite runs on.
QByteArray image(int size, char fill = 'x');
// The build's development signing key, which the simulator build trusts.
QString devKey();
// A new Ed25519 key in PEM under `dir`, which nothing trusts.
QString makeKey(const QString& dir);
// The Ed25519 signature of `data` by the PEM key at `keyPath` (signed in this process, so
// that it works where child processes cannot run).
QByteArray sign(const QByteArray& data, const QString& keyPath);
} // namespace firmware

} // namespace testkit
