// The clock window: a plain top-level widget with one child that shows the clock image.
// All drawing goes through renderClockFace into our own Image; Qt only puts the finished
// pixels on the screen.
#include "ui/clock_window.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <chrono>
#include <functional>
#include <optional>

#include "core/window_rules.h"
#include "core/calendar.h"
#include "canvas/qimage_view.h"
#include "face/face_render.h"
#include "face/spoken_face.h"
#include "ui/clock_accessible.h"
#include "ui/window_glue.h"
#include "ui/settings_dialog.h"
#include "ui/shift_reminders.h"
#include "settings/files.h"
#include "settings/help_text.h"
#include "settings/settings_file.h"

namespace dorvalen {

// The image control: paints the clock image 1:1 at its top-left corner and takes the
// image's size whenever a new frame is shown. It paints every one of its pixels, so Qt
// never erases it first and the clock does not flicker. The image is drawn in device
// pixels; its ratio tells Qt to put it on the screen without scaling it.
class ClockImageView : public QWidget {
public:
    explicit ClockImageView(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    void showImage(const Image& image, double pixelRatio) {
        image_ = &image;
        pixelRatio_ = pixelRatio;
        const QSize logical(static_cast<int>(std::ceil(image.width / pixelRatio)),
                            static_cast<int>(std::ceil(image.height / pixelRatio)));
        if (size() != logical) resize(logical);
        updateArea(rect());
    }

    // Only `area` (device pixels) of the image changed: only the logical pixels that cover
    // it are painted and sent to the window system. The image has the size and ratio of
    // the one shown before.
    void showImageArea(const Image& image, const PixelRect& area) {
        image_ = &image;
        if (area.empty()) return;
        const int x0 = static_cast<int>(std::floor(area.x / pixelRatio_));
        const int y0 = static_cast<int>(std::floor(area.y / pixelRatio_));
        const int x1 = static_cast<int>(std::ceil((area.x + area.w) / pixelRatio_));
        const int y1 = static_cast<int>(std::ceil((area.y + area.h) / pixelRatio_));
        updateArea(QRect(x0, y0, x1 - x0, y1 - y0).intersected(rect()));
    }

    bool shows(const Image& image, double pixelRatio) const {
        return image_ != nullptr && image_->width == image.width &&
               image_->height == image.height && pixelRatio_ == pixelRatio;
    }

    std::function<void()> onRightClick;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (image_ == nullptr || image_->width <= 0 || image_->height <= 0) return;
        QPainter painter(this);
        const int whole = static_cast<int>(pixelRatio_);
        if (whole == pixelRatio_) {  // only the asked part, in Qt's own pixel order
            for (const QRect& rect : event->region())
                paintImageArea(painter, *image_,
                               {rect.x() * whole, rect.y() * whole, rect.width() * whole,
                                rect.height() * whole},
                               whole);
            return;
        }
        // Logical pixels that are not whole device pixels: Qt maps the image itself.
        QImage view = qImageView(*image_);
        view.setDevicePixelRatio(pixelRatio_);
        painter.drawImage(0, 0, view);
    }

    // A right-button release over the image opens the settings; the release that ends a
    // right double-click does not (its first release already did).
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) endsDoubleClick_ = true;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::RightButton) return;
        const bool second = endsDoubleClick_;
        endsDoubleClick_ = false;
        if (second || !rect().contains(event->position().toPoint())) return;
        if (onRightClick) onRightClick();
    }

private:
    // A large area is sent as the whole window. Without shared memory (see main) Qt copies
    // a part of the window into a buffer of its own before sending it, and that buffer
    // keeps the largest size it ever had: after a maximise, for good. The whole window Qt
    // sends straight from the window's own image, which shrinks with the window. (Updating
    // the window alone would not do: Qt leaves out the area of an opaque child.)
    void updateArea(const QRect& area) {
        const double logicalPixels = static_cast<double>(area.width()) * area.height();
        if (logicalPixels * pixelRatio_ * pixelRatio_ <= largestPartialFlush) {
            update(area);
            return;
        }
        update();
        if (QWidget* window = parentWidget()) window->update();  // beside a non-square face
    }
    static constexpr double largestPartialFlush = 64 * 1024;  // device pixels: 256 kB

    const Image* image_ = nullptr;
    double pixelRatio_ = 1.0;
    bool endsDoubleClick_ = false;
};

namespace {

constexpr int startRadius = 200;

// The smallest rectangle that holds every pixel in which two images of one size differ.
PixelRect changedArea(const Image& a, const Image& b) {
    int minX = a.width, minY = a.height, maxX = -1, maxY = -1;
    for (int y = 0; y < a.height; ++y) {
        const Colour* rowA = a.pixels.data() + static_cast<std::size_t>(y) * a.width;
        const Colour* rowB = b.pixels.data() + static_cast<std::size_t>(y) * b.width;
        if (std::equal(rowA, rowA + a.width, rowB)) continue;
        int first = 0, last = a.width - 1;
        while (rowA[first] == rowB[first]) ++first;
        while (rowA[last] == rowB[last]) --last;
        minX = std::min(minX, first);
        maxX = std::max(maxX, last);
        minY = std::min(minY, y);
        maxY = y;
    }
    if (maxY < 0) return {};
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}
constexpr int repaintAfterAskingMs = 250;  // a window manager answers well within this
constexpr int onTopHintMs = 12000;  // long enough to read four lines, then out of the way

// The keys of the twelve commands. Ctrl or Alt held: no command; Shift held: none either,
// but for + and - of the main keyboard. The keypad's + - * / are told apart from the main
// keyboard's by Qt's keypad flag; the other keys count from either block, like the arrows
// of a keypad without NumLock.
std::optional<ClockCommand> commandForKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return std::nullopt;
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    // A laptop has no keypad: its + and - step as well, Shift or not, since many layouts
    // type + with Shift; Page Up and Page Down take the days.
    if (!keypad && key == Qt::Key_Plus) return ClockCommand::StepForward;
    if (!keypad && key == Qt::Key_Minus) return ClockCommand::StepBack;
    if (modifiers.testFlag(Qt::ShiftModifier)) return std::nullopt;
    switch (key) {
        case Qt::Key_Escape: return ClockCommand::Quit;
        case Qt::Key_F12: return ClockCommand::ToggleOnTop;
        case Qt::Key_Home: return ClockCommand::Home;
        case Qt::Key_E: return ClockCommand::OpenSettings;
        case Qt::Key_Up: return ClockCommand::North;
        case Qt::Key_Down: return ClockCommand::South;
        case Qt::Key_Left: return ClockCommand::West;
        case Qt::Key_Right: return ClockCommand::East;
        case Qt::Key_PageUp: return ClockCommand::DayForward;
        case Qt::Key_PageDown: return ClockCommand::DayBack;
        case Qt::Key_Plus: return keypad ? std::optional(ClockCommand::StepForward) : std::nullopt;
        case Qt::Key_Minus: return keypad ? std::optional(ClockCommand::StepBack) : std::nullopt;
        case Qt::Key_Asterisk:
            return keypad ? std::optional(ClockCommand::DayForward) : std::nullopt;
        case Qt::Key_Slash: return keypad ? std::optional(ClockCommand::DayBack) : std::nullopt;
        default: return std::nullopt;
    }
}

DesktopRect desktopRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

ClockWindow::ClockWindow(ClockState& state, const WallClock& clock, const ClockRotaStatus& rota)
    : state_(state), clock_(clock), image_(2 * startRadius, 2 * startRadius), rotaStatus_(rota) {
    setWindowTitle(QStringLiteral("Dorvalen"));
    installClockAccessibility();
    // Keys reach the window itself: it has no other control that could take the focus.
    setFocusPolicy(Qt::StrongFocus);

    setMinimumSize(smallestClientSide, smallestClientSide);
    followScreen();
    resize(2 * startRadius, 2 * startRadius);
    // Qt moves the windows of a removed screen to the primary one, but not into its area.
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] { followScreen(); },
            Qt::QueuedConnection);

    applyAlwaysOnTop(this, state_.settings.alwaysOnTop != 0);

    imageView_ = new ClockImageView(this);
    imageView_->move(0, 0);
    imageView_->onRightClick = [this] { runCommand(ClockCommand::OpenSettings); };

    radius_ = startRadius;
    redraw();

    tickTimer_ = new QTimer(this);
    tickTimer_->setSingleShot(true);
    tickTimer_->setTimerType(Qt::PreciseTimer);
    connect(tickTimer_, &QTimer::timeout, this, [this] { onTick(); });

    // A click on a reminder brings the clock to the front.
    reminders_ = new ShiftReminders(this);
    reminderTimer_ = new QTimer(this);
    reminderTimer_->setSingleShot(true);
    reminderTimer_->setTimerType(Qt::VeryCoarseTimer);
    connect(reminderTimer_, &QTimer::timeout, this, [this] {
        if (hidden_ && !settingsOpen_) remindWhileHidden();
    });
    connect(reminders_, &ShiftReminders::noticeClicked, this, [this] {
        if (isMinimized()) showNormal();
        raise();
        activateWindow();
    });
}

ClockWindow::~ClockWindow() {
    if (exposureWatched_) exposureWatched_->removeEventFilter(this);
    releaseFont(textFont_);
}

void ClockWindow::startTicking() {
    const TickPlan plan = planTick(std::chrono::system_clock::now(), 0);
    lastShownSecond_ = plan.shownSecond;  // the first frame already shows this second
    tickTimer_->start(plan.delayMs);
}

void ClockWindow::redraw() {
    redrawPending_ = false;
    followDevicePixels();
    takeWallClockReading(state_, clock_);
    // The new frame is drawn beside the shown one; only the part that differs is handed on.
    renderClockFace(state_, previousImage_, textFont_, deviceRadius_, view_.showCoordinates,
                    &lastFrame_);
    std::swap(image_, previousImage_);
    const bool sameSize =
        image_.width == previousImage_.width && image_.height == previousImage_.height;
    if (imageView_->shows(image_, pixelRatio_) && sameSize)
        imageView_->showImageArea(image_, changedArea(image_, previousImage_));
    else
        imageView_->showImage(image_, pixelRatio_);
    // The frame before a resize is drawn over whole next time: it takes the new size now, so
    // a window shrunk after a maximise keeps no frame of the large size.
    if (!sameSize) previousImage_.resize(image_.width, image_.height);
    ++redrawCount_;
}

void ClockWindow::redrawForTick() {
    redrawTickFrame();
    announceSpokenFace();
}

void ClockWindow::redrawTickFrame() {
    if (redrawPending_) {  // a command's frame is due anyway
        redraw();
        return;
    }
    followDevicePixels();
    takeWallClockReading(state_, clock_);
    const std::optional<PixelRect> cell = redrawClockTimeOnly(
        state_, image_, textFont_, deviceRadius_, view_.showCoordinates, lastFrame_);
    if (!cell) {
        redraw();
        return;
    }
    imageView_->showImageArea(image_, *cell);
    ++cellRedrawCount_;
}

QString ClockWindow::spokenFace() const {
    ClockState now = state_;  // the frame's own reading stays as it is
    takeWallClockReading(now, clock_);
    return QString::fromStdString(describeFace(Frame(now)));
}

void ClockWindow::announceSpokenFace() {
    if (!QAccessible::isActive()) return;  // nobody listens: not even the words are built
    const std::int64_t minute = state_.now >= 0 ? state_.now / 60 : -1 - (-1 - state_.now) / 60;
    if (minute == spokenMinute_) return;
    spokenMinute_ = minute;
    QString text = spokenFace();
    if (text == spokenText_) return;
    const bool first = spokenText_.isNull();  // what is asked for now needs no announcement
    spokenText_ = std::move(text);
    if (first) return;
    ++spokenFaceChanges_;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void ClockWindow::scheduleRedraw() {
    if (redrawPending_) return;
    redrawPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            // Under the settings dialog the clock waits; its first tick afterwards draws.
            if (redrawPending_ && !settingsOpen_) redraw();
        },
        Qt::QueuedConnection);
}

double ClockWindow::screenPixelRatio() const {
    const double ratio = devicePixelRatioF();
    return isDrawablePixelRatio(ratio) ? ratio : 1.0;  // beyond that Qt scales a 1:1 face
}

// The radius and the font in device pixels follow the logical radius and the screen's
// ratio; the font is made again only when the device radius changes.
void ClockWindow::followDevicePixels() {
    pixelRatio_ = screenPixelRatio();
    const int device = deviceRadiusFor(radius_, pixelRatio_);
    if (device == deviceRadius_ && textFont_.isValid()) return;
    deviceRadius_ = device;
    if (textFont_.isValid()) releaseFont(textFont_);
    textFont_ = loadFont("Arial", textFontPoints(device));
}

// Another screen, or a new ratio of the same screen: redraw at the new size at once.
void ClockWindow::watchScreen() {
    QWindow* window = windowHandle();
    if (window == nullptr || window == watchedWindow_) return;
    watchedWindow_ = window;
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
        watchScreenRatio(screen);
        followScreen();
        redrawForNewRatio();
    });
    watchScreenRatio(window->screen());
}

void ClockWindow::watchScreenRatio(QScreen* screen) {
    disconnect(screenRatioWatch_);
    if (screen == nullptr) return;
    // Qt announces a new device pixel ratio of a screen with its physical dots per inch.
    screenRatioWatch_ = connect(screen, &QScreen::physicalDotsPerInchChanged, this,
                                [this] { redrawForNewRatio(); });
}

// The size limit is the current screen's: a small screen beside a large one caps the clock
// only while it is on the small one. A window whose screen went is brought onto the one it
// now belongs to.
void ClockWindow::followScreen() {
    const QScreen* current = screen();
    if (current == nullptr) return;
    const int side = largestClientSide({{current->size().width(), current->size().height()}});
    if (side != largestSide_) {
        largestSide_ = side;
        setMaximumSize(side, side);  // a smaller limit resizes the window, and the face with it
    }
    if (!isVisible()) return;
    std::vector<DesktopRect> screens;
    for (const QScreen* each : QGuiApplication::screens())
        screens.push_back(desktopRect(each->geometry()));
    const std::optional<DesktopPoint> to =
        placeOnScreens(desktopRect(frameGeometry()), screens,
                       desktopRect(current->availableGeometry()));
    if (to) move(to->x, to->y);
}

void ClockWindow::redrawForNewRatio() {
    // Under the settings dialog the clock stands still; its next tick after it follows.
    if (settingsOpen_ || screenPixelRatio() == pixelRatio_) return;
    redraw();
}

void ClockWindow::onTick() {
    // Out of sight (also a window that was never exposed): the timer stays off until the
    // window is exposed again, and that frame shows the time at once.
    if (hidden_ || (isVisible() && windowHandle() != nullptr && !windowHandle()->isExposed())) {
        hidden_ = resumeTicking_ = true;
        remindWhileHidden();
        return;
    }
    const TickPlan plan = planTick(std::chrono::system_clock::now(), lastShownSecond_);
    tickTimer_->start(plan.delayMs);
    if (!plan.redraw) return;  // woke before the boundary: this second is already shown
    lastShownSecond_ = plan.shownSecond;
    // The settings dialog holds the program: the clock waits (and then shows its changes).
    if (settingsOpen_) return;
    if (repaintOnTick_) update();  // the background beside the image too
    repaintOnTick_ = false;
    redrawForTick();
    reminders_->tick(state_);  // from the wall clock just read, whatever day is displayed
}

void ClockWindow::runCommand(ClockCommand command) {
    // The dialog's loop keeps our keys and clicks away and turns Esc into its Abbruch; this
    // guards the calls that do not come through the event loop.
    if (settingsOpen_) return;
    // Where the desktop keeps windows on top, F12 changes nothing and says once how to.
    if (command == ClockCommand::ToggleOnTop && desktopKeepsOnTop()) {
        sayHowTheDesktopKeepsOnTop();
        return;
    }
    // Home reads the settings file again, and with it the rota file beside it.
    if (command == ClockCommand::Home) reloadClockRota(state_, rotaStatus_);
    const CommandOutcome outcome =
        applyCommand(state_, view_, command, [] { return loadSettings(); });
    if (outcome.quit) {
        close();
        return;
    }
    if (outcome.restack) applyAlwaysOnTop(this, state_.settings.alwaysOnTop != 0);
    if (outcome.openSettings) openSettings();
    if (outcome.redraw) scheduleRedraw();
}

void ClockWindow::sayHowTheDesktopKeepsOnTop() {
    if (saidHowToKeepOnTop_) return;
    saidHowToKeepOnTop_ = true;
    QToolTip::showText(mapToGlobal(rect().center()),
                       QString::fromUtf8(desktopOnTopHint.data(),
                                         static_cast<qsizetype>(desktopOnTopHint.size())),
                       this, QRect(), onTopHintMs);
}

void ClockWindow::openSettings() {
    settingsOpen_ = true;
    openSettingsDialog(this, state_, {}, &rotaStatus_);
    settingsOpen_ = false;
}

void ClockWindow::keyPressEvent(QKeyEvent* event) {
    const std::optional<ClockCommand> command = commandForKey(event->key(), event->modifiers());
    if (!command) {
        QWidget::keyPressEvent(event);
        return;
    }
    // An Esc held down to close the settings dialog repeats into the clock: only a fresh
    // press ends the program.
    if (*command == ClockCommand::Quit && event->isAutoRepeat()) return;
    runCommand(*command);
}

void ClockWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    watchExposure();
    watchScreen();
    followScreen();
    redrawForNewRatio();  // shown on another screen than the one it was made for
}

// Qt tells a native window that it left the screen or came back with an expose event; the
// widgets see none of it, so the clock watches its native window (made again by Qt at times).
void ClockWindow::watchExposure() {
    QWindow* window = windowHandle();
    if (window == nullptr || window == exposureWatched_) return;
    if (exposureWatched_) exposureWatched_->removeEventFilter(this);
    exposureWatched_ = window;
    window->installEventFilter(this);
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == exposureWatched_)
        followExposure(exposureWatched_->isExposed());
    return QWidget::eventFilter(watched, event);
}

// Iconified or on another workspace the clock draws nothing and arms no timer. Back on the
// screen, the frame for the current second is drawn before Qt paints the exposed window.
void ClockWindow::followExposure(bool exposed) {
    if (hidden_ == !exposed) return;
    hidden_ = !exposed;
    if (hidden_) {
        resumeTicking_ = tickTimer_->isActive();
        tickTimer_->stop();
        remindWhileHidden();
        return;
    }
    reminderTimer_->stop();
    if (!resumeTicking_) return;
    resumeTicking_ = false;
    if (!settingsOpen_) redraw();
    startTicking();
}

// Out of sight the reminders still speak up: one wake-up when the next can be due, and at
// least every quarter hour, so a clock step or a resume is caught up soon after.
void ClockWindow::remindWhileHidden() {
    takeWallClockReading(state_, clock_);
    reminders_->tick(state_);
    const std::optional<std::int64_t> wait = reminders_->secondsToNextCheck(state_.now);
    if (!wait) {
        reminderTimer_->stop();
        return;
    }
    reminderTimer_->start(static_cast<int>(std::clamp<std::int64_t>(*wait, 1, 900)) * 1000);
}

void ClockWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    onSizeChanged();
}

// resizeClock resizes the window, which can deliver the next size event while the step is
// still running; such events are taken in turn afterwards, never nested.
void ClockWindow::onSizeChanged() {
    if (imageView_ == nullptr || isMinimized()) return;  // not set up yet, or minimised
    resizePending_ = true;
    if (resizing_) return;
    resizing_ = true;
    while (resizePending_) {
        resizePending_ = false;
        // A size asked for and given is no longer a request: a compositor that repeats the
        // drag's last size when the drag ends (Wayland) has not refused anything.
        if (size() == askedFor_) askedFrom_ = askedFor_ = QSize();
        const int r = clockRadiusFor(width(), height(), largestSide_);
        const QSize wanted = QSize(2 * r, 2 * r).expandedTo(minimumSize()).boundedTo(maximumSize());
        const bool refusedBefore = size() == askedFrom_ && wanted == askedFor_;
        if (size() != wanted && !refusedBefore) {
            askedFrom_ = size();
            askedFor_ = wanted;
            resizeClock(r);
            continue;
        }
        if (!refusedBefore && size() != askedFor_) askedFrom_ = askedFor_ = QSize();
        // A size event that changes nothing (the echo of our own resize, or the first
        // show) leaves the frame as it is.
        const int face = faceRadiusFor(r, width(), height());
        if (face != radius_ || image_.width != 2 * deviceRadiusFor(face, screenPixelRatio()))
            showFaceAt(face);
    }
    resizing_ = false;
}

void ClockWindow::resizeClock(int r) {
    // Keeps the top-left corner; the size limits apply. A maximised window keeps the size
    // the window manager gave it (asking again would only be refused, over and over).
    // The request goes to the native window: the widget keeps its size until the window
    // system reports the new one, so a refused request cannot leave it believing in a size
    // the screen does not have (and painting only that much of the window).
    if (!isMaximized() && !isFullScreen()) {
        const QSize wanted = QSize(2 * r, 2 * r).expandedTo(minimumSize()).boundedTo(maximumSize());
        if (windowHandle() != nullptr) {
            windowHandle()->resize(wanted);
            // Until the answer comes, Qt puts on the screen no more than the asked size; a
            // refusal comes without any event, so the whole window is painted again soon.
            QTimer::singleShot(repaintAfterAskingMs, this, [this] { update(); });
            repaintOnTick_ = true;
        } else {
            resize(wanted);
        }
    }
    showFaceAt(faceRadiusFor(r, width(), height()));
}

void ClockWindow::showFaceAt(int r) {
    radius_ = r;
    redraw();  // the image and the font take the new device radius
}

void ClockWindow::closeEvent(QCloseEvent* event) {
    // The dialog's loop turns our close button into its Abbruch; no other close may end
    // the program under an open dialog.
    if (settingsOpen_) {
        event->ignore();
        return;
    }
    event->accept();
    tickTimer_->stop();
    emit quitRequested();
}

int runClockWindow(ClockState& state, const WallClock& clock) {
    // Leftovers of a save that was killed half way; the file itself is whole either way.
    removeStaleTemporaries(settingsFileName);
    state.settings = loadSettings();
    ClockRotaStatus rota;
    reloadClockRota(state, rota);
    ClockWindow window(state, clock, rota);
    QEventLoop loop;
    QObject::connect(&window, &ClockWindow::quitRequested, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    window.show();
    window.startTicking();
    loop.exec();
    return 0;
}

}  // namespace dorvalen
