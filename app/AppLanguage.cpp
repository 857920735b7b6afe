#include "app/AppLanguage.h"

#include <QByteArray>
#include <QtGlobal>

namespace qelvar {

namespace {

Language g_language = Language::ZhCN;

}  // namespace

Language AppLanguage() {
    return g_language;
}

void SetAppLanguage(Language language) {
    g_language = language;
}

Language SystemLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return LanguageOfLocale(std::string_view(value.constData(), value.size()));
    }
    return Language::ZhCN;
}

QString Localized(std::string_view simplified) {
    if (!IsTraditional(g_language))
        return QString::fromUtf8(simplified.data(), static_cast<qsizetype>(simplified.size()));
    const std::string text = Localize(g_language, simplified);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Localized(const QString& simplified) {
    if (!IsTraditional(g_language)) return simplified;
    return Localized(std::string_view(simplified.toStdString()));
}

}  // namespace qelvar
