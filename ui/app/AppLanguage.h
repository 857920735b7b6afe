#pragma once
// The language of the desktop's texts, one for the whole process: chosen
// at start (the remembered menu choice, else the system locale) and read by
// every window as it is built.  The chart's terms are put into it through
// the term tables; the windows' own texts through Qt's translations.

#include <QString>
#include <string_view>

#include "lang/Terms.h"

namespace qelvar {

Language AppLanguage();
void SetAppLanguage(Language language);

// The language of the system locale: LC_ALL, LC_MESSAGES, then LANG (the
// first one set), zh_TW -> zh-TW, zh_HK and zh_MO -> zh-HK, else zh-CN.
Language SystemLanguage();

// The language the desktop starts in: QELVAR_LANG's when set, else the one
// last chosen in its menu, else the system locale's.
Language StartLanguage();
// Keeps the menu's choice for the next start (QSettings).
void RememberLanguage(Language language);

// Loads and installs, for a traditional language, the program's own
// translations (every window's texts, qelvar_zh_TW / qelvar_zh_HK built into
// the program) and Qt's (standard dialogs, buttons, context menus), and
// makes the matching QLocale the default (the calendar pop-up's month and
// day names).  For zh-CN it removes the program's translations again: the
// windows' texts are written in Simplified Chinese.
void InstallQtTranslations(Language language);

// A text of a Qt-free folder (the form's template and lists, the capture
// window's help box) in the language of the installed translations, under
// the context kCoreTextContext; the text itself when none is installed.
inline constexpr char kCoreTextContext[] = "qelvar::CoreText";
QString CoreText(std::string_view simplified);

// The name of a language in its own writing, for the menu:
// "简体中文", "繁體中文（台灣）", "繁體中文（香港）".
QString LanguageMenuName(Language language);

// A text of the chart or the calendar in the application's language.
QString Localized(std::string_view simplified);
QString Localized(const QString& simplified);

}  // namespace qelvar
