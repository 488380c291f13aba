// The compass calibrations of the GPS page, and the handset compass's reading on the tick,
// which leaves the compass alone while it is being calibrated.
#include "core/korvel.h"

#include "base/dialog_kind.h"
#include "base/keypad.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "link/ux_data.h"
#include "state/boat_compass_run.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_cali.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_test.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/display_compass_cali.h"

#include <QTimer>

namespace {

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

// The run follows the calibration; its dialog shows the progress and the end.
void Korvel::menu_initBoatCali() {
    m_boatCali = std::make_unique<BoatCompassRun>(m_data->linkState(), prompter(),
                                                  [this] { link_sonar_boatCali(); });
    UxDialogCali* dialog = m_dialogs->cali();
    connect(dialog, &UxDialogCali::signal_keyClick, this, &Korvel::menu_boatCaliKey);
    connect(m_boatCali.get(), &BoatCompassRun::started, this, [dialog] {
        dialog->showCali(trText(TR_CalibrateBoatCompass),
                         DialogKind::text(EnumDialogKind::BoatCompassCali), trText(TR_Ok),
                         BoatCompassCali::kMaximum, QString());
    });
    connect(m_boatCali.get(), &BoatCompassRun::progress, dialog, &UxDialogCali::setValue);
    connect(m_boatCali.get(), &BoatCompassRun::ended, this, &Korvel::menu_boatCaliEnd);
}

void Korvel::menu_caliBoatCompass() {
    m_boatCali->start();
}

bool Korvel::menu_boatCaliRunning() const {
    return m_boatCali->running();
}

void Korvel::menu_boatCaliEnd(BoatCompassCali::EnumEnd end) {
    using E = BoatCompassCali::EnumEnd;
    UxDialogCali* dialog = m_dialogs->cali();
    if (end == E::Success) {
        // A disturbance after a good calibration is worth a new warning.
        m_naviState->allowCompassWarningAgain();
        dialog->setText(trText(TR_CalibrateOk));
    }
    if (end == E::Success || end == E::Done) {
        dialog->setButtonEnable(true);
    } else {
        dialog->hide();
    }
}

// Escape stops following the calibration (the boat finishes it on its own) rather than keeping
// the keypad for up to half a minute.
void Korvel::menu_boatCaliKey(const QString& key) {
    UxDialogCali* dialog = m_dialogs->cali();
    if (Keypad::keysOf(key) != QVector<EnumKey>{EnumKey::Escape}) return;
    if (DialogKind::fromText(dialog->type()) != EnumDialogKind::BoatCompassCali) return;
    if (!m_boatCali->running()) return;
    m_boatCali->stopFollowing();
    dialog->hide();
}
