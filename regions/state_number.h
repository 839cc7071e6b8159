// A state's number: its row in the catalogue, 1 to 29; 0 while none has been drawn.
#pragma once

#include <cstdint>

namespace brindora {

using StateNumber = std::int16_t;

} // namespace brindora
