#pragma once

#include "link/sonar_update.h"

#include <QObject>
#include <QTimer>
#include <memory>

class UxData;

// Runs the sonar box's firmware update over the data source, one state-machine step per timer
// shot, so the event loop goes on between steps and nothing waits inside a nested loop. Each
// step's dialog view and the end are reported as signals.
class SonarUpdateRun : public QObject {
    Q_OBJECT
public:
    explicit SonarUpdateRun(UxData& data, QObject* parent = nullptr);
    ~SonarUpdateRun() override;

    // Starts an update of image; false (and nothing starts) while one runs or when the image
    // is empty.
    bool start(const QByteArray& image, SonarUpdate::StructTiming timing);
    bool running() const { return m_update != nullptr; }
    int blockCount() const;

signals:
    void signal_view(StructUpdateView view);
    // ok: the box reported success; code: the last step code of the dialog ("202".."208").
    void signal_finished(bool ok, QString code, int blocksSent);

private:
    void step();

    UxData& m_data;
    std::unique_ptr<SonarUpdateLink> m_link;
    std::unique_ptr<SonarUpdate> m_update;
    QTimer m_timer;
};
