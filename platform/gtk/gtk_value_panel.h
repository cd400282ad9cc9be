// A picture panel that screen readers read as a range with a value: an
// event box whose accessible object has ATK's value interface.
#pragma once

#include <gtk/gtk.h>

namespace brumelis {

// Its value starts at 100, out of 0 to 100.
GtkWidget* NewValuePanel();
// Tells the accessibility bus when the value changes.
void SetPanelValue(GtkWidget* panel, int percent);

}  // namespace brumelis
