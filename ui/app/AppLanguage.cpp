#include "ui/app/AppLanguage.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QtGlobal>

#include "ui/app/AppSettings.h"

namespace qelvar {

namespace {

Language g_language = Language::ZhCN;

// The settings file of the program.
QSettings& Settings() {
    return AppSettings();
}

constexpr char kLanguageKey[] = "language";

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

Language StartLanguage() {
    // QELVAR_LANG (zh-CN, zh-TW, zh-HK) holds for this run over both.
    const QByteArray asked = qgetenv("QELVAR_LANG");
    if (const std::optional<Language> l =
            ParseLanguage(std::string_view(asked.constData(), std::size_t(asked.size()))))
        return *l;
    const std::string chosen = Settings().value(kLanguageKey).toString().toStdString();
    if (const std::optional<Language> l = ParseLanguage(chosen)) return *l;
    return SystemLanguage();
}

void RememberLanguage(Language language) {
    const std::string_view code = LanguageCode(language);
    Settings().setValue(kLanguageKey,
                        QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
    Settings().sync();
}

void InstallQtTranslations(Language language) {
    // The program's own texts: one translator for the whole run, replaced
    // when the language changes and none for zh-CN, the texts' own language.
    static QTranslator* own = nullptr;
    if (own != nullptr) {
        QCoreApplication::removeTranslator(own);
        delete own;
        own = nullptr;
    }
    if (IsTraditional(language)) {
        const QString file = language == Language::ZhHK ? QStringLiteral(":/i18n/qelvar_zh_HK.qm")
                                                        : QStringLiteral(":/i18n/qelvar_zh_TW.qm");
        auto* loaded = new QTranslator;
        if (loaded->load(file)) {
            QCoreApplication::installTranslator(loaded);
            own = loaded;
        } else {
            delete loaded;
        }
    }
    // Qt's own texts, likewise one translator replaced on a change.
    static QTranslator* translator = nullptr;
    if (translator != nullptr) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    // Qt ships zh_CN and zh_TW; Hong Kong reads the traditional one.
    const QString name =
        IsTraditional(language) ? QStringLiteral("qtbase_zh_TW") : QStringLiteral("qtbase_zh_CN");
    auto* loaded = new QTranslator;
    if (loaded->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(loaded);
        translator = loaded;
    } else {
        delete loaded;
    }
    switch (language) {
        case Language::ZhTW:
            QLocale::setDefault(
                QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan));
            break;
        case Language::ZhHK:
            QLocale::setDefault(
                QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::HongKong));
            break;
        case Language::ZhCN:
            QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
            break;
    }
}

QString LanguageMenuName(Language language) {
    switch (language) {
        case Language::ZhTW:
            return QStringLiteral("繁體中文（台灣）");
        case Language::ZhHK:
            return QStringLiteral("繁體中文（香港）");
        case Language::ZhCN:
            break;
    }
    return QStringLiteral("简体中文");
}

QString CoreText(std::string_view simplified) {
    const QByteArray source(simplified.data(), static_cast<qsizetype>(simplified.size()));
    return QCoreApplication::translate(kCoreTextContext, source.constData());
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
