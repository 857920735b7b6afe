#pragma once
// CCatchScreenDlg: the capture window.  It freezes the primary screen when
// constructed (reading the screen itself on X11, through the desktop's
// screenshot portal on Wayland), covers the screen with that picture in a
// frameless topmost full-screen window and lets the user select a rectangle with the mouse and the
// arrow keys; a double-click inside the selection copies it to the clipboard and offers to save it
// as a BMP file.  The selection logic is the platform-free CaptureStateMachine; this class routes
// events to it and carries out the actions it returns.

#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <optional>

class QScreen;

#include "capture/BmpFile.h"
#include "capture/CaptureState.h"
#include "capture/PictureMapping.h"
#include "capture/ScreenSource.h"
#include "ui/capture/MyEdit.h"
#include "ui/capture/Track.h"

namespace qelvar {

class CCatchScreenDlg : public QDialog {
    Q_OBJECT
public:
    // Grabs the screen; the window is built but not shown (exec() shows it).
    explicit CCatchScreenDlg(QWidget* parent = nullptr);
    ~CCatchScreenDlg() override;

    // Runs the window modally; when the screen could not be frozen it tells
    // the user why instead and returns Rejected without showing the window.
    int exec() override;

    // How freezing the screen went: Captured, or why there is no picture.
    PortalOutcome FreezeOutcome() const { return m_freezeOutcome; }

    // The part of `rect` on the screen (normalised, then clamped), copied
    // from the frozen picture (which also puts it on the clipboard) or from
    // the live screen.  None when nothing of it is on the screen.
    std::optional<QImage> GrabScreenRect(const ScreenRect& rect, bool fromFrozen);

    // Help box text: colour and position of the pixel under the cursor and
    // the instruction for the current state.
    void UpdateHelpText();

    // Corner and size of `r` and the cursor position, beside the cursor.
    void DrawReadout(QPainter& painter, const ScreenRect& r) const;

    // Repaints the whole window except the help box.
    void RepaintExceptHelpBox();

    // Arrow keys (Qt key codes) move the selection by one pixel, with Shift
    // they shrink it by one; other keys and no selection: nothing.
    void NudgeSelection(int qtKey, bool shift);

    // The window's mouse-move handling outside a tracker drag; the tracker
    // calls it with (0, 0) after each step, the position itself is read
    // from the cursor.
    void OnMouseMove(QPoint p);

    // Asks for a file name and writes the image there; a failure is shown
    // and the user may choose another name or give up.
    void SaveSelection(const QImage& image);

    // Writes the image as a BMP at the depth the screen reports.
    static AtomicWriteResult WriteBmpFile(const QImage& image, const QString& path);

    // For the application's event filter: a key press addressed to the
    // capture window `capture` or a window inside it goes to its
    // NudgeSelection.  The event itself is left alone.
    static void OfferKeyPress(QWidget* capture, QObject* receiver, const QEvent* event);

    // The file chooser and the failure message of SaveSelection.  Empty
    // functions (the default) mean the real save dialog and message box;
    // tests put their own in.
    struct SaveHooks {
        std::function<QString(QWidget* parent)> chooseFile;
        std::function<void(QWidget* parent, const QString& file, const QString& reason)> warn;
    };
    static void SetSaveHooks(SaveHooks hooks);

    // The screen as it was, in device pixels, with its picture pixels per
    // window pixel as device pixel ratio.
    const QImage& FrozenImage() const { return m_pFrozenImage; }
    const CaptureStateMachine& State() const { return m_state; }
    CMyEdit* HelpBox() const { return m_helpBox; }

public slots:
    void accept() override;  // OK command (Enter): nothing
    void reject() override;  // Cancel command (Esc)

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QImage FreezeScreen(QScreen* screen);
    // Tells the user why the screen could not be frozen.
    void ShowFailure();
    static constexpr int kMessageWaitMs = 60000;
    QRect FrozenPixels(const QRect& r) const;
    // The window covers `width` x `height` window pixels of the screen.
    void SetCoveredSize(int width, int height);
    void Apply(const CaptureActions& actions);
    void ShowCursorAt(QPoint p);

    int m_nScreenWidth = 0;  // the screen in window pixels: the window's size once shown
    int m_nScreenHeight = 0;
    PictureMapping m_mapping;  // frozen picture pixels per window pixel
    QCursor m_hCaptureCursor;
    QImage m_pFrozenImage;
    CaptureStateMachine m_state;  // m_bButtonDown, m_bDragging, m_bHasSelection, m_ptDragStart
    CTrack m_tracker{m_state.m_rcBox};
    QRegion m_rgnRepaint;
    CMyEdit* m_helpBox = nullptr;
    QPoint m_ptCursor;  // last real mouse position in window pixels
    QPoint m_ptPress;   // where the left button went down
    PortalOutcome m_freezeOutcome = PortalOutcome::Captured;
    QPointer<QWidget> m_owner;  // the window the capture was asked from
};

}  // namespace qelvar
