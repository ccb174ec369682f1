// Crew labels on the ring: off changes nothing; on, every sector's crew is written inside
// its own sector of the ring, at the smallest radius and the largest, in the ink that stands
// out from its colour; the short forms never name two crews alike.
#include "face/crew_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/angles.h"
#include "core/conversions.h"
#include "face/dial_geometry.h"
#include "face/face_render.h"
#include "rota/rota.h"
#include "tests/support/rendered_face.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

Image renderAt(const ClockState& state, int r) { return test::renderedFace(state, r); }

TEST(CrewLabels, EachSectorsCrewInItsSectorAtEveryRadius) {
    // Monday 10:00 (three 8-hour sectors), Sunday 18:00 (the weekend's), Saturday 22:00 (the
    // light wedge beside the night sector).
    const int moments[][4] = {{6, 10, 10, 0}, {6, 16, 18, 0}, {6, 15, 22, 0}};
    for (const int r : {102, 200, 490}) {
        for (const auto& m : moments) {
            ClockState state = test::stateAt(2024, m[0], m[1], m[2], m[3]);
            const Image plain = renderAt(state, r);
            state.settings.extra.crewLabels = 1;
            const Image labelled = renderAt(state, r);
            SCOPED_TRACE("r " + std::to_string(r) + ", June " + std::to_string(m[1]));
            std::set<int> inked;  // crews whose sector holds changed pixels in their ink
            const ShiftRingPlan plan = planShiftRing(Frame(state));
            for (int y = 0; y < 2 * r; ++y) {
                for (int x = 0; x < 2 * r; ++x) {
                    if (plain.pixel(x, y) == labelled.pixel(x, y)) continue;
                    const double rho = std::hypot(x - r, y - r);
                    ASSERT_GT(rho, dialDiscRadius(r)) << x << "," << y << " on the dial";
                    ASSERT_LT(rho, faceDiscRadius(r)) << x << "," << y << " beyond the ring";
                    const double deg = std::fmod(std::atan2(y - r, x - r) * 180 / pi + 360, 360);
                    const CurrentShiftSector sector = currentShiftSector(plan, deg);
                    ASSERT_TRUE(sector.fill.has_value());
                    const Colour under = rgbPart(plain.pixel(x, y));
                    ASSERT_EQ(under, crewRgb(ShiftRota(), sector.fill->crew)) << x << "," << y << " not on its sector";
                    inked.insert(sector.fill->crew);
                }
            }
            std::set<int> painted;
            for (const SectorFill& fill : plan.fills) {
                const CurrentShiftSector sector = currentShiftSector(plan, fill.sectorDeg);
                if (sector.fill) painted.insert(sector.fill->crew);
            }
            EXPECT_EQ(inked, painted) << "a sector without its crew's label";
        }
    }
}

// Looking for a place reads only the ring: at the smallest face too, a tick between
// minutes still redraws the clock time's cell alone.
TEST(CrewLabels, TicksStillRedrawOnlyTheTimeCell) {
    ClockState state = test::stateAt(2026, 5, 3, 6, 29, 40);
    state.settings.extra.crewLabels = 1;
    const int r = 102;
    Image image(2 * r, 2 * r);
    Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    FaceMemory memory;
    renderClockFace(state, image, font, r, false, &memory);
    state.now += 1;
    EXPECT_TRUE(redrawClockTimeOnly(state, image, font, r, false, memory).has_value());
    releaseFont(font);
}

TEST(CrewLabels, ShortFormsTellTheCrewsApartAndInkStandsOut) {
    for (int form = 0; form < crewLabelForms; ++form) {
        std::set<std::string> seen;
        for (int crew = 0; crew < crewCount; ++crew)
            EXPECT_TRUE(seen.insert(crewLabelText(ShiftRota(), crew, form)).second) << crewLabelText(ShiftRota(), crew, form);
    }
    EXPECT_EQ(crewLabelText(ShiftRota(), 2, 1), "Ge");
    EXPECT_EQ(crewLabelText(ShiftRota(), 3, 1), "Gr");
    EXPECT_EQ(crewLabelText(ShiftRota(), 4, 2), "5");
}

}  // namespace
}  // namespace dorvalen
