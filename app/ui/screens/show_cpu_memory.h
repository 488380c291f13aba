#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QTimer;

// Readings of the kernel's /proc texts, kept apart from the timers so they can be checked on
// fixed inputs.
namespace CpuMemory {

// The "cpu" line of /proc/stat: all jiffies and the idle ones (idle + iowait).
struct StructCpuSample {
    quint64 total = 0;
    quint64 idle = 0;
    bool valid = false;
};
StructCpuSample parseCpu(const QByteArray& procStat);
// The busy share between two samples in whole percent, -1 when it cannot be told (a sample
// missing, no time passed, or the counters went back).
int cpuPercent(const StructCpuSample& before, const StructCpuSample& after);

// "MemTotal" and "MemFree" of /proc/meminfo, in kB.
struct StructMemory {
    quint64 totalKb = 0;
    quint64 freeKb = 0;
    bool valid = false;
};
StructMemory parseMemory(const QByteArray& meminfo);

// "CPU:<cpu>%  MEM:<used %>% (<used>MB /<total>MB)"; the memory part reads 0 when invalid.
QString labelText(const QString& cpuPercent, const StructMemory& memory);

}  // namespace CpuMemory

// The system monitor of the developer overlay: the CPU load every `ms` and the memory use
// every `ms` + 200, written to a label as "CPU:..%  MEM:..% (..MB /..MB)".
class ShowCPUMemory : public QObject {
    Q_OBJECT
public:
    explicit ShowCPUMemory(QObject* parent = nullptr);

    void Start(int ms);
    void Stop();
    // The label the text goes to (it may be deleted at any time).
    void SetLab(QLabel* label);
    bool isRunning() const;
    QString text() const { return m_text; }

    // The commands whose output is read ("cat /proc/stat", "cat /proc/meminfo").
    void setCommands(const QString& statCommand, const QString& meminfoCommand);

    // The last CPU percentage as text; "50" until two samples have been taken.
    static QString current_cpu_percent;

signals:
    void signal_text(QString text);

public slots:
    void slot_sampleCpu();
    void slot_sampleMemory();

private:
    QTimer* m_cpuTimer;
    QTimer* m_memTimer;
    QPointer<QLabel> m_label;
    QString m_statCommand;
    QString m_meminfoCommand;
    CpuMemory::StructCpuSample m_lastCpu;
    QString m_text;
};
