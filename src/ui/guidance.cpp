#include "ui/guidance.h"

#include "sensors/sensor_hub.h"

#include <QChar>

namespace guidance {

bool distanceOk(int cm) {
    return cm >= 95 && cm <= 100;
}

bool pitchOk(int degrees) {
    return degrees >= -7 && degrees <= 7;
}

bool brightnessOk(unsigned lumaMean, bool flashOn) {
    return lumaMean < 20 || flashOn;
}

bool ready(const Readings& r) {
    return pitchOk(r.pitch) && distanceOk(r.distance) && brightnessOk(r.lumaMean, r.flashOn);
}

QString distanceText(int cm) {
    return cm < 1 ? QStringLiteral("---") : cm > 200 ? QStringLiteral("200") : QString::number(cm);
}

QString pitchText(int degrees) {
    if (degrees == SensorHub::kNoPitch)
        return QStringLiteral("---");
    return QString::number(degrees) + QChar(0x00B0);
}

std::optional<int> pitchLineTop(int degrees) {
    if (degrees < -59 || degrees > 59)
        return std::nullopt;
    return 188 - 5 * degrees / 2;
}

} // namespace guidance
