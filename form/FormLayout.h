#pragma once
// The dialog templates of the birth-data form (102) and the About box (100):
// every control with its identifier, kind, text and rectangle in dialog
// units, in tab order, plus the entries of the two lists.  Constant data
// only; the Qt windows build their widgets from it.

#include <array>
#include <span>
#include <string_view>

#include "layout/DialogUnits.h"

namespace qelvar {

enum class ControlKind {
    kDatePicker,       // Gregorian date
    kLunarDatePicker,  // lunar year / month / day 1..30, styled like kDatePicker
    kStatic,           // left-aligned label
    kStaticCentred,    // centred label
    kStaticNoPrefix,   // left-aligned, '&' shown as itself
    kStaticWrapped,    // left-aligned, broken into lines between its items
    kEdit,             // one-line text field
    kCheckBox,
    kGroupBox,
    kDropDownList,
    kRadioFirst,  // radio button that starts a group
    kRadio,
    kPushButton,
    kDefaultButton,
    kIcon,
};

inline constexpr int kNoId = -1;  // labels and frames the code never addresses

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view text;
    DuRect rect;
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int width;   // dialog units
    int height;  // dialog units
    std::span<const ControlTemplate> controls;
};

// Control identifiers of the form.
namespace form_id {
inline constexpr int kOk = 1;
inline constexpr int kSolarPicker = 1001;
inline constexpr int kLunarPicker = 1002;
inline constexpr int kLunarText = 1003;
inline constexpr int kLeapBox = 1004;
inline constexpr int kHourList = 1006;
inline constexpr int kMale = 1007;
inline constexpr int kFemale = 1008;
inline constexpr int kMinuteList = 1009;
inline constexpr int kTimeEdit = 1010;        // "出生时间", HH:MM
inline constexpr int kPlaceEdit = 1011;       // "出生地"
inline constexpr int kSolarTimeBox = 1013;    // "真太阳时"
inline constexpr int kMomentText = 1014;      // how the clock time was read
inline constexpr int kNameEdit = 1015;        // "姓名", optional
inline constexpr int kSaveButton = 1016;      // "存入命例库"
inline constexpr int kLibraryButton = 1017;   // "命例库..."
inline constexpr int kRecentButton = 1018;    // "最近...": the last ten births cast
inline constexpr int kSettingsButton = 1019;  // "设置...": the chart conventions
}  // namespace form_id

// String 101: the menu entry that opens the About box.
inline constexpr std::string_view kAboutMenuText = "关于 Qelvar排盘(&A)...";

const DialogTemplate& FormTemplate();   // template 102
const DialogTemplate& AboutTemplate();  // template 100

// The double-hour list 1006 (index 12 is the late 子 hour) and the
// ten-minute list 1009, in template order.
extern const std::array<std::string_view, 13> kHourEntries;
extern const std::array<std::string_view, 12> kMinuteEntries;

}  // namespace qelvar
