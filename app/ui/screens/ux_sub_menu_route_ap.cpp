#include "ui/screens/ux_sub_menu_route_ap.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"

#include <QFileInfo>
#include <QPainter>

namespace {
constexpr int kFrame = UxTheme::kFrameWidth;
constexpr int kTop = kFrame + UxTheme::kTitleHeight + 4;
constexpr int kLineHeight = 22;
constexpr int kDelayTop = kTop + 4 * kLineHeight;
constexpr int kPreviewTop = kDelayTop + 2 * kLineHeight + 8;
constexpr int kPreviewHeight = 200;
constexpr int kButtonsTop = kPreviewTop + kPreviewHeight + 8;

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// Every text of this screen is 14 px: the read-outs need the room.
FieldTable::StructLook look() {
    FieldTable::StructLook look;
    look.fontPixels = 14;
    look.valueAlign = Qt::AlignHCenter;
    return look;
}

QString metres(float m) {
    return Global::getString_dstValue(m, 0, false) + QLatin1Char(' ') + Global::getString_dstUnit();
}
}  // namespace

UxSubMenuRouteAp::UxSubMenuRouteAp(QWidget* parent) : UxKeyWidget(parent), m_fields(look()) {
    resize(260, 450);
    layOut();
    m_fields.setFocus(FocusStart);
    m_title = new UxTitleBar(this);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
    m_editor = new UxLineEditor(parent ? parent : this);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this, [this](const QString& text) {
        (focus() == FocusMinutes ? m_wait.minutes : m_wait.seconds) = text;
        update();
    });
}

void UxSubMenuRouteAp::showRouteAp(const QString& file, QPoint boat,
                                   const QList<StructKmlInfo>& outlines) {
    m_boat = boat;
    m_outlines = outlines;
    readKmlFile(file);
    m_title->setTitleText(trText(TR_MultiTargetAutopilot));
    m_fields.setFocus(FocusStart);
    keepInsideParent();
    show();
    raise();
    window()->activateWindow();
    refreshPreview();
}

// The course is every point of every placemark, in the file's order. The legs take the
// positions as written; only the read-outs and the preview use map coordinates (the first
// point sets the map origin while it is unset, as an outline's does).
void UxSubMenuRouteAp::readKmlFile(const QString& file) {
    m_file = file;
    m_course.clear();
    m_points.clear();
    const StructKmlCourse read = m_reader ? m_reader(file) : StructKmlCourse();
    m_readable = read.readable;
    for (const StructKmlPosition& pos : read.points) {
        if (!Convert::haveSetStartPoint()) Convert::setStartPoint(pos.lon, pos.lat);
        StructWaypoint w;
        w.longitude = Convert::ddS32_to_dmString_lon(pos.lon);
        w.latitude = Convert::ddS32_to_dmString_lat(pos.lat);
        m_course << w;
        m_points << Convert::navi_ddS32_to_relativeCoor(pos.lon, pos.lat);
    }
}

int UxSubMenuRouteAp::getDelayTimeS() const {
    return m_wait.totalSeconds();
}

QList<StructMultiTarget> UxSubMenuRouteAp::listTargets() const {
    QList<StructMultiTarget> targets;
    for (const StructWaypoint& w : m_course)
        targets << StructMultiTarget(w, getDelayTimeS());
    return targets;
}

QStringList UxSubMenuRouteAp::infoLines() const {
    const QString none = QStringLiteral("-.-");
    float length = 0;
    for (int i = 1; i < m_points.size(); ++i)
        length += Global::calc_pixDst(QPointF(m_points.at(i - 1)), QPointF(m_points.at(i)));
    const bool any = !m_points.isEmpty();
    return {
        trText(TR_FileName) + QStringLiteral(": ") + QFileInfo(m_file).fileName(),
        trText(TR_TotalPoints) + QStringLiteral(": ") +
            (any ? QString::number(m_points.size()) : none),
        trText(TR_TotalDst) + QStringLiteral(": ") + (any ? metres(length) : none),
        trText(TR_FirstWptToBoat) + QStringLiteral(": ") +
            (any ? metres(Global::calc_pixDst(QPointF(m_points.first()), QPointF(m_boat))) : none)};
}

void UxSubMenuRouteAp::refreshPreview() {
    update();
}

// --- Keys ---------------------------------------------------------------------------------------

void UxSubMenuRouteAp::keyClicked(EnumKey key) {
    if (m_fields.step(key)) key = EnumKey::None;
    switch (key) {
        case EnumKey::None:
            break;
        case EnumKey::Zoom:
            m_zoom = m_zoom >= 8 ? 1 : m_zoom * 2;
            break;
        case EnumKey::Autopilot:
            start(false);
            break;
        case EnumKey::Enter:
            enter();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            emit signal_routeAp_exit();
            break;
        default:
            return;
    }
    keyTone();
    update();
}

void UxSubMenuRouteAp::enter() {
    switch (focus()) {
        case FocusMinutes:
        case FocusSeconds:
            m_editor->move(x() + 20, y() + m_fields.rectOf(focus()).bottom() + 4);
            m_editor->showLineEditor(focus() == FocusMinutes ? m_wait.minutes : m_wait.seconds,
                                     StructWaitTime::charSets(), QStringLiteral("left"));
            break;
        case FocusCheck:
            m_stopAtPoints = !m_stopAtPoints;
            break;
        case FocusStart:
            start(true);
            break;
        case FocusImport:
            emit signal_routeAp_import();
            break;
        default:
            hide();
            emit signal_routeAp_exit();
            break;
    }
}

void UxSubMenuRouteAp::start(bool fromButton) {
    if (m_course.size() > kMaxPoints) {
        emit signal_routeAp_tooMany();
        return;
    }
    if (fromButton) hide();
    emit signal_routeAp_start();
}

// --- The drawing --------------------------------------------------------------------------------

// The read-outs, the wait, the tick box and, below the preview, the buttons.
void UxSubMenuRouteAp::layOut() {
    m_fields.clear();
    const int left = kFrame + 6;
    for (int i = 0; i < 4; ++i)
        m_fields.label(QRect(left, kTop + i * kLineHeight, 244, kLineHeight),
                       [this, i] { return infoLines().at(i); });
    m_fields.label(QRect(left, kDelayTop, 110, kLineHeight),
                   [] { return trText(TR_Delay) + QStringLiteral(" :"); });
    m_fields.label(QRect(153, kDelayTop, 10, kLineHeight),
                   FieldTable::fixedText(QStringLiteral(":")));
    const int h = kLineHeight - 2;
    m_fields.value(FocusMinutes, QRect(120, kDelayTop, 30, h), [this] { return m_wait.minutes; });
    m_fields.value(FocusSeconds, QRect(164, kDelayTop, 30, h), [this] { return m_wait.seconds; });
    m_fields
        .check(FocusCheck, QRect(left, kDelayTop + kLineHeight + 2, width() - 2 * left, h),
               FieldTable::trText(TR_MessageWhenArrive), [this] { return m_stopAtPoints; })
        .margins = QMargins(22, 0, 0, 0);
    const int w = (width() - 2 * kFrame - 24) / 3;
    const EnumTrString buttons[] = {TR_Start, TR_Import, TR_Exit};
    for (int b = FocusStart; b <= FocusExit; ++b)
        m_fields.button(b, QRect(left + (b - FocusStart) * (w + 6), kButtonsTop, w, 34),
                        FieldTable::trText(buttons[b - FocusStart]));
}

void UxSubMenuRouteAp::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    layOut();
}

QRect UxSubMenuRouteAp::previewRect() const {
    return QRect(kFrame + 6, kPreviewTop, width() - 2 * kFrame - 12, kPreviewHeight);
}

QVector<StructTextBox> UxSubMenuRouteAp::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuRouteAp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
    // The preview: the course (and the outlines) around its first point, which stands in the
    // middle; at zoom 1 a course of about the preview's size fills it.
    const QRect area = previewRect();
    p.fillRect(area, QColor(0, 0, 0));
    p.setPen(QPen(UxTheme::kFrame, 1));
    p.drawRect(area);
    if (m_points.isEmpty()) return;
    int reach = 20;
    for (const QPoint& q : m_points)
        reach = qMax(reach,
                     qMax(qAbs(q.x() - m_points.first().x()), qAbs(q.y() - m_points.first().y())));
    const qreal scale = m_zoom * (area.height() / 2.0 - 8) / reach;
    const auto at = [&](const QPoint& q) {
        return QPointF(area.center()) + QPointF(q - m_points.first()) * scale;
    };
    p.setClipRect(area);
    p.setPen(QPen(QColor(120, 200, 255), 1));
    for (const StructKmlInfo& outline : m_outlines)
        for (int i = 1; i < outline.points.size(); ++i)
            p.drawLine(at(outline.points.at(i - 1)), at(outline.points.at(i)));
    p.setPen(QPen(QColor(255, 60, 60), 2));
    for (int i = 0; i < m_points.size(); ++i) {
        if (i > 0) p.drawLine(at(m_points.at(i - 1)), at(m_points.at(i)));
        p.drawEllipse(at(m_points.at(i)), 2, 2);
    }
}
