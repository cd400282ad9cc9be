// The GTK toolkit's message boxes: our texts exactly, no icon, the button
// sets with Yes as default, the application's title when none is given, and
// the answer of the button that real keys press. The box runs its own loop
// inside MessageBox: a GLib timer drives it from in there.
#include <gtk/gtk.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_x11_window.h"
#include "tests/x11/toolkit/gtk_toolbar_fixture.h"

namespace brumelis::x11_tests {
namespace {

struct Key {
    std::string name;
    std::vector<std::string> modifiers;
};

// What the box showed, read from its widgets while it was up.
struct ShownBox {
    std::string text, title;
    bool iconless = false;
    bool hasOk = false, hasYes = false, hasNo = false;
    bool yesIsDefault = false;
};

// Looks at the box every 20 ms from inside its loop; once the window
// manager has made it active, records it and sends the next key.
class BoxDriver {
public:
    BoxDriver(XSession& x, std::vector<Key> keys) : x_(x), keys_(std::move(keys)) {
        source_ = g_timeout_add(20, &BoxDriver::Look, this);
    }
    ~BoxDriver() { g_source_remove(source_); }
    BoxDriver(const BoxDriver&) = delete;
    BoxDriver& operator=(const BoxDriver&) = delete;

    const ShownBox& Shown() const { return shown_; }
    std::size_t KeysSent() const { return sent_; }
    bool TimedOut() const { return timedOut_; }

private:
    static gboolean Look(gpointer self) {
        static_cast<BoxDriver*>(self)->Step();
        return G_SOURCE_CONTINUE;
    }

    static GtkWidget* FindBox() {
        GtkWidget* found = nullptr;
        GList* windows = gtk_window_list_toplevels();
        for (GList* w = windows; w != nullptr; w = w->next) {
            if (GTK_IS_MESSAGE_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data)))
                found = GTK_WIDGET(w->data);
        }
        g_list_free(windows);
        return found;
    }

    void Step() {
        GtkWidget* box = FindBox();
        if (box == nullptr) return;
        if (std::chrono::steady_clock::now() > deadline_) {
            // Unanswered: end the box's loop so that the test fails, not hangs.
            timedOut_ = true;
            gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_NO);
            return;
        }
        if (sent_ >= keys_.size()) return;
        const XWindowId id = XidOf(gtk_widget_get_window(box));
        // Keys go to the focused window: wait until GTK has the focus too.
        if (x_.ActiveWindow() != id || !gtk_window_is_active(GTK_WINDOW(box))) {
            if (x_.ActiveWindow() != id) x_.Activate(id);
            return;
        }
        if (sent_ == 0) Record(box);
        x_.Key(keys_[sent_].name, keys_[sent_].modifiers);
        ++sent_;
    }

    void Record(GtkWidget* box) {
        gchar* text = nullptr;
        GtkMessageType type = GTK_MESSAGE_INFO;
        g_object_get(box, "text", &text, "message-type", &type, nullptr);
        shown_.text = text != nullptr ? text : "";
        g_free(text);
        shown_.title = gtk_window_get_title(GTK_WINDOW(box));
        shown_.iconless = type == GTK_MESSAGE_OTHER;
        GtkDialog* dialog = GTK_DIALOG(box);
        shown_.hasOk = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_OK) != nullptr;
        GtkWidget* yes = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_YES);
        shown_.hasYes = yes != nullptr;
        shown_.hasNo = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_NO) != nullptr;
        shown_.yesIsDefault = yes != nullptr && gtk_widget_has_default(yes);
    }

    XSession& x_;
    std::vector<Key> keys_;
    std::size_t sent_ = 0;
    bool timedOut_ = false;
    std::chrono::steady_clock::time_point deadline_ =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    ShownBox shown_;
    guint source_ = 0;
};

struct BoxCase {
    const char* name;
    MessageButtons buttons;
    Text title;  // empty: the application's
    std::vector<Key> keys;
    MessageAnswer answer;
    std::string shownTitle;
};

void PrintTo(const BoxCase& row, std::ostream* out) {
    *out << row.name;
}

class GtkMessageBoxes : public GtkToolbarTest, public testing::WithParamInterface<BoxCase> {};

TEST_P(GtkMessageBoxes, ShowOurTextsAndAnswerWithTheButtonPressed) {
    const BoxCase& row = GetParam();
    const Text text = u"Brumelis est déjà lancé. « Oui » ou « Non » ?";
    BoxDriver driver(x_, row.keys);
    const MessageAnswer answer = Toolkit().ShowMessage(text, row.buttons, row.title);

    ASSERT_FALSE(driver.TimedOut())
        << "the box took no answer from " << driver.KeysSent() << " key(s)";
    EXPECT_EQ(row.keys.size(), driver.KeysSent());
    EXPECT_EQ(static_cast<int>(row.answer), static_cast<int>(answer));
    const ShownBox& shown = driver.Shown();
    EXPECT_EQ(Utf8FromText(text), shown.text) << "the accents reach the box";
    EXPECT_EQ(row.shownTitle, shown.title);
    EXPECT_TRUE(shown.iconless);
    const bool yesNo = row.buttons == MessageButtons::YesNo;
    EXPECT_EQ(!yesNo, shown.hasOk);
    EXPECT_EQ(yesNo, shown.hasYes);
    EXPECT_EQ(yesNo, shown.hasNo);
    EXPECT_EQ(yesNo, shown.yesIsDefault);
}

const std::string kPresentationTitle = "ZOLVEC Quintrel www.zolvec.example";

INSTANTIATE_TEST_SUITE_P(
    Answers, GtkMessageBoxes,
    testing::Values(BoxCase{"OkBoxBearsTheApplicationTitle",
                            MessageButtons::Ok,
                            Text(),
                            {{"Return", {}}},
                            MessageAnswer::Ok,
                            "Brumelis"},
                    BoxCase{"NoByItsButton",
                            MessageButtons::YesNo,
                            u"ZOLVEC Quintrel www.zolvec.example",
                            {{"n", {"Alt_L"}}},
                            MessageAnswer::No,
                            kPresentationTitle},
                    BoxCase{"YesByDefault",
                            MessageButtons::YesNo,
                            u"ZOLVEC Quintrel www.zolvec.example",
                            {{"Return", {}}},
                            MessageAnswer::Yes,
                            kPresentationTitle},
                    // Escape would answer neither: the box stays up for the No after it.
                    BoxCase{"EscapeLeavesTheYesNoBoxUp",
                            MessageButtons::YesNo,
                            u"Titre",
                            {{"Escape", {}}, {"n", {"Alt_L"}}},
                            MessageAnswer::No,
                            "Titre"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace brumelis::x11_tests
