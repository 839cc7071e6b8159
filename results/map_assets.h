// The committed map of Europe and its state mask, as PNG bytes built into the program.
#pragma once

#include <cstddef>

namespace brindora::mapassets {

extern const unsigned char kMap[];
extern const std::size_t kMapSize;
extern const unsigned char kMask[];
extern const std::size_t kMaskSize;

} // namespace brindora::mapassets
