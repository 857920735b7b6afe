// The capture window's selection state machine, row by row of its state
// table, plus the arrow-key rule and the grab rectangle.
#include <gtest/gtest.h>

#include <functional>

#include "capture/CaptureState.h"

namespace qelvar {
namespace {

constexpr ScreenPoint kPress{100, 100};
constexpr ScreenPoint kRelease{300, 250};
constexpr ScreenRect kDragged{100, 100, 300, 250};

using Machine = CaptureStateMachine;

Machine Idle() {
    return Machine{};
}
Machine Armed() {
    Machine m;
    m.OnLeftPress(-1, kPress);
    return m;
}
Machine Dragging() {
    Machine m = Armed();
    m.OnMouseMove(kRelease);
    return m;
}
Machine Selected() {
    Machine m = Dragging();
    m.OnLeftRelease();
    return m;
}
Machine Adjusting() {
    Machine m = Selected();
    m.OnLeftPress(HitTestAt(m.m_rcBox, {150, 150}), {150, 150});
    return m;
}

struct Flags {
    bool buttonDown;
    bool dragging;
    bool hasSelection;
};

struct Row {
    const char* behaviour;
    std::function<Machine()> from;
    std::function<CaptureActions(Machine&)> event;
    Flags after;
    ScreenRect rect;
    unsigned mustHave;  // actions that must be present
    unsigned mustLack;  // actions that must be absent
};

TEST(CaptureStateTable, EveryRowGivesItsFlagsRectangleAndActions) {
    const Row rows[] = {
        {"idle: left press off the tracker arms a new selection",
         Idle,
         [](Machine& m) { return m.OnLeftPress(-1, kPress); },
         {true, true, false},
         kNoSelection,
         kActRepaint | kActUpdateHelpText,
         kActClose},
        {"armed: mouse move starts dragging from the press point",
         Armed,
         [](Machine& m) { return m.OnMouseMove(kRelease); },
         {true, true, true},
         kDragged,
         kActRepaint | kActUpdateHelpText,
         0},
        {"armed: release without moving leaves no selection",
         Armed,
         [](Machine& m) { return m.OnLeftRelease(); },
         {false, false, false},
         kNoSelection,
         kActRepaint | kActUpdateHelpText,
         0},
        {"armed: right press closes",
         Armed,
         [](Machine& m) { return m.OnRightPress(); },
         {true, true, false},
         kNoSelection,
         kActClose,
         0},
        {"armed: Esc closes",
         Armed,
         [](Machine& m) { return m.OnCancel(); },
         {true, true, false},
         kNoSelection,
         kActClose,
         0},
        {"dragging: the rectangle follows the mouse, up and left inverted",
         Dragging,
         [](Machine& m) {
             return m.OnMouseMove({40, 30});
         },
         {true, true, true},
         {100, 100, 40, 30},
         kActRepaint | kActUpdateHelpText,
         0},
        {"dragging: release keeps the selection",
         Dragging,
         [](Machine& m) { return m.OnLeftRelease(); },
         {false, false, true},
         kDragged,
         kActRepaint | kActUpdateHelpText,
         0},
        {"dragging: Esc clears it, the button stays down until released",
         Dragging,
         [](Machine& m) { return m.OnCancel(); },
         {true, false, false},
         kNoSelection,
         kActRepaint,
         kActClose},
        {"dragging: right press clears it but keeps dragging",
         Dragging,
         [](Machine& m) { return m.OnRightPress(); },
         {true, true, false},
         kNoSelection,
         kActRepaint,
         kActClose},
        {"dragging: after a right press the next move restores from the press point",
         [] {
             Machine m = Dragging();
             m.OnRightPress();
             return m;
         },
         [](Machine& m) {
             return m.OnMouseMove({220, 180});
         },
         {true, true, true},
         {100, 100, 220, 180},
         kActRepaint,
         0},
        {"selected: press inside runs the tracker",
         Selected,
         [](Machine& m) {
             return m.OnLeftPress(8, {150, 150});
         },
         {true, false, true},
         kDragged,
         kActRunTrackLoop | kActRepaint,
         0},
        {"selected: press on a handle runs the tracker",
         Selected,
         [](Machine& m) {
             return m.OnLeftPress(2, {299, 249});
         },
         {true, false, true},
         kDragged,
         kActRunTrackLoop,
         0},
        {"selected: press elsewhere holds the button, keeps the selection",
         Selected,
         [](Machine& m) {
             return m.OnLeftPress(-1, {500, 500});
         },
         {true, false, true},
         kDragged,
         kActRepaint,
         kActRunTrackLoop},
        {"selected: arrow key nudges",
         Selected,
         [](Machine& m) { return m.NudgeSelection(NudgeKey::Down, false); },
         {false, false, true},
         {100, 101, 300, 251},
         kActRepaint,
         0},
        {"selected: right press clears the selection",
         Selected,
         [](Machine& m) { return m.OnRightPress(); },
         {false, false, false},
         kNoSelection,
         kActRepaint,
         kActClose},
        {"selected: Esc clears the selection",
         Selected,
         [](Machine& m) { return m.OnCancel(); },
         {false, false, false},
         kNoSelection,
         kActRepaint,
         kActClose},
        {"selected: double-click outside clears the selection",
         Selected,
         [](Machine& m) { return m.OnDoubleClick(-1); },
         {false, false, false},
         kNoSelection,
         kActRepaint,
         kActClose | kActGrabAndSave},
        {"selected: double-click on a handle clears the selection",
         Selected,
         [](Machine& m) { return m.OnDoubleClick(0); },
         {false, false, false},
         kNoSelection,
         kActRepaint,
         kActClose | kActGrabAndSave},
        {"selected: double-click inside grabs, saves and closes",
         Selected,
         [](Machine& m) { return m.OnDoubleClick(8); },
         {false, false, false},
         kNoSelection,
         kActGrabAndSave | kActClose,
         0},
        {"idle: right press closes",
         Idle,
         [](Machine& m) { return m.OnRightPress(); },
         {false, false, false},
         kNoSelection,
         kActClose,
         0},
        {"idle: Esc closes",
         Idle,
         [](Machine& m) { return m.OnCancel(); },
         {false, false, false},
         kNoSelection,
         kActClose,
         0},
        {"idle: double-click closes",
         Idle,
         [](Machine& m) { return m.OnDoubleClick(-1); },
         {false, false, false},
         kNoSelection,
         kActClose,
         kActGrabAndSave},
        {"idle: mouse move only refreshes the help text",
         Idle,
         [](Machine& m) {
             return m.OnMouseMove({5, 5});
         },
         {false, false, false},
         kNoSelection,
         kActUpdateHelpText,
         kActRepaint},
        {"adjusting: release returns to selected",
         Adjusting,
         [](Machine& m) { return m.OnLeftRelease(); },
         {false, false, true},
         kDragged,
         kActRepaint,
         0},
        {"adjusting: a tracker move from the inside moves the rectangle",
         Adjusting,
         [](Machine& m) {
             return m.OnTrackMove({160, 140});
         },
         {true, false, true},
         {110, 90, 310, 240},
         kActTrackStep,
         0},
        {"adjusting: Esc puts the rectangle back and ends the drag",
         [] {
             Machine m = Adjusting();
             m.OnTrackMove({160, 140});
             return m;
         },
         [](Machine& m) { return m.OnCancel(); },
         {false, false, true},
         kDragged,
         kActRepaint,
         kActClose},
    };
    for (const Row& row : rows) {
        Machine m = row.from();
        const CaptureActions a = row.event(m);
        EXPECT_EQ(m.m_bButtonDown, row.after.buttonDown) << row.behaviour;
        EXPECT_EQ(m.m_bDragging, row.after.dragging) << row.behaviour;
        EXPECT_EQ(m.m_bHasSelection, row.after.hasSelection) << row.behaviour;
        EXPECT_EQ(m.m_rcBox, row.rect) << row.behaviour;
        EXPECT_EQ(a.flags & row.mustHave, row.mustHave) << row.behaviour;
        EXPECT_EQ(a.flags & row.mustLack, 0u) << row.behaviour;
    }
}

TEST(CaptureStateTable, NamedStatesMatchTheirFlags) {
    EXPECT_EQ(Idle().Phase(), CapturePhase::Idle);
    EXPECT_EQ(Armed().Phase(), CapturePhase::Armed);
    EXPECT_EQ(Dragging().Phase(), CapturePhase::Dragging);
    EXPECT_EQ(Selected().Phase(), CapturePhase::Selected);
    EXPECT_EQ(Adjusting().Phase(), CapturePhase::Adjusting);
    EXPECT_EQ(Armed().m_ptDragStart, kPress);
}

TEST(CaptureStateTable, DoubleClickInsideGrabsTheSelectionAsItWasBeforeClearing) {
    Machine m = Selected();
    const CaptureActions a = m.OnDoubleClick(8);
    EXPECT_EQ(a.grab, kDragged);
}

TEST(CaptureStateTable, EnterDoesNothingInAnyState) {
    for (const auto& make : {Idle, Armed, Dragging, Selected, Adjusting}) {
        Machine m = make();
        const Machine before = m;
        EXPECT_EQ(m.OnOk().flags, kActNone);
        EXPECT_EQ(m.Phase(), before.Phase());
        EXPECT_EQ(m.m_rcBox, before.m_rcBox);
    }
}

TEST(CaptureTracking, RightHandleDraggedPastTheLeftEdgeLeavesAnInvertedRectangle) {
    Machine m = Selected();
    const ScreenPoint onRight{299, 175};
    ASSERT_EQ(HitTestAt(m.m_rcBox, onRight), 5);
    m.OnLeftPress(5, onRight);
    EXPECT_TRUE(m.OnTrackMove({49, 175}).Has(kActTrackStep));
    m.OnLeftRelease();
    EXPECT_EQ(m.m_rcBox, (ScreenRect{100, 100, 50, 250}));
    // Still hit and drawn as the rectangle the user sees.
    EXPECT_EQ(HitTestAt(m.m_rcBox, {75, 175}), 8);
    EXPECT_EQ(m.Phase(), CapturePhase::Selected);
}

TEST(CaptureTracking, AMoveThatChangesNothingCausesNoStep) {
    Machine m = Adjusting();
    EXPECT_EQ(m.OnTrackMove({150, 150}).flags, kActNone);
    EXPECT_EQ(Idle().OnTrackMove({1, 1}).flags, kActNone);
}

struct NudgeRow {
    const char* behaviour;
    NudgeKey key;
    bool shift;
    ScreenRect expected;
};

TEST(CaptureNudge, ArrowsMoveByOnePixelAndShiftShrinksTheTrailingEdge) {
    const ScreenRect start{10, 10, 50, 50};
    const NudgeRow rows[] = {
        {"left moves left", NudgeKey::Left, false, {9, 10, 49, 50}},
        {"shift+left pulls the right edge in", NudgeKey::Left, true, {10, 10, 49, 50}},
        {"up moves up", NudgeKey::Up, false, {10, 9, 50, 49}},
        {"shift+up pulls the bottom edge up", NudgeKey::Up, true, {10, 10, 50, 49}},
        {"right moves right", NudgeKey::Right, false, {11, 10, 51, 50}},
        {"shift+right pushes the left edge in", NudgeKey::Right, true, {11, 10, 50, 50}},
        {"down moves down", NudgeKey::Down, false, {10, 11, 50, 51}},
        {"shift+down pushes the top edge down", NudgeKey::Down, true, {10, 11, 50, 50}},
        {"other keys change nothing", NudgeKey::Other, false, start},
    };
    for (const NudgeRow& row : rows) {
        Machine m;
        m.m_bHasSelection = true;
        m.m_rcBox = start;
        m.NudgeSelection(row.key, row.shift);
        EXPECT_EQ(m.m_rcBox, row.expected) << row.behaviour;
    }
}

TEST(CaptureNudge, NothingHappensWithoutASelection) {
    Machine m;
    EXPECT_EQ(m.NudgeSelection(NudgeKey::Left, false).flags, kActNone);
    EXPECT_EQ(m.m_rcBox, kNoSelection);
}

TEST(CaptureNudge, ShiftPastItselfLeavesTheRectangleInverted) {
    Machine m;
    m.m_bHasSelection = true;
    m.m_rcBox = {10, 10, 11, 50};
    m.NudgeSelection(NudgeKey::Left, true);
    m.NudgeSelection(NudgeKey::Left, true);
    EXPECT_EQ(m.m_rcBox, (ScreenRect{10, 10, 9, 50}));
}

struct GrabRow {
    const char* behaviour;
    ScreenRect rect;
    std::optional<ScreenRect> expected;
};

TEST(CaptureGrabRect, IsTheShownRectangleClampedToTheScreen) {
    const GrabRow rows[] = {
        {"inside the screen: as selected", kDragged, kDragged},
        {"inverted: the rectangle the user sees", {300, 250, 100, 100}, kDragged},
        {"pushed partly off the left and top: clamped", {-5, -3, 50, 60}, ScreenRect{0, 0, 50, 60}},
        {"partly off the right and bottom: clamped",
         {1900, 1070, 1930, 1090},
         ScreenRect{1900, 1070, 1920, 1080}},
        {"wholly off the screen: nothing", {-50, 10, -1, 60}, std::nullopt},
        {"wholly past the right edge: nothing", {1920, 10, 1950, 60}, std::nullopt},
        {"no selection: nothing", kNoSelection, std::nullopt},
        {"zero width: nothing", {10, 10, 10, 60}, std::nullopt},
    };
    for (const GrabRow& row : rows) {
        EXPECT_EQ(GrabRectOnScreen(row.rect, 1920, 1080), row.expected) << row.behaviour;
    }
}

}  // namespace
}  // namespace qelvar
