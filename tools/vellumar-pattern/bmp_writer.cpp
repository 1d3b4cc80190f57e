#include "tools/vellumar-pattern/bmp_writer.h"

#include <fstream>

#include "platform/pixels/bmp_encoder.h"

bool writeBmp24(const platform::Surface& surface, const std::string& path) {
    const std::vector<std::byte> bytes = platform::encodeBmp24(surface);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
