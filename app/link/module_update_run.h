#pragma once

#include "link/module_update.h"

#include <QObject>
#include <QTimer>
#include <memory>

class UxData;

// Runs a boat module's firmware update over the data source, one state-machine step per timer
// shot, so the event loop goes on between steps and nothing waits inside a nested loop. Each
// step's dialog view and the end are reported as signals.
class ModuleUpdateRun : public QObject {
    Q_OBJECT
public:
    enum class EnumModule { Sonar, Autopilot };

    explicit ModuleUpdateRun(UxData& data, QObject* parent = nullptr);
    ~ModuleUpdateRun() override;

    // Starts an update of module with image; false (and nothing starts) while one runs or when
    // the image is empty.
    bool start(EnumModule module, const QByteArray& image, ModuleUpdate::StructTiming timing);
    bool running() const { return m_update != nullptr; }
    int blockCount() const;

signals:
    void signal_view(StructUpdateView view);
    // ok: the module reported success; code: the last step code of the dialog.
    void signal_finished(bool ok, QString code, int blocksSent);

private:
    void step();

    UxData& m_data;
    std::unique_ptr<ModuleUpdateLink> m_link;
    std::unique_ptr<ModuleUpdate> m_update;
    EnumModule m_module = EnumModule::Sonar;
    QTimer m_timer;
};
