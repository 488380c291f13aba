#include "base/tr_resource.h"

// Dutch texts, in the order of EnumTrString.
extern constexpr const char* languageResource_nederlands[TR_COUNT] = {
    "tr",                                                                   // 0
    "Volgende",                                                             // 1
    "Terug",                                                                // 2
    "AAN",                                                                  // 3
    "UIT",                                                                  // 4
    "AUTO",                                                                 // 5
    "HANDMATIG",                                                            // 6
    "BASIS",                                                                // 7
    "Gevoeligheid",                                                         // 8
    "Oppervlaktefilter",                                                    // 9
    "Vis-ID gevoel.",                                                       // 10
    "Achtergrond",                                                          // 11
    "Kleur aanpassen",                                                      // 12
    "Kleurstijl",                                                           // 13
    "Routekleur",                                                           // 14
    "Geavanceerd",                                                          // 15
    "SONAR",                                                                // 16
    "Dieptebereik",                                                         // 17
    "Max. diepte",                                                          // 18
    "Sonarversterking",                                                     // 19
    "Sonarbundel",                                                          // 20
    "Nieuwe kleur laden",                                                   // 21
    "Extra gegevens",                                                       // 22
    "Diepte",                                                               // 23
    "Temperatuur",                                                          // 24
    "Bootaccu",                                                             // 25
    "Tijd",                                                                 // 26
    "Koers",                                                                // 27
    "Snelheid",                                                             // 28
    "Datum",                                                                // 29
    "Vanaf thuis",                                                          // 30
    "Hoofdaccu",                                                            // 31
    "Satellieten",                                                          // 32
    "Afst. tot doel",                                                       // 33
    "Diepte-offset",                                                        // 34
    "Temp.-offset",                                                         // 35
    "Bootspann.-offset",                                                    // 36
    "Ondiepte-alarm",                                                       // 37
    "Eenheden",                                                             // 38
    "GPS-INSTELLINGEN",                                                     // 39
    "GPS-filter",                                                           // 40
    "Afstandseenheid",                                                      // 41
    "Snelheidseenheid",                                                     // 42
    "Tijdzone",                                                             // 43
    "24-uurs tijd",                                                         // 44
    "Meetstap",                                                             // 45
    "Aankomstalarm",                                                        // 46
    "Kompas display kalibr.",                                               // 47
    "Kompas boot kalibr.",                                                  // 48
    "Kompastest",                                                           // 49
    "AUTOPILOOT",                                                           // 50
    "Bedradingstest",                                                       // 51
    "Vooruit",                                                              // 52
    "Links draaien",                                                        // 53
    "Rechts draaien",                                                       // 54
    "Stop",                                                                 // 55
    "Boottype",                                                             // 56
    "H-boot",                                                               // 57
    "1 motor",                                                              // 58
    "2 motoren",                                                            // 59
    "Kanalen omkeren",                                                      // 60
    "CH1 omkeren",                                                          // 61
    "CH2 omkeren",                                                          // 62
    "Snelheid kanaal 1",                                                    // 63
    "Snelheid kanaal 2",                                                    // 64
    "Stuurgevoeligheid",                                                    // 65
    "SYSTEEM",                                                              // 66
    "Simulator",                                                            // 67
    "Verlichting",                                                          // 68
    "Toetstoon",                                                            // 69
    "Taal",                                                                 // 70
    "Baudrate",                                                             // 71
    "Accu-alarm",                                                           // 72
    "Bootspann.-alarm",                                                     // 73
    "Fabrieksinstell.",                                                     // 74
    "Systeeminfo",                                                          // 75
    "Radio koppelen",                                                       // 76
    "R-boxen bijwerken",                                                    // 77
    "Sonar-box bijwerken",                                                  // 78
    "Autopiloot bijwerken",                                                 // 79
    "SNELMENU",                                                             // 80
    "Snelmarkering",                                                        // 81
    "Waypoint",                                                             // 82
    "Nr",                                                                   // 83
    "Naam",                                                                 // 84
    "Afst. tot boot",                                                       // 85
    "Richting",                                                             // 86
    "Details",                                                              // 87
    "Pictogram",                                                            // 88
    "Breedtegraad",                                                         // 89
    "Lengtegraad",                                                          // 90
    "Bewerken",                                                             // 91
    "Verwijderen",                                                          // 92
    "Als doel instellen",                                                   // 93
    "Autopiloot naar doel",                                                 // 94
    "Nieuw",                                                                // 95
    "Exporteer als csv",                                                    // 96
    "Exporteer als kml",                                                    // 97
    "Route",                                                                // 98
    "Begintijd",                                                            // 99
    "Eindtijd",                                                             // 100
    "Afstand",                                                              // 101
    "Huidige opslaan",                                                      // 102
    "Hernoemen",                                                            // 103
    "Route tonen",                                                          // 104
    "Kopieer naar SD",                                                      // 105
    "Lees van SD",                                                          // 106
    "Autopiloot stoppen",                                                   // 107
    "Kaart wissen",                                                         // 108
    "Thuispositie instellen",                                               // 109
    "Naar huis",                                                            // 110
    "Contour importeren",                                                   // 111
    "Heen en terug",                                                        // 112
    "Doel",                                                                 // 113
    "Wachttijd",                                                            // 114
    "Start",                                                                // 115
    "Bootpositie",                                                          // 116
    "Thuis positie",                                                        // 117
    "Datalogger",                                                           // 118
    "Seriële poort",                                                        // 119
    "SD-kaart",                                                             // 120
    "OK",                                                                   // 121
    "JA",                                                                   // 122
    "NEE",                                                                  // 123
    "Negeren",                                                              // 124
    "Opslaan",                                                              // 125
    "Ga",                                                                   // 126
    "Mislukt",                                                              // 127
    "Bericht",                                                              // 128
    "Als thuis instellen",                                                  // 129
    "Thuispositie bereikt",                                                 // 130
    "Doel bereikt",                                                         // 131
    "1e doel bereikt",                                                      // 132
    "2e doel bereikt",                                                      // 133
    "Autopilootopdracht voltooid",                                          // 134
    "Autopilootopdracht stoppen",                                           // 135
    "Handmatige besturing",                                                 // 136
    "Alarm",                                                                // 137
    "Ondiep water",                                                         // 138
    "Displayaccu bijna leeg",                                               // 139
    "Bootaccu bijna leeg",                                                  // 140
    "Fout",                                                                 // 141
    "Geen SD-kaart",                                                        // 142
    "Thuispositie niet ingesteld",                                          // 143
    "In simulatormodus",                                                    // 144
    "Eerst autopiloot stoppen",                                             // 145
    "Te weinig satellieten",                                                // 146
    "1e doel is leeg",                                                      // 147
    "2e doel is leeg",                                                      // 148
    "Doel is te ver weg",                                                   // 149
    "Uitschakelen",                                                         // 150
    "Uit over 3 seconden",                                                  // 151
    "Uit over 2 seconden",                                                  // 152
    "Uit over 1 seconde",                                                   // 153
    "Systeemcontrole",                                                      // 154
    "Offline",                                                              // 155
    "Radiomodule",                                                          // 156
    "Sonarmodule",                                                          // 157
    "GPS-module",                                                           // 158
    "Kompasmodule",                                                         // 159
    "Autopilootmodule",                                                     // 160
    "Cursor",                                                               // 161
    "Positie",                                                              // 162
    "Cursor als doel opslaan of naar cursorpositie varen",                  // 163
    "Kies bestand",                                                         // 164
    "Bestanden zoeken",                                                     // 165
    "Bestand laden",                                                        // 166
    "Bestand gelezen",                                                      // 167
    "Lezen mislukt",                                                        // 168
    "Bestand opgeslagen",                                                   // 169
    "Opslaan mislukt",                                                      // 170
    "Eerst CCU uitschakelen",                                               // 171
    "CCU inschakelen",                                                      // 172
    "Radiomodule antwoordt niet",                                           // 173
    "Koppelen geannuleerd",                                                 // 174
    "Koppelen gelukt",                                                      // 175
    "Update geannuleerd",                                                   // 176
    "Sonar-box verbonden",                                                  // 177
    "Sonar-box verbroken",                                                  // 178
    "Autopiloot verbonden",                                                 // 179
    "Autopiloot verbroken",                                                 // 180
    "Synchroniseren…",                                                      // 181
    "Firmware bijwerken…",                                                  // 182
    "Wacht op verzoek…",                                                    // 183
    "Geen verzoek!",                                                        // 184
    "Update mislukt!",                                                      // 185
    "Update gelukt!",                                                       // 186
    "Box herstart…",                                                        // 187
    "DRUK-GO",                                                              // 188
    "Nu naar het doel",                                                     // 189
    "Nu naar 1e doel",                                                      // 190
    "Nu naar 2e doel",                                                      // 191
    "Volgend doel over",                                                    // 192
    "Nu terug naar huis",                                                   // 193
    "Autopiloot verbinden",                                                 // 194
    "Verbinding mislukt",                                                   // 195
    "Alle parameters resetten",                                             // 196
    "Kompas kalibreren…",                                                   // 197
    "Kalibratie gelukt!",                                                   // 198
    "Draai het kompas…",                                                    // 199
    "Remote-boxen niet verbonden.",                                         // 200
    "Laatste thuispositie gebruiken?",                                      // 201
    "Doel op kaart gemarkeerd, bestuur met uw afstandsbediening!",          // 202
    "Multi-doel autopiloot",                                                // 203
    "Bestandsnaam",                                                         // 204
    "Totaal punten",                                                        // 205
    "Totale afst.",                                                         // 206
    "1e WPT tot boot",                                                      // 207
    "Importeren",                                                           // 208
    "Doelen kiezen",                                                        // 209
    "Werkmodus",                                                            // 210
    "Normaal",                                                              // 211
    "Opnemen",                                                              // 212
    "Afspelen",                                                             // 213
    "Niet meer dan",                                                        // 214
    "Doel",                                                                 // 215
    "is te ver van de boot.",                                               // 216
    "De doellijst is leeg.",                                                // 217
    "De versie van het gekozen bestand is gelijk aan die van de R-boxen.",  // 218
    "waypoints gevonden in KML.",                                           // 219
    "Schrijven naar plaats",                                                // 220
    "Overschrijven van plaats",                                             // 221
    "Bericht bij aankomst",                                                 // 222
    "Ontwikkelaarsmodus",                                                   // 223
    "Koersvaart",                                                           // 224
    "Het bestand bevat geen bruikbare punten.",                             // 225
    "km/u",                                                                 // 226
    "knoop",                                                                // 227
    "m/s",                                                                  // 228
    "ft/s",                                                                 // 229
    "KM",                                                                   // 230
    "Yard",                                                                 // 231
    "m",                                                                    // 232
    "ft",                                                                   // 233
    "v",                                                                    // 234
    "Dieptekaart",                                                          // 235
    "Inkleuring",                                                           // 236
    "Dieptelijnen",                                                         // 237
    "Dieptelijnafstand",                                                    // 238
    "Exporteer dieptekaart",                                                // 239
    "Log naar dieptekaart",                                                 // 240
    "Dieptekaart wissen",                                                   // 241
    "Alle peilingen van de dieptekaart wissen?",                            // 242
    "Dieptekaart geëxporteerd:",                                            // 243
    "De dieptekaart bevat nog geen peilingen.",                             // 244
    "Het dieptekaartbestand was beschadigd en is apart gezet.",             // 245
    "peilingen toegevoegd aan de dieptekaart.",                             // 246
    "Sonargeschiedenis",                                                    // 247
    "Waypoint markeren",                                                    // 248
    "Achteruit",                                                            // 249
    "Ga naar",                                                              // 250
    "Het log bevat geen sonargegevens.",                                    // 251
    "Log te lang: alleen het begin wordt afgespeeld.",                      // 252
    "Geen GPS-positie op dit punt.",                                        // 253
    "Verbinding verloren",                                                  // 254
    "Verbinding terug",                                                     // 255
    "Geen gegevens sinds",                                                  // 256
    "Laatste gegevens",                                                     // 257
    "De boot voer naar huis",                                               // 258
    "De boot voer naar een doel",                                           // 259
    "De boot voer een lijst af",                                            // 260
    "Keer binnenkort terug",                                                // 261
    "De accureserve voor de terugweg is bereikt.",                          // 262
    "Keer nu terug",                                                        // 263
    "De accu is straks te zwak om de boot terug te brengen.",               // 264
    "Accureserve",                                                          // 265
    "Leegspanning",                                                         // 266
    "Reservemarge",                                                         // 267
    "Leeftijd positie",                                                     // 268
    "NMEA-zinnen",                                                          // 269
    "Alleen GGA",                                                           // 270
    "Kaartplotter",                                                         // 271
    "Exporteer als GPX",                                                    // 272
    "GPX importeren",                                                       // 273
    "Spoor als GPX",                                                        // 274
    "waypoints gevonden in GPX.",                                           // 275
    "punten in de route.",                                                  // 276
    "De route bevat geen punten.",                                          // 277
};
static_assert(TrResource::isComplete(languageResource_nederlands), "a Dutch text is missing");
