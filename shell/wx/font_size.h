// Fonts sized the way the layouts give them: by character height in pixels.
#pragma once

#include <wx/font.h>

namespace peiseqi::wx {

// `base` with an em height of `pixels` on this screen. wx's own pixel size
// means the whole line height, which comes out a few pixels smaller.
wxFont with_character_height(const wxFont& base, int pixels);

// The named face (UTF-8) at that height, normal weight. A face that is not
// installed is kept by name, so fontconfig falls back to one that is.
wxFont named_font(const wxString& face, int pixels, const wxFont& base);

}  // namespace peiseqi::wx
