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

// A text of the chart or the calendar in the application's language.
QString Localized(std::string_view simplified);
QString Localized(const QString& simplified);

}  // namespace qelvar
