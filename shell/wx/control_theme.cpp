#include "shell/wx/control_theme.h"

#include <gtk/gtk.h>

namespace peiseqi::wx {
namespace {

// Above the theme and the settings, below the providers wx gives a single
// control (an explicit font or background colour must still win).
constexpr guint base_priority = GTK_STYLE_PROVIDER_PRIORITY_SETTINGS + 1;
constexpr guint theme_priority = GTK_STYLE_PROVIDER_PRIORITY_APPLICATION - 1;

// Set on the windows only: a rule on every node would beat the font that a
// single control is given, since its caption inherits from it.
constexpr const char* base_css = "window, dialog, messagedialog { font-size: 12px; }\n";

// GTK's default paddings and minimum sizes leave no room for a caption in a
// 32 x 20 button or for the text of a 64 x 20 entry; these fit.
constexpr const char* blue_css = R"css(
window, window.background, dialog { background-color: #ece9d8; }
button {
    padding: 0px 1px; min-height: 0px; min-width: 0px;
    border: 1px solid #003c74; border-radius: 3px;
    background-image: linear-gradient(to bottom, #ffffff, #f3f3ef 45%, #e6e5de 85%, #d6d0c5);
    color: #000000; box-shadow: none; text-shadow: none; outline-offset: -3px;
}
button:hover {
    border-color: #003c74;
    box-shadow: inset 0px -1px 0px 1px #f8b330, inset 0px 1px 0px 1px #ffe7a2;
}
button:active, button:checked {
    background-image: linear-gradient(to bottom, #e5e4dd, #e3e2da 40%, #f1f1ed);
}
button:disabled { border-color: #c9c7ba; color: #a19e8f; background-image: none; background-color: #f5f4ea; }
button:focus { box-shadow: inset 0px -1px 0px 1px #7da2ce, inset 0px 1px 0px 1px #cee7ff; }
entry {
    padding: 0px 2px; min-height: 18px; min-width: 0px;
    border: 1px solid #7f9db9; border-radius: 0px; box-shadow: none;
    color: #000000;
}
entry:focus { border-color: #7f9db9; box-shadow: none; }
textview, textview text { color: #000000; }
scrolledwindow.frame, scrolledwindow > .frame { border: 1px solid #7f9db9; border-radius: 0px; }
radiobutton { padding: 0px; min-height: 0px; }
radiobutton radio {
    min-width: 11px; min-height: 11px; margin: 0px 3px 0px 0px; padding: 0px;
    border: 1px solid #1c5180; border-radius: 7px;
    background-image: linear-gradient(to bottom right, #dcdcd7, #ffffff);
    color: #21a121; -gtk-icon-shadow: none; box-shadow: none;
}
frame > border { border: 1px solid #d0d0bf; border-radius: 3px; }
frame > label { color: #0046d5; }
notebook > header { padding: 0px; border-width: 0px; background-color: #ece9d8; }
notebook > header > tabs > tab {
    padding: 1px 7px; min-height: 0px; min-width: 0px; margin: 0px;
    border: 1px solid #919b9c; border-bottom-width: 0px; border-radius: 3px 3px 0px 0px;
    background-image: linear-gradient(to bottom, #ffffff, #ecebe5);
    color: #000000;
}
notebook > header > tabs > tab:checked {
    background-image: none; background-color: #fcfcfe;
    border-top: 2px solid #e68b2c;
}
notebook > stack:not(:only-child) { background-color: #fcfcfe; border: 1px solid #919b9c; }
)css";

GtkCssProvider* install(const char* css, guint priority) {
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr) {
        return nullptr;
    }
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider), priority);
    return provider;
}

void uninstall(void*& provider) {
    GdkScreen* screen = gdk_screen_get_default();
    if (provider != nullptr && screen != nullptr) {
        gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider));
    }
    if (provider != nullptr) {
        g_object_unref(provider);
    }
    provider = nullptr;
}

}  // namespace

ControlTheme::~ControlTheme() {
    uninstall(theme_);
    uninstall(base_);
}

void ControlTheme::install_base() {
    if (base_ == nullptr) {
        base_ = install(base_css, base_priority);
    }
}

void ControlTheme::apply(int scheme) {
    uninstall(theme_);
    if (scheme != 0) {
        theme_ = install(blue_css, theme_priority);
    }
}

}  // namespace peiseqi::wx
