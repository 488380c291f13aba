#pragma once

// The handset's board files outside the radio link: backlight, beeper, battery ADC and the
// SD card. The Linux side reaches them through exactly these paths (the backlight and the
// beeper by shell commands, the ADC by ioctl); in virtual mode the same paths lie under the
// root, where a test or the user reads and writes them.
namespace Board {

constexpr const char* kBacklight = "/sys/class/backlight/mxs-bl/brightness";
constexpr const char* kBeeper = "/sys/class/leds/beep/brightness";
constexpr const char* kAdc = "/dev/magic-adc";
constexpr const char* kSdNode = "/dev/mmcblk0p1";
constexpr const char* kSdMountPoint = "/mnt/sd";

// Virtual mode only: creates the sysfs folders of the backlight and the beeper under the root,
// so that their shell writes land in plain files instead of printing errors. Does nothing on
// the device or when the root is the real file system.
void prepareVirtual();

}  // namespace Board
