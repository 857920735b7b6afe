#include "capture/MyEdit.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace qelvar {

namespace {

QFont HelpFont() {
    QFont f;
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")});
    f.setPointSize(9);
    return f;
}

}  // namespace

CMyEdit::CMyEdit(QWidget* parent) : QPlainTextEdit(parent) {
    const QPixmap picture(QStringLiteral(":/capture/picture134.bmp"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCursorWidth(0);
    setFont(HelpFont());
    document()->setDocumentMargin(2);
    // The picture is the background; the text is drawn over it in black.
    QPalette pal = palette();
    pal.setBrush(QPalette::Base, QBrush(picture));
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(picture.isNull() ? QSize(172, 146) : picture.size());
}

void CMyEdit::SetHelpText(std::string_view text) {
    if (text == m_strText) return;
    m_strText = text;
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);  // also puts the (hidden) caret at the start
}

void CMyEdit::mouseMoveEvent(QMouseEvent* event) {
    DodgeMouse();
    QPlainTextEdit::mouseMoveEvent(event);
}

void CMyEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    setCursorWidth(0);
}

void CMyEdit::DodgeMouse() {
    // The capture window covers the screen; its width is the screen's in
    // window pixels, which Qt's screen size is not on every desktop.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = parentWidget() ? parentWidget()->width()
                            : screen       ? screen->geometry().width()
                                           : 0;
    move(m_bGoLeft ? LeftCorner() : RightCorner(screenWidth));
    m_bGoLeft = !m_bGoLeft;
}

}  // namespace qelvar
