#include "link/sonar_config_message.h"

#include "base/configuration.h"

namespace {
QString num(int v) {
    return QString::number(v);
}
// The box's frequency code: 2 for the wide beam (setting 0), 0 for the narrow one.
int freqCode(const StructConfiguration& cfg) {
    return cfg.sonarFreq == 0 ? 2 : 0;
}
}  // namespace

namespace SonarConfigMessage {

QStringList build(const QString& key, const StructConfiguration& cfg, const QString& last) {
    const QString sens = num(int(cfg.sonarSensitivity));
    const QString fsens = num(int(cfg.fishSensitivity));
    const QString gain = num(cfg.sonarGain);
    const QString freq = num(freqCode(cfg));
    const QString range = num(int(cfg.depthRange));
    if (key == QLatin1String("sens")) return {QStringLiteral(",Sens=") + sens + '*'};
    if (key == QLatin1String("fsens")) return {QStringLiteral(",FSen=") + fsens + '*'};
    if (key == QLatin1String("gain")) return {QStringLiteral(",Gain=") + gain + '*'};
    if (key == QLatin1String("freq")) return {QStringLiteral(",Freq=") + freq + '*'};
    if (key == QLatin1String("range")) return {QStringLiteral(",LRng=") + range + '*'};
    if (key == QLatin1String("all")) {
        const QString first = QStringLiteral(",Freq=") + freq + QStringLiteral(",Gain=") + gain +
                              QStringLiteral(",LRng=") + range + '*';
        const QString second =
            QStringLiteral(",Sens=") + sens + QStringLiteral(",Fsen=") + fsens + '*';
        return {first, second, second};
    }
    if (key == QLatin1String("repeat") && !last.isEmpty()) return {last};
    return {};
}

}  // namespace SonarConfigMessage
