// A label whose caption is drawn twice: white at its place, then black one
// pixel right and down, which reads as engraved on the window.
#pragma once

#include <wx/window.h>

#include "shell/window_layout.h"

namespace peiseqi::wx {

class ShadowLabel : public wxWindow {
  public:
    ShadowLabel(wxWindow* parent, const wxPoint& position, const wxSize& size,
                const wxString& caption, const ControlSettings& settings);

    void SetLabel(const wxString& caption) override;
    wxString GetLabel() const override { return caption_; }

  private:
    void on_paint(wxPaintEvent& event);

    wxString caption_;
    HorizontalAlignment alignment_;
    bool vertically_centred_;
    bool shadowed_;
};

}  // namespace peiseqi::wx
