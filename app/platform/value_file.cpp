#include "platform/value_file.h"

#include "base/log.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {
ValueFileDevice::Factory& factory() {
    static ValueFileDevice::Factory f;
    return f;
}
}  // namespace

void ValueFileDevice::setFactory(Factory f) {
    factory() = std::move(f);
}

std::unique_ptr<ValueFileDevice> ValueFileDevice::create(const QString& handsetPath) {
    if (factory()) return factory()(handsetPath);
    if (Platform::isVirtual()) return std::make_unique<ValueFileVirtual>(handsetPath);
    return std::make_unique<ValueFileLinux>(handsetPath);
}

ValueFileLinux::ValueFileLinux(const QString& handsetPath)
    : m_path(Platform::pathBytes(handsetPath)) {}

bool ValueFileLinux::write(const QByteArray& text) {
    const QByteArray line = text + '\n';
    const int fd = ::open(m_path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        qCWarning(lcPlatform).nospace() << m_path << ": " << strerror(errno);
        return false;
    }
    const bool ok = ::write(fd, line.constData(), size_t(line.size())) == line.size();
    if (!ok) qCWarning(lcPlatform).nospace() << m_path << ": " << strerror(errno);
    ::close(fd);
    return ok;
}

ValueFileVirtual::ValueFileVirtual(const QString& handsetPath)
    : m_path(Platform::path(handsetPath)) {}

bool ValueFileVirtual::write(const QByteArray& text) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QFile f(m_path);
    const bool ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    f.write(text + '\n') == text.size() + 1;
    if (!ok) qCWarning(lcPlatform) << m_path << f.errorString();
    return ok;
}
