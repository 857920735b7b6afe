#pragma once
// CTrack: the Qt half of the selection tracker.  The rectangle and the drag
// itself live in the capture window's state machine (m_rcBox, OnTrackMove);
// this class shows the cursors, paints the frame and handles, and gives the
// owner its feedback after every change of the rectangle.

#include <QPoint>

#include "capture/TrackGeometry.h"

class QPainter;
class QWidget;

namespace qelvar {

class CCatchScreenDlg;

class CTrack {
public:
    // `box` is the owner's selection rectangle, read and written by it.
    explicit CTrack(ScreenRect& box) : m_rcBox(box) {}

    ScreenRect& m_rcBox;

    int HitTestAt(QPoint p) const { return qelvar::HitTestAt(m_rcBox, {p.x(), p.y()}); }

    // Shows the resize or move cursor for a hit code on `owner`; false when
    // the code is no part of the tracker (the owner then shows its own).
    bool SetCursorFor(QWidget* owner, int hit) const;

    // Starts a drag from `p` on a handle or the inside.  The drag runs
    // inside the owner's own mouse events (moves go to its state machine's
    // OnTrackMove) and ends with the left button's release; the cursor of
    // the pressed part stays on for the whole drag.
    void RunTrackLoop(CCatchScreenDlg* owner, QPoint p) const;

    // Feedback after every change of the rectangle during a drag: the owner
    // repaints everything but its help box and gets a mouse move at (0, 0)
    // so that it refreshes its help text.
    void OnTrackStep(CCatchScreenDlg* owner) const;

    // Solid border just outside the normalised rectangle (on the ring that
    // GetOuterRect encloses) and the eight handles inside it.
    void PaintTracker(QPainter& painter) const;

    ScreenRect GetOuterRect() const { return qelvar::GetOuterRect(m_rcBox); }
};

}  // namespace qelvar
