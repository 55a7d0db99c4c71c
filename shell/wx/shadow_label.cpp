#include "shell/wx/shadow_label.h"

#include <wx/dcclient.h>

#include "shell/wx/font_size.h"

namespace peiseqi::wx {

ShadowLabel::ShadowLabel(wxWindow* parent, const wxPoint& position, const wxSize& size,
                         const wxString& caption, const ControlSettings& settings)
    : wxWindow(parent, wxID_ANY, position, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      caption_(caption),
      alignment_(settings.alignment),
      vertically_centred_(settings.vertically_centred),
      shadowed_(settings.shadowed_caption) {
    // The classic desktop size, as the style gives every other caption.
    SetFont(with_character_height(GetFont(), 12));
    Bind(wxEVT_PAINT, &ShadowLabel::on_paint, this);
}

void ShadowLabel::SetLabel(const wxString& caption) {
    caption_ = caption;
    Refresh();
}

void ShadowLabel::on_paint(wxPaintEvent& /*event*/) {
    wxPaintDC dc(this);
    dc.SetFont(GetFont());
    const wxSize area = GetClientSize();
    const wxSize text = dc.GetTextExtent(caption_);
    // The shadow needs one pixel beside and below the caption.
    const int room = shadowed_ ? 1 : 0;
    int x = 0;
    if (alignment_ == HorizontalAlignment::right) {
        x = area.x - text.x - room;
    } else if (alignment_ == HorizontalAlignment::centre) {
        x = (area.x - text.x - room) / 2;
    }
    const int y = vertically_centred_ ? (area.y - text.y - room) / 2 : 0;
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (shadowed_) {
        dc.SetTextForeground(*wxWHITE);
        dc.DrawText(caption_, x, y);
    }
    dc.SetTextForeground(*wxBLACK);
    dc.DrawText(caption_, x + room, y + room);
}

}  // namespace peiseqi::wx
