// Shapes known row by row without reading the image (a hand's inside, the face ring's
// sectors, the moon's outlines): horizontal runs of pixels and their 4-connected groups.
#pragma once

#include <cstddef>
#include <vector>

namespace dorvalen {

// Row y, columns xl .. xr.
struct Run {
    int y, xl, xr;
};

// Runs of consecutive rows: row i's runs are runs[rowStart[i]] .. runs[rowStart[i + 1] - 1],
// left to right and disjoint.
struct RunRows {
    std::vector<Run> runs;
    std::vector<std::size_t> rowStart{0};
    void endRow() { rowStart.push_back(runs.size()); }
    std::size_t rows() const { return rowStart.size() - 1; }
};

// The 4-connected groups of the runs: each run's root is its group's earliest run in raster
// order (runs of adjacent rows join where their columns overlap).
std::vector<std::size_t> groupRuns(const RunRows& rows);

}  // namespace dorvalen
