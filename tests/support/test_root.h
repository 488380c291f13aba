#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary root directory standing for "/" during one test: every handset path the
// program uses (/opt, /mnt/sd, /dev, ...) lands inside it.
class TestRoot {
public:
    TestRoot();
    ~TestRoot();
    QString path(const QString& absolute) const;  // the mapped path of an absolute one
    bool writeFile(const QString& absolute, const QByteArray& content) const;
    QByteArray readFile(const QString& absolute) const;
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
