#include "form/DateTyping.h"

namespace qelvar {

namespace {

constexpr std::array<std::size_t, 3> kMaxDigits{4, 2, 2};

int Number(const std::string& digits) {
    int n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');  // at most four digits
    return n;
}

std::string Digits(int n) {
    return n > 0 ? std::to_string(n) : std::string("0");
}

}  // namespace

DateTyping::DateTyping(DateFields start, Section selected, bool whole, int maxDay)
    : m_text{Digits(start.year), Digits(start.month), Digits(start.day)},
      m_startText(m_text),
      m_current(whole ? kYear : selected),
      m_startSection(m_current),
      m_maxDay(maxDay),
      m_whole(whole) {}

bool DateTyping::Fits(Section s, const std::string& digits) const {
    if (digits.size() > kMaxDigits[s]) return false;
    const int n = Number(digits);
    if (s != kYear && digits.size() == kMaxDigits[s] && n == 0) return false;  // "00"
    return n <= (s == kYear ? 9999 : s == kMonth ? 12 : m_maxDay);
}

// No further digit can follow: "1988", "12", "6" (60 > 12), "15" (150 > 31);
// "0" still takes 1..9.
bool DateTyping::Full(Section s) const {
    const std::string& digits = m_text[s];
    if (digits.size() >= kMaxDigits[s]) return true;
    return !Fits(s, digits + (Number(digits) == 0 ? "1" : "0"));
}

void DateTyping::MoveOn(bool byItself) {
    m_current = static_cast<Section>(m_current + 1);
    m_fresh = true;
    m_typedInto = true;
    m_movedOn = byItself;
}

bool DateTyping::Digit(int digit) {
    if (m_whole) {
        m_text = {"", "", ""};
        m_whole = false;
    }
    const char c = static_cast<char>('0' + digit);
    const std::string candidate = (m_fresh ? std::string() : m_text[m_current]) + c;
    if (!Fits(m_current, candidate)) {
        if (!m_onlyDigitsHere || m_current != m_startSection || m_current == kYear) return false;
        // A whole date typed over the month or the day: it begins at the year.
        m_text = m_startText;
        m_text[kYear] = candidate;
        m_current = kYear;
        m_onlyDigitsHere = false;
    } else {
        m_text[m_current] = candidate;
    }
    m_fresh = false;
    m_movedOn = false;
    if (m_current != kDay && Full(m_current)) MoveOn(true);
    return true;
}

bool DateTyping::Separator() {
    m_whole = false;
    m_onlyDigitsHere = false;
    if (m_movedOn) {  // the picker is already where the separator leads
        m_movedOn = false;
        return true;
    }
    if (m_current == kDay) return false;
    MoveOn(false);
    return true;
}

bool DateTyping::Backspace() {
    m_onlyDigitsHere = false;
    m_movedOn = false;
    if (m_whole) {
        m_text = {"", "", ""};
        m_whole = false;
        m_fresh = false;
        return true;
    }
    if (m_fresh && !m_typedInto) {  // the selected section goes
        m_text[m_current].clear();
        m_fresh = false;
        return true;
    }
    if ((m_fresh || m_text[m_current].empty()) && m_current != kYear)
        m_current = static_cast<Section>(m_current - 1);  // back into the previous section
    m_fresh = false;
    if (m_text[m_current].empty()) return false;
    m_text[m_current].pop_back();
    return true;
}

std::string DateTyping::Text() const {
    return m_text[kYear] + "/" + m_text[kMonth] + "/" + m_text[kDay];
}

std::array<std::pair<int, int>, 3> DateTyping::Spans() const {
    const int year = static_cast<int>(m_text[kYear].size());
    const int month = static_cast<int>(m_text[kMonth].size());
    const int day = static_cast<int>(m_text[kDay].size());
    return {{{0, year}, {year + 1, month}, {year + month + 2, day}}};
}

std::optional<DateFields> DateTyping::Meant() const {
    if (m_text[kYear].size() != 4 || m_text[kMonth].empty() || m_text[kDay].empty())
        return std::nullopt;
    const DateFields f{Number(m_text[kYear]), Number(m_text[kMonth]), Number(m_text[kDay])};
    if (f.month == 0 || f.day == 0) return std::nullopt;
    return f;
}

}  // namespace qelvar
