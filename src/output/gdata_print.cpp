// GData's receipt printing through the cloud printing service.
#include "app/gdata.h"

#include "core/camcfg.h"
#include "core/common.h"
#include "core/endpoints.h"
#include "output/receipt.h"
#include "platform/board.h"

#include <QDebug>

QString GData::httpPrintString(QString& text) {
    // Seconds since 1970 from the system clock, not shifted by the time zone.
    const QString reqTime = QString::number(board::currentSecsSinceEpoch());
    const QString deviceID = m_pCamCfg ? m_pCamCfg->m_strValue[CamCfg::PrinterId] : QString();
    const endpoints::Endpoint service = endpoints::printService();
    const QString url = QString("http://%1:%2/apisc/sendMsg").arg(service.host).arg(service.port);
    const QString reply =
        m_pCommon->httpPostRequest(url, printRequestBody(reqTime, deviceID, text), 30);
    qDebug("%s", qPrintable(reply));
    return printAccepted(reply) ? "OK" : "Error";
}

QString GData::httpPrintResult() {
    QString text = resultReceipt(record(), getLocalTime());
    return httpPrintString(text);
}

QString GData::httpPrintTestpage() {
    QString text = testPageReceipt(getLocalTime());
    return httpPrintString(text);
}
