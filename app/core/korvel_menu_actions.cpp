// What the rows of the menu pages do: open an editor on a setting, ask a question, run a
// command of the navigation or the link, or say that the row leads nowhere yet.
#include "core/korvel.h"

#include "base/ap_mode.h"
#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/kit/ux_dialog_test.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/menu_editors.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/ux_sub_menu_go_back.h"
#include "ui/screens/ux_sub_menu_image.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_item_multi.h"
#include "ui/screens/ux_sub_menu_item_single.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_route_color.h"
#include "ui/screens/ux_sub_menu_value.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QTimer>

namespace {

using A = EnumMenuAction;

// The module answers one question at a time: a pause after each.
constexpr int kAskPauseMs = 50;

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

}  // namespace

bool Korvel::menu_runRow(const QString& type, int row) {
    const StructMenuPage page = MenuPages::page(type, m_model);
    const A action = page.action(row);
    if (action == A::None) return false;
    const QString title = page.rows.at(row).text;

    StructConfiguration& cfg = Global::configuration;
    const StructMenuEditor e = MenuEditors::editorFor(action, title, cfg);
    switch (e.kind) {
        case EnumEditorKind::Slider:
            m_menus->value()->showSubMenu(title, e.slider.unit, e.slider.values, e.slider.shown,
                                          e.value);
            qCInfo(lcCore).noquote() << "editor" << title << m_menus->value()->shownText();
            return true;
        case EnumEditorKind::Single:
            m_menus->single()->showSubMenu(title, e.rows, e.choice);
            return true;
        case EnumEditorKind::Multi:
            m_menus->multi()->showSubMenu(title, e.rows, e.checks);
            return true;
        case EnumEditorKind::Image:
            m_menus->image()->showMenuImage(title, e.imageKind, e.choice);
            return true;
        case EnumEditorKind::File:
            m_dialogs->file()->showFile(e.folder, e.pattern, e.tag);
            return true;
        case EnumEditorKind::None:
            break;
    }

    const LinkState& s = m_data->linkState();
    switch (action) {
        case A::Next:
            menu_changeMain();
            return true;
        case A::Exit:
            menu_closeMain();
            return true;
        case A::RouteColor:
            m_menus->routeColor()->showRouteColor(
                m_navi->colorBar_get(QStringLiteral("upRng")),
                m_navi->colorBar_get(QStringLiteral("loRng")),
                m_navi->colorBar_get(QStringLiteral("maxLoRng")),
                m_navi->colorBar_get(QStringLiteral("auto")) != 0);
            return true;
        case A::CaliDisplayCompass:
            menu_caliDisplayCompass();
            return true;
        case A::CaliBoatCompass:
            menu_caliBoatCompass();
            return true;
        case A::CompassTest:
            m_dialogs->test()->showTest();
            return true;
        case A::WiringTest:
            if (cfg.simulator == 1) {
                prompter().hint(EnumHintCode::WiringTestInSimulator, trText(TR_InSimulatorMode));
            } else {
                m_menus->item()->showSubMenu(title, QStringLiteral("wiringTest"),
                                             {trText(TR_GoForward), trText(TR_TurnLeft),
                                              trText(TR_TurnRight), trText(TR_Stop)});
            }
            return true;
        case A::DefaultSettings:
            prompter().ask({EnumDialogKind::ResetSettings, title, trText(TR_ResetAllParameters),
                            trText(TR_Yes), trText(TR_No)},
                           [this](EnumAnswer a) {
                               if (a != EnumAnswer::Left) return;
                               system_useDefaultSetting();
                               system_saveConfiguration();
                           });
            return true;
        case A::SystemInfo:
            // The versions and the signal strength, asked in turn, shown when both had time.
            m_data->sendCmd_askInfo();
            QTimer::singleShot(kAskPauseMs, this, [this] {
                m_data->sendCmd_askRssi();
                QTimer::singleShot(kAskPauseMs, this, [this] { dialog_sysinfo_show(); });
            });
            return true;
        case A::RadioBind:
            link_rBox_bind();
            return true;
        case A::UpdateRBoxes:
            // The versions the update file is compared with, asked twice, then the file.
            m_data->sendCmd_askInfo();
            QTimer::singleShot(kAskPauseMs, this, [this] {
                m_data->sendCmd_askInfo();
                QTimer::singleShot(kAskPauseMs, this, [this] {
                    m_dialogs->file()->showFile(QStringLiteral("/mnt/sd/Korvel/Update/"),
                                                QStringLiteral("*.rdup"), QStringLiteral("rdup"));
                });
            });
            return true;
        case A::SetHomePos:
            if (cfg.simulator == 1) {
                prompter().hint(EnumHintCode::SetHomeInSimulator, trText(TR_InSimulatorMode));
            } else if (values().gps_satellites <= 2) {
                prompter().hint(EnumHintCode::SetHomeFewSatellites, trText(TR_NotEnoughSatellites));
            } else {
                navi_setHomePoint(values().boat_lon, values().boat_lat);
            }
            return true;
        case A::QuickMarker: {
            // In the first empty slot, where the boat is now.
            const StructBoatValues& v = values();
            m_waypoint->newWaypointDetail(-1, v.boat_time, v.boat_lon, v.boat_lat, v.current_depth);
            return true;
        }
        case A::Waypoint:
            m_waypoint->showWaypoint(QString());
            return true;
        case A::Route:
            m_route->showRoute();
            return true;
        case A::GoBack:
            m_goBack->showGoBack();
            return true;
        case A::MultiTarget:
            m_multiTarget->showMultiTarget();
            return true;
        case A::GoHome:
            navi_goHome();
            return true;
        case A::StopAutopilot:
            navi_stopAp();
            return true;
        case A::ClearMap:
            // A running task keeps its target on the map.
            m_naviState->map().clearMap();
            if (ApMode::fromField(s.currentInfoAp().taskMode()) != EnumApMode::Run)
                m_naviState->clearTarget();
            return true;
        case A::DepthMap:
            depthMap_showMenu(0);
            return true;
        case A::SonarHistory:
            history_show();
            return true;
        case A::SelectPanel:
            // The panels that can be chosen are on screen in the layouts with panels only.
            if (cfg.screenMode == 2 || cfg.screenMode == 3) info_selectPanel(0);
            return true;
        default:
            return false;
    }
}

// --- The wiring test ----------------------------------------------------------------------------

void Korvel::menu_clickSub_item(const QString& tag, int row) {
    if (tag == QLatin1String("depthMap")) {
        depthMap_clickRow(row);
        return;
    }
    if (tag == QLatin1String("sonarHistory")) {
        history_clickCommand(row);
        return;
    }
    if (tag != QLatin1String("wiringTest")) return;
    LinkState& s = m_data->linkState();
    if (s.count_noData_ap > 9) {
        prompter().hint(EnumHintCode::WiringTestApOffline,
                        trText(TR_AutopilotModule) + QLatin1Char(' ') + trText(TR_Offline));
        return;
    }
    static const char* const kDirections[] = {"forward", "left", "right"};
    static const EnumDialogKind kKinds[] = {EnumDialogKind::ApWiringForward,
                                            EnumDialogKind::ApWiringLeft,
                                            EnumDialogKind::ApWiringRight};
    if (row >= 0 && row < 3) {
        const QString direction = QLatin1String(kDirections[row]);
        link_ap_send_wiringTest(direction);
        s.flag_getData_ap_ack = 0;
        dialog_awaitAck(kKinds[row], s.flag_getData_ap_ack,
                        [this, direction] { link_ap_send_wiringTest(direction); });
    } else if (row == 3) {
        navi_stopAp();
    }
}

// No motor keeps turning once the test's list is closed.
void Korvel::menu_hideSub_item(const QString& title) {
    if (title != trText(TR_WiringTest)) return;
    const LinkState& s = m_data->linkState();
    if (s.count_noData_ap <= 9 &&
        ApMode::fromField(s.currentInfoAp().taskMode()) == EnumApMode::Test)
        link_ap_send_stop();
}
