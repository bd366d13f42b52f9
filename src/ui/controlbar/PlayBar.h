#pragma once

#include "playback/PlayBarView.h"
#include "ui/views/SkinImage.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <optional>

class BarWindow;
class QPainter;
class QWidget;
class SkinButton;

// The control ids of the bar, in the numbering its buttons and sliders have always had.
namespace BarControl {
inline constexpr int Open = 1003;
inline constexpr int Play = 1004;
inline constexpr int Pause = 1005;
inline constexpr int Previous = 1006;
inline constexpr int Mute = 1007;
inline constexpr int Next = 1008;
inline constexpr int TimeSlider = 1009;
inline constexpr int VolumeSlider = 1010;
inline constexpr int Stop = 1011;
inline constexpr int FullScreen = 1012;
inline constexpr int LeaveFullScreen = 1013;
} // namespace BarControl

// The skinned strip along the bottom of the main window: image buttons that post commands,
// a time slider with the length and position above it, and a volume slider. The sliders are
// composed offscreen in composeBuffer over a copy of the plain background and only their
// full-height strips reach the screen. Everything runs on the GUI thread.
class PlayBar : public PlayBarView {
public:
    // Loads the skin from root, taking the @2x images when devicePixelRatio is above 1.
    explicit PlayBar(const QString &skinRoot = QString::fromUtf16(kSkinRoot),
                     qreal devicePixelRatio = 1.0);
    ~PlayBar() override;
    Q_DISABLE_COPY_MOVE(PlayBar)

    static PlayBar *instance();
    static void destroyInstance();

    bool create(QWidget *parent);
    bool createFont();
    void destroyWindows();
    // The bar window, for the main window to place; none before create.
    QWidget *window() const;
    int barHeight() const;
    void layout(int width);

    // Where a control stands in bar coordinates; an empty rectangle for an unknown id.
    QRect controlRect(int id) const;
    SkinButton *button(int id) const;

    void reset() override;
    void refreshButtons() override;
    void updateProgress() override;
    void updateVolume() override;

    void onPaint(QPainter &painter);
    void drawButton(QPainter &painter, int id, bool pressed);

    void beginTrack(QPoint point);
    void track(int x);
    void endTrack();
    bool isCapturing() const { return capturing; }

    void autoHide();
    void startAutoHide();
    void stopAutoHide();

private:
    static void requestMainLayout();
    const QImage *imageFor(int id) const;
    bool hasControl(int id) const;
    void moveControl(int id, const QRect &rect);
    int placeControl(int id, int x, int direction, int yOffset);
    void placeTimeBar(int x, int width);
    void showButton(int id, bool shown);
    void enableButton(int id, bool enabled);

    bool composeUsable() const { return !composeBuffer.isNull(); }
    void makeBuffers(QSize size);
    void paintBackground(QPainter &painter, int width, int height) const;
    void restoreStrip(int id, QPainter &painter) const;
    void restoreControlBackground(QPainter &painter, int id) const;
    QRect stripRect(int id) const;
    QRect flushStrip(int id) const;
    void drawTime(QPainter &painter);
    void drawVolume(QPainter &painter);
    void flush();
    void flush(QPainter &painter);

    QPointer<BarWindow> barWindow;
    std::map<int, SkinButton *> buttons;
    QRect timeSlider;
    QRect volumeSlider;
    std::map<int, QImage> images;
    QColor backgroundBrush{28, 28, 28};
    std::optional<QImage> backgroundImage;
    std::optional<QImage> volumeBallImage;
    std::optional<QImage> timeForeImage;
    std::optional<QImage> timeBallImage;
    QImage composeBuffer;
    QImage backgroundBuffer;
    int shownVolume = 100;
    qint64 time = 0;
    qint64 length = 0;
    int trackId = 0;
    bool capturing = false;
    QPoint lastCursor;
    quint32 hideTick = 0;
    bool composed = false;
    // Guards composeBuffer and composed; never taken twice by one holder.
    std::mutex drawLock;
    QFont timeFont;

    static std::unique_ptr<PlayBar> single;
};

// "hh:mm:ss" with at least two digits each, hours unbounded.
QString formatTime(qint64 milliseconds);
