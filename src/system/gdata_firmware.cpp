// GData's firmware-update housekeeping.
#include "app/gdata.h"

#include <QFile>

// Removes an image left staged by an earlier update. A file operation rather than a shell
// line, so an application folder whose path holds spaces or shell characters is safe.
void GData::versionDelete() {
    QFile::remove(appDir() + "/vistrel.new");
}

// Removes the settings file so that the next start writes the defaults.
void GData::cfgFileDelete() {
    QFile::remove(appDir() + "/CAMCFG/config.txt");
}
