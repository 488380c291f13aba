#pragma once

#include "base/configuration.h"
#include "link/kvl_frame.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

// The files the handset writes while it runs: the sonar log of the record mode (every frame
// the radio brings, handed over by the tick, appended to a file kept open) and the data
// logger's CSV on the SD card. It follows the configuration's workMode and dataExport; when a
// file cannot be written it switches that mode off in the configuration and says so, so that
// nothing looks as if it were saved when it is not.
class Recorder : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kRecordFolder = "/mnt/sd/Korvel/Record/";
    static constexpr const char* kExportFolder = "/mnt/sd/Korvel/Export/";

    explicit Recorder(QObject* parent = nullptr);
    ~Recorder() override;

    // A write-protected card: neither a log nor the logger starts on it, and the user is told.
    void setCardReadOnly(bool readOnly) { m_cardReadOnly = readOnly; }

    // --- Data logger ----------------------------------------------------------------------------
    // dataExport changed: sync, then make the logger's file (2) or forget it.
    void checkExportMode(StructConfiguration& cfg, unsigned boatTime);
    // At most one output per new second of GPS time: a line of the CSV file while dataExport
    // is 2, a call of toSerial (the NMEA sentence) while it is 1.
    void exportCurrentData(StructConfiguration& cfg, int lat, int lon, float depth,
                           unsigned boatTime, const std::function<void()>& toSerial = {});
    bool logging() const { return !m_loggerFileName.isEmpty(); }
    QString loggerFileName() const { return m_loggerFileName; }

    // --- Record and replay ----------------------------------------------------------------------
    // workMode changed (or a write failed): start or end the log, or ask for a file to replay.
    void checkRecordMode(StructConfiguration& cfg, unsigned boatTime);
    // Appends the frames to the open log; a frame cut short is taken back, the log is closed
    // and the next checkRecordMode ends the record mode.
    void appendFrames(const QVector<kvl_w>& frames);
    bool recording() const { return m_record.isOpen(); }
    QString recordFileName() const { return m_recordFileName; }

signals:
    // A file on the card could not be written; the mode that wrote it is off.
    void signal_saveFailed();
    // The replay mode began: the user picks a log in folder matching pattern.
    void signal_chooseReplayFile(QString folder, QString pattern);
    // The replay mode ended: the played frames are no longer wanted.
    void signal_replayEnded();

private:
    void stopLogger(StructConfiguration& cfg);
    void closeRecord();

    QString m_loggerFileName;
    unsigned m_loggerLastTime = 0;
    int m_currentDataExport = -1;  // -1: taken from the configuration on the first check
    int m_currentWorkMode = -1;
    QString m_recordFileName;
    QFile m_record;
    bool m_recordFailed = false;
    bool m_cardReadOnly = false;
};
