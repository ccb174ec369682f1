// Placeholder until the clock window is built.
#include "platform/window_glue.h"

namespace dorvalen {

void applyAlwaysOnTop(QWidget*, bool) {}

}  // namespace dorvalen
