#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/regular_file.h"
#include "base/tr_resource.h"
#include "link/link_state.h"
#include "link/module_install.h"
#include "link/radio_bind.h"
#include "link/rdup_file.h"
#include "link/signal_icon.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "state/link_watch.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_check.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/kit/ux_dialog_sys_info.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/show_cpu_memory.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_main_menu.h"

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QTimer>

namespace {

constexpr int kLostSeconds = LinkWatch::kLostSeconds;

// What installing an update file asks of the controller, through its public parts.
class KorvelInstallHost : public ModuleInstallHost {
public:
    explicit KorvelInstallHost(Korvel& k) : m_k(k) {}
    bool startModuleUpdate(ModuleUpdateRun::EnumModule module, const QByteArray& image) override {
        return module == ModuleUpdateRun::EnumModule::Autopilot ? m_k.link_update_ap(image)
                                                                : m_k.link_update_sonar(image);
    }
    bool progressShown() const override { return m_k.dialogs().progress()->isVisible(); }
    void showSameVersion() override { m_k.dialogs().showSameVersion(); }
    void showRebooting() override {
        m_k.dialogs().progress()->showProgress(
            QString(), TrResource::getTrString(TR_UpdateRBoxes),
            TrResource::getTrString(TR_UpdateOk) + QLatin1Char('\n') +
                TrResource::getTrString(TR_WaitRemoteReboot),
            TrResource::getTrString(TR_Ok), 100, QStringLiteral("update"), false);
        m_k.menus().main()->hide();
    }
    void hideProgress() override { m_k.dialogs().progress()->hide(); }
    void sendSonarReset() override { m_k.data()->sendCmd_resetSonar(); }
    bool apAcknowledged() const override {
        return m_k.data()->linkState().flag_getData_ap_ack != 0;
    }
    void clearApAck() override { m_k.data()->linkState().flag_getData_ap_ack = 0; }
    int reportedSonarVersion() const override {
        return m_k.data()->linkState().currentInfo_sys.app;
    }
    int reportedApVersion() const override { return m_k.data()->linkState().currentInfo_sys.helmo; }

private:
    Korvel& m_k;
};

// The gain in use, from the frame's status byte.
QString gainText(int status) {
    switch (status & 3) {
        case 0:
            return QStringLiteral("1x");
        case 1:
            return QStringLiteral("2x");
        case 2:
            return QStringLiteral("4x");
        default:
            return QString();
    }
}

}  // namespace

std::unique_ptr<ModuleInstallHost> Korvel::link_makeInstallHost(Korvel& korvel) {
    return std::make_unique<KorvelInstallHost>(korvel);
}

// --- Module check -------------------------------------------------------------------------------

void Korvel::init_checkModule() {
    if (!m_moduleCheck.running()) return;
    const LinkState& s = m_data->linkState();
    ModuleCheck::StructAnswered answered;
    answered.compass = navi_compassPresent();
    answered.radio = s.currentInfo_sys.radio != 0;
    answered.sonar = s.currentInfo_sys.app != 0;
    answered.gps = s.currentInfo_sys.GPS != 0;
    answered.ap = s.currentInfo_sys.helmo != 0;
    const ModuleCheck::StructStep step = m_moduleCheck.step(answered);
    UxDialogCheck* dialog = m_dialogs->check();
    const QStringList rows = ModuleCheck::rows();
    if (step.showDialog) dialog->showCheck();
    for (int i = 0; i < rows.size(); ++i) {
        if (step.markAnswered && answered.row(i))
            dialog->setLabelText(rows[i], TrResource::getTrString(TR_Ok));
        if (step.verdict && !answered.row(i))
            dialog->setLabelText(rows[i], TrResource::getTrString(TR_Fail));
    }
    if (step.askReport) m_data->sendCmd_askInfo();
    if (step.verdict) dialog->setButtonEnable(true);
    if (step.hideDialog) dialog->hide();
}

// --- Link state ---------------------------------------------------------------------------------

void Korvel::link_initWatch() {
    StructLinkWatchPorts ports;
    ports.sendSonarHello = [this] { m_data->sendCmd_sonarHello(); };
    ports.sendSonarCfg = [this](const QString& key) { link_sonar_send_cfg(key); };
    ports.sendApCfg = [this] { link_ap_send_cfg(); };
    ports.updateInProgress = [this] { return m_update.inProgress; };
    m_linkWatch = std::make_unique<LinkWatch>(m_data->linkState(), prompter(), std::move(ports));
}

void Korvel::link_checkState() {
    if (m_linkWatch->tick(m_tickCount, Global::configuration)) link_refreshFreqIcon();
}

// The frequency icon: white while the gain is automatic, the beam chosen.
void Korvel::link_refreshFreqIcon() {
    const StructConfiguration& cfg = Global::configuration;
    const QString shade = cfg.sonarGain == 3 ? QStringLiteral("w") : QStringLiteral("b");
    const QString freq =
        QStringLiteral(":/ico/freq_%1k_%2.png")
            .arg(cfg.sonarFreq == 0 ? QStringLiteral("115") : QStringLiteral("455"), shade);
    QGraphicsPixmapItem* freqIcon = m_statusIcons->icon(ScreenLayout::IconFreq);
    if (freq != m_freqIcon) {
        m_freqIcon = freq;
        freqIcon->setPixmap(QPixmap(freq));
    }
    if (m_model == '4') freqIcon->hide();
    if (m_model == '5' || m_model == 'd') freqIcon->show();
}

void Korvel::link_refreshSignalIco() {
    const LinkState& s = m_data->linkState();
    const QString icon = SignalIcon::pathFor(s.avePkgCnt, s.count_noData_sonar);
    if (icon == m_signalIcon) return;
    m_signalIcon = icon;
    m_statusIcons->icon(ScreenLayout::IconSignal)->setPixmap(QPixmap(icon));
}

// --- Signal strength ----------------------------------------------------------------------------

void Korvel::data_calcAverage_rssi(int boatSide, int handsetSide, int& boatAverage,
                                   int& handsetAverage) {
    m_rssi.data_calcAverage_rssi(boatSide, handsetSide, boatAverage, handsetAverage);
}

void Korvel::system_needUpdateRssi() {
    if (m_dialogs->sysInfo()->isVisible()) {
        m_data->sendCmd_askRssi();
        dialog_sysinfo_show();
        return;
    }
    if (!devModeItem()->isVisible()) return;
    m_data->sendCmd_askRssi();
    const StructLinkSnapshot s = m_data->linkState().snapshot();
    const int mine = RssiFilter::signedRssi(s.myRssi);
    const int his = RssiFilter::signedRssi(s.hisRssi);
    QStringList texts = {QString(), QString(), QString()};
    if (mine == 0 && his == 0) {
        if (s.noDataSonar >= kLostSeconds) texts = QStringList{"0", "0", "0"};
    } else {
        int boatAverage = 0;
        int handsetAverage = 0;
        data_calcAverage_rssi(his, mine, boatAverage, handsetAverage);
        texts = QStringList{QString::number(handsetAverage), QString::number(boatAverage),
                            QString::number(s.framesPerWindow)};
    }
    texts << gainText(values().sonar_status) << s.ap.taskMode()
          << ShowCPUMemory::current_cpu_percent;
    devModeItem()->updatePara(texts);
}

// --- Binding ------------------------------------------------------------------------------------

void Korvel::link_rBox_bind() {
    if (m_update.inProgress || m_bind->running()) return;
    m_update.inProgress = true;
    m_dialogs->progress()->showProgress(QString(), TrResource::getTrString(TR_RadioBind), QString(),
                                        TrResource::getTrString(TR_Ok), 100, QStringLiteral("bind"),
                                        false);
    m_bind->start();
}

void Korvel::link_bindView(const StructBindView& view) {
    UxDialogProgress* dialog = m_dialogs->progress();
    dialog->setTitle(view.code, TrResource::getTrString(TR_RadioBind));
    if (view.text != 0) dialog->setText(TrResource::getTrString(EnumTrString(view.text)));
    dialog->setValue(view.progress);
    dialog->showButton(view.button);
}

void Korvel::link_bindEnded(bool bound) {
    qCInfo(lcLink) << "radio binding" << (bound ? "done" : "cancelled");
    m_dialogs->progress()->showButton(true);
    m_update.inProgress = false;
    m_timerMain->start(kTickMs);
}

// --- Update files -------------------------------------------------------------------------------

void Korvel::link_getFile_rdup(const QString& fileName) {
    const QString path = Platform::path(fileName);
    QFile file(path);
    if (!isRegularFile(path) || !file.open(QIODevice::ReadOnly)) {
        m_dialogs->showReadFailed(QStringLiteral("103"));
        return;
    }
    m_update.done = false;
    m_update.aborted = false;
    // Twice the largest file that can hold both images: anything larger is not one.
    const StructRdupFile rdup = RdupFile::parse(file.read(2 * (RdupFile::kApImage + 131072)));
    if (!rdup.ok) {
        qCWarning(lcLink).noquote() << fileName << "is not flashed:" << rdup.error;
        m_dialogs->showReadFailed(QStringLiteral("103"));
        return;
    }
    m_install->start(rdup);
}
