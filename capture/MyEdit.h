#pragma once
// CMyEdit: the capture window's help box.  A read-only multi-line text over
// picture 134 that jumps between the screen's top-left and top-right corners
// whenever the mouse moves over it.  It never takes mouse input: a press
// over it (a pointer that jumped there before the box moved away) goes to
// the capture window like a press anywhere else.

#include <QPlainTextEdit>
#include <string_view>

namespace qelvar {

class CMyEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CMyEdit(QWidget* parent);

    // Replaces the text; `text` is the help text with "\r\n" line breaks.
    void SetHelpText(std::string_view text);
    const std::string& HelpText() const { return m_strText; }

    // Where the box goes at the next mouse-over: true the left corner.
    bool m_bGoLeft = true;

    // The two corners (window pixels) for a screen of the given width.
    static QPoint LeftCorner() { return {10, 10}; }
    static QPoint RightCorner(int screenWidth) { return {screenWidth - 180, 10}; }

    // Jumps to the other corner (the first call stays at the left one).
    void DodgeMouse();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    std::string m_strText;
};

}  // namespace qelvar
