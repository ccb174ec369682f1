// Placeholder until the rota is painted.
#include "face/shift_sectors.h"

namespace dorvalen {

void paintShiftSectors(Canvas&, const ClockState&, int) {}

}  // namespace dorvalen
