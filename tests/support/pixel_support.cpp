#include "tests/support/pixel_support.h"

#include "canvas/image_hash.h"
#include "canvas/qimage_view.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>


namespace dorvalen::test {

std::string dumpImage(const Image& image, const std::string& name) {
    const std::string path = name + ".png";
    qImageView(image).convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(path));
    return path;
}

void expectFrameHash(const Image& image, const std::string& name, std::uint64_t stored) {
    const std::uint64_t actual = imageHash(image);
    const char* update = std::getenv("DORVALEN_UPDATE_HASHES");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        std::printf("frame hash %s: 0x%016llxu\n", name.c_str(),
                    static_cast<unsigned long long>(actual));
        return;
    }
    if (actual != stored)
        ADD_FAILURE() << "frame " << name << " changed: hash 0x" << std::hex << actual
                      << ", see " << dumpImage(image, name)
                      << " (DORVALEN_UPDATE_HASHES=1 prints the new hashes)";
}

}  // namespace dorvalen::test
