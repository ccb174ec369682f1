// Screenshots of a real window and the two pixel checks the Xvfb test needs, so that
// neither the test nor scripts/screenshot.sh depends on anything beyond Qt.
//   dorvalen-window-shot grab WINDOW_ID OUT.png   grab one X window (decimal id) as PNG
//   dorvalen-window-shot info IMAGE.png [X Y W H]  prints: size W H colours N black B first C
//     (within the rectangle when given: N colours, B pure black pixels, C the first pixel's
//     colour as #rrggbb)
//   dorvalen-window-shot diff A.png B.png X Y W H  prints: changed N inside M
//   dorvalen-window-shot thin IMAGE.png            prints: thin N
// "inside" counts the changed pixels within the rectangle X, Y, W, H. "thin" counts the
// pixels of one-pixel-wide strokes: both horizontal or both vertical neighbours share a
// colour other than the pixel's own. An image scaled up 2:1 has none.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: dorvalen-window-shot grab WINDOW_ID OUT.png\n"
                 "       dorvalen-window-shot info IMAGE.png [X Y W H]\n"
                 "       dorvalen-window-shot diff A.png B.png X Y W H\n"
                 "       dorvalen-window-shot thin IMAGE.png\n");
    return 2;
}

bool load(const char* path, QImage& image) {
    if (!image.load(QString::fromLocal8Bit(path))) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return false;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

int grab(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long long id = std::strtoull(argv[2], &end, 0);
    if (end == argv[2] || *end != '\0' || id == 0) return usage();
    // The window lives in another process on the same X display.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    const QPixmap shot = screen->grabWindow(static_cast<WId>(id));
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "cannot grab window %s into %s\n", argv[2], argv[3]);
        return 1;
    }
    return 0;
}

int info(int argc, char** argv) {
    QImage image;
    if (!load(argv[2], image)) return 1;
    QRect region = image.rect();
    if (argc == 7)
        region = QRect(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                       std::atoi(argv[6])).intersected(image.rect());
    std::set<QRgb> colours;
    long black = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            colours.insert(pixel);
            if (pixel == 0) ++black;
        }
    const QRgb first = region.isEmpty() ? 0 : image.pixel(region.topLeft()) & 0xFFFFFF;
    std::printf("size %d %d colours %zu black %ld first #%06x\n", image.width(), image.height(),
                colours.size(), black, static_cast<unsigned>(first));
    return 0;
}

int diff(char** argv) {
    QImage a;
    QImage b;
    if (!load(argv[2], a) || !load(argv[3], b)) return 1;
    if (a.size() != b.size()) {
        std::fprintf(stderr, "sizes differ\n");
        return 1;
    }
    const QRect region(std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                       std::atoi(argv[7]));
    long changed = 0;
    long inside = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++changed;
                if (region.contains(x, y)) ++inside;
            }
    std::printf("changed %ld inside %ld\n", changed, inside);
    return 0;
}

int thin(char** argv) {
    QImage image;
    if (!load(argv[2], image)) return 1;
    long count = 0;
    for (int y = 1; y + 1 < image.height(); ++y)
        for (int x = 1; x + 1 < image.width(); ++x) {
            const QRgb here = image.pixel(x, y);
            const QRgb left = image.pixel(x - 1, y);
            const QRgb above = image.pixel(x, y - 1);
            if ((left == image.pixel(x + 1, y) && left != here) ||
                (above == image.pixel(x, y + 1) && above != here))
                ++count;
        }
    std::printf("thin %ld\n", count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string mode = argv[1];
    if (mode == "grab" && argc == 4) return grab(argc, argv);
    if (mode == "info" && (argc == 3 || argc == 7)) return info(argc, argv);
    if (mode == "diff" && argc == 8) return diff(argv);
    if (mode == "thin" && argc == 3) return thin(argv);
    return usage();
}
