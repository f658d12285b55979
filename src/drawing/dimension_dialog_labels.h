// The texts drawn on the two dimension dialogs: each row's label (a ditto row repeats
// the word above with a pair of quotes) and the two prompts under the rows. They are
// drawn, not widgets, at places laid out for the small font and moved out with the
// large one.
#pragma once

#include <span>
#include <string_view>

#include "canvas/canvas.h"
#include "model/text_scale.h"

namespace quarn {

struct DialogLabel {
    int x = 0, y = 0;  // for the small font; the text scale moves them
    std::string_view text;
};

std::span<const DialogLabel> frameDialogLabels();     // rows 1..30, then the prompts
std::span<const DialogLabel> cylinderDialogLabels();  // top to bottom, left then right

// Black text on the dialog's own background.
void drawDialogLabels(Canvas& canvas, const TextScale& scale, std::span<const DialogLabel> labels);

}  // namespace quarn
