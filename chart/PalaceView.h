#pragma once
// A readable view of a cast grid, one record per palace cell, for programs
// and people that do not want to do slot arithmetic.

#include <array>
#include <string>
#include <vector>

#include "chart/ChartGrid.h"

namespace qelvar {

struct StarView {
    std::string name;
    std::string brightness;  // "" in columns 8..12, for unrated stars and blank entries
    std::string mark;        // "禄" "权" "科" "忌" or "" (cell marks cover columns 0..5)
    // Position in the cell's star-slot sequence: star columns 0..12, or 14
    // (the mark slot), 18, 19 (brightness slots) for a star that overflowed
    // a crowded cell.
    int position = 0;
};

struct PalaceView {
    PalaceIndex cell = 0;
    std::string branch;  // the cell's own branch
    std::string name;    // palace name or body mark
    std::string stem;
    std::vector<StarView> stars;  // by position
    std::string nayin;
    std::string stage;
    std::string boShi, suiQian, jiangQian;  // the three gods
    std::string decade;
};

// The twelve cells 寅..丑 of a grid after a cast.
std::array<PalaceView, 12> ReadPalaces(const ChartGrid& grid);

}  // namespace qelvar
