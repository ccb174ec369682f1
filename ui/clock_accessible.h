// The clock window as screen readers see it: role Clock, named "Dorvalen", described in
// words (face/spoken_face.h) whenever an assistive technology asks.
#pragma once

namespace dorvalen {

// Registers the interface factory with Qt once; later calls do nothing.
void installClockAccessibility();

}  // namespace dorvalen
