// Whoever keeps a record of the game is told of each request, each answer and the end.
#pragma once

#include "catalogo.h"

#include <cstdint>
#include <string>

namespace brindora {

using Counter = std::int64_t;

enum class GameEnd { TooManyErrors, Exit, WindowClosed };

struct Answer {
    Counter request;        // richieste when the click came; 0 before the first request
    StateNumber asked;      // stato, 0 before the first draw
    StateNumber clicked;    // the state of the region in front
    std::string regionText; // the text that region shows for a wrong click
    bool right;
};

class GameObserver {
public:
    virtual ~GameObserver() = default;
    // A state has just been drawn, before its voice and its box.
    virtual void requested(Counter request, StateNumber state) = 0;
    // A click on a region, before its verdict box opens.
    virtual void answered(const Answer& answer) = 0;
    // The game ends, before its last box (if any) opens.
    virtual void ended(GameEnd how) = 0;
};

} // namespace brindora
