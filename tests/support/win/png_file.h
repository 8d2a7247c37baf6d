// Writes 8-bit RGB images as PNG files (zlib for the image data and the CRCs).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windowtest {

// `rgb` holds width * height * 3 bytes, rows from the top. The file is
// written beside its name and renamed when complete.
void writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
// The PNG bytes of the image.
std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace windowtest
