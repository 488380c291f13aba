#pragma once

#include <QString>

// The handset's own small devices as the program uses them: the beeper's clicks and the
// battery voltage from the ADC.
namespace Global {

// --- Battery ---------------------------------------------------------------------------------
// Opens the battery ADC; on failure prints why and goes on (the voltage then reads 0).
void initADC();
// The handset battery voltage from one ADC sample, or 0 when there is no sample or the value
// lies outside 6..16 V.
float getBatVoltage();
// A raw ADC sample in volts: raw x 3.7 / 4096 x 78 / 10, 0 outside 6..16 V.
float adcToVoltage(int raw);

// --- Beeper ----------------------------------------------------------------------------------
// One click, whatever the key-tone setting.
void beeperForceOnOneTime();
// One click when the key tone is on.
void beeperOnOneTime();
// "key": a key click; "fish": one click; "message": two; "alarm": three; "link" (the
// radio link lost): five; else nothing.
void beeperOn(const QString& kind);

}  // namespace Global
