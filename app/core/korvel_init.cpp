#include "core/base/resources.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "link/ux_data.h"
#include "platform/spi_bus.h"
#include "sonar/ux_sonar.h"
#include "ui/item_logo.h"

#include <QGraphicsPixmapItem>
#include <QTimer>

namespace {
constexpr int kLogoSteps = 13;
constexpr int kStatusRowY = 215;
}  // namespace

Korvel::Korvel(QWidget* parent) : QWidget(parent) {
    korvelInitResources();
    system_initBoard();
    init_var();
    init_logo();
    m_logo->stepGo();
    init_object();
    m_logo->stepGo();
    init_item();
    m_logo->stepGo();
    menu_init();
    m_logo->stepGo();  // menus
    dialog_init();
    m_logo->stepGo();  // dialogs
    init_thread();
    m_logo->stepGo();
    connect(m_scene, &UxScene::signal_keyClick, this, &Korvel::slot_key_click);
    connect(m_scene, &UxScene::signal_keyPress, this, &Korvel::slot_key_press);
    init_startWork();
}

// Objects live until the process ends; only value members are released here.
Korvel::~Korvel() {
    if (m_timerMain) m_timerMain->stop();
}

void Korvel::init_var() {
    m_currentString.clear();
    flag_ignoreShallow = flag_ignoreVtg = flag_ignoreBoatVtg = false;
    flag_compassPresent = false;
    m_currentValue = 0;
}

void Korvel::init_logo() {
    m_scene = new UxScene(this);
    m_view = new UxView(m_scene);
    m_logo = new ItemLogo();
    m_logo->setPos(0, 0);
    m_scene->addItem(m_logo);
    m_logo->showLogo(m_model, kLogoSteps);
}

void Korvel::init_object() {
    m_data = new UxData(nullptr, this);
    // One empty record per echogram column.
    m_history.clear();
    for (int i = 0; i < 246; ++i)
        m_history.append(m_data->getOnePkgData(QStringLiteral("zero")));
    m_selectedPanel = -1;
    m_sonarRange = 10.0f;
    m_sonarWidth = 246;
    m_sonar = new UxSonar();
    m_sonar->setPos(0, 0);
    m_sonar->hide();
    m_scene->addItem(m_sonar);
}

void Korvel::init_item() {
    auto addIcon = [this](const QString& name, int x) {
        auto* item = m_scene->addPixmap(QPixmap(name));
        item->setPos(x, kStatusRowY);
        item->hide();
        m_statusIcons << item;
        return item;
    };
    m_icoSignal = addIcon(QStringLiteral(":/ico/signalfull"), 0);
    m_icoSdCard = addIcon(QStringLiteral(":/ico/sdcard"), 25);
    m_icoFreq = addIcon(QStringLiteral(":/ico/455K.png"), 50);
    m_icoGoBack = addIcon(QStringLiteral(":/ico/goback.png"), 75);
    m_icoMultiTarget = addIcon(QStringLiteral(":/ico/multitarget.png"), 75);
}

void Korvel::init_thread() {
    system_startSdThread();
    m_timerMain = new QTimer(this);
    connect(m_timerMain, &QTimer::timeout, this, &Korvel::slot_timeout_main);
    m_timerMain->start(kTickMs);
}

void Korvel::init_startWork() {
    m_logo->hide();
    m_sonar->show();
    m_icoSignal->show();
}
