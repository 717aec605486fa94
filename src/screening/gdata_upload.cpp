// GData's upload of a recording to the analysis server.
#include "app/gdata.h"
#include "core/paths.h"

#include "core/common.h"
#include "core/endpoints.h"
#include "screening/analysis.h"

#include <QDebug>
#include <QMap>

QString GData::getRegionString(int region) {
    return endpoints::regionName(region);
}

int GData::uploadAVIFile() {
    const QString url = endpoints::analysisUploadUrl(m_nRegion, m_pCommon->GetETNetMACAddress());
    QMap<QString, QString> fields{{"student_info", "0__0__0__0"}};
    m_strPhotoResult =
        m_pCommon->httpPostRequestWithFile(url, 92, fields, "pupil_video", paths::kRecordingFile);
    qDebug("m_strPhotoResult=%s", qPrintable(m_strPhotoResult));
    if (m_strPhotoResult.isEmpty()) {
        m_strPhotoResult = "No Response";
        m_bWifiRefresh = true; // let the Wi-Fi worker look at the connection again
        return 0;
    }
    AnalysisValues v;
    if (!parseAnalysisReply(m_strPhotoResult, v))
        return 0;
    m_strOSSph = v.osSph;
    m_strODSph = v.odSph;
    m_strOSCyl = v.osCyl;
    m_strODCyl = v.odCyl;
    m_strPD = v.pd;
    m_strOSAxis = v.osAxis;
    m_strODAxis = v.odAxis;
    return 1;
}
