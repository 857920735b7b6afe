#include "ui/capture/Track.h"

#include <QCursor>
#include <QPainter>
#include <QWidget>

#include "ui/capture/CatchScreenDlg.h"

namespace qelvar {

namespace {

Qt::CursorShape QtCursorFor(TrackerCursor c) {
    switch (c) {
        case TrackerCursor::SizeDiagonalDown:
            return Qt::SizeFDiagCursor;
        case TrackerCursor::SizeDiagonalUp:
            return Qt::SizeBDiagCursor;
        case TrackerCursor::SizeVertical:
            return Qt::SizeVerCursor;
        case TrackerCursor::SizeHorizontal:
            return Qt::SizeHorCursor;
        case TrackerCursor::Move:
            return Qt::SizeAllCursor;
        case TrackerCursor::None:
            break;
    }
    return Qt::ArrowCursor;
}

QRect ToQRect(const ScreenRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

bool CTrack::SetCursorFor(QWidget* owner, int hit) const {
    const TrackerCursor c = CursorFor(static_cast<TrackerHit>(hit));
    if (c == TrackerCursor::None) return false;
    owner->setCursor(QtCursorFor(c));
    return true;
}

void CTrack::RunTrackLoop(CCatchScreenDlg* owner, QPoint p) const {
    SetCursorFor(owner, HitTestAt(p));
}

void CTrack::OnTrackStep(CCatchScreenDlg* owner) const {
    owner->RepaintExceptHelpBox();
    owner->OnMouseMove(QPoint(0, 0));
}

void CTrack::PaintTracker(QPainter& painter) const {
    const ScreenRect outer = GetOuterRect();
    painter.save();
    painter.setPen(QPen(Qt::black, 0));  // cosmetic, one pixel
    painter.setBrush(Qt::NoBrush);
    // drawRect(x, y, w - 1, h - 1) covers exactly the w x h ring of pixels.
    painter.drawRect(outer.left, outer.top, outer.Width() - 1, outer.Height() - 1);
    for (const ScreenRect& h : HandleRects(m_rcBox)) painter.fillRect(ToQRect(h), Qt::black);
    painter.restore();
}

}  // namespace qelvar
