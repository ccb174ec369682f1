#include "tests/support/test_support.h"

#include <QImage>

#include "face/calendar.h"

namespace dorvalen::test {

ClockState stateAt(int year, int month, int day, int hour, int minute, int second) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, minute, second);
    return state;
}

std::string dumpImage(const Image& image, const std::string& name) {
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.pixel(x, y);
            out.setPixel(x, y, qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    const std::string path = name + ".png";
    out.save(QString::fromStdString(path));
    return path;
}

}  // namespace dorvalen::test
