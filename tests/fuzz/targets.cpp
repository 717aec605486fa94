// libFuzzer harnesses for every parser of text that comes from a file, a server or a
// program. One source, one executable per harness: FUZZ_TARGET names the harness. Besides
// memory and undefined-behaviour errors (the sanitizers), a harness aborts when a property
// of its parser does not hold (round trips, what a delete keeps).
#include "core/camcfg.h"
#include "net/http.h"
#include "net/http_upload.h"
#include "output/export_table.h"
#include "screening/analysis.h"
#include "screening/history.h"
#include "screening/outbox.h"
#include "sensors/calibration_store.h"
#include "smtp/mime.h"
#include "smtp/quotedprintable.h"
#include "smtp/smtpclient.h"
#include "system/firmware.h"
#include "system/firmware_image.h"
#include "system/sntp.h"
#include "system/wifi.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

QString text(const QByteArray& data) {
    return QString::fromUtf8(data);
}

// The history's lines the plain way: a line ends at "\r\n", "\r" or "\n".
QStringList lines(const QString& history) {
    static const QRegularExpression end(QStringLiteral("\r\n|\r|\n"));
    return history.split(end);
}

// The history's screenings the plain way: every line that is no extras line taken apart,
// with the extras of the line after it, and its child key.
struct PlainRecord {
    HistoryEntry entry;
    RecordExtras extras;
    QString key;
};
QList<PlainRecord> plainRecords(const QString& history) {
    const QStringList all = lines(history);
    QList<PlainRecord> records;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const auto entry = parseHistoryLine(all[i]);
        if (!entry || isExtrasLine(all[i]))
            continue;
        const RecordExtras extras = i + 1 < all.size()
                                        ? extrasOf(all[i], all[i + 1]).value_or(RecordExtras{})
                                        : RecordExtras{};
        records.append({*entry, extras, childKey(entry->key, extras.childId)});
    }
    return records;
}

void settings(const QByteArray& data) {
    CamCfg cfg;
    cfg.m_strCfgText = text(data);
    cfg.parseCurrentCFG();
    const auto values = cfg.m_strValue;
    // What is parsed and written again reads back the same.
    cfg.dogenCurrentCFG();
    cfg.parseCurrentCFG();
    require(cfg.m_strValue == values, "settings round trip");
}

void calibration(const QByteArray& data) {
    sensor_calibrate_data_t first;
    if (!parseSensorCalibration(text(data), first))
        return;
    sensor_calibrate_data_t again;
    const QString line = QString("%1,%2\n").arg(first.distance_offset).arg(first.pitch_offset);
    require(parseSensorCalibration(line, again) && again.distance_offset == first.distance_offset &&
                again.pitch_offset == first.pitch_offset,
            "calibration round trip");
}

// The first line is the search text, the rest the history.
void historyList(const QByteArray& data) {
    const QString all = text(data);
    const QString search = all.section('\n', 0, 0);
    const QString history = all.section('\n', 1);
    const QStringList keys = matchingChildKeys(history, search);
    // The same list the plain way: every line taken apart.
    QStringList plain;
    const QString needle = searchFolded(search);
    for (const PlainRecord& r : plainRecords(history)) {
        const bool matches = searchFolded(r.entry.key).contains(needle) ||
                             searchFolded(r.extras.childId).contains(needle);
        if (matches && !plain.contains(r.key))
            plain << r.key;
    }
    std::sort(plain.begin(), plain.end());
    require(keys == plain, "the list is every matching child once, sorted");
}

void historyDetail(const QByteArray& data) {
    const QString history = text(data);
    const QStringList keys = matchingChildKeys(history, "");
    for (qsizetype i = 0; i < keys.size() && i < 16; ++i) {
        const QList<ScreeningRow> rows = childScreenings(history, keys[i]);
        for (const ScreeningRow& row : rows)
            require(row.cells.size() == 9, "a screening row has nine cells");
        qsizetype plain = 0; // the child's records the plain way
        for (const PlainRecord& r : plainRecords(history))
            plain += r.key == keys[i] && screeningCells(r.entry.results);
        require(rows.size() == plain, "the detail holds each of the child's records");
    }
}

// The delete works on the file's bytes; the list it is given comes from the text as the
// device reads it (zero bytes skipped).
void historyDelete(const QByteArray& data) {
    QByteArray read = data;
    read.replace('\0', QByteArray());
    const QString history = text(read);
    const QStringList keys = matchingChildKeys(history, "").mid(0, 2);
    QByteArray keptBytes = historyWithout(data, keys);
    keptBytes.replace('\0', QByteArray());
    const QString kept = text(keptBytes);
    // Nothing of the deleted children stays; every record of the others does.
    int before = 0, after = 0;
    QList<RecordExtras> extrasBefore, extrasAfter;
    for (const PlainRecord& r : plainRecords(history))
        if (!keys.contains(r.key)) {
            ++before;
            extrasBefore << r.extras;
        }
    for (const PlainRecord& r : plainRecords(kept)) {
        require(!keys.contains(r.key), "a deleted child's record stays");
        ++after;
        extrasAfter << r.extras;
    }
    require(before == after, "a delete keeps every other child's records");
    require(extrasBefore == extrasAfter, "a kept record keeps its extras");
}

void historyExport(const QByteArray& data) {
    const QString history = text(data);
    const QStringList keys = matchingChildKeys(history, "").mid(0, 4);
    exportTable(history, keys);
    // Every exported screening is one CSV record of sixteen fields.
    const QByteArray csv = exportCsv(history, keys);
    require(csv.startsWith("\xEF\xBB\xBF") && csv.endsWith("\r\n"), "a CSV file with its mark");
}

void analysisReply(const QByteArray& data) {
    AnalysisValues values;
    if (!parseAnalysisReply(text(data), values))
        return;
    for (const QString& v : {values.osSph, values.odSph, values.osCyl, values.odCyl, values.pd,
                             values.osAxis, values.odAxis})
        require(!v.contains('\n') && !v.contains('\r') && !v.contains('|'),
                "a stored value cannot break the history's format");
    for (const QString& v : {values.osSph, values.odSph, values.osCyl, values.odCyl, values.pd})
        require(isRefractionValue(v), "only a refraction value is taken");
}

void wpaCli(const QByteArray& data) {
    const QString answer = text(data);
    ssidDecode(answer);
    savedSsids(answer);
    networkIndex(answer, "Clinic-Staff");
    parseWifiStatus(answer);
    wpaState(answer);
    const ScanList scan = parseScanResults(answer);
    require(scan.levels.size() == scan.ssids.size() && scan.flags.size() == scan.ssids.size(),
            "scan lists stay parallel");
    rssiOf(answer);
    answeredOk(answer);
}

void versionList(const QByteArray& data) {
    const QString list = text(data);
    const auto entries = versionListEntries(list);
    for (const auto& [file, name] : entries) {
        QString first;
        for (const auto& [f, n] : entries)
            if (n == name) {
                first = f;
                break;
            }
        require(versionFileFor(list, name) == first, "a version is found by its name");
    }
}

void versionFile(const QByteArray& data) {
    int fields = 0;
    const auto info = parseVersionFile(text(data), &fields);
    if (!info || !info->usable())
        return;
    static const QRegularExpression md5(QStringLiteral("^[0-9A-F]{32}$"));
    require(info->size >= 1 && info->size <= kMaxImageBytes, "an image size is in range");
    require(md5.match(info->md5).hasMatch(), "a digest is 32 upper-case hexadecimal digits");
}

// The image checks on whatever a server sends: the head check, and the signature check
// with the build's keys (which nothing the fuzzer makes can satisfy) and with a key, a
// signature and a message all taken from the input.
void firmwareImage(const QByteArray& data) {
    if (firmware::imageHeadProblem(data).isEmpty())
        require(data.startsWith("\x7f"
                                "ELF"),
                "only an ELF head passes");
    const QByteArray signature = data.left(firmware::kSignatureBytes);
    const QByteArray message = data.mid(firmware::kSignatureBytes);
    require(!firmware::signedByOneOf(reinterpret_cast<const uchar*>(message.constData()),
                                     size_t(message.size()), signature, firmware::trustedKeys()),
            "no signature by a trusted key is forged");
    const QByteArray key = data.left(firmware::kPublicKeyBytes);
    const QByteArray own = data.mid(firmware::kPublicKeyBytes, firmware::kSignatureBytes);
    const QByteArray signedText = data.mid(firmware::kPublicKeyBytes + firmware::kSignatureBytes);
    firmware::signedByOneOf(reinterpret_cast<const uchar*>(signedText.constData()),
                            size_t(signedText.size()), own, {key});
}

void sntpReply(const QByteArray& data) {
    if (sntpReplyUsable(data))
        unixTimeOfReply(data);
}

void percentDecoding(const QByteArray& data) {
    const QByteArray terminated = data + '\0'; // the decoder reads up to the zero
    percentDecode(terminated.constData());
}

void smtpReplies(const QByteArray& data) {
    for (const QByteArray& line : data.split('\n'))
        SmtpClient::endsReply(QString::fromUtf8(line + '\n'));
}

// An item the outbox accepts is one child: its history line makes exactly one screening,
// of that child, and the item reads back as it was written.
void outboxItem(const QByteArray& data) {
    const std::optional<OutboxItem> item = parseOutboxItem(data);
    if (!item)
        return;
    const ScreeningRecord& r = item->record;
    const QList<PlainRecord> records = plainRecords(historyLine(r));
    require(records.size() == 1, "an accepted item makes one screening");
    require(records[0].key == childKeyOf(r), "the screening is of the item's child");
    require(records[0].entry.name == r.name &&
                records[0].entry.birth == r.birth.toString("yyyy-MM-dd"),
            "the child's name and birth date arrive whole");
    const std::optional<OutboxItem> again = parseOutboxItem(outboxItemText(*item));
    require(again && again->record.name == r.name && again->record.male == r.male &&
                again->record.birth == r.birth && again->record.testTime == r.testTime &&
                again->record.extras == r.extras && again->criterion == item->criterion &&
                again->region == item->region,
            "an accepted item reads back as written");
}

void httpReply(const QByteArray& data) {
    UploadAnswer answer;
    parseHttpReply(data, true, answer);
    require(answer.answered || !answer.failure.isEmpty(), "no reply says why");
}

void quotedPrintable(const QByteArray& data) {
    const QString encoded = MimeContentFormatter(76).format(QuotedPrintable::encode(data), true);
    for (const QString& line : encoded.split("\r\n")) {
        require(line.size() <= 76, "quoted-printable lines stay within 76");
        require(!line.endsWith(' ') && !line.endsWith('\t'), "no line ends with white space");
    }
    require(QuotedPrintable::decode(encoded) == data, "quoted-printable round trip");
    QuotedPrintable::decode(QString::fromLatin1(data)); // any text decodes
}

void base64(const QByteArray& data) {
    const QString lines = MimeContentFormatter(76).format(QString::fromLatin1(data.toBase64()));
    require(QByteArray::fromBase64(lines.toLatin1()) == data, "base64 round trip");
}

struct Harness {
    const char* name;
    void (*run)(const QByteArray&);
};
constexpr Harness kHarnesses[] = {
    {"settings", settings},
    {"calibration", calibration},
    {"history_list", historyList},
    {"history_detail", historyDetail},
    {"history_delete", historyDelete},
    {"history_export", historyExport},
    {"analysis_reply", analysisReply},
    {"wpa_cli", wpaCli},
    {"version_list", versionList},
    {"version_file", versionFile},
    {"firmware_image", firmwareImage},
    {"sntp_reply", sntpReply},
    {"percent_decoding", percentDecoding},
    {"smtp_replies", smtpReplies},
    {"http_reply", httpReply},
    {"outbox_item", outboxItem},
    {"quoted_printable", quotedPrintable},
    {"base64", base64},
};

void (*harness())(const QByteArray&) {
    for (const Harness& h : kHarnesses)
        if (!std::strcmp(h.name, FUZZ_TARGET))
            return h.run;
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_LOGGING_RULES", "*.debug=false"); // the parsers' diagnostics are noise here
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto run = harness();
    run(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
