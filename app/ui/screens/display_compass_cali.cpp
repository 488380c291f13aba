#include "ui/screens/display_compass_cali.h"

#include "base/dialog_kind.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "navi/handset_compass.h"
#include "ui/kit/ux_dialog_cali.h"

#include <QTimer>

DisplayCompassCali::DisplayCompassCali(UxDialogCali* dialog, QObject* parent)
    : QObject(parent), m_dialog(dialog), m_timer(new QTimer(this)) {
    m_timer->setInterval(kFollowMs);
    connect(m_timer, &QTimer::timeout, this, &DisplayCompassCali::follow);
    connect(m_dialog, &UxDialogCali::signal_keyClick, this, &DisplayCompassCali::keyClick);
}

void DisplayCompassCali::start(HandsetCompass* compass) {
    m_compass = compass;
    m_compass->startCalibration();
    m_dialog->showCali(TrResource::getTrString(TR_CalibrateDisplayCompass),
                       DialogKind::text(EnumDialogKind::DisplayCompassCali),
                       TrResource::getTrString(TR_Ok), HandsetCompass::kCaliSamples,
                       m_compass->generation());
    qCInfo(lcCore) << "handset compass calibration started";
    m_timer->start();
}

bool DisplayCompassCali::running() const {
    return m_timer->isActive();
}

void DisplayCompassCali::follow() {
    if (!m_compass) return;
    const StructCompassCali c = m_compass->calibration();
    if (!c.text.isEmpty()) m_dialog->setText(c.text);
    m_dialog->setValue(c.samples + 1);
    if (!c.finished) return;
    m_timer->stop();
    if (!c.saved) {
        m_dialog->hide();
        qCInfo(lcCore) << "handset compass calibration cancelled";
        return;
    }
    qCInfo(lcCore).noquote() << "handset compass calibrated" << c.text;
    m_dialog->setButtonEnable(true);
}

void DisplayCompassCali::keyClick(const QString& key) {
    if (key != QLatin1String("esc") || m_dialog->type() != QLatin1String("dsp")) return;
    if (running() && m_compass) m_compass->cancelCalibration();
}
