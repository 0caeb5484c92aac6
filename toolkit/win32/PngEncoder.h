// PNG files through the system's imaging component (WIC), bound the first time a picture is
// encoded: start-up does not load it.
#pragma once

#include <cstdint>
#include <vector>

namespace zelvora {

// The PNG of `width` x `height` pixels, 0x00RRGGBB row after row from the top. Throws
// std::runtime_error naming the step that failed.
std::vector<std::uint8_t> EncodePng(const std::uint32_t* pixels, int width, int height);

}  // namespace zelvora
