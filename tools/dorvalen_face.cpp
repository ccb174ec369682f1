// dorvalen-face: the frame the clock would show with its wall clock at a given local
// date-time (displayedDay 0), rendered without a display and written as PNG.
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "core/clock_state.h"
#include "core/window_rules.h"
#include "canvas/qimage_view.h"
#include "face/face_render.h"
#include "canvas/canvas.h"
#include "tools/tool_arguments.h"
#include "tools/version_option.h"

namespace {

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "dorvalen-face: %s\n", message.c_str());
    return code;
}

bool writePng(const dorvalen::Image& image, QSaveFile& file) {
    if (!dorvalen::qImageView(image).convertToFormat(QImage::Format_RGB32).save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int render(int argc, char** argv, const dorvalen::FaceOptions& options,
           const dorvalen::ClockSettings& settings, QSaveFile& out) {
    using namespace dorvalen;
    // Our own arguments are parsed already; Qt sees only the program name.
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication app(qtArgc, argv);

    ClockState state;
    state.settings = settings;
    state.now = options.at;
    state.displayedDay = 0.0;
    // A square client of side `size` on a screen of ratio `scale`: the window's own radius
    // and font rules, in device pixels.
    const int r = deviceRadiusFor(clockRadiusFor(options.size, options.size, largestClientSideCap),
                                  options.scale);
    Font font = loadFont("Arial", textFontPoints(r));
    Image image;
    renderClockFace(state, image, font, r, options.showCoordinates);
    releaseFont(font);
    if (!writePng(image, out)) return fail(exitFailed, "Bild nicht geschrieben: " + options.outPath);
    return exitOk;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace dorvalen;
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto code = answerVersion(args, "dorvalen-face")) return *code;
    const Parsed<FaceOptions> parsed = parseFaceArguments(args);
    if (!parsed.options) return fail(exitBadArguments, parsed.error);
    if (parsed.options->help) {
        std::fputs(faceUsage, stdout);
        return exitOk;
    }
    const Parsed<ClockSettings> settings = loadToolSettings(parsed.options->settingsPath);
    if (!settings.options) return fail(exitBadArguments, settings.error);

    // Opened before Qt starts, so a bad path is one line of our own and nothing else.
    // QSaveFile writes beside the target and renames on commit: a failed write leaves no
    // half-written picture behind.
    QSaveFile out(QString::fromLocal8Bit(parsed.options->outPath.c_str()));
    if (!out.open(QIODevice::WriteOnly))
        return fail(exitBadArguments, "Bild nicht schreibbar: " + parsed.options->outPath);

    // No display needed: Qt only rasterises the glyphs into our own image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    try {
        return render(argc, argv, *parsed.options, *settings.options, out);
    } catch (const std::bad_alloc&) {
        // The largest faces (side 32000) need several gigabytes.
        return fail(exitFailed, "zu wenig Speicher für ein Bild dieser Größe");
    }
}
