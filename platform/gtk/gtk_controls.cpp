// Building the toolbar's widgets from the layout: the hidden owner, the
// popup, the picture panels and the button in creation order, their colours
// and images, and the timers.
#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "platform/form_controls.h"
#include "platform/gtk/gtk_form.h"
#include "platform/gtk/gtk_images.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_value_panel.h"
#include "platform/pixels.h"

namespace brumelis {

namespace {

std::string CssColor(const Color& color) {
    switch (color.kind) {
        case Color::Kind::SystemWindow: return "@theme_base_color";
        case Color::Kind::SystemWindowText: return "@theme_text_color";
        case Color::Kind::Rgb: break;
    }
    std::ostringstream css;
    css << "rgb(" << (color.rgb & 0xFF) << "," << ((color.rgb >> 8) & 0xFF) << ","
        << ((color.rgb >> 16) & 0xFF) << ")";
    return css.str();
}

std::string WidgetName(int index) {
    return "brumelis-control-" + std::to_string(index);
}

AtkRole AtkRoleOf(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::ToggleButton: return ATK_ROLE_TOGGLE_BUTTON;
        case AccessibleRole::Slider: return ATK_ROLE_SLIDER;
        case AccessibleRole::PushButton: break;
    }
    return ATK_ROLE_PUSH_BUTTON;
}

// Through ATK, which GTK's bridge publishes on the accessibility bus.
void DescribeForScreenReaders(const GtkForm& form, const FormLayout& layout) {
    for (const AccessibleText& text : layout.accessible) {
        AtkObject* accessible = gtk_widget_get_accessible(form.WidgetOf(text.id));
        atk_object_set_role(accessible, AtkRoleOf(text.role));
        if (!text.name.empty()) atk_object_set_name(accessible, Utf8FromText(text.name).c_str());
        atk_object_set_description(accessible, Utf8FromText(text.description).c_str());
    }
}

}  // namespace

GtkForm::GtkForm(const FormLayout& layout, FormToolkit& toolkit,
                 std::unique_ptr<ToplevelPlacement> placement)
    : PixelFormWindow(layout),
      input_(toolkit, *this, kGdkStateBits),
      placement_(std::move(placement)) {
    const std::string caption = Utf8FromText(layout_.caption);
    owner_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(owner_), caption.c_str());
    gtk_widget_realize(owner_);
    CreateToolbar();
    for (std::size_t index = 0; index < layout_.controls.size(); ++index) {
        CreateControl(layout_.controls[index], static_cast<int>(index));
    }
    PutControls();
    DescribeForScreenReaders(*this, layout_);
    InstallStyle();
    gtk_widget_show_all(gtk_bin_get_child(GTK_BIN(toolbar_)));
    gtk_widget_realize(toolbar_);
}

GtkForm::~GtkForm() {
    StopTimers();
    gtk_widget_destroy(toolbar_);
    gtk_widget_destroy(owner_);
    if (style_ != nullptr) g_object_unref(style_);
}

void GtkForm::CreateToolbar() {
    // Neither framed, placed nor focused by the window manager, and no
    // taskbar entry: an override-redirect popup, a layer surface.
    toolbar_ = gtk_window_new(placement_->WindowType());
    placement_->Prepare(GTK_WINDOW(toolbar_));
    gtk_window_set_title(GTK_WINDOW(toolbar_), Utf8FromText(layout_.caption).c_str());
    gtk_window_set_icon_list(GTK_WINDOW(toolbar_), ApplicationIcons());
    gtk_window_set_default_size(GTK_WINDOW(toolbar_), ToPixels(layout_.width),
                                ToPixels(layout_.height));
    gtk_window_resize(GTK_WINDOW(toolbar_), ToPixels(layout_.width), ToPixels(layout_.height));
    // A layout asks for no size of its own, so the window can be folded to
    // the red square's corner while the panel inside keeps its size.
    GtkWidget* client = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(toolbar_), client);
    Control& form = controls_[kFormWindowId];
    form.id = kFormWindowId;
    form.form = this;
    form.widget = toolbar_;
    form.children = client;
}

// Each picture panel is an event box (a window of its own, so it paints its
// back colour and takes the mouse) around a fixed container for its image
// and its children.
void GtkForm::CreateControl(const ControlLayout& layout, int index) {
    if (layout.kind == ControlKind::Timer) return;
    Control& control = controls_[layout.id];
    control.id = layout.id;
    control.form = this;
    if (layout.kind == ControlKind::PushButton) {
        control.widget = gtk_button_new_with_label(Utf8FromText(layout.caption).c_str());
        gtk_widget_set_can_focus(control.widget, layout.tabIndex >= 0);
    } else {
        const bool slider = std::any_of(
            layout_.accessible.begin(), layout_.accessible.end(), [&](const AccessibleText& text) {
                return text.id == layout.id && text.role == AccessibleRole::Slider;
            });
        control.widget = slider ? NewValuePanel() : gtk_event_box_new();
        control.children = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(control.widget), control.children);
        if (GdkPixbuf* image = LoadPanelImage(layout.image)) {
            gtk_fixed_put(GTK_FIXED(control.children), gtk_image_new_from_pixbuf(image), 0, 0);
            g_object_unref(image);
        }
    }
    gtk_widget_set_name(control.widget, WidgetName(index).c_str());
    gtk_widget_set_size_request(control.widget, ToPixels(layout.width), ToPixels(layout.height));
    Connect(control);
}

// Siblings overlap (the button's top row lies under the red square's last
// row, the slider's top row over the button's last): the first created stays
// on top, as on Windows. GTK draws a container's children in their order,
// and realizes and shows their windows in it, each on top of the ones
// before: the controls go into their containers last created first.
void GtkForm::PutControls() {
    for (auto layout = layout_.controls.rbegin(); layout != layout_.controls.rend(); ++layout) {
        auto control = controls_.find(layout->id);
        if (control == controls_.end() || layout->id == kFormWindowId) continue;
        GtkWidget* container = FindControl(controls_, layout->container).children;
        const int left = ToPixels(layout->left);
        const int top = ToPixels(layout->top);
        if (GTK_IS_LAYOUT(container)) {
            gtk_layout_put(GTK_LAYOUT(container), control->second.widget, left, top);
        } else {
            gtk_fixed_put(GTK_FIXED(container), control->second.widget, left, top);
        }
    }
}

// Panels paint their back colour; the button loses the theme's padding,
// minimum sizes and margins so that it fits its 33 x 17 pixels.
void GtkForm::InstallStyle() {
    std::ostringstream css;
    for (std::size_t index = 0; index < layout_.controls.size(); ++index) {
        const ControlLayout& layout = layout_.controls[index];
        const std::string selector = "#" + WidgetName(static_cast<int>(index));
        if (layout.kind == ControlKind::PicturePanel) {
            css << selector << " { background-color: " << CssColor(layout.backColor)
                << "; color: " << CssColor(layout.foreColor) << "; }\n";
        } else if (layout.kind == ControlKind::PushButton) {
            css << selector
                << " { min-width: 0; min-height: 0; padding: 0; margin: 0; font-size: 8pt; }\n"
                << selector << " label { min-width: 0; min-height: 0; padding: 0; margin: 0; }\n";
        }
    }
    style_ = gtk_css_provider_new();
    gtk_css_provider_load_from_data(style_, css.str().c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(toolbar_),
                                              GTK_STYLE_PROVIDER(style_),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

GtkWidget* GtkForm::WidgetOf(ControlId control) const {
    return FindControl(controls_, control).widget;
}

void GtkForm::StartTimers() {
    StopTimers();
    // Reserved: each source holds its entry's address.
    timers_.reserve(layout_.controls.size());
    for (const ControlLayout& layout : layout_.controls) {
        if (layout.kind == ControlKind::Timer) timers_.push_back(Timer{layout.id, this, 0});
    }
    for (const ControlLayout& layout : layout_.controls) {
        if (layout.kind == ControlKind::Timer && !layout.startsStopped)
            SetTimerRunning(layout.id, true);
    }
}

void GtkForm::StopTimers() {
    for (const Timer& timer : timers_) {
        if (timer.source != 0) g_source_remove(timer.source);
    }
    timers_.clear();
}

// A source added again on a running timer would tick twice as often.
void GtkForm::SetTimerRunning(ControlId id, bool running) {
    auto timer = std::find_if(timers_.begin(), timers_.end(),
                              [id](const Timer& candidate) { return candidate.id == id; });
    if (timer == timers_.end()) {
        RaiseInvalidControl();
    }
    if (running == (timer->source != 0)) return;
    if (running) {
        const auto interval = static_cast<guint>(FindLayout(layout_, id)->timerIntervalMs);
        timer->source = g_timeout_add(interval, &GtkForm::OnTimer, &*timer);
    } else {
        // Also from the timer's own tick: GLib drops the source once the
        // tick returns.
        g_source_remove(timer->source);
        timer->source = 0;
    }
}

void GtkForm::Show() {
    gtk_widget_show(toolbar_);
}

}  // namespace brumelis
