// A click on the map box, handed from the hit test to the game's judgement.
#pragma once

namespace brindora {

class Game;

// (x, y) in twips of the map box's client area. A region is judged; an inert
// zone or an uncovered point does nothing. Returns whether a region took it.
bool clickMap(Game& game, int x, int y);

} // namespace brindora
