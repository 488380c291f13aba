#include "test_root.h"

#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestRoot::TestRoot() : m_previous(Platform::root()) {
    Platform::setRoot(m_dir.path());
}

TestRoot::~TestRoot() {
    Platform::setRoot(m_previous);
}

QString TestRoot::path(const QString& absolute) const {
    return m_dir.path() + absolute;
}

bool TestRoot::writeFile(const QString& absolute, const QByteArray& content) const {
    const QString p = path(absolute);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

QByteArray TestRoot::readFile(const QString& absolute) const {
    QFile f(path(absolute));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
