// The sensor polling thread: while the camera previews, one pass in four reads the
// distance and three read the pitch, 50 ms apart; otherwise it idles.
#pragma once

#include <QThread>

class GData;

class HWThread : public QThread {
    Q_OBJECT
public:
    explicit HWThread(GData* data, QObject* parent = nullptr);

protected:
    void run() override;

private:
    GData* m_pData;
};
