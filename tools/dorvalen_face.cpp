// dorvalen-face: the frame the clock would show with its wall clock at a given local
// date-time (displayedDay 0), rendered without a display and written as PNG.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "core/clock_state.h"
#include "core/window_rules.h"
#include "canvas/qimage_view.h"
#include "face/face_render.h"
#include "canvas/canvas.h"
#include "settings/files.h"
#include "tools/tool_arguments.h"
#include "tools/version_option.h"

namespace {

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "dorvalen-face: %s\n", message.c_str());
    return code;
}

// Where the picture goes. A regular file (or a link to one) is replaced whole, so a failed
// write leaves no half-written picture; a FIFO or a character device is written as it is
// and never replaced by a file; "-" is standard output.
enum class Destination { Stdout, ReplaceFile, InPlace };

QByteArray encodePng(const dorvalen::Image& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!dorvalen::qImageView(image).convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG"))
        return {};
    return png;
}

bool writeOut(const QByteArray& png, Destination destination, const std::string& path) {
    if (png.isEmpty()) return false;
    const std::string_view bytes(png.constData(), static_cast<std::size_t>(png.size()));
    switch (destination) {
        case Destination::Stdout:
            return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                   std::fflush(stdout) == 0;
        case Destination::ReplaceFile:
            return dorvalen::replaceFileContents(path, bytes).ok;
        case Destination::InPlace:
            return dorvalen::writeInPlace(path, bytes).ok;
    }
    return false;
}

int render(int argc, char** argv, const dorvalen::FaceOptions& options,
           const dorvalen::ShiftRota& rota, const dorvalen::ClockSettings& settings,
           Destination destination) {
    using namespace dorvalen;
    // Our own arguments are parsed already; Qt sees only the program name.
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication app(qtArgc, argv);

    ClockState state;
    state.settings = settings;
    state.now = options.at;
    state.displayedDay = 0.0;
    state.rotaFile = rota.file();
    // A square client of side `size` on a screen of ratio `scale`: the window's own radius
    // and font rules, in device pixels.
    const int r = deviceRadiusFor(clockRadiusFor(options.size, options.size, largestClientSideCap),
                                  options.scale);
    Font font = loadFont("Arial", textFontPoints(r));
    Image image;
    renderClockFace(state, image, font, r, options.showCoordinates);
    releaseFont(font);
    if (!writeOut(encodePng(image), destination, options.outPath))
        return fail(exitFailed, "Bild nicht geschrieben: " + options.outPath);
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
    const Parsed<ShiftRota> rota =
        loadToolRota(parsed.options->rotaPath, parsed.options->settingsPath);
    if (!rota.options) return fail(exitBadArguments, rota.error);

    // Judged before Qt starts, so a bad path is one line of our own and nothing else.
    const std::string& outPath = parsed.options->outPath;
    Destination destination = Destination::Stdout;
    if (outPath != "-") {
        switch (pathKindOf(outPath)) {
            case PathKind::Missing:
            case PathKind::Regular:
                if (!folderIsWritable(outPath))
                    return fail(exitBadArguments, "Bild nicht schreibbar: " + outPath);
                destination = Destination::ReplaceFile;
                break;
            case PathKind::Fifo:
            case PathKind::CharDevice:
                destination = Destination::InPlace;
                break;
            case PathKind::Directory:
            case PathKind::Other:
                return fail(exitBadArguments,
                            "Bild nicht schreibbar, keine gewöhnliche Datei: " + outPath);
        }
    }

    // No display needed: Qt only rasterises the glyphs into our own image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    try {
        return render(argc, argv, *parsed.options, *rota.options, *settings.options, destination);
    } catch (const std::bad_alloc&) {
        // The largest faces (side 32000) need several gigabytes.
        return fail(exitFailed, "zu wenig Speicher für ein Bild dieser Größe");
    }
}
