#include "game/text.h"

namespace game {

void drawText(gfx::DrawingContext& context, int x, int y, std::uint32_t colour, const char* text) {
    gfx::setTextColour(context, colour);
    gfx::textOut(context, x, y, text);
}

} // namespace game
