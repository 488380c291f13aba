#include "core/base/global.h"
#include "core/base/log.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "data/data_logger_line.h"
#include "data/record_file.h"
#include "data/record_naming.h"
#include "link/spi_device.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "ui/ux_dialog_file.h"
#include "ui/ux_dialog_hint.h"

#include <QFile>
#include <QGraphicsSimpleTextItem>

namespace {
const char* const kRecordFolder = "/mnt/sd/Korvel/Record/";
const char* const kExportFolder = "/mnt/sd/Korvel/Export/";

bool handsetFileExists(const QString& name) {
    return QFile::exists(Platform::path(name));
}

QGraphicsSimpleTextItem* newMark(UxScene* scene, const QString& text, qreal y) {
    auto* mark = new QGraphicsSimpleTextItem(text);
    mark->setBrush(Qt::red);
    mark->setPos(120, y);
    mark->setZValue(20);
    mark->hide();
    if (scene) scene->addItem(mark);
    return mark;
}

// Appends one line; a line cut short is taken back so the file keeps whole lines.
bool appendLine(const QString& path, const QByteArray& line) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const qint64 before = f.size();
    const bool ok = f.write(line) == line.size() && f.flush();
    if (!ok) f.resize(before);
    return ok;
}
// Tells the user that a file on the card could not be written.
void showSaveFailed(UxDialogHint* hint) {
    if (!hint) return;
    hint->showHint(QStringLiteral("104"), TrResource::getTrString(TR_Error),
                   TrResource::getTrString(TR_SaveFileFailed), false, true);
}
}  // namespace

bool Korvel::data_recordMarkShown() const {
    return m_recordMark && m_recordMark->isVisible();
}

bool Korvel::data_exportMarkShown() const {
    return m_exportMark && m_exportMark->isVisible();
}

// The data logger: at most one line per new second of GPS time.
void Korvel::data_exportCurrentData() {
    const StructConfiguration& cfg = Global::configuration;
    if (cfg.dataExport == 0 || boat_time == m_loggerLastTime) return;
    if (cfg.dataExport == 2 && !m_loggerFileName.isEmpty()) {
        const QByteArray line = DataLoggerLine::build(boat_lat, boat_lon, current_depth, boat_time);
        if (!appendLine(Platform::path(m_loggerFileName), line)) {
            // A logger that cannot write must not look as if it logs.
            qCWarning(lcCore) << "data logger stopped: cannot write" << m_loggerFileName;
            Global::configuration.dataExport = 0;
            m_currentDataExport = 0;
            m_loggerFileName.clear();
            if (m_exportMark) m_exportMark->hide();
            showSaveFailed(m_dialogHint);
        }
    }
    // dataExport 1 (serial port): the NMEA sentences go out here once NMEA output exists.
    m_loggerLastTime = boat_time;
}

// Step 6 of the system check: the data logger was switched.
void Korvel::data_checkExportMode() {
    const StructConfiguration& cfg = Global::configuration;
    if (m_currentDataExport < 0) m_currentDataExport = cfg.dataExport;
    if (cfg.dataExport == m_currentDataExport) return;
    m_currentDataExport = cfg.dataExport;
    Global::my_system("sync");
    if (!m_exportMark) m_exportMark = newMark(m_scene, QStringLiteral("CSV"), 1);
    if (cfg.dataExport != 2) {
        m_loggerFileName.clear();
        m_exportMark->hide();
        return;
    }
    const QString name =
        RecordNaming::fileName(QLatin1String(kExportFolder), QStringLiteral("Sablo_Data_"),
                               QStringLiteral(".csv"), boat_time, handsetFileExists);
    // The file is made now, so a missing or full card is reported at once, not at the first
    // GPS second.
    if (name.isEmpty() || !appendLine(Platform::path(name), QByteArray())) {
        Global::configuration.dataExport = 0;
        m_currentDataExport = 0;
        m_loggerFileName.clear();
        m_exportMark->hide();
        showSaveFailed(m_dialogHint);
        return;
    }
    m_loggerFileName = name;
    m_exportMark->show();
}

// Step 7 of the system check: record, replay or neither.
void Korvel::data_checkRecordMode() {
    StructConfiguration& cfg = Global::configuration;
    if (m_currentWorkMode < 0) m_currentWorkMode = cfg.workMode;
    if (!m_recordMark) m_recordMark = newMark(m_scene, QStringLiteral("REC."), 0);
    const bool writeFailed = SpiDevice::flag_recordFail.exchange(0) != 0;
    bool failed = writeFailed && m_currentWorkMode == 1 && cfg.workMode == 1;
    if (cfg.workMode != m_currentWorkMode) {
        const int previous = m_currentWorkMode;
        m_currentWorkMode = cfg.workMode;
        if (previous == 1) {
            m_data->record_clearName();
            m_recordFileName.clear();
            m_recordMark->hide();
        }
        if (cfg.workMode == 1) {
            const QString name = RecordNaming::fileName(
                QLatin1String(kRecordFolder), QStringLiteral("Sablo_History_"),
                QStringLiteral(".kvlw"), boat_time, handsetFileExists);
            failed = name.isEmpty() || !RecordFile::create(Platform::path(name));
            if (!failed) {
                m_recordFileName = name;
                m_data->record_setName(Platform::path(name));
                m_recordMark->show();
            }
        }
        if (cfg.workMode == 2) {
            if (m_dialogFile)
                m_dialogFile->showFile(QLatin1String(kRecordFolder), QStringLiteral("*.kvlw"),
                                       QStringLiteral("kvlw"));
        } else {
            m_data->clearPlayList();
        }
    }
    if (failed) {
        // Not recording, and the user is told so: the mark goes, the mode returns to normal.
        qCWarning(lcCore) << "recording stopped: cannot write" << m_recordFileName;
        m_data->record_clearName();
        m_recordFileName.clear();
        m_recordMark->hide();
        cfg.workMode = 0;
        m_currentWorkMode = 0;
        m_data->record_setWorkMode(0);
        showSaveFailed(m_dialogHint);
    }
}
