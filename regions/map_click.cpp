// Glue between the hit test and the answer judgement.
#include "map_click.h"

#include "game.h"
#include "region_table.h"

#include <string>

namespace brindora {

bool clickMap(Game& game, int x, int y) {
    const Hit hit = hitTest(x, y);
    if (hit.region == nullptr)
        return false;
    game.judge(hit.region->state, std::string(hit.region->wrongText));
    return true;
}

} // namespace brindora
