// The sonar history's part of the controller: every tick's frame kept for half an hour, the
// replay of a log with its speed, direction and seeks, and the history bar that browses both.
#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/screen_layout.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "data/kvlw_time.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "platform/platform.h"
#include "sonar/sonar_picture.h"
#include "state/sonar_history_state.h"
#include "ui/kit/dialog_host.h"
#include "ui/screens/history_bar.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

namespace {

constexpr const char* kCommandsTag = "sonarHistory";
constexpr float kTickSeconds = 0.125f;

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

QString clock(float seconds) {
    const int s = std::max(0, int(seconds));
    return QString::asprintf("%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
}

QString timeOfDay(unsigned word) {
    if (word == 0) return QStringLiteral("--:--:--");
    quint8 h = 0, m = 0, s = 0;
    Global::getKvlwTime(word, h, m, s);
    return QString::asprintf("%02d:%02d:%02d", h, m, s);
}

}  // namespace

void Korvel::history_init() {
    m_sonarHistory = std::make_unique<SonarHistoryState>();
    m_historyBar = new UxHistoryBar(m_view);
    connect(m_historyBar, &UxHistoryBar::signal_step, this, &Korvel::history_step);
    connect(m_historyBar, &UxHistoryBar::signal_skip, this, &Korvel::history_skip);
    connect(m_historyBar, &UxHistoryBar::signal_mark, this, &Korvel::history_mark);
    connect(m_historyBar, &UxHistoryBar::signal_playPause, this, &Korvel::history_playPause);
    connect(m_historyBar, &UxHistoryBar::signal_nextSpeed, this, &Korvel::history_nextSpeed);
    connect(m_historyBar, &UxHistoryBar::signal_commands, this,
            [this] { history_showCommands(0); });
    connect(m_historyBar, &UxHistoryBar::signal_leave, this, &Korvel::history_leave);
    m_dialogs->receiveFiles(QStringLiteral("kvlw"),
                            [this](const QString& file) { history_openLog(file); });
}

void Korvel::history_takeFrames(const QString& source) {
    const int chartSpeed = int(Global::configuration.chartSpeed);
    LogPlayer& player = m_sonarHistory->player();
    if (source != QLatin1String("play") || !player.isOpen()) {
        const kvl_w frame = m_data->getOnePkgData(source);
        m_frameFresh = m_data->lastFrameFresh();
        m_history.takeFrame(frame, chartSpeed);
        // A replay without a log shows zeros: nothing of it belongs to the lake's history.
        if (source != QLatin1String("play")) m_sonarHistory->takeLive(frame);
        m_columnDue = !m_sonarHistory->frozen();
        return;
    }
    // Faster than one record a tick: every record but the last scrolls in here, the last in
    // the tick's own scroll.
    const QVector<kvl_w> frames = player.tick();
    for (int i = 0; i < frames.size(); ++i) {
        if (i > 0) m_picture->imageScroll();
        m_history.takeFrame(frames[i], chartSpeed);
    }
    m_columnDue = !frames.isEmpty();
    m_frameFresh = m_columnDue;
}

int Korvel::history_framesShown() const {
    const int columns = m_picture->columns();
    return Global::configuration.chartSpeed < 0.001f ? columns : columns / 2 + 1;
}

// The echogram from the window's frames, the columns made as the live echogram makes them.
void Korvel::history_showWindow() {
    m_historyWindow = SonarHistory();
    const int chartSpeed = int(Global::configuration.chartSpeed);
    for (const kvl_w& f : m_sonarHistory->windowFrames())
        m_historyWindow.takeFrame(f, chartSpeed);
    m_picture->showHistory(&m_historyWindow);
    m_picture->imageRefresh();
}

void Korvel::history_show() {
    const bool replay = Global::configuration.workMode == 2 && m_sonarHistory->player().isOpen();
    m_sonarHistory->open(replay ? EnumHistorySource::Replay : EnumHistorySource::Live,
                         history_framesShown());
    history_showWindow();
    const int height = ScreenLayout::forMode(Global::configuration.screenMode).echogramHeight;
    m_historyBar->showBar(QRect(0, 0, m_picture->columns(), height));
    history_refreshBar();
    qCInfo(lcCore) << "sonar history shown," << (replay ? "replay" : "live");
}

void Korvel::history_leave() {
    if (m_sonarHistory->source() == EnumHistorySource::Replay) {
        m_sonarHistory->setReplayPaused(false);
        history_refillFromReplay();
    } else {
        m_picture->showHistory(nullptr);
        m_picture->imageRefresh();
    }
    m_sonarHistory->close();
    m_historyBar->hide();
}

void Korvel::history_openLog(const QString& file) {
    if (m_historyBar->isVisible()) history_leave();
    const EnumLogOpen result = m_sonarHistory->player().open(Platform::path(file));
    qCInfo(lcCore).noquote() << "replay of" << file
                             << "opened:" << m_sonarHistory->player().index().count() << "records";
    switch (result) {
        case EnumLogOpen::Unreadable:
            m_dialogs->showReadFailed();
            break;
        case EnumLogOpen::NoRecords:
            prompter().hint(EnumHintCode::ReplayLogEmpty, trText(TR_LogNoRecords));
            break;
        case EnumLogOpen::Cut:
            prompter().hint(EnumHintCode::ReplayLogCut, trText(TR_LogCut));
            break;
        case EnumLogOpen::Ok:
            break;
    }
}

void Korvel::history_closeLog() {
    if (m_sonarHistory->source() == EnumHistorySource::Replay) {
        m_sonarHistory->close();
        m_historyBar->hide();
        m_picture->showHistory(nullptr);
        m_picture->imageRefresh();
    }
    m_sonarHistory->player().close();
    m_data->clearPlayList();
}

void Korvel::history_step(int frames) {
    if (m_sonarHistory->moveCursor(frames)) history_showWindow();
    history_refreshBar();
}

void Korvel::history_skip(int seconds) {
    if (m_sonarHistory->source() != EnumHistorySource::Replay) return;
    LogPlayer& player = m_sonarHistory->player();
    if (m_sonarHistory->frozen()) {
        // Paused: the cursor goes that far, the window with it.
        const int cursor = int(m_sonarHistory->cursor());
        history_step(player.index().indexAfterSkip(cursor, float(seconds)) - cursor);
        return;
    }
    player.skipSeconds(float(seconds));
    history_refillFromReplay();
    history_refreshBar();
}

void Korvel::history_jumpTo(int percent) {
    const LogPlayer& player = m_sonarHistory->player();
    if (player.isOpen()) history_seekRecord(player.index().indexAtPercent(percent));
}

void Korvel::history_seekRecord(int record) {
    if (!m_sonarHistory->player().isOpen()) return;
    if (m_sonarHistory->frozen()) {
        history_step(int(record - m_sonarHistory->cursor()));
        return;
    }
    m_sonarHistory->player().seek(record);
    history_refillFromReplay();
    history_refreshBar();
}

// After a seek: the echogram's history ends at the replay's record, and the map's track is the
// log's up to it.
void Korvel::history_refillFromReplay() {
    const LogPlayer& player = m_sonarHistory->player();
    const int end = player.position();
    const int n = history_framesShown();
    m_history = SonarHistory();
    for (const kvl_w& f : player.index().frames(end - n + 1, n))
        m_history.takeFrame(f, int(Global::configuration.chartSpeed));
    m_picture->showHistory(nullptr);
    m_picture->imageRefresh();
    QVector<StructTrackFix> track;
    track.reserve(end + 1);
    for (int i = 0; i <= end; ++i) {
        const StructLogEntry& e = player.index().entry(i);
        track.append({GeoPoint(Latitude(Convert::dmS32_to_ddS32(e.latitudeDm)),
                               Longitude(Convert::dmS32_to_ddS32(e.longitudeDm))),
                      e.depthCm / 100.0f});
    }
    m_naviState->replaceTrack(track);
}

void Korvel::history_playPause() {
    const bool pause = !m_sonarHistory->frozen();
    m_sonarHistory->setReplayPaused(pause);
    if (pause) {
        history_showWindow();
    } else {
        history_refillFromReplay();
    }
    history_refreshBar();
}

void Korvel::history_nextSpeed() {
    m_sonarHistory->player().nextSpeed();
    history_refreshBar();
}

void Korvel::history_showCommands(int row) {
    m_menus->item()->showSubMenu(trText(TR_SonarHistory), QLatin1String(kCommandsTag),
                                 HistoryCommands::rows(m_sonarHistory->player().reverse()), row);
}

// The direction changes in the list, which stays; a mark or a jump closes it, back to the bar.
void Korvel::history_clickCommand(int row) {
    using namespace HistoryCommands;
    if (row == RowReverse) {
        LogPlayer& player = m_sonarHistory->player();
        player.setReverse(!player.reverse());
        history_refreshBar();
        history_showCommands(row);
        return;
    }
    m_menus->item()->hide();
    if (row == RowMark) {
        history_mark();
    } else if (row >= RowFirstJump && row < RowFirstJump + kJumps) {
        history_jumpTo((row - RowFirstJump) * 10);
    }
}

// The values of the column the bar describes: the cursor's while the echogram stands still,
// else the record on screen, each as the read-outs would show it (depth offset included).
StructBoatValues Korvel::history_shownValues() const {
    const StructConfiguration& cfg = Global::configuration;
    if (m_sonarHistory->frozen()) return m_sonarHistory->cursorValues(cfg);
    BoatValues shown;
    shown.update(m_history.newest(), cfg, true);
    return shown.values();
}

// A waypoint in the first empty slot where the cursor's frame was taken, with its depth; while
// the replay plays, where the record on screen was taken.
void Korvel::history_mark() {
    const StructBoatValues v = history_shownValues();
    if (v.boat_lat == 0 && v.boat_lon == 0) {
        prompter().hint(EnumHintCode::MarkWithoutFix, trText(TR_NoFixAtColumn));
        return;
    }
    qCInfo(lcCore) << "history mark at" << v.boat_lat << v.boat_lon << "depth" << v.current_depth;
    m_waypoint->newWaypointDetail(-1, v.boat_time, v.boat_lon, v.boat_lat, v.current_depth);
}

void Korvel::history_refreshBar() {
    if (!m_historyBar->isVisible()) return;
    m_historyBar->do_timer();
    const SonarHistoryState& h = *m_sonarHistory;
    const StructConfiguration& cfg = Global::configuration;
    const bool replay = h.source() == EnumHistorySource::Replay;
    const bool frozen = h.frozen();
    StructHistoryBarView view;
    view.replay = replay;
    view.paused = frozen;
    const StructBoatValues v = history_shownValues();
    view.time = timeOfDay(v.boat_time);
    view.depth =
        Global::getString_depthValue(v.current_depth, 1, true) + Global::getString_depthUnit();
    // Degree and letter: the one-character sign is not in every font the handset may carry.
    const bool fahrenheit = Global::getString_tempUnit() != QString::fromUtf8("\u2103");
    view.temperature = Global::getString_tempValue(v.water_temp, 1) +
                       (fahrenheit ? QStringLiteral("\u00b0F") : QStringLiteral("\u00b0C"));
    const bool fix = v.boat_lat != 0 || v.boat_lon != 0;
    view.latitude = fix ? Convert::ddS32_to_dmString_lat(v.boat_lat) : QStringLiteral("--");
    view.longitude = fix ? Convert::ddS32_to_dmString_lon(v.boat_lon) : QStringLiteral("--");
    const int columnsPerFrame = cfg.chartSpeed < 0.001f ? 1 : 2;
    view.cursorColumn = frozen ? m_picture->columns() - 1 - h.cursorBack() * columnsPerFrame : -1;
    if (replay) {
        const LogPlayer& player = h.player();
        const LogIndex& index = player.index();
        const int at = frozen ? int(h.cursor()) : std::max(0, player.position());
        view.progress = index.count() > 1 ? double(at) / (index.count() - 1) : 1.0;
        view.progressText =
            clock(index.entry(at).seconds) + QStringLiteral(" / ") + clock(index.totalSeconds());
        const QString mark = frozen             ? QStringLiteral("||")
                             : player.reverse() ? QStringLiteral("<")
                                                : QStringLiteral(">");
        view.playState =
            mark + QStringLiteral(" x") + QString::number(LogPlayer::speedOf(player.speedIndex()));
    } else {
        const FrameRing& live = h.live();
        const qint64 kept = std::max<qint64>(1, live.newest() - live.first());
        view.progress = double(h.cursor() - live.first()) / kept;
        view.progressText =
            QStringLiteral("-") + clock(float(live.newest() - h.cursor()) * kTickSeconds);
    }
    m_historyBar->setView(view);
}
