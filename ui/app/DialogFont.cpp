#include "ui/app/DialogFont.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStringList>

#include "ui/app/AppLanguage.h"

namespace qelvar {

namespace {

const QString kSongName = QStringLiteral("宋体");

// Song/Ming faces from Debian's packages, best first: fonts-arphic-uming,
// then fonts-noto-cjk should UMing be missing.  Traditional texts take the
// Ming face of their region (same collection, same metrics, so templates
// keep their sizes).
QStringList SongFaces() {
    QStringList faces{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing"),
                      QStringLiteral("Noto Serif CJK SC")};
    if (AppLanguage() == Language::ZhTW) {
        faces.prepend(QStringLiteral("AR PL UMing TW"));
        faces.append(QStringLiteral("Noto Serif CJK TC"));
    } else if (AppLanguage() == Language::ZhHK) {
        faces.prepend(QStringLiteral("AR PL UMing HK"));
        faces.append(QStringLiteral("Noto Serif CJK HK"));
    }
    return faces;
}

int LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

qreal DevicePixelRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

// The style's placeholder colour is the text colour half transparent; the
// one-bit glyphs of the font at scale 1 are drawn without transparency, so
// placeholders came out as black as typed text.  The same colour mixed over
// the field's background is opaque and looks alike at every scale.
void MakePlaceholdersOpaque() {
    QPalette palette = QGuiApplication::palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = palette.color(group, QPalette::PlaceholderText);
        const QColor base = palette.color(group, QPalette::Base);
        const float a = text.alphaF();
        palette.setColor(group, QPalette::PlaceholderText,
                         QColor::fromRgbF(text.redF() * a + base.redF() * (1 - a),
                                          text.greenF() * a + base.greenF() * (1 - a),
                                          text.blueF() * a + base.blueF() * (1 - a)));
    }
    QGuiApplication::setPalette(palette);
}

}  // namespace

void InstallSongFont() {
    QFont::removeSubstitutions(kSongName);
    QFont::removeSubstitutions(QStringLiteral("SimSun"));
    QFont::insertSubstitutions(kSongName, SongFaces());
    QFont::insertSubstitutions(QStringLiteral("SimSun"), SongFaces());
    // Every widget, menu and pop-up (calendar, lists) writes in it too.
    QGuiApplication::setFont(DialogFont());
    MakePlaceholdersOpaque();
}

QFont DialogFont() {
    QFont font(kSongName);
    font.setFamilies(QStringList{kSongName} + SongFaces());
    font.setStyleHint(QFont::Serif);
    // Crisp one-bit glyphs like the bitmap strikes of a Song face at 9 pt;
    // smoothed outlines where the screen has more than one pixel per point.
    font.setStyleStrategy(DevicePixelRatio() > 1.0 ? QFont::PreferAntialias : QFont::NoAntialias);
    // 9 pt as a whole number of pixels: 12 px at 96 dpi.
    font.setPixelSize(MulDiv(9, LogicalDpi(), 72));
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnitsFromMetrics(letters, metrics.height());
}

}  // namespace qelvar
