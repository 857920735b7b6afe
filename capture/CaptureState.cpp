#include "capture/CaptureState.h"

#include <algorithm>

namespace qelvar {

ScreenRect Nudged(const ScreenRect& r, NudgeKey key, bool shift) {
    ScreenRect n = r;
    switch (key) {
        case NudgeKey::Left:
            if (!shift) --n.left;
            --n.right;
            break;
        case NudgeKey::Up:
            if (!shift) --n.top;
            --n.bottom;
            break;
        case NudgeKey::Right:
            ++n.left;
            if (!shift) ++n.right;
            break;
        case NudgeKey::Down:
            ++n.top;
            if (!shift) ++n.bottom;
            break;
        case NudgeKey::Other:
            break;
    }
    return n;
}

std::optional<ScreenRect> GrabRectOnScreen(const ScreenRect& rect, int screenWidth,
                                           int screenHeight) {
    const ScreenRect n = Normalised(rect);
    const ScreenRect clamped{std::max(n.left, 0), std::max(n.top, 0),
                             std::min(n.right, screenWidth), std::min(n.bottom, screenHeight)};
    if (IsRectEmpty(clamped)) return std::nullopt;
    return clamped;
}

CapturePhase CaptureStateMachine::Phase() const {
    if (m_track) return CapturePhase::Adjusting;
    if (!m_bButtonDown && !m_bDragging && !m_bHasSelection) return CapturePhase::Idle;
    if (m_bButtonDown && m_bDragging) {
        return m_bHasSelection ? CapturePhase::Dragging : CapturePhase::Armed;
    }
    if (!m_bButtonDown && !m_bDragging && m_bHasSelection) return CapturePhase::Selected;
    return CapturePhase::Other;
}

// Press and release change the state the help text describes: both
// refresh it at once.
CaptureActions CaptureStateMachine::OnLeftPress(int hit, ScreenPoint p) {
    m_bButtonDown = true;
    CaptureActions a{kActRepaint | kActUpdateHelpText};
    if (hit < 0) {
        if (!m_bHasSelection) {
            m_ptDragStart = p;
            m_bDragging = true;
        }
        return a;
    }
    // A handle or the inside: only a selection has them.
    m_track = TrackDrag{static_cast<TrackerHit>(hit), p, Normalised(m_rcBox), m_rcBox};
    a.flags |= kActRunTrackLoop;
    return a;
}

CaptureActions CaptureStateMachine::OnMouseMove(ScreenPoint p) {
    CaptureActions a{kActUpdateHelpText};
    if (m_bDragging) {
        m_bHasSelection = true;
        m_rcBox = {m_ptDragStart.x, m_ptDragStart.y, p.x, p.y};
        a.flags |= kActRepaint;
    }
    return a;
}

CaptureActions CaptureStateMachine::OnTrackMove(ScreenPoint p) {
    if (!m_track) return {};
    const ScreenPoint delta{p.x - m_track->start.x, p.y - m_track->start.y};
    const ScreenRect r = Resized(m_track->startRect, m_track->hit, delta, /*allowInvert=*/true);
    if (r == m_rcBox) return {};
    m_rcBox = r;
    return {kActTrackStep};
}

CaptureActions CaptureStateMachine::OnLeftRelease() {
    m_track.reset();
    m_bButtonDown = false;
    m_bDragging = false;
    return {kActRepaint | kActUpdateHelpText};
}

CaptureActions CaptureStateMachine::OnTrackAbort() {
    if (!m_track) return {};
    m_rcBox = m_track->storedRect;
    return OnLeftRelease();
}

CaptureActions CaptureStateMachine::OnDoubleClick(int hit) {
    if (static_cast<TrackerHit>(hit) != TrackerHit::Middle) return OnCancel();
    CaptureActions a{kActGrabAndSave, m_rcBox};
    a |= OnCancel();  // clears the selection
    a |= OnCancel();  // closes
    return a;
}

CaptureActions CaptureStateMachine::OnRightPress() {
    if (m_track) return OnTrackAbort();
    if (!m_bHasSelection) return OnCancel();
    m_bHasSelection = false;  // m_bDragging is left as it is
    m_rcBox = kNoSelection;
    return {kActRepaint};
}

CaptureActions CaptureStateMachine::OnCancel() {
    if (m_track) return OnTrackAbort();
    if (!m_bHasSelection) return {kActClose};
    m_bHasSelection = false;
    m_bDragging = false;
    m_rcBox = kNoSelection;
    return {kActRepaint};
}

CaptureActions CaptureStateMachine::NudgeSelection(NudgeKey key, bool shift) {
    if (!m_bHasSelection || key == NudgeKey::Other) return {};
    m_rcBox = Nudged(m_rcBox, key, shift);
    return {kActRepaint};
}

}  // namespace qelvar
