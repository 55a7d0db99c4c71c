#include "shell/wx/font_size.h"

#include <gtk/gtk.h>

namespace peiseqi::wx {
namespace {

double points_for(int pixels) {
    GdkScreen* screen = gdk_screen_get_default();
    double resolution = screen != nullptr ? gdk_screen_get_resolution(screen) : -1.0;
    if (resolution <= 0) {
        resolution = 96.0;
    }
    return pixels * 72.0 / resolution;
}

}  // namespace

wxFont with_character_height(const wxFont& base, int pixels) {
    wxFont font = base;
    font.SetFractionalPointSize(points_for(pixels));
    return font;
}

wxFont named_font(const wxString& face, int pixels, const wxFont& base) {
    const double points = pixels > 0 ? points_for(pixels) : base.GetFractionalPointSize();
    // wx refuses a face fontconfig does not list; Pango takes any name.
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, face.utf8_str());
    pango_font_description_set_weight(description, PANGO_WEIGHT_NORMAL);
    pango_font_description_set_size(description, static_cast<gint>(points * PANGO_SCALE));
    gchar* text = pango_font_description_to_string(description);
    wxFont font;
    const bool made = font.SetNativeFontInfo(wxString::FromUTF8(text));
    g_free(text);
    pango_font_description_free(description);
    return made && font.IsOk() ? font : with_character_height(base, pixels);
}

}  // namespace peiseqi::wx
