#include "base/tr_resource.h"

// French texts, in the order of EnumTrString. A no-break space keeps "!", "?" and ":" on the line
// of their word when a label wraps.
extern constexpr const char* languageResource_french[TR_COUNT] = {
    "tr",                                                               // 0
    "Suivant",                                                          // 1
    "Quitter",                                                          // 2
    "MARCHE",                                                           // 3
    "ARRÊT",                                                            // 4
    "AUTO",                                                             // 5
    "MANUEL",                                                           // 6
    "BASE",                                                             // 7
    "Sensibilité",                                                      // 8
    "Clarté surface",                                                   // 9
    "Sens. ID poisson",                                                 // 10
    "Fond",                                                             // 11
    "Réglage couleur",                                                  // 12
    "Style couleur",                                                    // 13
    "Couleur trajet",                                                   // 14
    "Mode avancé",                                                      // 15
    "SONAR",                                                            // 16
    "Plage profondeur",                                                 // 17
    "Profondeur max.",                                                  // 18
    "Gain sonar",                                                       // 19
    "Faisceau sonar",                                                   // 20
    "Charger couleurs",                                                 // 21
    "Données affichées",                                                // 22
    "Profondeur",                                                       // 23
    "Température",                                                      // 24
    "Bat. bateau",                                                      // 25
    "Heure",                                                            // 26
    "Cap",                                                              // 27
    "Vitesse",                                                          // 28
    "Date",                                                             // 29
    "Depuis départ",                                                    // 30
    "Bat. princ.",                                                      // 31
    "Satellites",                                                       // 32
    "Dist. à la cible",                                                 // 33
    "Décalage prof.",                                                   // 34
    "Décalage temp.",                                                   // 35
    "Décalage tens. bateau",                                            // 36
    "Alarme haut-fond",                                                 // 37
    "Unités",                                                           // 38
    "RÉGLAGES GPS",                                                     // 39
    "Filtre GPS",                                                       // 40
    "Unité distance",                                                   // 41
    "Unité vitesse",                                                    // 42
    "Fuseau horaire",                                                   // 43
    "Format 24 h",                                                      // 44
    "Pas d'échantillon",                                                // 45
    "Alarme arrivée",                                                   // 46
    "Calibrer compas écran",                                            // 47
    "Calibrer compas bateau",                                           // 48
    "Test compas",                                                      // 49
    "PILOTE AUTO",                                                      // 50
    "Test câblage",                                                     // 51
    "Avancer",                                                          // 52
    "Tourner à gauche",                                                 // 53
    "Tourner à droite",                                                 // 54
    "Arrêt",                                                            // 55
    "Type de bateau",                                                   // 56
    "Bateau H",                                                         // 57
    "1 moteur",                                                         // 58
    "2 moteurs",                                                        // 59
    "Inversion canaux",                                                 // 60
    "Inverser CH1",                                                     // 61
    "Inverser CH2",                                                     // 62
    "Vitesse canal 1",                                                  // 63
    "Vitesse canal 2",                                                  // 64
    "Sens. direction",                                                  // 65
    "SYSTÈME",                                                          // 66
    "Simulateur",                                                       // 67
    "Rétroéclairage",                                                   // 68
    "Son touches",                                                      // 69
    "Langue",                                                           // 70
    "Débit série",                                                      // 71
    "Alarme batterie",                                                  // 72
    "Alarme tens. bateau",                                              // 73
    "Réglages usine",                                                   // 74
    "Infos système",                                                    // 75
    "Appairage radio",                                                  // 76
    "MAJ R-Boxes",                                                      // 77
    "MAJ Sonar-Box",                                                    // 78
    "MAJ pilote auto",                                                  // 79
    "OPÉRATION RAPIDE",                                                 // 80
    "Marque rapide",                                                    // 81
    "Waypoint",                                                         // 82
    "N°",                                                               // 83
    "Nom",                                                              // 84
    "Dist. au bateau",                                                  // 85
    "Direction",                                                        // 86
    "Détail",                                                           // 87
    "Icône",                                                            // 88
    "Latitude",                                                         // 89
    "Longitude",                                                        // 90
    "Modifier",                                                         // 91
    "Supprimer",                                                        // 92
    "Définir cible",                                                    // 93
    "Pilote vers cible",                                                // 94
    "Nouveau",                                                          // 95
    "Exporter en csv",                                                  // 96
    "Exporter en kml",                                                  // 97
    "Trajet",                                                           // 98
    "Début",                                                            // 99
    "Fin",                                                              // 100
    "Distance",                                                         // 101
    "Enreg. actuel",                                                    // 102
    "Renommer",                                                         // 103
    "Afficher trajet",                                                  // 104
    "Copier vers SD",                                                   // 105
    "Lire depuis SD",                                                   // 106
    "Arrêter pilote",                                                   // 107
    "Effacer carte",                                                    // 108
    "Définir départ",                                                   // 109
    "Retour départ",                                                    // 110
    "Importer contour",                                                 // 111
    "Aller-retour",                                                     // 112
    "Cible",                                                            // 113
    "Attente",                                                          // 114
    "Démarrer",                                                         // 115
    "Position bateau",                                                  // 116
    "posit départ",                                                     // 117
    "Enregistreur",                                                     // 118
    "Port série",                                                       // 119
    "Carte SD",                                                         // 120
    "OK",                                                               // 121
    "OUI",                                                              // 122
    "NON",                                                              // 123
    "Ignorer",                                                          // 124
    "Enregistrer",                                                      // 125
    "Aller",                                                            // 126
    "Échec",                                                            // 127
    "Message",                                                          // 128
    "Comme départ",                                                     // 129
    "Point de départ atteint",                                          // 130
    "Cible atteinte",                                                   // 131
    "1re cible atteinte",                                               // 132
    "2e cible atteinte",                                                // 133
    "Tâche pilote terminée",                                            // 134
    "Arrêt de la tâche pilote",                                         // 135
    "Passage en commande manuelle",                                     // 136
    "Alarme",                                                           // 137
    "Alarme haut-fond",                                                 // 138
    "Batterie écran faible",                                            // 139
    "Batterie bateau faible",                                           // 140
    "Erreur",                                                           // 141
    "Pas de carte SD",                                                  // 142
    "Position de départ non définie",                                   // 143
    "En mode simulateur",                                               // 144
    "Arrêtez d'abord le pilote",                                        // 145
    "Pas assez de satellites",                                          // 146
    "1re cible vide",                                                   // 147
    "2e cible vide",                                                    // 148
    "Cible trop éloignée",                                              // 149
    "Extinction",                                                       // 150
    "Extinction dans 3 s",                                              // 151
    "Extinction dans 2 s",                                              // 152
    "Extinction dans 1 s",                                              // 153
    "Vérification système",                                             // 154
    "Hors ligne",                                                       // 155
    "Module radio",                                                     // 156
    "Module sonar",                                                     // 157
    "Module GPS",                                                       // 158
    "Module compas",                                                    // 159
    "Module pilote",                                                    // 160
    "Curseur",                                                          // 161
    "Position",                                                         // 162
    "Enregistrer le curseur comme cible ou aller au curseur",           // 163
    "Choisir fichier",                                                  // 164
    "Recherche fichiers",                                               // 165
    "Chargement fichier",                                               // 166
    "Fichier lu",                                                       // 167
    "Échec de lecture",                                                 // 168
    "Fichier enregistré",                                               // 169
    "Échec d'enregistrement",                                           // 170
    "Éteignez d'abord le CCU",                                          // 171
    "Allumez le CCU",                                                   // 172
    "Module radio muet",                                                // 173
    "Appairage annulé",                                                 // 174
    "Appairage réussi",                                                 // 175
    "MAJ annulée",                                                      // 176
    "Sonar-Box connecté",                                               // 177
    "Sonar-Box déconnecté",                                             // 178
    "Pilote connecté",                                                  // 179
    "Pilote déconnecté",                                                // 180
    "Synchronisation…",                                                 // 181
    "MAJ firmware…",                                                    // 182
    "Attente requête…",                                                 // 183
    "Aucune requête\u00A0!",                                            // 184
    "Échec de la MAJ\u00A0!",                                           // 185
    "MAJ réussie\u00A0!",                                               // 186
    "Redémarrage boîtier…",                                             // 187
    "APPUI-GO",                                                         // 188
    "Aller à la cible",                                                 // 189
    "Aller à la 1re cible",                                             // 190
    "Aller à la 2e cible",                                              // 191
    "Cible suivante dans",                                              // 192
    "Retour au départ",                                                 // 193
    "Connexion au pilote",                                              // 194
    "Échec connexion",                                                  // 195
    "Réinitialiser tout",                                               // 196
    "Calibrage compas…",                                                // 197
    "Calibrage réussi\u00A0!",                                          // 198
    "Tournez le compas…",                                               // 199
    "Boîtiers non connectés.",                                          // 200
    "Utiliser le dernier départ\u00A0?",                                // 201
    "Cible marquée sur la carte, pilotez avec la télécommande\u00A0!",  // 202
    "Pilote multi-cibles",                                              // 203
    "Nom du fichier",                                                   // 204
    "Nb de points",                                                     // 205
    "Dist. totale",                                                     // 206
    "1er WPT-bateau",                                                   // 207
    "Importer",                                                         // 208
    "Choisir cibles",                                                   // 209
    "Mode de travail",                                                  // 210
    "Normal",                                                           // 211
    "Enregistrement",                                                   // 212
    "Relecture",                                                        // 213
    "Pas plus de",                                                      // 214
    "Cible",                                                            // 215
    "est trop loin du bateau.",                                         // 216
    "La liste des cibles est vide.",                                    // 217
    "La version du fichier choisi est identique à celle des R-Boxes.",  // 218
    "waypoints trouvés dans le KML.",                                   // 219
    "Écriture à l'emplacement",                                         // 220
    "Écrasement de l'emplacement",                                      // 221
    "Message à l'arrivée",                                              // 222
    "Mode développeur",                                                 // 223
    "Croisière sur trace",                                              // 224
    "Le fichier ne contient aucun point utilisable.",                   // 225
    "km/h",                                                             // 226
    "nœud",                                                             // 227
    "m/s",                                                              // 228
    "ft/s",                                                             // 229
    "KM",                                                               // 230
    "Yard",                                                             // 231
    "m",                                                                // 232
    "ft",                                                               // 233
    "v",                                                                // 234
    "Carte profondeurs",                                                // 235
    "Ombrage",                                                          // 236
    "Isobathes",                                                        // 237
    "Intervalle isobathes",                                             // 238
    "Exporter carte prof.",                                             // 239
    "Ajouter enreg. à carte",                                           // 240
    "Effacer carte prof.",                                              // 241
    "Effacer tous les sondages de la carte\u00A0?",                     // 242
    "Carte des profondeurs exportée\u00A0:",                            // 243
    "La carte des profondeurs ne contient encore aucun sondage.",       // 244
    "Fichier de la carte des profondeurs endommagé, mis de côté.",      // 245
    "sondages ajoutés à la carte des profondeurs.",                     // 246
    "Historique sonar",                                                 // 247
    "Marquer un point",                                                 // 248
    "Arrière",                                                          // 249
    "Aller à",                                                          // 250
    "Le journal ne contient aucune donnée sonar.",                      // 251
    "Journal trop long : seul le début est lu.",                        // 252
    "Pas de position GPS à cet endroit.",                               // 253
    "Liaison perdue",                                                   // 254
    "Liaison rétablie",                                                 // 255
    "Aucune donnée depuis",                                             // 256
    "Dernières données",                                                // 257
    "Le bateau rentrait",                                               // 258
    "Le bateau allait vers une cible",                                  // 259
    "Le bateau suivait une liste",                                      // 260
    "Rentrer bientôt",                                                  // 261
    "La réserve de batterie pour le retour est atteinte.",              // 262
    "Rentrer maintenant",                                               // 263
    "La batterie sera bientôt trop faible pour ramener le bateau.",     // 264
    "Réserve batterie",                                                 // 265
    "Tension de coupure",                                               // 266
    "Marge de réserve",                                                 // 267
    "Âge du point GPS",                                                 // 268
    "Phrases NMEA",                                                     // 269
    "GGA seul",                                                         // 270
    "Traceur",                                                          // 271
    "Exporter en GPX",                                                  // 272
    "Importer un GPX",                                                  // 273
    "Trace en GPX",                                                     // 274
    "waypoints trouvés dans le GPX.",                                   // 275
    "points dans la route.",                                            // 276
    "Le trajet ne contient aucun point.",                               // 277
};
static_assert(TrResource::isComplete(languageResource_french), "a French text is missing");
