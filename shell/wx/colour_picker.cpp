#include "shell/wx/colour_picker.h"

#include <wx/bitmap.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/popupwin.h>

namespace peiseqi::wx {
namespace {

wxColour to_wx(Colour colour) {
    wxColour result;
    result.SetRGB(colour & 0x00FFFFFFu);
    return result;
}

Colour from_wx(const wxColour& colour) {
    return static_cast<Colour>(colour.Red()) | (static_cast<Colour>(colour.Green()) << 8) |
           (static_cast<Colour>(colour.Blue()) << 16);
}

class Swatch : public wxWindow {
  public:
    Swatch(wxWindow* parent, const wxPoint& position, Colour colour,
           std::function<void(Colour)> picked)
        : wxWindow(parent, wxID_ANY, position,
                   wxSize(ColourPicker::swatch_size, ColourPicker::swatch_size), wxBORDER_NONE),
          colour_(colour),
          picked_(std::move(picked)) {
        Bind(wxEVT_PAINT, &Swatch::on_paint, this);
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { picked_(colour_); });
    }

  private:
    void on_paint(wxPaintEvent&) {
        wxPaintDC dc(this);
        dc.SetPen(wxPen(wxColour(0x80, 0x80, 0x80)));
        dc.SetBrush(wxBrush(to_wx(colour_)));
        dc.DrawRectangle(GetClientSize());
    }

    Colour colour_;
    std::function<void(Colour)> picked_;
};

class PalettePopup : public wxPopupTransientWindow {
  public:
    PalettePopup(wxWindow* parent, const std::vector<Colour>& palette,
                 std::function<void(Colour)> picked, std::function<void()> more)
        : wxPopupTransientWindow(parent, wxBORDER_SIMPLE) {
        constexpr int step = ColourPicker::swatch_step;
        constexpr int pad = ColourPicker::padding;
        constexpr int columns = ColourPicker::columns;
        const int rows = (static_cast<int>(palette.size()) + columns - 1) / columns;
        const int width = 2 * pad + columns * step - (step - ColourPicker::swatch_size);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const int column = static_cast<int>(i) % columns;
            const int row = static_cast<int>(i) / columns;
            new Swatch(this, wxPoint(pad + column * step, pad + row * step), palette[i],
                       [this, picked](Colour colour) {
                           Dismiss();
                           picked(colour);
                       });
        }
        const int more_top = pad + rows * step;
        auto* button = new wxButton(this, wxID_ANY, wxString::FromUTF8("其它颜色..."),
                                    wxPoint(pad, more_top), wxSize(width - 2 * pad, 22));
        button->Bind(wxEVT_BUTTON, [this, more](wxCommandEvent&) {
            Dismiss();
            more();
        });
        SetClientSize(width, more_top + 22 + pad);
    }
};

}  // namespace

ColourPicker::ColourPicker(wxWindow* parent, const wxPoint& position, const wxSize& size,
                           std::span<const Colour> palette, Colour initial)
    : wxButton(parent, wxID_ANY, wxString(), position, size),
      palette_(palette.begin(), palette.end()),
      colour_(initial) {
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { open_palette(); });
    redraw();
}

void ColourPicker::set_colour(Colour colour) {
    colour_ = colour & 0x00FFFFFFu;
    redraw();
}

void ColourPicker::redraw() {
    const wxSize area = GetSize();
    const int width = std::max(8, area.x - 8);
    const int height = std::max(6, area.y - 8);
    wxBitmap bitmap(width, height);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        const int arrow = 7;
        dc.SetPen(wxPen(wxColour(0x40, 0x40, 0x40)));
        dc.SetBrush(wxBrush(to_wx(colour_)));
        dc.DrawRectangle(0, 0, width - arrow - 3, height);
        dc.SetBrush(*wxBLACK_BRUSH);
        dc.SetPen(*wxBLACK_PEN);
        const int ax = width - arrow;
        const int ay = height / 2 - 1;
        const wxPoint triangle[] = {{ax, ay}, {ax + arrow - 1, ay}, {ax + arrow / 2, ay + 3}};
        dc.DrawPolygon(3, triangle);
    }
    SetBitmap(bitmap);
}

void ColourPicker::open_palette() {
    // One drop-down at a time; the last one stays hidden until the next.
    if (popup_ != nullptr) {
        popup_->Destroy();
    }
    auto* popup = new PalettePopup(
        this, palette_, [this](Colour colour) { CallAfter([this, colour] { choose(colour); }); },
        [this] { CallAfter([this] { open_colour_dialog(); }); });
    popup->Position(ClientToScreen(wxPoint(0, 0)), wxSize(0, GetSize().y));
    popup->Popup();
    popup_ = popup;
}

void ColourPicker::choose(Colour colour) {
    set_colour(colour);
    if (chosen_) {
        chosen_();
    }
}

void ColourPicker::open_colour_dialog() {
    wxColourData data;
    data.SetColour(to_wx(colour_));
    data.SetChooseFull(true);
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) {
        choose(from_wx(dialog.GetColourData().GetColour()));
    }
}

}  // namespace peiseqi::wx
