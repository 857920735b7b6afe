#include "ui/capture/MyEdit.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTextLayout>
#include <algorithm>

#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"

namespace qelvar {

namespace {

constexpr int kLargestPixelSize = 12;  // 9 pt at 96 dpi
constexpr int kSmallestPixelSize = 7;

struct Paragraph {
    bool bullet = false;
    QString text;
    bool gapBefore = false;  // a blank line came before it
};

// "·" items and the lines that continue them, blank lines between.
std::vector<Paragraph> Paragraphs(const QString& text) {
    const QChar dot(0x00B7);
    std::vector<Paragraph> paragraphs;
    bool gap = false;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            gap = !paragraphs.empty();  // blank lines above the first item: none
            continue;
        }
        if (line.front() == dot || paragraphs.empty() || gap) {
            const bool bullet = line.front() == dot;
            paragraphs.push_back({bullet, bullet ? line.mid(1).trimmed() : line, gap});
        } else {
            paragraphs.back().text += line;  // continues the item above
        }
        gap = false;
    }
    return paragraphs;
}

HelpBoxLayout LayOutAt(const std::vector<Paragraph>& paragraphs, const QFont& font,
                       const QRect& panel) {
    HelpBoxLayout layout;
    layout.font = font;
    const QFontMetricsF metrics(font);
    const QString dot(QChar(0x00B7));
    const qreal indent = metrics.horizontalAdvance(dot) + metrics.horizontalAdvance(QChar(' '));
    const qreal lineHeight = metrics.lineSpacing();
    const qreal textWidth = panel.width() - indent;
    qreal top = panel.top();
    qreal widest = 0;
    for (const Paragraph& p : paragraphs) {
        if (p.gapBefore) top += lineHeight / 2;
        if (p.bullet) {
            layout.bullets.push_back({QPointF(panel.left(), top), dot});
            widest = std::max(widest, metrics.horizontalAdvance(dot));
        }
        QTextLayout text(p.text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        text.setTextOption(option);
        text.beginLayout();
        for (QTextLine line = text.createLine(); line.isValid(); line = text.createLine()) {
            line.setLineWidth(textWidth);
            layout.lines.push_back({QPointF(panel.left() + indent, top),
                                    p.text.mid(line.textStart(), line.textLength())});
            widest = std::max(widest, indent + line.naturalTextWidth());
            top += lineHeight;
        }
        text.endLayout();
    }
    layout.bounds = QRectF(panel.left(), panel.top(), widest, top - panel.top());
    layout.fits = widest <= panel.width() && top <= panel.top() + panel.height();
    return layout;
}

}  // namespace

HelpBoxLayout LayOutHelpText(const QString& text, const QFont& font, const QRect& panel) {
    const std::vector<Paragraph> paragraphs = Paragraphs(text);
    QFont sized = font;
    HelpBoxLayout layout;
    for (int px = kLargestPixelSize; px >= kSmallestPixelSize; --px) {
        sized.setPixelSize(px);
        layout = LayOutAt(paragraphs, sized, panel);
        if (layout.fits) break;
    }
    return layout;
}

CMyEdit::CMyEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // The picture's title is 截图, or 截圖 for the traditional languages.
    const QPixmap picture(IsTraditional(AppLanguage())
                              ? QStringLiteral(":/capture/picture134_hant.bmp")
                              : QStringLiteral(":/capture/picture134.bmp"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCursorWidth(0);
    setFont(DialogFont());
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
    m_layout = LayOutHelpText(shown, font(), TextPanel());
    viewport()->update();
}

void CMyEdit::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_layout = LayOutHelpText(toPlainText(), font(), TextPanel());
}

// The picture (the viewport's background) and the text laid out over it.
void CMyEdit::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(m_layout.font);
    painter.setPen(palette().color(QPalette::Text));
    const qreal ascent = QFontMetricsF(m_layout.font).ascent();
    for (const auto* runs : {&m_layout.bullets, &m_layout.lines}) {
        for (const HelpBoxLayout::Run& run : *runs)
            painter.drawText(run.at + QPointF(0, ascent), run.text);
    }
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
