#include "form/FormLayout.h"

namespace qelvar {

namespace {

using K = ControlKind;

// Template 102, "宋体" 9 pt, 198 x 192 units; tab order follows the eye:
// the dates, 闰月, the birth time and place (middle frame), the lists, the
// sex and the cast button, then the name and the library's buttons (lower
// frame).  The lists are wide enough for their longest
// entry ("亥 (110-120)") beside the arrow.
constexpr std::array<ControlTemplate, 29> kFormControls{{
    {form_id::kSolarPicker, K::kDatePicker, "", {32, 9, 61, 15}},
    {kNoId, K::kStatic, "公历", {10, 13, 17, 8}},
    {form_id::kLunarPicker, K::kLunarDatePicker, "", {32, 28, 61, 15}},
    {kNoId, K::kStatic, "农历", {10, 31, 17, 8}},
    {form_id::kLunarText, K::kStaticCentred, "Lunar", {12, 50, 84, 8}},
    {form_id::kLeapBox, K::kCheckBox, "闰月", {97, 11, 32, 10}},
    {kNoId, K::kGroupBox, "", {6, 0, 186, 84}},
    {kNoId, K::kGroupBox, "", {6, 86, 186, 66}},
    {kNoId, K::kStatic, "出生时间", {10, 97, 34, 8}},
    {form_id::kTimeEdit, K::kEdit, "", {46, 94, 40, 14}},
    {form_id::kSolarTimeBox, K::kCheckBox, "真太阳时", {97, 96, 50, 10}},
    {kNoId, K::kStatic, "出生地", {10, 115, 34, 8}},
    {form_id::kPlaceEdit, K::kEdit, "", {46, 112, 141, 14}},
    {form_id::kMomentText, K::kStaticWrapped, "", {10, 129, 177, 20}},
    {kNoId, K::kStatic, "时辰", {99, 31, 18, 8}},
    {form_id::kHourList, K::kDropDownList, "", {119, 28, 68, 128}},
    {kNoId, K::kStatic, "分段", {99, 48, 18, 8}},
    {form_id::kMinuteList, K::kDropDownList, "", {119, 45, 68, 128}},
    {kNoId, K::kStatic, "性别", {18, 67, 17, 8}},
    {form_id::kMale, K::kRadioFirst, "男", {41, 67, 22, 8}},
    {form_id::kFemale, K::kRadio, "女", {67, 67, 25, 8}},
    {form_id::kOk, K::kDefaultButton, "斗数排盘", {137, 62, 50, 17}},
    {kNoId, K::kGroupBox, "", {6, 154, 186, 36}},
    {kNoId, K::kStatic, "姓名", {10, 162, 18, 8}},
    {form_id::kNameEdit, K::kEdit, "", {30, 159, 98, 14}},
    {form_id::kRecentButton, K::kPushButton, "最近...", {132, 159, 55, 14}},
    {form_id::kSaveButton, K::kPushButton, "存入命例库", {10, 175, 58, 13}},
    {form_id::kLibraryButton, K::kPushButton, "命例库...", {71, 175, 57, 13}},
    {form_id::kSettingsButton, K::kPushButton, "设置...", {132, 175, 55, 13}},
}};

// Template 100, "宋体" 9 pt, 235 x 55 units.
constexpr std::array<ControlTemplate, 4> kAboutControls{{
    {kNoId, K::kIcon, "", {11, 17, 20, 20}},
    {kNoId, K::kStaticNoPrefix, "Qelvar排盘1.0 版", {40, 10, 119, 8}},
    {kNoId, K::kStatic, "紫微斗数排盘 · 公历农历互换", {40, 25, 119, 8}},
    {form_id::kOk, K::kDefaultButton, "确定", {178, 7, 50, 14}},
}};

constexpr DialogTemplate kForm{102, "Qelvar排盘", 198, 192, kFormControls};
constexpr DialogTemplate kAbout{100, "Qelvar单机版", 235, 55, kAboutControls};

}  // namespace

const DialogTemplate& FormTemplate() {
    return kForm;
}
const DialogTemplate& AboutTemplate() {
    return kAbout;
}

const std::array<std::string_view, 13> kHourEntries{
    "子 (0-1)",   "丑 (1-3)",   "寅 (3-5)",    "卯 (5-7)",   "辰 (7-9)",
    "巳 (9-11)",  "午 (11-13)", "未 (13-15)",  "申 (15-17)", "酉 (17-19)",
    "戌 (19-21)", "亥 (21-23)", "夜子(23-24)",
};

const std::array<std::string_view, 12> kMinuteEntries{
    "子 (0-10)",  "丑 (10-20)", "寅 (20-30)", "卯 (30-40)",  "辰 (40-50)",   "巳 (50-60)",
    "午 (60-70)", "未 (70-80)", "申 (80-90)", "酉 (90-100)", "戌 (100-110)", "亥 (110-120)",
};

}  // namespace qelvar
