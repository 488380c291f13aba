#include "base/tr_resource.h"

#include "base/global.h"

namespace {

const char* const* languageTable(int language) {
    static const char* const* const tables[LanguageCount] = {
        languageResource_english, languageResource_russian,    languageResource_french,
        languageResource_german,  languageResource_nederlands, languageResource_polish,
        languageResource_spanish, languageResource_chinese};
    if (language < 0 || language >= LanguageCount) return languageResource_english;
    return tables[language];
}

bool isValidId(EnumTrString id) {
    return id >= 0 && id < TR_COUNT;
}

}  // namespace

QString TrResource::getTrString(EnumTrString id) {
    return getTrString(id, Global::configuration.systemLanguage);
}

QString TrResource::getTrString(EnumTrString id, int language) {
    // An id made from a number at run time must not read past the table.
    if (!isValidId(id)) return QString();
    // The tables are UTF-8 whatever the locale codec says, so they are decoded as such.
    return QString::fromUtf8(languageTable(language)[id]);
}

bool TrResource::isTextOfAnyLanguage(EnumTrString id, const QString& text) {
    if (!isValidId(id)) return false;
    for (int language = 0; language < LanguageCount; ++language) {
        if (text == QString::fromUtf8(languageTable(language)[id])) return true;
    }
    return false;
}
