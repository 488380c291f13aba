#include "state/course_book.h"

CourseBook::CourseBook(QObject* parent) : QObject(parent) {}

void CourseBook::loadHeaders() {
    m_store.loadHeaders();
    emit changed(-1);
}

void CourseBook::appendPoint(int lon, int lat, unsigned time, unsigned depthCm, float sampleStep) {
    m_store.appendPoint(lon, lat, time, depthCm, sampleStep);
}

bool CourseBook::written(int n, bool ok) {
    if (!ok) emit saveFailed();
    emit changed(n);
    return ok;
}

bool CourseBook::saveCurrent(int n) {
    return written(n, m_store.saveCurrent(n));
}

bool CourseBook::remove(int n) {
    return written(n, m_store.remove(n));
}

bool CourseBook::rename(int n, const QString& name) {
    return written(n, m_store.rename(n, name));
}

// A card file that cannot be read is said by the caller, as a read and not as a save.
bool CourseBook::readFromSd(int n, const QString& handsetFile) {
    const bool ok = m_store.readFromSd(n, handsetFile);
    emit changed(n);
    return ok;
}
