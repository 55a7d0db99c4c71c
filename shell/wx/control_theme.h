// The look of the standard controls, through GTK style providers that apply
// to every present and later window.
#pragma once

namespace peiseqi::wx {

class ControlTheme {
  public:
    ControlTheme() = default;
    ~ControlTheme();
    ControlTheme(const ControlTheme&) = delete;
    ControlTheme& operator=(const ControlTheme&) = delete;

    // The classic desktop text size for every control, so captions fit the
    // sizes the layouts give; installed before the first window exists.
    void install_base();
    // The compact XP-like look; scheme 0 switches it off again.
    void apply(int scheme);

  private:
    void* base_ = nullptr;
    void* theme_ = nullptr;
};

}  // namespace peiseqi::wx
