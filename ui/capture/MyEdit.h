#pragma once
// CMyEdit: the capture window's help box.  A read-only multi-line text over
// picture 134 that jumps between the screen's top-left and top-right corners
// whenever the mouse moves over it.  It never takes mouse input: a press
// over it (a pointer that jumped there before the box moved away) goes to
// the capture window like a press anywhere else.
//
// The text is laid out over the picture's blue panel, below its title and
// above the wave: each "·" item with the lines that continue it wrapped
// beside its bullet, every bullet in one column and every text in the next,
// a blank line as half a line, in the largest size of the dialog font (9 pt
// at most) that fits the panel.

#include <QFont>
#include <QPlainTextEdit>
#include <string_view>
#include <vector>

namespace qelvar {

// The help text placed in a panel: where each bullet and each line of text
// is drawn (top-left corners, box pixels) and the font.
struct HelpBoxLayout {
    struct Run {
        QPointF at;
        QString text;
    };
    QFont font;
    std::vector<Run> bullets;
    std::vector<Run> lines;
    QRectF bounds;  // of every bullet and line, as the font measures them
    bool fits = false;
};

// `text` uses "\n" line breaks; `panel` is the free area in box pixels.
HelpBoxLayout LayOutHelpText(const QString& text, const QFont& font, const QRect& panel);

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

    // The part of the picture free for text: below the title, above the wave.
    static QRect TextPanel() { return {5, 20, 162, 111}; }
    const HelpBoxLayout& Layout() const { return m_layout; }

    // Jumps to the other corner (the first call stays at the left one).
    void DodgeMouse();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::string m_strText;
    HelpBoxLayout m_layout;
};

}  // namespace qelvar
