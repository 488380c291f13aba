#include "base/tr_resource.h"

// English texts, in the order of EnumTrString.
extern constexpr const char* languageResource_english[TR_COUNT] = {
    "tr",                                                                      // 0
    "Next",                                                                    // 1
    "Exit",                                                                    // 2
    "ON",                                                                      // 3
    "OFF",                                                                     // 4
    "AUTO",                                                                    // 5
    "MANUAL",                                                                  // 6
    "BASIC",                                                                   // 7
    "Sensitivity",                                                             // 8
    "Surface Clarify",                                                         // 9
    "Fish ID. Sens.",                                                          // 10
    "Background",                                                              // 11
    "Color Adjust",                                                            // 12
    "Color Style",                                                             // 13
    "Route Color",                                                             // 14
    "Advanced Mode",                                                           // 15
    "SONAR",                                                                   // 16
    "Depth Range",                                                             // 17
    "Max Depth Range",                                                         // 18
    "Sonar Gain",                                                              // 19
    "Sonar Beam",                                                              // 20
    "Load New Color",                                                          // 21
    "Overlap Data",                                                            // 22
    "Depth",                                                                   // 23
    "Temperature",                                                             // 24
    "Boat Bat.",                                                               // 25
    "Time of Day",                                                             // 26
    "Heading",                                                                 // 27
    "Speed",                                                                   // 28
    "Date",                                                                    // 29
    "From Home",                                                               // 30
    "Main Bat.",                                                               // 31
    "Satellite",                                                               // 32
    "Dst. to Target",                                                          // 33
    "Depth Offset",                                                            // 34
    "Temp. Offset",                                                            // 35
    "Boat Vtg. Offset",                                                        // 36
    "Shallow Alarm",                                                           // 37
    "Units",                                                                   // 38
    "GPS SETTINGS",                                                            // 39
    "GPS Filter",                                                              // 40
    "Distance Unit",                                                           // 41
    "Speed Unit",                                                              // 42
    "Time Zone",                                                               // 43
    "24-Hour Time",                                                            // 44
    "Sample Step",                                                             // 45
    "Arrive Alarm",                                                            // 46
    "Calibrate Compass of Display",                                            // 47
    "Calibrate Compass of Boat",                                               // 48
    "Compass Test",                                                            // 49
    "AUTOPILOT",                                                               // 50
    "Wiring Test",                                                             // 51
    "Go Forward",                                                              // 52
    "Turn Left",                                                               // 53
    "Turn Right",                                                              // 54
    "Stop",                                                                    // 55
    "Boat Type",                                                               // 56
    "H-Boat",                                                                  // 57
    "1 Engine",                                                                // 58
    "2 Engines",                                                               // 59
    "Channels Reverse",                                                        // 60
    "CH1 Reverse",                                                             // 61
    "CH2 Reverse",                                                             // 62
    "Channel 1 Speed",                                                         // 63
    "Channel 2 Speed",                                                         // 64
    "Steering Sens.",                                                          // 65
    "SYSTEM",                                                                  // 66
    "Simulator",                                                               // 67
    "Backlight",                                                               // 68
    "Key Tone",                                                                // 69
    "Language",                                                                // 70
    "Baud Rate",                                                               // 71
    "Battery Alarm",                                                           // 72
    "Boat Vtg. Alarm",                                                         // 73
    "Default Settings",                                                        // 74
    "System Info.",                                                            // 75
    "Radio Bind",                                                              // 76
    "Update R-Boxes",                                                          // 77
    "Update Sonar-Box",                                                        // 78
    "Update Autopilot",                                                        // 79
    "QUICK OPERATION",                                                         // 80
    "Quick Marker",                                                            // 81
    "Waypoint",                                                                // 82
    "SN",                                                                      // 83
    "Name",                                                                    // 84
    "Dst. to Boat",                                                            // 85
    "Course",                                                                  // 86
    "Detail",                                                                  // 87
    "Icon",                                                                    // 88
    "Latitude",                                                                // 89
    "Longitude",                                                               // 90
    "Edit",                                                                    // 91
    "Delete",                                                                  // 92
    "Set as Target",                                                           // 93
    "Autopilot To Target",                                                     // 94
    "New",                                                                     // 95
    "Export as csv",                                                           // 96
    "Export as kml",                                                           // 97
    "Route",                                                                   // 98
    "StartTime",                                                               // 99
    "EndTime",                                                                 // 100
    "Distance",                                                                // 101
    "Save Current",                                                            // 102
    "Rename",                                                                  // 103
    "Show Route",                                                              // 104
    "Copy To SD",                                                              // 105
    "Read From SD",                                                            // 106
    "Stop Autopilot",                                                          // 107
    "Clear Map",                                                               // 108
    "Set Home Pos.",                                                           // 109
    "Go to Home",                                                              // 110
    "Import Outline",                                                          // 111
    "Go-Back",                                                                 // 112
    "Target",                                                                  // 113
    "Delay",                                                                   // 114
    "Start",                                                                   // 115
    "Boat Position",                                                           // 116
    "Home Position",                                                           // 117
    "Data-logger",                                                             // 118
    "Serial Port",                                                             // 119
    "SD Card",                                                                 // 120
    "OK",                                                                      // 121
    "YES",                                                                     // 122
    "NO",                                                                      // 123
    "Ignore",                                                                  // 124
    "Save",                                                                    // 125
    "Go",                                                                      // 126
    "Fail",                                                                    // 127
    "Message",                                                                 // 128
    "Set as Home",                                                             // 129
    "Home (Position) Arrived",                                                 // 130
    "The target Arrived",                                                      // 131
    "The 1st. target  arrived",                                                // 132
    "The 2nd. target  arrived",                                                // 133
    "Autopilot Task Completed",                                                // 134
    "Stop autopilot task now",                                                 // 135
    "Enter manual control mode",                                               // 136
    "Alarm",                                                                   // 137
    "Shallow alarm",                                                           // 138
    "Displayer battery low",                                                   // 139
    "Boat battery low",                                                        // 140
    "Error",                                                                   // 141
    "No SD card",                                                              // 142
    "Not defined the home position",                                           // 143
    "In simulator mode",                                                       // 144
    "Stop autopilot first",                                                    // 145
    "No Enough Satellites",                                                    // 146
    "Target 1st. is empty",                                                    // 147
    "Target 2nd. is empty",                                                    // 148
    "Target is too far away",                                                  // 149
    "Power off",                                                               // 150
    "Power off in 3 seconds",                                                  // 151
    "Power off in 2 seconds",                                                  // 152
    "Power off in 1 second",                                                   // 153
    "System check",                                                            // 154
    "Offline",                                                                 // 155
    "Radio module",                                                            // 156
    "Sonar module",                                                            // 157
    "GPS module",                                                              // 158
    "Compass module",                                                          // 159
    "Autopilot module",                                                        // 160
    "Cursor",                                                                  // 161
    "Position",                                                                // 162
    "Save the cursor as target or go to the cursor position",                  // 163
    "Select file",                                                             // 164
    "Scannning files",                                                         // 165
    "Loading file",                                                            // 166
    "Read file successfully",                                                  // 167
    "Read file failed",                                                        // 168
    "Save file successfully",                                                  // 169
    "Failed to save file",                                                     // 170
    "Please power off CCU first",                                              // 171
    "Please power on CCU",                                                     // 172
    "Radio module no answer",                                                  // 173
    "Re-bind cancelled",                                                       // 174
    "Bind successfully",                                                       // 175
    "Update cancelled",                                                        // 176
    "Sonar-Box connected",                                                     // 177
    "Sonar-Box disconnected",                                                  // 178
    "Autopilot connected",                                                     // 179
    "Autopilot disconnected",                                                  // 180
    "Wait Synchronize…",                                                       // 181
    "Firmware Updating…",                                                      // 182
    "Wait request…",                                                           // 183
    "No request!",                                                             // 184
    "Update failed!",                                                          // 185
    "Update successfully!",                                                    // 186
    "Wait Remote-Box Rebooting…",                                              // 187
    "PUSH-GO",                                                                 // 188
    "Go to the target now",                                                    // 189
    "Go to the 1st. target now",                                               // 190
    "Go to the 2nd. target now",                                               // 191
    "Go to the next target in",                                                // 192
    "Back to home now",                                                        // 193
    "Connecting the autopilot",                                                // 194
    "Connection Failed",                                                       // 195
    "Reset all parameters",                                                    // 196
    "Compass calibrating…",                                                    // 197
    "Calibrate successfully!",                                                 // 198
    "Please rotate the compass…",                                              // 199
    "Remote-Boxes not connected.",                                             // 200
    "Use the last home position?",                                             // 201
    "Target marked on the map, please control with your remote!",              // 202
    "Multi-Target Autopilot",                                                  // 203
    "File name",                                                               // 204
    "Total points",                                                            // 205
    "Total Dst.",                                                              // 206
    "1st. WPT to boat",                                                        // 207
    "Import",                                                                  // 208
    "Select Targets",                                                          // 209
    "Work Mode",                                                               // 210
    "Normal",                                                                  // 211
    "Record",                                                                  // 212
    "Replay",                                                                  // 213
    "Not more than",                                                           // 214
    "Target",                                                                  // 215
    "is too far away from boat.",                                              // 216
    "The list of target is empty.",                                            // 217
    "The version of the file selected is same as current R-Boxes's version.",  // 218
    "waypoints found in KML.",                                                 // 219
    "Will write to slot",                                                      // 220
    "Will overwrite to slot",                                                  // 221
    "Message when arrive",                                                     // 222
    "Developer Mode",                                                          // 223
    "Course Cruise",                                                           // 224
    "The file holds no usable points.",                                        // 225
    "KPH",                                                                     // 226
    "Knot",                                                                    // 227
    "m/s",                                                                     // 228
    "ft/s",                                                                    // 229
    "KM",                                                                      // 230
    "Yard",                                                                    // 231
    "m",                                                                       // 232
    "ft",                                                                      // 233
    "v",                                                                       // 234
    "Depth Map",                                                               // 235
    "Shading",                                                                 // 236
    "Contours",                                                                // 237
    "Contour Interval",                                                        // 238
    "Export Depth Map",                                                        // 239
    "Add Log to Depth Map",                                                    // 240
    "Clear Depth Map",                                                         // 241
    "Clear every sounding of the depth map?",                                  // 242
    "Depth map exported:",                                                     // 243
    "The depth map holds no soundings yet.",                                   // 244
    "The depth map file was damaged and has been set aside.",                  // 245
    "soundings added to the depth map.",                                       // 246
    "Sonar History",                                                           // 247
    "Mark Waypoint",                                                           // 248
    "Reverse",                                                                 // 249
    "Jump to",                                                                 // 250
    "The log holds no sonar records.",                                         // 251
    "The log is too long: only its first part is played.",                     // 252
    "No GPS position at this column.",                                         // 253
    "Link lost",                                                               // 254
    "Link back",                                                               // 255
    "No data for",                                                             // 256
    "Last data",                                                               // 257
    "The boat was going home",                                                 // 258
    "The boat was going to a target",                                          // 259
    "The boat was running a list",                                             // 260
    "Return soon",                                                             // 261
    "The battery reserve for the way home is reached.",                        // 262
    "Return now",                                                              // 263
    "The battery will soon be too low to bring the boat home.",                // 264
    "Battery Reserve",                                                         // 265
    "Empty Voltage",                                                           // 266
    "Reserve Margin",                                                          // 267
    "Fix age",                                                                 // 268
    "NMEA Sentences",                                                          // 269
    "GGA only",                                                                // 270
    "Chart Plotter",                                                           // 271
    "Export as GPX",                                                           // 272
    "Import GPX",                                                              // 273
    "Track as GPX",                                                            // 274
    "waypoints found in GPX.",                                                 // 275
    "points in the route.",                                                    // 276
    "The route holds no points.",                                              // 277
};
static_assert(TrResource::isComplete(languageResource_english), "a English text is missing");
