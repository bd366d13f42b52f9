#include "ui/controlbar/PlayBar.h"

#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "platform/InputClock.h"
#include "playback/PlayLogic.h"
#include "ui/controlbar/BarWindow.h"
#include "ui/controlbar/SkinButton.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

std::unique_ptr<PlayBar> PlayBar::single;

namespace {

using namespace BarControl;

struct BarControlRow {
    int id;
    QString image;
    QString tooltip; // empty: none
};

// Construction and the tooltips walk the controls in this order.
const BarControlRow barControls[] = {
    {Open, u"IDB_OPEN"_s, u"Open"_s},
    {Play, u"IDB_PLAY"_s, u"Play"_s},
    {Pause, u"IDB_PAUSE"_s, u"Pause"_s},
    {Stop, u"IDB_STOP"_s, u"Stop"_s},
    {Previous, u"IDB_PREV"_s, u"Prev"_s},
    {Next, u"IDB_NEXT"_s, u"Next"_s},
    {Mute, u"IDB_MUTE"_s, u"Mute On/Off"_s},
    {TimeSlider, u"IDB_TIME_BKG"_s, QString()},
    {VolumeSlider, u"IDB_VOLUME_BAR"_s, QString()},
    {FullScreen, u"IDB_FULLSCREEN1"_s, u"Full Screen"_s},
    {LeaveFullScreen, u"IDB_FULLSCREEN2"_s, u"Leave Full Screen"_s},
};

// The controls in stacking order with their first places, in dialog units of the 8-point
// shell font; the first layout moves every control that has an image.
struct TemplateItem {
    int id;
    QRect rect;
};

const TemplateItem barTemplate[] = {
    {TimeSlider, {145, 2, 126, 14}},
    {Open, {0, 1, 22, 14}},
    {Play, {22, 1, 22, 14}},
    {Pause, {43, 1, 22, 14}},
    {Previous, {65, 1, 22, 14}},
    {Next, {88, 1, 22, 14}},
    {VolumeSlider, {273, 2, 68, 14}},
    {Mute, {342, 1, 22, 14}},
    {Stop, {110, 1, 22, 14}},
    {FullScreen, {365, 1, 22, 14}},
    {LeaveFullScreen, {389, 1, 22, 14}},
};

QRect fromDialogUnits(const QRect &units)
{
    // Base units of that font: 6 pixels across per 4 units, 13 pixels down per 8 units.
    const auto across = [](int u) { return u * 6 / 4; };
    const auto down = [](int u) { return u * 13 / 8; };
    return {across(units.x()), down(units.y()), across(units.width()), down(units.height())};
}

struct ButtonCommand {
    int id;
    int command;
};

// Both full-screen buttons post ID_FULL_SCREEN, which toggles the mode.
const ButtonCommand buttonCommands[] = {
    {Open, CommandId::ID_OPEN},
    {Play, CommandId::ID_PLAY},
    {Pause, CommandId::ID_PAUSE},
    {Stop, CommandId::ID_STOP},
    {Previous, CommandId::ID_PREVIOUS},
    {Next, CommandId::ID_NEXT},
    {Mute, CommandId::ID_MUTE},
    {FullScreen, CommandId::ID_FULL_SCREEN},
    {LeaveFullScreen, CommandId::ID_FULL_SCREEN},
};

struct ButtonSet {
    int shown[2];
    int hidden[2];
};

constexpr ButtonSet playingButtons{{Stop, Pause}, {Open, Play}};
constexpr ButtonSet pausedButtons{{Stop, Play}, {Open, Pause}};
constexpr ButtonSet idleButtons{{Open, Play}, {Stop, Pause}};

constexpr int kBarHeightWithoutBackground = 27;
constexpr int kTimeFontPixels = 11;
// Light grey: the dark skin leaves darker text unreadable.
constexpr QColor kTimeTextColor(200, 200, 200);
constexpr int kStillPixels = 5;
constexpr quint32 kHideAfterMs = 5000;

// Sizes in logical pixels, whether the image came from the 1x or the @2x file.
QSize sizeOf(const QImage &image)
{
    return image.deviceIndependentSize().toSize();
}

int widthOf(const std::optional<QImage> &image)
{
    return image ? sizeOf(*image).width() : 0;
}

// Draws the image repeatedly across width from (x, y); a last partial piece is the whole
// image squeezed into what is left, not a cropped copy.
void tileImage(QPainter &painter, const QImage *image, int x, int y, int width)
{
    if (!image)
        return;
    const QSize size = sizeOf(*image);
    if (size.width() == 0 || width / size.width() < 0)
        return;
    const int pieces = width / size.width() + 1;
    int offset = 0;
    for (int i = 0; i < pieces; ++i) {
        const int piece = std::min(size.width(), width - offset);
        if (piece <= 0)
            continue;
        painter.drawImage(QRect(x + offset, y, piece, size.height()), *image);
        offset += piece;
    }
}

// Copies area of from into the same place of the painter's device, replacing what was there.
void copyArea(QPainter &painter, const QImage &from, const QRect &area)
{
    painter.save();
    painter.setClipRect(area);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), from);
    painter.restore();
}

// A zero-filled buffer of size logical pixels at the given device pixel ratio, or a null image.
QImage makeBuffer(QSize size, qreal ratio)
{
    QImage buffer(qCeil(size.width() * ratio), qCeil(size.height() * ratio),
                  QImage::Format_ARGB32_Premultiplied);
    if (buffer.isNull())
        return buffer;
    buffer.fill(0);
    buffer.setDevicePixelRatio(ratio);
    return buffer;
}

int right(const QRect &rect)
{
    return rect.x() + rect.width();
}

} // namespace

PlayBar::PlayBar(const QString &skinRoot, qreal devicePixelRatio)
{
    for (const BarControlRow &row : barControls) {
        if (auto image = loadPngResource(skinRoot, row.image, devicePixelRatio))
            images.emplace(row.id, *image);
    }
    backgroundImage = loadPngResource(skinRoot, u"IDB_BAR_BKG"_s, devicePixelRatio);
    volumeBallImage = loadPngResource(skinRoot, u"IDB_VOLUME_BALL"_s, devicePixelRatio);
    timeForeImage = loadPngResource(skinRoot, u"IDB_TIME_FORG"_s, devicePixelRatio);
    timeBallImage = loadPngResource(skinRoot, u"IDB_TIME_BALL"_s, devicePixelRatio);
}

PlayBar::~PlayBar()
{
    destroyWindows();
}

PlayBar *PlayBar::instance()
{
    if (!single) {
        const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
        single = std::make_unique<PlayBar>(QString::fromUtf16(kSkinRoot), ratio);
    }
    return single.get();
}

void PlayBar::destroyInstance()
{
    single.reset();
}

bool PlayBar::create(QWidget *parent)
{
    if (barWindow)
        return true;
    barWindow = new BarWindow(*this, parent);
    for (const TemplateItem &item : barTemplate) {
        const QRect rect = fromDialogUnits(item.rect);
        if (item.id == TimeSlider) {
            timeSlider = rect;
        } else if (item.id == VolumeSlider) {
            volumeSlider = rect;
        } else {
            auto *button = new SkinButton(item.id, *this, barWindow);
            button->setGeometry(rect);
            for (const ButtonCommand &entry : buttonCommands) {
                if (entry.id == item.id) {
                    QObject::connect(
                        button, &QAbstractButton::clicked, button,
                        [command = entry.command] { postCommand(appState.mainWindow, command); });
                }
            }
            buttons[item.id] = button;
        }
    }
    barWindow->show();
    return true;
}

bool PlayBar::createFont()
{
    for (const BarControlRow &row : barControls) {
        if (!row.tooltip.isEmpty() && button(row.id))
            button(row.id)->setToolTip(row.tooltip);
    }
    timeFont = QApplication::font();
    timeFont.setPixelSize(kTimeFontPixels);
    return true;
}

void PlayBar::destroyWindows()
{
    buttons.clear();
    delete barWindow.data();
    barWindow = nullptr;
}

QWidget *PlayBar::window() const
{
    return barWindow;
}

int PlayBar::barHeight() const
{
    if (!barWindow)
        return 0;
    // A background that does not decode measures 0 high; the bar keeps its plain height then.
    if (!backgroundImage || sizeOf(*backgroundImage).height() == 0)
        return kBarHeightWithoutBackground;
    return sizeOf(*backgroundImage).height();
}

const QImage *PlayBar::imageFor(int id) const
{
    const auto found = images.find(id);
    return found == images.end() ? nullptr : &found->second;
}

SkinButton *PlayBar::button(int id) const
{
    if (!barWindow)
        return nullptr;
    const auto found = buttons.find(id);
    return found == buttons.end() ? nullptr : found->second;
}

bool PlayBar::hasControl(int id) const
{
    return barWindow && (id == TimeSlider || id == VolumeSlider || button(id));
}

QRect PlayBar::controlRect(int id) const
{
    if (!hasControl(id))
        return {};
    if (id == TimeSlider)
        return timeSlider;
    if (id == VolumeSlider)
        return volumeSlider;
    return button(id)->geometry();
}

void PlayBar::moveControl(int id, const QRect &rect)
{
    if (id == TimeSlider)
        timeSlider = rect;
    else if (id == VolumeSlider)
        volumeSlider = rect;
    else if (SkinButton *control = button(id))
        control->setGeometry(rect);
}

int PlayBar::placeControl(int id, int x, int direction, int yOffset)
{
    const QImage *image = imageFor(id);
    if (!hasControl(id) || !image)
        return x;
    const QSize size = sizeOf(*image);
    const int y = (barHeight() - size.height()) / 2 + yOffset;
    if (direction > 0) {
        moveControl(id, QRect(QPoint(x, y), size));
        return x + size.width() + 1;
    }
    moveControl(id, QRect(QPoint(x - size.width(), y), size));
    return x - size.width() - 1;
}

void PlayBar::placeTimeBar(int x, int width)
{
    const QImage *image = imageFor(TimeSlider);
    if (!hasControl(TimeSlider) || !image)
        return;
    const int height = sizeOf(*image).height();
    moveControl(TimeSlider, QRect(x, (barHeight() - height) / 2 + 4, width, height));
}

void PlayBar::layout(int width)
{
    if (!barWindow)
        return;
    std::lock_guard guard(drawLock);
    int x = 1;
    placeControl(Open, x, +1, 0);
    x = placeControl(Stop, x, +1, 0);
    placeControl(Play, x, +1, 0);
    x = placeControl(Pause, x, +1, 0);
    x = placeControl(Previous, x, +1, 0);
    const int timeLeft = placeControl(Next, x, +1, 0);

    x = width - 1;
    placeControl(FullScreen, x, -1, 0);
    x = placeControl(LeaveFullScreen, x, -1, 0);
    x = placeControl(Mute, x, -1, 3);
    const int volumeLeft = placeControl(VolumeSlider, x, -1, 3);
    placeTimeBar(timeLeft, volumeLeft - timeLeft);

    barWindow->update();
    makeBuffers(QSize(width, barWindow->height()));
    if (composeUsable()) {
        QPainter painter(&composeBuffer);
        copyArea(painter, backgroundBuffer, composeBuffer.rect());
        drawVolume(painter);
        drawTime(painter);
    }
}

void PlayBar::paintBackground(QPainter &painter, int width, int height) const
{
    if (backgroundImage) {
        if (width != 0)
            tileImage(painter, &*backgroundImage, 0, 0, width);
    } else {
        painter.fillRect(0, 0, width, height, backgroundBrush);
    }
}

void PlayBar::makeBuffers(QSize size)
{
    const qreal ratio = barWindow->devicePixelRatioF();
    if (composeUsable() && composeBuffer.devicePixelRatio() == ratio &&
        composeBuffer.deviceIndependentSize().width() >= size.width() &&
        composeBuffer.deviceIndependentSize().height() >= size.height())
        return;
    composeBuffer = makeBuffer(size, ratio);
    backgroundBuffer = makeBuffer(size, ratio);
    if (backgroundBuffer.isNull())
        return;
    QPainter painter(&backgroundBuffer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintBackground(painter, size.width(), size.height());
}

QRect PlayBar::stripRect(int id) const
{
    const QRect rect = controlRect(id);
    return QRect(rect.x(), 0, std::max(0, rect.width()), barHeight());
}

void PlayBar::restoreStrip(int id, QPainter &painter) const
{
    if (hasControl(id) && !backgroundBuffer.isNull())
        copyArea(painter, backgroundBuffer, stripRect(id));
}

void PlayBar::restoreControlBackground(QPainter &painter, int id) const
{
    if (!hasControl(id) || backgroundBuffer.isNull())
        return;
    const QRect rect = controlRect(id);
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), rect.size()));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(-rect.topLeft(), backgroundBuffer);
    painter.restore();
}

void PlayBar::onPaint(QPainter &painter)
{
    {
        std::lock_guard guard(drawLock);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.fillRect(barWindow->rect(), backgroundBrush);
        if (barWindow->width() != 0 && backgroundImage)
            tileImage(painter, &*backgroundImage, 0, 0, barWindow->width());
    }
    if (composeUsable())
        flush(painter);
}

void PlayBar::drawButton(QPainter &painter, int id, bool pressed)
{
    const QImage *image = imageFor(id);
    if (!image)
        return;
    const int offset = pressed ? 1 : 0;
    restoreControlBackground(painter, id);
    painter.drawImage(QPoint(offset, offset), *image);
}

QString formatTime(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    const qint64 minutes = seconds / 60;
    const qint64 hours = minutes / 60;
    return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(hours),
                             static_cast<long long>(minutes % 60),
                             static_cast<long long>(seconds % 60));
}

void PlayBar::drawTime(QPainter &painter)
{
    const QImage *track = imageFor(TimeSlider);
    if (!hasControl(TimeSlider) || !track)
        return;
    const QRect rect = controlRect(TimeSlider);
    const int left = rect.x();
    const int top = rect.y();
    const int bottom = rect.y() + rect.height();
    const int width = rect.width();
    restoreStrip(TimeSlider, painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const int knob = widthOf(timeBallImage);
    qint64 played = 0;
    if (length > 0) {
        const qint64 travel = width - knob;
        played = std::min(time * travel / length, travel);
        played = std::max<qint64>(played, 0);
    }
    if (width != 0)
        tileImage(painter, track, left, top, width);
    if (played != 0 && timeForeImage)
        tileImage(painter, &*timeForeImage, left, top, int(played));
    if (timeBallImage) {
        const int height = sizeOf(*timeBallImage).height();
        painter.drawImage(QRect(left + int(played), (top + bottom - height) / 2, knob, height),
                          *timeBallImage);
    }

    const QString text = formatTime(length) + u" / "_s + formatTime(time);
    painter.setFont(timeFont);
    painter.setPen(kTimeTextColor);
    painter.drawText(QRect(left, 0, width, top),
                     Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, text);
}

void PlayBar::drawVolume(QPainter &painter)
{
    const QImage *track = imageFor(VolumeSlider);
    if (!hasControl(VolumeSlider) || !track)
        return;
    const QRect rect = controlRect(VolumeSlider);
    restoreStrip(VolumeSlider, painter);
    painter.drawImage(rect.topLeft(), *track);
    if (volumeBallImage) {
        const QSize knob = sizeOf(*volumeBallImage);
        const int travel = sizeOf(*track).width() - knob.width();
        const int top = rect.y();
        const int bottom = rect.y() + rect.height();
        painter.drawImage(
            QPoint(rect.x() + shownVolume * travel / 100, (top + bottom - knob.height()) / 2),
            *volumeBallImage);
    }
}

QRect PlayBar::flushStrip(int id) const
{
    const QRect rect = controlRect(id);
    const QSize buffer = composeBuffer.deviceIndependentSize().toSize();
    return QRect(rect.x(), 0, std::clamp(rect.width(), 0, buffer.width()), buffer.height());
}

void PlayBar::flush()
{
    std::lock_guard guard(drawLock);
    if (!composed || !barWindow)
        return;
    // Widgets paint only in paintEvent: ask for exactly the two strips.
    for (int id : {VolumeSlider, TimeSlider}) {
        if (hasControl(id))
            barWindow->update(flushStrip(id));
    }
}

void PlayBar::flush(QPainter &painter)
{
    std::lock_guard guard(drawLock);
    for (int id : {VolumeSlider, TimeSlider}) {
        if (hasControl(id))
            copyArea(painter, composeBuffer, flushStrip(id));
    }
}

void PlayBar::enableButton(int id, bool enabled)
{
    if (SkinButton *control = button(id))
        control->setEnabled(enabled);
}

void PlayBar::showButton(int id, bool shown)
{
    if (SkinButton *control = button(id))
        control->setVisible(shown);
}

void PlayBar::refreshButtons()
{
    PlayLogic *logic = appState.playLogic;
    const int state = logic && logic->player ? logic->player->getState() : EngineState::None;
    const ButtonSet &set = state == EngineState::Playing  ? playingButtons
                           : state == EngineState::Paused ? pausedButtons
                                                          : idleButtons;
    for (int id : set.hidden) {
        enableButton(id, false);
        showButton(id, false);
    }
    for (int id : set.shown) {
        enableButton(id, true);
        showButton(id, true);
    }

    const bool canSkip = logic && logic->canSkip();
    for (int id : {Previous, Next}) {
        enableButton(id, canSkip);
        showButton(id, true);
    }
    if (state != EngineState::Playing) {
        enableButton(Play, logic && logic->playList.count() >= 1);
        showButton(Play, true);
        if (state != EngineState::Paused)
            time = 0;
    }
    enableButton(FullScreen, !appState.fullScreen);
    showButton(FullScreen, !appState.fullScreen);
    enableButton(LeaveFullScreen, appState.fullScreen);
    showButton(LeaveFullScreen, appState.fullScreen);
}

void PlayBar::updateProgress()
{
    PlayLogic *logic = appState.playLogic;
    if (logic && logic->player) {
        const int state = logic->player->getState();
        if (state == EngineState::Playing || state == EngineState::Paused) {
            time = logic->player->getTime();
            length = logic->player->getLength();
        }
    }
    if (time > length)
        time = length;
    if (time < 0)
        time = 0;
    if (composeUsable()) {
        {
            std::lock_guard guard(drawLock);
            QPainter painter(&composeBuffer);
            drawTime(painter);
            composed = true;
        }
        flush();
    }
    updateVolume();
}

void PlayBar::updateVolume()
{
    PlayLogic *logic = appState.playLogic;
    if (!logic)
        return;
    const int volume = logic->muted ? 0 : logic->volume;
    if (volume == shownVolume)
        return;
    shownVolume = volume;
    if (composeUsable()) {
        {
            std::lock_guard guard(drawLock);
            QPainter painter(&composeBuffer);
            drawVolume(painter);
            composed = true;
        }
        flush();
    }
}

void PlayBar::reset()
{
    // The drag ends, but trackId stays until the next press sets it afresh.
    capturing = false;
    hideTick = 0;
    length = 0;
    updateProgress();
}

void PlayBar::beginTrack(QPoint point)
{
    trackId = 0;
    if (hasControl(TimeSlider) && controlRect(TimeSlider).contains(point))
        trackId = TimeSlider;
    else if (hasControl(VolumeSlider) && controlRect(VolumeSlider).contains(point))
        trackId = VolumeSlider;
    if (trackId == 0)
        return;
    capturing = true;
    track(point.x());
}

void PlayBar::track(int x)
{
    if (trackId == 0)
        return;
    const QRect rect = controlRect(trackId);
    const int knob = trackId == TimeSlider ? widthOf(timeBallImage) : widthOf(volumeBallImage);
    const int half = knob / 2;
    const int start = rect.x() + half;
    const int travel = right(rect) - half - start;
    // A track no wider than its knob has nowhere to move the knob to.
    if (travel <= 0)
        return;
    const double f = std::clamp(double(x - start) / travel, 0.0, 1.0);
    PlayLogic *logic = appState.playLogic;
    if (trackId == TimeSlider) {
        if (logic && logic->player)
            logic->player->setTime(qint64(f * double(length)));
        updateProgress();
    } else if (logic) {
        logic->setVolume(int(f * 100 + 0.5));
    }
}

void PlayBar::endTrack()
{
    if (!capturing)
        return;
    capturing = false;
    trackId = 0;
}

void PlayBar::autoHide()
{
    if (hideTick == 0 || !barWindow)
        return;
    const quint32 now = InputClock::tickCount();
    const bool visible = !barWindow->isHidden();
    const QPoint cursor = InputClock::cursorPos();
    const QRect windowRect(barWindow->mapToGlobal(QPoint(0, 0)), barWindow->size());
    if (windowRect.contains(cursor))
        return;
    const QPoint moved = cursor - lastCursor;
    if (std::abs(moved.x()) < kStillPixels && std::abs(moved.y()) < kStillPixels) {
        if (now - hideTick > kHideAfterMs && visible) {
            barWindow->hide();
            requestMainLayout();
        }
        return;
    }
    if (!visible) {
        barWindow->show();
        requestMainLayout();
    }
    hideTick = now;
    lastCursor = InputClock::cursorPos();
}

void PlayBar::requestMainLayout()
{
    // Posted, so the main window lays itself out after this tick, with the bar's new state.
    postMainLayoutRequest(appState.mainWindow);
}

void PlayBar::startAutoHide()
{
    hideTick = InputClock::tickCount();
    lastCursor = InputClock::cursorPos();
}

void PlayBar::stopAutoHide()
{
    hideTick = 0;
}
