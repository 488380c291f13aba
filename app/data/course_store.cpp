#include "data/course_store.h"

#include "base/log.h"
#include "data/course_file.h"
#include "data/waypoint_texts.h"
#include "platform/platform.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Copies src over dst: the whole file or nothing, also over an existing file (which
// QFile::copy refuses to replace).
bool copyReplacing(const QString& src, const QString& dst) {
    QFile in(src);
    if (!QFileInfo(src).isFile() || !in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.readAll();
    // The card's folders exist while it is mounted; without them there is no card to write.
    QSaveFile out(dst);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

}  // namespace

CourseStore::CourseStore() : m_slots(kSlots) {}

QString CourseStore::filePath(int n) {
    return Platform::path(CourseFile::handsetPath(n));
}

void CourseStore::loadHeaders() {
    for (int n = 0; n < kSlots; ++n)
        m_slots[n] = CourseFile::readHeader(filePath(n));
}

const StructRoute& CourseStore::slot(int n) const {
    static const StructRoute kEmpty;
    return valid(n) ? m_slots.at(n) : kEmpty;
}

void CourseStore::appendPoint(int lon, int lat, unsigned time, unsigned depthCm, float sampleStep) {
    if (m_live.points.isEmpty()) m_live.startTime = time;
    m_live.endTime = time;
    if (m_live.points.size() >= CourseFile::kMaxPoints) m_live.points.removeFirst();
    m_live.points.append({lat, lon, depthCm, time});
    m_live.distance = int(float(m_live.distance) + sampleStep);
}

bool CourseStore::saveCurrent(int n) {
    if (!valid(n)) return false;
    StructRoute r = m_live;
    r.name = WaypointTexts::proposedName(m_live.startTime);
    const bool ok = CourseFile::write(filePath(n), r);
    loadHeaders();
    return ok;
}

bool CourseStore::remove(int n) {
    if (!valid(n)) return false;
    const bool ok = CourseFile::writeKey(filePath(n), QStringLiteral("count"), 0);
    loadHeaders();
    return ok;
}

bool CourseStore::rename(int n, const QString& name) {
    if (!valid(n)) return false;
    const bool ok = CourseFile::writeKey(filePath(n), QStringLiteral("name"), name);
    loadHeaders();
    return ok;
}

QList<StructRouteDetail> CourseStore::points(int n) const {
    return valid(n) ? CourseFile::readPoints(filePath(n)) : QList<StructRouteDetail>();
}

QString CourseStore::sdFile(int n) const {
    const QString fallback = QStringLiteral("course%1").arg(n);
    return QLatin1String(kSdFolder) + WaypointTexts::importName(slot(n).name, fallback) +
           QStringLiteral(".kwc");
}

bool CourseStore::copyToSd(int n) const {
    if (!valid(n)) return false;
    const bool ok = copyReplacing(filePath(n), Platform::path(sdFile(n)));
    if (!ok) qCWarning(lcCore).noquote() << "course" << n << "not copied to" << sdFile(n);
    return ok;
}

bool CourseStore::importCourse(int n, const StructRoute& course) {
    if (!valid(n) || course.points.isEmpty() || course.points.size() > CourseFile::kMaxPoints)
        return false;
    const bool ok = CourseFile::write(filePath(n), course);
    loadHeaders();
    return ok;
}

bool CourseStore::readFromSd(int n, const QString& handsetFile) {
    if (!valid(n)) return false;
    const bool ok = copyReplacing(Platform::path(handsetFile), filePath(n));
    if (!ok) qCWarning(lcCore).noquote() << "course" << handsetFile << "not read into slot" << n;
    loadHeaders();
    return ok;
}
