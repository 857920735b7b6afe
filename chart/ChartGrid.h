#pragma once
// ChartGrid: the chart surface, one text slot per control identifier of the
// chart window.  Every slot exists from construction with its initial text.

#include <span>
#include <string>

namespace qelvar {

class ChartGrid {
public:
    ChartGrid();  // every slot with its initial text

    // "" for an identifier that is no slot.
    const std::string& GetSlotText(int id) const;
    // Ignored for an identifier that is no slot.
    void SetSlotText(int id, std::string text);

    // Every slot identifier, ascending.
    static std::span<const int> SlotIds();
};

}  // namespace qelvar
