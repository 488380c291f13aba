#include "base/tr_resource.h"

// German texts, in the order of EnumTrString.
extern constexpr const char* languageResource_german[TR_COUNT] = {
    "tr",                                                         // 0
    "Weiter",                                                     // 1
    "zurück",                                                     // 2
    "AN",                                                         // 3
    "AUS",                                                        // 4
    "AUTO",                                                       // 5
    "MANUELL",                                                    // 6
    "BASIS",                                                      // 7
    "Empfindlichkeit",                                            // 8
    "Oberfl.-Filter",                                             // 9
    "Fisch-ID Empf.",                                             // 10
    "Hintergrund",                                                // 11
    "Farbanpassung",                                              // 12
    "Farbschema",                                                 // 13
    "Routenfarbe",                                                // 14
    "Expertenmodus",                                              // 15
    "SONAR",                                                      // 16
    "Tiefenbereich",                                              // 17
    "Max. Tiefe",                                                 // 18
    "Sonar-Verstärkung",                                          // 19
    "Sonar-Strahl",                                               // 20
    "Neue Farben laden",                                          // 21
    "Zusatzdaten",                                                // 22
    "Tiefe",                                                      // 23
    "Temperatur",                                                 // 24
    "Bootsakku",                                                  // 25
    "Uhrzeit",                                                    // 26
    "Kurs",                                                       // 27
    "Geschw.",                                                    // 28
    "Datum",                                                      // 29
    "Von Home",                                                   // 30
    "Hauptakku",                                                  // 31
    "Satelliten",                                                 // 32
    "Dist. zum Ziel",                                             // 33
    "Tiefen-Offset",                                              // 34
    "Temp.-Offset",                                               // 35
    "Bootsspg.-Offset",                                           // 36
    "Flachwasseralarm",                                           // 37
    "Einheiten",                                                  // 38
    "GPS-OPTIONEN",                                               // 39
    "GPS-Filter",                                                 // 40
    "Distanzeinheit",                                             // 41
    "Geschw.-Einheit",                                            // 42
    "Zeitzone",                                                   // 43
    "24-Stunden",                                                 // 44
    "Messabstand",                                                // 45
    "Ankunftsalarm",                                              // 46
    "Kompass Display kalibr.",                                    // 47
    "Kompass Boot kalibr.",                                       // 48
    "Kompasstest",                                                // 49
    "AUTOPILOT",                                                  // 50
    "Verkabelungstest",                                           // 51
    "Vorwärts",                                                   // 52
    "Links drehen",                                               // 53
    "Rechts drehen",                                              // 54
    "Stopp",                                                      // 55
    "Bootstyp",                                                   // 56
    "H-Boot",                                                     // 57
    "1 Motor",                                                    // 58
    "2 Motoren",                                                  // 59
    "Kanalumkehr",                                                // 60
    "CH1 umkehren",                                               // 61
    "CH2 umkehren",                                               // 62
    "Kanal 1 Geschw.",                                            // 63
    "Kanal 2 Geschw.",                                            // 64
    "Lenkempfindl.",                                              // 65
    "SYSTEM",                                                     // 66
    "Simulator",                                                  // 67
    "Beleuchtung",                                                // 68
    "Tastenton",                                                  // 69
    "Sprache",                                                    // 70
    "Baudrate",                                                   // 71
    "Akkualarm",                                                  // 72
    "Bootsspg.-Alarm",                                            // 73
    "Werkseinstellung",                                           // 74
    "Systeminfo",                                                 // 75
    "Funk koppeln",                                               // 76
    "R-Boxen aktualis.",                                          // 77
    "Sonar-Box aktualis.",                                        // 78
    "Autopilot aktualis.",                                        // 79
    "SCHNELLMENÜ",                                                // 80
    "Schnellmarke",                                               // 81
    "Wegpunkt",                                                   // 82
    "Nr.",                                                        // 83
    "Name",                                                       // 84
    "Dist. zum Boot",                                             // 85
    "Peilung",                                                    // 86
    "Details",                                                    // 87
    "Symbol",                                                     // 88
    "Breite",                                                     // 89
    "Länge",                                                      // 90
    "Bearbeiten",                                                 // 91
    "Löschen",                                                    // 92
    "Als Ziel setzen",                                            // 93
    "Autopilot zum Ziel",                                         // 94
    "Neu",                                                        // 95
    "Export als csv",                                             // 96
    "Export als kml",                                             // 97
    "Route",                                                      // 98
    "Startzeit",                                                  // 99
    "Endzeit",                                                    // 100
    "Distanz",                                                    // 101
    "Aktuelle speichern",                                         // 102
    "Umbenennen",                                                 // 103
    "Route zeigen",                                               // 104
    "Auf SD kopieren",                                            // 105
    "Von SD lesen",                                               // 106
    "Autopilot stoppen",                                          // 107
    "Karte löschen",                                              // 108
    "Home setzen",                                                // 109
    "Nach Home",                                                  // 110
    "Umriss importieren",                                         // 111
    "Hin und zurück",                                             // 112
    "Ziel",                                                       // 113
    "Wartezeit",                                                  // 114
    "Start",                                                      // 115
    "Bootsposition",                                              // 116
    "Home Position",                                              // 117
    "Datenlogger",                                                // 118
    "Serielle Schnittst.",                                        // 119
    "SD-Karte",                                                   // 120
    "OK",                                                         // 121
    "JA",                                                         // 122
    "NEIN",                                                       // 123
    "Ignorieren",                                                 // 124
    "Speichern",                                                  // 125
    "Los",                                                        // 126
    "Fehler",                                                     // 127
    "Meldung",                                                    // 128
    "Als Home setzen",                                            // 129
    "Home erreicht",                                              // 130
    "Ziel erreicht",                                              // 131
    "1. Ziel erreicht",                                           // 132
    "2. Ziel erreicht",                                           // 133
    "Autopilot-Auftrag erledigt",                                 // 134
    "Autopilot-Auftrag stoppen",                                  // 135
    "Manuelle Steuerung",                                         // 136
    "Alarm",                                                      // 137
    "Flachwasser",                                                // 138
    "Display-Akku schwach",                                       // 139
    "Bootsakku schwach",                                          // 140
    "Fehler",                                                     // 141
    "Keine SD-Karte",                                             // 142
    "Home-Position nicht gesetzt",                                // 143
    "Im Simulatormodus",                                          // 144
    "Zuerst Autopilot stoppen",                                   // 145
    "Zu wenig Satelliten",                                        // 146
    "1. Ziel ist leer",                                           // 147
    "2. Ziel ist leer",                                           // 148
    "Ziel zu weit entfernt",                                      // 149
    "Ausschalten",                                                // 150
    "Aus in 3 Sekunden",                                          // 151
    "Aus in 2 Sekunden",                                          // 152
    "Aus in 1 Sekunde",                                           // 153
    "Systemprüfung",                                              // 154
    "Offline",                                                    // 155
    "Funkmodul",                                                  // 156
    "Sonarmodul",                                                 // 157
    "GPS-Modul",                                                  // 158
    "Kompassmodul",                                               // 159
    "Autopilotmodul",                                             // 160
    "Cursor",                                                     // 161
    "Position",                                                   // 162
    "Cursor als Ziel speichern oder zum Cursor fahren",           // 163
    "Datei wählen",                                               // 164
    "Dateien suchen",                                             // 165
    "Datei laden",                                                // 166
    "Datei gelesen",                                              // 167
    "Lesen fehlgeschlagen",                                       // 168
    "Datei gespeichert",                                          // 169
    "Speichern fehlgeschlagen",                                   // 170
    "Bitte zuerst CCU ausschalten",                               // 171
    "Bitte CCU einschalten",                                      // 172
    "Funkmodul antwortet nicht",                                  // 173
    "Koppeln abgebrochen",                                        // 174
    "Koppeln erfolgreich",                                        // 175
    "Update abgebrochen",                                         // 176
    "Sonar-Box verbunden",                                        // 177
    "Sonar-Box getrennt",                                         // 178
    "Autopilot verbunden",                                        // 179
    "Autopilot getrennt",                                         // 180
    "Synchronisiere…",                                            // 181
    "Firmware-Update…",                                           // 182
    "Warte auf Anfrage…",                                         // 183
    "Keine Anfrage!",                                             // 184
    "Update fehlgeschlagen!",                                     // 185
    "Update erfolgreich!",                                        // 186
    "Box startet neu…",                                           // 187
    "GO-DRÜCKEN",                                                 // 188
    "Jetzt zum Ziel",                                             // 189
    "Jetzt zum 1. Ziel",                                          // 190
    "Jetzt zum 2. Ziel",                                          // 191
    "Nächstes Ziel in",                                           // 192
    "Jetzt nach Home",                                            // 193
    "Verbinde Autopilot",                                         // 194
    "Verbindung fehlgeschlagen",                                  // 195
    "Alle Parameter zurücksetzen",                                // 196
    "Kompass wird kalibriert…",                                   // 197
    "Kalibrierung erfolgreich!",                                  // 198
    "Kompass drehen…",                                            // 199
    "Remote-Boxen nicht verbunden.",                              // 200
    "Letzte Home-Position nutzen?",                               // 201
    "Ziel auf Karte markiert, bitte mit Fernbedienung steuern!",  // 202
    "Multi-Ziel Autopilot",                                       // 203
    "Dateiname",                                                  // 204
    "Punkte gesamt",                                              // 205
    "Gesamtdist.",                                                // 206
    "1. WP zum Boot",                                             // 207
    "Import",                                                     // 208
    "Ziele wählen",                                               // 209
    "Betriebsart",                                                // 210
    "Normal",                                                     // 211
    "Aufnahme",                                                   // 212
    "Wiedergabe",                                                 // 213
    "Nicht mehr als",                                             // 214
    "Ziel",                                                       // 215
    "ist zu weit vom Boot entfernt.",                             // 216
    "Die Zielliste ist leer.",                                    // 217
    "Die gewählte Datei hat dieselbe Version wie die R-Boxen.",   // 218
    "Wegpunkte in KML gefunden.",                                 // 219
    "Schreibe in Platz",                                          // 220
    "Überschreibe Platz",                                         // 221
    "Meldung bei Ankunft",                                        // 222
    "Entwicklermodus",                                            // 223
    "Kursfahrt",                                                  // 224
    "Die Datei enthält keine brauchbaren Punkte.",                // 225
    "km/h",                                                       // 226
    "Knoten",                                                     // 227
    "m/s",                                                        // 228
    "ft/s",                                                       // 229
    "KM",                                                         // 230
    "Yard",                                                       // 231
    "m",                                                          // 232
    "ft",                                                         // 233
    "v",                                                          // 234
    "Tiefenkarte",                                                // 235
    "Schattierung",                                               // 236
    "Tiefenlinien",                                               // 237
    "Tiefenlinienabstand",                                        // 238
    "Tiefenkarte exportieren",                                    // 239
    "Log zur Tiefenkarte",                                        // 240
    "Tiefenkarte löschen",                                        // 241
    "Alle Messpunkte der Tiefenkarte löschen?",                   // 242
    "Tiefenkarte exportiert:",                                    // 243
    "Die Tiefenkarte enthält noch keine Messpunkte.",             // 244
    "Tiefenkartendatei war beschädigt, wurde beiseitegelegt.",    // 245
    "Messpunkte zur Tiefenkarte hinzugefügt.",                    // 246
    "Sonar-Verlauf",                                              // 247
    "Wegpunkt setzen",                                            // 248
    "Rückwärts",                                                  // 249
    "Springe zu",                                                 // 250
    "Das Log enthält keine Sonardaten.",                          // 251
    "Das Log ist zu lang: nur sein Anfang wird abgespielt.",      // 252
    "Keine GPS-Position an dieser Stelle.",                       // 253
    "Verbindung verloren",                                        // 254
    "Verbindung zurück",                                          // 255
    "Keine Daten seit",                                           // 256
    "Letzte Daten",                                               // 257
    "Das Boot fuhr nach Hause",                                   // 258
    "Das Boot fuhr zu einem Ziel",                                // 259
    "Das Boot fuhr eine Liste ab",                                // 260
    "Bald zurückkehren",                                          // 261
    "Die Akkureserve für den Heimweg ist erreicht.",              // 262
    "Jetzt zurückkehren",                                         // 263
    "Der Akku reicht bald nicht mehr für den Heimweg.",           // 264
    "Akkureserve",                                                // 265
    "Leerspannung",                                               // 266
    "Reservepuffer",                                              // 267
    "Alter der Position",                                         // 268
    "NMEA-Sätze",                                                 // 269
    "Nur GGA",                                                    // 270
    "Kartenplotter",                                              // 271
    "Export als GPX",                                             // 272
    "GPX importieren",                                            // 273
    "Spur als GPX",                                               // 274
    "Wegpunkte in GPX gefunden.",                                 // 275
    "Punkte in der Route.",                                       // 276
    "Die Route enthält keine Punkte.",                            // 277
};
static_assert(TrResource::isComplete(languageResource_german), "a German text is missing");
