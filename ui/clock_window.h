// The clock window and its event loop: size rules, keyboard and mouse commands, the
// once-a-second redraw aligned to the wall clock's second boundary.
//   1. runClockWindow loads the settings, builds a ClockWindow and runs the loop.
//   2. Every tick: takeWallClockReading; when the frame's plan is the last frame's, only
//      the clock time's cell is redrawn (redrawClockTimeOnly), else renderClockFace draws
//      the whole frame; the part of the image that changed is shown.
//   3. Keys become ClockCommands (core/commands.h); a size change runs resizeClock.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "core/clock_state.h"
#include "face/face_render.h"
#include "core/commands.h"
#include "canvas/canvas.h"
#include "core/wall_clock.h"
#include "ui/clock_rota.h"

class QScreen;
class QTimer;
class QWindow;

namespace dorvalen {

class ClockImageView;
class ShiftReminders;

// The one clock window. Owns the image, the dial font, the radius and the coordinates
// flag; the settings and the displayed day stay in the ClockState it was given.
class ClockWindow : public QWidget {
    Q_OBJECT

public:
    // Sets up window, limits, stacking, image, font and the first frame; does not show the
    // window and does not start the timer.
    // `rota` says how the rota in state.rotaFile was read (for the dialog).
    ClockWindow(ClockState& state, const WallClock& clock, const ClockRotaStatus& rota = {});
    ~ClockWindow() override;

    // Starts the once-a-second redraw.
    void startTicking();

    // The resize step: client 2r x 2r (keeping the top-left corner), then a redraw. When
    // the window manager keeps the client area smaller, the face takes the radius that fits
    // it. The image is drawn in device pixels: its radius is the face's radius times the
    // screen's pixel ratio, rounded, with a dial font of truncToInt(device radius / 14.5)
    // points.
    void resizeClock(int r);

    // What a key press or a right click would do, for the loop and its tests.
    void runCommand(ClockCommand command);

    int clockRadius() const { return radius_; }
    const ClockRotaStatus& rotaStatus() const { return rotaStatus_; }
    int deviceRadius() const { return deviceRadius_; }
    double pixelRatio() const { return pixelRatio_; }
    const Image& clockImage() const { return image_; }
    bool showCoordinates() const { return view_.showCoordinates; }
    int largestSide() const { return largestSide_; }
    // Full frames drawn, and ticks that redrew only the clock time's text cell.
    std::int64_t redrawCount() const { return redrawCount_; }
    std::int64_t cellRedrawCount() const { return cellRedrawCount_; }
    // F12 where the desktop keeps windows on top: it has said how, once.
    bool saidHowToKeepOnTop() const { return saidHowToKeepOnTop_; }

    // The tick's redraw: only the clock time's cell when the seconds are all that changed,
    // else the full frame. Then, while an assistive technology listens, the words of the face
    // are compared once a minute and a change is announced.
    void redrawForTick();

    // The face in words at this moment (face/spoken_face.h), built on every call.
    QString spokenFace() const;
    // Changes of those words announced to assistive technologies so far.
    int spokenFaceChanges() const { return spokenFaceChanges_; }

signals:
    // Esc or Close: the loop ends, nothing is saved.
    void quitRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void redraw();
    // A command's redraw, coalesced: every command already queued is applied first, then
    // one frame is drawn when the event loop comes round.
    void scheduleRedraw();
    void onTick();
    void onSizeChanged();
    void openSettings();
    void sayHowTheDesktopKeepsOnTop();
    void redrawTickFrame();
    void announceSpokenFace();
    void showFaceAt(int radius);
    double screenPixelRatio() const;
    void followDevicePixels();
    void watchScreen();
    void watchScreenRatio(QScreen* screen);
    void redrawForNewRatio();
    void followScreen();
    void watchExposure();
    void followExposure(bool exposed);
    void remindWhileHidden();

    ClockState& state_;
    const WallClock& clock_;
    Image image_;           // the frame on the screen
    Image previousImage_;   // the frame before it, drawn into next and swapped in
    Font textFont_;
    int radius_ = 200;
    int deviceRadius_ = 0;
    double pixelRatio_ = 1.0;
    QPointer<QWindow> watchedWindow_;  // null again if Qt makes a new native window
    QMetaObject::Connection screenRatioWatch_;
    int largestSide_ = 0;
    ClockView view_;
    ClockRotaStatus rotaStatus_;
    ClockImageView* imageView_ = nullptr;
    QTimer* tickTimer_ = nullptr;
    ShiftReminders* reminders_ = nullptr;  // checked after every tick's wall-clock reading
    QTimer* reminderTimer_ = nullptr;  // while hidden: the next moment a reminder can be due
    std::int64_t lastShownSecond_ = 0;
    std::int64_t redrawCount_ = 0;
    std::int64_t cellRedrawCount_ = 0;
    FaceMemory lastFrame_;
    bool redrawPending_ = false;
    bool resizing_ = false;
    bool resizePending_ = false;
    // The last square client size asked for and the size it was asked from: when the window
    // manager answers with that same size again, it keeps it, and asking again would only
    // start a tug of war with it.
    QSize askedFrom_;
    QSize askedFor_;
    bool repaintOnTick_ = false;  // a size was asked for: paint the whole window once more
    bool settingsOpen_ = false;  // no redraws and no commands while the dialog is open
    bool saidHowToKeepOnTop_ = false;
    // The minute last compared and the words then; a change is announced at most once a
    // minute (Qt would announce even an equal text, so the words are compared here).
    std::int64_t spokenMinute_ = -1;
    QString spokenText_;
    int spokenFaceChanges_ = 0;
    // Iconified or on another workspace: no frame and no timer until it is exposed again.
    QPointer<QWindow> exposureWatched_;
    bool hidden_ = false;
    bool resumeTicking_ = false;  // the timer ran when the window went out of sight
};

// Loads the settings and the rota, opens the window and runs the loop until Esc or Close.
// Needs a QApplication. Returns the process exit code (0).
int runClockWindow(ClockState& state, const WallClock& clock);

}  // namespace dorvalen
