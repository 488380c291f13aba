#pragma once

#include "boot_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

// A handset root in a temporary folder: an installed application (unless installed is empty),
// a first-generation configuration, a stale readme.kvc in the working directory root/work, and
// packages made with tar on the card.
class BootRoot {
public:
    explicit BootRoot(const QString& installed) {
        BootPaths::setRoot(m_dir.path());
        QDir().mkpath(path("/mnt/sd/Korvel/Update"));
        write("/work/readme.kvc", record("9.99"));
        QDir::setCurrent(path("/work"));
        if (!installed.isEmpty()) {
            write("/opt/korvel/readme.kvc", record(installed));
            write("/opt/korvel/korvel", "old program\n");
            write("/opt/korvel/old-only.txt", "x");
        }
        write("/opt/configuration.kcg",
              "[Ap]\napMode=H\napCh1Reverse=R\napCh2Reverse=N\n[Basic]\nsonarGain=7\n"
              "language=2\n[Sonar]\ndepthUnit=1\ntemperatureUnit=1\ncolorLine=4\n");
    }
    QString path(const QString& absolute) const { return m_dir.path() + absolute; }
    QByteArray read(const QString& absolute) const {
        QFile f(path(absolute));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& absolute, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(absolute)).absolutePath());
        QFile f(path(absolute));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    // "name:version:kind", version "2.01" or "2.01+2" (with a variant version), kind good
    // (default), corrupt, truncated, cut (between two members), broken (tar -t passes, extraction
    // fails) or bare (no readme.kvc); a name without ".kup" is a plain file.
    void addPackage(const QString& entry) const {
        const QStringList p = entry.split(':');
        const QString kind = p.value(2), pkg = path("/mnt/sd/Korvel/Update/" + p[0]);
        const QString src = m_src.path() + '/' + p[0];
        writeAt(src + "/readme.kvc", record(p.value(1)));
        writeAt(src + "/korvel", "new program " + p.value(1).toUtf8() + '\n');
        writeAt(src + "/data/big.bin", QByteArray(250 * 1024, 'k'));
        QStringList members{"-cf", pkg, "-C", src, "readme.kvc", "korvel", "data"};
        if (kind == "bare") members.removeAll("readme.kvc");
        if (kind == "broken") members << "link";
        QProcess::execute("ln", {"-f", src + "/korvel", src + "/link"});
        QProcess::execute("tar", members);
        if (kind == "broken") QProcess::execute("tar", {"--delete", "-f", pkg, "korvel"});
        if (kind == "truncated") QFile(pkg).resize(QFileInfo(pkg).size() / 2);
        if (kind == "cut") QFile(pkg).resize(2048);  // readme.kvc and korvel, nothing more
        if (kind == "corrupt") writeAt(pkg, QByteArray(4096, '#'));
    }
    // Every file (with its size) and folder under the root, sorted.
    QString tree() const {
        QStringList lines;
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            const QString rel = QDir(m_dir.path()).relativeFilePath(f.filePath());
            lines << (f.isDir() ? rel + '/' : rel + ' ' + QString::number(f.size()));
        }
        lines.sort();
        return lines.join('\n');
    }

private:
    static QByteArray record(const QString& version) {
        const QStringList v = version.split('+');
        return "[Info]\nVERSION=" + v[0].toUtf8() + "\nVERSIONSablo=" + v.value(1).toUtf8() + '\n';
    }
    static void writeAt(const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    QTemporaryDir m_dir;
    QTemporaryDir m_src;
};
