#pragma once
// ZiWeiChart: the chart engine.  It copies the birth data when constructed
// and RunChartSteps() fills a fresh ChartGrid in the fixed order of the 42
// chart steps.

#include <chrono>

#include "app/Global.h"
#include "chart/ChartGrid.h"

namespace qelvar {

class ZiWeiChart {
public:
    // `today` is the date the days-lived sentence counts to.
    ZiWeiChart(const BirthData& birth, std::chrono::year_month_day today);

    void RunChartSteps();
    const ChartGrid& Grid() const { return m_grid; }

private:
    ChartGrid m_grid;
    // ... members of the engine (m_strYear, m_nHour, m_strYearStem, ...)
};

}  // namespace qelvar
