#include "ui/screens/show_cpu_memory.h"

#include <QLabel>
#include <QTimer>
#include <cstdio>

QString ShowCPUMemory::current_cpu_percent = QStringLiteral("50");

namespace {
constexpr int kMemoryDelayMs = 200;

// The whole output of a shell command (no echo: these run every two seconds).
QByteArray commandOutput(const QString& command) {
    FILE* fp = popen(command.toLocal8Bit().constData(), "r");
    if (fp == nullptr) return QByteArray();
    QByteArray out;
    char buf[1024];
    size_t n = 0;
    while ((n = fread(buf, 1, sizeof buf, fp)) > 0)
        out.append(buf, static_cast<int>(n));
    pclose(fp);
    return out;
}

// The line that starts with prefix, without it; null when there is none. Found in place: the
// whole text is not split into lines for the one wanted (every two seconds, on the handset).
QByteArray lineAfter(const QByteArray& text, const QByteArray& prefix) {
    const bool first = text.startsWith(prefix);
    int at = first ? 0 : text.indexOf('\n' + prefix);
    if (at < 0) return QByteArray();
    if (!first) ++at;  // past the line break
    const int from = at + prefix.size();
    const int end = text.indexOf('\n', from);
    return text.mid(from, end < 0 ? -1 : end - from);
}

quint64 memoryField(const QByteArray& meminfo, const QByteArray& name, bool* found) {
    const QByteArray line = lineAfter(meminfo, name + ':');
    const QList<QByteArray> words = line.simplified().split(' ');
    bool ok = false;
    const quint64 value = line.isNull() ? 0 : words.value(0).toULongLong(&ok);
    *found = ok;
    return ok ? value : 0;
}
}  // namespace

namespace CpuMemory {

StructCpuSample parseCpu(const QByteArray& procStat) {
    StructCpuSample sample;
    for (const QByteArray& line : procStat.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.value(0) != "cpu" || words.size() < 5) continue;
        for (int i = 1; i < words.size(); ++i) {
            bool ok = false;
            const quint64 v = words[i].toULongLong(&ok);
            if (!ok) return StructCpuSample();
            sample.total += v;
            if (i == 4 || i == 5) sample.idle += v;  // idle, iowait
        }
        sample.valid = true;
        return sample;
    }
    return sample;
}

int cpuPercent(const StructCpuSample& before, const StructCpuSample& after) {
    if (!before.valid || !after.valid) return -1;
    if (after.total <= before.total || after.idle < before.idle) return -1;
    const quint64 total = after.total - before.total;
    const quint64 idle = after.idle - before.idle;
    if (idle > total) return -1;
    return static_cast<int>((total - idle) * 100 / total);
}

StructMemory parseMemory(const QByteArray& meminfo) {
    StructMemory m;
    bool haveTotal = false;
    bool haveFree = false;
    m.totalKb = memoryField(meminfo, "MemTotal", &haveTotal);
    m.freeKb = memoryField(meminfo, "MemFree", &haveFree);
    m.valid = haveTotal && haveFree && m.totalKb > 0 && m.freeKb <= m.totalKb;
    return m;
}

QString labelText(const QString& cpuPercent, const StructMemory& memory) {
    quint64 usedKb = 0;
    quint64 percent = 0;
    quint64 totalKb = 0;
    if (memory.valid) {
        totalKb = memory.totalKb;
        usedKb = memory.totalKb - memory.freeKb;
        percent = usedKb * 100 / totalKb;
    }
    return QStringLiteral("CPU:%1%  MEM:%2% (%3MB /%4MB)")
        .arg(cpuPercent)
        .arg(percent)
        .arg(usedKb / 1024)
        .arg(totalKb / 1024);
}

}  // namespace CpuMemory

ShowCPUMemory::ShowCPUMemory(QObject* parent)
    : QObject(parent),
      m_cpuTimer(new QTimer(this)),
      m_memTimer(new QTimer(this)),
      m_statCommand(QStringLiteral("cat /proc/stat")),
      m_meminfoCommand(QStringLiteral("cat /proc/meminfo")) {
    connect(m_cpuTimer, &QTimer::timeout, this, &ShowCPUMemory::slot_sampleCpu);
    connect(m_memTimer, &QTimer::timeout, this, &ShowCPUMemory::slot_sampleMemory);
}

void ShowCPUMemory::Start(int ms) {
    m_cpuTimer->start(ms);
    m_memTimer->start(ms + kMemoryDelayMs);
}

void ShowCPUMemory::SetLab(QLabel* label) {
    m_label = label;
}

void ShowCPUMemory::Stop() {
    m_cpuTimer->stop();
    m_memTimer->stop();
}

bool ShowCPUMemory::isRunning() const {
    return m_cpuTimer->isActive() && m_memTimer->isActive();
}

void ShowCPUMemory::setCommands(const QString& statCommand, const QString& meminfoCommand) {
    m_statCommand = statCommand;
    m_meminfoCommand = meminfoCommand;
}

void ShowCPUMemory::slot_sampleCpu() {
    const CpuMemory::StructCpuSample now = CpuMemory::parseCpu(commandOutput(m_statCommand));
    const int percent = CpuMemory::cpuPercent(m_lastCpu, now);
    if (percent >= 0) current_cpu_percent = QString::number(percent);
    if (now.valid) m_lastCpu = now;
}

void ShowCPUMemory::slot_sampleMemory() {
    const auto memory = CpuMemory::parseMemory(commandOutput(m_meminfoCommand));
    m_text = CpuMemory::labelText(current_cpu_percent, memory);
    if (m_label) m_label->setText(m_text);
    emit signal_text(m_text);
}
