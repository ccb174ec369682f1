// My crew's marks on the ring: nothing without a crew (or with one the rota does not know);
// with one, a band in the sector's contrasting ink on exactly that crew's sectors, at the
// smallest face and a large one, on weekdays and in the weekend's layout.
#include "face/my_crew_marks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/angles.h"
#include "core/conversions.h"
#include "face/crew_labels.h"
#include "face/dial_geometry.h"
#include "face/face_render.h"
#include "rota/rota.h"
#include "tests/support/rendered_face.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

Image renderAt(const ClockState& state, int r) { return test::renderedFace(state, r); }

TEST(MyCrewMarks, ExactlyThatCrewsSectorsAndNothingWithoutOne) {
    // Monday 10:00 (three 8-hour sectors), Sunday 18:00 (the weekend's), Saturday 22:00.
    const int moments[][4] = {{6, 10, 10, 0}, {6, 16, 18, 0}, {6, 15, 22, 0}};
    for (const int r : {102, 300}) {
        for (const auto& m : moments) {
            ClockState state = test::stateAt(2024, m[0], m[1], m[2], m[3]);
            const Image plain = renderAt(state, r);
            state.settings.extra.myCrew = "Lila";
            EXPECT_EQ(renderAt(state, r).pixels, plain.pixels) << "a crew the rota does not know";
            const ShiftRingPlan plan = planShiftRing(Frame(state));
            std::set<int> painted;
            for (const RingSector& sector : paintedSectors(plan, ShiftRota())) painted.insert(sector.crew);
            for (int crew = 0; crew < 5; ++crew) {
                SCOPED_TRACE("r " + std::to_string(r) + ", June " + std::to_string(m[1]) +
                             ", crew " + std::to_string(crew));
                state.settings.extra.myCrew = std::to_string(crew);
                const Image marked = renderAt(state, r);
                bool any = false;
                for (int y = 0; y < 2 * r; ++y) {
                    for (int x = 0; x < 2 * r; ++x) {
                        if (plain.pixel(x, y) == marked.pixel(x, y)) continue;
                        any = true;
                        const double rho = std::hypot(x - r, y - r);
                        ASSERT_GE(rho, faceDiscRadius(r) - myCrewBandWidth(r) - 1) << x << "," << y;
                        ASSERT_LT(rho, faceDiscRadius(r)) << x << "," << y;
                        const double deg = std::fmod(std::atan2(y - r, x - r) * 180 / pi + 360, 360);
                        const CurrentShiftSector sector = currentShiftSector(plan, deg);
                        ASSERT_TRUE(sector.fill.has_value()) << x << "," << y;
                        ASSERT_EQ(sector.fill->crew, crew) << x << "," << y << " on another's sector";
                        // The band in the ink, where no numeral is blended over it.
                        if (rgbPart(plain.pixel(x, y)) == crewRgb(ShiftRota(), crew)) {
                            ASSERT_EQ(rgbPart(marked.pixel(x, y)),
                                      rgbPart(contrastingInk(crewRgb(ShiftRota(), crew))));
                        }
                    }
                }
                EXPECT_EQ(any, painted.count(crew) == 1) << "a sector of the crew left unmarked";
            }
        }
    }
}

}  // namespace
}  // namespace dorvalen
