#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// The handset's small INI files (settings, waypoints, courses, calibration) read without the
// settings class: it decodes any serialised value it meets ("@Variant(...)"), so a few hundred
// kilobytes of file could unpack into a huge image. Values come back as the settings class
// would give the handset's own file: texts (a list for comma-separated values) and, for the
// one serialised form the handset writes, a float. Any other serialised value is refused: it
// reads as the bare text "@Variant(", which every reader already treats as damage.
class IniFile {
public:
    // Larger than any file the handset writes (a full course is about 300 KB).
    static constexpr qint64 kMaxBytes = 2 << 20;

    enum class EnumState { Missing, NotAFile, TooLarge, Unreadable, Read };

    explicit IniFile(const QString& path);
    // The same, on bytes already in memory.
    static IniFile fromBytes(const QByteArray& data);

    EnumState state() const { return m_state; }
    bool formatError() const { return m_formatError; }  // lines that are neither key nor section
    int refused() const { return m_refused; }           // serialised values not taken

    bool contains(const QString& key) const { return m_values.contains(key); }
    QVariant value(const QString& key) const { return m_values.value(key); }

    // Whether a file the handset keeps may be written at path: nothing there yet, or a regular
    // file. Anything else (a FIFO, a device, a folder) is refused and never opened, and the
    // write counts as failed. A file holding serialised values of other types, or too large to
    // be the handset's, is set aside as path + ".damaged" first, since the settings class
    // would decode it all to merge the new keys into it.
    static bool mayWrite(const QString& path);

private:
    IniFile() = default;
    void parse(const QByteArray& data);

    EnumState m_state = EnumState::Missing;
    bool m_formatError = false;
    int m_refused = 0;
    QHash<QString, QVariant> m_values;
};
