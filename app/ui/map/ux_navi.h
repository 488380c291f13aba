#pragma once

#include "navi/depth_color_bar.h"
#include "navi/map_mapping.h"
#include "state/map_content.h"
#include "ui/map/depth_map_picture.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

class QGraphicsItem;
class QGraphicsLineItem;
class ItemBoat;
class ItemDepthLabel;
class ItemHome;
class ItemInfo;
class ItemNavi;
class ItemSelectPoint;
class ItemTarget;
class ItemTargetDir;
class ItemTargetDst;
class ItemTrack;
class UxDialogSelectPoint;
class NavigationState;
class DepthMapState;

// The map: a heading-up chart centred on the boat, drawn in relative half-metres. It draws
// the content it is given (the track coloured by depth, a course, imported outlines), the
// multi-target line, home, the target with its distance, arrow and line, and a cursor for
// picking a point. Without content of the navigation's it keeps its own. The controller puts
// item() into the scene and places it; the tick feeds it.
class UxNavi : public QObject {
    Q_OBJECT
public:
    // Home and target not set.
    static constexpr int kUnsetCoor = 9999;
    static constexpr int kBlinkEvery = 8;
    static constexpr int kTickWrap = 10000;

    explicit UxNavi(UxDialogSelectPoint* dialog = nullptr, QObject* parent = nullptr);
    ~UxNavi() override;

    QGraphicsItem* item() const;
    // The dialog that shows the cursor's position and passes on its keys.
    void setSelectDialog(UxDialogSelectPoint* dialog);
    // Home and the target as the navigation holds them: the queries below answer from it, and
    // the setters only draw. Without it (a map of its own) the map keeps what it is given.
    void setNavigation(const NavigationState* navigation);
    // The track, the course and the outlines to draw; the calls below on them forward to it.
    void setContent(MapContent* content);
    const MapContent& content() const { return *m_content; }

    void setBoundSize(int width, int height);
    int boundWidth() const { return m_width; }
    int boundHeight() const { return m_height; }

    // Zoom: half-metres per pixel and the track width; recentres on the boat.
    void scale_setRatio(float ratio, int lineWidth);
    // The next row of the zoom table, after the last the first.
    void zoom_next();
    int zoomIndex() const { return m_zoomIndex; }
    float ratio() const { return m_map.ratio; }
    QPointF centre() const { return m_map.centre; }

    void boat_resetToCenter();
    void track_appendPoint(const QPoint& point, float depth);
    void track_paint();
    void track_repaint();
    bool track_isEmpty() const { return !m_content->boatKnown(); }
    // The last track point; without a track the first outline point; else (0, 0).
    QPoint track_getCurrentRelativeCoor() const { return m_content->boatPoint(); }
    void track_clearMap();
    const TrackList& track() const { return m_content->track(); }
    // The colour a depth takes on the colour bar of the moment.
    QColor depthColour(float depth) const { return m_colorBar.colour(depth); }
    // Track segments drawn since the last full repaint.
    int track_segmentCount() const;

    void home_setPoint(const QPoint& point);
    QPoint home_getPoint() const;
    bool home_haveSet() const;
    float home_getCurrentDst() const;

    void target_setPoint(const QPoint& point, int icon);
    QPoint target_getPoint() const;
    bool target_haveSet() const;
    float target_getCurrentDst() const;
    int target_getCurrentDir() const;
    QString target_getDstText() const;
    void target_clearInfo();

    void boat_setHeading(int heading);
    void setCompassHeading(int heading);
    void boat_setBlink(bool blink);
    void boat_setNeedCali(bool needCali);
    void info_needCali(bool needCali);
    void setLed_rc(const QString& state);
    void setLed_ap(const QString& state);

    void colorBar_set(bool automatic, int upRng, int loRng);
    // "upRng", "loRng", "maxLoRng" or "auto".
    int colorBar_get(const QString& key) const;

    void route_setInfo(const QList<StructRouteInfo>& points);
    void route_clearInfo();
    bool route_haveSet() const { return !m_content->route().isEmpty(); }
    const QList<StructRouteInfo>& route() const { return m_content->route(); }

    // Outlines already read, their points relative.
    void kml_setOutlines(const QList<StructKmlInfo>& outlines);
    void kml_clearInfo();
    bool kml_haveSet() const { return !m_content->outlines().isEmpty(); }
    QList<StructKmlInfo> kml_getCurrentKml() const { return m_content->outlines(); }

    // A point (longitude, latitude as ddS32) of the running multi-target list.
    void multiTarget_setLine(unsigned int lon, unsigned int lat);
    void multiTarget_clearLine();
    const QList<QPoint>& multiTargetLine() const { return m_multiTarget; }

    // The cursor at the boat, with its dialog open.
    void select_show(const QString& key);
    // "up", "down", "left", "right" move it by step pixels as seen on the screen; "enter"
    // hands the point on with signal_selectPoint_use.
    void select_move(const QString& key, int step);
    bool select_isOn() const { return m_selecting; }
    QPointF select_getPoint() const { return m_cursor; }

    // The lake's depth map under the track: drawn again with every full repaint, and where
    // new soundings changed it at most every kDepthMapEvery ticks (four seconds: the boat has
    // gone a few cells by then, and each redraw costs its neighbourhood whatever it adds).
    static constexpr int kDepthMapEvery = 32;
    void setDepthMap(DepthMapState* depthMap);
    void depthMap_paint();
    void depthMap_update();
    QGraphicsItem* depthMapLayer() const;
    int depthMap_lineCount() const { return m_depthLines; }
    // The depth labels shown now.
    QStringList depthMap_labels() const;

    void updateItem();
    // Every main tick: the boat's blinking and the cursor's read-out.
    void do_timer();

    // The items, for the controller's layout and for checks.
    QGraphicsItem* trackLayer() const;
    QGraphicsItem* boatItem() const;
    QGraphicsItem* homeItem() const;
    QGraphicsItem* targetItem() const;
    QGraphicsItem* cursorItem() const;
    ItemInfo* infoItem() const { return m_info; }

public slots:
    void slot_dialogSelect_movePoint(QString key, int step);

signals:
    void signal_selectPoint_use(QPoint point);

private:
    StructDepthMapScene depthMapScene() const;
    void placeDepthLayer(const StructDepthMapScene& scene);
    void depthMap_setDrawnPart();
    void depthMap_follow();
    bool depthMap_noteDeepest();
    bool depthMap_hidden();
    void colorBarChanged();
    void trackAppended(float depth, bool paint);
    void routeSet(float deepest);
    void mapCleared();
    void refreshInfoTexts();
    void placeItems();
    void placeTarget(const QPoint& boat, const QPointF& boatCoor);
    QPointF toView(const QPointF& layerPoint) const;
    void paintLines(QPainter& p);
    void paintTrack(QPainter& p);
    void select_refreshTexts(bool open);
    void select_end();
    void setUpright(int heading);

    QPointer<ItemNavi> m_navi;
    ItemTrack* m_layer = nullptr;
    ItemTrack* m_depthLayer = nullptr;
    DepthMapState* m_depthMap = nullptr;
    StructDepthMapScene m_depthScene;  // what the picture shows now
    int m_depthUp = 0;                 // the colour bar's limits it was drawn with
    int m_depthLo = 0;
    bool m_depthStale = false;  // hidden while it changed: drawn whole when it shows
    QVector<ItemDepthLabel*> m_depthLabels;
    quint64 m_depthRevision = 0;
    int m_depthTick = 0;
    int m_depthLines = 0;
    ItemInfo* m_info = nullptr;
    ItemBoat* m_boat = nullptr;
    ItemHome* m_homeItem = nullptr;
    ItemTarget* m_targetItem = nullptr;
    ItemTargetDst* m_targetDst = nullptr;
    ItemTargetDir* m_targetDir = nullptr;
    QGraphicsLineItem* m_targetLine = nullptr;
    ItemSelectPoint* m_cursorItem = nullptr;
    QPointer<UxDialogSelectPoint> m_dialog;
    const NavigationState* m_navigation = nullptr;
    MapContent* m_content = nullptr;
    // While a new point moves the colour bar, the repaint leaves that point to the
    // incremental step, as if it had not come yet.
    bool m_holdNewest = false;

    int m_width = 0;
    int m_height = 0;
    MapMapping m_map;
    int m_zoomIndex;
    int m_lineWidth;
    DepthColorBar m_colorBar;
    QList<QPoint> m_multiTarget;
    QPoint m_lastPointTrack;
    int m_segments = 0;

    QPoint m_home{kUnsetCoor, kUnsetCoor};
    float m_homeDst = -1.0f;
    QPoint m_target{kUnsetCoor, kUnsetCoor};
    float m_targetDstValue = -1.0f;
    int m_targetDirValue = 0;

    int m_compassHeading = 0;
    bool m_blink = false;
    bool m_blinkShown = false;
    int m_tick = 0;
    bool m_selecting = false;
    QPointF m_cursor;
};
