#pragma once
// The capture window's selection state machine, free of any window system.
// The window feeds it one call per event and carries out the actions it
// returns (repaint, refresh the help text, tracker step, grab and save,
// close).  The flags keep the window's own names:
//
//   state      m_bButtonDown m_bDragging m_bHasSelection  help text
//   Idle           false        false        false        press text
//   Armed          true         true         false        none
//   Dragging       true         true         true         release text
//   Selected       false        false        true         adjust text
//   Adjusting      true         false        true         adjust text (tracker drag running)

#include <optional>

#include "capture/ScreenRect.h"
#include "capture/TrackGeometry.h"

namespace qelvar {

// Actions for the window, carried out in the order listed.
enum CaptureAction : unsigned {
    kActNone = 0,
    kActGrabAndSave = 1u << 0,   // copy `grab` of the frozen image to the clipboard, then save it
    kActRunTrackLoop = 1u << 1,  // a tracker drag has begun (moves now go to OnTrackMove)
    kActRepaint = 1u << 2,       // RepaintExceptHelpBox
    kActTrackStep = 1u << 3,     // tracker step: repaint the owner, send it a mouse move at (0, 0)
    kActUpdateHelpText = 1u << 4,
    kActClose = 1u << 5,  // end the modal run
};

struct CaptureActions {
    unsigned flags = kActNone;
    ScreenRect grab = kNoSelection;  // the rectangle to grab, with kActGrabAndSave

    bool Has(CaptureAction a) const { return (flags & a) != 0; }
    CaptureActions& operator|=(const CaptureActions& o) {
        flags |= o.flags;
        if (o.flags & kActGrabAndSave) grab = o.grab;
        return *this;
    }
};

// Named states of the table above; Other covers the transient flag sets
// (button held after Esc, or pressed outside an existing selection).
enum class CapturePhase { Idle, Armed, Dragging, Selected, Adjusting, Other };

// Arrow keys for NudgeSelection; every other key is Other.
enum class NudgeKey { Left, Up, Right, Down, Other };

// Rectangle after one arrow key: without Shift it moves by one pixel, with
// Shift the edge trailing the arrow moves, so the rectangle shrinks by one.
// No normalising or clamping.
ScreenRect Nudged(const ScreenRect& r, NudgeKey key, bool shift);

// The part of `rect` that can be copied from a screen of the given size: the
// rectangle as the user sees it (normalised), clamped to the screen.  None
// when that is empty (an empty selection or one wholly off the screen).
std::optional<ScreenRect> GrabRectOnScreen(const ScreenRect& rect, int screenWidth,
                                           int screenHeight);

class CaptureStateMachine {
public:
    bool m_bButtonDown = false;
    bool m_bDragging = false;
    bool m_bHasSelection = false;
    ScreenPoint m_ptDragStart{0, 0};
    ScreenRect m_rcBox = kNoSelection;  // the tracker's rectangle, kept as dragged

    CapturePhase Phase() const;
    bool IsTracking() const { return m_track.has_value(); }

    // Left press at p; hit is HitTestAt(m_rcBox, p).
    CaptureActions OnLeftPress(int hit, ScreenPoint p);
    // Mouse move at p outside a tracker drag (also the tracker's synthetic move).
    CaptureActions OnMouseMove(ScreenPoint p);
    // Mouse move at p during a tracker drag: moves or resizes the rectangle
    // from the handle that was pressed, inversion allowed.
    CaptureActions OnTrackMove(ScreenPoint p);
    // Left release; ends a tracker drag first.
    CaptureActions OnLeftRelease();
    CaptureActions OnDoubleClick(int hit);
    CaptureActions OnRightPress();
    // Cancel command: Esc, and the steps of the double-click and right press.
    // During a tracker drag it aborts the drag instead (OnTrackAbort).
    CaptureActions OnCancel();
    // Esc or the right button during a tracker drag: the rectangle goes back
    // to what it was at the press and the drag ends as if the button were
    // released.
    CaptureActions OnTrackAbort();
    // OK command (Enter): nothing.
    CaptureActions OnOk() { return {}; }
    // Arrow keys: nothing unless a selection exists.
    CaptureActions NudgeSelection(NudgeKey key, bool shift);

private:
    struct TrackDrag {
        TrackerHit hit;
        ScreenPoint start;      // press point
        ScreenRect startRect;   // normalised rectangle at the press
        ScreenRect storedRect;  // m_rcBox as stored at the press
    };
    std::optional<TrackDrag> m_track;
};

}  // namespace qelvar
