#pragma once
// The caption under a saved or printed chart: the birth moment, the sex
// and the chart conventions that differ from the defaults.

#include <string>

#include "birth/BirthData.h"
#include "periods/Conventions.h"

namespace qelvar {

// "阳历2000年2月5日 农历龙(庚辰)年正月初一 午时(0-10分) 男", then the
// conventions that are not the defaults ("夜子换日 闰月分半 立春换年", then the
// school's readings, "魁钺丑未 天马依年 .."), then
// `moment`, how a clock time and birthplace were read, when there is one.
// The conventions that are not the defaults, in the caption's words, each
// preceded by a space (" 立春换年 魁钺丑未"); "" for the defaults.
std::string ConventionsCaption(const ChartConventions& conventions);

std::string ChartCaption(const BirthData& birth, const ChartConventions& conventions = {},
                         const std::string& moment = {});

}  // namespace qelvar
