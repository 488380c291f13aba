#pragma once

#include "base/tr_string.h"

#include <QString>

// The language tables: TR_COUNT zero-terminated UTF-8 texts each, all in the order of
// EnumTrString. Entry 0 is the placeholder "tr" everywhere.
extern const char* const languageResource_english[TR_COUNT];
extern const char* const languageResource_russian[TR_COUNT];
extern const char* const languageResource_french[TR_COUNT];
extern const char* const languageResource_german[TR_COUNT];
extern const char* const languageResource_nederlands[TR_COUNT];
extern const char* const languageResource_polish[TR_COUNT];
extern const char* const languageResource_spanish[TR_COUNT];
extern const char* const languageResource_chinese[TR_COUNT];

// The values of the configuration's systemLanguage, in the order of the language menu.
enum EnumLanguage : int {
    LanguageEnglish = 0,
    LanguageRussian,
    LanguageFrench,
    LanguageGerman,
    LanguageDutch,
    LanguagePolish,
    LanguageSpanish,
    LanguageChinese,
    LanguageCount
};

// Every user-visible text is fetched here at the moment it is shown, so a language change
// applies to the next text asked for.
class TrResource {
public:
    // The text of id in the language of Global::configuration.systemLanguage.
    static QString getTrString(EnumTrString id);
    // The text of id in the given language. A language outside 0..7 gives English; an id
    // outside the table gives an empty text.
    static QString getTrString(EnumTrString id, int language);
    // True when text is the text of id in any of the languages. Fields that store a shown
    // text use it to recognise the text after a language change.
    static bool isTextOfAnyLanguage(EnumTrString id, const QString& text);

    // Compile-time check for a language table: no entry left out or empty.
    static constexpr bool isComplete(const char* const (&table)[TR_COUNT]) {
        for (const char* text : table) {
            if (text == nullptr || text[0] == '\0') return false;
        }
        return true;
    }
};
