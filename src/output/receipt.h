// Receipts for the cloud printer and the signed request that carries them.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include "screening/record.h"

// The result receipt, every line followed by "<gpCut/>"; `printedAt` is the device's local
// time when printing.
// Text as the printer markup carries it: "&", "<" and ">" as entities, so that nothing a
// name or a value holds becomes a tag such as "<gpCut/>".
QString markupSafe(const QString& text);

// The record's fields go through markupSafe.
QString resultReceipt(const ScreeningRecord& r, const QDateTime& printedAt);
QString testPageReceipt(const QDateTime& printedAt);

// MD5 of memberCode + deviceID + msgNo + reqTime + signing key, 32 lower-case hex digits.
QString httpPrintGetMD5(QString& memberCode, QString& deviceID, QString& msgNo, QString& reqTime);

// The form body: charset, reqTime, memberCode, deviceID, token, securityCode, msgDetail,
// msgNo, reprint, mode, in this order. The device ID and the receipt text are the only
// free texts: "&", "=", "+" and "%" in them are percent-encoded so that a name holding
// them reaches the printer whole; every other byte goes as it is.
QByteArray printRequestBody(const QString& reqTime, const QString& deviceID,
                            const QString& msgDetail);

// True when the service's reply accepts the print.
bool printAccepted(const QString& reply);
