// A colour picker: a button showing its colour that drops down the palette,
// which ends with an entry opening the system colour dialog.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include <wx/button.h>

#include "shell/windowing_services.h"

namespace peiseqi::wx {

class ColourPicker : public wxButton {
  public:
    ColourPicker(wxWindow* parent, const wxPoint& position, const wxSize& size,
                 std::span<const Colour> palette, Colour initial);

    Colour colour() const { return colour_; }
    void set_colour(Colour colour);
    // Runs on every confirmed choice, also of the colour already shown.
    void on_chosen(std::function<void()> handler) { chosen_ = std::move(handler); }

    // The drop-down's geometry, for the swatches' places on the screen.
    static constexpr int swatch_size = 18;
    static constexpr int swatch_step = 20;
    static constexpr int padding = 3;
    static constexpr int columns = 7;

  private:
    void open_palette();
    void choose(Colour colour);
    void open_colour_dialog();
    void redraw();

    std::vector<Colour> palette_;
    wxWindow* popup_ = nullptr;
    Colour colour_;
    std::function<void()> chosen_;
};

}  // namespace peiseqi::wx
