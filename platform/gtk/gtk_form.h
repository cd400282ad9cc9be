// The toolbar's GTK widgets, built from a FormLayout: a hidden owner window
// that bears the caption too (so that a running instance shows two matching
// windows, as on Windows), the override-redirect popup, its picture panels
// and push button, and its timers. The handlers see them through FormWindow;
// GDK events, translated, go to the form's input.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/form_input.h"
#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/pixel_form_window.h"

namespace brumelis {

// Where GDK's event state keeps the buttons (X numbers the middle button 2,
// the right one 3) and the modifiers.
inline constexpr NativeStateBits kGdkStateBits{GDK_BUTTON1_MASK, GDK_BUTTON3_MASK, GDK_BUTTON2_MASK,
                                               GDK_SHIFT_MASK,   GDK_CONTROL_MASK, GDK_MOD1_MASK};

class GtkForm final : public PixelFormWindow, private PointerCapture {
public:
    // Creates and realizes every window, unmapped, the toolbar placed as
    // `placement` does it; throws std::runtime_error when an image cannot be
    // decoded. The toolkit reports the handlers' failures.
    GtkForm(const FormLayout& layout, FormToolkit& toolkit,
            std::unique_ptr<ToplevelPlacement> placement);
    ~GtkForm() override;
    GtkForm(const GtkForm&) = delete;
    GtkForm& operator=(const GtkForm&) = delete;

    FormInput& Input() { return input_; }
    GtkWidget* Toolbar() const { return toolbar_; }
    GtkWidget* Owner() const { return owner_; }
    // The widget of a control: its event box, or the button.
    GtkWidget* WidgetOf(ControlId control) const;
    void StartTimers();
    void StopTimers();
    // Mapped without taking the input focus (an override-redirect window,
    // a layer surface without keyboard).
    void Show();

    WindowHandle Handle() const override;
    Text Caption() const override;
    void SetEnabled(bool enabled) override;
    void StayAbove() override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
    void SetAccessibleValue(ControlId slider, int percent) override;
    void SetTimerRunning(ControlId timer, bool running) override;

private:
    // One control with a widget: a picture panel (an event box holding a
    // fixed container for its children) or a push button.
    struct Control {
        ControlId id = kFormWindowId;
        GtkForm* form = nullptr;
        GtkWidget* widget = nullptr;
        GtkWidget* children = nullptr;  // where the control's children go
    };
    struct Timer {
        ControlId id;
        GtkForm* form;
        guint source;  // 0 while stopped
    };

    // gtk_controls.cpp: building the widgets.
    void CreateToolbar();
    void CreateControl(const ControlLayout& layout, int index);
    void InstallStyle();
    void PutControls();
    GtkButton* ButtonOf(ControlId button) const;

    // gtk_form_window.cpp: geometry in pixels.
    PixelRect OuterRect() const override;
    void Place(const PixelRect& wanted) override;
    std::optional<PixelRect> ControlRect(ControlId control) const override;

    // gtk_form_events.cpp: GDK events to the form's input.
    void Connect(Control& control);
    static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer control);
    static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer control);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer control);
    static gboolean OnGrabBroken(GtkWidget*, GdkEvent*, gpointer control);
    static void OnClicked(GtkButton*, gpointer control);
    static gboolean OnTimer(gpointer timer);
    // GDK's implicit grab captures: from a press until every button is up.
    void Capture(ControlId) override {}
    void EndCapture(ControlId) override {}
    bool IsPointerOver(const Control& control, double rootX, double rootY) const;

    FormInput input_;
    std::unique_ptr<ToplevelPlacement> placement_;
    GtkWidget* owner_ = nullptr;
    GtkWidget* toolbar_ = nullptr;
    std::map<ControlId, Control> controls_;  // the form window's client area under kFormWindowId
    std::vector<Timer> timers_;
    GtkCssProvider* style_ = nullptr;
};

}  // namespace brumelis
