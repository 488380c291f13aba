#include "base/tr_resource.h"

// Spanish texts, in the order of EnumTrString.
extern constexpr const char* languageResource_spanish[TR_COUNT] = {
    "tr",                                                                   // 0
    "Siguiente",                                                            // 1
    "Salir",                                                                // 2
    "ACT.",                                                                 // 3
    "DESACT.",                                                              // 4
    "AUTO",                                                                 // 5
    "MANUAL",                                                               // 6
    "BÁSICO",                                                               // 7
    "Sensibilidad",                                                         // 8
    "Claridad superficie",                                                  // 9
    "Sens. ID peces",                                                       // 10
    "Fondo",                                                                // 11
    "Ajuste de color",                                                      // 12
    "Estilo de color",                                                      // 13
    "Color de ruta",                                                        // 14
    "Modo avanzado",                                                        // 15
    "SONAR",                                                                // 16
    "Rango profundidad",                                                    // 17
    "Prof. máxima",                                                         // 18
    "Ganancia sonar",                                                       // 19
    "Haz del sonar",                                                        // 20
    "Cargar colores",                                                       // 21
    "Datos superpuestos",                                                   // 22
    "Profundidad",                                                          // 23
    "Temperatura",                                                          // 24
    "Bat. barco",                                                           // 25
    "Hora",                                                                 // 26
    "Rumbo",                                                                // 27
    "Velocidad",                                                            // 28
    "Fecha",                                                                // 29
    "Desde casa",                                                           // 30
    "Bat. principal",                                                       // 31
    "Satélites",                                                            // 32
    "Dist. al objetivo",                                                    // 33
    "Ajuste prof.",                                                         // 34
    "Ajuste temp.",                                                         // 35
    "Ajuste tensión barco",                                                 // 36
    "Alarma bajo fondo",                                                    // 37
    "Unidades",                                                             // 38
    "AJUSTES GPS",                                                          // 39
    "Filtro GPS",                                                           // 40
    "Unidad distancia",                                                     // 41
    "Unidad velocidad",                                                     // 42
    "Zona horaria",                                                         // 43
    "Formato 24 h",                                                         // 44
    "Paso de muestreo",                                                     // 45
    "Alarma llegada",                                                       // 46
    "Calibrar brújula pantalla",                                            // 47
    "Calibrar brújula barco",                                               // 48
    "Prueba brújula",                                                       // 49
    "AUTOPILOTO",                                                           // 50
    "Prueba cableado",                                                      // 51
    "Avanzar",                                                              // 52
    "Girar izquierda",                                                      // 53
    "Girar derecha",                                                        // 54
    "Parar",                                                                // 55
    "Tipo de barco",                                                        // 56
    "Barco H",                                                              // 57
    "1 motor",                                                              // 58
    "2 motores",                                                            // 59
    "Invertir canales",                                                     // 60
    "Invertir CH1",                                                         // 61
    "Invertir CH2",                                                         // 62
    "Velocidad canal 1",                                                    // 63
    "Velocidad canal 2",                                                    // 64
    "Sens. dirección",                                                      // 65
    "SISTEMA",                                                              // 66
    "Simulador",                                                            // 67
    "Retroiluminación",                                                     // 68
    "Tono teclas",                                                          // 69
    "Idioma",                                                               // 70
    "Velocidad puerto",                                                     // 71
    "Alarma batería",                                                       // 72
    "Alarma tensión barco",                                                 // 73
    "Ajustes de fábrica",                                                   // 74
    "Info. sistema",                                                        // 75
    "Vincular radio",                                                       // 76
    "Actualizar R-Boxes",                                                   // 77
    "Actualizar Sonar-Box",                                                 // 78
    "Actualizar piloto",                                                    // 79
    "OPERACIÓN RÁPIDA",                                                     // 80
    "Marca rápida",                                                         // 81
    "Waypoint",                                                             // 82
    "N.º",                                                                  // 83
    "Nombre",                                                               // 84
    "Dist. al barco",                                                       // 85
    "Demora",                                                               // 86
    "Detalle",                                                              // 87
    "Icono",                                                                // 88
    "Latitud",                                                              // 89
    "Longitud",                                                             // 90
    "Editar",                                                               // 91
    "Borrar",                                                               // 92
    "Fijar como objetivo",                                                  // 93
    "Piloto al objetivo",                                                   // 94
    "Nuevo",                                                                // 95
    "Exportar como csv",                                                    // 96
    "Exportar como kml",                                                    // 97
    "Ruta",                                                                 // 98
    "Inicio",                                                               // 99
    "Fin",                                                                  // 100
    "Distancia",                                                            // 101
    "Guardar actual",                                                       // 102
    "Renombrar",                                                            // 103
    "Mostrar ruta",                                                         // 104
    "Copiar a SD",                                                          // 105
    "Leer de SD",                                                           // 106
    "Parar piloto",                                                         // 107
    "Borrar mapa",                                                          // 108
    "Fijar casa",                                                           // 109
    "Ir a casa",                                                            // 110
    "Importar contorno",                                                    // 111
    "Ida y vuelta",                                                         // 112
    "Objetivo",                                                             // 113
    "Espera",                                                               // 114
    "Iniciar",                                                              // 115
    "Posición barco",                                                       // 116
    "Posición casa",                                                        // 117
    "Registrador",                                                          // 118
    "Puerto serie",                                                         // 119
    "Tarjeta SD",                                                           // 120
    "OK",                                                                   // 121
    "SÍ",                                                                   // 122
    "NO",                                                                   // 123
    "Ignorar",                                                              // 124
    "Guardar",                                                              // 125
    "Ir",                                                                   // 126
    "Fallo",                                                                // 127
    "Mensaje",                                                              // 128
    "Fijar como casa",                                                      // 129
    "Llegada a casa",                                                       // 130
    "Objetivo alcanzado",                                                   // 131
    "1.er objetivo alcanzado",                                              // 132
    "2.º objetivo alcanzado",                                               // 133
    "Tarea del piloto completada",                                          // 134
    "Parar tarea del piloto",                                               // 135
    "Modo control manual",                                                  // 136
    "Alarma",                                                               // 137
    "Alarma bajo fondo",                                                    // 138
    "Batería pantalla baja",                                                // 139
    "Batería barco baja",                                                   // 140
    "Error",                                                                // 141
    "Sin tarjeta SD",                                                       // 142
    "Posición de casa no definida",                                         // 143
    "En modo simulador",                                                    // 144
    "Pare primero el piloto",                                               // 145
    "Satélites insuficientes",                                              // 146
    "1.er objetivo vacío",                                                  // 147
    "2.º objetivo vacío",                                                   // 148
    "Objetivo demasiado lejos",                                             // 149
    "Apagar",                                                               // 150
    "Apagado en 3 segundos",                                                // 151
    "Apagado en 2 segundos",                                                // 152
    "Apagado en 1 segundo",                                                 // 153
    "Comprobación sistema",                                                 // 154
    "Desconectado",                                                         // 155
    "Módulo de radio",                                                      // 156
    "Módulo sonar",                                                         // 157
    "Módulo GPS",                                                           // 158
    "Módulo brújula",                                                       // 159
    "Módulo piloto",                                                        // 160
    "Cursor",                                                               // 161
    "Posición",                                                             // 162
    "Guardar el cursor como objetivo o ir a la posición del cursor",        // 163
    "Elegir archivo",                                                       // 164
    "Buscando archivos",                                                    // 165
    "Cargando archivo",                                                     // 166
    "Archivo leído",                                                        // 167
    "Error al leer archivo",                                                // 168
    "Archivo guardado",                                                     // 169
    "Error al guardar archivo",                                             // 170
    "Apague primero la CCU",                                                // 171
    "Encienda la CCU",                                                      // 172
    "El módulo de radio no responde",                                       // 173
    "Vinculación cancelada",                                                // 174
    "Vinculación correcta",                                                 // 175
    "Actualización cancelada",                                              // 176
    "Sonar-Box conectado",                                                  // 177
    "Sonar-Box desconectado",                                               // 178
    "Piloto conectado",                                                     // 179
    "Piloto desconectado",                                                  // 180
    "Sincronizando…",                                                       // 181
    "Actualizando firmware…",                                               // 182
    "Esperando petición…",                                                  // 183
    "¡Sin petición!",                                                       // 184
    "¡Error de actualización!",                                             // 185
    "¡Actualización correcta!",                                             // 186
    "Reiniciando módulo…",                                                  // 187
    "PULSE-GO",                                                             // 188
    "Ir al objetivo ahora",                                                 // 189
    "Ir al 1.er objetivo",                                                  // 190
    "Ir al 2.º objetivo",                                                   // 191
    "Siguiente objetivo en",                                                // 192
    "Volver a casa",                                                        // 193
    "Conectando el piloto",                                                 // 194
    "Fallo de conexión",                                                    // 195
    "Restablecer parámetros",                                               // 196
    "Calibrando brújula…",                                                  // 197
    "¡Calibración correcta!",                                               // 198
    "Gire la brújula…",                                                     // 199
    "R-Boxes no conectados.",                                               // 200
    "¿Usar la última posición de casa?",                                    // 201
    "Objetivo marcado en el mapa, ¡controle con su mando!",                 // 202
    "Piloto multiobjetivo",                                                 // 203
    "Nombre archivo",                                                       // 204
    "Total puntos",                                                         // 205
    "Dist. total",                                                          // 206
    "1.er WPT al barco",                                                    // 207
    "Importar",                                                             // 208
    "Elegir objetivos",                                                     // 209
    "Modo de trabajo",                                                      // 210
    "Normal",                                                               // 211
    "Grabación",                                                            // 212
    "Reproducción",                                                         // 213
    "No más de",                                                            // 214
    "Objetivo",                                                             // 215
    "está demasiado lejos del barco.",                                      // 216
    "La lista de objetivos está vacía.",                                    // 217
    "La versión del archivo elegido es igual a la actual de los R-Boxes.",  // 218
    "waypoints encontrados en KML.",                                        // 219
    "Se escribirá en la posición",                                          // 220
    "Se sobrescribirá la posición",                                         // 221
    "Mensaje al llegar",                                                    // 222
    "Modo desarrollador",                                                   // 223
    "Crucero por ruta",                                                     // 224
    "El archivo no contiene puntos utilizables.",                           // 225
    "km/h",                                                                 // 226
    "nudo",                                                                 // 227
    "m/s",                                                                  // 228
    "ft/s",                                                                 // 229
    "KM",                                                                   // 230
    "yarda",                                                                // 231
    "m",                                                                    // 232
    "ft",                                                                   // 233
    "v",                                                                    // 234
    "Mapa de profundidad",                                                  // 235
    "Sombreado",                                                            // 236
    "Isóbatas",                                                             // 237
    "Intervalo isóbatas",                                                   // 238
    "Exportar mapa prof.",                                                  // 239
    "Agregar registro",                                                     // 240
    "Borrar mapa prof.",                                                    // 241
    "¿Borrar todos los sondeos del mapa de profundidad?",                   // 242
    "Mapa de profundidad exportado:",                                       // 243
    "El mapa de profundidad aún no tiene sondeos.",                         // 244
    "El archivo del mapa de profundidad estaba corrupto y se apartó.",      // 245
    "sondeos agregados al mapa de profundidad.",                            // 246
    "Historial sonar",                                                      // 247
    "Marcar punto",                                                         // 248
    "Inverso",                                                              // 249
    "Ir a",                                                                 // 250
    "El registro no contiene datos de sonar.",                              // 251
    "Registro demasiado largo: solo se reproduce el principio.",            // 252
    "Sin posición GPS en este punto.",                                      // 253
    "Enlace perdido",                                                       // 254
    "Enlace recuperado",                                                    // 255
    "Sin datos desde hace",                                                 // 256
    "Últimos datos",                                                        // 257
    "El barco volvía a casa",                                               // 258
    "El barco iba a un objetivo",                                           // 259
    "El barco seguía una lista",                                            // 260
    "Volver pronto",                                                        // 261
    "Se alcanzó la reserva de batería para volver.",                        // 262
    "Volver ahora",                                                         // 263
    "Pronto la batería no bastará para traer el barco.",                    // 264
    "Reserva de batería",                                                   // 265
    "Tensión mínima",                                                       // 266
    "Margen de reserva",                                                    // 267
    "Edad de la posición",                                                  // 268
    "Frases NMEA",                                                          // 269
    "Solo GGA",                                                             // 270
    "Plóter",                                                               // 271
    "Exportar como GPX",                                                    // 272
    "Importar GPX",                                                         // 273
    "Traza como GPX",                                                       // 274
    "waypoints encontrados en GPX.",                                        // 275
    "puntos en la ruta.",                                                   // 276
    "La ruta no contiene puntos.",                                          // 277
};
static_assert(TrResource::isComplete(languageResource_spanish), "a Spanish text is missing");
