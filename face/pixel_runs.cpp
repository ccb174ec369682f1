#include "face/pixel_runs.h"

#include <algorithm>

namespace dorvalen {

std::vector<std::size_t> groupRuns(const RunRows& rows) {
    std::vector<std::size_t> parent(rows.runs.size());
    for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = i;
    const auto find = [&](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    // Both rows' runs are sorted and disjoint, so one merge-like walk meets every overlap.
    for (std::size_t row = 1; row < rows.rows(); ++row) {
        std::size_t i = rows.rowStart[row], j = rows.rowStart[row - 1];
        while (i < rows.rowStart[row + 1] && j < rows.rowStart[row]) {
            const Run& a = rows.runs[i];
            const Run& b = rows.runs[j];
            if (std::max(a.xl, b.xl) <= std::min(a.xr, b.xr)) {
                const std::size_t ra = find(i), rb = find(j);
                parent[std::max(ra, rb)] = std::min(ra, rb);  // the earlier run stays the root
            }
            if (a.xr < b.xr) ++i; else ++j;
        }
    }
    for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = find(i);
    return parent;
}

}  // namespace dorvalen
