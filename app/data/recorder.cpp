#include "data/recorder.h"

#include "base/log.h"
#include "data/data_logger_line.h"
#include "data/record_file.h"
#include "data/record_naming.h"
#include "platform/platform.h"
#include "platform/shell.h"

namespace {

bool handsetFileExists(const QString& name) {
    return QFile::exists(Platform::path(name));
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

}  // namespace

Recorder::Recorder(QObject* parent) : QObject(parent) {}

Recorder::~Recorder() {
    closeRecord();
}

// --- Data logger
// ----------------------------------------------------------------------------------

void Recorder::stopLogger(StructConfiguration& cfg) {
    cfg.dataExport = 0;
    m_currentDataExport = 0;
    m_loggerFileName.clear();
    emit signal_saveFailed();
}

void Recorder::exportCurrentData(StructConfiguration& cfg, int lat, int lon, float depth,
                                 unsigned boatTime, const std::function<void()>& toSerial) {
    if (cfg.dataExport == 0 || boatTime == m_loggerLastTime) return;
    if (cfg.dataExport == 2 && !m_loggerFileName.isEmpty()) {
        const QByteArray line = DataLoggerLine::build(lat, lon, depth, boatTime);
        if (!appendLine(Platform::path(m_loggerFileName), line)) {
            // A logger that cannot write must not look as if it logs.
            qCWarning(lcCore) << "data logger stopped: cannot write" << m_loggerFileName;
            stopLogger(cfg);
        }
    }
    if (cfg.dataExport == 1 && toSerial) toSerial();
    m_loggerLastTime = boatTime;
}

void Recorder::checkExportMode(StructConfiguration& cfg, unsigned boatTime) {
    if (m_currentDataExport < 0) m_currentDataExport = cfg.dataExport;
    if (cfg.dataExport == m_currentDataExport) return;
    m_currentDataExport = cfg.dataExport;
    Global::my_system("sync");
    if (cfg.dataExport != 2) {
        m_loggerFileName.clear();
        return;
    }
    if (m_cardReadOnly) {
        qCWarning(lcCore) << "data logger stopped: the SD card is read-only";
        stopLogger(cfg);
        return;
    }
    const QString name =
        RecordNaming::fileName(QLatin1String(kExportFolder), QStringLiteral("Sablo_Data_"),
                               QStringLiteral(".csv"), boatTime, handsetFileExists);
    // The file is made now, so a missing or full card is reported at once, not at the first
    // GPS second.
    if (name.isEmpty() || !appendLine(Platform::path(name), QByteArray())) {
        stopLogger(cfg);
        return;
    }
    m_loggerFileName = name;
}

// --- Record and replay
// ----------------------------------------------------------------------------

void Recorder::closeRecord() {
    if (m_record.isOpen()) m_record.close();
}

void Recorder::appendFrames(const QVector<kvl_w>& frames) {
    if (!m_record.isOpen() || frames.isEmpty()) return;
    const qint64 before = m_record.size();
    bool ok = true;
    for (const kvl_w& frame : frames) {
        if (m_record.write(reinterpret_cast<const char*>(frame.bytes), kvl_w::kSize) !=
            kvl_w::kSize) {
            ok = false;
            break;
        }
    }
    ok = ok && m_record.flush();
    if (ok) return;
    // A frame cut short would shift every later one; the log keeps its whole frames.
    m_record.resize(before);
    closeRecord();
    m_recordFailed = true;
}

void Recorder::checkRecordMode(StructConfiguration& cfg, unsigned boatTime) {
    if (m_currentWorkMode < 0) m_currentWorkMode = cfg.workMode;
    bool failed = m_recordFailed && m_currentWorkMode == 1 && cfg.workMode == 1;
    m_recordFailed = false;
    QString why = QStringLiteral("cannot write ") + m_recordFileName;
    if (cfg.workMode != m_currentWorkMode) {
        const int previous = m_currentWorkMode;
        m_currentWorkMode = cfg.workMode;
        if (previous == 1) {
            closeRecord();
            m_recordFileName.clear();
        }
        if (cfg.workMode == 1 && m_cardReadOnly) {
            why = QStringLiteral("the SD card is read-only");
            failed = true;
        } else if (cfg.workMode == 1) {
            const QString name = RecordNaming::fileName(
                QLatin1String(kRecordFolder), QStringLiteral("Sablo_History_"),
                QStringLiteral(".kvlw"), boatTime, handsetFileExists);
            why = QStringLiteral("cannot write ") +
                  (name.isEmpty() ? QLatin1String(kRecordFolder) : name);
            const QString path = Platform::path(name);
            m_record.setFileName(path);
            failed = name.isEmpty() || !RecordFile::create(path) ||
                     !m_record.open(QIODevice::WriteOnly | QIODevice::Append);
            if (!failed) m_recordFileName = name;
        }
        if (cfg.workMode == 2) {
            emit signal_chooseReplayFile(QLatin1String(kRecordFolder), QStringLiteral("*.kvlw"));
        } else {
            emit signal_replayEnded();
        }
    }
    if (failed) {
        // Not recording, and the user is told so: the mode returns to normal.
        qCWarning(lcCore).noquote() << "recording stopped:" << why;
        closeRecord();
        m_recordFileName.clear();
        cfg.workMode = 0;
        m_currentWorkMode = 0;
        emit signal_saveFailed();
    }
}
