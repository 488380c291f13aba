#include "base/tr_resource.h"

// Polish texts, in the order of EnumTrString.
extern constexpr const char* languageResource_polish[TR_COUNT] = {
    "tr",                                                  // 0
    "Dalej",                                               // 1
    "Wyjście",                                             // 2
    "WŁ.",                                                 // 3
    "WYŁ.",                                                // 4
    "AUTO",                                                // 5
    "RĘCZNY",                                              // 6
    "PODST.",                                              // 7
    "Czułość",                                             // 8
    "Filtr powierzchni",                                   // 9
    "Czułość ryb",                                         // 10
    "Tło",                                                 // 11
    "Regulacja kolorów",                                   // 12
    "Styl kolorów",                                        // 13
    "Kolor trasy",                                         // 14
    "Tryb zaawansowany",                                   // 15
    "SONAR",                                               // 16
    "Zakres głębokości",                                   // 17
    "Maks. głębokość",                                     // 18
    "Wzmocnienie sonaru",                                  // 19
    "Wiązka sonaru",                                       // 20
    "Wczytaj kolory",                                      // 21
    "Dane na ekranie",                                     // 22
    "Głębokość",                                           // 23
    "Temperatura",                                         // 24
    "Akum. łodzi",                                         // 25
    "Godzina",                                             // 26
    "Kurs",                                                // 27
    "Prędkość",                                            // 28
    "Data",                                                // 29
    "Od domu",                                             // 30
    "Akum. główny",                                        // 31
    "Satelity",                                            // 32
    "Odl. do celu",                                        // 33
    "Korekta głęb.",                                       // 34
    "Korekta temp.",                                       // 35
    "Korekta napięcia łodzi",                              // 36
    "Alarm płycizny",                                      // 37
    "Jednostki",                                           // 38
    "USTAWIENIA GPS",                                      // 39
    "Filtr GPS",                                           // 40
    "Jedn. odległości",                                    // 41
    "Jedn. prędkości",                                     // 42
    "Strefa czasowa",                                      // 43
    "Zegar 24 h",                                          // 44
    "Krok próbkowania",                                    // 45
    "Alarm dotarcia",                                      // 46
    "Kalibracja kompasu pilota",                           // 47
    "Kalibracja kompasu łodzi",                            // 48
    "Test kompasu",                                        // 49
    "AUTOPILOT",                                           // 50
    "Test okablowania",                                    // 51
    "Naprzód",                                             // 52
    "W lewo",                                              // 53
    "W prawo",                                             // 54
    "Stop",                                                // 55
    "Typ łodzi",                                           // 56
    "Łódź H",                                              // 57
    "1 silnik",                                            // 58
    "2 silniki",                                           // 59
    "Odwrócenie kanałów",                                  // 60
    "Odwróć CH1",                                          // 61
    "Odwróć CH2",                                          // 62
    "Prędkość kanału 1",                                   // 63
    "Prędkość kanału 2",                                   // 64
    "Czułość sterowania",                                  // 65
    "SYSTEM",                                              // 66
    "Symulator",                                           // 67
    "Podświetlenie",                                       // 68
    "Dźwięk klawiszy",                                     // 69
    "Język",                                               // 70
    "Prędkość portu",                                      // 71
    "Alarm baterii",                                       // 72
    "Alarm napięcia łodzi",                                // 73
    "Ustawienia fabryczne",                                // 74
    "Informacje",                                          // 75
    "Parowanie radia",                                     // 76
    "Aktualizuj R-Boxy",                                   // 77
    "Aktualizuj Sonar-Box",                                // 78
    "Aktualizuj autopilota",                               // 79
    "SZYBKIE OPERACJE",                                    // 80
    "Szybki znacznik",                                     // 81
    "Punkt",                                               // 82
    "Nr",                                                  // 83
    "Nazwa",                                               // 84
    "Odl. do łodzi",                                       // 85
    "Namiar",                                              // 86
    "Szczegóły",                                           // 87
    "Ikona",                                               // 88
    "Szerokość",                                           // 89
    "Długość",                                             // 90
    "Edytuj",                                              // 91
    "Usuń",                                                // 92
    "Ustaw jako cel",                                      // 93
    "Autopilot do celu",                                   // 94
    "Nowy",                                                // 95
    "Eksport do csv",                                      // 96
    "Eksport do kml",                                      // 97
    "Trasa",                                               // 98
    "Początek",                                            // 99
    "Koniec",                                              // 100
    "Odległość",                                           // 101
    "Zapisz bieżącą",                                      // 102
    "Zmień nazwę",                                         // 103
    "Pokaż trasę",                                         // 104
    "Kopiuj na SD",                                        // 105
    "Czytaj z SD",                                         // 106
    "Zatrzymaj autopilota",                                // 107
    "Wyczyść mapę",                                        // 108
    "Ustaw dom",                                           // 109
    "Wróć do domu",                                        // 110
    "Importuj kontur",                                     // 111
    "Tam i z powrotem",                                    // 112
    "Cel",                                                 // 113
    "Opóźnienie",                                          // 114
    "Start",                                               // 115
    "Pozycja łodzi",                                       // 116
    "Pozycja domowa",                                      // 117
    "Rejestrator",                                         // 118
    "Port szeregowy",                                      // 119
    "Karta SD",                                            // 120
    "OK",                                                  // 121
    "TAK",                                                 // 122
    "NIE",                                                 // 123
    "Ignoruj",                                             // 124
    "Zapisz",                                              // 125
    "Płyń",                                                // 126
    "Błąd",                                                // 127
    "Komunikat",                                           // 128
    "Ustaw jako dom",                                      // 129
    "Dotarto do domu",                                     // 130
    "Dotarto do celu",                                     // 131
    "Dotarto do 1. celu",                                  // 132
    "Dotarto do 2. celu",                                  // 133
    "Zadanie autopilota zakończone",                       // 134
    "Zatrzymaj zadanie autopilota",                        // 135
    "Sterowanie ręczne",                                   // 136
    "Alarm",                                               // 137
    "Alarm płycizny",                                      // 138
    "Słaba bateria pilota",                                // 139
    "Słaby akumulator łodzi",                              // 140
    "Błąd",                                                // 141
    "Brak karty SD",                                       // 142
    "Nie ustawiono pozycji domowej",                       // 143
    "W trybie symulatora",                                 // 144
    "Najpierw zatrzymaj autopilota",                       // 145
    "Za mało satelitów",                                   // 146
    "1. cel jest pusty",                                   // 147
    "2. cel jest pusty",                                   // 148
    "Cel jest za daleko",                                  // 149
    "Wyłączanie",                                          // 150
    "Wyłączenie za 3 sekundy",                             // 151
    "Wyłączenie za 2 sekundy",                             // 152
    "Wyłączenie za 1 sekundę",                             // 153
    "Test systemu",                                        // 154
    "Offline",                                             // 155
    "Moduł radiowy",                                       // 156
    "Moduł sonaru",                                        // 157
    "Moduł GPS",                                           // 158
    "Moduł kompasu",                                       // 159
    "Moduł autopilota",                                    // 160
    "Kursor",                                              // 161
    "Pozycja",                                             // 162
    "Zapisz kursor jako cel lub płyń do kursora",          // 163
    "Wybierz plik",                                        // 164
    "Szukanie plików",                                     // 165
    "Wczytywanie pliku",                                   // 166
    "Plik wczytany",                                       // 167
    "Błąd odczytu pliku",                                  // 168
    "Plik zapisany",                                       // 169
    "Błąd zapisu pliku",                                   // 170
    "Najpierw wyłącz CCU",                                 // 171
    "Włącz CCU",                                           // 172
    "Moduł radiowy nie odpowiada",                         // 173
    "Parowanie anulowane",                                 // 174
    "Parowanie udane",                                     // 175
    "Aktualizacja anulowana",                              // 176
    "Sonar-Box połączony",                                 // 177
    "Sonar-Box rozłączony",                                // 178
    "Autopilot połączony",                                 // 179
    "Autopilot rozłączony",                                // 180
    "Synchronizacja…",                                     // 181
    "Aktualizacja firmware…",                              // 182
    "Czekam na żądanie…",                                  // 183
    "Brak żądania!",                                       // 184
    "Aktualizacja nieudana!",                              // 185
    "Aktualizacja udana!",                                 // 186
    "Restart modułu…",                                     // 187
    "WCIŚNIJ-GO",                                          // 188
    "Płyń do celu",                                        // 189
    "Płyń do 1. celu",                                     // 190
    "Płyń do 2. celu",                                     // 191
    "Następny cel za",                                     // 192
    "Powrót do domu",                                      // 193
    "Łączenie z autopilotem",                              // 194
    "Błąd połączenia",                                     // 195
    "Resetuj wszystkie parametry",                         // 196
    "Kalibracja kompasu…",                                 // 197
    "Kalibracja udana!",                                   // 198
    "Obracaj kompas…",                                     // 199
    "R-Boxy niepołączone.",                                // 200
    "Użyć ostatniej pozycji domowej?",                     // 201
    "Cel zaznaczony na mapie, steruj pilotem!",            // 202
    "Autopilot wielu celów",                               // 203
    "Nazwa pliku",                                         // 204
    "Liczba punktów",                                      // 205
    "Całk. odl.",                                          // 206
    "1. punkt do łodzi",                                   // 207
    "Import",                                              // 208
    "Wybierz cele",                                        // 209
    "Tryb pracy",                                          // 210
    "Normalny",                                            // 211
    "Nagrywanie",                                          // 212
    "Odtwarzanie",                                         // 213
    "Nie więcej niż",                                      // 214
    "Cel",                                                 // 215
    "jest za daleko od łodzi.",                            // 216
    "Lista celów jest pusta.",                             // 217
    "Wybrany plik ma tę samą wersję co obecne R-Boxy.",    // 218
    "punktów znaleziono w KML.",                           // 219
    "Zapis do miejsca",                                    // 220
    "Nadpisanie miejsca",                                  // 221
    "Komunikat po dotarciu",                               // 222
    "Tryb dewelopera",                                     // 223
    "Rejs po kursie",                                      // 224
    "Plik nie zawiera użytecznych punktów.",               // 225
    "km/h",                                                // 226
    "węzeł",                                               // 227
    "m/s",                                                 // 228
    "ft/s",                                                // 229
    "KM",                                                  // 230
    "jard",                                                // 231
    "m",                                                   // 232
    "ft",                                                  // 233
    "v",                                                   // 234
    "Mapa głębokości",                                     // 235
    "Cieniowanie",                                         // 236
    "Izobaty",                                             // 237
    "Odstęp izobat",                                       // 238
    "Eksport mapy głębokości",                             // 239
    "Dodaj nagranie do mapy",                              // 240
    "Wyczyść mapę głębokości",                             // 241
    "Usunąć wszystkie pomiary z mapy głębokości?",         // 242
    "Mapa głębokości wyeksportowana:",                     // 243
    "Mapa głębokości nie zawiera jeszcze pomiarów.",       // 244
    "Uszkodzony plik mapy głębokości odłożono na bok.",    // 245
    "pomiarów dodano do mapy głębokości.",                 // 246
    "Historia sonaru",                                     // 247
    "Zaznacz punkt",                                       // 248
    "Wstecz",                                              // 249
    "Skocz do",                                            // 250
    "Log nie zawiera danych sonaru.",                      // 251
    "Log jest za długi: odtwarzany jest tylko początek.",  // 252
    "Brak pozycji GPS w tym miejscu.",                     // 253
    "Utracono łączność",                                   // 254
    "Łączność wróciła",                                    // 255
    "Brak danych od",                                      // 256
    "Ostatnie dane",                                       // 257
    "Łódź płynęła do domu",                                // 258
    "Łódź płynęła do celu",                                // 259
    "Łódź płynęła według listy",                           // 260
    "Wracaj wkrótce",                                      // 261
    "Osiągnięto rezerwę baterii na powrót.",               // 262
    "Wracaj teraz",                                        // 263
    "Bateria wkrótce nie wystarczy na powrót łodzi.",      // 264
    "Rezerwa baterii",                                     // 265
    "Napięcie rozładowania",                               // 266
    "Margines rezerwy",                                    // 267
    "Wiek pozycji",                                        // 268
    "Zdania NMEA",                                         // 269
    "Tylko GGA",                                           // 270
    "Ploter",                                              // 271
    "Eksport do GPX",                                      // 272
    "Import z GPX",                                        // 273
    "Ślad do GPX",                                         // 274
    "punktów znaleziono w GPX.",                           // 275
    "punktów w trasie.",                                   // 276
    "Trasa nie zawiera punktów.",                          // 277
};
static_assert(TrResource::isComplete(languageResource_polish), "a Polish text is missing");
