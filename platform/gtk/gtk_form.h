// The toolbar's GTK widgets, built from a FormLayout: a hidden owner window
// that bears the caption too (so that a running instance shows two matching
// windows, as on Windows), the override-redirect popup, its picture panels
// and push button, and its timers. The handlers see them through FormWindow;
// GDK events come back as form events through a FormEventDispatcher.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/form_event_dispatcher.h"
#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/gtk/gtk_x11_window.h"

namespace brumelis {

class GtkForm final : public FormWindow {
public:
    // Creates and realizes every window, unmapped; throws std::runtime_error
    // when an image cannot be decoded.
    GtkForm(const FormLayout& layout, FormEventDispatcher& dispatcher);
    ~GtkForm() override;
    GtkForm(const GtkForm&) = delete;
    GtkForm& operator=(const GtkForm&) = delete;

    GtkWidget* Toolbar() const { return toolbar_; }
    GtkWidget* Owner() const { return owner_; }
    // The widget of a control: its event box, or the button.
    GtkWidget* WidgetOf(ControlId control) const;
    void StartTimers();
    void StopTimers();
    // Mapped without taking the input focus (an override-redirect window).
    void Show();

    WindowHandle Handle() const override;
    Text Caption() const override;
    Twips Width() const override;
    Twips Height() const override;
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
              std::optional<Twips> height = std::nullopt) override;
    void SetEnabled(bool enabled) override;
    ControlGeometry Geometry(ControlId control) const override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
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
    // A left press waits for its release over the same control to be a
    // click; the second press of a double click makes that click a double
    // click too.
    struct LeftPress {
        ControlId control;
        bool secondPress;
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
    const ControlLayout* FindLayout(ControlId id) const;
    const Control& Find(ControlId id) const;
    GtkButton* ButtonOf(ControlId button) const;

    // gtk_form_window.cpp: geometry in twips.
    ServerRect OuterRect() const;
    void Place(const ServerRect& current, const ServerRect& wanted);

    // gtk_form_events.cpp: GDK events to form events.
    void Connect(Control& control);
    static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer control);
    static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer control);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer control);
    static gboolean OnGrabBroken(GtkWidget*, GdkEvent*, gpointer control);
    static void OnClicked(GtkButton*, gpointer control);
    static gboolean OnTimer(gpointer timer);
    bool IsPointerOver(const Control& control, double rootX, double rootY) const;

    FormLayout layout_;
    FormEventDispatcher& dispatcher_;
    GtkWidget* owner_ = nullptr;
    GtkWidget* toolbar_ = nullptr;
    std::map<ControlId, Control> controls_;  // the form window's client area under kFormWindowId
    std::vector<Timer> timers_;
    std::optional<LeftPress> leftPress_;
    GtkCssProvider* style_ = nullptr;
};

}  // namespace brumelis
