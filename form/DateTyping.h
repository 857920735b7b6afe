#pragma once
// A date typed into a year / month / day picker, key by key, the way people
// write dates: "1988/6/15", "1988-06-15", "1988.6.15", "19880615".  Both
// date pickers feed their keys to it, so they type alike.
//
// The entry starts from the picker's value with one section selected (the
// section clicked, or the year after Tab or Ctrl+A).  A digit replaces the
// selected section, then appends to it; a section that can take no further
// digit hands over to the next one.  "/", "-", "." and Space move to the next
// section (a separator right after such a hand-over is the same move, not a
// second one).  Backspace deletes the last digit and, from an empty section,
// steps back into the previous one.  An entry begun on the month or the day
// that outgrows its section ("19..." typed over the day) is a whole date: it
// starts again at the year with the digits typed so far.

#include <array>
#include <optional>
#include <string>

namespace qelvar {

struct DateFields {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const DateFields&, const DateFields&) = default;
};

class DateTyping {
public:
    enum Section { kYear = 0, kMonth = 1, kDay = 2 };

    // `maxDay`: the largest day the picker's months have (31, or 30 for
    // lunar months).  `whole`: the whole text is selected (Ctrl+A), so the
    // first key clears every section.
    DateTyping(DateFields start, Section selected, bool whole, int maxDay);

    // Each returns false when the key is refused (the entry is unchanged).
    bool Digit(int digit);
    bool Separator();
    bool Backspace();

    // "1988/6/1" as typed so far, "/" between the sections.
    std::string Text() const;
    // Start and length of each section in Text().
    std::array<std::pair<int, int>, 3> Spans() const;
    Section Current() const { return m_current; }
    // Whether the next digit replaces the current section.
    bool CurrentSelected() const { return m_fresh; }

    // The date typed so far, once it is meant: a four-digit year and a
    // month and a day other than 0.  Empty while a section is still being
    // typed ("198", "1988//15", "1988/0").
    std::optional<DateFields> Meant() const;

private:
    bool Fits(Section s, const std::string& digits) const;
    bool Full(Section s) const;
    void MoveOn(bool byItself);

    std::array<std::string, 3> m_text;
    std::array<std::string, 3> m_startText;
    Section m_current;
    Section m_startSection;
    int m_maxDay;
    bool m_whole;                  // everything selected, nothing typed yet
    bool m_fresh = true;           // the current section is selected: a digit replaces it
    bool m_typedInto = false;      // the current section was reached by typing
    bool m_movedOn = false;        // the last digit filled a section and moved on
    bool m_onlyDigitsHere = true;  // since the start, only digits typed, all in one section
};

}  // namespace qelvar
