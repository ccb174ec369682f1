// Placeholder until the phase marker is drawn.
#include "phases/phase_marker.h"

namespace dorvalen {

void drawPhaseMarker(Canvas&, const ClockState&, int) {}

}  // namespace dorvalen
