// The compass calibrations of the GPS page, and the handset compass's reading on the tick,
// which leaves the compass alone while it is being calibrated.
#include "core/korvel.h"

#include "base/log.h"
#include "base/tr_resource.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_cali.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_test.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/display_compass_cali.h"

#include <QTimer>

namespace {

constexpr int kLostSeconds = 9;  // a link silent for longer is down

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

}  // namespace

// --- The handset's compass ----------------------------------------------------------------------

// The compass looks for its chip on its own thread; the start-up check sees the answer when it
// comes.
void Korvel::navi_setHandsetCompass(std::unique_ptr<HandsetCompass> compass) {
    m_compass = std::move(compass);
    m_flags.compassPresent = false;
    if (m_compass) m_compass->detect();
}

bool Korvel::navi_compassPresent() {
    if (m_compass && m_compass->fitted()) m_flags.compassPresent = true;
    return m_flags.compassPresent;
}

// The calibration has the bus to itself while it runs: the tick neither reads the compass nor
// detects it again, instead of pausing a poll timer of its own. The views and the map keep
// the last heading shown when there is no reading.
void Korvel::navi_readHandsetCompass() {
    if (!m_compass || m_compass->calibrating()) return;
    const int raw = m_compass->read();
    if (raw == HandsetCompass::kNoReading) {
        if (navi_compassPresent()) m_compass->redetect();
        return;
    }
    const int before = m_headingFilter.hasValue() ? m_headingFilter.shown() : raw + 1;
    const int shown = m_headingFilter.update(HeadingFilter::targetFromRaw(raw));
    if (shown != before) qCInfo(lcNavi) << "handset heading" << (-shown % 360 + 360) % 360;
    m_navi->setCompassHeading(shown);
    navi_showCompasses();
}

// Both compass views: the handset's heading, the boat's, and the calibration marks.
void Korvel::navi_showCompasses() {
    StructCompassShown s = m_compassViews->shown();
    s.heading = m_headingFilter.shown();
    s.boatHeading = values().boat_heading;
    s.handsetNeedCali = m_compass && m_compass->outOfRange();
    m_compassViews->show(s);
}

// The test dialog's angles, on every tick while it is open: the handset's heading as a
// compass reads it, and the boat's.
void Korvel::navi_showCompassTest() {
    if (!m_dialogs->test()->isVisible()) return;
    if (m_compass && !m_compass->calibrating()) {
        const int raw = m_compass->read();
        if (raw != HandsetCompass::kNoReading) {
            const int h = HeadingFilter::targetFromRaw(raw);
            m_dialogs->test()->setAngle(QStringLiteral("dsp"), h < 0 ? -h : 360 - h);
        }
    }
    m_dialogs->test()->setAngle(QStringLiteral("boat"), int(values().boat_heading));
}

void Korvel::menu_caliDisplayCompass() {
    if (!m_compass || !navi_compassPresent()) {
        prompter().hint(EnumHintCode::CompassReadFailed, QStringLiteral("Compass data read fail."));
        return;
    }
    m_compass->reopen();
    m_compassCali->start(m_compass.get());
}

// --- The boat's compass -------------------------------------------------------------------------

// The sonar box relays the boat compass: it is told to calibrate and confirms the command; the
// result is followed on a timer while its dialog shows the progress.
void Korvel::menu_caliBoatCompass() {
    LinkState& s = m_data->linkState();
    if (s.count_noData_sonar > kLostSeconds) {
        prompter().hint(EnumHintCode::CompassNotConnected, trText(TR_RemoteBoxesNotConnected));
        return;
    }
    link_sonar_boatCali();
    s.flag_getData_sonar_ack = 0;
    dialog_awaitAck(EnumDialogKind::SonarCompassCali, s.flag_getData_sonar_ack,
                    [this] { m_data->sendCmd_boatCompassCali(); });
    UxDialogCali* dialog = m_dialogs->cali();
    connect(dialog, &UxDialogCali::signal_keyClick, this, &Korvel::menu_boatCaliKey,
            Qt::UniqueConnection);
    dialog->showCali(trText(TR_CalibrateBoatCompass), QStringLiteral("boat"), trText(TR_Ok),
                     BoatCompassCali::kMaximum, QString());
    s.current_compassCali = 0;
    m_menuBoatCali.start(s.currentInfo_sys.app);
    qCInfo(lcCore) << "boat compass calibration started, sonar box firmware"
                   << s.currentInfo_sys.app.load();
    m_menuBoatCaliTimer->start(m_menuBoatCali.intervalMs());
}

void Korvel::menu_boatCaliStep() {
    const BoatCompassCali::StructStep step =
        m_menuBoatCali.step(m_data->linkState().current_compassCali);
    if (step.progress >= 0) m_dialogs->cali()->setValue(step.progress);
    if (step.end == BoatCompassCali::EnumEnd::Running) {
        m_menuBoatCaliTimer->start(m_menuBoatCali.intervalMs());
    } else {
        menu_boatCaliEnd(step.end);
    }
}

void Korvel::menu_boatCaliEnd(BoatCompassCali::EnumEnd end) {
    using E = BoatCompassCali::EnumEnd;
    UxDialogCali* dialog = m_dialogs->cali();
    switch (end) {
        case E::Success:
            // A disturbance after a good calibration is worth a new warning.
            m_navi_boatCompass.allowWarningAgain();
            dialog->setText(trText(TR_CalibrateOk));
            [[fallthrough]];
        case E::Done:
            qCInfo(lcCore) << (end == E::Success ? "boat compass calibrated"
                                                 : "boat compass calibration given its time");
            dialog->setButtonEnable(true);
            return;
        case E::Fail:
            dialog->hide();
            prompter().hint(EnumHintCode::BoatCompassFail, trText(TR_Fail));
            return;
        case E::FlashError:
            dialog->hide();
            prompter().hint(EnumHintCode::BoatCompassFlashError, QStringLiteral("Flash ") + trText(TR_Error));
            return;
        case E::Timeout:
            dialog->hide();
            prompter().hint(EnumHintCode::BoatCompassTimeout, QStringLiteral("Timeout"));
            return;
        case E::Running:
            return;
    }
}

// Escape stops following the calibration (the boat finishes it on its own) rather than keeping
// the keypad for up to half a minute.
void Korvel::menu_boatCaliKey(const QString& key) {
    UxDialogCali* dialog = m_dialogs->cali();
    if (key != QLatin1String("esc") || dialog->type() != QLatin1String("boat")) return;
    if (!m_menuBoatCali.running()) return;
    m_menuBoatCali.stop();
    m_menuBoatCaliTimer->stop();
    dialog->hide();
    qCInfo(lcCore) << "boat compass calibration no longer followed";
}
