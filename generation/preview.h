// The preview: the skin's head, the stylesheet and the sample page body,
// shown in the main window's browser view through a temporary css.html.
#pragma once

#include <string>

namespace peiseqi {

struct Program;

enum class BaseSkinId { sky_blue, grass_green, pink, black_white, goose_yellow };

// The head text of a skin (GBK).
const std::string& skin_head(BaseSkinId skin);

// PageBody: closes the style block and the head and holds the sample markup
// the stylesheet's selectors address (GBK). It starts with two line ends.
const std::string& page_body();

// Remembers the stylesheet as last_stylesheet, writes, shows and deletes the page.
void show_preview(Program& program, const std::string& stylesheet);
// build_stylesheet, then show_preview.
void regenerate(Program& program);
// current_skin_head becomes the skin's head; then regenerate.
void select_skin(Program& program, BaseSkinId skin);

}  // namespace peiseqi
